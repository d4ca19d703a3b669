#include "view3d/scene/GLSceneViewer.h"

#include <QOpenGLContext>
#include <QSurfaceFormat>

#include <GL/gl.h>

#include <algorithm>

#include <stdexcept>

namespace qv::scene {

TGLSceneViewer::TGLSceneViewer(QWidget* parent) : QOpenGLWidget(parent)
{
    QSurfaceFormat format = QSurfaceFormat::defaultFormat();
    format.setDepthBufferSize(24);
    format.setSamples(4);
    setFormat(format);
}

TGLSceneViewer::~TGLSceneViewer()
{
    disconnect(fContextConnection);
    if (fGroup) {
        makeCurrent();
        ReleaseContext();
        doneCurrent();
    }
}

void TGLSceneViewer::SetScene(TGLScene* scene)
{
    fScene = scene;
    update();
}

void TGLSceneViewer::SetCamera(TGLCamera* camera)
{
    fCamera = camera;
    update();
}

void TGLSceneViewer::SetBackgroundColor(TColor c)
{
    fBackgroundColor = c;
    update();
}

float TGLSceneViewer::FieldOfView() const
{
    return fCamera ? FieldOfViewOf(*fCamera, width(), height()) : 0.0f;
}

void TGLSceneViewer::SetFieldOfView(float degrees)
{
    if (!fCamera) return;
    fCamera->FocalLength = FocalLengthFor(degrees, width(), height());
    update();
}

void TGLSceneViewer::ReleaseContext()
{
    if (!fGroup) return;
    FlushCache(fGroup);
    // Whatever the group still holds dies with the context.
    cache::ReleaseGroup(fGroup);
    fGroup = 0;
}

void TGLSceneViewer::initializeGL()
{
    // A widget's context is recreated when it moves to another top-level
    // window; cached geometry of the old one is gone then.
    ReleaseContext();
    fGroup = cache::RegisterGroup();
    disconnect(fContextConnection);
    fContextConnection = connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, [this] {
        makeCurrent();
        ReleaseContext();
        doneCurrent();
    });
}

void TGLSceneViewer::paintGL()
{
    const qreal ratio = devicePixelRatioF();
    const int w = std::max(1, int(width() * ratio + 0.5)), h = std::max(1, int(height() * ratio + 0.5));
    TRenderView view;
    view.ImageWidth = w;
    view.ImageHeight = h;
    view.RefWidth = width();
    view.RefHeight = height();
    view.Background = ConvertWinColor(fBackgroundColor);
    view.CacheGroup = fGroup;
    if (fScene && fCamera) {
        RenderScene(*fScene, *fCamera, view);
    } else {
        glClearColor(view.Background[0], view.Background[1], view.Background[2], 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
}

QImage TGLSceneViewer::RenderToImage(int width, int height)
{
    if (!fScene || !fCamera) throw std::runtime_error("The view has no scene or camera to render.");
    TOffscreenOptions options;
    options.Background = ConvertWinColor(fBackgroundColor);
    options.RefWidth = this->width();
    options.RefHeight = this->height();
    if (fGroup && context() && context()->isValid()) {
        // Use the view's own context, so the cached geometry is shared.
        makeCurrent();
        struct TDone {
            TGLSceneViewer* v;
            ~TDone() { v->doneCurrent(); }
        } done{this};
        return RenderSceneToImage(*fScene, *fCamera, width, height, options, fGroup);
    }
    TGLOffscreenContext own;
    return own.Render(*fScene, *fCamera, width, height, options);
}

void TGLSceneViewer::RenderToFile(const std::string& fileName, int width, int height)
{
    SaveBmp24(RenderToImage(width, height), fileName);
}

} // namespace qv::scene
