// Building the scene tree of the 10 000-hole benchmark design: the block,
// every hole's solids, labels and marks (no drawing). The node count is
// reported as a counter. Needs no display (text is measured through the
// font files on Qt's off-screen platform).
#include "document/Manifolds.h"
#include "testkit/SampleDesigns.h"
#include "view3d/Manifolds.Drawing3D.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cstdlib>

namespace {

constexpr int kHoles = 10000;

int CountNodes(const qv::scene::TGLBaseSceneObject& n)
{
    int c = 1;
    for (int i = 0; i < n.Count(); ++i) c += CountNodes(*n.Children(i));
    return c;
}

void BM_DrawManifold3D(benchmark::State& state)
{
    static const auto design = qv::samples::LargeDesign(kHoles, 1);
    const qv::TManifold& m = *design;
    qv::TIsometricDrawingSettings settings;
    const double sc = 5 / m.FData.Max.X;
    const double h = settings.fData.TextHeightFactor * 0.001 * sc * m.FData.Max.X;
    int nodes = 0;
    for (auto _ : state) {
        qv::scene::TGLDummyCube root;
        qv::scene::TGLCube* cube = nullptr;
        qv::DrawManifold3D(settings, m, cube, &root, h, sc);
        for (const auto& hole : m.FHoleList) qv::DrawHole3D(m, *hole, 0, settings, &root, h, sc);
        state.PauseTiming();
        nodes = CountNodes(root) - 1;
        state.ResumeTiming(); // freeing the tree is timed with the next build's scope end
    }
    state.counters["nodes"] = nodes;
}
BENCHMARK(BM_DrawManifold3D)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
