// The viewer widget on the X server's screen, and its pictures.
#include "SceneTestSupport.h"
#include "view3d/scene/GLSceneViewer.h"

#include "testkit/TestFiles.h"


using qv::TColor;
using namespace qv::scene;
using namespace qv::scene::test;

namespace {

constexpr TColor kBlue = 0x00FF0000;

// A red unit cube seen head-on (see THeadOnScene), 1 unit = 50 view pixels.
struct TViewerScene : THeadOnScene {
    TGLCube* Cube;
    TViewerScene()
    {
        Cube = Scene.Objects()->AddNewChild<TGLCube>();
        Cube->GetMaterial().FrontProperties.Diffuse = ConvertWinColor(0x000000FF);
    }
};

} // namespace

TEST(SceneViewer, PaintsTheSceneOnScreen)
{
    TViewerScene s;
    TGLSceneViewer viewer;
    viewer.SetScene(&s.Scene);
    viewer.SetCamera(s.Camera);
    viewer.SetBackgroundColor(kBlue);
    viewer.resize(200, 160);
    viewer.show();
    ASSERT_TRUE(WaitExposed(viewer));

    const QImage shot = viewer.grabFramebuffer();
    KeepPicture(shot, "viewer-screen");
    ASSERT_EQ(shot.size(), QSize(200, 160) * viewer.devicePixelRatio());
    const TRgb centre = PixelAt(shot, {shot.width() / 2, shot.height() / 2});
    EXPECT_GT(centre.R, 200);
    EXPECT_LT(centre.G, 60);
    EXPECT_TRUE(IsBackground(PixelAt(shot, {3, 3}), kBlue));
    EXPECT_NEAR(RedWidth(shot), 50 * viewer.devicePixelRatio(), 3);

    // Changing the scene shows at the next paint.
    s.Cube->Visible = false;
    const QImage after = viewer.grabFramebuffer();
    EXPECT_TRUE(IsBackground(PixelAt(after, {after.width() / 2, after.height() / 2}), kBlue));
}

TEST(SceneViewer, RenderToFileShowsTheViewAtAHigherResolution)
{
    TViewerScene s;
    TGLSceneViewer viewer;
    viewer.SetScene(&s.Scene);
    viewer.SetCamera(s.Camera);
    viewer.SetBackgroundColor(kBlue);
    viewer.resize(200, 160);
    viewer.show();
    ASSERT_TRUE(WaitExposed(viewer));
    const int onScreen = RedWidth(viewer.grabFramebuffer()) / int(viewer.devicePixelRatio());

    // The export's white background does not stick to the view.
    const std::string path = qv::test::TempPath("view.bmp");
    viewer.SetBackgroundColor(0x00FFFFFF);
    viewer.RenderToFile(path, 600, 480);
    viewer.SetBackgroundColor(kBlue);
    QImage file(QString::fromStdString(path));
    ASSERT_EQ(file.size(), QSize(600, 480));
    EXPECT_EQ(file.depth(), 32); // QImage loads 24-bit files as RGB32
    EXPECT_NEAR(RedWidth(file), 3 * onScreen, 4);
    EXPECT_TRUE(IsBackground(PixelAt(file, {5, 5}), 0x00FFFFFF));
    const QImage again = viewer.grabFramebuffer();
    EXPECT_TRUE(IsBackground(PixelAt(again, {3, 3}), kBlue));
}

TEST(SceneViewer, RendersWithoutEverBeingShown)
{
    TViewerScene s;
    TGLSceneViewer viewer;
    viewer.SetScene(&s.Scene);
    viewer.SetCamera(s.Camera);
    viewer.resize(100, 100);
    const QImage img = viewer.RenderToImage(100, 100);
    const TRgb c = PixelAt(img, {50, 50});
    EXPECT_GT(c.R, 200);
    EXPECT_NEAR(RedWidth(img), 50, 3);

    TGLSceneViewer empty;
    EXPECT_THROW(empty.RenderToFile(qv::test::TempPath("none.bmp"), 10, 10), std::runtime_error);
    EXPECT_THROW(viewer.RenderToImage(0, 10), std::runtime_error);
}

TEST(SceneViewer, FieldOfViewFollowsTheFocalLength)
{
    TViewerScene s;
    TGLSceneViewer viewer;
    viewer.SetCamera(s.Camera);
    viewer.resize(300, 200);
    const float fov = viewer.FieldOfView();
    EXPECT_GT(fov, 0);
    s.Camera->FocalLength *= 2; // longer lens, narrower view
    EXPECT_LT(viewer.FieldOfView(), fov);
    viewer.SetFieldOfView(30);
    EXPECT_NEAR(viewer.FieldOfView(), 30, 1e-3);
}
