// Pictures of built scenes, rendered off screen as opening a file shows
// them. Set QV_SCENE_PICTURES to a folder to keep them for looking.
#include "Drawing3DSupport.h"

#include "scene/SceneTestSupport.h"

#include "testkit/SampleDesigns.h"
#include "view3d/ManifoldView.h"

#include <gtest/gtest.h>

using namespace qv;
using namespace qv::test3d;
using namespace qv::scene;

namespace {

QImage RenderView(TManifoldView& view, int w, int h)
{
    TOffscreenOptions opt;
    opt.Background = ConvertWinColor(0x00FFFFFF);
    return test::SharedContext().Render(view.Scene(), *view.GLCamera1(), w, h, opt);
}

int CountPixels(const QImage& img, bool (*pred)(QRgb))
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += pred(img.pixel(x, y));
    return n;
}

} // namespace

TEST(ViewPicture, ColouredBoreAndTranslucentBlock)
{
    // One red bore drilled from face 6 at the block's centre, seen in the
    // standard view: red in the middle of the picture, the block grey.
    auto doc = NewDesign({100, 100, 100});
    AddGroup(*doc, "P", 0x000000FF);
    AddStep(*AddHole(*doc, 1, 6, 50, 50), 30, 60, 120)->FData.GroupCode = "P";
    TIsometricDrawingSettings s;
    s.fData.IsoFlags.Include(isoManifold);
    s.fData.IsoFlags.Include(isoFilledCylinders);
    TManifoldView view(s);
    view.DocumentLoaded(*doc);
    view.ApplyGroupFilter(true);
    const QImage img = RenderView(view, 400, 400);
    test::KeepPicture(img, "view-one-bore");
    const int red = CountPixels(img, [](QRgb c) { return qRed(c) > 150 && qGreen(c) < 90 && qBlue(c) < 90; });
    const int grey = CountPixels(img, [](QRgb c) {
        return std::abs(qRed(c) - qGreen(c)) < 12 && std::abs(qGreen(c) - qBlue(c)) < 12 && qRed(c) < 235;
    });
    EXPECT_GT(red, 400);
    EXPECT_GT(grey, 4000);
    const QRgb centre = img.pixel(200, 200);
    EXPECT_GT(qRed(centre), qGreen(centre) + 40);
}

TEST(ViewPicture, DemoDesign)
{
    auto doc = samples::DemoDesign();
    TIsometricDrawingSettings s;
    s.fData.IsoFlags.Include(isoManifold);
    TManifoldView view(s);
    view.DocumentLoaded(*doc);
    view.ApplyGroupFilter(true);
    const QImage img = RenderView(view, 1000, 800);
    test::KeepPicture(img, "view-demo");
    // Yellow marks (face numbers, port rings) and the (lit, so darker)
    // cyan hole numbers show.
    EXPECT_GT(CountPixels(img, [](QRgb c) { return qRed(c) > 150 && qGreen(c) > 150 && qBlue(c) < 80; }), 20);
    EXPECT_GT(CountPixels(img, [](QRgb c) {
                  return qGreen(c) > qRed(c) + 50 && qBlue(c) > qRed(c) + 50 && std::abs(qGreen(c) - qBlue(c)) < 40;
              }),
              20);
}

