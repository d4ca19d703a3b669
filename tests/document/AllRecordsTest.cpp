// A whole document with every record kind, each field set to a value other
// than its default, written with the record writers and loaded back.
#include "core/Messages.h"
#include "document/Manifolds.h"
#include "testkit/Flatten.h"
#include "testkit/TestFiles.h"
#include "testkit/WriteHoles.h"
#include "testkit/WriteRecords.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

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

// One hole with every field and every nested record kind filled in,
// written with every tag.
std::string WriteAll(const std::string& name, const TManifold& records, const THole& hole, bool viewer)
{
    return test::WriteDesign(
        name,
        [&](TQuorvaneFile& f) {
            samples::WriteRecordsBeforeHoles(f, records, viewer);
            samples::WriteHole(f, hole);
            samples::WriteRecordsAfterHoles(f, records);
        },
        {.Viewer = viewer});
}

std::unique_ptr<THole> SampleHole()
{
    auto hole = std::make_unique<THole>();
    samples::FillSampleHole(*hole);
    return hole;
}

} // namespace

TEST(AllRecords, EveryRecordKindOfAManifoldFileLoadsBackFieldByField)
{
    TManifold expected;
    samples::FillSampleRecords(expected);
    const auto hole = SampleHole();
    const std::string path = WriteAll("all-records.mnf", expected, *hole, false);

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

    // The hole with its steps, extra diameter, contour, valve, text and note;
    // the sample sets every hole and step field a file carries.
    ASSERT_EQ(loaded.HoleList().Count(), 1);
    EXPECT_EQ(test::Flat(*loaded.HoleList().First()), test::Flat(*hole));
    for (const auto& path : test::SameValues(test::Flat(THoleData{}), test::Flat(hole->FData)))
        EXPECT_TRUE(path == ".SelectedMode" || path == ".CalculateStartDepth") << path << " keeps its default";
    ASSERT_EQ(hole->FStepList.Count(), 2);
    for (const auto& step : hole->FStepList)
        EXPECT_EQ(test::SameValues(test::Flat(TStepData{}), test::Flat(step->FData)), std::vector<std::string>{});
}

TEST(AllRecords, AViewerFileCarriesItsShareOfTheRecords)
{
    TManifold expected;
    samples::FillSampleRecords(expected);
    const auto hole = SampleHole();
    const std::string path = WriteAll("all-records.mvf", expected, *hole, true);

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
    // Written with every tag, the hole comes through whole.
    ASSERT_EQ(loaded.HoleList().Count(), 1);
    EXPECT_EQ(test::Flat(*loaded.HoleList().First()), test::Flat(*hole));
}
