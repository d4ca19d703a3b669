#pragma once
// Drives the block geometry component for the cut-outs of a document: hands
// it the block and every cut-out, and brings back the outline lines of the
// cut block, all of them and as seen from each face.
//
// The component works in the space of the 3D view, in which Z is mirrored:
// z' = Max.Z - z, X and Y unchanged. What goes in is converted by the 3D
// variants of TCutOutHelper; the lines that come back are turned back to
// model coordinates here (z = Max.Z - z').
#include "model/CutOutLists.h"
#include "model/XYZPoints.h"
#include "platform/blockgeometry/BlockGeometry.h"

namespace qv {

class TCutOutListHelper {
public:
    using IBlockGeometry = blockgeometry::IBlockGeometry;

    // AddAllData, then the line list of each face 1..6 kept in Cutouts.
    static void UpdateData(IBlockGeometry& Geometry, const TXYZPoint& Max, TCutOutList& Cutouts);
    // Describes the block (0, 0, 0)..Max and every cut-out in list order: a
    // chamfer as a closed triangle swept along its depth vector, anything
    // else as the box between its start and end corners.
    static void AddAllData(IBlockGeometry& Geometry, const TXYZPoint& Max, const TCutOutList& Cutouts);
    // Lines becomes the outline seen from outside through face 1..6.
    static void GetFaceLines2(IBlockGeometry& Geometry, const TXYZPoint& Max, const TCutOutList& Cutouts,
                              TSimpleXYZLineList& Lines, int Face);
    // Every edge line of the cut block, in model coordinates.
    static TSimpleXYZLineList CreateFaceLines3D(IBlockGeometry& Geometry, const TXYZPoint& Max,
                                                const TCutOutList& Cutouts);

    // The block outline the 3D view draws, in model coordinates: the 12
    // edges of the box (0, 0, 0)..Max when there are no cut-outs (the
    // component is then not asked at all), else UpdateData and
    // CreateFaceLines3D.
    static TSimpleXYZLineList CreateOutlineLines(IBlockGeometry& Geometry, const TXYZPoint& Max,
                                                 TCutOutList& Cutouts);
    // The 12 edges of the box (0, 0, 0)..Max.
    static TSimpleXYZLineList BoxEdges(const TXYZPoint& Max);

    // The program's one block geometry component, for the builder: it keeps
    // the block of the last rebuild, so that a rebuild of the same design
    // (after a view setting changed) does not cut the block again. Only for
    // the thread that builds the scene.
    static blockgeometry::TBlockGeometry& Component();

    // The volume the cut-outs take out of the block, for the weight
    // estimate: computed on the cut solid, so that a chamfer counts as the
    // triangular prism it is, overlapping cut-outs count once and whatever
    // lies outside the block not at all. Should the solid modeller fail on
    // a cut-out, the estimate falls back to CutOutBoxVolume.
    static double CutOutVolume(const TXYZPoint& Max, const TCutOutList& Cutouts);
    // The rough estimate: the sum over the cut-outs of the box between the
    // start and the end corner, |dx * dy * dz|.
    static double CutOutBoxVolume(const TXYZPoint& Max, const TCutOutList& Cutouts);
};

} // namespace qv
