#pragma once
// The 3D view: a Qt OpenGL widget that draws a scene it does not own
// through a camera, and renders the same view off screen into pictures.
#include "view3d/scene/GLRender.h"
#include "view3d/scene/GLScene.h"

#include <QImage>
#include <QOpenGLWidget>

#include <string>

namespace qv::scene {

class TGLSceneViewer : public QOpenGLWidget {
public:
    explicit TGLSceneViewer(QWidget* parent = nullptr);
    ~TGLSceneViewer() override;

    // The scene and camera drawn (neither is owned; both must outlive
    // their use here or be set to nullptr first).
    void SetScene(TGLScene* scene);
    void SetCamera(TGLCamera* camera);
    TGLScene* Scene() const { return fScene; }
    TGLCamera* Camera() const { return fCamera; }

    TColor BackgroundColor() const { return fBackgroundColor; }
    void SetBackgroundColor(TColor c);

    // Opening angle across the view's smaller side, in degrees; setting it
    // changes the camera's focal length.
    float FieldOfView() const;
    void SetFieldOfView(float degrees);

    // Renders the current scene through the current camera off screen into
    // a width x height picture showing what the view shows (a larger
    // picture at a higher resolution).
    QImage RenderToImage(int width, int height);
    // The same, written as a 24-bit BMP file. Throws std::runtime_error
    // when rendering or writing fails.
    void RenderToFile(const std::string& fileName, int width, int height);

protected:
    void initializeGL() override;
    void paintGL() override;

private:
    void ReleaseContext();

    TGLScene* fScene = nullptr;
    TGLCamera* fCamera = nullptr;
    TColor fBackgroundColor = 0; // black until the settings' colour is applied
    uint64_t fGroup = 0;
    QMetaObject::Connection fContextConnection;
};

} // namespace qv::scene
