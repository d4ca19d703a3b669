#pragma once
// The drilled volume of a hole as exact solids in block coordinates: a
// union of convex pieces, each a frustum of a cone around a segment of the
// hole's axis (a cylinder when both radii are equal, a drill point when one
// radius is 0). The distance between two holes is the smallest distance
// between any two of their pieces, so no piece needs to know its
// neighbours: the flat shoulder between two diameters is the end disk of
// the wider cylinder.
#include "model/CalculateSettings.h"
#include "model/XYZPoints.h"

#include <vector>

namespace qv {

class TManifold;
class THole;

struct TBorePiece {
    TXYZPoint A;        // centre of the end disk nearer the hole's start
    TXYZPoint B;        // centre of the far end disk
    double RA = 0.0;    // radius at A
    double RB = 0.0;    // radius at B
    int Step = -1;      // index of the step in the hole's step list
    double Diameter = 0.0; // the step's diameter as the check counts it (a
                           // thread: nominal + correction or drill size)
};

// The pieces of Hole in the coordinates of Manifold's block (the same
// coordinates as the block's Max corner). Empty for a dummy hole and for a
// hole without steps. Threads count with their nominal outer diameter plus
// Settings.ThreadCorrection when Settings.Flags holds cfnCheckThread, and with
// their drill diameter otherwise.
std::vector<TBorePiece> BorePiecesOf(const TManifold& Manifold, const THole& Hole,
                                     const TCalculateSettinsNewData& Settings);

} // namespace qv
