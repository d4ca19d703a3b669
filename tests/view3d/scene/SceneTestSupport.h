#pragma once
// Shared pieces of the scene tests: a GL context of their own and a small
// scene seen head-on, where one picture pixel is a known scene length.
#include "view3d/scene/GLRender.h"
#include "view3d/scene/GLScene.h"

#include <QImage>

class QWidget;

#include <gtest/gtest.h>

namespace qv::scene::test {

// One off-screen context for the whole test program.
TGLOffscreenContext& SharedContext();
// Frees it (before the application object goes).
void ReleaseSharedContext();

// A camera on +Z at distance 10 looking at the origin, up +Y: screen right
// is +X, screen up is +Y. With the focal length 60 one pixel of a picture
// spans 0.02 scene units at the origin.
struct THeadOnScene {
    TGLScene Scene;
    TGLDummyCube* Target;
    TGLCamera* Camera;
    TGLLightSource* Light;
    explicit THeadOnScene(TGLCameraStyle style = csOrthogonal);
    QImage Render(int w = 200, int h = 200, TColor background = 0, int maxTile = 0);
};

// The pixel of a w x h picture where the scene point (x, y, 0) appears.
QPoint PixelOf(float x, float y, int w = 200, int h = 200);

// Saves a picture as NAME.png into the folder named by the environment
// variable QV_SCENE_PICTURES, when set, for looking at it by hand.
void KeepPicture(const QImage& img, const char* name);

struct TRgb {
    int R, G, B;
};
TRgb PixelAt(const QImage& img, QPoint p);
inline bool IsBackground(const TRgb& c, TColor bg)
{
    const TColorVector v = ConvertWinColor(bg);
    return std::abs(c.R - int(v[0] * 255)) <= 2 && std::abs(c.G - int(v[1] * 255)) <= 2 &&
           std::abs(c.B - int(v[2] * 255)) <= 2;
}

// Waits until a shown widget is on the screen (at most 5 s); false when
// it never got there.
bool WaitExposed(QWidget& w);
// Width in pixels of the red run through the middle row.
int RedWidth(const QImage& img);

} // namespace qv::scene::test
