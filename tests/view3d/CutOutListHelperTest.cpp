// The cut-out outline driver: what it hands the block geometry component
// (checked on a fake that records the calls) and what it makes of the lines
// that come back; then the real component on the demo design.
#include "view3d/BlockOutline.h"
#include "view3d/CutOutLists.Helpers.h"

#include "document/Manifolds.h"
#include "model/CutOut.Helpers.h"
#include "testkit/LineSets.h"
#include "testkit/SampleDesigns.h"
#include "view3d/scene/GLScene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace qv {
namespace {

using blockgeometry::IBlockGeometry;
using blockgeometry::TLine;
using blockgeometry::TPoint;

// Records every call as text and hands out the lines it is given.
class TFakeGeometry final : public IBlockGeometry {
public:
    std::vector<std::string> Calls;
    std::vector<TPoint> PolygonPoints;
    std::vector<TLine> Lines;     // for Line3D
    std::vector<TLine> ViewLines; // for every view

    static std::string P(const TPoint& p)
    {
        return "(" + Num(p.X) + "," + Num(p.Y) + "," + Num(p.Z) + ")";
    }
    static std::string Num(double v)
    {
        std::string s = std::to_string(v);
        s.erase(s.find_last_not_of('0') + 1);
        if (s.back() == '.')
            s.pop_back();
        return s;
    }

    void SetManifold(const TPoint& o, const TPoint& m) override { Calls.push_back("SetManifold" + P(o) + P(m)); }
    void AddCutOutBlock(const TPoint& s, const TPoint& e) override { Calls.push_back("Block" + P(s) + P(e)); }
    void AddCutOutPolygon(const double* x, const double* y, const double* z, int count, const TPoint& d) override
    {
        Calls.push_back("Polygon" + std::to_string(count) + P(d));
        PolygonPoints.clear();
        for (int i = 0; i < count; ++i)
            PolygonPoints.push_back({x[i], y[i], z[i]});
    }
    int Lines3DInit() override
    {
        Calls.push_back("Lines3DInit");
        return static_cast<int>(Lines.size());
    }
    void Line3D(TLine& l, int i) override { l = Lines.at(static_cast<size_t>(i)); }
    int LinesViewInit(int axis, bool side) override
    {
        Calls.push_back("View" + std::to_string(axis) + (side ? "T" : "F"));
        return static_cast<int>(ViewLines.size());
    }
    void LineView(TLine& l, int i) override { l = ViewLines.at(static_cast<size_t>(i)); }
};

constexpr TXYZPoint Max{100, 80, 60};

void Add(TCutOutList& list, TCutOutData data)
{
    list.Add()->fData = data;
}

TCutOutData Data(int face, int corner, double w, double h, bool through, double depth, bool chamfer)
{
    TCutOutData d;
    d.FaceNumber = face;
    d.Corner = corner;
    d.Width = w;
    d.Height = h;
    d.Through = through;
    d.Depth = depth;
    d.SimpleChamfer = chamfer;
    return d;
}

TEST(CutOutListHelper, WithoutCutOutsTheBoxEdgesAndNoCallToTheComponent)
{
    TFakeGeometry fake;
    TCutOutList none;
    const TSimpleXYZLineList lines = TCutOutListHelper::CreateOutlineLines(fake, Max, none);
    EXPECT_TRUE(fake.Calls.empty());
    ASSERT_EQ(lines.size(), 12u);
    // Every edge is one block dimension long, between two corners of the box.
    std::set<std::tuple<double, double, double, double, double, double>> distinct;
    for (const TSimpleXYZLine& l : lines) {
        const TXYZPoint d = l.P2 - l.P1;
        const int along = (d.X != 0) + (d.Y != 0) + (d.Z != 0);
        EXPECT_EQ(along, 1);
        EXPECT_TRUE(d.X == 100 || d.Y == 80 || d.Z == 60);
        for (const TXYZPoint& p : {l.P1, l.P2})
            EXPECT_TRUE((p.X == 0 || p.X == 100) && (p.Y == 0 || p.Y == 80) && (p.Z == 0 || p.Z == 60));
        distinct.insert({l.P1.X, l.P1.Y, l.P1.Z, l.P2.X, l.P2.Y, l.P2.Z});
    }
    EXPECT_EQ(distinct.size(), 12u);
    EXPECT_EQ(TCutOutListHelper::CutOutVolume(Max, none), 0.0);
}

TEST(CutOutListHelper, HandsTheComponentTheMirroredBlockAndCutOutsInOrder)
{
    TFakeGeometry fake;
    TCutOutList list;
    Add(list, Data(1, 3, 20, 10, false, 5, false)); // a pocket at a corner of face 1
    Add(list, Data(6, 1, 20, 10, true, 0, true));   // a chamfer through from face 6
    TCutOutListHelper::UpdateData(fake, Max, list);
    const std::vector<std::string> expected = {
        "SetManifold(0,0,0)(100,80,60)",
        // Face 1 lies at z' = 60 in the mirrored space; the pocket goes up.
        "Block(100,80,60)(80,70,55)",
        // Three corners and the first again; swept from face 6 (z' = 0) down
        // through the block.
        "Polygon4(0,0,60)",
        // The faces 1 to 6 in turn.
        "View2F", "View1T", "View0T", "View0F", "View1F", "View2T",
    };
    EXPECT_EQ(fake.Calls, expected);
    ASSERT_EQ(fake.PolygonPoints.size(), 4u);
    EXPECT_EQ(fake.PolygonPoints.front(), fake.PolygonPoints.back());
    const std::vector<TPoint> triangle = {{0, 0, 0}, {0, 10, 0}, {20, 0, 0}, {0, 0, 0}};
    EXPECT_EQ(fake.PolygonPoints, triangle);
}

TEST(CutOutListHelper, LinesComeBackWithZMirrored)
{
    TFakeGeometry fake;
    fake.Lines = {{{1, 2, 0}, {3, 4, 60}}, {{5, 6, 10}, {7, 8, 20}}};
    fake.ViewLines = {{{1, 1, 0}, {2, 2, 0}}};
    TCutOutList list;
    Add(list, Data(6, 1, 10, 10, false, 5, false));
    const TSimpleXYZLineList lines = TCutOutListHelper::CreateOutlineLines(fake, Max, list);
    // z' = 0 is the top face, model Z = Max.Z.
    const TSimpleXYZLineList expected = {{{1, 2, 60}, {3, 4, 0}}, {{5, 6, 50}, {7, 8, 40}}};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(fake.Calls.back(), "Lines3DInit");
    for (int face = 1; face <= 6; ++face) {
        const TSimpleXYZLineList one = {{{1, 1, 60}, {2, 2, 60}}};
        EXPECT_EQ(*list.GetFaceLines(face), one) << face;
    }
    // A new update replaces the face lines instead of adding to them.
    fake.ViewLines.clear();
    TCutOutListHelper::UpdateData(fake, Max, list);
    EXPECT_TRUE(list.GetFaceLines(3)->empty());
}

TEST(CutOutListHelper, OutlinePolylinesAtScenePoints)
{
    scene::TGLDummyCube root;
    const TSimpleXYZLineList lines = {{{0, 0, 0}, {100, 0, 0}}, {{100, 80, 60}, {50, 40, 30}}};
    AddBlockOutline(root, lines, Max, 0.05);
    ASSERT_EQ(root.Count(), 2);
    auto* first = dynamic_cast<scene::TGLLines*>(root.Children(0));
    auto* second = dynamic_cast<scene::TGLLines*>(root.Children(1));
    ASSERT_TRUE(first && second);
    ASSERT_EQ(first->Nodes().size(), 2u);
    // SC * (Max / 2 - p): the model origin is the scene's (+X, +Y, +Z) corner.
    EXPECT_EQ(first->Nodes()[0], scene::TVector3(2.5f, 2.0f, 1.5f));
    EXPECT_EQ(first->Nodes()[1], scene::TVector3(-2.5f, 2.0f, 1.5f));
    EXPECT_EQ(second->Nodes()[0], scene::TVector3(-2.5f, -2.0f, -1.5f));
    EXPECT_EQ(second->Nodes()[1], scene::TVector3(0.0f, 0.0f, 0.0f));
    EXPECT_FALSE(first->Pickable);
    EXPECT_FALSE(first->ShowAxes);
    EXPECT_EQ(first->NodesAspect, scene::lnaInvisible);
    EXPECT_EQ(first->Tag, 0);
    EXPECT_EQ(first->LineColor, scene::ConvertWinColor(0x00808080));
}

using Segment = test::TSegment;
Segment Canon(const TSimpleXYZLine& l) { return test::SegmentOf(l); }
std::multiset<Segment> Canon(const TSimpleXYZLineList& lines) { return test::SegmentsOf(lines); }
std::multiset<Segment> Loop(const std::vector<TXYZPoint>& pts) { return test::LoopOf(pts); }

// The demo block, 160 x 120 x 90: a chamfer 12 x 12 through the block along
// the Z edge at X = 0, Y = 120, and a step 16 x 10, 10 deep, at the corner
// X = 160, Y = 0 of the top face.
TEST(CutOutListHelper, DemoDesignOutline)
{
    const auto demo = samples::DemoDesign();
    TCutOutList& cutOuts = demo->CutOutList();
    const TXYZPoint max = demo->Max();
    ASSERT_EQ(cutOuts.Count(), 2);
    ASSERT_TRUE(cutOuts.GetCutOuts(0)->GetHasSimpleChamfer());

    blockgeometry::TBlockGeometry geometry;
    const auto lines = Canon(TCutOutListHelper::CreateOutlineLines(geometry, max, cutOuts));
    // The box has 8 corners, 6 faces; the chamfer adds 2 corners and a face,
    // the step 6 corners and 3 faces: 16 + 10 - 2 = 24 edges.
    EXPECT_EQ(lines.size(), 24u);
    const std::multiset<Segment> expectedPart = {
        // the chamfer face's edges
        Canon(TSimpleXYZLine{{0, 108, 0}, {0, 108, 90}}), Canon(TSimpleXYZLine{{12, 120, 0}, {12, 120, 90}}),
        Canon(TSimpleXYZLine{{0, 108, 90}, {12, 120, 90}}), Canon(TSimpleXYZLine{{0, 108, 0}, {12, 120, 0}}),
        // the step's floor and inner walls
        Canon(TSimpleXYZLine{{144, 0, 80}, {160, 0, 80}}), Canon(TSimpleXYZLine{{144, 10, 80}, {160, 10, 80}}),
        Canon(TSimpleXYZLine{{144, 0, 80}, {144, 10, 80}}), Canon(TSimpleXYZLine{{160, 0, 80}, {160, 10, 80}}),
        Canon(TSimpleXYZLine{{144, 10, 80}, {144, 10, 90}}),
    };
    EXPECT_TRUE(test::Contains(lines, expectedPart));
    EXPECT_EQ(lines.count(Canon(TSimpleXYZLine{{0, 120, 0}, {0, 120, 90}})), 0u) << "the chamfered edge is gone";

    // From below (face 1) only the chamfered rectangle shows, at Z = 0.
    EXPECT_EQ(Canon(*cutOuts.GetFaceLines(1)),
              Loop({{0, 0, 0}, {160, 0, 0}, {160, 120, 0}, {12, 120, 0}, {0, 108, 0}}));
    // From above (face 6), at Z = 90: the top face with the step's notch,
    // and the step floor's outer edges, which show past the top face.
    auto expectedTop = Loop({{0, 0, 90}, {144, 0, 90}, {144, 10, 90}, {160, 10, 90}, {160, 120, 90},
                             {12, 120, 90}, {0, 108, 90}});
    expectedTop.insert(Canon(TSimpleXYZLine{{144, 0, 90}, {160, 0, 90}}));
    expectedTop.insert(Canon(TSimpleXYZLine{{160, 0, 90}, {160, 10, 90}}));
    EXPECT_EQ(Canon(*cutOuts.GetFaceLines(6)), expectedTop);
    // From the front (face 2), at Y = 0: the block's side with the step's
    // notch, and the top edge of the step's back wall seen through it.
    auto expectedFront = Loop({{0, 0, 0}, {160, 0, 0}, {160, 0, 80}, {144, 0, 80}, {144, 0, 90}, {0, 0, 90}});
    expectedFront.insert(Canon(TSimpleXYZLine{{144, 0, 90}, {160, 0, 90}}));
    expectedFront.insert(Canon(TSimpleXYZLine{{160, 0, 80}, {160, 0, 90}}));
    EXPECT_EQ(Canon(*cutOuts.GetFaceLines(2)), expectedFront);
    for (int face = 1; face <= 6; ++face)
        EXPECT_FALSE(cutOuts.GetFaceLines(face)->empty()) << face;
}

TEST(CutOutListHelper, CutOutVolumeOfTheSolidAndTheBoxEstimate)
{
    // The demo: a chamfer is half its box, the step a full box.
    const auto demo = samples::DemoDesign();
    EXPECT_NEAR(TCutOutListHelper::CutOutVolume(demo->Max(), demo->CutOutList()), 12 * 12 / 2.0 * 90 + 16 * 10 * 10,
                1e-6);
    EXPECT_NEAR(TCutOutListHelper::CutOutBoxVolume(demo->Max(), demo->CutOutList()), 12 * 12 * 90 + 16 * 10 * 10,
                1e-6);

    // Two through slots crossing each other on face 6: the crossing is
    // taken away once; the box estimate counts it twice.
    TCutOutList crossing;
    TCutOutData a = Data(6, -1, 100, 10, true, 0, false); // along X at Y 30..40
    a.Y = 30;
    TCutOutData b = Data(6, -1, 10, 80, true, 0, false); // along Y at X 50..60
    b.X = 50;
    Add(crossing, a);
    Add(crossing, b);
    EXPECT_NEAR(TCutOutListHelper::CutOutVolume(Max, crossing), (100 * 10 + 10 * 80 - 10 * 10) * 60, 1e-6);
    EXPECT_NEAR(TCutOutListHelper::CutOutBoxVolume(Max, crossing), (100 * 10 + 10 * 80) * 60, 1e-6);

    // Where the block is no solid at all the box estimate stands in.
    TCutOutList pocket;
    Add(pocket, Data(1, 1, 10, 10, false, 5, false));
    EXPECT_NEAR(TCutOutListHelper::CutOutVolume({100, 80, 0}, pocket), 500, 1e-9);
}

} // namespace
} // namespace qv
