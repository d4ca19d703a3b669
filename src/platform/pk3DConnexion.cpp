#include "platform/pk3DConnexion.h"

#include <algorithm>
#include <cmath>

namespace qv {

TRotation3D RotationOfMotion(const T3DMouseMotion& M)
{
    // A turn is an axial vector: mirroring z flips the other two components.
    const double x = -M.RX * k3DMouseRotationScale;
    const double y = -M.RY * k3DMouseRotationScale;
    const double z = M.RZ * k3DMouseRotationScale;
    const double angle = std::sqrt(x * x + y * y + z * z);
    if (angle == 0) return {};
    return {x / angle, y / angle, z / angle, angle};
}

TTranslation3D TranslationOfMotion(const T3DMouseMotion& M)
{
    const double x = M.X * k3DMouseTranslationScale;
    const double y = M.Y * k3DMouseTranslationScale;
    const double z = -M.Z * k3DMouseTranslationScale;
    return {x, y, z, std::sqrt(x * x + y * y + z * z)};
}

T3DConnexionDevice::T3DConnexionDevice(std::unique_ptr<I3DMouseSource> Source) : fSource(std::move(Source))
{
    if (!fSource) return;
    FLastResult = fSource->Connect();
    if (FLastResult < 0) return;
    FRevisionNumber = fSource->Revision();
    FKeyStates.assign(size_t(std::clamp(fSource->ButtonCount(), 0, k3DMouseMaxButtons)), false);
    FLoaded = true;
}

T3DConnexionDevice::~T3DConnexionDevice()
{
    if (FLoaded) fSource->Disconnect();
}

void T3DConnexionDevice::DoKeyChange(int KeyIndex, bool Pressed)
{
    if (FOnKeyChange) FOnKeyChange(KeyIndex, Pressed);
    if (Pressed) {
        if (FOnKeyDown) FOnKeyDown(KeyIndex);
    } else {
        if (FOnKeyUp) FOnKeyUp(KeyIndex);
    }
}

void T3DConnexionDevice::DoRotation(double X, double Y, double Z, double Angle)
{
    if (FOnRotation) FOnRotation(X, Y, Z, Angle);
}

void T3DConnexionDevice::HandleRotation(const TRotation3D& Rotation)
{
    DoRotation(Rotation.X, Rotation.Y, Rotation.Z, Rotation.Angle);
}

void T3DConnexionDevice::DoTranslation(double X, double Y, double Z, double Length)
{
    if (FOnTranslation) FOnTranslation(X, Y, Z, Length);
}

void T3DConnexionDevice::HandleTranslation(const TTranslation3D& Translation)
{
    DoTranslation(Translation.X, Translation.Y, Translation.Z, Translation.Length);
}

void T3DConnexionDevice::KeyEvent(int Button, bool Pressed)
{
    if (Button < 0 || Button >= k3DMouseMaxButtons) return;
    const size_t i = size_t(Button);
    if (i >= FKeyStates.size()) FKeyStates.resize(i + 1, false);
    // A repeated report of the state already seen (or a release of a button
    // pressed before the connection) changes nothing.
    if (FKeyStates[i] == Pressed) return;
    FKeyStates[i] = Pressed;
    try {
        DoKeyChange(Button, Pressed);
    } catch (...) {
        // One button's failing handler must not stop the others.
    }
}

void T3DConnexionDevice::Poll()
{
    if (!FLoaded) return;
    fEvents.clear();
    const bool connected = fSource->Drain(fEvents, k3DMouseMaxEventsPerPoll);
    if (!connected) {
        // Unloaded before any handler runs, so that polling stops even when
        // one of them fails; what was read before the loss is still reported.
        FLoaded = false;
        fSource->Disconnect();
    }
    for (const T3DMouseEvent& e : fEvents)
        if (e.Kind == T3DMouseEvent::TKind::Motion) fMotion = e.Motion;

    HandleRotation(RotationOfMotion(fMotion));
    HandleTranslation(TranslationOfMotion(fMotion));
    for (const T3DMouseEvent& e : fEvents)
        if (e.Kind == T3DMouseEvent::TKind::Button) KeyEvent(e.Button, e.Pressed);

    if (!connected) {
        fMotion = {};
        if (FOnConnectionLost) FOnConnectionLost();
    }
}

double T3DConnexionDevice::GetSensorPeriod() const { return FLoaded ? double(fMotion.Period) : 0.0; }

} // namespace qv
