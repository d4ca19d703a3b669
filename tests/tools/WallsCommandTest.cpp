// mnf-inspect --walls: the answer for the demo (the fields other tools read,
// the one thin wall and the one connection), a design without findings, the
// exit status of every outcome and a failed write.
#include "JsonReader.h"
#include "check/WallCheck.h"
#include "document/Manifolds.h"
#include "inspect/WallsJson.h"
#include "model/HoleLists.h"
#include "testkit/SampleDesigns.h"
#include "testkit/TestFiles.h"
#include "testkit/WriteHoles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <sys/wait.h>

using namespace qv;
using qv::test::ParseJson;
using qv::test::TJson;

namespace {

test::TRunResult Walls(const std::string& args) { return test::RunCommand("'" MNF_INSPECT "' --walls " + args); }

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

using TKeys = std::vector<std::string>;

} // namespace

TEST(MnfInspectWalls, DemoAnswer)
{
    const std::string demo = test::TempPath("walls-demo.mnf");
    samples::WriteDemoDesign(demo, false);
    const test::TRunResult run = Walls(Quoted(demo));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const TJson j = ParseJson(run.out);
    EXPECT_EQ(j.Keys(), (TKeys{"LoadResult", "Warnings", "Unit", "Required", "Findings", "Connections", "Summary"}));
    EXPECT_TRUE(j["LoadResult"].b);
    EXPECT_EQ(j["Unit"].text, "mm");
    const TJson& req = j["Required"];
    EXPECT_EQ(req["Wallthickness"].Num(), 4.0);
    EXPECT_EQ(req["WallthicknessMountingHoles"].Num(), 5.0);
    EXPECT_EQ(req["SelectWallDiameter"].text, "swdAverageOfDiameters");
    EXPECT_EQ(req["Ranges"].items.size(), 1u);
    EXPECT_EQ(req["Tolerance"].Num(), 0.16);

    ASSERT_EQ(j["Findings"].items.size(), 1u);
    const TJson& f = j["Findings"][0];
    EXPECT_EQ(f.Keys(), (TKeys{"Kind", "Hole", "OtherHole", "Thickness", "Required", "PointA", "PointB"}));
    EXPECT_EQ(f["Kind"].text, "bores");
    EXPECT_EQ(f["Hole"].Keys(), (TKeys{"Hole", "Step", "StepIndex", "Group", "Diameter"}));
    EXPECT_EQ(f["Hole"]["Hole"].text, "2"); // MP
    EXPECT_EQ(f["Hole"]["Group"].text, "P");
    EXPECT_EQ(f["OtherHole"]["Hole"].text, "3"); // T
    EXPECT_EQ(f["OtherHole"]["Group"].text, "T");
    EXPECT_LT(f["Thickness"].Num(), f["Required"].Num());
    // The closest points lie on the front face's spot faces, the thickness
    // apart (within the tolerance).
    const TJson& a = f["PointA"];
    const TJson& b = f["PointB"];
    const double dx = a["X"].Num() - b["X"].Num(), dy = a["Y"].Num() - b["Y"].Num(), dz = a["Z"].Num() - b["Z"].Num();
    EXPECT_NEAR(std::sqrt(dx * dx + dy * dy + dz * dz), f["Thickness"].Num(), 0.16);
    EXPECT_LE(a["Y"].Num(), 1.0 + 1e-9);

    ASSERT_EQ(j["Connections"].items.size(), 1u);
    const TJson& c = j["Connections"][0];
    EXPECT_EQ(c.Keys(), (TKeys{"Hole", "OtherHole", "Overlap", "Point"}));
    EXPECT_EQ(c["Hole"]["Group"].text, "P");
    EXPECT_EQ(c["OtherHole"]["Group"].text, "");
    EXPECT_GT(c["Overlap"].Num(), 0.0);

    const TJson& s = j["Summary"];
    EXPECT_EQ(s["Findings"].text, "1");
    EXPECT_EQ(s["BoreFindings"].text, "1");
    EXPECT_EQ(s["FaceFindings"].text, "0");
    EXPECT_EQ(s["CutOutFindings"].text, "0");
    EXPECT_EQ(s["Connections"].text, "1");
    EXPECT_EQ(s["HolesChecked"].text, "29"); // the dummy hole is not drilled
    EXPECT_TRUE(s["Complete"].b);
    EXPECT_EQ(s["PairsNotTested"].text, "0");

    // The compact form says the same.
    const test::TRunResult compact = Walls("--compact " + Quoted(demo));
    ASSERT_EQ(compact.status, 0);
    EXPECT_EQ(compact.out.find("\n"), compact.out.size() - 1);
    EXPECT_EQ(ParseJson(compact.out)["Findings"][0]["Thickness"].text, f["Thickness"].text);
}

TEST(MnfInspectWalls, DesignWithoutFindingsAndInInches)
{
    TManifold m;
    m.FData.MeasuringUnits = muIN;
    m.FData.Max = {4.0, 4.0, 4.0};
    m.fCalculateSettingsNew.fData = TCalculateSettinsNewData::InchDefaults();
    for (double x : {1.0, 3.0}) {
        THole& h = *m.FHoleList.Add();
        h.FData.HoleNumber = m.FHoleList.Count();
        h.FData.FaceNumber = 1;
        h.FData.XXY = x;
        h.FData.YZZ = 2.0;
        TStepData s;
        s.Diameter = 0.5;
        s.Depth = 2.0;
        samples::SetSteps(h, {s});
    }
    const std::string path = test::TempPath("walls-clean.mnf");
    samples::WriteDesignDocument(path, m);
    const test::TRunResult run = Walls(Quoted(path));
    ASSERT_EQ(run.status, 0) << run.err;
    const TJson j = ParseJson(run.out);
    EXPECT_EQ(j["Unit"].text, "in");
    EXPECT_EQ(j["Required"]["Wallthickness"].Num(), 0.2);
    EXPECT_TRUE(j["Findings"].items.empty());
    EXPECT_TRUE(j["Connections"].items.empty());
    EXPECT_EQ(j["Summary"]["Findings"].text, "0");
    EXPECT_EQ(j["Summary"]["HolesChecked"].text, "2");
}

TEST(MnfInspectWalls, ExitStatus)
{
    const std::string demo = test::TempPath("walls-status.mnf");
    samples::WriteDemoDesign(demo, false);
    const std::string junk = test::TempPath("walls-junk.mnf");
    test::WriteBytes(junk, std::string(1000, 'j'));
    const struct { std::string args; int status; bool json; } cases[] = {
        {Quoted(demo), 0, true},              // findings are an answer
        {Quoted(junk), 1, true},              // not a design
        {Quoted(test::TempPath("walls-missing.mnf")), 1, false},
        {"--geometry " + Quoted(demo), 2, false}, // one answer at a time
        {"", 2, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const test::TRunResult r = Walls(c.args);
        EXPECT_EQ(r.status, c.status);
        if (c.json) {
            EXPECT_EQ(r.err, "");
            const TJson j = ParseJson(r.out);
            EXPECT_EQ(j["LoadResult"].b, c.status == 0);
            EXPECT_EQ(j.Has("Findings"), c.status == 0);
        } else {
            EXPECT_EQ(r.out, "");
            ASSERT_FALSE(r.err.empty());
            EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
        }
    }

    // A write the system refuses ends with 2 and one line of reason.
    const std::string err = test::TempPath("walls-full.err");
    const int raw = std::system(("'" MNF_INSPECT "' --walls " + Quoted(demo) + " >/dev/full 2>" + Quoted(err)).c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), 2);
    EXPECT_EQ(test::ReadBytes(err).rfind("mnf-inspect: cannot write the output: ", 0), 0u);
}
