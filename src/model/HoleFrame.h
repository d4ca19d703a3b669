#pragma once
// Where a hole sits in the block: the faces' coordinate frames, the hole's
// start point on its face and the direction it is drilled in. Block space
// runs from the origin to the block's Max corner; face 1 is the plane z = 0,
// 2 is y = 0, 3 is x = 0, 4 is x = Max.X, 5 is y = Max.Y and 6 is z = Max.Z.
#include "model/XYZPoints.h"

namespace qv {

class THole;

// The point at a (first face axis), b (second face axis) and depth d below
// Face. An unknown face counts as face 1.
TXYZPoint FacePoint(const TXYZPoint& Max, int Face, double a, double b, double d);
// A vector given in a face's own frame (u, v along the face, w into the
// block) in block space.
TXYZPoint HoleLocalVector(int Face, double u, double v, double w);
// The unit normal of Face pointing out of the block.
TXYZPoint FaceNormal(int Face);

// The hole's start: its position on its face at its start depth.
TXYZPoint HoleStartPoint(const TXYZPoint& Max, const THole& Hole);
// The unit direction the hole is drilled in, tilted for an angled hole.
TXYZPoint HoleDrillDirection(const THole& Hole);

} // namespace qv
