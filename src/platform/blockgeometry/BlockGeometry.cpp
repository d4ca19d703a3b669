// The block geometry component over OpenCASCADE.
//
// The block is a box; every cut-out becomes a tool solid (a box, or a prism
// swept from a planar polygon). One boolean cut takes all tools away at
// once, with a fuzzy tolerance so that faces which nearly coincide (a pocket
// flush with a block face, two pockets side by side) are treated as one
// instead of leaving hair-thin slivers. The faces of the result that lie in
// one plane are then merged, so that a block face crossed by a slot is one
// face again and no seam edges remain, and the edges of the result are the
// 3D outline.
//
// The views along an axis are hidden-line removal of that solid (exact, on
// the boundary representation): what is visible from that side, projected
// onto the plane of the block face the viewer looks at.
#include "platform/blockgeometry/BlockGeometry.h"

#include <BRepAdaptor_Curve.hxx>
#include <BRepAlgoAPI_Cut.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakePolygon.hxx>
#include <BRepCheck_Analyzer.hxx>
#include <BRepGProp.hxx>
#include <BRepPrimAPI_MakeBox.hxx>
#include <BRepPrimAPI_MakePrism.hxx>
#include <BRep_Tool.hxx>
#include <GProp_GProps.hxx>
#include <HLRAlgo_Projector.hxx>
#include <HLRBRep_Algo.hxx>
#include <HLRBRep_HLRToShape.hxx>
#include <ShapeUpgrade_UnifySameDomain.hxx>
#include <Standard_Failure.hxx>
#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopTools_ListOfShape.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Edge.hxx>
#include <TopoDS_Shape.hxx>
#include <gp_Ax2.hxx>
#include <gp_Pnt.hxx>
#include <gp_Vec.hxx>

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <vector>

namespace qv::blockgeometry {

namespace {

// Lengths below this are no length: a cut-out thinner than this in any
// direction removes nothing, and two points closer than this are one.
constexpr double Confusion = 1e-7;
// Faces of block and tools closer than this are taken as coincident.
constexpr double Fuzzy = 1e-4;
// A curved edge (none arise from boxes and planar prisms) is handed out as
// this many straight pieces.
constexpr int CurveSegments = 24;
// Coordinates of a polygon beyond this are taken as a failure: the
// modeller's arithmetic does not hold there (it may hand back a result that
// silently leaves the prism out).
constexpr double MaxPolygonCoordinate = 1e12;

bool Finite(const TPoint& p) { return std::isfinite(p.X) && std::isfinite(p.Y) && std::isfinite(p.Z); }
gp_Pnt ToPnt(const TPoint& p) { return gp_Pnt(p.X, p.Y, p.Z); }
TPoint ToPoint(const gp_Pnt& p) { return {p.X(), p.Y(), p.Z()}; }

double Volume(const TopoDS_Shape& shape)
{
    GProp_GProps props;
    BRepGProp::VolumeProperties(shape, props);
    return props.Mass();
}

// Appends an edge as straight lines: a line as its two end points, a curve
// as CurveSegments pieces. Degenerate edges (a point) add nothing.
void AppendEdge(const TopoDS_Edge& edge, std::vector<TLine>& out)
{
    if (BRep_Tool::Degenerated(edge))
        return;
    BRepAdaptor_Curve curve(edge);
    const double t0 = curve.FirstParameter(), t1 = curve.LastParameter();
    if (!std::isfinite(t0) || !std::isfinite(t1))
        return;
    const int pieces = curve.GetType() == GeomAbs_Line ? 1 : CurveSegments;
    gp_Pnt prev = curve.Value(t0);
    for (int i = 1; i <= pieces; ++i) {
        const gp_Pnt next = curve.Value(t0 + (t1 - t0) * i / pieces);
        if (prev.Distance(next) > Confusion)
            out.push_back({ToPoint(prev), ToPoint(next)});
        prev = next;
    }
}

std::vector<TLine> EdgeLines(const TopoDS_Shape& shape)
{
    std::vector<TLine> lines;
    if (shape.IsNull())
        return lines;
    TopTools_IndexedMapOfShape edges;
    TopExp::MapShapes(shape, TopAbs_EDGE, edges);
    for (int i = 1; i <= edges.Extent(); ++i)
        AppendEdge(TopoDS::Edge(edges(i)), lines);
    return lines;
}

// The cut, or nothing when the modeller reports a failure or hands back a
// shape that is not a valid solid.
std::optional<TopoDS_Shape> Cut(const TopoDS_Shape& block, const TopTools_ListOfShape& tools)
{
    try {
        BRepAlgoAPI_Cut cut;
        TopTools_ListOfShape arguments;
        arguments.Append(block);
        cut.SetArguments(arguments);
        cut.SetTools(tools);
        cut.SetFuzzyValue(Fuzzy);
        cut.SetRunParallel(false);
        cut.Build();
        if (!cut.IsDone() || cut.HasErrors())
            return std::nullopt;
        TopoDS_Shape result = cut.Shape();
        if (!result.IsNull() && !BRepCheck_Analyzer(result).IsValid())
            return std::nullopt;
        return result;
    } catch (const Standard_Failure&) {
        return std::nullopt;
    } catch (...) {
        return std::nullopt;
    }
}

} // namespace

struct TBlockGeometry::TImpl {
    bool HasBlock = false;
    gp_Pnt Lo, Hi;
    // The cut-outs as given; they become solids when the cut is computed.
    struct TCutOut {
        bool Polygon = false;
        gp_Pnt Lo, Hi;               // a box
        std::vector<gp_Pnt> Corners; // a polygon, not closed ...
        gp_Vec Sweep;                // ... swept along this
    };
    std::vector<TCutOut> CutOuts;

    // The block and cut-outs as given since SetManifold, as numbers. A scene
    // rebuild describes the same block again and again (a view setting
    // changed, not the design); when the description is the one last
    // computed, the result is kept instead of cutting again.
    std::vector<double> Key;
    std::vector<double> ComputedKey;
    bool HasComputed = false;

    // Computed on demand.
    bool Computed = false;
    bool Complete = false;  // every tool made it into the result
    bool BlockMade = false;
    TopoDS_Shape Result;
    std::vector<TLine> Lines3D;
    std::array<std::optional<std::vector<TLine>>, 6> Views;
    std::vector<TLine> CurrentView;

    void Invalidate()
    {
        Computed = false;
        CurrentView.clear();
    }
    void Describe(std::initializer_list<double> values) { Key.insert(Key.end(), values); }
    void Describe(const TPoint& p) { Describe({p.X, p.Y, p.Z}); }

    // The solid of a cut-out, or a null shape when it has no volume (a
    // polygon whose corners are not in one plane, or that is swept in its
    // own plane). Throws when the modeller fails.
    TopoDS_Shape MakeTool(const TCutOut& c) const;

    // Does the tool's bounding box overlap the block with some volume?
    bool Overlaps(const TopoDS_Shape& tool) const;

    void Compute();
    std::vector<TLine> View(int axis, bool side) const;
};

bool TBlockGeometry::TImpl::Overlaps(const TopoDS_Shape& tool) const
{
    TopTools_IndexedMapOfShape vertices;
    TopExp::MapShapes(tool, TopAbs_VERTEX, vertices);
    if (vertices.Extent() == 0)
        return false;
    gp_Pnt lo = BRep_Tool::Pnt(TopoDS::Vertex(vertices(1))), hi = lo;
    for (int i = 2; i <= vertices.Extent(); ++i) {
        const gp_Pnt p = BRep_Tool::Pnt(TopoDS::Vertex(vertices(i)));
        lo.SetCoord(std::min(lo.X(), p.X()), std::min(lo.Y(), p.Y()), std::min(lo.Z(), p.Z()));
        hi.SetCoord(std::max(hi.X(), p.X()), std::max(hi.Y(), p.Y()), std::max(hi.Z(), p.Z()));
    }
    for (int a = 1; a <= 3; ++a)
        if (std::min(hi.Coord(a), Hi.Coord(a)) - std::max(lo.Coord(a), Lo.Coord(a)) <= Confusion)
            return false;
    return true;
}

TopoDS_Shape TBlockGeometry::TImpl::MakeTool(const TCutOut& c) const
{
    TopoDS_Shape tool;
    if (!c.Polygon) {
        // What lies beyond the block does not matter; a box reaching far out
        // (a slot given as running to "infinity") is cut back to a little
        // past the block, where the modeller's arithmetic still holds.
        double size = 0.0;
        for (int a = 1; a <= 3; ++a)
            size = std::max(size, Hi.Coord(a) - Lo.Coord(a));
        const double margin = 0.01 * size;
        gp_Pnt lo = c.Lo, hi = c.Hi;
        for (int a = 1; a <= 3; ++a) {
            lo.SetCoord(a, std::max(lo.Coord(a), Lo.Coord(a) - margin));
            hi.SetCoord(a, std::min(hi.Coord(a), Hi.Coord(a) + margin));
            if (hi.Coord(a) - lo.Coord(a) <= Confusion)
                return {};
        }
        tool = BRepPrimAPI_MakeBox(lo, hi).Shape();
    } else {
        for (const gp_Pnt& p : c.Corners)
            for (int a = 1; a <= 3; ++a)
                if (std::fabs(p.Coord(a)) > MaxPolygonCoordinate ||
                    std::fabs(p.Coord(a) + c.Sweep.Coord(a)) > MaxPolygonCoordinate)
                    throw std::range_error("polygon too far out");
        BRepBuilderAPI_MakePolygon polygon;
        for (const gp_Pnt& p : c.Corners)
            polygon.Add(p);
        polygon.Close();
        if (!polygon.IsDone())
            return {};
        // Only a plane will do; points on one line or not in one plane give
        // no face.
        BRepBuilderAPI_MakeFace face(polygon.Wire(), true);
        if (!face.IsDone())
            return {};
        tool = BRepPrimAPI_MakePrism(face.Face(), c.Sweep).Shape();
    }
    // A tool without volume would only make the cut harder.
    const double volume = Volume(tool);
    if (!std::isfinite(volume))
        throw std::range_error("no volume");
    if (volume <= Confusion * Confusion * Confusion)
        return {};
    return tool;
}

void TBlockGeometry::TImpl::Compute()
{
    if (Computed)
        return;
    Computed = true;
    if (HasComputed && Key == ComputedKey)
        return;
    HasComputed = true;
    ComputedKey = Key;
    Result.Nullify();
    Lines3D.clear();
    for (auto& v : Views)
        v.reset();
    Complete = false;
    BlockMade = false;
    if (!HasBlock)
        return;
    TopoDS_Shape block;
    try {
        block = BRepPrimAPI_MakeBox(Lo, Hi).Shape();
    } catch (...) {
        return;
    }
    BlockMade = true;

    // Tools entirely outside the block remove nothing; leaving them out
    // keeps the cut small.
    Complete = true;
    TopTools_ListOfShape tools;
    for (const TCutOut& c : CutOuts) {
        try {
            const TopoDS_Shape tool = MakeTool(c);
            if (!tool.IsNull() && Overlaps(tool))
                tools.Append(tool);
        } catch (...) {
            Complete = false;
        }
    }

    TopoDS_Shape cut = block;
    if (!tools.IsEmpty()) {
        if (auto all = Cut(block, tools)) {
            cut = *all;
        } else {
            // One at a time, leaving out the cut-outs the modeller cannot do.
            for (const TopoDS_Shape& tool : tools) {
                TopTools_ListOfShape one;
                one.Append(tool);
                if (auto step = Cut(cut, one))
                    cut = *step;
                else
                    Complete = false;
            }
        }
        try {
            ShapeUpgrade_UnifySameDomain unify(cut, true, true, false);
            unify.Build();
            cut = unify.Shape();
        } catch (...) {
            // The lines then show the seams of split faces as well.
        }
    }
    Result = cut;
    try {
        Lines3D = EdgeLines(Result);
    } catch (...) {
        Lines3D.clear();
        Complete = false;
    }
}

std::vector<TLine> TBlockGeometry::TImpl::View(int axis, bool side) const
{
    std::vector<TLine> lines;
    if (Result.IsNull())
        return lines;
    // The viewer looks along +axis from the low side (side true) and along
    // -axis from the high side; the projector's direction points at the eye.
    static const gp_Dir axes[3] = {gp_Dir(1, 0, 0), gp_Dir(0, 1, 0), gp_Dir(0, 0, 1)};
    const gp_Dir toEye = side ? axes[axis].Reversed() : axes[axis];
    const gp_Dir xDir = axes[(axis + 1) % 3];
    const gp_Ax2 frame(gp_Pnt(0, 0, 0), toEye, xDir);
    const gp_Dir yDir = frame.YDirection();
    const double plane = side ? Lo.Coord(axis + 1) : Hi.Coord(axis + 1);

    Handle(HLRBRep_Algo) hlr = new HLRBRep_Algo();
    hlr->Add(Result);
    hlr->Projector(HLRAlgo_Projector(frame));
    hlr->Update();
    hlr->Hide();
    HLRBRep_HLRToShape extract(hlr);
    // Sharp edges and, should there be curved faces, their silhouettes and
    // smooth edges; all only where visible.
    const TopoDS_Shape parts[] = {extract.VCompound(), extract.OutLineVCompound(), extract.Rg1LineVCompound(),
                                  extract.RgNLineVCompound()};
    // The projected edges come in the projector's plane: x along xDir,
    // y along yDir. Back in block space they lie in the viewed face's plane.
    auto toBlock = [&](const TPoint& p) {
        gp_XYZ q = xDir.XYZ() * p.X + yDir.XYZ() * p.Y;
        q.SetCoord(axis + 1, plane);
        return TPoint{q.X(), q.Y(), q.Z()};
    };
    for (const TopoDS_Shape& part : parts) {
        for (const TLine& l : EdgeLines(part))
            lines.push_back({toBlock(l.P1), toBlock(l.P2)});
    }
    return lines;
}

TBlockGeometry::TBlockGeometry() : fImpl(std::make_unique<TImpl>()) {}
TBlockGeometry::~TBlockGeometry() = default;

void TBlockGeometry::SetManifold(const TPoint& Origin, const TPoint& Max)
{
    TImpl& d = *fImpl;
    d.Invalidate();
    d.CutOuts.clear();
    d.HasBlock = false;
    d.Key.clear();
    if (!Finite(Origin) || !Finite(Max))
        return;
    d.Describe({1});
    d.Describe(Origin);
    d.Describe(Max);
    const gp_Pnt lo(std::min(Origin.X, Max.X), std::min(Origin.Y, Max.Y), std::min(Origin.Z, Max.Z));
    const gp_Pnt hi(std::max(Origin.X, Max.X), std::max(Origin.Y, Max.Y), std::max(Origin.Z, Max.Z));
    for (int a = 1; a <= 3; ++a)
        if (hi.Coord(a) - lo.Coord(a) <= Confusion)
            return;
    d.Lo = lo;
    d.Hi = hi;
    d.HasBlock = true;
}

void TBlockGeometry::AddCutOutBlock(const TPoint& StartPoint, const TPoint& EndPoint)
{
    TImpl& d = *fImpl;
    d.Invalidate();
    if (!Finite(StartPoint) || !Finite(EndPoint))
        return;
    d.Describe({2});
    d.Describe(StartPoint);
    d.Describe(EndPoint);
    const gp_Pnt lo(std::min(StartPoint.X, EndPoint.X), std::min(StartPoint.Y, EndPoint.Y),
                    std::min(StartPoint.Z, EndPoint.Z));
    const gp_Pnt hi(std::max(StartPoint.X, EndPoint.X), std::max(StartPoint.Y, EndPoint.Y),
                    std::max(StartPoint.Z, EndPoint.Z));
    for (int a = 1; a <= 3; ++a)
        if (hi.Coord(a) - lo.Coord(a) <= Confusion)
            return;
    TImpl::TCutOut c;
    c.Lo = lo;
    c.Hi = hi;
    d.CutOuts.push_back(std::move(c));
}

void TBlockGeometry::AddCutOutPolygon(const double* X, const double* Y, const double* Z, int Count,
                                      const TPoint& Direction)
{
    TImpl& d = *fImpl;
    d.Invalidate();
    if (!X || !Y || !Z || Count < 3 || Count > MaxPolygonPoints || !Finite(Direction))
        return;
    const gp_Vec sweep(Direction.X, Direction.Y, Direction.Z);
    if (sweep.Magnitude() <= Confusion)
        return;
    // The distinct corners in order, without the closing repeat.
    std::vector<gp_Pnt> corners;
    for (int i = 0; i < Count; ++i) {
        const TPoint p{X[i], Y[i], Z[i]};
        if (!Finite(p))
            return;
        const gp_Pnt q = ToPnt(p);
        if (corners.empty() || corners.back().Distance(q) > Confusion)
            corners.push_back(q);
    }
    d.Describe({3, static_cast<double>(Count)});
    for (const gp_Pnt& p : corners)
        d.Describe({p.X(), p.Y(), p.Z()});
    d.Describe(Direction);
    while (corners.size() > 1 && corners.back().Distance(corners.front()) <= Confusion)
        corners.pop_back();
    if (corners.size() < 3)
        return;
    TImpl::TCutOut c;
    c.Polygon = true;
    c.Corners = std::move(corners);
    c.Sweep = sweep;
    d.CutOuts.push_back(std::move(c));
}

int TBlockGeometry::Lines3DInit()
{
    fImpl->Compute();
    return static_cast<int>(fImpl->Lines3D.size());
}

void TBlockGeometry::Line3D(TLine& Line, int Index)
{
    fImpl->Compute();
    if (Index >= 0 && Index < static_cast<int>(fImpl->Lines3D.size()))
        Line = fImpl->Lines3D[Index];
}

int TBlockGeometry::LinesViewInit(int Axis, bool Side)
{
    TImpl& d = *fImpl;
    d.CurrentView.clear();
    if (Axis < 0 || Axis > 2)
        return 0;
    d.Compute();
    auto& cached = d.Views[Axis * 2 + (Side ? 0 : 1)];
    if (!cached) {
        try {
            cached = d.View(Axis, Side);
        } catch (...) {
            // Without hidden-line removal nothing sensible can be said of
            // what is visible; the view stays empty.
            cached = std::vector<TLine>{};
        }
    }
    d.CurrentView = *cached;
    return static_cast<int>(d.CurrentView.size());
}

void TBlockGeometry::LineView(TLine& Line, int Index)
{
    const auto& view = fImpl->CurrentView;
    if (Index >= 0 && Index < static_cast<int>(view.size()))
        Line = view[Index];
}

std::optional<double> TBlockGeometry::RemovedVolume()
{
    TImpl& d = *fImpl;
    d.Compute();
    if (!d.BlockMade || !d.Complete)
        return std::nullopt;
    const double block = (d.Hi.X() - d.Lo.X()) * (d.Hi.Y() - d.Lo.Y()) * (d.Hi.Z() - d.Lo.Z());
    try {
        const double left = d.Result.IsNull() ? 0.0 : Volume(d.Result);
        return std::max(0.0, block - left);
    } catch (...) {
        return std::nullopt;
    }
}

} // namespace qv::blockgeometry
