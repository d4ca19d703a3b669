// The block outline with cut-outs: handing the block and its cut-outs to the
// block geometry component and bringing back the face views and the 3D
// outline (UpdateData + CreateFaceLines3D), as every scene rebuild does. For
// the demo design (two cut-outs) and for a block with fifty; again:0 is the
// first outline of a design (a component that has cut nothing yet), again:1
// a rebuild of the same design (the component keeps the last cut).
#include "document/Manifolds.h"
#include "testkit/SampleDesigns.h"
#include "view3d/CutOutLists.Helpers.h"

#include <benchmark/benchmark.h>

#include <optional>

namespace {

void Outline(benchmark::State& state, const qv::TXYZPoint& max, qv::TCutOutList& cutOuts)
{
    const bool again = state.range(0) != 0;
    qv::blockgeometry::TBlockGeometry kept;
    size_t lines = 0;
    for (auto _ : state) {
        std::optional<qv::blockgeometry::TBlockGeometry> fresh;
        qv::blockgeometry::TBlockGeometry& geometry = again ? kept : fresh.emplace();
        qv::TCutOutListHelper::UpdateData(geometry, max, cutOuts);
        lines = qv::TCutOutListHelper::CreateFaceLines3D(geometry, max, cutOuts).size();
        benchmark::DoNotOptimize(lines);
    }
    state.counters["lines"] = static_cast<double>(lines);
}

void BM_DemoOutline(benchmark::State& state)
{
    const auto demo = qv::samples::DemoDesign();
    Outline(state, demo->Max(), demo->CutOutList());
}
BENCHMARK(BM_DemoOutline)->ArgName("again")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Fifty cut-outs on a 600 x 400 x 200 block, all six faces: pockets at free
// positions on a grid, corner steps, chamfers and through slots.
void BM_FiftyCutOutsOutline(benchmark::State& state)
{
    const qv::TXYZPoint max{600, 400, 200};
    qv::TCutOutList cutOuts;
    for (int i = 0; i < 50; ++i) {
        qv::TCutOutData& d = cutOuts.Add()->fData;
        d.FaceNumber = 1 + i % 6;
        switch (i % 5) {
        case 0:
        case 1:
        case 2: // a pocket at a free position
            d.Corner = -1;
            d.X = 20 + (i * 37) % 140;
            d.Y = 15 + (i * 23) % 90;
            d.Width = 25;
            d.Height = 18;
            d.Through = false;
            d.Depth = 8 + i % 7;
            break;
        case 3: // a step at a corner
            d.Corner = 1 + i % 4;
            d.Width = 30;
            d.Height = 20;
            d.Through = false;
            d.Depth = 12;
            break;
        default: // a chamfer, or a slot through the block
            d.Corner = 1 + (i / 5) % 4;
            d.Width = 15;
            d.Height = 15;
            d.Through = true;
            d.SimpleChamfer = (i / 5) % 2 == 0;
            break;
        }
    }
    Outline(state, max, cutOuts);
}
BENCHMARK(BM_FiftyCutOutsOutline)->ArgName("again")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
