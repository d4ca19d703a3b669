// The wall-thickness check of the 10 000-hole benchmark design, loaded from
// its file as mnf-inspect --walls loads it. Counters: the piece pairs whose
// distance was computed exactly, the pairs the broad phase handed on, the
// bore pieces, the findings and the connections.
#include "check/WallCheck.h"
#include "document/Manifolds.h"
#include "testkit/LoadedDesign.h"
#include "testkit/SampleDesigns.h"
#include "testkit/TestFiles.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

constexpr int kHoles = 10000;

const qv::TManifold& LargeDesign()
{
    static const qv::test::TLoadedDesign loaded = [] {
        const std::string path = qv::test::TempPath("wallcheck-bench.mnf");
        qv::samples::WriteLargeDesign(path, kHoles);
        qv::test::TLoadedDesign l = qv::test::LoadDesignFile(path);
        if (!l.Loaded) std::abort();
        return l;
    }();
    return *loaded.M;
}

void BM_CheckWalls(benchmark::State& state)
{
    const qv::TManifold& m = LargeDesign();
    qv::TWallCheckResult r;
    for (auto _ : state) {
        r = qv::CheckWalls(m);
        benchmark::DoNotOptimize(r.FindingCount);
    }
    state.counters["pairs_exact"] = double(r.PairsTested);
    state.counters["pairs_candidate"] = double(r.CandidatePairs);
    state.counters["pieces"] = double(r.Pieces);
    state.counters["findings"] = double(r.FindingCount);
    state.counters["connections"] = double(r.ConnectionCount);
}
BENCHMARK(BM_CheckWalls)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
