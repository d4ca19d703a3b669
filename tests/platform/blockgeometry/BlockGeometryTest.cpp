// The block geometry component on small blocks whose outlines can be
// counted by hand: a box, a box with a notch, a slot, a pocket, a chamfer.
#include "platform/blockgeometry/BlockGeometry.h"

#include "testkit/LineSets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace qv::blockgeometry {
namespace {

using Segment = test::TSegment;
Segment Canon(const TLine& l) { return test::SegmentOf(l); }

std::multiset<Segment> Lines3D(IBlockGeometry& g)
{
    std::multiset<Segment> out;
    const int n = g.Lines3DInit();
    for (int i = 0; i < n; ++i) {
        TLine l;
        g.Line3D(l, i);
        out.insert(Canon(l));
    }
    return out;
}

std::multiset<Segment> View(IBlockGeometry& g, int axis, bool side)
{
    std::multiset<Segment> out;
    const int n = g.LinesViewInit(axis, side);
    for (int i = 0; i < n; ++i) {
        TLine l;
        g.LineView(l, i);
        out.insert(Canon(l));
    }
    return out;
}

std::multiset<Segment> Loop(const std::vector<TPoint>& pts) { return test::LoopOf(pts); }

std::multiset<Segment> BoxEdges(TPoint lo, TPoint hi)
{
    std::multiset<Segment> out;
    const double xs[2] = {lo.X, hi.X}, ys[2] = {lo.Y, hi.Y}, zs[2] = {lo.Z, hi.Z};
    for (int a = 0; a < 2; ++a)
        for (int b = 0; b < 2; ++b) {
            out.insert(Canon({{lo.X, ys[a], zs[b]}, {hi.X, ys[a], zs[b]}}));
            out.insert(Canon({{xs[a], lo.Y, zs[b]}, {xs[a], hi.Y, zs[b]}}));
            out.insert(Canon({{xs[a], ys[b], lo.Z}, {xs[a], ys[b], hi.Z}}));
        }
    return out;
}

std::multiset<Segment> Union(std::multiset<Segment> a, const std::multiset<Segment>& b)
{
    a.insert(b.begin(), b.end());
    return a;
}

using test::Contains;

constexpr TPoint Max{100, 80, 60};

struct TBlock : ::testing::Test {
    TBlockGeometry g;
    void SetUp() override { g.SetManifold({0, 0, 0}, Max); }
    void Polygon(const std::vector<TPoint>& pts, TPoint dir)
    {
        std::vector<double> x, y, z;
        for (const TPoint& p : pts) {
            x.push_back(p.X);
            y.push_back(p.Y);
            z.push_back(p.Z);
        }
        g.AddCutOutPolygon(x.data(), y.data(), z.data(), static_cast<int>(pts.size()), dir);
    }
};

TEST_F(TBlock, PlainBlockHasItsTwelveEdgesAndSixRectangles)
{
    EXPECT_EQ(Lines3D(g), BoxEdges({0, 0, 0}, Max));
    EXPECT_EQ(g.RemovedVolume(), 0.0);
    // Each view is the block face the viewer looks at.
    EXPECT_EQ(View(g, 2, true), Loop({{0, 0, 0}, {100, 0, 0}, {100, 80, 0}, {0, 80, 0}}));
    EXPECT_EQ(View(g, 2, false), Loop({{0, 0, 60}, {100, 0, 60}, {100, 80, 60}, {0, 80, 60}}));
    EXPECT_EQ(View(g, 0, true), Loop({{0, 0, 0}, {0, 80, 0}, {0, 80, 60}, {0, 0, 60}}));
    EXPECT_EQ(View(g, 0, false), Loop({{100, 0, 0}, {100, 80, 0}, {100, 80, 60}, {100, 0, 60}}));
    EXPECT_EQ(View(g, 1, true), Loop({{0, 0, 0}, {100, 0, 0}, {100, 0, 60}, {0, 0, 60}}));
    EXPECT_EQ(View(g, 1, false), Loop({{0, 80, 0}, {100, 80, 0}, {100, 80, 60}, {0, 80, 60}}));
}

TEST_F(TBlock, CornerPocketLeavesANotch)
{
    g.AddCutOutBlock({0, 0, 0}, {20, 10, 5});
    const auto lines = Lines3D(g);
    // 14 corners and 9 faces: 21 edges; among them the notch's inner edges
    // and the block edges shortened by it.
    EXPECT_EQ(lines.size(), 21u);
    for (Segment s : {Canon({{20, 10, 0}, {20, 10, 5}}), Canon({{20, 10, 5}, {0, 10, 5}}),
                      Canon({{20, 10, 5}, {20, 0, 5}}), Canon({{0, 0, 5}, {0, 0, 60}}),
                      Canon({{100, 0, 0}, {20, 0, 0}})})
        EXPECT_EQ(lines.count(s), 1u);
    EXPECT_EQ(lines.count(Canon({{0, 0, 0}, {100, 0, 0}})), 0u) << "the cut-away corner edge is gone";
    EXPECT_NEAR(*g.RemovedVolume(), 20 * 10 * 5, 1e-6);
}

TEST_F(TBlock, ThroughSlotIsAUProfileSeenEndOn)
{
    g.AddCutOutBlock({0, 30, 0}, {100, 50, 10});
    EXPECT_EQ(Lines3D(g).size(), 24u); // a prism over an eight-cornered profile
    const std::vector<TPoint> u = {{0, 0, 0}, {0, 30, 0}, {0, 30, 10}, {0, 50, 10},
                                   {0, 50, 0}, {0, 80, 0}, {0, 80, 60}, {0, 0, 60}};
    EXPECT_EQ(View(g, 0, true), Loop(u));
    std::vector<TPoint> far = u;
    for (TPoint& p : far)
        p.X = 100;
    EXPECT_EQ(View(g, 0, false), Loop(far));
    EXPECT_NEAR(*g.RemovedVolume(), 100 * 20 * 10, 1e-6);
}

TEST_F(TBlock, SlotThroughEverythingLeavesTwoBlocks)
{
    g.AddCutOutBlock({0, 30, 0}, {100, 50, 60});
    EXPECT_EQ(Lines3D(g), Union(BoxEdges({0, 0, 0}, {100, 30, 60}), BoxEdges({0, 50, 0}, {100, 80, 60})));
    EXPECT_EQ(View(g, 2, false), Union(Loop({{0, 0, 60}, {100, 0, 60}, {100, 30, 60}, {0, 30, 60}}),
                                       Loop({{0, 50, 60}, {100, 50, 60}, {100, 80, 60}, {0, 80, 60}})));
    EXPECT_NEAR(*g.RemovedVolume(), 100 * 20 * 60, 1e-6);
}

TEST_F(TBlock, BlindPocketIsSeenOnlyFromItsOwnFace)
{
    g.AddCutOutBlock({30, 20, 0}, {50, 40, 5});
    // The block's edges and the pocket's: rim, floor and four walls.
    EXPECT_EQ(Lines3D(g), Union(BoxEdges({0, 0, 0}, Max), BoxEdges({30, 20, 0}, {50, 40, 5})));
    const auto rim = Loop({{30, 20, 0}, {50, 20, 0}, {50, 40, 0}, {30, 40, 0}});
    const auto outer = Loop({{0, 0, 0}, {100, 0, 0}, {100, 80, 0}, {0, 80, 0}});
    const auto seen = View(g, 2, true);
    EXPECT_TRUE(Contains(seen, Union(outer, rim)));
    // From the opposite face the pocket is hidden.
    EXPECT_EQ(View(g, 2, false), Loop({{0, 0, 60}, {100, 0, 60}, {100, 80, 60}, {0, 80, 60}}));
}

TEST_F(TBlock, ChamferPrismWithClosingPoint)
{
    Polygon({{0, 0, 0}, {20, 0, 0}, {0, 10, 0}, {0, 0, 0}}, {0, 0, 60});
    EXPECT_EQ(Lines3D(g).size(), 15u); // a prism over a pentagon
    EXPECT_NEAR(*g.RemovedVolume(), 20 * 10 / 2.0 * 60, 1e-6);
    EXPECT_EQ(View(g, 2, true), Loop({{20, 0, 0}, {100, 0, 0}, {100, 80, 0}, {0, 80, 0}, {0, 10, 0}}));
}

TEST_F(TBlock, OverlappingPocketsAreCountedOnce)
{
    g.AddCutOutBlock({10, 10, 0}, {40, 30, 5});
    g.AddCutOutBlock({30, 20, 0}, {60, 50, 5});
    // One pocket of eight corners, its floor one face: 12 + 8 + 8 + 8.
    EXPECT_EQ(Lines3D(g).size(), 36u);
    EXPECT_NEAR(*g.RemovedVolume(), (30 * 20 + 30 * 30 - 10 * 10) * 5, 1e-6);
}

TEST_F(TBlock, CutOutsThatRemoveNothingLeaveTheBox)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    g.AddCutOutBlock({200, 0, 0}, {220, 10, 10});  // outside
    g.AddCutOutBlock({100, 0, 0}, {120, 10, 10});  // touching a face from outside
    g.AddCutOutBlock({10, 10, 0}, {10, 30, 10});   // no width
    g.AddCutOutBlock({10, 10, 0}, {nan, 30, 10});  // not a number
    Polygon({{0, 0, 0}, {20, 0, 0}, {40, 0, 0}, {0, 0, 0}}, {0, 0, 60}); // on one line
    Polygon({{0, 0, 0}, {20, 0, 0}, {0, 10, 0}}, {0, 0, 0});             // no sweep
    Polygon({{0, 0, 0}, {20, 0, 0}, {0, 10, 0}}, {10, 0, 0});            // swept in its own plane
    g.AddCutOutPolygon(nullptr, nullptr, nullptr, 4, {0, 0, 60});
    double x[300] = {}, y[300] = {}, z[300] = {};
    g.AddCutOutPolygon(x, y, z, 300, {0, 0, 60}); // more points than any polygon buffer
    EXPECT_EQ(Lines3D(g), BoxEdges({0, 0, 0}, Max));
    EXPECT_EQ(g.RemovedVolume(), 0.0);
}

TEST_F(TBlock, SlotRunningFarOutIsASlotToTheFace)
{
    g.AddCutOutBlock({10, 10, 0}, {1e20, 20, 5});
    const auto far = Lines3D(g);
    EXPECT_NEAR(*g.RemovedVolume(), 90 * 10 * 5, 1e-6);
    g.SetManifold({0, 0, 0}, Max);
    g.AddCutOutBlock({10, 10, 0}, {100, 20, 5});
    EXPECT_EQ(far, Lines3D(g));
}

// A prism the modeller cannot cut: the rest is still cut, and the removed
// volume is not claimed to be known.
TEST_F(TBlock, CutOutTheModellerCannotCutIsLeftOut)
{
    for (double farOut : {1e10 /* the cut of all tools fails */, 1e300 /* refused before */}) {
        SCOPED_TRACE(farOut);
        g.SetManifold({0, 0, 0}, Max);
        Polygon({{0, 0, 0}, {farOut, 0, 0}, {0, 10, 0}}, {0, 0, 60});
        g.AddCutOutBlock({30, 20, 0}, {50, 40, 5});
        EXPECT_EQ(Lines3D(g), Union(BoxEdges({0, 0, 0}, Max), BoxEdges({30, 20, 0}, {50, 40, 5})));
        EXPECT_FALSE(g.RemovedVolume());
    }
}

TEST_F(TBlock, CutOutLargerThanTheBlockRemovesAll)
{
    g.AddCutOutBlock({-10, -10, -10}, {110, 90, 70});
    EXPECT_EQ(g.Lines3DInit(), 0);
    EXPECT_EQ(g.LinesViewInit(2, true), 0);
    EXPECT_NEAR(*g.RemovedVolume(), 100 * 80 * 60, 1e-6);
}

TEST(BlockGeometry, SetManifoldStartsAfresh)
{
    TBlockGeometry g;
    EXPECT_EQ(g.Lines3DInit(), 0) << "no block yet";
    EXPECT_FALSE(g.RemovedVolume());
    g.SetManifold({0, 0, 0}, {10, 10, 10});
    g.AddCutOutBlock({0, 0, 0}, {5, 5, 5});
    EXPECT_EQ(g.Lines3DInit(), 21);
    // Corners given the other way round describe the same block.
    g.SetManifold({20, 10, 5}, {0, 0, 0});
    EXPECT_EQ(Lines3D(g), BoxEdges({0, 0, 0}, {20, 10, 5}));
    g.SetManifold({0, 0, 0}, {20, 0, 5}); // flat: no block
    EXPECT_EQ(g.Lines3DInit(), 0);
    EXPECT_EQ(g.LinesViewInit(0, true), 0);
}

TEST(BlockGeometry, ADescriptionRepeatedOrChangedGivesItsOwnLines)
{
    TBlockGeometry g;
    auto describe = [&](double pocketDepth) {
        g.SetManifold({0, 0, 0}, {10, 10, 10});
        g.AddCutOutBlock({0, 0, 0}, {5, 5, pocketDepth});
    };
    describe(5);
    const auto first = Lines3D(g);
    const auto firstView = View(g, 0, true);
    describe(5);
    EXPECT_EQ(Lines3D(g), first);
    EXPECT_EQ(View(g, 0, true), firstView);
    describe(10); // now a notch through the whole height: 6 corners in plan
    EXPECT_EQ(Lines3D(g).size(), 18u);
    EXPECT_NE(View(g, 0, true), firstView);
    EXPECT_NEAR(*g.RemovedVolume(), 250, 1e-9);
    describe(5);
    g.AddCutOutBlock({9, 9, 9}, {10, 10, 10}); // one cut-out more
    EXPECT_EQ(Lines3D(g).size(), 30u);
}

TEST(BlockGeometry, IndexesOutsideTheCountsLeaveTheLine)
{
    TBlockGeometry g;
    g.SetManifold({0, 0, 0}, {10, 10, 10});
    const TLine marker{{1, 2, 3}, {4, 5, 6}};
    TLine l = marker;
    ASSERT_EQ(g.Lines3DInit(), 12);
    g.Line3D(l, 12);
    g.Line3D(l, -1);
    EXPECT_EQ(l, marker);
    ASSERT_EQ(g.LinesViewInit(1, false), 4);
    g.LineView(l, 4);
    EXPECT_EQ(l, marker);
    EXPECT_EQ(g.LinesViewInit(3, false), 0) << "no such axis";
    g.LineView(l, 0);
    EXPECT_EQ(l, marker);
}

} // namespace
} // namespace qv::blockgeometry
