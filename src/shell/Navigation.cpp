#include "shell/Navigation.h"

#include "view3d/ManifoldView.h"

#include <algorithm>
#include <cmath>

namespace qv {

using namespace scene;

bool TNavigator::Perspective() const { return fView.GLCamera1()->CameraStyle == csPerspective; }

void TNavigator::AdjustDistance(double Ratio)
{
    TGLCamera* cam = fView.GLCamera1();
    const double d = cam->DistanceToTarget();
    if (!(d > 0) || !std::isfinite(Ratio)) return;
    const double want = std::clamp(d * Ratio, double(kMinCameraDistance), double(kMaxCameraDistance));
    cam->AdjustDistanceToTarget(float(want / d));
}

void TNavigator::SetFocalLength(double FocalLength)
{
    if (!std::isfinite(FocalLength)) return;
    fView.GLCamera1()->FocalLength = float(std::clamp(FocalLength, double(kMinFocalLength), double(kMaxFocalLength)));
}

void TNavigator::Rotate()
{
    fView.GLCamera1()->RotateObject(fView.GLDummyRotation(), float(MouseDeltaY), float(MouseDeltaX), 0);
}

void TNavigator::Pan()
{
    TGLCamera* cam = fView.GLCamera1();
    // Scene units per pixel at the target: the model follows the pointer.
    const double k = cam->DistanceToTarget() * (Perspective() ? 0.12 : 0.006) / cam->FocalLength;
    TGLDummyCube* root = fView.GLDummyCube1();
    TVector3 p = root->AbsolutePosition();
    p.Y += float(-MouseDeltaX * k);
    p.Z += float(MouseDeltaY * k);
    root->SetAbsolutePosition(p);
}

void TNavigator::Zoom(int Y)
{
    if (Perspective()) {
        // MouseDownY still holds the previous pointer Y: down zooms out.
        if (MouseDownY != 0) AdjustDistance(double(Y) / MouseDownY);
    } else {
        SetFocalLength(fView.GLCamera1()->FocalLength + MouseDeltaY);
    }
}

void TNavigator::MouseDown(int X, int Y)
{
    MouseDownX = X;
    MouseDownY = Y;
}

void TNavigator::MouseMove(int X, int Y, const TShiftState& Shift, TViewMode Mode)
{
    if (!Shift.Empty()) {
        MouseDeltaX = MouseDownX - X;
        MouseDeltaY = MouseDownY - Y;
        if (Mode == TViewMode::None) {
            if (Shift.Left) {
                if (Shift.Shift) Pan(); else Rotate();
            } else if (Shift.Right) {
                if (Shift.Shift) Pan(); else Zoom(Y);
            }
        }
    }
    // With a mode checked the left button always does that mode.
    if (Shift.Left) {
        if (Mode == TViewMode::Zoom) Zoom(Y);
        else if (Mode == TViewMode::Rotate) Rotate();
        else if (Mode == TViewMode::Pan) Pan();
    }
    MouseDownX = X;
    MouseDownY = Y;
}

void TNavigator::MouseWheel(int WheelDelta)
{
    if (Perspective()) {
        AdjustDistance(std::pow(1.1, WheelDelta / 120.0));
    } else {
        const float f = fView.GLCamera1()->FocalLength;
        SetFocalLength(float(f * (WheelDelta >= 0 ? 0.9 : 1.1)));
    }
}

void TNavigator::OrbitTick()
{
    fView.GLCamera1()->RotateObject(fView.GLDummyCube1(), float(MouseDeltaY), float(MouseDeltaX), 0);
}

void TNavigator::DeviceRotation(double X, double Y, double Z, double Angle)
{
    // The device's x, y and z act as the world's Y (screen right), Z (up)
    // and X (towards the viewer).
    const TVector3 axis{float(Z), float(X), float(Y)};
    TGLDummyCube* rot = fView.GLDummyRotation();
    if (Length(axis) > 0) rot->RotateAbsolute(Normalized(axis), float(-Angle / 200));
    rot->SetScale(1, 1, 1);
}

void TNavigator::DeviceTranslation(double X, double Y, double Z, double LengthValue)
{
    if (!fView.ManifoldCube()) return;
    TGLDummyCube* root = fView.GLDummyCube1();
    TVector3 p = root->AbsolutePosition();
    const double k = LengthValue / 50000000.0;
    p.Y += float(X * k);
    p.Z += float(Y * k);
    if (std::fabs(Z) > 10) {
        if (Perspective()) AdjustDistance(std::pow(1.1, -Z / 5000));
        else {
            const double f = fView.GLCamera1()->FocalLength;
            SetFocalLength(f + Z * f / 10000);
        }
    }
    root->SetAbsolutePosition(p);
}

void TNavigator::DeviceKey(int KeyIndex, bool Pressed)
{
    if (KeyIndex == 0 && Pressed) {
        fView.GLDummyCube1()->SetAbsolutePosition({0, 0, 0});
    } else if (KeyIndex == 1) {
        TGLDummyCube* rot = fView.GLDummyRotation();
        rot->ResetRotations();
        rot->ResetAndPitchTurnRoll(0, -45, 45);
    }
}

} // namespace qv
