#pragma once
// Distances between the convex solids of the wall-thickness check. Every
// distance returned is a lower bound of the true one (never larger), and at
// most Tolerance below it.
#include "check/BoreSolids.h"
#include "model/XYZPoints.h"

#include <vector>

namespace qv {

struct TSeparation {
    // Lower bound of the distance between the two solids. When they overlap,
    // the negative depth of their overlap (the shortest move that would part
    // them, with the same tolerance), and Overlap is true.
    double Distance = 0.0;
    bool Overlap = false;
    // The closest points of the two solids. When they overlap, a point of
    // each such that PA - PB is the overlap's depth along its shortest way
    // out: moving the second solid by PA - PB leaves the two just touching
    // (within the tolerance).
    TXYZPoint PA;
    TXYZPoint PB;
};

// Two pieces of bores.
TSeparation PieceDistance(const TBorePiece& A, const TBorePiece& B, double Tolerance);

// A piece and the plane through Point with outward unit normal Normal (the
// solid side is behind the plane): the distance from the piece to the plane,
// negative when the piece crosses it. PA is the piece's point nearest the
// plane, PB its projection on the plane.
TSeparation PieceToPlane(const TBorePiece& A, const TXYZPoint& Point, const TXYZPoint& Normal);

// A piece and the convex hull of Points (a cut-out's prism: its outline on
// the face and the same outline at its depth).
TSeparation PieceToHull(const TBorePiece& A, const std::vector<TXYZPoint>& Points, double Tolerance);

} // namespace qv
