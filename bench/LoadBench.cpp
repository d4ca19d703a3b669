// Loading speed of a large design, next to the speed of merely reading the
// same bytes into memory: the gap is what parsing and building the document
// cost. The same for a large design in the 5.40 layout, the largest of the
// old generations.
#include "core/Messages.h"
#include "document/Manifolds.h"
#include "testkit/OldBytes500.h"
#include "testkit/OldDesigns.h"
#include "testkit/SampleDesigns.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

constexpr int kHoles = 10000;

// A 5.40 file of kHoles holes: the holes of the old sample design, repeated
// and numbered on.
std::string LargeOldDesign()
{
    const auto d = qv::samples::Old500SampleDesign(540);
    qv::THoleList pattern;
    pattern.Assign(d->FHoleList);
    d->FHoleList.Clear();
    for (int i = 0; i < kHoles; ++i) {
        qv::THole& h = *d->FHoleList.Add();
        h.Assign(*pattern[i % pattern.Count()]);
        h.FData.HoleNumber = i + 1;
    }
    return qv::samples::Old500File(540, *d);
}

// The design is written once per run into a private temporary folder.
class TLargeDesign {
public:
    explicit TLargeDesign(bool old)
    {
        std::string templ = (std::filesystem::temp_directory_path() / "qv-bench-XXXXXX").string();
        if (!mkdtemp(templ.data())) throw std::runtime_error("mkdtemp failed");
        fDir = templ;
        fPath = fDir + "/large.mnf";
        if (old)
            qv::samples::WriteBytesFile(fPath, LargeOldDesign());
        else
            qv::samples::WriteLargeDesign(fPath, kHoles);
        fSize = static_cast<int64_t>(std::filesystem::file_size(fPath));
    }
    ~TLargeDesign()
    {
        std::error_code ec;
        std::filesystem::remove_all(fDir, ec);
    }
    const std::string& Path() const { return fPath; }
    int64_t Size() const { return fSize; }

private:
    std::string fDir;
    std::string fPath;
    int64_t fSize = 0;
};

const TLargeDesign& Design(bool old)
{
    static TLargeDesign current(false);
    static TLargeDesign old540(true);
    return old ? old540 : current;
}

// Any message (a truncation warning would mean the design is broken) fails
// the run rather than being printed for every iteration.
class TFailOnMessage : public qv::IMessageHandler {
public:
    void ShowMessage(qv::TMessageKind, const std::string& text) override { Text = text; }
    std::string Text;
};

// state.range(0): 0 the current format, 1 the 5.40 layout. Reading the file
// and building the document, each time into a fresh document: freeing the
// one before is measured on its own (BM_FreeDocument) and left out here.
void BM_LoadFromFile(benchmark::State& state)
{
    const auto& design = Design(state.range(0) != 0);
    TFailOnMessage handler;
    qv::IMessageHandler* previous = qv::SetMessageHandler(&handler);
    int holes = 0;
    for (auto _ : state) {
        auto manifold = std::make_unique<qv::TManifold>();
        if (!manifold->LoadFromFile(design.Path())) {
            state.SkipWithError("LoadFromFile failed");
            break;
        }
        holes = manifold->HoleList().Count();
        state.PauseTiming();
        manifold.reset();
        state.ResumeTiming();
    }
    qv::SetMessageHandler(previous);
    if (!handler.Text.empty()) state.SkipWithError(("message while loading: " + handler.Text).c_str());
    else if (holes != kHoles) state.SkipWithError("wrong number of holes loaded");
    state.SetBytesProcessed(state.iterations() * design.Size());
    state.counters["holes"] = holes;
}
BENCHMARK(BM_LoadFromFile)->ArgName("old540")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Loading the bytes already in memory: parsing and building the document
// alone, each time into a fresh document (freed outside the timing).
void BM_LoadFromBytes(benchmark::State& state)
{
    const auto& design = Design(state.range(0) != 0);
    qv::TFileContent content;
    std::string why;
    if (!qv::ReadFileContent(design.Path(), content, why)) {
        state.SkipWithError(why.c_str());
        return;
    }
    TFailOnMessage handler;
    qv::IMessageHandler* previous = qv::SetMessageHandler(&handler);
    int holes = 0;
    for (auto _ : state) {
        auto manifold = std::make_unique<qv::TManifold>();
        if (!manifold->LoadFromBytes({content.Bytes, design.Path(), content.Time}, false, false)) {
            state.SkipWithError("LoadFromBytes failed");
            break;
        }
        holes = manifold->HoleList().Count();
        state.PauseTiming();
        manifold.reset();
        state.ResumeTiming();
    }
    qv::SetMessageHandler(previous);
    if (!handler.Text.empty()) state.SkipWithError(("message while loading: " + handler.Text).c_str());
    else if (holes != kHoles) state.SkipWithError("wrong number of holes loaded");
    state.SetBytesProcessed(state.iterations() * design.Size());
}
BENCHMARK(BM_LoadFromBytes)->ArgName("old540")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Freeing a loaded document (what Clear, or loading the next file, costs).
void BM_FreeDocument(benchmark::State& state)
{
    const auto& design = Design(state.range(0) != 0);
    const qv::TMessageCollector quiet;
    qv::TManifold manifold;
    for (auto _ : state) {
        state.PauseTiming();
        if (!manifold.LoadFromFile(design.Path()) || manifold.HoleList().Count() != kHoles) {
            state.SkipWithError("load failed");
            break;
        }
        state.ResumeTiming();
        manifold.Clear();
    }
}
BENCHMARK(BM_FreeDocument)->ArgName("old540")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The floor: the same file read whole into a string.
void BM_ReadFileIntoMemory(benchmark::State& state)
{
    const auto& design = Design(state.range(0) != 0);
    for (auto _ : state) {
        std::ifstream in(design.Path(), std::ios::binary);
        std::string bytes;
        bytes.resize(static_cast<size_t>(design.Size()));
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (in.gcount() != design.Size()) {
            state.SkipWithError("short read");
            break;
        }
        benchmark::DoNotOptimize(bytes.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * design.Size());
}
BENCHMARK(BM_ReadFileIntoMemory)->ArgName("old540")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
