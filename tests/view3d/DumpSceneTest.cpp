// QuorvaneViewer --dump-scene run as a program: its exit status, the JSON
// layout other tools read, and that it prints the scene exactly as opening
// the file builds it (settings file, group filter).
#include "Drawing3DSupport.h"
#include "ViewerCommand.h"

#include "document/Manifolds.h"
#include "testkit/SampleDesigns.h"
#include "testkit/TestFiles.h"
#include "view3d/ManifoldView.h"
#include "view3d/SceneJson.h"

#include <QJsonDocument>

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>

using namespace qv;
using namespace qv::test3d;

namespace {

// The scene of a file as the program builds it after opening it.
std::string InProcess(const std::string& file, const TIsometricDrawingSettings& s,
                      const std::vector<std::string>& groups, bool hide)
{
    TManifold m;
    EXPECT_TRUE(m.LoadFromFile(file));
    TIsometricDrawingSettings settings;
    settings.Assign(s);
    TManifoldView view(settings);
    view.DocumentLoaded(m);
    view.fVisibleGroupNames = groups;
    view.HideNotSelected = hide;
    view.ApplyGroupFilter(true);
    return SceneToJson(*view.GLDummyCube1(), view.SC(), view.LabelTextHeight());
}

QStringList Keys(const QJsonObject& o)
{
    // QJsonObject sorts its keys; the order is checked on the raw text.
    return o.keys();
}

} // namespace

TEST(DumpScene, UsageAndLoadErrors)
{
    struct Row { std::string args; int status; };
    const Row rows[] = {
        {"", 1}, // the window, but there is no display to open it on
        {"--bogus", 2},
        {"--dump-scene", 2},
        {"--dump-scene " + Q(DemoFile()) + " --bogus", 2},
        {"--dump-scene " + Q(DemoFile()) + " --show-not-selected", 2}, // only with --groups
        {"--dump-scene " + Q(test::TempPath("no-such-file.mnf")), 1},
        {"--dump-scene " + Q(DemoFile()) + " --settings " + Q(test::TempPath("no-such.ini")), 1},
    };
    for (const Row& r : rows) {
        const test::TRunResult run = Viewer(r.args);
        EXPECT_EQ(run.status, r.status) << r.args << "\n" << run.err;
        EXPECT_TRUE(run.out.empty()) << r.args;
        EXPECT_FALSE(run.err.empty()) << r.args;
    }
    const std::string junk = test::TempPath("junk.mnf");
    test::WriteBytes(junk, std::string(100, 'x'));
    EXPECT_EQ(Viewer("--dump-scene " + Q(junk)).status, 1);
}

TEST(DumpScene, PrintsTheSceneAsOpeningTheFileBuildsIt)
{
    const test::TRunResult run = Viewer("--dump-scene " + Q(DemoFile()));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, InProcess(DemoFile(), TIsometricDrawingSettings(), {}, true));

    // The layout: keys of the top level and of each kind, in this order.
    EXPECT_EQ(run.out.rfind("{\"SC\":", 0), 0u);
    EXPECT_NE(run.out.find(",\"LabelTextHeight\":"), std::string::npos);
    const TDump d = ParseDump(run.out);
    TManifold m;
    ASSERT_TRUE(m.LoadFromFile(DemoFile()));
    EXPECT_EQ(d.SC, 5 / m.FData.Max.X);
    const QStringList common = {"Kind", "Tag", "TagFloat", "Visible", "Position", "Direction", "Up", "Scale",
                                "AbsolutePosition", "AbsoluteDirection", "AbsoluteUp"};
    const std::string order = "{\"Kind\":\"TGLAnnulus\",\"Tag\":";
    EXPECT_NE(run.out.find(order), std::string::npos);
    const std::map<QString, QStringList> extra = {
        {"TGLCube", {"CubeWidth", "CubeHeight", "CubeDepth", "Material"}},
        {"TGLAnnulus", {"TopRadius", "BottomRadius", "Height", "Slices", "Stacks", "TopInnerRadius",
                        "BottomInnerRadius", "Material"}},
        {"TGLLines", {"Nodes", "LineColor", "LineWidth", "NodesAspect"}},
        {"TGLSpaceText", {"Text", "TextHeight", "Oblique", "AdjustHorz", "AdjustVert", "Material"}},
    };
    std::set<QString> seen;
    for (const auto& n : d.All) {
        const QString kind = n["Kind"].toString();
        ASSERT_TRUE(extra.count(kind)) << kind.toStdString();
        seen.insert(kind);
        QStringList want = common + extra.at(kind) + QStringList{"Children"};
        want.sort();
        EXPECT_EQ(Keys(n), want) << kind.toStdString();
        if (n.contains("Material")) {
            QStringList mk = n["Material"].toObject().keys();
            EXPECT_EQ(mk, (QStringList{"BackDiffuse", "BlendingMode", "FrontDiffuse"}));
        }
    }
    EXPECT_EQ(seen.size(), extra.size());
    // Numbers carry 17 significant digits, so floats read back exactly.
    EXPECT_NE(run.out.find("\"FrontDiffuse\":[0.80000001192092896,"), std::string::npos);
}

TEST(DumpScene, SettingsFileAndGroupFilter)
{
    TManifold m;
    ASSERT_TRUE(m.LoadFromFile(DemoFile()));
    // A group used by the first step of a plain bore.
    std::string code;
    for (const auto& h : m.FHoleList)
        if (!h->GetIsCartridge() && h->FStepList.Count() > 0 && !h->FStepList.GetSteps(0)->FData.GroupCode.empty()) {
            code = h->FStepList.GetSteps(0)->FData.GroupCode;
            break;
        }
    ASSERT_FALSE(code.empty());

    TIsometricDrawingSettings s;
    s.fData.IsoFlags.Exclude(isoFaceNumbers);
    s.fData.IsoFlags.Include(isoManifold);
    s.fData.TextHeightFactor = 20;
    const std::string ini = test::TempPath("dump-iso.ini");
    s.SaveToIni(ini);

    struct Row { std::string extra; std::vector<std::string> groups; bool hide; };
    const Row rows[] = {
        {"", {}, true},
        {" --groups " + Q(code), {code}, true},
        {" --groups " + Q(code + ",nothing") + " --show-not-selected", {code, "nothing"}, false},
    };
    size_t hidden[3] = {0, 0, 0};
    for (size_t i = 0; i < 3; ++i) {
        const Row& r = rows[i];
        const test::TRunResult run = Viewer("--dump-scene " + Q(DemoFile()) + " --settings " + Q(ini) + r.extra);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, InProcess(DemoFile(), s, r.groups, r.hide)) << r.extra;
        const TDump d = ParseDump(run.out);
        EXPECT_NEAR(d.LabelTextHeight, 0.1, 1e-12);
        for (const auto* t : d.OfKind("TGLSpaceText")) EXPECT_NE((*t)["Text"].toString().left(4), "Face");
        EXPECT_TRUE(d.Nodes[0]["Visible"].toBool());
        for (const auto& n : d.All) hidden[i] += !n["Visible"].toBool();
    }
    EXPECT_EQ(hidden[0], 0u);
    EXPECT_GT(hidden[1], 0u);
    EXPECT_EQ(hidden[2], 0u); // shown darkened instead
}
