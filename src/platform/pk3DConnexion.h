#pragma once
// The six-axis 3D mouse (a puck that is pushed, pulled and twisted, and a
// few buttons). The window polls it every 10 ms; each poll reports the
// puck's current rotation and translation (zeros at rest) and every button
// that went down or up since the last poll.
//
// Where the data comes from is an I3DMouseSource: on Linux the spacenavd
// service through libspnav (platform/SpnavSource.h, a library of its own),
// in tests a fake. This class holds the key states and turns the service's
// raw counts into the values the view's handlers expect.
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qv {

// The puck's deflection as spacenavd reports it: device counts in
// spacenavd's left-handed frame (x right, y up, z away from the user),
// roughly -350..350 at full deflection with the service's default
// sensitivity. Period: milliseconds since the previous motion report.
struct T3DMouseMotion {
    int X = 0, Y = 0, Z = 0;
    int RX = 0, RY = 0, RZ = 0;
    unsigned Period = 0;
};

// One event of the service: a motion report or a button going down or up
// (Button counted from 0).
struct T3DMouseEvent {
    enum class TKind { Motion, Button };
    TKind Kind = TKind::Motion;
    T3DMouseMotion Motion;
    int Button = 0;
    bool Pressed = false;

    static T3DMouseEvent MakeMotion(const T3DMouseMotion& M) { return {TKind::Motion, M, 0, false}; }
    static T3DMouseEvent MakeButton(int Button, bool Pressed) { return {TKind::Button, {}, Button, Pressed}; }
};

// The connection to a 3D-mouse service.
class I3DMouseSource {
public:
    virtual ~I3DMouseSource() = default;
    // Connects; 0 on success, a negative result when there is no service.
    // Returns at once when no service runs.
    virtual int Connect() = 0;
    // The service's protocol version as text, empty when it gives none.
    virtual std::string Revision() const = 0;
    // Buttons of the device, 0 when the service cannot tell.
    virtual int ButtonCount() const = 0;
    // Appends the pending events in the order they happened, at most
    // MaxEvents, without waiting. Returns false when the connection is lost
    // (the events appended before still count).
    virtual bool Drain(std::vector<T3DMouseEvent>& Events, std::size_t MaxEvents) = 0;
    virtual void Disconnect() = 0;
};

// The values the view's handlers take. Rotation: the turning axis (unit
// vector, or zeros at rest) and the angle; translation: the vector and its
// length. Both in the right-handed device frame the handlers are written
// for: x right, y up, z towards the user.
struct TRotation3D {
    double X = 0, Y = 0, Z = 0, Angle = 0;
};
struct TTranslation3D {
    double X = 0, Y = 0, Z = 0, Length = 0;
};

// Scale from spacenavd's counts to the handlers' units. The handlers turn
// the model by Angle / 200 degrees per poll and move it by X x Length /
// 50 000 000 scene units per poll (a fresh block is 5 units long). With
// these factors full deflection (about 350 counts) turns the model by about
// 1.75 degrees a poll, 175 degrees a second, and moves it by about 0.022
// units a poll, half the block a second; a light touch moves it slowly
// since the move grows with the square of the push.
inline constexpr double k3DMouseRotationScale = 1.0;
inline constexpr double k3DMouseTranslationScale = 3.0;
// Buttons beyond this number are ignored (no device has more than a few
// dozen); the key states never grow past it.
inline constexpr int k3DMouseMaxButtons = 64;
// Events read in one poll at most; the rest wait for the next poll, so a
// flooding service cannot hold the window.
inline constexpr std::size_t k3DMouseMaxEventsPerPoll = 1024;

// spacenavd's left-handed frame turned into the handlers' right-handed one
// (z flipped: translation z and rotation x and y change sign), scaled.
TRotation3D RotationOfMotion(const T3DMouseMotion& M);
TTranslation3D TranslationOfMotion(const T3DMouseMotion& M);

class T3DConnexionDevice {
public:
    using TOnRotation = std::function<void(double X, double Y, double Z, double Angle)>;
    using TOnTranslation = std::function<void(double X, double Y, double Z, double Length)>;
    using TOnKeyChange = std::function<void(int KeyIndex, bool Pressed)>;
    using TOnKeySomething = std::function<void(int KeyIndex)>;
    using TOnConnectionLost = std::function<void()>;

    // Connects through Source. Without a service the device stays unloaded
    // (FLoaded false), says nothing and is never polled.
    explicit T3DConnexionDevice(std::unique_ptr<I3DMouseSource> Source);
    virtual ~T3DConnexionDevice();
    T3DConnexionDevice(const T3DConnexionDevice&) = delete;
    T3DConnexionDevice& operator=(const T3DConnexionDevice&) = delete;

    // Connected and usable.
    bool FLoaded = false;
    // Result of the last connection attempt (0 connected, negative failed).
    int FLastResult = 0;
    // The service's protocol version, empty when unknown.
    std::string FRevisionNumber;
    // One entry per button, down as last seen. Starts with the service's
    // button count, or empty when it cannot tell, and grows when a higher
    // button reports (up to k3DMouseMaxButtons).
    std::vector<bool> FKeyStates;

    // Unassigned events are skipped.
    TOnRotation FOnRotation;
    TOnTranslation FOnTranslation;
    TOnKeyChange FOnKeyChange;
    TOnKeySomething FOnKeyDown;
    TOnKeySomething FOnKeyUp;
    // Called once when the service closes the connection; polling then
    // stops (FLoaded false).
    TOnConnectionLost FOnConnectionLost;

    // Fires FOnKeyChange, then FOnKeyDown or FOnKeyUp.
    virtual void DoKeyChange(int KeyIndex, bool Pressed);
    virtual void DoRotation(double X, double Y, double Z, double Angle);
    virtual void HandleRotation(const TRotation3D& Rotation);
    virtual void DoTranslation(double X, double Y, double Z, double Length);
    virtual void HandleTranslation(const TTranslation3D& Translation);

    // One poll: reads every pending event without waiting; reports the
    // rotation and translation of the latest motion (spacenavd sends the
    // current deflection, not steps, and a zero report when the puck is let
    // go), then each button change in the order they happened, so a press
    // and release between two polls still give both. An error in a button's
    // handlers is swallowed and the next change goes on. Does nothing when
    // not loaded.
    void Poll();
    // Milliseconds between the service's last two motion reports, 0 when
    // not loaded or before the first report.
    double GetSensorPeriod() const;

private:
    void KeyEvent(int Button, bool Pressed);

    std::unique_ptr<I3DMouseSource> fSource;
    T3DMouseMotion fMotion;
    std::vector<T3DMouseEvent> fEvents; // reused from poll to poll
};

} // namespace qv
