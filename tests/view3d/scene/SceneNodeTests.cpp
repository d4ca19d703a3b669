// Node tree, orientation rules, matrices, camera operations and colours:
// no GL context needed.
#include "view3d/scene/GLScene.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qv::scene;

namespace {

void ExpectVec(const TVector3& a, const TVector3& b, float tol = 1e-4f)
{
    EXPECT_NEAR(a.X, b.X, tol);
    EXPECT_NEAR(a.Y, b.Y, tol);
    EXPECT_NEAR(a.Z, b.Z, tol);
}

void ExpectOrthonormal(const TGLBaseSceneObject& n)
{
    EXPECT_NEAR(Length(n.Direction()), 1, 1e-5);
    EXPECT_NEAR(Length(n.Up()), 1, 1e-5);
    EXPECT_NEAR(Dot(n.Direction(), n.Up()), 0, 1e-5);
}

constexpr float kS = 0.70710678f;

} // namespace

TEST(SceneTree, ChildrenInCreationOrderAndFreeingUnlinks)
{
    TGLScene scene;
    auto* root = scene.Objects();
    auto* a = root->AddNewChild<TGLDummyCube>();
    auto* b = CreateAsChild<TGLCube>(root);
    auto* c = root->AddNewChild<TGLCylinder>();
    auto* grandChild = b->AddNewChild<TGLSpaceText>();
    auto grandToken = grandChild->AliveToken();
    ASSERT_EQ(root->Count(), 3);
    EXPECT_EQ(root->Children(0), a);
    EXPECT_EQ(root->Children(1), b);
    EXPECT_EQ(root->Children(2), c);
    EXPECT_EQ(grandChild->Parent(), b);

    delete b; // frees its subtree and leaves the parent
    ASSERT_EQ(root->Count(), 2);
    EXPECT_EQ(root->Children(0), a);
    EXPECT_EQ(root->Children(1), c);
    EXPECT_EQ(*grandToken, nullptr);

    root->DeleteChildren();
    EXPECT_EQ(root->Count(), 0);
}

TEST(SceneTree, CameraTargetFreedLeavesNoDanglingReference)
{
    TGLScene scene;
    auto* target = scene.Objects()->AddNewChild<TGLDummyCube>();
    auto* cam = scene.Objects()->AddNewChild<TGLCamera>();
    cam->SetPosition(3, 0, 0);
    cam->SetDirection(1, 0, 0);
    cam->SetTargetObject(target);
    EXPECT_EQ(cam->TargetObject(), target);
    delete target;
    EXPECT_EQ(cam->TargetObject(), nullptr);
    // Without a target the camera looks along its Direction.
    ExpectVec(cam->ViewDirection(), {1, 0, 0});
}

TEST(SceneNode, DefaultsAndLocalMatrix)
{
    TGLCube n;
    ExpectVec(n.Position(), {0, 0, 0});
    ExpectVec(n.Direction(), {0, 0, 1});
    ExpectVec(n.Up(), {0, 1, 0});
    ExpectVec(n.Scale(), {1, 1, 1});
    EXPECT_TRUE(n.Visible);
    EXPECT_TRUE(n.Pickable);
    EXPECT_FALSE(n.ShowAxes);
    EXPECT_EQ(n.Tag, 0);
    EXPECT_EQ(n.TagFloat, 0);

    // Rows of the design: X = (Up x Direction) * Scale.X, Y = Up * Scale.Y,
    // Z = Direction * Scale.Z, translation Position.
    n.SetDirection(1, 0, 0);
    n.SetUp(0, 0, 1);
    n.SetScale(2, 3, 4);
    n.SetPosition(5, 6, 7);
    const TMatrix4 m = n.LocalMatrix();
    ExpectVec(m.Column(0), Cross(TVector3{0, 0, 1}, TVector3{1, 0, 0}) * 2);
    ExpectVec(m.Column(1), {0, 0, 3});
    ExpectVec(m.Column(2), {4, 0, 0});
    ExpectVec(m.Translation(), {5, 6, 7});
}

TEST(SceneNode, DirectionComponentSettersKeepAxesOrthonormal)
{
    struct TCase {
        const char* name;
        TVector3 startDir;
        int index;
        float value;
        TVector3 dir, up;
    };
    const TCase cases[] = {
        // Turning Direction in the YZ plane drags Up along.
        {"tilt", {0, 0, 1}, 1, 1, {0, kS, kS}, {0, kS, -kS}},
        // Direction onto Up: R = (0,0,1) x Up gives (-1,0,0), Up = R x D.
        {"onto up", {0, 1, 0}, 2, 0, {0, 1, 0}, {0, 0, -1}},
        // The vector vanishes: it becomes (0, 0, 1).
        {"vanish", {1, 0, 0}, 0, 0, {0, 0, 1}, {0, 1, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TGLDummyCube n;
        n.SetDirection(c.startDir);
        n.SetDirection(c.index, c.value);
        ExpectVec(n.Direction(), c.dir);
        ExpectVec(n.Up(), c.up);
        ExpectOrthonormal(n);
    }
}

TEST(SceneNode, DirectionZeroedComponentByComponentBecomesZAxis)
{
    TGLDummyCube n;
    n.SetDirection(TVector3{1, 1, 1});
    n.SetDirection(0, 0);
    ExpectVec(n.Direction(), {0, kS, kS});
    n.SetDirection(1, 0);
    ExpectVec(n.Direction(), {0, 0, 1});
    n.SetDirection(2, 0); // would vanish here
    ExpectVec(n.Direction(), {0, 0, 1});
    ExpectOrthonormal(n);
}

TEST(SceneNode, UpSetterRecomputesDirection)
{
    TGLDummyCube n;
    n.SetUp(0, 0, 1); // Up onto Direction: R falls back to (1,0,0) x Up
    ExpectVec(n.Up(), {0, 0, 1});
    ExpectVec(n.Direction(), {1, 0, 0});
    n.SetUp(TVector3{0, 0, 0}); // a zero Up becomes (0, 1, 0)
    ExpectVec(n.Up(), {0, 1, 0});
    ExpectOrthonormal(n);
}

TEST(SceneNode, RollAndPitchSetters)
{
    // Absolute roll turns Up about Direction by the change, right-handed.
    TGLDummyCube n;
    n.SetRollAngle(90);
    ExpectVec(n.Up(), {-1, 0, 0});
    n.SetRollAngle(90); // unchanged: nothing happens
    ExpectVec(n.Up(), {-1, 0, 0});
    n.SetRollAngle(0);
    ExpectVec(n.Up(), {0, 1, 0});
    EXPECT_EQ(n.RollAngle(), 0);

    // Relative roll turns the other way.
    n.Roll(90);
    ExpectVec(n.Up(), {1, 0, 0});
    n.ResetRotations();

    // Absolute pitch turns both about Direction x Up = -X, right-handed.
    n.SetPitchAngle(90);
    ExpectVec(n.Direction(), {0, 1, 0});
    ExpectVec(n.Up(), {0, 0, -1});
    EXPECT_EQ(n.PitchAngle(), 90);
    n.ResetRotations();
    n.Pitch(90);
    ExpectVec(n.Direction(), {0, 1, 0});
    ExpectVec(n.Up(), {0, 0, -1});
}

TEST(SceneNode, ResetAndPitchTurnRoll)
{
    struct TCase {
        float pitch, turn, roll;
        TVector3 x, y, z;
    };
    const TCase cases[] = {
        // The start view of the model: Z up on screen, X and Y towards the viewer.
        {0, -45, 45, {0.5f, -kS, -0.5f}, {0.5f, kS, -0.5f}, {kS, 0, kS}},
        // A positive turn is clockwise about Up: Z swings to -X.
        {0, 90, 0, {0, 0, 1}, {0, 1, 0}, {-1, 0, 0}},
        // A positive pitch is clockwise about Direction x Up (= -X): Z swings to -Y.
        {90, 0, 0, {1, 0, 0}, {0, 0, 1}, {0, -1, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pitch << " " << c.turn << " " << c.roll);
        TGLDummyCube n;
        n.SetPosition(1, 2, 3);
        n.SetScale(2, 2, 2);
        n.ResetAndPitchTurnRoll(c.pitch, c.turn, c.roll);
        ExpectVec(n.LeftVector(), c.x);
        ExpectVec(n.Up(), c.y);
        ExpectVec(n.Direction(), c.z);
        ExpectVec(n.Position(), {1, 2, 3});
        ExpectVec(n.Scale(), {2, 2, 2});
    }
}

TEST(SceneNode, RotateAbsoluteIsClockwiseAboutTheWorldAxis)
{
    TGLScene scene;
    auto* parent = scene.Objects()->AddNewChild<TGLDummyCube>();
    parent->ResetAndPitchTurnRoll(0, 90, 0); // parent's Z is world -X
    auto* n = parent->AddNewChild<TGLDummyCube>();
    n->SetPosition(0, 0, 1);
    const TVector3 posBefore = n->AbsolutePosition();

    n->RotateAbsolute({0, 1, 0}, 0); // nothing for angle 0
    ExpectVec(n->AbsoluteDirection(), {-1, 0, 0});

    // Clockwise by 90 about world +Y (seen from above) takes -X to -Z.
    n->RotateAbsolute({0, 1, 0}, 90);
    ExpectVec(n->AbsoluteDirection(), {0, 0, -1});
    ExpectVec(n->AbsoluteUp(), {0, 1, 0});
    ExpectVec(n->AbsolutePosition(), posBefore);
}

TEST(SceneNode, AbsoluteMatrixAndPosition)
{
    TGLScene scene;
    auto* a = scene.Objects()->AddNewChild<TGLDummyCube>();
    a->SetPosition(1, 0, 0);
    a->SetScale(2, 2, 2);
    a->ResetAndPitchTurnRoll(0, -90, 0); // local Z is world +X
    auto* b = a->AddNewChild<TGLDummyCube>();
    b->SetPosition(0, 0, 1);
    // b sits 1 unit along a's Z, scaled by 2: world (1 + 2, 0, 0).
    ExpectVec(b->AbsolutePosition(), {3, 0, 0});
    ExpectVec(b->AbsoluteMatrix().TransformPoint({0, 1, 0}), {3, 2, 0});

    b->SetAbsolutePosition({1, 4, 0});
    ExpectVec(b->AbsolutePosition(), {1, 4, 0});
    ExpectVec(b->Position(), {0, 2, 0});
}

TEST(SceneCamera, DistanceAdjustAndScreenVectors)
{
    TGLScene scene;
    auto* target = scene.Objects()->AddNewChild<TGLDummyCube>();
    auto* cam = scene.Objects()->AddNewChild<TGLCamera>();
    cam->SetPosition(10, 0, 0);
    cam->SetDirection(1, 0, 0);
    cam->SetUp(0, 0, 1);
    cam->SetTargetObject(target);

    EXPECT_NEAR(cam->DistanceToTarget(), 10, 1e-5);
    cam->AdjustDistanceToTarget(1.1f);
    EXPECT_NEAR(cam->DistanceToTarget(), 11, 1e-4);
    ExpectVec(cam->Position(), {11, 0, 0});

    // Looking at the origin from +X with up +Z, right is +Y.
    ExpectVec(cam->ViewDirection(), {-1, 0, 0});
    ExpectVec(cam->ViewUp(), {0, 0, 1});
    ExpectVec(cam->ViewRight(), {0, 1, 0});
    ExpectVec(cam->ScreenDeltaToVectorXY(-3, 2, 0.5f), {0, -1.5f, 1});

    // The view matrix puts the target straight ahead.
    ExpectVec(cam->ViewMatrix().TransformPoint({0, 0, 0}), {0, 0, -11});
}

TEST(SceneCamera, RotateObjectTurnsTheNearSideAsTheUserSeesIt)
{
    TGLScene scene;
    auto* target = scene.Objects()->AddNewChild<TGLDummyCube>();
    auto* cam = scene.Objects()->AddNewChild<TGLCamera>();
    cam->SetPosition(10, 0, 0);
    cam->SetDirection(1, 0, 0);
    cam->SetUp(0, 0, 1);
    cam->SetTargetObject(target);
    auto* obj = scene.Objects()->AddNewChild<TGLDummyCube>();
    obj->SetPosition(0.5f, 0.25f, 0);
    obj->SetScale(3, 3, 3);
    const TVector3 nearSide{1, 0, 0}; // the side facing the camera

    // A positive turn moves the near side to the left (-Y on screen).
    cam->RotateObject(obj, 0, 30);
    TVector3 p = obj->AbsoluteMatrix().TransformVector(nearSide);
    EXPECT_LT(p.Y, -0.1f);
    EXPECT_NEAR(p.Z, 0, 1e-4);

    // A positive pitch moves it up.
    obj->ResetRotations();
    cam->RotateObject(obj, 30, 0);
    p = obj->AbsoluteMatrix().TransformVector(nearSide);
    EXPECT_GT(p.Z, 0.1f);
    EXPECT_NEAR(p.Y, 0, 1e-4);

    ExpectVec(obj->Position(), {0.5f, 0.25f, 0});
    ExpectVec(obj->Scale(), {3, 3, 3});
}

TEST(SceneColour, WindowsColourBecomesRgbaFloats)
{
    const TColorVector yellow = ConvertWinColor(0x0000FFFF);
    EXPECT_FLOAT_EQ(yellow[0], 1);
    EXPECT_FLOAT_EQ(yellow[1], 1);
    EXPECT_FLOAT_EQ(yellow[2], 0);
    EXPECT_FLOAT_EQ(yellow[3], 1);
    const TColorVector mixed = ConvertWinColor(0x00336699, 0.4f);
    EXPECT_FLOAT_EQ(mixed[0], 0x99 / 255.0f);
    EXPECT_FLOAT_EQ(mixed[1], 0x66 / 255.0f);
    EXPECT_FLOAT_EQ(mixed[2], 0x33 / 255.0f);
    EXPECT_FLOAT_EQ(mixed[3], 0.4f);
    // A system colour (button face) resolves to its RGB value first.
    EXPECT_EQ(ResolveSystemColor(qv::TColor(0x8000000F)), 0x00F0F0F0);
    EXPECT_EQ(ResolveSystemColor(qv::TColor(0x80000005)), 0x00FFFFFF);
}
