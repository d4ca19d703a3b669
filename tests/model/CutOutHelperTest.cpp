// The geometry of a cut-out: start and end corners, depth vector and outline
// on the face, in block space and in the Z-mirrored space of the 3D view.
#include "model/CutOut.Helpers.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using namespace qv;

namespace {

const TXYZPoint kMax = TXYZPoint::Make(100, 80, 60);

std::string Text(const TXYZPoint& p)
{
    std::ostringstream s;
    s << "(" << p.X << ", " << p.Y << ", " << p.Z << ")";
    return s.str();
}

testing::AssertionResult Same(const TXYZPoint& actual, const TXYZPoint& expected)
{
    if (actual.SameAs(expected)) return testing::AssertionSuccess();
    return testing::AssertionFailure() << Text(actual) << ", expected " << Text(expected);
}

TCutOut Make(int face, int corner, double x, double y, double w, double h, bool through, double depth,
             bool chamfer = false)
{
    TCutOut c;
    c.fData = {face, corner, x, y, w, h, through, depth, chamfer};
    return c;
}

TXYZPoint Mirrored(const TXYZPoint& p) { return {p.X, p.Y, kMax.Z - p.Z}; }

} // namespace

TEST(CutOutGeometry, StartPointAtEveryCornerOfEveryFace)
{
    // Corners 1 to 4 go round the face: (u, v) = (0, 0), (max, 0),
    // (max, max), (0, max); -1 is the free position (X, Y) = (7, 9).
    const TXYZPoint M = kMax;
    struct Row { int face; TXYZPoint c1, c2, c3, c4, free; };
    const Row rows[] = {
        {1, {0, 0, 0}, {M.X, 0, 0}, {M.X, M.Y, 0}, {0, M.Y, 0}, {7, 9, 0}},
        {2, {0, 0, 0}, {M.X, 0, 0}, {M.X, 0, M.Z}, {0, 0, M.Z}, {7, 0, 9}},
        {3, {0, 0, 0}, {0, M.Y, 0}, {0, M.Y, M.Z}, {0, 0, M.Z}, {0, 7, 9}},
        {4, {M.X, 0, 0}, {M.X, M.Y, 0}, {M.X, M.Y, M.Z}, {M.X, 0, M.Z}, {M.X, 7, 9}},
        {5, {0, M.Y, 0}, {M.X, M.Y, 0}, {M.X, M.Y, M.Z}, {0, M.Y, M.Z}, {7, M.Y, 9}},
        {6, {0, 0, M.Z}, {M.X, 0, M.Z}, {M.X, M.Y, M.Z}, {0, M.Y, M.Z}, {7, 9, M.Z}},
    };
    for (const Row& r : rows) {
        const std::pair<int, TXYZPoint> corners[] = {{1, r.c1}, {2, r.c2}, {3, r.c3}, {4, r.c4}, {-1, r.free}};
        for (const auto& [corner, expected] : corners) {
            SCOPED_TRACE(testing::Message() << "face " << r.face << " corner " << corner);
            const TCutOut c = Make(r.face, corner, 7, 9, 5, 4, true, 0);
            EXPECT_TRUE(Same(TCutOutHelper::GetStartPoint(c, kMax), expected));
            EXPECT_TRUE(Same(TCutOutHelper::GetStartPoint3D(c, kMax), Mirrored(expected)));
        }
    }
    // No corner and no face of that number: the block origin.
    for (const auto& [face, corner] : std::vector<std::pair<int, int>>{{1, 0}, {6, 5}, {3, -2}, {0, 1}, {7, -1}}) {
        SCOPED_TRACE(testing::Message() << "face " << face << " corner " << corner);
        EXPECT_TRUE(Same(TCutOutHelper::GetStartPoint(Make(face, corner, 7, 9, 5, 4, true, 0), kMax), {}));
    }
}

TEST(CutOutGeometry, EndPointAndDepthVectorInBlockAndSceneSpace)
{
    // Block 100 x 80 x 60.
    struct Row {
        const char* what;
        TCutOut c;
        TXYZPoint end, dir;
    };
    const Row rows[] = {
        {"face 1 corner 3, 5 deep", Make(1, 3, 0, 0, 20, 10, false, 5), {80, 70, 5}, {0, 0, 5}},
        {"face 2 corner 2", Make(2, 2, 0, 0, 20, 10, false, 5), {80, 5, 10}, {0, 5, 0}},
        // Faces 3 and 4 take Height along their first axis (Y).
        {"face 3 corner 4", Make(3, 4, 0, 0, 20, 10, false, 5), {5, 10, 40}, {5, 0, 0}},
        {"face 4 corner 1", Make(4, 1, 0, 0, 20, 10, false, 5), {95, 10, 20}, {-5, 0, 0}},
        {"face 5 corner 3", Make(5, 3, 0, 0, 20, 10, false, 5), {80, 75, 50}, {0, -5, 0}},
        {"face 6 corner 1, through", Make(6, 1, 0, 0, 20, 10, true, 5), {20, 10, 0}, {0, 0, -60}},
        {"face 2 corner 4, through", Make(2, 4, 0, 0, 20, 10, true, 5), {20, 80, 50}, {0, 80, 0}},
        {"face 3 free, through", Make(3, -1, 10, 5, 20, 30, true, 0), {100, 40, 25}, {100, 0, 0}},
        // A free cut-out runs backwards along an axis where it would leave
        // the block, and forwards when it ends exactly at the edge.
        {"face 1 free, leaves along X", Make(1, -1, 90, 0, 20, 10, false, 5), {70, 10, 5}, {0, 0, 5}},
        {"face 1 free, reaches the X edge", Make(1, -1, 80, 0, 20, 10, false, 5), {100, 10, 5}, {0, 0, 5}},
        {"face 1 free, leaves along Y", Make(1, -1, 0, 75, 20, 10, false, 5), {20, 65, 5}, {0, 0, 5}},
        {"face 6 free, leaves along Y", Make(6, -1, 10, 70, 20, 20, false, 5), {30, 50, 55}, {0, 0, -5}},
        {"face 2 free, leaves along Z", Make(2, -1, 10, 55, 20, 10, false, 5), {30, 5, 45}, {0, 5, 0}},
        {"face 5 free, leaves along X", Make(5, -1, 85, 10, 20, 10, false, 5), {65, 75, 20}, {0, -5, 0}},
        // Face 4: Y + Height = 90 leaves the block's 80, Z + Width = 55 does not.
        {"face 4 free, Height along Y", Make(4, -1, 70, 50, 5, 20, false, 5), {95, 50, 55}, {-5, 0, 0}},
        {"face 3 free, Width along Z", Make(3, -1, 10, 50, 20, 5, false, 5), {5, 15, 30}, {5, 0, 0}},
        // Any other corner starts at the origin and runs forwards.
        {"face 1 corner 0", Make(1, 0, 50, 50, 20, 10, false, 5), {20, 10, 5}, {0, 0, 5}},
        {"face 4 corner 9", Make(4, 9, 50, 50, 20, 10, false, 5), {95, 10, 20}, {95, 0, 0}},
        // No such face: the end is the start and there is no depth.
        {"face 0", Make(0, 1, 0, 0, 20, 10, false, 5), {0, 0, 0}, {0, 0, 0}},
        {"face 7 free", Make(7, -1, 3, 4, 20, 10, false, 5), {0, 0, 0}, {0, 0, 0}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        EXPECT_TRUE(Same(TCutOutHelper::GetEndPoint(r.c, kMax), r.end));
        EXPECT_TRUE(Same(TCutOutHelper::GetDirection(r.c, kMax), r.dir));
        EXPECT_TRUE(Same(TCutOutHelper::GetEndPoint3D(r.c, kMax), Mirrored(r.end)));
        EXPECT_TRUE(Same(TCutOutHelper::GetDirection3D(r.c, kMax), {r.dir.X, r.dir.Y, -r.dir.Z}));
    }
}

TEST(CutOutGeometry, SceneSpaceMirrorsZ)
{
    const TCutOut c = Make(1, 3, 0, 0, 20, 10, false, 5);
    EXPECT_TRUE(Same(TCutOutHelper::GetStartPoint(c, kMax), {100, 80, 0}));
    EXPECT_TRUE(Same(TCutOutHelper::GetStartPoint3D(c, kMax), {100, 80, 60}));
    EXPECT_TRUE(Same(TCutOutHelper::GetEndPoint3D(c, kMax), {80, 70, 55}));
    EXPECT_TRUE(Same(TCutOutHelper::GetDirection3D(c, kMax), {0, 0, -5}));
}

TEST(CutOutGeometry, FreeCutOutEndingAtTheEdgeDespiteRounding)
{
    // 0.019 + 0.281 comes out a hair above 0.3 in binary; the cut-out still
    // ends at the block edge instead of turning round.
    const TXYZPoint max = TXYZPoint::Make(0.3, 0.3, 0.3);
    ASSERT_GT(0.019 + 0.281, 0.3);
    const TCutOut c = Make(1, -1, 0.019, 0.0, 0.281, 0.1, true, 0);
    EXPECT_NEAR(TCutOutHelper::GetEndPoint(c, max).X, 0.3, 1e-12);
    // A real overrun still turns it round.
    const TCutOut over = Make(1, -1, 0.02, 0.0, 0.281, 0.1, true, 0);
    EXPECT_NEAR(TCutOutHelper::GetEndPoint(over, max).X, 0.02 - 0.281, 1e-12);
}

TEST(CutOutGeometry, OutlinePointsPerFaceInOrder)
{
    struct Row {
        const char* what;
        TCutOut c;
        std::vector<TXYZPoint> points;
    };
    const Row rows[] = {
        {"face 1", Make(1, 1, 0, 0, 20, 10, false, 5), {{0, 0, 0}, {0, 10, 0}, {20, 10, 0}, {20, 0, 0}}},
        {"face 6", Make(6, 3, 0, 0, 20, 10, false, 5), {{100, 80, 60}, {100, 70, 60}, {80, 70, 60}, {80, 80, 60}}},
        {"face 2", Make(2, 2, 0, 0, 20, 10, false, 5), {{100, 0, 0}, {100, 0, 10}, {80, 0, 10}, {80, 0, 0}}},
        {"face 5", Make(5, -1, 30, 20, 20, 10, false, 5), {{30, 80, 20}, {30, 80, 30}, {50, 80, 30}, {50, 80, 20}}},
        {"face 3", Make(3, 1, 0, 0, 20, 10, false, 5), {{0, 0, 0}, {0, 10, 0}, {0, 10, 20}, {0, 0, 20}}},
        {"face 4", Make(4, 3, 0, 0, 20, 10, false, 5), {{100, 80, 60}, {100, 70, 60}, {100, 70, 40}, {100, 80, 40}}},
        // A chamfer leaves out the corner opposite the start.
        {"face 1 chamfer at corner 2", Make(1, 2, 0, 0, 20, 10, false, 5, true),
         {{100, 0, 0}, {100, 10, 0}, {80, 0, 0}}},
        {"face 4 chamfer at corner 1", Make(4, 1, 0, 0, 20, 10, false, 5, true),
         {{100, 0, 0}, {100, 10, 0}, {100, 0, 20}}},
        // ...but only at a corner: at a free position the flag is ignored.
        {"face 1 chamfer flag at a free position", Make(1, -1, 10, 10, 20, 10, false, 5, true),
         {{10, 10, 0}, {10, 20, 0}, {30, 20, 0}, {30, 10, 0}}},
        {"no such face", Make(8, 1, 0, 0, 20, 10, false, 5, true), {{0, 0, 0}}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        const std::vector<TXYZPoint> points = TCutOutHelper::CreateShapePoints(r.c, kMax);
        const std::vector<TXYZPoint> points3D = TCutOutHelper::CreateShapePoints3D(r.c, kMax);
        ASSERT_EQ(points.size(), r.points.size());
        ASSERT_EQ(points3D.size(), r.points.size());
        for (size_t i = 0; i < points.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_TRUE(Same(points[i], r.points[i]));
            EXPECT_TRUE(Same(points3D[i], Mirrored(r.points[i])));
        }
    }
}

TEST(CutOutGeometry, OutlineLinesCloseThePolygon)
{
    const TCutOut rect = Make(1, 1, 0, 0, 20, 10, false, 5);
    const TSimpleXYZLineList lines = TCutOutHelper::CreateShapeLines(rect, kMax);
    const std::vector<TXYZPoint> p = {{0, 0, 0}, {0, 10, 0}, {20, 10, 0}, {20, 0, 0}};
    ASSERT_EQ(lines.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(Same(lines[i].P1, p[i]));
        EXPECT_TRUE(Same(lines[i].P2, p[(i + 1) % 4]));
    }

    const TCutOut chamfer = Make(1, 2, 0, 0, 20, 10, false, 5, true);
    const TSimpleXYZLineList tri = TCutOutHelper::CreateShapeLines3D(chamfer, kMax);
    const std::vector<TXYZPoint> q = {{100, 0, 60}, {100, 10, 60}, {80, 0, 60}};
    ASSERT_EQ(tri.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(Same(tri[i].P1, q[i]));
        EXPECT_TRUE(Same(tri[i].P2, q[(i + 1) % 3]));
    }

    // One point, or none, makes no line.
    EXPECT_TRUE(TCutOutHelper::CreateShapeLines(Make(0, 1, 0, 0, 20, 10, false, 5), kMax).empty());
    EXPECT_TRUE(TCutOutHelper::LinesOfPolygon({}).empty());
    const TSimpleXYZLineList two = TCutOutHelper::LinesOfPolygon({{1, 2, 3}, {4, 5, 6}});
    ASSERT_EQ(two.size(), 2u);
    EXPECT_TRUE(Same(two[1].P1, {4, 5, 6}));
    EXPECT_TRUE(Same(two[1].P2, {1, 2, 3}));
}

TEST(CutOutGeometry, ChamferAndEdgeQueries)
{
    struct Row { int corner; bool chamfer; bool hasChamfer; bool atEdge; };
    const Row rows[] = {
        {1, true, true, true}, {4, true, true, true}, {0, true, true, true},
        {-1, true, false, false}, {2, false, false, true}, {-1, false, false, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "corner " << r.corner << " chamfer " << r.chamfer);
        const TCutOut c = Make(1, r.corner, 0, 0, 1, 1, true, 0, r.chamfer);
        EXPECT_EQ(c.GetHasSimpleChamfer(), r.hasChamfer);
        EXPECT_EQ(TCutOutHelper::IsAtEdge(c), r.atEdge);
    }
}
