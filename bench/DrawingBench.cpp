// Building the scene tree of the 10 000-hole benchmark design: the block,
// every hole's solids, labels and marks (no drawing); the node count is
// reported as a counter. Then what the user waits for after changing a view
// setting that needs a rebuild: the scene built again and its first frame
// drawn. Needs no display: text is measured through the font files on Qt's
// off-screen platform and frames are drawn through a surfaceless EGL
// context.
#include "document/Manifolds.h"
#include "testkit/SampleDesigns.h"
#include "view3d/EglContext.h"
#include "view3d/ManifoldView.h"
#include "view3d/Manifolds.Drawing3D.h"
#include "view3d/scene/GLRender.h"

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

// The view of the main window's first layout, drawn once per rebuild as
// the window would.
constexpr int kViewWidth = 749, kViewHeight = 683;

void DrawFrame(qv::TManifoldView& view, const qv::TEglContext& gl)
{
    qv::scene::TOffscreenOptions options;
    options.RefWidth = kViewWidth;
    options.RefHeight = kViewHeight;
    const QImage image = qv::scene::RenderSceneToImage(view.Scene(), *view.GLCamera1(), kViewWidth, kViewHeight,
                                                       options, gl.CacheGroup());
    benchmark::DoNotOptimize(image.constBits());
}

void BM_RebuildAndFirstFrameAfterSettingsChange(benchmark::State& state)
{
    static const auto design = qv::samples::LargeDesign(kHoles, 1);
    qv::TEglContext gl;
    if (!gl.IsValid() || !gl.MakeCurrent()) {
        state.SkipWithError(("no OpenGL context: " + gl.ErrorText()).c_str());
        return;
    }
    qv::TIsometricDrawingSettings settings;
    qv::TManifoldView view(settings);
    view.DocumentLoaded(*design);
    view.ApplyGroupFilter(true);
    DrawFrame(view, gl); // the frame after opening: everything compiled once
    for (auto _ : state) {
        // Hole numbers on and off: a flag whose change rebuilds the scene.
        settings.fData.IsoFlags.Set(qv::isoHoleNumbers, !settings.fData.IsoFlags.Contains(qv::isoHoleNumbers));
        view.RebuildScene();
        view.ApplyGroupFilter(true);
        DrawFrame(view, gl);
    }
    state.counters["nodes"] = CountNodes(*view.GLDummyCube1()) - 1;
    state.counters["shared_meshes"] = double(qv::scene::cache::SharedMeshCount(gl.CacheGroup()));
    qv::scene::FlushCache(gl.CacheGroup());
    gl.DoneCurrent();
}
BENCHMARK(BM_RebuildAndFirstFrameAfterSettingsChange)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

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
