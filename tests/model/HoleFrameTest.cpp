// Where a hole sits in block space: face points, the faces' outward
// normals, the hole's start point and its drilling direction.
#include "model/HoleFrame.h"
#include "model/HoleLists.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qv;

namespace {

void ExpectPoint(const TXYZPoint& got, const TXYZPoint& want, const char* what, int face)
{
    EXPECT_NEAR(got.X, want.X, 1e-12) << what << " face " << face;
    EXPECT_NEAR(got.Y, want.Y, 1e-12) << what << " face " << face;
    EXPECT_NEAR(got.Z, want.Z, 1e-12) << what << " face " << face;
}

TEST(HoleFrame, FacesPlaceTheirPointsAndPointOutOfTheBlock)
{
    // Block 100 x 80 x 60; the face point (a, b) = (30, 20) at depth 5.
    const TXYZPoint Max{100, 80, 60};
    const struct {
        int Face;
        TXYZPoint Point, Normal;
    } cases[] = {
        {1, {30, 20, 5}, {0, 0, -1}},  {2, {30, 5, 20}, {0, -1, 0}}, {3, {5, 30, 20}, {-1, 0, 0}},
        {4, {95, 30, 20}, {1, 0, 0}},  {5, {30, 75, 20}, {0, 1, 0}}, {6, {30, 20, 55}, {0, 0, 1}},
        {0, {30, 20, 5}, {0, 0, -1}},  {7, {30, 20, 5}, {0, 0, -1}}, // unknown faces count as face 1
    };
    for (const auto& c : cases) {
        ExpectPoint(FacePoint(Max, c.Face, 30, 20, 5), c.Point, "point", c.Face);
        ExpectPoint(FaceNormal(c.Face), c.Normal, "normal", c.Face);
        THole h;
        h.FData.FaceNumber = c.Face;
        h.FData.XXY = 30;
        h.FData.YZZ = 20;
        h.FData.StartDepth = 5;
        ExpectPoint(HoleStartPoint(Max, h), c.Point, "start", c.Face);
        ExpectPoint(HoleDrillDirection(h), c.Normal * -1.0, "straight hole", c.Face);
        // The angle of a hole without the angled attribute is not used.
        h.FData.AngleValue = 40;
        ExpectPoint(HoleDrillDirection(h), c.Normal * -1.0, "angle without attribute", c.Face);
    }
}

TEST(HoleFrame, AnAngledHoleTiltsAwayFromTheFaceNormal)
{
    const double s = 0.5, c = std::sqrt(3.0) / 2;
    const struct {
        int Face;
        double Rotation;
        TXYZPoint Direction;
    } cases[] = {
        {1, 0, {s, 0, c}},   // towards +X on face 1
        {1, 90, {0, s, c}},  // towards +Y
        {6, 90, {0, -s, -c}}, // face 6 looks down -Z, its second axis runs along -Y
        {4, 0, {-c, 0, s}},  // face 4: into the block is -X, its first face axis runs along +Z
    };
    for (const auto& k : cases) {
        THole h;
        h.FData.FaceNumber = k.Face;
        h.FData.Attribute.Include(haAngled);
        h.FData.AngleValue = 30;
        h.FData.AngleRotation = k.Rotation;
        ExpectPoint(HoleDrillDirection(h), k.Direction, "angled", k.Face);
    }
}

} // namespace
