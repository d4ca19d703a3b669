#include "check/WallCheck.h"

#include "check/BoreSolids.h"
#include "check/Distance.h"
#include "document/Manifolds.h"
#include "model/CutOut.Helpers.h"
#include "model/HoleFrame.h"
#include "model/HoleLists.h"
#include "model/StepLists.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <utility>

namespace qv {

double RequiredThickness(const TCalculateSettingsNew& Settings, double DiameterA, bool MountingA, double DiameterB,
                         bool MountingB)
{
    const TCalculateSettinsNewData& s = Settings.fData;
    // A mounting thread carries no pressure: its own (usually smaller) wall
    // applies as soon as one side is a mounting hole.
    if (MountingA || MountingB) return s.WallthicknessMountingHoles;
    if (!s.Flags.Contains(cfnUseMultipleWallThicknesses)) return s.Wallthickness;
    double d = 0.0;
    switch (s.SelectWallDiameter) {
    case swdSmallestDiameter: d = std::min(DiameterA, DiameterB); break;
    case swdLargestDiameter: d = std::max(DiameterA, DiameterB); break;
    default: d = 0.5 * (DiameterA + DiameterB); break;
    }
    // The first range that holds the diameter, its ends included and in
    // either order; a diameter outside every range takes the general wall.
    for (const auto& r : Settings.fWallThicknessRangeList) {
        const TWallthicknessRangeData& w = r->fData;
        const double lo = std::min(w.Diameter1, w.Diameter2), hi = std::max(w.Diameter1, w.Diameter2);
        if (d >= lo && d <= hi) return w.WallThickness;
    }
    return s.Wallthickness;
}

namespace {

TXYZPoint Add(const TXYZPoint& a, const TXYZPoint& b) { return {a.X + b.X, a.Y + b.Y, a.Z + b.Z}; }
double Coord(const TXYZPoint& p, int axis) { return axis == 0 ? p.X : axis == 1 ? p.Y : p.Z; }
bool Finite(const TXYZPoint& p) { return std::isfinite(p.X) && std::isfinite(p.Y) && std::isfinite(p.Z); }

// A thickness to compare with: NaN (a damaged file) asks for nothing, an
// infinite one for everything.
double SaneThickness(double t) { return std::isnan(t) ? 0.0 : std::max(t, 0.0); }

std::string LineCode(const std::string& code)
{
    std::string s = code;
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return s;
}

struct TBox {
    std::array<double, 3> Lo{}, Hi{};
    // The box around nothing, to grow by Include.
    static TBox Empty()
    {
        TBox b;
        b.Lo.fill(std::numeric_limits<double>::infinity());
        b.Hi.fill(-std::numeric_limits<double>::infinity());
        return b;
    }
    void Include(const TBox& b)
    {
        for (int k = 0; k < 3; ++k) {
            Lo[k] = std::min(Lo[k], b.Lo[k]);
            Hi[k] = std::max(Hi[k], b.Hi[k]);
        }
    }
    double LargestSide() const { return std::max({Hi[0] - Lo[0], Hi[1] - Lo[1], Hi[2] - Lo[2]}); }
    bool Overlaps(const TBox& b) const
    {
        for (int k = 0; k < 3; ++k)
            if (Lo[k] > b.Hi[k] || b.Lo[k] > Hi[k]) return false;
        return true;
    }
    // The distance between two boxes: a lower bound of the distance of
    // anything inside them.
    double Gap(const TBox& b) const
    {
        double s = 0.0;
        for (int k = 0; k < 3; ++k) {
            const double g = std::max({0.0, Lo[k] - b.Hi[k], b.Lo[k] - Hi[k]});
            s += g * g;
        }
        return std::sqrt(s);
    }
};

// The box around a frustum: each end disk reaches r * sqrt(1 - a_k^2) along
// axis k, a being the unit axis of the piece.
TBox BoxOf(const TBorePiece& p)
{
    const TXYZPoint d = p.B - p.A;
    const double len = std::sqrt(d.X * d.X + d.Y * d.Y + d.Z * d.Z);
    TBox b;
    for (int k = 0; k < 3; ++k) {
        const double a = len > 0.0 ? Coord(d, k) / len : 0.0;
        const double spread = len > 0.0 ? std::sqrt(std::max(0.0, 1.0 - a * a)) : 1.0;
        const double ea = std::abs(p.RA) * spread, eb = std::abs(p.RB) * spread;
        b.Lo[k] = std::min(Coord(p.A, k) - ea, Coord(p.B, k) - eb);
        b.Hi[k] = std::max(Coord(p.A, k) + ea, Coord(p.B, k) + eb);
    }
    return b;
}

TBox BoxOfPoints(const std::vector<TXYZPoint>& pts)
{
    TBox b = TBox::Empty();
    for (const auto& p : pts) b.Include(TBox{{p.X, p.Y, p.Z}, {p.X, p.Y, p.Z}});
    return b;
}

// The block axis along a face's normal, and the two axes in its plane.
int NormalAxis(int face) { return face == 3 || face == 4 ? 0 : face == 2 || face == 5 ? 1 : 2; }

// A cut-out: the prism of its outline on the face down to its floor.
struct TCutOutSolid {
    int Index = -1;
    int Face = 1;
    std::vector<TXYZPoint> Outline; // on the face
    std::vector<TXYZPoint> Hull;    // outline and floor
    TBox Box;
};

// The point lies in the cut-out's prism (within Tol): a hole drilled from
// its floor or its wall enters the block there.
bool InsideCutOut(const TCutOutSolid& c, const TXYZPoint& p, double tol)
{
    if (c.Hull.empty()) return false;
    const int n = NormalAxis(c.Face);
    const int u = n == 0 ? 1 : 0, v = n == 2 ? 1 : 2;
    if (Coord(p, n) < c.Box.Lo[n] - tol || Coord(p, n) > c.Box.Hi[n] + tol) return false;
    const size_t m = c.Outline.size();
    if (m < 3) return false;
    // Inside a convex polygon: on the same side of every edge.
    int sign = 0;
    for (size_t i = 0; i < m; ++i) {
        const TXYZPoint& a = c.Outline[i];
        const TXYZPoint& b = c.Outline[(i + 1) % m];
        const double eu = Coord(b, u) - Coord(a, u), ev = Coord(b, v) - Coord(a, v);
        const double len = std::sqrt(eu * eu + ev * ev);
        if (len <= 0.0) continue;
        const double cross = (eu * (Coord(p, v) - Coord(a, v)) - ev * (Coord(p, u) - Coord(a, u))) / len;
        if (std::abs(cross) <= tol) continue;
        const int s = cross > 0 ? 1 : -1;
        if (sign == 0) sign = s;
        else if (s != sign) return false;
    }
    return true;
}

struct TPiece {
    TBorePiece Solid;
    TBox Box;
    int Hole = -1;  // index into the check's hole table
    int Line = -1;  // interned line code, -1 for none
};

struct THoleInfo {
    int Index = -1; // in the document's hole list
    const THole* Hole = nullptr;
    bool Mounting = false;
    int Face = 1;
    TXYZPoint Start;
    std::vector<int> EntryCutOuts;
};

// A piece pair found too close or overlapping, kept small: the pieces and
// the distance (overlap: the negative depth). The top bit of Q marks an
// overlap, the top bit of P an overlap of two bores of one line, which
// connects their holes without being listed.
struct THit {
    uint32_t P, Q;
    double D;
    static constexpr uint32_t kFlag = 0x80000000u;
    uint32_t PieceP() const { return P & ~kFlag; }
    uint32_t PieceQ() const { return Q & ~kFlag; }
    bool Overlap() const { return (Q & kFlag) != 0; }
    bool OneLine() const { return (P & kFlag) != 0; }
};

class TWallChecker {
public:
    TWallChecker(const TManifold& m, const TWallCheckOptions& o) : M(m), fOpt(o), fSet(m.fCalculateSettingsNew) {}

    TWallCheckResult Run(bool bruteForce)
    {
        Prepare();
        if (bruteForce) BrutePairs();
        else GridPairs();
        CheckFaces();
        Collect();
        return std::move(R);
    }

private:
    const TManifold& M;
    TWallCheckOptions fOpt;
    const TCalculateSettingsNew& fSet;
    TWallCheckResult R;
    std::vector<THoleInfo> fHoles;
    std::vector<TPiece> fPieces;
    std::vector<TCutOutSolid> fCutOuts;
    std::vector<std::string> fLines;
    double fTol = 0.0;
    double fReach = 0.0; // the largest thickness any wall may need
    bool fGroups = false;
    uint64_t fBudget = 0;      // box tests of the broad phase
    uint64_t fExactBudget = 0; // exact distances
    uint64_t fHitBudget = 0;   // pairs kept for the findings and connections
    bool fOutOfBudget = false;
    std::vector<THit> fBoreHits;
    std::vector<THit> fCutOutHits; // Q: the cut-out's index in fCutOuts
    std::vector<TWallFinding> fFindings;
    std::vector<TWallConnection> fConnections;

    int Intern(const std::string& code)
    {
        if (code.empty()) return -1;
        const std::string key = LineCode(code);
        for (size_t i = 0; i < fLines.size(); ++i)
            if (fLines[i] == key) return int(i);
        fLines.push_back(key);
        return int(fLines.size() - 1);
    }

    void Prepare()
    {
        const TCalculateSettinsNewData& s = fSet.fData;
        R.Wallthickness = s.Wallthickness;
        R.WallthicknessMountingHoles = s.WallthicknessMountingHoles;
        R.MultipleWallThicknesses = s.Flags.Contains(cfnUseMultipleWallThicknesses);
        R.CheckGroups = fGroups = s.Flags.Contains(cfnCheckGroups);
        R.SelectWallDiameter = s.SelectWallDiameter;
        R.Inch = M.IsInch();
        for (const auto& r : fSet.fWallThicknessRangeList) R.Ranges.push_back(r->fData);

        const TXYZPoint& max = M.FData.Max;
        const double side = std::max({std::abs(max.X), std::abs(max.Y), std::abs(max.Z)});
        // A block without a sensible size (a damaged file) is measured as if
        // it were of unit size.
        const double scale = std::isfinite(side) && side >= 1e-3 ? side : 1.0;
        fTol = 0.001 * scale;
        R.Tolerance = fTol;
        // A bore reaching ten thousand times the block's size away is no
        // bore of this block but damage, and measuring it to the block's
        // tolerance would take the distance code as long as it likes.
        const double farAway = 1e4 * scale;
        auto sane = [farAway](const TBorePiece& p) {
            for (const TXYZPoint& q : {p.A, p.B})
                if (std::abs(q.X) > farAway || std::abs(q.Y) > farAway || std::abs(q.Z) > farAway) return false;
            return std::abs(p.RA) <= farAway && std::abs(p.RB) <= farAway && std::abs(p.Diameter) <= 2 * farAway;
        };

        fReach = SaneThickness(s.Wallthickness);
        fReach = std::max(fReach, SaneThickness(s.WallthicknessMountingHoles));
        if (R.MultipleWallThicknesses)
            for (const auto& r : R.Ranges) fReach = std::max(fReach, SaneThickness(r.WallThickness));

        const THoleList& holes = M.FHoleList;
        for (int i = 0; i < holes.Count(); ++i) {
            const THole& h = *holes[i];
            if (h.GetIsDummyHole()) continue;
            std::vector<TBorePiece> pieces = BorePiecesOf(M, h, s);
            if (pieces.empty()) continue;
            THoleInfo info;
            info.Index = i;
            info.Hole = &h;
            info.Mounting = h.GetIsMounting();
            info.Face = h.FData.FaceNumber >= 1 && h.FData.FaceNumber <= 6 ? h.FData.FaceNumber : 1;
            info.Start = HoleStartPoint(max, h);
            const int holeIndex = int(fHoles.size());
            const int holeLine = h.FStepList.Count() ? Intern(h.FStepList[0]->FData.GroupCode) : -1;
            bool any = false;
            for (const auto& p : pieces) {
                if (!Finite(p.A) || !Finite(p.B) || !std::isfinite(p.RA) || !std::isfinite(p.RB) ||
                    !std::isfinite(p.Diameter) || !sane(p)) {
                    ++R.PiecesSkipped;
                    continue;
                }
                TPiece piece;
                piece.Solid = p;
                piece.Box = BoxOf(p);
                piece.Hole = holeIndex;
                // A cartridge's zones belong to different lines; any other
                // hole is one line, the one of its deepest step.
                piece.Line = h.GetIsCartridge() && p.Step >= 0 && p.Step < h.FStepList.Count()
                                 ? Intern(h.FStepList[p.Step]->FData.GroupCode)
                                 : holeLine;
                fPieces.push_back(piece);
                any = true;
            }
            if (any) fHoles.push_back(info);
        }
        R.HolesChecked = int(fHoles.size());
        R.Pieces = fPieces.size();
        // Bores that reach beyond the block (a damaged block size, such as
        // a block of size 0) are measured to a thousandth of their own
        // extent: to a thousandth of a block they dwarf, the distance code
        // would take its full number of steps for every pair.
        if (!fPieces.empty()) {
            TBox all = TBox::Empty();
            for (const TPiece& p : fPieces) all.Include(p.Box);
            const double extent = all.LargestSide();
            if (std::isfinite(extent) && 0.001 * extent > fTol) {
                fTol = 0.001 * extent;
                R.Tolerance = fTol;
            }
        }

        const TCutOutList& cutOuts = M.fCutOutList;
        for (int i = 0; i < cutOuts.Count(); ++i) {
            const TCutOut& c = *cutOuts[i];
            TCutOutSolid solid;
            solid.Index = i;
            solid.Face = c.fData.FaceNumber;
            if (solid.Face < 1 || solid.Face > 6) continue; // nothing is milled
            solid.Outline = TCutOutHelper::CreateShapePoints(c, max);
            const TXYZPoint depth = TCutOutHelper::GetDirection(c, max);
            bool finite = Finite(depth);
            for (const auto& p : solid.Outline) finite = finite && Finite(p);
            if (!finite || solid.Outline.size() < 3) continue;
            solid.Hull = solid.Outline;
            for (const auto& p : solid.Outline) solid.Hull.push_back(Add(p, depth));
            solid.Box = BoxOfPoints(solid.Hull);
            fCutOuts.push_back(std::move(solid));
        }
        for (auto& h : fHoles)
            for (size_t c = 0; c < fCutOuts.size(); ++c)
                if (InsideCutOut(fCutOuts[c], h.Start, fTol)) h.EntryCutOuts.push_back(int(c));

        const uint64_t items = fPieces.size() + fCutOuts.size();
        fBudget = fOpt.PairBudget ? fOpt.PairBudget : kPairBudgetPerPiece * items + kPairBudgetBase;
        fExactBudget = fOpt.ExactBudget ? fOpt.ExactBudget : kExactBudgetPerPiece * items + kExactBudgetBase;
        fHitBudget = fOpt.HitBudget ? fOpt.HitBudget : kHitBudgetPerPiece * items + kHitBudgetBase;
    }

    double PieceRequired(const TPiece& a, const TPiece& b) const
    {
        const THoleInfo& ha = fHoles[size_t(a.Hole)];
        const THoleInfo& hb = fHoles[size_t(b.Hole)];
        return SaneThickness(
            RequiredThickness(fSet, a.Solid.Diameter, ha.Mounting, b.Solid.Diameter, hb.Mounting));
    }
    double OutsideRequired(const TPiece& a) const { return PieceRequired(a, a); }

    // Items of the broad phase: pieces first, then cut-outs.
    size_t ItemCount() const { return fPieces.size() + fCutOuts.size(); }
    const TBox& ItemBox(size_t i) const
    {
        return i < fPieces.size() ? fPieces[i].Box : fCutOuts[i - fPieces.size()].Box;
    }

    // One exact distance more, if the budget still allows it.
    bool Measure()
    {
        if (R.PairsTested >= fExactBudget) {
            fOutOfBudget = true;
            ++R.PairsNotTested;
            return false;
        }
        ++R.PairsTested;
        return true;
    }

    // The axis of a piece lies inside it: when a point of one piece's axis
    // lies inside the other piece, deeper than the tolerance, the two surely
    // overlap, and no exact distance is needed to know it (the depth of a
    // listed connection is measured at the end, for the connections kept).
    bool SurelyOverlap(const TBorePiece& a, const TBorePiece& b) const
    {
        auto inside = [this](const TBorePiece& p, const TXYZPoint& q) {
            const TXYZPoint ab = p.B - p.A, aq = q - p.A;
            const double len2 = ab.X * ab.X + ab.Y * ab.Y + ab.Z * ab.Z;
            if (!(len2 > 0.0)) return false;
            const double len = std::sqrt(len2);
            const double t = (aq.X * ab.X + aq.Y * ab.Y + aq.Z * ab.Z) / len;
            if (t < fTol || t > len - fTol) return false;
            const double r = p.RA + (p.RB - p.RA) * (t / len);
            const double radial2 = std::max(0.0, aq.X * aq.X + aq.Y * aq.Y + aq.Z * aq.Z - t * t);
            return r > fTol && radial2 < (r - fTol) * (r - fTol);
        };
        // The closest points of the two axes (clamped to the segments).
        const TXYZPoint u = a.B - a.A, v = b.B - b.A, w = a.A - b.A;
        const double uu = u.X * u.X + u.Y * u.Y + u.Z * u.Z, vv = v.X * v.X + v.Y * v.Y + v.Z * v.Z;
        const double uv = u.X * v.X + u.Y * v.Y + u.Z * v.Z;
        const double uw = u.X * w.X + u.Y * w.Y + u.Z * w.Z, vw = v.X * w.X + v.Y * w.Y + v.Z * w.Z;
        const double den = uu * vv - uv * uv;
        double s = den > 1e-12 * uu * vv ? std::clamp((uv * vw - vv * uw) / den, 0.0, 1.0) : 0.0;
        double t = vv > 0.0 ? std::clamp((uv * s + vw) / vv, 0.0, 1.0) : 0.0;
        s = uu > 0.0 ? std::clamp((uv * t - uw) / uu, 0.0, 1.0) : 0.0;
        const TXYZPoint pa = Add(a.A, u * s), pb = Add(b.A, v * t);
        // Parallel axes have no single pair of closest points: the middles
        // of the axes stand in for them.
        const TXYZPoint ma = Add(a.A, u * 0.5), mb = Add(b.A, v * 0.5);
        return inside(a, pb) || inside(b, pa) || inside(a, mb) || inside(b, ma);
    }

    // Keeps a pair for the findings and connections while the budget lasts.
    void Keep(std::vector<THit>& hits, const THit& h)
    {
        if (fBoreHits.size() + fCutOutHits.size() >= fHitBudget) {
            fOutOfBudget = true;
            ++R.PairsNotTested;
            return;
        }
        hits.push_back(h);
    }

    // The exact test of one candidate pair of items.
    void Narrow(size_t i, size_t j)
    {
        if (i > j) std::swap(i, j);
        const size_t np = fPieces.size();
        if (i >= np) return; // two cut-outs
        const TPiece& a = fPieces[i];
        if (j < np) {
            const TPiece& b = fPieces[j];
            if (a.Hole == b.Hole) return;
            ++R.CandidatePairs;
            // Two bores of one line may come as close as they like: only
            // whether they meet matters, for the walls between the rest of
            // their holes.
            const bool oneLine = fGroups && a.Line >= 0 && a.Line == b.Line;
            const uint32_t lineFlag = oneLine ? THit::kFlag : 0;
            const double req = oneLine ? 0.0 : PieceRequired(a, b);
            if (oneLine ? a.Box.Gap(b.Box) > 0.0 : a.Box.Gap(b.Box) >= req) return;
            if (SurelyOverlap(a.Solid, b.Solid)) {
                ++R.PairsTested;
                Keep(fBoreHits, {uint32_t(i) | lineFlag, uint32_t(j) | THit::kFlag, 0.0});
                return;
            }
            if (!Measure()) return;
            const TSeparation s = PieceDistance(a.Solid, b.Solid, fTol);
            if (s.Overlap) Keep(fBoreHits, {uint32_t(i) | lineFlag, uint32_t(j) | THit::kFlag, 0.0});
            else if (!oneLine && s.Distance < req) Keep(fBoreHits, {uint32_t(i), uint32_t(j), std::max(s.Distance, 0.0)});
            return;
        }
        const size_t c = j - np;
        const THoleInfo& h = fHoles[size_t(a.Hole)];
        if (std::find(h.EntryCutOuts.begin(), h.EntryCutOuts.end(), int(c)) != h.EntryCutOuts.end()) return;
        ++R.CandidatePairs;
        const double req = OutsideRequired(a);
        if (a.Box.Gap(fCutOuts[c].Box) >= req || !Measure()) return;
        const TSeparation s = PieceToHull(a.Solid, fCutOuts[c].Hull, fTol);
        if (s.Overlap || s.Distance < req) Keep(fCutOutHits, {uint32_t(i), uint32_t(c), s.Distance});
    }
    void BrutePairs()
    {
        const size_t n = ItemCount();
        for (size_t i = 0; i < n; ++i)
            for (size_t j = i + 1; j < n; ++j) Narrow(i, j);
    }

    // A uniform grid over the boxes, each grown by half the largest wall
    // (and the tolerance), so that two items that may be too close share a
    // cell. Each pair is measured in one cell only: the one that holds the
    // low corner of the two grown boxes' intersection.
    void GridPairs()
    {
        const size_t n = ItemCount();
        if (n < 2) return;
        const double grow = 0.5 * std::min(fReach, 1e300) + fTol;
        std::vector<TBox> boxes(n);
        TBox all = TBox::Empty();
        double sumSide = 0.0;
        for (size_t i = 0; i < n; ++i) {
            TBox b = ItemBox(i);
            for (int k = 0; k < 3; ++k) {
                b.Lo[k] -= grow;
                b.Hi[k] += grow;
            }
            all.Include(b);
            sumSide += b.LargestSide();
            boxes[i] = b;
        }
        double extent = all.LargestSide();
        if (!std::isfinite(extent) || !std::isfinite(sumSide)) {
            // Walls or boxes beyond any number: every pair is a candidate,
            // as far as the budget goes.
            AllPairs(n);
            return;
        }
        // Start from the mean box size; grow the cells until no item covers
        // too many of them in total and the cell indices fit in 20 bits.
        constexpr double kMaxCellsPerAxis = double(1 << 20) - 2;
        double cell = std::max(sumSide / double(n), extent / kMaxCellsPerAxis);
        if (!(cell > 0.0)) cell = 1.0;
        const uint64_t maxEntries = 16 * uint64_t(n) + 1024;
        for (;;) {
            uint64_t entries = 0;
            for (size_t i = 0; i < n && entries <= maxEntries; ++i) {
                uint64_t c = 1;
                for (int k = 0; k < 3; ++k)
                    c *= uint64_t(std::floor((boxes[i].Hi[k] - all.Lo[k]) / cell) -
                                  std::floor((boxes[i].Lo[k] - all.Lo[k]) / cell) + 1);
                entries += c;
            }
            if (entries <= maxEntries) break;
            cell *= 2.0;
        }
        auto index = [&](double v, int k) {
            return uint64_t(std::clamp(std::floor((v - all.Lo[k]) / cell), 0.0, kMaxCellsPerAxis));
        };
        auto key = [](uint64_t x, uint64_t y, uint64_t z) { return (x << 40) | (y << 20) | z; };

        std::vector<std::pair<uint64_t, uint32_t>> entries;
        std::vector<std::array<uint64_t, 3>> lowCell(n);
        for (size_t i = 0; i < n; ++i) {
            uint64_t lo[3], hi[3];
            for (int k = 0; k < 3; ++k) {
                lo[k] = index(boxes[i].Lo[k], k);
                hi[k] = index(boxes[i].Hi[k], k);
            }
            lowCell[i] = {lo[0], lo[1], lo[2]};
            for (uint64_t x = lo[0]; x <= hi[0]; ++x)
                for (uint64_t y = lo[1]; y <= hi[1]; ++y)
                    for (uint64_t z = lo[2]; z <= hi[2]; ++z) entries.emplace_back(key(x, y, z), uint32_t(i));
        }
        std::sort(entries.begin(), entries.end());

        uint64_t examined = 0;
        for (size_t s = 0; s < entries.size();) {
            size_t e = s;
            while (e < entries.size() && entries[e].first == entries[s].first) ++e;
            const uint64_t k = entries[s].first;
            const uint64_t cx = k >> 40, cy = (k >> 20) & 0xFFFFF, cz = k & 0xFFFFF;
            const uint64_t m = e - s;
            if (examined >= fBudget || fOutOfBudget) {
                R.PairsNotTested += m * (m - 1) / 2;
            } else {
                for (size_t a = s; a < e; ++a) {
                    if (examined >= fBudget || fOutOfBudget) {
                        // The rest of this cell's pairs stay unmeasured.
                        const uint64_t left = e - a;
                        R.PairsNotTested += left * (left - 1) / 2;
                        break;
                    }
                    const uint32_t i = entries[a].second;
                    for (size_t b = a + 1; b < e; ++b) {
                        ++examined;
                        ++R.BoxTests;
                        const uint32_t j = entries[b].second;
                        if (!boxes[i].Overlaps(boxes[j])) continue;
                        // Only in the cell of the intersection's low corner.
                        if (std::max(lowCell[i][0], lowCell[j][0]) != cx ||
                            std::max(lowCell[i][1], lowCell[j][1]) != cy ||
                            std::max(lowCell[i][2], lowCell[j][2]) != cz)
                            continue;
                        Narrow(i, j);
                    }
                }
            }
            s = e;
        }
    }

    void AllPairs(size_t n)
    {
        uint64_t examined = 0;
        for (size_t i = 0; i < n; ++i)
            for (size_t j = i + 1; j < n; ++j) {
                ++R.BoxTests;
                if (examined++ >= fBudget || fOutOfBudget) {
                    R.PairsNotTested += uint64_t(n - j);
                    break;
                }
                Narrow(i, j);
            }
    }

    TWallBore Bore(const TPiece& p) const
    {
        const THoleInfo& h = fHoles[size_t(p.Hole)];
        TWallBore b;
        b.HoleIndex = h.Index;
        b.HoleNumber = h.Hole->FData.HoleNumber;
        b.StepIndex = p.Solid.Step;
        if (p.Solid.Step >= 0 && p.Solid.Step < h.Hole->FStepList.Count()) {
            const TStepData& s = h.Hole->FStepList[p.Solid.Step]->FData;
            b.StepNumber = s.StepNumber;
            b.Group = h.Hole->GetIsCartridge() ? s.GroupCode : h.Hole->FStepList[0]->FData.GroupCode;
        }
        b.Diameter = p.Solid.Diameter;
        b.Mounting = h.Mounting;
        return b;
    }

    // Every hole against every outside face but its own entry face (and the
    // far face of a through hole, which it is meant to leave by).
    void CheckFaces()
    {
        const TXYZPoint& max = M.FData.Max;
        if (!Finite(max)) return;
        std::vector<std::vector<size_t>> piecesOf(fHoles.size());
        for (size_t i = 0; i < fPieces.size(); ++i) piecesOf[size_t(fPieces[i].Hole)].push_back(i);
        for (size_t h = 0; h < fHoles.size(); ++h) {
            const THoleInfo& info = fHoles[h];
            for (int face = 1; face <= 6; ++face) {
                if (face == info.Face) continue;
                if (face == 7 - info.Face && info.Hole->GetIsThrough()) continue;
                const TXYZPoint normal = FaceNormal(face);
                const TXYZPoint onFace = face == 4 ? TXYZPoint{max.X, 0, 0}
                                         : face == 5 ? TXYZPoint{0, max.Y, 0}
                                         : face == 6 ? TXYZPoint{0, 0, max.Z}
                                                     : TXYZPoint{};
                bool found = false;
                TWallFinding best;
                for (const size_t i : piecesOf[h]) {
                    const TPiece& p = fPieces[i];
                    const double req = OutsideRequired(p);
                    const TSeparation s = PieceToPlane(p.Solid, onFace, normal);
                    ++R.FaceTests;
                    if (!(s.Distance < req)) continue;
                    if (found && s.Distance >= best.Thickness) continue;
                    found = true;
                    best.A = Bore(p);
                    best.Kind = TWallOther::Face;
                    best.Face = face;
                    best.Thickness = s.Distance;
                    best.Required = req;
                    best.PA = s.PA;
                    best.PB = s.PB;
                }
                if (found) {
                    fFindings.push_back(best);
                    ++R.FaceFindings;
                }
            }
        }
    }

    // One finding per pair of holes (the thinnest wall between them) and per
    // hole and cut-out; one connection per pair of holes (with its deepest
    // overlap). Sorted and cut to the options' caps.
    void Collect()
    {
        const bool showConnected = fSet.fData.Flags.Contains(cfnShowDistancesEvenForConnectedHoles);
        std::vector<std::pair<size_t, size_t>> connections; // their hits, in the order of the hole list
        auto holePair = [&](const THit& h) {
            const int a = fPieces[h.PieceP()].Hole, b = fPieces[h.PieceQ()].Hole;
            return std::pair{std::min(a, b), std::max(a, b)};
        };
        std::sort(fBoreHits.begin(), fBoreHits.end(), [&](const THit& x, const THit& y) {
            const auto px = holePair(x), py = holePair(y);
            if (px != py) return px < py;
            return std::tuple(x.D, x.PieceP(), x.PieceQ()) < std::tuple(y.D, y.PieceP(), y.PieceQ());
        });
        for (size_t s = 0; s < fBoreHits.size();) {
            size_t e = s;
            const auto key = holePair(fBoreHits[s]);
            const THit* thin = nullptr;
            bool connected = false, listed = false;
            for (; e < fBoreHits.size() && holePair(fBoreHits[e]) == key; ++e) {
                const THit& h = fBoreHits[e];
                if (h.Overlap()) {
                    connected = true;
                    listed = listed || !h.OneLine();
                } else if (!thin) {
                    thin = &h; // sorted: the thinnest first
                }
            }
            if (listed) connections.push_back({s, e});
            // The walls between two holes that meet anyway are shown only
            // when the settings ask for them.
            if (thin && (!connected || showConnected)) {
                const TPiece& a = fPieces[thin->P];
                const TPiece& b = fPieces[thin->Q];
                const TSeparation sep = PieceDistance(a.Solid, b.Solid, fTol);
                TWallFinding f;
                f.A = Bore(a);
                f.B = Bore(b);
                f.Thickness = thin->D;
                f.Required = PieceRequired(a, b);
                f.PA = sep.PA;
                f.PB = sep.PB;
                if (f.B.HoleIndex < f.A.HoleIndex) {
                    std::swap(f.A, f.B);
                    std::swap(f.PA, f.PB);
                }
                fFindings.push_back(std::move(f));
                ++R.BorePairFindings;
            }
            s = e;
        }

        std::sort(fCutOutHits.begin(), fCutOutHits.end(), [&](const THit& x, const THit& y) {
            return std::tuple(fPieces[x.P].Hole, x.Q, x.D, x.P) < std::tuple(fPieces[y.P].Hole, y.Q, y.D, y.P);
        });
        for (size_t s = 0; s < fCutOutHits.size();) {
            const THit& h = fCutOutHits[s]; // the thinnest of this hole and cut-out
            const TPiece& p = fPieces[h.P];
            const TCutOutSolid& c = fCutOuts[h.Q];
            const TSeparation sep = PieceToHull(p.Solid, c.Hull, fTol);
            TWallFinding f;
            f.A = Bore(p);
            f.Kind = TWallOther::CutOut;
            f.CutOut = c.Index;
            f.Thickness = h.D;
            f.Required = OutsideRequired(p);
            f.PA = sep.PA;
            f.PB = sep.PB;
            fFindings.push_back(std::move(f));
            ++R.CutOutFindings;
            size_t e = s;
            while (e < fCutOutHits.size() && fPieces[fCutOutHits[e].P].Hole == p.Hole && fCutOutHits[e].Q == h.Q) ++e;
            s = e;
        }

        // The connections kept, in the order of the hole list, each with the
        // deepest overlap of its two holes' bores of different lines.
        R.ConnectionCount = connections.size();
        if (connections.size() > fOpt.MaxConnections) connections.resize(fOpt.MaxConnections);
        for (const auto& [s, e] : connections) {
            TWallConnection c;
            bool first = true;
            for (size_t k = s; k < e; ++k) {
                const THit& h = fBoreHits[k];
                if (!h.Overlap() || h.OneLine()) continue;
                const TPiece& a = fPieces[h.PieceP()];
                const TPiece& b = fPieces[h.PieceQ()];
                const TSeparation sep = PieceDistance(a.Solid, b.Solid, fTol);
                const double depth = std::max(0.0, -sep.Distance);
                if (!first && depth <= c.Overlap) continue;
                first = false;
                c.A = Bore(a);
                c.B = Bore(b);
                c.Overlap = depth;
                c.Point = sep.PA;
            }
            Order(c.A, c.B);
            fConnections.push_back(std::move(c));
        }

        R.Complete = !fOutOfBudget && R.PairsNotTested == 0;
        R.FindingCount = fFindings.size();
        auto byThickness = [](const TWallFinding& x, const TWallFinding& y) {
            return std::tuple(x.Thickness, x.A.HoleNumber, int(x.Kind), x.B.HoleNumber, x.Face, x.CutOut) <
                   std::tuple(y.Thickness, y.A.HoleNumber, int(y.Kind), y.B.HoleNumber, y.Face, y.CutOut);
        };
        KeepThinnest(fFindings, fOpt.MaxFindings, byThickness);
        R.Findings = std::move(fFindings);
        R.Connections = std::move(fConnections);
    }

    static void Order(TWallBore& a, TWallBore& b)
    {
        if (b.HoleIndex < a.HoleIndex) std::swap(a, b);
    }

    template <class T, class Less> static void KeepThinnest(std::vector<T>& v, size_t cap, Less less)
    {
        if (v.size() > cap) {
            std::nth_element(v.begin(), v.begin() + std::ptrdiff_t(cap), v.end(), less);
            v.resize(cap);
        }
        std::sort(v.begin(), v.end(), less);
    }
};

} // namespace

TWallCheckResult CheckWalls(const TManifold& Manifold, const TWallCheckOptions& Options)
{
    return TWallChecker(Manifold, Options).Run(false);
}

TWallCheckResult CheckWallsBruteForce(const TManifold& Manifold, const TWallCheckOptions& Options)
{
    return TWallChecker(Manifold, Options).Run(true);
}

} // namespace qv
