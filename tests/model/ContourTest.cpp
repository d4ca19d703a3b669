// Contours of holes: the contour record inside a hole, and how a contour
// list reads as a circle or a polygon.
#include "core/Messages.h"
#include "document/Manifolds.h"
#include "model/ContourLists.h"
#include "model/HoleLists.h"
#include "testkit/Flatten.h"
#include "testkit/LoadedDesign.h"
#include "testkit/TestFiles.h"
#include "testkit/WriteGroups.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace qv;

namespace {

TContour Corner(double x, double y)
{
    TContour c;
    c.FData = {x, y};
    return c;
}

// Loads a design with one hole holding the given contours.
std::unique_ptr<TManifold> LoadHoleWithContours(const std::string& name, const std::vector<TContour>& contours)
{
    auto r = test::LoadDesign(name, [&](TQuorvaneFile& f) {
        test::WriteSimpleHole(f, 1, [&](TQuorvaneFile& g) {
            for (const auto& c : contours) samples::WriteContour(g, c);
        });
    });
    EXPECT_TRUE(r.Messages.empty());
    EXPECT_EQ(r.M->HoleList().Count(), 1);
    return std::move(r.M);
}

} // namespace

TEST(ContourRecord, CircleAndPolygonRoundTrip)
{
    TContour sample;
    samples::FillSampleContour(sample);
    struct Row {
        const char* name;
        std::vector<TContour> contours;
        bool circle, polygon;
    };
    const Row rows[] = {
        {"none", {}, false, false},
        {"circle of diameter 20", {Corner(20.0, 0.0)}, true, false},
        {"sample", {sample}, true, false},
        {"line", {Corner(0, 0), Corner(5, 0)}, false, true},
        {"triangle", {Corner(-5, -5), Corner(5, -5), Corner(0, 8.5)}, false, true},
    };
    int n = 0;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const auto m = LoadHoleWithContours("contour-" + std::to_string(n++) + ".mnf", r.contours);
        if (m->HoleList().Count() != 1) continue;
        const TContourList& l = m->HoleList().First()->FContourList;
        ASSERT_EQ(l.Count(), int(r.contours.size()));
        for (int i = 0; i < l.Count(); ++i)
            EXPECT_EQ(test::Flat(*l.GetContours(i)), test::Flat(r.contours[size_t(i)]));
        EXPECT_EQ(l.GetIsCircle(), r.circle);
        EXPECT_EQ(l.GetIsPolygon(), r.polygon);
    }
}

TEST(ContourRecord, DefaultsRepeatsUnknownTagsAndCutOff)
{
    const auto r = test::LoadDesign(
        "contour-odd.mnf",
        [](TQuorvaneFile& f) {
            test::WriteSimpleHole(f, 1, [](TQuorvaneFile& g) {
                g.WriteVar(6000);
                g.WriteVar(6999);
                g.WriteVar(6000);
                g.WriteDouble(6011, 1.0);
                g.WriteDouble(6011, 2.0);
                g.WriteInteger(6013, 7); // unknown to this reader
                g.WriteDouble(6012, 3.0);
                g.WriteVar(6999);
            });
            f.WriteVar(10000);
            f.WriteInteger(10010, 2);
            f.WriteVar(6000);
            f.WriteDouble(6011, 9.0); // the file ends here
        },
        {.WithEnd = false});
    const TManifold& m = *r.M;
    ASSERT_EQ(m.HoleList().Count(), 2);
    const TContourList& first = m.HoleList().First()->FContourList;
    ASSERT_EQ(first.Count(), 2);
    EXPECT_EQ(test::Flat(*first.First()), test::Flat(TContour{}));
    EXPECT_EQ(test::Flat(*first.Last()), test::Flat(Corner(2.0, 3.0)));
    const TContourList& cut = m.HoleList().Last()->FContourList;
    ASSERT_EQ(cut.Count(), 1);
    EXPECT_EQ(test::Flat(*cut.First()), test::Flat(Corner(9.0, 0.0)));
    EXPECT_EQ(r.Texts, std::vector<std::string>{kTruncatedFileWarning});
}
