// The demo design's block outline drawn by the renderer: seen straight
// along the scene's Z axis, the chamfer shows as a diagonal across the cut
// corner, the corner itself is gone, and the step's inner edge is drawn.
// With QV_SCENE_PICTURES set, the pictures (this view and an oblique one
// with the translucent block) are kept there for looking at.
#include "view3d/BlockOutline.h"
#include "view3d/CutOutLists.Helpers.h"

#include "document/Manifolds.h"
#include "testkit/SampleDesigns.h"
#include "view3d/scene/GLScene.h"

#include "scene/SceneTestSupport.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using scene::test::PixelAt;
using scene::test::PixelOf;

constexpr int W = 400, H = 400;
constexpr TColor White = 0x00FFFFFF;

// Is any pixel within two of the scene point (x, y) drawn over the
// background?
bool InkNear(const QImage& img, float x, float y)
{
    const QPoint c = PixelOf(x, y, W, H);
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const auto p = PixelAt(img, c + QPoint(dx, dy));
            if (p.R < 250 || p.G < 250 || p.B < 250)
                return true;
        }
    return false;
}

TEST(CutOutOutlinePicture, DemoChamferAndStepSeenAlongZ)
{
    const auto demo = samples::DemoDesign();
    const TXYZPoint max = demo->Max(); // 160 x 120 x 90
    const double sc = 5.0 / max.X;
    blockgeometry::TBlockGeometry geometry;
    const TSimpleXYZLineList lines = TCutOutListHelper::CreateOutlineLines(geometry, max, demo->CutOutList());

    scene::test::THeadOnScene view(scene::csOrthogonal);
    AddBlockOutline(*view.Scene.Objects(), lines, max, sc);
    const QImage img = view.Render(W, H, White);
    scene::test::KeepPicture(img, "demo-outline-along-z");

    // The scene point of a model point, seen along Z.
    auto sx = [&](double x) { return static_cast<float>(sc * (max.X / 2 - x)); };
    auto sy = [&](double y) { return static_cast<float>(sc * (max.Y / 2 - y)); };
    // The chamfer across the corner X = 0, Y = 120 (12 x 12).
    EXPECT_TRUE(InkNear(img, sx(6), sy(114)));
    EXPECT_FALSE(InkNear(img, sx(0), sy(120))) << "the chamfered corner is cut away";
    EXPECT_FALSE(InkNear(img, sx(0), sy(117)));
    // The step at X = 144..160, Y = 0..10: its inner edges.
    EXPECT_TRUE(InkNear(img, sx(152), sy(10)));
    EXPECT_TRUE(InkNear(img, sx(144), sy(5)));
    // The untouched block edges, and nothing in the middle of the block.
    EXPECT_TRUE(InkNear(img, sx(80), sy(0)));
    EXPECT_TRUE(InkNear(img, sx(160), sy(60)));
    EXPECT_FALSE(InkNear(img, sx(80), sy(60)));

    // An oblique look with the translucent block, only to be looked at.
    scene::test::THeadOnScene oblique(scene::csPerspective);
    auto* cube = oblique.Scene.Objects()->AddNewChild<scene::TGLCube>();
    cube->SetCubeWidth(static_cast<float>(sc * max.X));
    cube->SetCubeHeight(static_cast<float>(sc * max.Y));
    cube->SetCubeDepth(static_cast<float>(sc * max.Z));
    cube->GetMaterial().BlendingMode = scene::bmTransparency;
    cube->GetMaterial().FrontProperties.Diffuse[3] = 0.4f;
    cube->GetMaterial().BackProperties.Diffuse[3] = 0.4f;
    AddBlockOutline(*oblique.Scene.Objects(), lines, max, sc);
    oblique.Camera->SetPosition(6, 5, 8);
    oblique.Light->SetPosition(6, 5, 8);
    scene::test::KeepPicture(oblique.Render(W, H, White), "demo-outline-oblique");
}

} // namespace
} // namespace qv
