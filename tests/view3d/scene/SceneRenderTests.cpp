// Off-screen pictures of small scenes, probed at known pixels, and the BMP
// files written from them.
#define GL_GLEXT_PROTOTYPES // glIsBuffer
#include "SceneTestSupport.h"

#include "testkit/TestFiles.h"

#include <QFile>
#include <QOpenGLContext>

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstring>
#include <fstream>
#include <functional>

using qv::TColor;
using namespace qv::scene;
using namespace qv::scene::test;

namespace {

constexpr TColor kBlue = 0x00FF0000;   // $00BBGGRR
constexpr TColor kWhite = 0x00FFFFFF;

void SetColour(TGLSceneObject* obj, TColor c, float alpha = 1, TBlendingMode mode = bmOpaque)
{
    auto& m = obj->GetMaterial();
    m.FrontProperties.Diffuse = ConvertWinColor(c, alpha);
    m.BackProperties.Diffuse = ConvertWinColor(c, alpha);
    m.BlendingMode = mode;
}

// A grey transparent box, 3 x 3 x 0.5, at the origin.
TGLCube* AddGreyBox(TGLBaseSceneObject* parent)
{
    auto* box = parent->AddNewChild<TGLCube>();
    box->SetCubeWidth(3);
    box->SetCubeHeight(3);
    box->SetCubeDepth(0.5f);
    SetColour(box, 0x00CCCCCC, 0.4f, bmTransparency);
    return box;
}

// A red opaque cylinder (radius 0.3, height 1, along Y) at depth z.
TGLCylinder* AddRedCylinder(TGLBaseSceneObject* parent, float z)
{
    auto* cyl = parent->AddNewChild<TGLCylinder>();
    cyl->SetTopRadius(0.3f);
    cyl->SetBottomRadius(0.3f);
    cyl->SetPosition(0, 0, z);
    SetColour(cyl, 0x000000FF);
    return cyl;
}

bool IsRed(const TRgb& c) { return c.R > 200 && c.G < 60 && c.B < 60; }
bool IsGreyOver(const TRgb& c) { return c.R > 40 && c.R < 230 && std::abs(c.R - c.G) <= 3; }

uint32_t Le32(const std::string& b, size_t at)
{
    return uint8_t(b[at]) | uint8_t(b[at + 1]) << 8 | uint8_t(b[at + 2]) << 16 | uint32_t(uint8_t(b[at + 3])) << 24;
}

} // namespace

TEST(SceneRender, OpaqueCylinderInFrontOfTransparentBox)
{
    THeadOnScene s;
    AddGreyBox(s.Scene.Objects());
    AddRedCylinder(s.Scene.Objects(), 0.6f);
    const QImage img = s.Render(200, 200, kBlue);
    KeepPicture(img, "cylinder-box");
    ASSERT_EQ(img.size(), QSize(200, 200));

    EXPECT_TRUE(IsRed(PixelAt(img, PixelOf(0, 0))));
    // Inside the box, away from the cylinder: grey blended with the blue
    // background, so some blue still shows through.
    const TRgb edge = PixelAt(img, PixelOf(1.2f, 1.2f));
    EXPECT_TRUE(IsGreyOver(edge)) << edge.R << "," << edge.G << "," << edge.B;
    EXPECT_GT(edge.B, edge.R + 20);
    EXPECT_TRUE(IsBackground(PixelAt(img, PixelOf(1.8f, 1.8f)), kBlue));
    EXPECT_TRUE(IsBackground(PixelAt(img, PixelOf(-1.8f, 0)), kBlue));
}

TEST(SceneRender, OpaqueObjectsDrawFirstWhateverTheTreeOrder)
{
    // The transparent box is created first and lies in front of the red
    // cylinder: the cylinder still shows through it.
    THeadOnScene s;
    AddGreyBox(s.Scene.Objects());
    AddRedCylinder(s.Scene.Objects(), -0.6f);
    const QImage img = s.Render();
    KeepPicture(img, "box-cylinder-behind");
    const TRgb c = PixelAt(img, PixelOf(0, 0));
    EXPECT_GT(c.R, c.G + 60) << c.R << "," << c.G << "," << c.B;
    EXPECT_GT(c.G, 30); // but veiled by the grey box
}

TEST(SceneRender, AlphaMattersOnlyWithTransparency)
{
    struct TCase {
        const char* name;
        float alpha;
        TBlendingMode mode;
        bool visible;
    };
    const TCase cases[] = {
        {"opaque ignores alpha 0", 0, bmOpaque, true},
        {"transparent alpha 0 is invisible", 0, bmTransparency, false},
        {"transparent alpha 1 is solid", 1, bmTransparency, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        THeadOnScene s;
        auto* cube = s.Scene.Objects()->AddNewChild<TGLCube>();
        SetColour(cube, 0x000000FF, c.alpha, c.mode);
        const TRgb p = PixelAt(s.Render(100, 100, kBlue), PixelOf(0, 0, 100, 100));
        if (c.visible)
            EXPECT_TRUE(IsRed(p)) << p.R << "," << p.G << "," << p.B;
        else
            EXPECT_TRUE(IsBackground(p, kBlue)) << p.R << "," << p.G << "," << p.B;
    }
}

TEST(SceneRender, HiddenNodeHidesItsSubtree)
{
    THeadOnScene s;
    auto* group = s.Scene.Objects()->AddNewChild<TGLDummyCube>();
    auto* cube = group->AddNewChild<TGLCube>();
    SetColour(cube, 0x000000FF);
    group->Visible = false;
    EXPECT_TRUE(IsBackground(PixelAt(s.Render(100, 100), PixelOf(0, 0, 100, 100)), 0));
    group->Visible = true;
    EXPECT_TRUE(IsRed(PixelAt(s.Render(100, 100), PixelOf(0, 0, 100, 100))));
}

TEST(SceneRender, FlatCylinderShowsARingWithAnOpenHole)
{
    THeadOnScene s;
    auto* ring = s.Scene.Objects()->AddNewChild<TGLCylinder>();
    ring->SetTopRadius(0.5f);
    ring->SetBottomRadius(1.0f);
    ring->SetHeight(0);
    ring->SetSlices(64);
    ring->SetUp(0, 0, 1); // the ring faces the camera
    SetColour(ring, 0x000000FF);
    const QImage img = s.Render(200, 200, kBlue);
    KeepPicture(img, "flat-ring");
    EXPECT_TRUE(IsBackground(PixelAt(img, PixelOf(0, 0)), kBlue));
    EXPECT_TRUE(IsBackground(PixelAt(img, PixelOf(0.3f, 0)), kBlue));
    EXPECT_TRUE(IsRed(PixelAt(img, PixelOf(0.75f, 0))));
    EXPECT_TRUE(IsRed(PixelAt(img, PixelOf(0, -0.75f))));
    EXPECT_TRUE(IsBackground(PixelAt(img, PixelOf(1.2f, 0)), kBlue));
}

TEST(SceneRender, ThinWallShowsItsBackPropertiesFromInside)
{
    // Looking down a thin tube in perspective: the far part of the wall is
    // seen from inside, in the back colour.
    THeadOnScene s(csPerspective);
    auto* tube = s.Scene.Objects()->AddNewChild<TGLAnnulus>();
    for (auto r : {0.5f}) {
        tube->SetTopRadius(r);
        tube->SetBottomRadius(r);
        tube->SetTopInnerRadius(r);
        tube->SetBottomInnerRadius(r);
    }
    tube->SetHeight(4);
    tube->SetSlices(64);
    tube->SetUp(0, 0, 1);
    auto& m = tube->GetMaterial();
    m.FrontProperties.Diffuse = ConvertWinColor(0x000000FF);
    m.BackProperties.Diffuse = ConvertWinColor(0x0000FF00);
    s.Light->SetPosition(0, 0, 0); // inside the tube
    const QImage img = s.Render(200, 200);
    KeepPicture(img, "thin-tube");
    // Between the far rim (0.42 at the target's distance) and the near rim
    // (0.63) the inner side of the wall shows.
    const TRgb c = PixelAt(img, PixelOf(0.52f, 0));
    EXPECT_GT(c.G, 100) << c.R << "," << c.G << "," << c.B;
    EXPECT_LT(c.R, 60);
    EXPECT_TRUE(IsBackground(PixelAt(img, PixelOf(0, 0)), 0)); // the open end
}

TEST(SceneRender, FlatTextCoversTheExpectedArea)
{
    THeadOnScene s;
    auto* text = s.Scene.Objects()->AddNewChild<TGLSpaceText>();
    text->SetText("Face1");
    text->SetTextHeight(0.8f);
    text->SetPosition(-1.9f, -0.5f, 0); // baseline start
    SetColour(text, 0x0000FFFF);
    const QImage img = s.Render(200, 200);
    KeepPicture(img, "text-face1");

    // Bounding box of the drawn pixels.
    int minX = 1000, maxX = -1, minY = 1000, maxY = -1, covered = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (!IsBackground(PixelAt(img, {x, y}), 0)) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
                ++covered;
            }
    const QPoint baselineStart = PixelOf(-1.9f, -0.5f), capTop = PixelOf(-1.9f, 0.3f);
    EXPECT_NEAR(minY, capTop.y(), 2);       // the tallest glyph is TextHeight high
    EXPECT_NEAR(maxY, baselineStart.y() - 1, 2); // nothing below the baseline
    EXPECT_GE(minX, baselineStart.x());
    EXPECT_LT(minX, baselineStart.x() + 10);
    EXPECT_GT(maxX - minX, 100); // five glyphs, each about as wide as 0.6 heights
    EXPECT_LT(maxX, img.width() - 5);
    // Filled glyphs, not outlines and not a solid block.
    const double fill = double(covered) / ((maxX - minX + 1) * (maxY - minY + 1));
    EXPECT_GT(fill, 0.25);
    EXPECT_LT(fill, 0.75);
    // The stem of the "F" is solid, the space right of its middle bar is not.
    EXPECT_FALSE(IsBackground(PixelAt(img, {minX + 3, (minY + maxY) / 2}), 0));
    EXPECT_TRUE(IsBackground(PixelAt(img, {minX + 3, maxY + 5}), 0));
}

TEST(SceneRender, TiledPictureEqualsTheWholeOne)
{
    THeadOnScene s(csPerspective);
    AddGreyBox(s.Scene.Objects());
    auto* cyl = AddRedCylinder(s.Scene.Objects(), 0.6f);
    cyl->SetDirection(1, 1, 1); // something not aligned with the tiles
    const QImage whole = s.Render(150, 110, kBlue);
    const QImage tiled = s.Render(150, 110, kBlue, 64); // 3 x 2 tiles
    KeepPicture(tiled, "tiled");
    ASSERT_EQ(whole.size(), tiled.size());
    int differing = 0;
    for (int y = 0; y < whole.height(); ++y)
        for (int x = 0; x < whole.width(); ++x) {
            const TRgb a = PixelAt(whole, {x, y}), b = PixelAt(tiled, {x, y});
            if (std::abs(a.R - b.R) + std::abs(a.G - b.G) + std::abs(a.B - b.B) > 24) ++differing;
        }
    EXPECT_LT(differing, 150 * 110 / 100);
}

TEST(SceneRender, PictureWiderThanTheRenderbufferLimit)
{
    TGLOffscreenContext& ctx = SharedContext();
    ASSERT_TRUE(ctx.MakeCurrent());
    GLint maxRb = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &maxRb);
    ctx.DoneCurrent();
    ASSERT_GT(maxRb, 0);

    // A long bar across the whole width, on a blue background.
    THeadOnScene s;
    const int w = maxRb + 300, h = 20;
    auto* bar = s.Scene.Objects()->AddNewChild<TGLCube>();
    bar->SetCubeWidth(w * 0.02f * 0.99f);
    s.Light->SetPosition(0, 0, 1e5f); // far away: the long face is lit evenly
    bar->SetCubeHeight(0.1f);
    SetColour(bar, 0x000000FF);
    TOffscreenOptions opt;
    opt.Background = ConvertWinColor(kBlue);
    opt.Samples = 0;
    const QImage img = ctx.Render(s.Scene, *s.Camera, w, h, opt);
    ASSERT_EQ(img.width(), w);
    for (int x : {w / 200 + 2, w / 2, maxRb - 1, maxRb + 1, w - w / 200 - 3})
        EXPECT_TRUE(IsRed(PixelAt(img, {x, h / 2}))) << "x " << x << " " << PixelAt(img, {x, h / 2}).R << "," << PixelAt(img, {x, h / 2}).G << "," << PixelAt(img, {x, h / 2}).B;
    EXPECT_TRUE(IsBackground(PixelAt(img, {w - 2, h / 2}), kBlue));
    EXPECT_TRUE(IsBackground(PixelAt(img, {maxRb + 10, 1}), kBlue));
}

TEST(SceneRender, BmpFileIs24BitWithTheTopRowAtTheTop)
{
    // Red above the centre, green below it.
    THeadOnScene s;
    auto* top = s.Scene.Objects()->AddNewChild<TGLCube>();
    top->SetCubeWidth(10);
    top->SetCubeHeight(5);
    top->SetPosition(0, 2.5f, 0);
    SetColour(top, 0x000000FF);
    auto* bottom = s.Scene.Objects()->AddNewChild<TGLCube>();
    bottom->SetCubeWidth(10);
    bottom->SetCubeHeight(5);
    bottom->SetPosition(0, -2.5f, 0);
    SetColour(bottom, 0x0000FF00);

    const int w = 61, h = 40; // rows of 183 bytes need padding
    const std::string path = qv::test::TempPath("orientation.bmp");
    qv::test::WriteBytes(path, "old contents");
    SaveBmp24(s.Render(w, h), path);

    const std::string b = qv::test::ReadBytes(path);
    ASSERT_GE(b.size(), 54u);
    EXPECT_EQ(b.substr(0, 2), "BM");
    EXPECT_EQ(Le32(b, 2), b.size());
    EXPECT_EQ(Le32(b, 18), uint32_t(w));
    EXPECT_EQ(int32_t(Le32(b, 22)), h); // positive: rows stored bottom-up
    EXPECT_EQ(uint8_t(b[28]) | uint8_t(b[29]) << 8, 24);
    EXPECT_EQ(Le32(b, 30), 0u); // uncompressed
    const uint32_t offset = Le32(b, 10);
    const size_t stride = (size_t(w) * 3 + 3) / 4 * 4;
    ASSERT_EQ(b.size(), offset + stride * h);
    // First stored row = bottom of the picture = green (bytes B, G, R).
    auto px = [&](int row, int x) { return TRgb{uint8_t(b[offset + row * stride + x * 3 + 2]), uint8_t(b[offset + row * stride + x * 3 + 1]), uint8_t(b[offset + row * stride + x * 3])}; };
    EXPECT_GT(px(0, w / 2).G, 150);
    EXPECT_LT(px(0, w / 2).R, 60);
    EXPECT_GT(px(h - 1, w / 2).R, 150);
    EXPECT_LT(px(h - 1, w / 2).G, 60);

    // Read back by a picture reader, the top row is red.
    QImage back(QString::fromStdString(path));
    ASSERT_FALSE(back.isNull());
    EXPECT_TRUE(IsRed(PixelAt(back, {w / 2, 0})));
}

TEST(SceneRender, BmpWriteFailureIsReported)
{
    QImage img(4, 4, QImage::Format_RGB888);
    img.fill(Qt::white);
    EXPECT_THROW(SaveBmp24(img, "/nonexistent-folder/x.bmp"), std::runtime_error);
}

namespace {
// A box that counts how often its geometry is built.
class TCountingCube : public TGLCube {
public:
    mutable int Builds = 0;
    void BuildMesh(TGLMesh& mesh) const override
    {
        ++Builds;
        TGLCube::BuildMesh(mesh);
    }
};
} // namespace

TEST(SceneRender, GeometryIsBuiltOnceAndRebuiltOnChange)
{
    THeadOnScene s;
    auto* cube = s.Scene.Objects()->AddNewChild<TCountingCube>();
    cube->SetCubeWidth(0.5f);
    SetColour(cube, 0x000000FF);
    s.Render(60, 60);
    s.Render(60, 60);
    EXPECT_EQ(cube->Builds, 1);
    EXPECT_TRUE(IsBackground(PixelAt(s.Render(60, 60), PixelOf(0.4f, 0, 60, 60)), 0));

    cube->SetCubeWidth(1); // now reaches x = 0.5
    const QImage img = s.Render(60, 60);
    EXPECT_EQ(cube->Builds, 2);
    EXPECT_TRUE(IsRed(PixelAt(img, PixelOf(0.4f, 0, 60, 60))));
}

TEST(SceneRender, FreedNodesReleaseTheirGlObjects)
{
    THeadOnScene s;
    auto* sphere = s.Scene.Objects()->AddNewChild<TGLSphere>();
    sphere->SetCheckerboardTexture(64, 8);
    s.Render(40, 40);
    TGLOffscreenContext& ctx = SharedContext();
    ASSERT_EQ(sphere->CacheEntries().size(), 1u);
    const auto entry = sphere->CacheEntries()[0];
    EXPECT_EQ(entry.Group, ctx.CacheGroup());
    ASSERT_TRUE(ctx.MakeCurrent());
    EXPECT_TRUE(glIsBuffer(entry.Buffer)); // a textured sphere's geometry is its own
    EXPECT_TRUE(glIsTexture(entry.Texture));
    ctx.DoneCurrent();

    delete sphere;
    s.Render(40, 40); // the next frame in that context frees them
    ASSERT_TRUE(ctx.MakeCurrent());
    EXPECT_FALSE(glIsBuffer(entry.Buffer));
    EXPECT_FALSE(glIsTexture(entry.Texture));
    ctx.DoneCurrent();
}

TEST(SceneRender, TexturedSphereShowsTheCheckerboard)
{
    THeadOnScene s;
    s.Light->SetPosition(0, 0, 10);
    auto* sphere = s.Scene.Objects()->AddNewChild<TGLSphere>();
    sphere->SetRadius(1.5f);
    sphere->SetSlices(32);
    sphere->SetStacks(32);
    sphere->SetCheckerboardTexture(256, 16);
    SetColour(sphere, kWhite);
    const QImage img = s.Render(200, 200, kBlue);
    KeepPicture(img, "sphere");
    // Dark and light squares both appear on the sphere, in grey only.
    int dark = 0, light = 0;
    for (int y = 60; y < 140; ++y)
        for (int x = 60; x < 140; ++x) {
            const TRgb c = PixelAt(img, {x, y});
            EXPECT_LE(std::abs(c.R - c.B), 4);
            if (c.R < 40) ++dark;
            if (c.R > 150) ++light;
        }
    EXPECT_GT(dark, 500);
    EXPECT_GT(light, 500);
}

TEST(SceneRender, PolylinesAndAxesAreDrawnUnlitInTheirColours)
{
    THeadOnScene s;
    s.Light->Shining = false; // lines do not depend on lighting
    auto* lines = s.Scene.Objects()->AddNewChild<TGLLines>();
    lines->AddNode(-1, -1, 0);
    lines->AddNode(1, 1, 0);
    lines->AddNode(1, -1, 0);
    lines->LineColor = ConvertWinColor(0x0000FFFF);
    lines->LineWidth = 3;
    lines->NodesAspect = lnaInvisible;
    auto* axes = s.Scene.Objects()->AddNewChild<TGLDummyCube>();
    axes->SetPosition(-1.5f, 0.5f, 0);
    axes->ShowAxes = true;
    const QImage img = s.Render(200, 200);
    KeepPicture(img, "lines-axes");

    // Lit channels (1) clearly on, the others off; thin lines may cover
    // only part of a pixel's samples.
    auto expect = [&](float x, float y, int r, int g, int b) {
        const TRgb c = PixelAt(img, PixelOf(x, y));
        const int got[3] = {c.R, c.G, c.B}, want[3] = {r, g, b};
        for (int k = 0; k < 3; ++k) {
            if (want[k])
                EXPECT_GT(got[k], 100) << x << "," << y << " channel " << k;
            else
                EXPECT_LT(got[k], 30) << x << "," << y << " channel " << k;
        }
    };
    expect(0, 0, 1, 1, 0);          // on the first segment
    expect(0.99f, 0, 1, 1, 0);      // on the second
    expect(-0.5f, 0.5f, 0, 0, 0);   // the strip is not closed
    expect(-1, -0.5f, 0, 0, 0);     // nor drawn back to the start
    expect(-1.0f, 0.5f, 1, 0, 0);   // the dummy's X axis, 1 unit long
    expect(-1.5f, 1.0f, 0, 1, 0);   // its Y axis
    expect(-0.4f, 0.5f, 0, 0, 0);   // beyond the X axis' end
}

TEST(SceneRender, NodesOutliveAContextThatDrewThem)
{
    THeadOnScene s;
    auto* cube = s.Scene.Objects()->AddNewChild<TGLCube>();
    SetColour(cube, 0x000000FF);
    uint64_t goneGroup = 0;
    {
        TGLOffscreenContext temporary;
        ASSERT_TRUE(temporary.IsValid());
        goneGroup = temporary.CacheGroup();
        temporary.Render(s.Scene, *s.Camera, 40, 40, {});
        ASSERT_EQ(cube->CacheEntries().size(), 1u);
    }
    EXPECT_FALSE(cache::IsLive(goneGroup));
    // Another context builds its own copy and drops the stale entry.
    EXPECT_TRUE(IsRed(PixelAt(s.Render(40, 40), {20, 20})));
    ASSERT_EQ(cube->CacheEntries().size(), 1u);
    EXPECT_EQ(cube->CacheEntries()[0].Group, SharedContext().CacheGroup());
    delete cube; // hands its list to the live group only
    EXPECT_TRUE(IsBackground(PixelAt(s.Render(40, 40), {20, 20}), 0));
}

TEST(SceneRender, OpaqueFaceInThePlaneOfATransparentOneShowsCleanly)
{
    // The front of the red cube lies in the front face of the grey box,
    // like the cap of a hole in the face of the block.
    THeadOnScene s(csPerspective);
    AddGreyBox(s.Scene.Objects());
    auto* cap = s.Scene.Objects()->AddNewChild<TGLCube>();
    cap->SetCubeDepth(0.5f);
    SetColour(cap, 0x000000FF);
    const QImage img = s.Render(200, 200);
    const QPoint c = PixelOf(0, 0);
    int veiled = 0;
    for (int y = c.y() - 12; y <= c.y() + 12; ++y)
        for (int x = c.x() - 12; x <= c.x() + 12; ++x)
            if (PixelAt(img, {x, y}).G > 60) ++veiled;
    EXPECT_EQ(veiled, 0);
}

TEST(SceneRender, BothCameraStylesFrameTheTargetPlaneAlike)
{
    // A thin square of 1 x 1 at the target: 50 pixels wide in both styles
    // (focal length 60, distance 10: 0.02 units per pixel), twice as wide
    // with twice the focal length (a longer lens magnifies).
    struct TCase {
        TGLCameraStyle style;
        float focal;
        int width;
    };
    for (const auto& c : {TCase{csPerspective, 60, 50}, TCase{csOrthogonal, 60, 50}, TCase{csOrthogonal, 120, 100},
                          TCase{csPerspective, 120, 100}}) {
        SCOPED_TRACE(testing::Message() << "style " << c.style << " focal " << c.focal);
        THeadOnScene s(c.style);
        s.Camera->FocalLength = c.focal;
        auto* square = s.Scene.Objects()->AddNewChild<TGLCube>();
        square->SetCubeDepth(0.01f);
        SetColour(square, 0x000000FF);
        const QImage img = s.Render(200, 200);
        int red = 0;
        for (int x = 0; x < img.width(); ++x)
            if (IsRed(PixelAt(img, {x, 100}))) ++red;
        EXPECT_NEAR(red, c.width, 2);
    }
}

namespace {
const cache::TSharedMesh* MeshOf(TGLBaseSceneObject* node) { return node->CacheEntries().at(0).Shared; }

// Whether a display list or buffer still exists once the shared context has
// deleted what its nodes handed back.
bool SurvivesFlush(uint32_t name, bool isList)
{
    TGLOffscreenContext& ctx = SharedContext();
    if (!ctx.MakeCurrent()) return true;
    FlushCache(ctx.CacheGroup());
    const bool alive = isList ? glIsList(name) : glIsBuffer(name);
    ctx.DoneCurrent();
    return alive;
}
bool ListSurvivesFlush(uint32_t list) { return SurvivesFlush(list, true); }
bool BufferSurvivesFlush(uint32_t buffer) { return SurvivesFlush(buffer, false); }
} // namespace

TEST(SceneRender, EqualShapesShareOneMeshUntilOneChanges)
{
    THeadOnScene s;
    const uint64_t group = SharedContext().CacheGroup();
    const size_t before = cache::SharedMeshCount(group);
    auto* a = AddRedCylinder(s.Scene.Objects(), 0);
    auto* b = AddRedCylinder(s.Scene.Objects(), 0);
    a->SetPosition(-1, 0, 0);
    b->SetPosition(1, 0, 0);
    QImage img = s.Render();
    EXPECT_EQ(cache::SharedMeshCount(group), before + 1);
    const cache::TSharedMesh* shared = MeshOf(a);
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(MeshOf(b), shared);
    const uint32_t sharedList = shared->List; // two users: a display list
    EXPECT_NE(sharedList, 0u);
    EXPECT_EQ(shared->Buffer, 0u);
    for (float x : {-1.0f, 1.0f}) {
        EXPECT_TRUE(IsRed(PixelAt(img, PixelOf(x, 0)))) << x;
        EXPECT_TRUE(IsBackground(PixelAt(img, PixelOf(x, 0.8f)), 0)) << x; // the top is at 0.5
    }

    b->SetHeight(2); // now reaches y = 1 with a mesh of its own
    img = s.Render();
    EXPECT_EQ(cache::SharedMeshCount(group), before + 2);
    const cache::TSharedMesh* tall = MeshOf(b);
    ASSERT_NE(tall, nullptr);
    EXPECT_NE(tall, shared);
    EXPECT_EQ(tall->List, 0u); // one user: a vertex buffer
    const uint32_t tallBuffer = tall->Buffer;
    EXPECT_NE(tallBuffer, 0u);
    EXPECT_EQ(MeshOf(a), shared);
    EXPECT_TRUE(IsRed(PixelAt(img, PixelOf(1, 0.8f))));
    EXPECT_TRUE(IsRed(PixelAt(img, PixelOf(-1, 0))));
    EXPECT_TRUE(IsBackground(PixelAt(img, PixelOf(-1, 0.8f)), 0));

    b->SetHeight(1); // back to a's shape: nothing uses the tall mesh any more
    img = s.Render();
    EXPECT_EQ(cache::SharedMeshCount(group), before + 1);
    EXPECT_EQ(MeshOf(b), shared);
    EXPECT_TRUE(IsBackground(PixelAt(img, PixelOf(1, 0.8f)), 0));
    EXPECT_FALSE(BufferSurvivesFlush(tallBuffer));

    delete a; // b still draws the shared mesh
    EXPECT_EQ(cache::SharedMeshCount(group), before + 1);
    img = s.Render();
    EXPECT_TRUE(IsRed(PixelAt(img, PixelOf(1, 0))));
    EXPECT_TRUE(IsBackground(PixelAt(img, PixelOf(-1, 0)), 0));
    EXPECT_TRUE(ListSurvivesFlush(sharedList));
    delete b;
    EXPECT_EQ(cache::SharedMeshCount(group), before);
    s.Render(); // a frame in which nothing uses the mesh frees it
    EXPECT_FALSE(ListSurvivesFlush(sharedList));
}

// A scene rebuilt after a settings change frees its nodes and makes the
// same shapes again before the next frame: that frame finds their meshes
// compiled instead of building them again.
TEST(SceneRender, ShapesMadeAgainBeforeTheNextFrameKeepTheirMesh)
{
    THeadOnScene s;
    auto* a = s.Scene.Objects()->AddNewChild<TCountingCube>();
    SetColour(a, 0x000000FF);
    s.Render();
    ASSERT_EQ(a->Builds, 1);
    const cache::TSharedMesh* mesh = MeshOf(a);
    ASSERT_NE(mesh, nullptr);
    const uint32_t buffer = mesh->Buffer;
    ASSERT_NE(buffer, 0u);

    delete a;
    auto* again = s.Scene.Objects()->AddNewChild<TCountingCube>();
    SetColour(again, 0x000000FF);
    const QImage img = s.Render();
    EXPECT_EQ(MeshOf(again), mesh);
    EXPECT_EQ(mesh->Buffer, buffer);
    EXPECT_EQ(again->Builds, 0); // nothing was meshed for the new node
    EXPECT_TRUE(IsRed(PixelAt(img, PixelOf(0, 0))));
    EXPECT_TRUE(BufferSurvivesFlush(buffer));
}

// A shape only one node has is uploaded into a vertex buffer (fast to
// make); when a second node of the same shape comes, the mesh is compiled
// into a display list both draw, and the buffer goes.
TEST(SceneRender, AShapeOfOneNodeStaysInABufferUntilASecondComes)
{
    THeadOnScene s;
    auto* a = AddRedCylinder(s.Scene.Objects(), 0);
    a->SetPosition(-1, 0, 0);
    QImage img = s.Render();
    const cache::TSharedMesh* mesh = MeshOf(a);
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->List, 0u);
    const uint32_t buffer = mesh->Buffer;
    EXPECT_NE(buffer, 0u);
    EXPECT_TRUE(IsRed(PixelAt(img, PixelOf(-1, 0))));

    auto* b = AddRedCylinder(s.Scene.Objects(), 0);
    b->SetPosition(1, 0, 0);
    img = s.Render();
    EXPECT_EQ(MeshOf(b), mesh);
    EXPECT_NE(mesh->List, 0u);
    EXPECT_EQ(mesh->Buffer, 0u);
    EXPECT_FALSE(BufferSurvivesFlush(buffer));
    for (float x : {-1.0f, 1.0f}) EXPECT_TRUE(IsRed(PixelAt(img, PixelOf(x, 0)))) << x;

    delete b; // a keeps drawing the list
    img = s.Render();
    EXPECT_TRUE(IsRed(PixelAt(img, PixelOf(-1, 0))));
    EXPECT_TRUE(IsBackground(PixelAt(img, PixelOf(1, 0)), 0));
}

TEST(SceneRender, KeyedKindsShareTheirMeshAndOthersKeepBuffersOfTheirOwn)
{
    struct TCase {
        const char* name;
        std::function<TGLSceneObject*(TGLBaseSceneObject*)> make;
        bool shared;
    };
    const TCase cases[] = {
        {"cube", [](TGLBaseSceneObject* p) { return p->AddNewChild<TGLCube>(); }, true},
        {"cylinder", [](TGLBaseSceneObject* p) { return p->AddNewChild<TGLCylinder>(); }, true},
        {"annulus", [](TGLBaseSceneObject* p) { return p->AddNewChild<TGLAnnulus>(); }, true},
        {"sphere", [](TGLBaseSceneObject* p) { return p->AddNewChild<TGLSphere>(); }, true},
        {"textured sphere",
         [](TGLBaseSceneObject* p) {
             auto* sphere = p->AddNewChild<TGLSphere>();
             sphere->SetCheckerboardTexture(64, 8);
             return sphere;
         },
         false},
        {"text",
         [](TGLBaseSceneObject* p) {
             auto* text = p->AddNewChild<TGLSpaceText>();
             text->SetText("H");
             text->SetTextHeight(0.6f);
             text->SetAdjust({haCenter, vaCenter});
             return text;
         },
         true},
    };
    const uint64_t group = SharedContext().CacheGroup();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const size_t before = cache::SharedMeshCount(group);
        {
            THeadOnScene s;
            TGLSceneObject* nodes[2] = {c.make(s.Scene.Objects()), c.make(s.Scene.Objects())};
            for (int i = 0; i < 2; ++i) {
                nodes[i]->SetPosition(i ? 1.0f : -1.0f, 0, 0);
                SetColour(nodes[i], 0x000000FF);
            }
            const QImage img = s.Render(200, 200, kBlue);
            const auto& e0 = nodes[0]->CacheEntries().at(0);
            const auto& e1 = nodes[1]->CacheEntries().at(0);
            if (c.shared) {
                EXPECT_EQ(cache::SharedMeshCount(group), before + 1);
                ASSERT_NE(e0.Shared, nullptr);
                EXPECT_EQ(e0.Shared, e1.Shared);
                EXPECT_NE(e0.Shared->List, 0u);
                EXPECT_EQ(e0.Buffer, 0u);
            } else {
                EXPECT_EQ(cache::SharedMeshCount(group), before);
                EXPECT_EQ(e0.Shared, nullptr);
                EXPECT_NE(e0.Buffer, 0u);
                EXPECT_NE(e0.Buffer, e1.Buffer);
            }
            // Both are drawn: plenty of pixels around each centre are not
            // the background.
            for (float x : {-1.0f, 1.0f}) {
                const QPoint centre = PixelOf(x, 0);
                int covered = 0;
                for (int y = centre.y() - 12; y <= centre.y() + 12; ++y)
                    for (int px = centre.x() - 12; px <= centre.x() + 12; ++px)
                        if (!IsBackground(PixelAt(img, {px, y}), kBlue)) ++covered;
                EXPECT_GT(covered, 100) << "at x " << x;
            }
        }
        EXPECT_EQ(cache::SharedMeshCount(group), before);
    }
}
