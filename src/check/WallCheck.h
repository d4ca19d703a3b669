#pragma once
// The wall-thickness check of a design: how close the bores of different
// pressure lines come to each other and to the outside of the block.
//
// Every hole that is drilled (not a dummy) becomes its bore pieces
// (BoreSolids.h). For every pair of holes the check finds the smallest
// distance between their pieces, for every hole the smallest distance to each
// outside face of the block but the one it is drilled from, and to each
// cut-out (a pocket milled into the block is outside too). A wall thinner
// than the thickness required for it is a finding; bores whose solids overlap
// are connected (they meet on purpose or by mistake) and are listed apart.
//
// Groups: a bore carries the group (the hydraulic line) of its deepest step;
// a cartridge cavity carries a group per step, because its zones belong to
// different lines. When the settings hold cfnCheckGroups, two bores of the
// same line are not checked against each other. A step without a group code
// belongs to no line and is checked against everything.
//
// Distances are lower bounds: a reported thickness is never larger than the
// true one, and at most Tolerance() below it.
#include "model/CalculateSettings.h"
#include "model/XYZPoints.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

class TManifold;

// One side of a wall that is a bore: the hole (its index in the document's
// hole list and its number), the step (index in the hole's step list, 0 the
// deepest, and its number) and the step's line.
struct TWallBore {
    int HoleIndex = -1;
    int HoleNumber = 0;
    int StepIndex = -1;
    int StepNumber = 0;
    std::string Group;
    double Diameter = 0.0; // as the check counts it (a thread: see BoreSolids.h)
    bool Mounting = false;
};

enum class TWallOther { Bore, Face, CutOut };

struct TWallFinding {
    TWallBore A;
    TWallOther Kind = TWallOther::Bore;
    TWallBore B;      // Kind == Bore
    int Face = 0;     // Kind == Face: 1 to 6
    int CutOut = -1;  // Kind == CutOut: index in the document's cut-out list
    double Thickness = 0.0; // negative: the bore breaks out of the face or into the cut-out
    double Required = 0.0;
    TXYZPoint PA; // the closest point on A's bore
    TXYZPoint PB; // the closest point on the other side
};

// Two holes whose bores overlap, with the steps where they overlap most.
struct TWallConnection {
    TWallBore A;
    TWallBore B;
    double Overlap = 0.0; // depth of the overlap (positive)
    TXYZPoint Point;      // a point inside both
};

struct TWallCheckOptions {
    // At most this many findings and connections are kept (the thinnest
    // walls, the first connections in the order of the hole list); the rest
    // are only counted.
    size_t MaxFindings = 10000;
    size_t MaxConnections = 10000;
    // A pathological design (thousands of bores in one spot) is left
    // unfinished instead of taking time in the square of its size. The
    // broad phase tests at most PairBudget pairs of boxes (0: kPairBudget-
    // PerPiece per piece and cut-out plus kPairBudgetBase), and at most
    // ExactBudget distances are measured exactly (0: kExactBudgetPerPiece
    // per piece and cut-out plus kExactBudgetBase).
    uint64_t PairBudget = 0;
    uint64_t ExactBudget = 0;
    // At most this many pairs of pieces are kept for the findings and
    // connections (0: kHitBudgetPerPiece per piece and cut-out plus
    // kHitBudgetBase).
    uint64_t HitBudget = 0;
};

struct TWallCheckResult {
    // The thicknesses the design asks for, in the document's unit.
    double Wallthickness = 0.0;
    double WallthicknessMountingHoles = 0.0;
    bool MultipleWallThicknesses = false;
    bool CheckGroups = false;
    TSelectWallDiameter SelectWallDiameter = swdAverageOfDiameters;
    std::vector<TWallthicknessRangeData> Ranges; // in use only with MultipleWallThicknesses
    bool Inch = false;
    double Tolerance = 0.0; // how far below the truth a thickness may be

    std::vector<TWallFinding> Findings;       // thinnest first
    std::vector<TWallConnection> Connections; // in the order of the hole list
    uint64_t FindingCount = 0;    // all findings, kept or not
    uint64_t ConnectionCount = 0; // all connections, kept or not
    uint64_t BorePairFindings = 0, FaceFindings = 0, CutOutFindings = 0;

    int HolesChecked = 0;         // drilled holes with at least one piece
    uint64_t Pieces = 0;          // bore pieces in the check
    uint64_t PiecesSkipped = 0;   // pieces of a damaged file: not numbers, or far beyond the block
    uint64_t CandidatePairs = 0;  // pairs of bore pieces (and of a piece and a cut-out) the broad phase handed on
    uint64_t PairsTested = 0;     // of those, the pairs whose distance was computed exactly
    uint64_t FaceTests = 0;       // distances of a piece to a face
    uint64_t BoxTests = 0;        // pairs of boxes the broad phase compared
    uint64_t PairsNotTested = 0;  // pairs left when a budget ran out (at most this many)
    bool Complete = true;         // every pair that could be too close was measured
};

constexpr uint64_t kPairBudgetPerPiece = 64;
constexpr uint64_t kPairBudgetBase = 4000000;
constexpr uint64_t kExactBudgetPerPiece = 2;
constexpr uint64_t kExactBudgetBase = 200000;
// Pairs kept for the findings and connections (16 bytes each).
constexpr uint64_t kHitBudgetPerPiece = 8;
constexpr uint64_t kHitBudgetBase = 1000000;

// The thickness required between two bores of the given diameters (both
// holes' mounting flags decide for WallthicknessMountingHoles), and between
// one bore and the outside (pass the bore twice).
double RequiredThickness(const TCalculateSettingsNew& Settings, double DiameterA, bool MountingA, double DiameterB,
                         bool MountingB);

TWallCheckResult CheckWalls(const TManifold& Manifold, const TWallCheckOptions& Options = {});

// The same without the broad phase: every pair of pieces is measured. Slow;
// it is the reference the broad phase is tested against.
TWallCheckResult CheckWallsBruteForce(const TManifold& Manifold, const TWallCheckOptions& Options = {});

} // namespace qv
