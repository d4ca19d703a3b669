#pragma once
// Turning, moving and zooming the model in the 3D view, apart from any
// widget: the mouse rules of the view modes, the wheel, the continuous
// orbit tick and the 3D input device's handlers, all working on the view's
// rotation node, model root and camera.
//
// The camera sits on the +X axis looking at the origin with up +Z, so on
// screen right is +Y and up is +Z. Zooming is bounded so that the view
// never collapses: the camera stays between kMinCameraDistance and
// kMaxCameraDistance scene units from its target (a freshly opened block is
// 5 units long, seen from 10; the far clipping plane is at the camera's
// depth of view, 100, so from 50 the whole block still lies inside it), and
// the orthogonal focal length between kMinFocalLength and kMaxFocalLength
// (200 at start: zoomed out 200 times or in 500 times).
namespace qv {

class TManifoldView;

inline constexpr float kMinCameraDistance = 0.01f;
inline constexpr float kMaxCameraDistance = 50.0f;
inline constexpr float kMinFocalLength = 1.0f;
inline constexpr float kMaxFocalLength = 100000.0f;

// The checked view mode (the three mode actions are exclusive, all may be off).
enum class TViewMode { None, Rotate, Pan, Zoom };

// Buttons and modifier keys held during a mouse event.
struct TShiftState {
    bool Shift = false, Ctrl = false, Alt = false;
    bool Left = false, Right = false, Middle = false;
    bool Empty() const { return !(Shift || Ctrl || Alt || Left || Right || Middle); }
};

class TNavigator {
public:
    explicit TNavigator(TManifoldView& View) : fView(View) {}

    // Last pointer position and last movement (previous minus current: a
    // movement to the left or upwards is positive).
    int MouseDownX = 0, MouseDownY = 0;
    int MouseDeltaX = 0, MouseDeltaY = 0;

    void MouseDown(int X, int Y);
    void MouseMove(int X, int Y, const TShiftState& Shift, TViewMode Mode);
    // WheelDelta in eighths of a degree (120 a notch); positive is away
    // from the user, which zooms out.
    void MouseWheel(int WheelDelta);
    // One step of the continuous orbit: the model root turns by the last
    // mouse movement, in degrees.
    void OrbitTick();

    // The three moves on the current deltas.
    void Rotate();
    void Pan();
    // Y is the current pointer Y (perspective zoom is by Y / previous Y).
    void Zoom(int Y);

    // 3D input device: rotation about the device axis (X, Y, Z) by Angle
    // (1/200 degree units); translation by (X, Y, Z) times Length, Z zooming
    // when |Z| > 10; key 0 recentres, key 1 restores the standard view.
    void DeviceRotation(double X, double Y, double Z, double Angle);
    void DeviceTranslation(double X, double Y, double Z, double Length);
    void DeviceKey(int KeyIndex, bool Pressed);

    // Camera distance times Ratio, or orthogonal focal length set, within
    // the bounds above.
    void AdjustDistance(double Ratio);
    void SetFocalLength(double FocalLength);

private:
    bool Perspective() const;
    TManifoldView& fView;
};

} // namespace qv
