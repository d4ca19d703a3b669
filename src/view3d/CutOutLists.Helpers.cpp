#include "view3d/CutOutLists.Helpers.h"

#include "model/CutOut.Helpers.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace qv {

namespace {

using blockgeometry::TLine;
using blockgeometry::TPoint;

TPoint ToComponent(const TXYZPoint& p) { return {p.X, p.Y, p.Z}; }

// A line of the component back in model coordinates.
TSimpleXYZLine ToModel(const TLine& l, const TXYZPoint& Max)
{
    return {{l.P1.X, l.P1.Y, Max.Z - l.P1.Z}, {l.P2.X, l.P2.Y, Max.Z - l.P2.Z}};
}

// The view of each face: the axis it is seen along and from which side, in
// the component's mirrored space (face 6, at model Z = Max.Z, lies at z' = 0
// and is seen from the low side of Z).
struct TFaceView {
    int Axis;
    bool Side;
};
constexpr std::array<TFaceView, 6> FaceViews = {{
    {2, false}, {1, true}, {0, true}, {0, false}, {1, false}, {2, true},
}};

} // namespace

void TCutOutListHelper::AddAllData(IBlockGeometry& Geometry, const TXYZPoint& Max, const TCutOutList& Cutouts)
{
    Geometry.SetManifold({0, 0, 0}, ToComponent(Max));
    // The polygon buffers the component reads; a chamfer needs four of the
    // places (three corners and the first again to close it).
    std::array<double, blockgeometry::MaxPolygonPoints> x{}, y{}, z{};
    for (int i = 0; i < Cutouts.Count(); ++i) {
        const TCutOut& cutOut = *Cutouts.GetCutOuts(i);
        if (cutOut.GetHasSimpleChamfer()) {
            std::vector<TXYZPoint> points = TCutOutHelper::CreateShapePoints3D(cutOut, Max);
            if (!points.empty())
                points.push_back(points.front());
            const size_t n = std::min(points.size(), x.size());
            for (size_t k = 0; k < n; ++k) {
                x[k] = points[k].X;
                y[k] = points[k].Y;
                z[k] = points[k].Z;
            }
            Geometry.AddCutOutPolygon(x.data(), y.data(), z.data(), static_cast<int>(n),
                                      ToComponent(TCutOutHelper::GetDirection3D(cutOut, Max)));
        } else {
            Geometry.AddCutOutBlock(ToComponent(TCutOutHelper::GetStartPoint3D(cutOut, Max)),
                                    ToComponent(TCutOutHelper::GetEndPoint3D(cutOut, Max)));
        }
    }
}

void TCutOutListHelper::GetFaceLines2(IBlockGeometry& Geometry, const TXYZPoint& Max, const TCutOutList&,
                                      TSimpleXYZLineList& Lines, int Face)
{
    Lines.clear();
    if (Face < 1 || Face > 6)
        return;
    const TFaceView view = FaceViews[static_cast<size_t>(Face - 1)];
    const int n = Geometry.LinesViewInit(view.Axis, view.Side);
    Lines.reserve(static_cast<size_t>(std::max(n, 0)));
    for (int i = 0; i < n; ++i) {
        TLine line;
        Geometry.LineView(line, i);
        Lines.push_back(ToModel(line, Max));
    }
}

void TCutOutListHelper::UpdateData(IBlockGeometry& Geometry, const TXYZPoint& Max, TCutOutList& Cutouts)
{
    AddAllData(Geometry, Max, Cutouts);
    for (int face = 1; face <= 6; ++face)
        GetFaceLines2(Geometry, Max, Cutouts, *Cutouts.GetFaceLines(face), face);
}

TSimpleXYZLineList TCutOutListHelper::CreateFaceLines3D(IBlockGeometry& Geometry, const TXYZPoint& Max,
                                                        const TCutOutList&)
{
    TSimpleXYZLineList lines;
    const int n = Geometry.Lines3DInit();
    lines.reserve(static_cast<size_t>(std::max(n, 0)));
    for (int i = 0; i < n; ++i) {
        TLine line;
        Geometry.Line3D(line, i);
        lines.push_back(ToModel(line, Max));
    }
    return lines;
}

TSimpleXYZLineList TCutOutListHelper::BoxEdges(const TXYZPoint& Max)
{
    TSimpleXYZLineList lines;
    const double xs[2] = {0, Max.X}, ys[2] = {0, Max.Y}, zs[2] = {0, Max.Z};
    // Four edges along each axis, at the four corners of the other two.
    for (int a = 0; a < 2; ++a)
        for (int b = 0; b < 2; ++b)
            lines.push_back({{0, ys[a], zs[b]}, {Max.X, ys[a], zs[b]}});
    for (int a = 0; a < 2; ++a)
        for (int b = 0; b < 2; ++b)
            lines.push_back({{xs[a], 0, zs[b]}, {xs[a], Max.Y, zs[b]}});
    for (int a = 0; a < 2; ++a)
        for (int b = 0; b < 2; ++b)
            lines.push_back({{xs[a], ys[b], 0}, {xs[a], ys[b], Max.Z}});
    return lines;
}

blockgeometry::TBlockGeometry& TCutOutListHelper::Component()
{
    // Never destroyed: the solid it holds must not outlive the modeller's own
    // statics at program exit.
    static auto* component = new blockgeometry::TBlockGeometry;
    return *component;
}

TSimpleXYZLineList TCutOutListHelper::CreateOutlineLines(IBlockGeometry& Geometry, const TXYZPoint& Max,
                                                         TCutOutList& Cutouts)
{
    if (Cutouts.Count() == 0)
        return BoxEdges(Max);
    UpdateData(Geometry, Max, Cutouts);
    return CreateFaceLines3D(Geometry, Max, Cutouts);
}

double TCutOutListHelper::CutOutBoxVolume(const TXYZPoint& Max, const TCutOutList& Cutouts)
{
    double volume = 0.0;
    for (int i = 0; i < Cutouts.Count(); ++i) {
        const TCutOut& cutOut = *Cutouts.GetCutOuts(i);
        const TXYZPoint d = TCutOutHelper::GetEndPoint(cutOut, Max) - TCutOutHelper::GetStartPoint(cutOut, Max);
        volume += std::fabs(d.X * d.Y * d.Z);
    }
    return volume;
}

double TCutOutListHelper::CutOutVolume(const TXYZPoint& Max, const TCutOutList& Cutouts)
{
    if (Cutouts.Count() == 0)
        return 0.0;
    blockgeometry::TBlockGeometry geometry;
    AddAllData(geometry, Max, Cutouts);
    if (const auto removed = geometry.RemovedVolume())
        return *removed;
    return CutOutBoxVolume(Max, Cutouts);
}

} // namespace qv
