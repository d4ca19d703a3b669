#pragma once
// Drawing a scene with OpenGL's fixed-function pipeline, on screen or off
// screen, and writing pictures as 24-bit BMP files.
#include "view3d/scene/GLScene.h"

#include <QImage>

#include <memory>
#include <string>

class QOpenGLContext;
class QOffscreenSurface;

namespace qv::scene {

// What one draw call covers. The picture is ImageWidth x ImageHeight
// pixels; the camera's framing is defined on a reference size (the view's
// size on screen), so a picture k times larger than the view shows the
// same part of the scene at k times the resolution. A tile is the part of
// the picture drawn now (x, y from the picture's lower left corner).
struct TRenderView {
    int ImageWidth = 1, ImageHeight = 1;
    double RefWidth = 0, RefHeight = 0; // 0: the picture size
    int TileX = 0, TileY = 0, TileWidth = 0, TileHeight = 0; // 0 size: the whole picture
    TColorVector Background{0, 0, 0, 1};
    uint64_t CacheGroup = 0; // the share group of the current context (cache::RegisterGroup)
};

struct TFrustum {
    bool Perspective = true;
    double Left = -1, Right = 1, Bottom = -1, Top = 1, Near = 0.1, Far = 100;
};

// The projection of a tile of the picture for this camera.
TFrustum ComputeFrustum(const TGLCamera& camera, const TRenderView& view);

// The opening angle (degrees) of the view across its smaller side, and the
// focal length that gives a wanted angle.
float FieldOfViewOf(const TGLCamera& camera, double refWidth, double refHeight);
float FocalLengthFor(float fieldOfView, double refWidth, double refHeight);

// Draws the scene through the camera into the framebuffer bound in the
// current GL context, over the viewport (0, 0, TileWidth, TileHeight):
// opaque objects first, then blended ones, each in tree order. Node
// geometry is compiled once per share group and reused until it changes.
void RenderScene(const TGLScene& scene, const TGLCamera& camera, const TRenderView& view);

// Frees the GL names of dead nodes in the current context's group.
void FlushCache(uint64_t group);

struct TOffscreenOptions {
    TColorVector Background{0, 0, 0, 1};
    double RefWidth = 0, RefHeight = 0; // 0: the picture size
    int Samples = 4;                    // multisampling of each tile
    int MaxTileSize = 0;                // 0: the GL limits
};

// Renders the scene off screen with the current context into a width x
// height RGB picture (top row first), in tiles where the picture exceeds
// the GL size limits. Throws std::runtime_error when it cannot render.
QImage RenderSceneToImage(const TGLScene& scene, const TGLCamera& camera, int width, int height,
                          const TOffscreenOptions& options, uint64_t cacheGroup);

// Writes a picture as an uncompressed 24-bit BMP file (replacing an
// existing file). Throws std::runtime_error when writing fails.
void SaveBmp24(const QImage& image, const std::string& path);
// The same into a new file: the name must be free. The file is created
// exclusively, so a link standing at the name (planted in a shared folder
// such as the temporary one) is never written through. Throws
// std::runtime_error when something is at the name or writing fails; a
// half-written file is removed.
void SaveNewBmp24(const QImage& image, const std::string& path);

// The supersampling factor of the picture export: a picture k times the
// view in each direction, k the integer part of sqrt(5 500 000 / (W x H)),
// so about 5.5 million pixels at most. A view larger than that (k would be
// 0), or one without a size, gives k = 1: a picture of the view's own size.
int SupersamplingFactor(int viewWidth, int viewHeight);

// A GL context of its own on an off-screen surface, for rendering without a
// window (export, tests, benchmarks). Needs a QGuiApplication.
class TGLOffscreenContext {
public:
    TGLOffscreenContext();
    ~TGLOffscreenContext();
    TGLOffscreenContext(const TGLOffscreenContext&) = delete;
    TGLOffscreenContext& operator=(const TGLOffscreenContext&) = delete;

    bool IsValid() const;
    bool MakeCurrent();
    void DoneCurrent();
    uint64_t CacheGroup() const { return fGroup; }
    QOpenGLContext* Context() const { return fContext.get(); }

    // Makes the context current and renders (see RenderSceneToImage).
    QImage Render(const TGLScene& scene, const TGLCamera& camera, int width, int height,
                  const TOffscreenOptions& options);

private:
    std::unique_ptr<QOffscreenSurface> fSurface;
    std::unique_ptr<QOpenGLContext> fContext;
    uint64_t fGroup = 0;
};

} // namespace qv::scene
