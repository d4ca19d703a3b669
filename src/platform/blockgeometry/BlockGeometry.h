#pragma once
// The block geometry component: the manifold block as a solid, with the
// pockets, slots and chamfers milled into it taken away, and the edge lines
// of what is left.
//
// The component works in its own block space, in which the block runs from
// the corner Origin to the corner Max given to SetManifold. Callers that
// mirror an axis (the 3D view mirrors Z) do so before and after the calls.
//
// The seven operations:
//   SetManifold      describes a new block; every earlier cut-out is dropped
//   AddCutOutBlock   removes the box between two opposite corners
//   AddCutOutPolygon removes the prism swept by a closed polygon along a vector
//   Lines3DInit      the number of edge lines of the cut block ...
//   Line3D           ... delivered one by one, 0-based
//   LinesViewInit    the number of lines seen along an axis from one side ...
//   LineView         ... delivered one by one, 0-based
//
// No operation throws. A cut-out that has no volume (zero or negative size,
// a polygon of fewer than three distinct points, a zero sweep, values that
// are not finite) is ignored; one that lies outside the block removes
// nothing. Should the solid modeller fail on a cut, the cut-outs are applied
// one at a time and those that fail are left out; should the block itself
// fail, there are no lines at all.
#include <memory>
#include <optional>

namespace qv::blockgeometry {

struct TPoint {
    double X = 0.0;
    double Y = 0.0;
    double Z = 0.0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TLine {
    TPoint P1;
    TPoint P2;
    friend bool operator==(const TLine&, const TLine&) = default;
};

// The largest polygon AddCutOutPolygon accepts (points, the closing repeat
// of the first included); longer ones are ignored.
inline constexpr int MaxPolygonPoints = 256;

// The seven operations, so that a driver can be tested against a fake.
class IBlockGeometry {
public:
    virtual ~IBlockGeometry() = default;

    virtual void SetManifold(const TPoint& Origin, const TPoint& Max) = 0;
    virtual void AddCutOutBlock(const TPoint& StartPoint, const TPoint& EndPoint) = 0;
    // X, Y, Z hold Count points of a closed polygon (the first point may be
    // repeated at the end); the prism is swept from it along Direction.
    virtual void AddCutOutPolygon(const double* X, const double* Y, const double* Z, int Count,
                                  const TPoint& Direction) = 0;
    virtual int Lines3DInit() = 0;
    // An index outside 0 .. count - 1 leaves Line as it is.
    virtual void Line3D(TLine& Line, int Index) = 0;
    // Axis 0 X, 1 Y, 2 Z. Side true: seen from the low end of the axis
    // (looking towards +axis), false: from the high end.
    virtual int LinesViewInit(int Axis, bool Side) = 0;
    virtual void LineView(TLine& Line, int Index) = 0;
};

// The component over a solid modeller (OpenCASCADE). The cut is computed
// lazily, on the first question after a change.
class TBlockGeometry final : public IBlockGeometry {
public:
    TBlockGeometry();
    ~TBlockGeometry() override;
    TBlockGeometry(const TBlockGeometry&) = delete;
    TBlockGeometry& operator=(const TBlockGeometry&) = delete;

    void SetManifold(const TPoint& Origin, const TPoint& Max) override;
    void AddCutOutBlock(const TPoint& StartPoint, const TPoint& EndPoint) override;
    void AddCutOutPolygon(const double* X, const double* Y, const double* Z, int Count,
                          const TPoint& Direction) override;
    int Lines3DInit() override;
    void Line3D(TLine& Line, int Index) override;
    int LinesViewInit(int Axis, bool Side) override;
    void LineView(TLine& Line, int Index) override;

    // Beyond the seven operations: the volume the cut-outs take away from
    // the block (overlaps counted once, parts outside the block not at all),
    // or nothing when a cut-out could not be applied and the figure would
    // be wrong.
    std::optional<double> RemovedVolume();

private:
    struct TImpl;
    std::unique_ptr<TImpl> fImpl;
};

} // namespace qv::blockgeometry
