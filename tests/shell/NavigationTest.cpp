// Navigation on the view of a document: the mouse rules of the view modes,
// the elementary moves in both camera styles, the wheel, the orbit tick,
// the zoom bounds and the 3D device handlers. No window or OpenGL needed.
#include "document/Manifolds.h"
#include "shell/Navigation.h"
#include "view3d/ManifoldView.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qv;
using namespace qv::scene;

namespace {

struct TNav : testing::Test {
    TIsometricDrawingSettings settings;
    TManifold doc;
    std::unique_ptr<TManifoldView> view;
    std::unique_ptr<TNavigator> nav;

    void SetUp() override
    {
        settings.fData.IsoFlags = {};
        settings.fData.IsoFlags.Include(isoManifold);
        settings.fData.IsoFlags.Include(isoPerspective);
        doc.FData.Max = {100, 50, 40};
        view = std::make_unique<TManifoldView>(settings);
        view->DocumentLoaded(doc);
        nav = std::make_unique<TNavigator>(*view);
    }
    void Orthogonal()
    {
        settings.fData.IsoFlags.Exclude(isoPerspective);
        view->ApplyViewFlags();
    }
    TGLCamera& Cam() { return *view->GLCamera1(); }
    // Where the model's near corner direction (rotation node's Z) points.
    TVector3 RotZ() { return view->GLDummyRotation()->AbsoluteDirection(); }
    TVector3 RootPos() { return view->GLDummyCube1()->AbsolutePosition(); }
    void Drag(int x0, int y0, int x1, int y1, TShiftState s, TViewMode mode = TViewMode::None)
    {
        nav->MouseDown(x0, y0);
        nav->MouseMove(x1, y1, s, mode);
    }
};

TShiftState Left(bool shift = false) { TShiftState s; s.Left = true; s.Shift = shift; return s; }
TShiftState Right(bool shift = false) { TShiftState s; s.Right = true; s.Shift = shift; return s; }

bool Near(const TVector3& a, const TVector3& b, float tol = 1e-4f) { return Length(a - b) < tol; }

} // namespace

TEST_F(TNav, ResetViewStandardAxes)
{
    const float h = std::sqrt(0.5f);
    EXPECT_TRUE(Near(view->GLDummyRotation()->LeftVector(), {0.5f, -h, -0.5f}));
    EXPECT_TRUE(Near(view->GLDummyRotation()->Up(), {0.5f, h, -0.5f}));
    EXPECT_TRUE(Near(RotZ(), {h, 0, h}));
    EXPECT_NEAR(Cam().DistanceToTarget(), 10, 1e-5);
}

TEST_F(TNav, LeftDragOfTenPixelsTurnsTenDegreesNearSideLeft)
{
    view->GLDummyRotation()->ResetRotations(); // Z towards the viewer (+X world)
    view->GLDummyRotation()->SetDirection(1, 0, 0);
    view->GLDummyRotation()->SetUp(0, 0, 1);
    Drag(100, 100, 90, 100, Left());
    EXPECT_EQ(nav->MouseDeltaX, 10);
    const TVector3 z = RotZ();
    EXPECT_NEAR(std::atan2(-z.Y, z.X) * 180 / M_PI, 10, 1e-3); // near side moved to screen left (-Y)
    EXPECT_TRUE(Near(RootPos(), {0, 0, 0}));
}

TEST_F(TNav, MouseRulesOfTheModes)
{
    struct Row { const char* what; TShiftState s; TViewMode mode; bool rotates, pans, zooms; };
    TShiftState ctrl; ctrl.Ctrl = true;
    TShiftState middle; middle.Middle = true;
    const Row rows[] = {
        {"left", Left(), TViewMode::None, true, false, false},
        {"shift left", Left(true), TViewMode::None, false, true, false},
        {"right", Right(), TViewMode::None, false, false, true},
        {"shift right", Right(true), TViewMode::None, false, true, false},
        {"middle", middle, TViewMode::None, false, false, false},
        {"ctrl, no button", ctrl, TViewMode::None, false, false, false},
        {"rotate mode, shift left", Left(true), TViewMode::Rotate, true, false, false},
        {"rotate mode, right", Right(), TViewMode::Rotate, false, false, false},
        {"pan mode, left", Left(), TViewMode::Pan, false, true, false},
        {"zoom mode, left", Left(), TViewMode::Zoom, false, false, true},
    };
    for (const Row& r : rows) {
        SetUp();
        const TVector3 z0 = RotZ(), p0 = RootPos();
        const float d0 = Cam().DistanceToTarget();
        Drag(100, 100, 93, 120, r.s, r.mode);
        EXPECT_EQ(!Near(RotZ(), z0), r.rotates) << r.what;
        EXPECT_EQ(!Near(RootPos(), p0), r.pans) << r.what;
        EXPECT_EQ(std::fabs(Cam().DistanceToTarget() - d0) > 1e-4f, r.zooms) << r.what;
        EXPECT_EQ(nav->MouseDeltaX, r.s.Empty() ? 0 : 7) << r.what;
        EXPECT_EQ(nav->MouseDownX, 93) << r.what;
    }
}

TEST_F(TNav, PanFollowsThePointerInBothStyles)
{
    // Perspective: k = distance x 0.12 / focal length.
    Drag(100, 100, 110, 95, Left(true));
    const double k = 10 * 0.12 / 200;
    EXPECT_TRUE(Near(RootPos(), {0, float(10 * k), float(5 * k)}));
    Orthogonal();
    view->GLDummyCube1()->SetAbsolutePosition({0, 0, 0});
    Drag(100, 100, 110, 95, Left(true));
    const double ko = 10 * 0.006 / 200;
    EXPECT_TRUE(Near(RootPos(), {0, float(10 * ko), float(5 * ko)}, 1e-6f));
}

TEST_F(TNav, ZoomByDragWheelAndBounds)
{
    Drag(100, 100, 100, 110, Right()); // moving down zooms out by 110/100
    EXPECT_NEAR(Cam().DistanceToTarget(), 11, 1e-4);
    nav->MouseWheel(120); // one notch away from the user
    EXPECT_NEAR(Cam().DistanceToTarget(), 12.1, 1e-4);
    nav->MouseWheel(-240);
    EXPECT_NEAR(Cam().DistanceToTarget(), 10, 1e-4);
    // The pointer at the top edge would give the ratio 0.
    Drag(100, 100, 100, 0, Right());
    EXPECT_NEAR(Cam().DistanceToTarget(), kMinCameraDistance, 1e-5);
    for (int i = 0; i < 200; ++i) nav->MouseWheel(120);
    EXPECT_NEAR(Cam().DistanceToTarget(), kMaxCameraDistance, 1e-3);

    Orthogonal();
    nav->MouseWheel(120);
    EXPECT_FLOAT_EQ(Cam().FocalLength, 180);
    nav->MouseWheel(-120);
    EXPECT_FLOAT_EQ(Cam().FocalLength, 198);
    Drag(100, 100, 100, 90, Right()); // up zooms in: focal length + 10
    EXPECT_FLOAT_EQ(Cam().FocalLength, 208);
    Drag(100, 1000, 100, 0, Right()); // a long upward drag
    Drag(100, 0, 100, 5000, Right()); // and a long downward one
    EXPECT_FLOAT_EQ(Cam().FocalLength, kMinFocalLength);
    for (int i = 0; i < 200; ++i) nav->MouseWheel(-120);
    EXPECT_FLOAT_EQ(Cam().FocalLength, kMaxFocalLength);
}

TEST_F(TNav, OrbitTickTurnsTheModelRootByTheLastDelta)
{
    const TVector3 d0 = view->GLDummyCube1()->AbsoluteDirection();
    nav->OrbitTick();
    EXPECT_TRUE(Near(view->GLDummyCube1()->AbsoluteDirection(), d0)); // no drag yet: no movement
    TShiftState ctrl;
    ctrl.Ctrl = true;
    const TVector3 z0 = RotZ();
    Drag(100, 100, 97, 100, ctrl); // deltas only
    EXPECT_TRUE(Near(RotZ(), z0));
    const TVector3 rot0 = RotZ();
    nav->OrbitTick();
    EXPECT_FALSE(Near(view->GLDummyCube1()->AbsoluteDirection(), d0));
    EXPECT_TRUE(Near(RotZ(), rot0)); // the rotation node stays
}

TEST_F(TNav, DeviceHandlers)
{
    // Rotation about the device's y axis (world Z) by 200 units: one degree.
    view->GLDummyRotation()->ResetRotations();
    view->GLDummyRotation()->SetDirection(1, 0, 0);
    view->GLDummyRotation()->SetUp(0, 0, 1);
    view->GLDummyRotation()->SetScale(2, 2, 2);
    nav->DeviceRotation(0, 1, 0, 2000); // 10 degrees right-handed about +Z
    const TVector3 z = RotZ();
    EXPECT_NEAR(std::atan2(z.Y, z.X) * 180 / M_PI, 10, 1e-3);
    EXPECT_TRUE(Near(view->GLDummyRotation()->Scale(), {1, 1, 1}));

    // Translation: sideways and up only while |Z| <= 10.
    nav->DeviceTranslation(1000, 500, 10, 50000000);
    EXPECT_TRUE(Near(RootPos(), {0, 1000, 500}, 1e-2f));
    EXPECT_NEAR(Cam().DistanceToTarget(), 10, 1e-4);
    nav->DeviceTranslation(0, 0, 5000, 0);
    EXPECT_NEAR(Cam().DistanceToTarget(), 10 / 1.1, 1e-4);
    Orthogonal();
    nav->DeviceTranslation(0, 0, 1000, 0);
    EXPECT_FLOAT_EQ(Cam().FocalLength, 220);

    // Key 0 recentres, key 1 (pressed or released) restores the standard turn.
    nav->DeviceKey(0, true);
    EXPECT_TRUE(Near(RootPos(), {0, 0, 0}));
    nav->DeviceKey(1, false);
    const float h = std::sqrt(0.5f);
    EXPECT_TRUE(Near(RotZ(), {h, 0, h}));

    // Without a block nothing moves.
    view->DocumentClosed();
    nav->DeviceTranslation(1000, 1000, 1000, 50000000);
    EXPECT_TRUE(Near(RootPos(), {0, 0, 0}));
}
