// The drilled volume of a hole, piece by piece, the way the drills cut it:
// from the step at the face down to the deepest one, each step's straight
// bore down to its cone depth, then the ring of its drill point between its
// own diameter and the next deeper one (a full cone on the deepest step).
// A spot-faced step ends flat: the shoulder is simply the end disk of its
// bore. The 3D view draws the same stack (Manifolds.Drawing3D); the zones of
// a cartridge cavity between its ports are drawn in colours but drilled as
// one bore, so they make no pieces of their own.
#include "check/BoreSolids.h"

#include "document/Manifolds.h"
#include "model/HoleFrame.h"
#include "model/HoleLists.h"
#include "model/StepLists.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

bool Finite(const TXYZPoint& p) { return std::isfinite(p.X) && std::isfinite(p.Y) && std::isfinite(p.Z); }

class TPieceBuilder {
public:
    TPieceBuilder(const TManifold& m, const THole& h, const TCalculateSettinsNewData& s, std::vector<TBorePiece>& out)
        : Steps(h.FStepList), Settings(s), Out(out), Start(HoleStartPoint(m.FData.Max, h)),
          Drill(HoleDrillDirection(h)), ThreadFromTop(m.IsThreadFromTop())
    {
    }

    void Build()
    {
        const int n = Steps.Count();
        int first = n - 1;
        if (Steps.ORingFound()) {
            // A face groove for an O-ring: the ring between the inner
            // diameter (step n - 2) and the outer one (step n - 1), as deep
            // as the outer step. It counts as a full cylinder of its outer
            // diameter: a ring is not convex, and taking in the core of metal
            // the ring leaves around the bore can only make a wall near the
            // groove look thinner than it is, never thicker.
            const auto& outer = Steps.GetSteps(n - 1)->FData;
            Add(n - 1, 0.0, outer.Depth, outer.Diameter, outer.Diameter);
            first = n - 3;
        }
        double acc = 0.0; // depth below the hole's start reached so far
        for (int t = first; t >= 0; --t) {
            const TStep& st = *Steps.GetSteps(t);
            const double D = st.FData.Diameter;
            const double Dp = t > 0 ? Steps.GetSteps(t - 1)->FData.Diameter : 0.0;
            const double C = st.GetConeDepth();
            if (C - acc > 0) {
                Add(t, acc, C, D, D);
                acc = C;
            }
            if (!st.GetIsSpotfaced()) {
                // The drill point, down to where it meets the next deeper
                // diameter; nothing when that diameter is not smaller.
                const double T = Steps.GetCylinderTipHeight(t);
                if (T > 0) {
                    Add(t, acc, acc + T, D, Dp);
                    acc += T;
                }
            }
            if (CountsThread(st)) {
                double reel = 0.0;
                const double end = Steps.ThreadFromTop(t, ThreadFromTop, reel);
                const double d = ThreadDiameter(st);
                if (reel > 0) Add(t, end - reel, end, d, d);
            }
        }
    }

private:
    bool CountsThread(const TStep& st) const
    {
        return Settings.Flags.Contains(cfnCheckThread) && st.GetIsThreaded() && st.FData.OutsideDiameter > 0;
    }
    double ThreadDiameter(const TStep& st) const { return st.FData.OutsideDiameter + Settings.ThreadCorrection; }
    // The diameter the check counts for the step's wall rule: a counted
    // thread by its nominal size (plus the correction), else the drill.
    double CountedDiameter(int t) const
    {
        const TStep& st = *Steps.GetSteps(t);
        return CountsThread(st) ? ThreadDiameter(st) : st.FData.Diameter;
    }
    TXYZPoint At(double depth) const
    {
        return {Start.X + Drill.X * depth, Start.Y + Drill.Y * depth, Start.Z + Drill.Z * depth};
    }
    // A piece from depth `from` (diameter dFrom) to depth `to` (diameter
    // dTo). Damaged values (not finite, negative diameters) give no piece or
    // a radius of 0, never a piece the distance code cannot handle.
    void Add(int t, double from, double to, double dFrom, double dTo)
    {
        if (!(to > from)) return;
        TBorePiece p;
        p.A = At(from);
        p.B = At(to);
        p.RA = dFrom > 0 ? dFrom / 2 : 0.0;
        p.RB = dTo > 0 ? dTo / 2 : 0.0;
        p.Step = t;
        p.Diameter = CountedDiameter(t);
        if (!Finite(p.A) || !Finite(p.B) || !std::isfinite(p.RA) || !std::isfinite(p.RB)) return;
        Out.push_back(p);
    }

    const TStepList& Steps;
    const TCalculateSettinsNewData& Settings;
    std::vector<TBorePiece>& Out;
    TXYZPoint Start, Drill;
    bool ThreadFromTop;
};

} // namespace

std::vector<TBorePiece> BorePiecesOf(const TManifold& Manifold, const THole& Hole,
                                     const TCalculateSettinsNewData& Settings)
{
    std::vector<TBorePiece> out;
    if (Hole.GetIsDummyHole() || Hole.FStepList.Count() == 0) return out;
    TPieceBuilder(Manifold, Hole, Settings, out).Build();
    return out;
}

} // namespace qv
