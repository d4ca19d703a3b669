#pragma once
// The geometry of a cut-out in block space: its start corner, the corner
// diagonally opposite, its depth vector and its outline on the face.
//
// The block is the box from (0, 0, 0) to Max. Each face lies in a plane and
// has a first axis u and a second axis v:
//   face 1: Z = 0,  u = X, v = Y      face 4: X = MX, u = Y, v = Z
//   face 2: Y = 0,  u = X, v = Z      face 5: Y = MY, u = X, v = Z
//   face 3: X = 0,  u = Y, v = Z      face 6: Z = MZ, u = X, v = Y
//
// The variants ending in 3D give the same in the space of the 3D view and of
// the block geometry component, where Z is mirrored: a point (x, y, z)
// becomes (x, y, MZ - z) and a direction (x, y, z) becomes (x, y, -z).
#include "model/CutOutLists.h"
#include "model/XYZPoints.h"

#include <vector>

namespace qv {

class TCutOutHelper {
public:
    // The cut-out is at a corner of its face (not at a free position).
    static bool IsAtEdge(const TCutOut& CutOut) { return CutOut.fData.Corner != -1; }

    static TXYZPoint GetStartPoint(const TCutOut& CutOut, const TXYZPoint& Max);
    static TXYZPoint GetEndPoint(const TCutOut& CutOut, const TXYZPoint& Max);
    // From the start point down to the cut-out's floor, along the face normal.
    static TXYZPoint GetDirection(const TCutOut& CutOut, const TXYZPoint& Max);
    // The outline on the face: four corners from the start point, or three
    // for a chamfer (the corner opposite the start is left out).
    static std::vector<TXYZPoint> CreateShapePoints(const TCutOut& CutOut, const TXYZPoint& Max);
    // The outline as a closed run of lines.
    static TSimpleXYZLineList CreateShapeLines(const TCutOut& CutOut, const TXYZPoint& Max);

    static TXYZPoint GetStartPoint3D(const TCutOut& CutOut, const TXYZPoint& Max);
    static TXYZPoint GetEndPoint3D(const TCutOut& CutOut, const TXYZPoint& Max);
    static TXYZPoint GetDirection3D(const TCutOut& CutOut, const TXYZPoint& Max);
    static std::vector<TXYZPoint> CreateShapePoints3D(const TCutOut& CutOut, const TXYZPoint& Max);
    static TSimpleXYZLineList CreateShapeLines3D(const TCutOut& CutOut, const TXYZPoint& Max);

    // Lines from each point to the next and from the last back to the first;
    // empty for fewer than two points.
    static TSimpleXYZLineList LinesOfPolygon(const std::vector<TXYZPoint>& Points);
};

} // namespace qv
