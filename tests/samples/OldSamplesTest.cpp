// The old-generation samples: what the generator writes is what is
// committed, each file is recognised as its version and converts into a
// design a user can work with.
#include "testkit/OldDesigns.h"

#include "core/Messages.h"
#include "document/Manifolds.h"
#include "model/HoleLists.h"
#include "model/StepLists.h"
#include "testkit/TestFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace qv {
namespace {

std::string OldSamplePath(int version)
{
    return std::string(QV_SOURCE_DIR) + "/samples/old/" + samples::OldDesignFileName(version);
}

TEST(OldSamples, CommittedFilesAreWhatTheGeneratorWrites)
{
    for (const int version : samples::OldVersions()) {
        const std::string committed = test::ReadBytes(OldSamplePath(version));
        EXPECT_EQ(committed, samples::OldDesign(version))
            << "samples/old/" << samples::OldDesignFileName(version)
            << " differs from the generator's output; regenerate with mnf-samplegen --old " << version;
    }
}

TEST(OldSamples, EachVersionLoadsThroughItsOwnReader)
{
    for (const int version : samples::OldVersions()) {
        SCOPED_TRACE(version);
        const std::string path = OldSamplePath(version);
        EXPECT_EQ(DetectFileVersion(path, 1), version);

        TMessageCollector messages;
        TManifold m;
        ASSERT_TRUE(m.LoadFromFile(path));
        EXPECT_TRUE(messages.Texts().empty());
        EXPECT_EQ(m.PlotSettings().Count(), 2);

        // A block with a size, a title, and several holes that each have a
        // real bore on a real face.
        EXPECT_GT(m.Data().Max.X, 0.0);
        EXPECT_GT(m.Data().Max.Y, 0.0);
        EXPECT_GT(m.Data().Max.Z, 0.0);
        EXPECT_FALSE(m.Project().FData.ProjectTitle.empty());
        ASSERT_GE(m.HoleList().Count(), 3);
        int valves = 0;
        for (const auto& hole : m.HoleList()) {
            SCOPED_TRACE(hole->FData.HoleNumber);
            EXPECT_GE(hole->FData.FaceNumber, 1);
            EXPECT_LE(hole->FData.FaceNumber, 6);
            ASSERT_GE(hole->FStepList.Count(), 1);
            for (const auto& step : hole->FStepList) {
                EXPECT_GT(step->FData.Diameter, 0.0);
                EXPECT_GT(step->FData.Depth, 0.0);
            }
            // Steps run from the bottom of the hole up to the face.
            EXPECT_GE(hole->FStepList.First()->FData.Depth, hole->FStepList.Last()->FData.Depth);
            valves += hole->FValveList.Count();
        }
        EXPECT_GE(valves, 1) << "every old sample holds a cartridge with its valve";
    }
}

} // namespace
} // namespace qv
