#include "model/CutOut.Helpers.h"

#include "core/Tolerance.h"

namespace qv {

namespace {

// The block size along the face's normal: the depth of a through cut-out.
double NormalSize(int Face, const TXYZPoint& Max)
{
    switch (Face) {
    case 1: case 6: return Max.Z;
    case 2: case 5: return Max.Y;
    default: return Max.X; // faces 3 and 4
    }
}

// A cut-out at a free position runs towards the positive end of a face axis
// unless it would then leave the block. A cut-out that ends exactly on the
// block edge, give or take the rounding of X + Width, stays positive.
int FreeSign(double BlockSize, double Position, double Extent)
{
    return CompareValue(BlockSize, Position + Extent) >= 0 ? +1 : -1;
}

TXYZPoint Mirror(const TXYZPoint& P, const TXYZPoint& Max) { return {P.X, P.Y, Max.Z - P.Z}; }

} // namespace

TXYZPoint TCutOutHelper::GetStartPoint(const TCutOut& CutOut, const TXYZPoint& Max)
{
    const TCutOutData& d = CutOut.fData;
    const int c = d.Corner;
    if (c == -1) {
        switch (d.FaceNumber) {
        case 1: return {d.X, d.Y, 0.0};
        case 2: return {d.X, 0.0, d.Y};
        case 3: return {0.0, d.X, d.Y};
        case 4: return {Max.X, d.X, d.Y};
        case 5: return {d.X, Max.Y, d.Y};
        case 6: return {d.X, d.Y, Max.Z};
        default: return {};
        }
    }
    if (c < 1 || c > 4) return {};
    // Corner 1 at (u, v) = (0, 0), 2 at (max, 0), 3 at (max, max), 4 at (0, max).
    const bool uMax = c == 2 || c == 3;
    const bool vMax = c == 3 || c == 4;
    switch (d.FaceNumber) {
    case 1: return {uMax ? Max.X : 0.0, vMax ? Max.Y : 0.0, 0.0};
    case 2: return {uMax ? Max.X : 0.0, 0.0, vMax ? Max.Z : 0.0};
    case 3: return {0.0, uMax ? Max.Y : 0.0, vMax ? Max.Z : 0.0};
    case 4: return {Max.X, uMax ? Max.Y : 0.0, vMax ? Max.Z : 0.0};
    case 5: return {uMax ? Max.X : 0.0, Max.Y, vMax ? Max.Z : 0.0};
    case 6: return {uMax ? Max.X : 0.0, vMax ? Max.Y : 0.0, Max.Z};
    default: return {};
    }
}

TXYZPoint TCutOutHelper::GetEndPoint(const TCutOut& CutOut, const TXYZPoint& Max)
{
    const TCutOutData& d = CutOut.fData;
    const int face = d.FaceNumber;
    const TXYZPoint s = GetStartPoint(CutOut, Max);
    if (face < 1 || face > 6) return s;

    // Which way the cut-out runs along u and v from its start corner.
    int su = +1, sv = +1;
    switch (d.Corner) {
    case 1: su = +1; sv = +1; break;
    case 2: su = -1; sv = +1; break;
    case 3: su = -1; sv = -1; break;
    case 4: su = +1; sv = -1; break;
    case -1:
        switch (face) {
        case 1: case 6:
            su = FreeSign(Max.X, d.X, d.Width);
            sv = FreeSign(Max.Y, d.Y, d.Height);
            break;
        case 2: case 5:
            su = FreeSign(Max.X, d.X, d.Width);
            sv = FreeSign(Max.Z, d.Y, d.Height);
            break;
        default: // faces 3 and 4: Width lies along v there
            su = FreeSign(Max.Y, d.X, d.Height);
            sv = FreeSign(Max.Z, d.Y, d.Width);
            break;
        }
        break;
    default: break;
    }

    const bool side = face == 3 || face == 4;
    const double eu = su * (side ? d.Height : d.Width);
    const double ev = sv * (side ? d.Width : d.Height);
    const double depth = d.Through ? NormalSize(face, Max) : d.Depth;

    switch (face) {
    case 1: return {s.X + eu, s.Y + ev, depth};
    case 2: return {s.X + eu, depth, s.Z + ev};
    case 3: return {depth, s.Y + eu, s.Z + ev};
    case 4: return {Max.X - depth, s.Y + eu, s.Z + ev};
    case 5: return {s.X + eu, Max.Y - depth, s.Z + ev};
    default: return {s.X + eu, s.Y + ev, Max.Z - depth}; // face 6
    }
}

TXYZPoint TCutOutHelper::GetDirection(const TCutOut& CutOut, const TXYZPoint& Max)
{
    const TXYZPoint s = GetStartPoint(CutOut, Max);
    const TXYZPoint e = GetEndPoint(CutOut, Max);
    // The start point moved to the floor: only its normal coordinate changes.
    TXYZPoint p = s;
    switch (CutOut.fData.FaceNumber) {
    case 1: case 6: p.Z = e.Z; break;
    case 2: case 5: p.Y = e.Y; break;
    case 3: case 4: p.X = e.X; break;
    default: p = e; break;
    }
    return p - s;
}

std::vector<TXYZPoint> TCutOutHelper::CreateShapePoints(const TCutOut& CutOut, const TXYZPoint& Max)
{
    const TXYZPoint S = GetStartPoint(CutOut, Max);
    const TXYZPoint E = GetEndPoint(CutOut, Max);
    std::vector<TXYZPoint> points;
    switch (CutOut.fData.FaceNumber) {
    case 1: case 6:
        points = {S, {S.X, E.Y, S.Z}, {E.X, E.Y, S.Z}, {E.X, S.Y, S.Z}};
        break;
    case 2: case 5:
        points = {S, {S.X, S.Y, E.Z}, {E.X, S.Y, E.Z}, {E.X, S.Y, S.Z}};
        break;
    case 3: case 4:
        points = {S, {S.X, E.Y, S.Z}, {S.X, E.Y, E.Z}, {S.X, S.Y, E.Z}};
        break;
    default:
        points = {S};
        break;
    }
    // A chamfer keeps the right triangle whose right angle is the block
    // corner: the corner opposite the start goes.
    if (CutOut.GetHasSimpleChamfer() && points.size() == 4) points.erase(points.begin() + 2);
    return points;
}

TSimpleXYZLineList TCutOutHelper::LinesOfPolygon(const std::vector<TXYZPoint>& Points)
{
    TSimpleXYZLineList lines;
    const size_t n = Points.size();
    if (n < 2) return lines;
    lines.reserve(n);
    for (size_t i = 0; i + 1 < n; ++i) lines.push_back({Points[i], Points[i + 1]});
    lines.push_back({Points[n - 1], Points[0]});
    return lines;
}

TSimpleXYZLineList TCutOutHelper::CreateShapeLines(const TCutOut& CutOut, const TXYZPoint& Max)
{
    return LinesOfPolygon(CreateShapePoints(CutOut, Max));
}

TXYZPoint TCutOutHelper::GetStartPoint3D(const TCutOut& CutOut, const TXYZPoint& Max)
{
    return Mirror(GetStartPoint(CutOut, Max), Max);
}

TXYZPoint TCutOutHelper::GetEndPoint3D(const TCutOut& CutOut, const TXYZPoint& Max)
{
    return Mirror(GetEndPoint(CutOut, Max), Max);
}

TXYZPoint TCutOutHelper::GetDirection3D(const TCutOut& CutOut, const TXYZPoint& Max)
{
    const TXYZPoint d = GetDirection(CutOut, Max);
    return {d.X, d.Y, -d.Z};
}

std::vector<TXYZPoint> TCutOutHelper::CreateShapePoints3D(const TCutOut& CutOut, const TXYZPoint& Max)
{
    std::vector<TXYZPoint> points = CreateShapePoints(CutOut, Max);
    for (TXYZPoint& p : points) p = Mirror(p, Max);
    return points;
}

TSimpleXYZLineList TCutOutHelper::CreateShapeLines3D(const TCutOut& CutOut, const TXYZPoint& Max)
{
    return LinesOfPolygon(CreateShapePoints3D(CutOut, Max));
}

} // namespace qv
