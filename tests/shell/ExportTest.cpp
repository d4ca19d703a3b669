// Save As... and Clipboard on a viewer on the X server's screen.
#include "shell/Export.h"

#include "SceneTestSupport.h"
#include "testkit/TestFiles.h"
#include "view3d/scene/GLSceneViewer.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace qv;
using namespace qv::scene;
using namespace qv::scene::test;

namespace {

constexpr TColor kBlue = 0x00FF0000;
constexpr TColor kWhite = 0x00FFFFFF;

// A red unit cube seen head-on (see THeadOnScene), 1 unit = 50 view pixels,
// on a blue screen 200 x 160: the export factor is 13.
struct TExportView : THeadOnScene {
    TGLCube* Cube;
    TGLSceneViewer Viewer;
    static constexpr int W = 200, H = 160, K = 13;

    TExportView()
    {
        Cube = Scene.Objects()->AddNewChild<TGLCube>();
        Cube->GetMaterial().FrontProperties.Diffuse = ConvertWinColor(0x000000FF);
        Viewer.SetScene(&Scene);
        Viewer.SetCamera(Camera);
        Viewer.SetBackgroundColor(kBlue);
        Viewer.resize(W, H);
        Viewer.show();
    }
};

bool IsBmpFile(const std::string& path) { return qv::test::ReadBytes(path).substr(0, 2) == "BM"; }

// The screen shows its own colour again and the export left nothing behind.
void ExpectViewAsBefore(TExportView& v, const TVector3& cameraPosition)
{
    EXPECT_EQ(v.Viewer.BackgroundColor(), kBlue);
    const QImage screen = v.Viewer.grabFramebuffer();
    EXPECT_TRUE(IsBackground(PixelAt(screen, {3, 3}), kBlue));
    EXPECT_EQ(v.Camera->Position(), cameraPosition);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

} // namespace

TEST(ExportView, SaveAsWritesABitmapOnWhiteWhateverTheExtension)
{
    TExportView v;
    ASSERT_TRUE(WaitExposed(v.Viewer));
    const TVector3 camera = v.Camera->Position();

    // A file of that name is replaced.
    const std::string path = qv::test::WriteTempFile("view.png", std::string(100000, 'x'));
    RenderViewToFile(v.Viewer, QString::fromStdString(path), 96);
    EXPECT_TRUE(IsBmpFile(path));
    const QImage picture(QString::fromStdString(path), "BMP");
    KeepPicture(picture, "export-save-as");
    ASSERT_EQ(picture.size(), QSize(TExportView::W * TExportView::K, TExportView::H * TExportView::K));
    EXPECT_TRUE(IsBackground(PixelAt(picture, {5, 5}), kWhite));
    EXPECT_GT(PixelAt(picture, {picture.width() / 2, picture.height() / 2}).R, 200);
    EXPECT_NEAR(RedWidth(picture), 50 * TExportView::K, 2 * TExportView::K);
    ExpectViewAsBefore(v, camera);
}

// At twice the usual screen density the camera stands twice as far off for
// the picture, so the model fills half as much of it; then it is back.
TEST(ExportView, ScreenDensityMovesTheCameraForThePicture)
{
    TExportView v;
    ASSERT_TRUE(WaitExposed(v.Viewer));
    v.Camera->CameraStyle = csPerspective;
    const TVector3 camera = v.Camera->Position();
    const std::string at96 = qv::test::TempPath("at96.bmp"), at192 = qv::test::TempPath("at192.bmp");
    RenderViewToFile(v.Viewer, QString::fromStdString(at96), 96);
    RenderViewToFile(v.Viewer, QString::fromStdString(at192), 192);
    const int width96 = RedWidth(QImage(QString::fromStdString(at96)));
    const int width192 = RedWidth(QImage(QString::fromStdString(at192)));
    EXPECT_GT(width96, 200);
    EXPECT_NEAR(double(width192) / width96, 0.5, 0.02);
    ExpectViewAsBefore(v, camera);
}

TEST(ExportView, FailureRestoresTheView)
{
    TExportView v;
    ASSERT_TRUE(WaitExposed(v.Viewer));
    const TVector3 camera = v.Camera->Position();
    const QString noFolder = QString::fromStdString(qv::test::TempPath("no-such-folder") + "/view.bmp");
    try {
        RenderViewToFile(v.Viewer, noFolder, 144);
        ADD_FAILURE() << "no error for a file in a missing folder";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find(noFolder.toStdString()), std::string::npos) << e.what();
    }
    ExpectViewAsBefore(v, camera);

    // A folder of that name cannot be deleted: nothing is written.
    const std::string folder = qv::test::TempPath("a folder.bmp");
    std::filesystem::create_directories(folder);
    EXPECT_THROW(RenderViewToFile(v.Viewer, QString::fromStdString(folder), 96), std::runtime_error);
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    ExpectViewAsBefore(v, camera);
}

namespace {

// The temporary folder of the clipboard picture, private to this test.
struct TPrivateTempFolder {
    std::string Folder;
    explicit TPrivateTempFolder(const std::string& name) : Folder(qv::test::TempPath(name))
    {
        std::filesystem::create_directories(Folder);
        setenv("TMPDIR", Folder.c_str(), 1);
    }
    ~TPrivateTempFolder() { unsetenv("TMPDIR"); }
};

} // namespace

TEST(ExportView, ClipboardGetsThePictureAndTheFileStays)
{
    TPrivateTempFolder tmp("tmp-clipboard");
    TExportView v;
    ASSERT_TRUE(WaitExposed(v.Viewer));
    const TVector3 camera = v.Camera->Position();
    const std::string file = tmp.Folder + "/IsometricView.bmp";
    ASSERT_EQ(ClipboardPictureFile().toStdString(), file);
    const QSize size(TExportView::W * TExportView::K, TExportView::H * TExportView::K);

    CopyViewToClipboard(v.Viewer, 96);
    QImage pasted = QGuiApplication::clipboard()->image();
    ASSERT_EQ(pasted.size(), size);
    EXPECT_GT(PixelAt(pasted, {size.width() / 2, size.height() / 2}).R, 200);
    EXPECT_TRUE(IsBmpFile(file));

    // Twice in a row: the same file again, now without the cube.
    v.Cube->Visible = false;
    CopyViewToClipboard(v.Viewer, 96);
    pasted = QGuiApplication::clipboard()->image();
    ASSERT_EQ(pasted.size(), size);
    EXPECT_TRUE(IsBackground(PixelAt(pasted, {size.width() / 2, size.height() / 2}), kWhite));
    const QImage onDisk(QString::fromStdString(file), "BMP");
    EXPECT_TRUE(IsBackground(PixelAt(onDisk, {size.width() / 2, size.height() / 2}), kWhite));
    ExpectViewAsBefore(v, camera);
}

// The temporary folder is shared with every user: a link planted at the
// picture's name must not make the export write through it.
TEST(ExportView, ClipboardFileNeverWritesThroughALink)
{
    TPrivateTempFolder tmp("tmp-link");
    TExportView v;
    ASSERT_TRUE(WaitExposed(v.Viewer));
    const std::string victim = qv::test::WriteTempFile("precious.txt", "keep me");
    std::filesystem::create_symlink(victim, tmp.Folder + "/IsometricView.bmp");
    RenderViewToFile(v.Viewer, ClipboardPictureFile(), 96);
    EXPECT_EQ(qv::test::ReadBytes(victim), "keep me");
    EXPECT_FALSE(std::filesystem::is_symlink(tmp.Folder + "/IsometricView.bmp"));
    EXPECT_TRUE(IsBmpFile(tmp.Folder + "/IsometricView.bmp"));
}
