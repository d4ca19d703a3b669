// Drawing speed of a large scene: one frame of 50 000 cylinders and annuli
// of 64 slices (the hole segments of a big manifold, 28 distinct shapes),
// each drawn from its cached geometry, next to one draw of the same
// triangles from a single vertex buffer (the bound for this GL driver).
// first_frame_ms is the frame that builds the cache (first_frame_cpu_ms its
// CPU time on the drawing thread, comparable with the CPU column when the
// machine is busy), first_frame_faults and frame_faults the minor page
// faults of the process in the first and in a cached frame, shared_meshes
// the compiled meshes the nodes share. Run under an X server (xvfb-run) with
// Mesa.
#include "view3d/scene/GLRender.h"
#include "view3d/scene/GLScene.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QOpenGLFramebufferObject>

#include <GL/gl.h>

#include <chrono>
#include <ctime>
#include <sys/resource.h>
#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace qv::scene;

namespace {

constexpr int kNodes = 50000;
constexpr int kWidth = 640, kHeight = 480;

// The scene, its context and the target, made once per run.
struct TBenchScene {
    TGLScene Scene;
    TGLCamera* Camera = nullptr;
    std::vector<TGLBaseSceneObject*> Solids;
    TGLOffscreenContext Context;
    std::unique_ptr<QOpenGLFramebufferObject> Target;
    GLuint Buffer = 0;
    GLsizei BufferVertices = 0;
    double FirstFrameMs = 0; // the first frame, which builds and compiles every node's geometry
    double FirstFrameCpuMs = 0;
    long FirstFrameFaults = 0; // minor page faults of the process during the first frame
    double MeshBuildMs = 0;  // of that, building the meshes alone
    size_t Triangles = 0;

    TBenchScene()
    {
        auto* root = Scene.Objects();
        auto* target = root->AddNewChild<TGLDummyCube>();
        Camera = root->AddNewChild<TGLCamera>();
        Camera->SetPosition(0, 0, 12);
        Camera->SetTargetObject(target);
        Camera->FocalLength = 60;
        for (auto p : {TVector3{-1.67f, -1.41f, 6}, TVector3{14, 3.54f, 8}}) {
            auto* light = root->AddNewChild<TGLLightSource>();
            light->SetPosition(p);
        }
        // A 250 x 200 grid of holes over a 5 x 4 block, half of them solid
        // cylinders, half thin-walled annuli, tilted a little.
        auto* model = root->AddNewChild<TGLDummyCube>();
        model->ResetAndPitchTurnRoll(20, -30, 0);
        for (int i = 0; i < kNodes; ++i) {
            const int gx = i % 250, gy = i / 250;
            TGLCylinderBase* c;
            if (i % 2 == 0) {
                c = model->AddNewChild<TGLCylinder>();
            } else {
                auto* a = model->AddNewChild<TGLAnnulus>();
                a->SetTopInnerRadius(0.008f);
                a->SetBottomInnerRadius(0.008f);
                c = a;
            }
            c->SetTopRadius(0.008f);
            c->SetBottomRadius(i % 3 == 0 ? 0.004f : 0.008f);
            c->SetHeight(0.05f + 0.01f * (i % 7));
            c->SetSlices(64);
            c->SetStacks(1);
            c->SetPosition(-2.5f + gx * 0.02f, -2 + gy * 0.02f, 0);
            c->SetUp(0, 0, 1);
            c->GetMaterial().FrontProperties.Diffuse = ConvertWinColor(0x00C0C0C0);
            c->GetMaterial().BackProperties.Diffuse = ConvertWinColor(0x00C0C0C0);
            Solids.push_back(c);
        }
        if (!Context.MakeCurrent()) throw std::runtime_error("no GL context");
        QOpenGLFramebufferObjectFormat fmt;
        fmt.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
        Target = std::make_unique<QOpenGLFramebufferObject>(kWidth, kHeight, fmt);
        Target->bind();

        const auto t0 = std::chrono::steady_clock::now();
        const double cpu0 = ThreadCpuMs();
        const long faults0 = MinorFaults();
        DrawFrame(); // compiles every node's geometry
        FirstFrameFaults = MinorFaults() - faults0;
        FirstFrameCpuMs = ThreadCpuMs() - cpu0;
        FirstFrameMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
        const auto t1 = std::chrono::steady_clock::now();
        size_t vertices = 0;
        for (auto* node : Solids) {
            TGLMesh mesh;
            node->BuildMesh(mesh);
            vertices += mesh.VertexCount();
        }
        benchmark::DoNotOptimize(vertices);
        MeshBuildMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t1).count();
        BuildSingleBuffer();
    }

    ~TBenchScene()
    {
        if (Buffer) QOpenGLContext::currentContext()->extraFunctions()->glDeleteBuffers(1, &Buffer);
        Target.reset();
        Context.DoneCurrent();
    }

    // The driver's first frame touches its per-frame memory for the first
    // time; later frames reuse it. Counting the faults tells that cost
    // apart from building the cache.
    static long MinorFaults()
    {
        rusage ru{};
        getrusage(RUSAGE_SELF, &ru);
        return ru.ru_minflt;
    }

    static double ThreadCpuMs()
    {
        timespec ts{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
    }

    TRenderView View() const
    {
        TRenderView v;
        v.ImageWidth = kWidth;
        v.ImageHeight = kHeight;
        v.CacheGroup = Context.CacheGroup();
        return v;
    }

    void DrawFrame()
    {
        RenderScene(Scene, *Camera, View());
        glFinish();
    }

    // Every triangle of the solids in world coordinates, interleaved
    // position and normal, in one static buffer.
    void BuildSingleBuffer()
    {
        std::vector<float> data;
        for (auto* node : Solids) {
            TGLMesh mesh;
            node->BuildMesh(mesh);
            const TMatrix4 m = node->AbsoluteMatrix();
            for (size_t i = 0; i < mesh.VertexCount(); ++i) {
                const TVector3 p = m.TransformPoint(mesh.Vertex(i));
                const TVector3 n = Normalized(m.TransformVector(mesh.Normal(i)));
                data.insert(data.end(), {p.X, p.Y, p.Z, n.X, n.Y, n.Z});
            }
        }
        BufferVertices = GLsizei(data.size() / 6);
        Triangles = size_t(BufferVertices) / 3;
        auto* f = QOpenGLContext::currentContext()->extraFunctions();
        f->glGenBuffers(1, &Buffer);
        f->glBindBuffer(GL_ARRAY_BUFFER, Buffer);
        f->glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(data.size() * sizeof(float)), data.data(), GL_STATIC_DRAW);
        f->glBindBuffer(GL_ARRAY_BUFFER, 0);
    }

    // The same frame set-up (clear, projection, lights) with an empty tree
    // of solids, then all triangles in one call.
    void DrawSingleBuffer()
    {
        TGLScene lightsOnly;
        for (int i = 0; i < Scene.Objects()->Count(); ++i)
            if (auto* l = dynamic_cast<TGLLightSource*>(Scene.Objects()->Children(i))) {
                auto* copy = lightsOnly.Objects()->AddNewChild<TGLLightSource>();
                copy->SetPosition(l->Position());
            }
        RenderScene(lightsOnly, *Camera, View());
        glEnable(GL_LIGHTING);
        glLoadMatrixf(Camera->ViewMatrix().m.data());
        const TColorVector grey = ConvertWinColor(0x00C0C0C0);
        glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, grey.data());
        auto* f = QOpenGLContext::currentContext()->extraFunctions();
        f->glBindBuffer(GL_ARRAY_BUFFER, Buffer);
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_NORMAL_ARRAY);
        glVertexPointer(3, GL_FLOAT, 6 * sizeof(float), nullptr);
        glNormalPointer(GL_FLOAT, 6 * sizeof(float), reinterpret_cast<const void*>(3 * sizeof(float)));
        glDrawArrays(GL_TRIANGLES, 0, BufferVertices);
        glDisableClientState(GL_NORMAL_ARRAY);
        glDisableClientState(GL_VERTEX_ARRAY);
        f->glBindBuffer(GL_ARRAY_BUFFER, 0);
        glDisable(GL_LIGHTING);
        glFinish();
    }
};

std::unique_ptr<TBenchScene> gBench;

TBenchScene& Bench()
{
    if (!gBench) gBench = std::make_unique<TBenchScene>();
    return *gBench;
}

void BM_SceneFrame50000Quadrics(benchmark::State& state)
{
    auto& b = Bench();
    const long faults0 = TBenchScene::MinorFaults();
    for (auto _ : state) b.DrawFrame();
    state.counters["frame_faults"] = double(TBenchScene::MinorFaults() - faults0) / double(state.iterations());
    state.counters["first_frame_faults"] = double(b.FirstFrameFaults);
    state.counters["nodes"] = kNodes;
    state.counters["triangles"] = double(b.Triangles);
    state.counters["first_frame_ms"] = b.FirstFrameMs;
    state.counters["first_frame_cpu_ms"] = b.FirstFrameCpuMs;
    state.counters["mesh_build_ms"] = b.MeshBuildMs;
    state.counters["shared_meshes"] = double(cache::SharedMeshCount(b.Context.CacheGroup()));
}
BENCHMARK(BM_SceneFrame50000Quadrics)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SingleVertexBufferSameTriangles(benchmark::State& state)
{
    auto& b = Bench();
    for (auto _ : state) b.DrawSingleBuffer();
    state.counters["triangles"] = double(b.Triangles);
}
BENCHMARK(BM_SingleVertexBufferSameTriangles)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    // Keep a picture of each kind of frame for looking at it by hand.
    if (const char* dir = std::getenv("QV_SCENE_PICTURES"); dir && gBench) {
        gBench->DrawFrame();
        gBench->Target->toImage(false).save(QString::fromUtf8(dir) + "/bench-frame.png");
        gBench->DrawSingleBuffer();
        gBench->Target->toImage(false).save(QString::fromUtf8(dir) + "/bench-single-buffer.png");
    }
    gBench.reset(); // GL objects go before the application object
    benchmark::Shutdown();
    return 0;
}
