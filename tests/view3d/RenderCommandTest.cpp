// QuorvaneViewer --render run as a program with no display: its exit
// status and messages, the picture's size (the view size times the export
// factor), its format, and what it shows: a white background, and the
// colour of a bore where the scene puts that bore.
#include "ViewerCommand.h"

#include "document/Manifolds.h"
#include "testkit/SampleDesigns.h"
#include "view3d/ManifoldView.h"
#include "view3d/scene/GLRender.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace qv;
using namespace qv::scene;
using namespace qv::test3d;

namespace {

int Lines(const std::string& s) { return int(std::count(s.begin(), s.end(), '\n')); }

bool IsWhite(QRgb c) { return qRed(c) == 255 && qGreen(c) == 255 && qBlue(c) == 255; }

// Saturated: a group colour, not the grey of the block, edges or plain holes.
int Chroma(QRgb c) { return std::max({qRed(c), qGreen(c), qBlue(c)}) - std::min({qRed(c), qGreen(c), qBlue(c)}); }

void ForEachNode(TGLBaseSceneObject& node, const std::function<void(TGLBaseSceneObject&)>& f)
{
    f(node);
    for (int i = 0; i < node.Count(); ++i) ForEachNode(*node.Children(i), f);
}

bool ShownInTree(const TGLBaseSceneObject& node)
{
    for (const TGLBaseSceneObject* n = &node; n; n = n->Parent())
        if (!n->Visible) return false;
    return true;
}

// Where a world point lands in a picture of the camera's view (x, y from
// the picture's top left), or false when it lies outside.
bool Project(const TGLCamera& camera, const TRenderView& view, const TVector3& world, int& x, int& y)
{
    const TVector3 eye = camera.ViewMatrix().TransformPoint(world);
    const TFrustum fr = ComputeFrustum(camera, view);
    double px = eye.X, py = eye.Y;
    if (fr.Perspective) {
        if (eye.Z >= 0) return false;
        px = fr.Near * eye.X / -eye.Z;
        py = fr.Near * eye.Y / -eye.Z;
    }
    x = int((px - fr.Left) / (fr.Right - fr.Left) * view.ImageWidth);
    y = view.ImageHeight - 1 - int((py - fr.Bottom) / (fr.Top - fr.Bottom) * view.ImageHeight);
    return x >= 0 && y >= 0 && x < view.ImageWidth && y < view.ImageHeight;
}

} // namespace

TEST(RenderCommand, UsageErrors)
{
    const std::string out = Q(test::TempPath("usage.png")), demo = Q(DemoFile());
    for (const std::string& args : {
             std::string("--render"),
             "--render " + out,                                  // no file
             "--render " + out + " " + demo + " " + demo,        // two files
             "--render " + out + " --bogus " + demo,
             "--render " + out + " --size " + demo,              // size missing
             "--render " + out + " --size 640 " + demo,
             "--render " + out + " --size 640x " + demo,
             "--render " + out + " --size 0x480 " + demo,
             "--render " + out + " --size 640x-4 " + demo,
             "--render " + out + " --size 99999x480 " + demo,
             "--render --size 640x480 " + demo,                  // no output
         }) {
        const test::TRunResult run = Viewer(args);
        EXPECT_EQ(run.status, 2) << args << "\n" << run.err;
        EXPECT_NE(run.err.find("usage:"), std::string::npos) << args;
    }
    EXPECT_FALSE(QImage(QString::fromStdString(test::TempPath("usage.png"))).width() > 0);
}

TEST(RenderCommand, FailuresExitWithOneLine)
{
    const std::string junk = test::TempPath("render-junk.mnf");
    test::WriteBytes(junk, std::string(100, 'x'));
    const std::string out = test::TempPath("not-written.png"), demo = Q(DemoFile());
    struct Row { std::string args, vars, says; };
    const Row rows[] = {
        {"--render " + Q(out) + " " + Q(test::TempPath("no-such-file.mnf")), "", "cannot read"},
        {"--render " + Q(out) + " " + Q(junk), "", "could not be loaded"},
        {"--render " + Q(out) + " --settings " + Q(test::TempPath("no-such.ini")) + " " + demo, "",
         "cannot read the settings file"},
        {"--render " + Q(test::TempPath("no-such-folder") + "/x.png") + " " + demo, "", "write the"},
        {"--render " + Q(test::TempPath("no-such-folder") + "/x.bmp") + " " + demo, "", "write the"},
        // EGL finds no driver: no OpenGL context.
        {"--render " + Q(out) + " " + demo, "__EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent.json",
         "no OpenGL context"},
    };
    for (const Row& r : rows) {
        const test::TRunResult run = Viewer(r.args, r.vars);
        EXPECT_EQ(run.status, 1) << r.args << "\n" << run.err;
        EXPECT_EQ(Lines(run.err), 1) << run.err;
        EXPECT_EQ(run.err.rfind("QuorvaneViewer: ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(r.says), std::string::npos) << run.err;
        EXPECT_TRUE(run.out.empty());
    }
    EXPECT_TRUE(QImage(QString::fromStdString(out)).isNull());
}

TEST(RenderCommand, PictureSizeIsTheViewTimesTheExportFactor)
{
    // k is the integer part of sqrt(5 500 000 / (W x H)); a view larger than
    // 5.5 million pixels still gives a picture (k at least 1).
    struct Row { std::string size; int width, height; };
    const Row rows[] = {
        {"", 2247, 2049},         // the main window's view, 749 x 683, k = 3
        {"640x480", 4 * 640, 4 * 480},
        {"1200x1200", 1200, 1200}, // more than 1 375 000 pixels: k = 1
        {"3000x2000", 3000, 2000}, // more than 5 500 000 pixels
    };
    for (const Row& r : rows) {
        const std::string out = test::TempPath("size-" + r.size + ".png");
        const test::TRunResult run =
            Viewer("--render " + Q(out) + (r.size.empty() ? "" : " --size " + r.size) + " " + Q(DemoFile()));
        ASSERT_EQ(run.status, 0) << r.size << "\n" << run.err;
        const QImage img(QString::fromStdString(out));
        EXPECT_EQ(img.width(), r.width) << r.size;
        EXPECT_EQ(img.height(), r.height) << r.size;
    }
}

TEST(RenderCommand, DemoPictureShowsBoresOnWhite)
{
    const std::string png = test::TempPath("render-demo.png"), bmp = test::TempPath("render-demo.BMP");
    for (const std::string& out : {png, bmp}) {
        const test::TRunResult run = Viewer("--render " + Q(out) + " --size 1400x1400 " + Q(DemoFile()));
        ASSERT_EQ(run.status, 0) << out << "\n" << run.err;
    }
    const std::string pngBytes = test::ReadBytes(png), bmpBytes = test::ReadBytes(bmp);
    ASSERT_GT(bmpBytes.size(), 30u);
    EXPECT_EQ(pngBytes.substr(1, 3), "PNG");
    EXPECT_EQ(bmpBytes.substr(0, 2), "BM"); // ".BMP" (any name but ".png") gives a bitmap
    EXPECT_EQ(uint8_t(bmpBytes[28]), 24);   // 24 bits per pixel
    const QImage img = QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32);
    const QImage fromBmp = QImage(QString::fromStdString(bmp)).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(img.size(), QSize(1400, 1400)); // k = 1
    EXPECT_EQ(fromBmp, img);

    // White where the scene has nothing: the rim of a view large enough to
    // hold the whole block.
    int white = 0, rim = 0;
    const int w = img.width(), h = img.height();
    for (int i = 0; i < w; i += 10)
        for (QPoint p : {QPoint(i, 0), QPoint(i, h - 1), QPoint(0, i * (h - 1) / w), QPoint(w - 1, i * (h - 1) / w)}) {
            ++rim;
            white += IsWhite(img.pixel(p));
        }
    EXPECT_GT(white, rim * 95 / 100) << white << " of " << rim;

    // The same scene built in this process: every coloured bore whose centre
    // falls inside the picture shows a saturated colour there.
    auto doc = samples::DemoDesign();
    TIsometricDrawingSettings settings;
    TManifoldView view(settings);
    view.DocumentLoaded(*doc);
    view.ApplyGroupFilter(true);
    TRenderView rv;
    rv.ImageWidth = img.width();
    rv.ImageHeight = img.height();
    rv.RefWidth = 1400;
    rv.RefHeight = 1400;
    int probed = 0, coloured = 0;
    ForEachNode(*view.GLDummyCube1(), [&](TGLBaseSceneObject& node) {
        auto* bore = dynamic_cast<TGLCylinderBase*>(&node); // bores are tubes unless filled
        if (!bore || !ShownInTree(*bore)) return;
        const TColorVector& d = bore->GetMaterial().FrontProperties.Diffuse;
        if (std::max({d[0], d[1], d[2]}) - std::min({d[0], d[1], d[2]}) < 0.5f) return;
        int x = 0, y = 0;
        if (!Project(*view.GLCamera1(), rv, bore->AbsolutePosition(), x, y)) return;
        ++probed;
        int best = 0;
        for (int dy = -3; dy <= 3; ++dy)
            for (int dx = -3; dx <= 3; ++dx)
                best = std::max(best, Chroma(img.pixel(std::clamp(x + dx, 0, img.width() - 1),
                                                       std::clamp(y + dy, 0, img.height() - 1))));
        coloured += best > 60;
    });
    EXPECT_GE(probed, 5);
    EXPECT_GE(coloured, probed * 9 / 10) << coloured << " of " << probed;
}
