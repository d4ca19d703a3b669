// The faces' frames and a hole's axis in block space. The 3D view draws the
// bores along this axis and the wall-thickness check measures along it, so
// both see the same hole.
#include "model/HoleFrame.h"

#include "core/Tolerance.h"
#include "model/HoleLists.h"

#include <cmath>

namespace qv {

TXYZPoint FacePoint(const TXYZPoint& Max, int Face, double a, double b, double d)
{
    switch (Face) {
    case 1: return {a, b, d};
    case 2: return {a, d, b};
    case 3: return {d, a, b};
    case 4: return {Max.X - d, a, b};
    case 5: return {a, Max.Y - d, b};
    case 6: return {a, b, Max.Z - d};
    default: return {a, b, d}; // an unknown face counts as face 1
    }
}

TXYZPoint HoleLocalVector(int Face, double u, double v, double w)
{
    switch (Face) {
    case 1: return {u, v, w};
    case 2: return {u, w, -v};
    case 3: return {w, v, -u};
    case 4: return {-w, v, u};
    case 5: return {u, -w, v};
    case 6: return {u, -v, -w};
    default: return {u, v, w};
    }
}

TXYZPoint FaceNormal(int Face) { return HoleLocalVector(Face, 0, 0, 1) * -1.0; }

TXYZPoint HoleStartPoint(const TXYZPoint& Max, const THole& Hole)
{
    const auto& d = Hole.FData;
    return FacePoint(Max, d.FaceNumber, d.XXY, d.YZZ, d.StartDepth);
}

TXYZPoint HoleDrillDirection(const THole& Hole)
{
    const auto& d = Hole.FData;
    TXYZPoint local{0, 0, 1};
    if (Hole.GetIsAngled()) {
        // Tilted by AngleValue away from the face normal, towards the
        // direction AngleRotation on the face.
        const double A = d.AngleValue * DegToRad, R = d.AngleRotation * DegToRad;
        local = {std::sin(A) * std::cos(R), std::sin(A) * std::sin(R), std::cos(A)};
    }
    return HoleLocalVector(d.FaceNumber, local.X, local.Y, local.Z);
}

} // namespace qv
