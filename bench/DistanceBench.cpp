// The wall check's inner loop: one distance between two bore pieces, for
// the kinds of pair a design holds (skew bores, a drill point against a
// bore at a skew angle, parallel bores, crossing bores that meet), each over
// 1024 pairs in random positions and directions so that no single lucky case
// is timed. The tolerance is 0.001 of a 250 mm block, as the check uses it,
// and 1e-6 to show what a tighter bound costs. Then the pieces of all holes
// of the 10 000-hole design, as the check takes them.
#include "check/BoreSolids.h"
#include "check/Distance.h"
#include "document/Manifolds.h"
#include "model/HoleLists.h"
#include "testkit/SampleDesigns.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <utility>
#include <vector>

namespace {

using qv::TBorePiece;
using qv::TXYZPoint;

enum TKind { kSkew, kConeCylinder, kParallel, kCrossing };

TXYZPoint RandomUnit(std::mt19937& rng)
{
    std::normal_distribution<double> n;
    TXYZPoint u{n(rng), n(rng), n(rng)};
    const double l = std::sqrt(u.X * u.X + u.Y * u.Y + u.Z * u.Z);
    return u * (1 / l);
}

TXYZPoint Along(const TXYZPoint& p, const TXYZPoint& u, double t) { return {p.X + u.X * t, p.Y + u.Y * t, p.Z + u.Z * t}; }

TXYZPoint Cross(const TXYZPoint& a, const TXYZPoint& b)
{
    return {a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X};
}

// Two pieces of the kind: bores of D 6 to 20, 20 to 80 long, their axes
// 3 to 12 apart beyond their radii (or crossing for kCrossing).
std::vector<std::pair<TBorePiece, TBorePiece>> Pairs(TKind kind)
{
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> radius(3, 10), length(20, 80), gap(3, 12), shift(-10, 10);
    std::vector<std::pair<TBorePiece, TBorePiece>> out;
    for (int i = 0; i < 1024; ++i) {
        const TXYZPoint u = RandomUnit(rng);
        TXYZPoint v = RandomUnit(rng);
        if (kind == kParallel) v = u;
        TXYZPoint n = Cross(u, v);
        if (kind == kParallel || std::sqrt(n.X * n.X + n.Y * n.Y + n.Z * n.Z) < 1e-3) n = Cross(u, RandomUnit(rng));
        n = n * (1 / std::sqrt(n.X * n.X + n.Y * n.Y + n.Z * n.Z));
        const double ra = radius(rng), rb = radius(rng), la = length(rng), lb = length(rng);
        TBorePiece a, b;
        a.A = Along({100, 100, 100}, u, -la / 2 + shift(rng));
        a.B = Along(a.A, u, la);
        a.RA = a.RB = ra;
        const double apart = kind == kCrossing ? 0.5 * (ra + rb) : ra + rb + gap(rng);
        const TXYZPoint c = Along({100, 100, 100}, n, apart);
        b.A = Along(c, v, -lb / 2 + shift(rng));
        b.B = Along(b.A, v, lb);
        b.RA = b.RB = rb;
        if (kind == kConeCylinder) {
            // A drill point (120°) whose apex looks across at the bore.
            b.RA = rb;
            b.RB = 0;
            b.A = Along(c, n, rb * 0.57735026918962576);
            b.B = c;
        }
        out.emplace_back(a, b);
    }
    return out;
}

void BM_PieceDistance(benchmark::State& state)
{
    const auto pairs = Pairs(static_cast<TKind>(state.range(0)));
    const double tol = state.range(1) == 0 ? 0.25 : 1e-6;
    size_t i = 0;
    int overlaps = 0;
    for (auto _ : state) {
        const auto& [a, b] = pairs[i++ & 1023];
        const qv::TSeparation s = qv::PieceDistance(a, b, tol);
        overlaps += s.Overlap;
        benchmark::DoNotOptimize(s);
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["overlap share"] = double(overlaps) / double(state.iterations());
}
BENCHMARK(BM_PieceDistance)
    ->ArgNames({"kind", "tight"})
    ->ArgsProduct({{kSkew, kConeCylinder, kParallel, kCrossing}, {0, 1}});

void BM_BorePiecesOfLargeDesign(benchmark::State& state)
{
    static const auto design = qv::samples::LargeDesign(10000, 1);
    const qv::TCalculateSettinsNewData& settings = design->fCalculateSettingsNew.fData;
    size_t pieces = 0;
    for (auto _ : state) {
        pieces = 0;
        for (const qv::THole* h : design->FHoleList) pieces += qv::BorePiecesOf(*design, *h, settings).size();
        benchmark::DoNotOptimize(pieces);
    }
    state.counters["pieces"] = double(pieces);
}
BENCHMARK(BM_BorePiecesOfLargeDesign)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
