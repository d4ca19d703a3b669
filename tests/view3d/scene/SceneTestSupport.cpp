#include "SceneTestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <QWindow>

#include <cstdlib>

namespace qv::scene::test {

static std::unique_ptr<TGLOffscreenContext> gShared;

TGLOffscreenContext& SharedContext()
{
    if (!gShared) gShared = std::make_unique<TGLOffscreenContext>();
    return *gShared;
}

void ReleaseSharedContext() { gShared.reset(); }

THeadOnScene::THeadOnScene(TGLCameraStyle style)
{
    Target = Scene.Objects()->AddNewChild<TGLDummyCube>();
    Camera = Scene.Objects()->AddNewChild<TGLCamera>();
    Camera->SetPosition(0, 0, 10);
    Camera->SetTargetObject(Target);
    Camera->FocalLength = 60;
    Camera->CameraStyle = style;
    Light = Scene.Objects()->AddNewChild<TGLLightSource>();
    Light->SetPosition(0, 0, 10);
}

QImage THeadOnScene::Render(int w, int h, TColor background, int maxTile)
{
    TOffscreenOptions opt;
    opt.Background = ConvertWinColor(background);
    opt.MaxTileSize = maxTile;
    return SharedContext().Render(Scene, *Camera, w, h, opt);
}

void KeepPicture(const QImage& img, const char* name)
{
    if (const char* dir = std::getenv("QV_SCENE_PICTURES"))
        img.save(QString::fromUtf8(dir) + "/" + QString::fromUtf8(name) + ".png", "PNG");
}

QPoint PixelOf(float x, float y, int w, int h)
{
    return {int(w / 2.0 + x / 0.02f), int(h / 2.0 - y / 0.02f)};
}

TRgb PixelAt(const QImage& img, QPoint p)
{
    const QRgb c = img.pixel(p);
    return {qRed(c), qGreen(c), qBlue(c)};
}

bool WaitExposed(QWidget& w)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 5000) {
        QCoreApplication::processEvents();
        if (w.windowHandle() && w.windowHandle()->isExposed()) return true;
    }
    return false;
}

int RedWidth(const QImage& img)
{
    int n = 0;
    for (int x = 0; x < img.width(); ++x) {
        const TRgb c = PixelAt(img, {x, img.height() / 2});
        if (c.R > 150 && c.G < 80) ++n;
    }
    return n;
}

} // namespace qv::scene::test
