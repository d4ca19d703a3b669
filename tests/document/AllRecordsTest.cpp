// A whole document with every record kind, each field set to a value other
// than its default, written with the record writers and loaded back.
#include "core/Messages.h"
#include "document/Manifolds.h"
#include "testkit/Flatten.h"
#include "testkit/TestFiles.h"
#include "testkit/WriteGroups.h"
#include "testkit/WriteRecords.h"
#include "testkit/WriteValves.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

using namespace qv;

namespace {

// The record members of a document, flattened, by member name.
std::map<std::string, test::TFlat> Members(const TManifold& m, const std::set<std::string>& names)
{
    std::map<std::string, test::TFlat> out;
    m.Fields([&](const char* name, const auto& value) {
        if (names.count(name)) out[name] = test::Flat(value);
    });
    return out;
}

const std::set<std::string> kViewerRecords = {"FGroupList", "fCutOutList", "fHoleTextList",
                                              "fCalculateSettingsNew", "fMountingHoleDefinitionList",
                                              "fCheckers", "fBillOfMaterials"};
const std::set<std::string> kManifoldOnlyRecords = {"fPlotSettings", "fLayoutList", "FProject", "fToDo",
                                                    "FRevisionList", "fRevisionLayoutList", "fSessionList",
                                                    "fAssemblyList", "fCrossList"};

// One hole carrying every nested record kind.
struct HoleRecords {
    TValve Valve;
    TExtraDiameter ExtraDiameter;
    TContour Contour;
    THoleText Text;
    TManufacturingNote Note;
    HoleRecords()
    {
        samples::FillSampleValve(Valve);
        samples::FillSampleExtraDiameter(ExtraDiameter);
        samples::FillSampleContour(Contour);
        samples::FillSampleHoleText(Text);
        samples::FillSampleManufacturingNote(Note);
    }
    void Write(TQuorvaneFile& f) const
    {
        samples::WriteExtraDiameter(f, ExtraDiameter);
        samples::WriteContour(f, Contour);
        samples::WriteValve(f, Valve);
        samples::WriteHoleText(f, Text);
        samples::WriteManufacturingNote(f, Note);
    }
};

std::string WriteAll(const std::string& name, const TManifold& records, const HoleRecords& hole, bool viewer)
{
    return test::WriteDesign(
        name,
        [&](TQuorvaneFile& f) {
            samples::WriteRecordsBeforeHoles(f, records, viewer);
            test::WriteSimpleHole(f, 7, [&](TQuorvaneFile& h) { hole.Write(h); });
            samples::WriteRecordsAfterHoles(f, records);
        },
        {.Viewer = viewer});
}

} // namespace

TEST(AllRecords, EveryRecordKindOfAManifoldFileLoadsBackFieldByField)
{
    TManifold expected;
    samples::FillSampleRecords(expected);
    const HoleRecords hole;
    const std::string path = WriteAll("all-records.mnf", expected, hole, false);

    TManifold loaded;
    TMessageCollector messages;
    ASSERT_TRUE(loaded.LoadFromFile(path));
    EXPECT_TRUE(messages.Entries().empty());

    std::set<std::string> names = kViewerRecords;
    names.insert(kManifoldOnlyRecords.begin(), kManifoldOnlyRecords.end());
    const auto want = Members(expected, names);
    const auto got = Members(loaded, names);
    ASSERT_EQ(want.size(), names.size());
    for (const auto& name : names) {
        // A filled record differs from a fresh one, so the comparison below
        // is not between two sets of defaults.
        EXPECT_NE(want.at(name), Members(TManifold{}, {name}).at(name)) << name;
        EXPECT_EQ(got.at(name), want.at(name)) << name;
    }

    ASSERT_EQ(loaded.HoleList().Count(), 1);
    const THole& h = *loaded.HoleList().First();
    ASSERT_EQ(h.FValveList.Count(), 1);
    EXPECT_EQ(test::Flat(*h.FValveList.First()), test::Flat(hole.Valve));
    ASSERT_EQ(h.fExtraDiameterList.Count(), 1);
    EXPECT_EQ(test::Flat(*h.fExtraDiameterList.First()), test::Flat(hole.ExtraDiameter));
    ASSERT_EQ(h.FContourList.Count(), 1);
    EXPECT_EQ(test::Flat(*h.FContourList.First()), test::Flat(hole.Contour));
    ASSERT_EQ(h.fHoleTextList.Count(), 1);
    EXPECT_EQ(test::Flat(*h.fHoleTextList.First()), test::Flat(hole.Text));
    EXPECT_EQ(test::Flat(h.fManufacturingNote), test::Flat(hole.Note));
}

TEST(AllRecords, AViewerFileCarriesItsShareOfTheRecords)
{
    TManifold expected;
    samples::FillSampleRecords(expected);
    const HoleRecords hole;
    const std::string path = WriteAll("all-records.mvf", expected, hole, true);

    TManifold loaded;
    TMessageCollector messages;
    ASSERT_TRUE(loaded.LoadFromViewerFile(path));
    EXPECT_TRUE(messages.Entries().empty());
    const auto want = Members(expected, kViewerRecords);
    const auto got = Members(loaded, kViewerRecords);
    for (const auto& name : kViewerRecords) EXPECT_EQ(got.at(name), want.at(name)) << name;
    // What a viewer file does not carry keeps its defaults.
    const auto fresh = Members(TManifold{}, kManifoldOnlyRecords);
    const auto rest = Members(loaded, kManifoldOnlyRecords);
    for (const auto& name : kManifoldOnlyRecords) {
        if (name == "FProject") continue; // its dates are the moment of clearing
        EXPECT_EQ(rest.at(name), fresh.at(name)) << name;
    }
    ASSERT_EQ(loaded.HoleList().Count(), 1);
    EXPECT_EQ(test::Flat(*loaded.HoleList().First()->FValveList.First()), test::Flat(hole.Valve));
}
