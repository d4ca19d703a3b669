#pragma once
// A 3D-mouse service for tests: a source whose pending events, button count
// and connection the test sets, shared with the test after the device took
// the source over.
#include "platform/pk3DConnexion.h"

#include <deque>
#include <memory>

namespace qv::test {

struct TFake3DMouseState {
    bool Available = true; // Connect succeeds
    int Buttons = 2;       // what ButtonCount answers (0: cannot tell)
    std::string Revision = "1";
    std::deque<T3DMouseEvent> Pending;
    bool Lost = false; // the next Drain reports the connection closed
    int Connects = 0, Disconnects = 0, Drains = 0;

    void Motion(int X, int Y, int Z, int RX, int RY, int RZ, unsigned Period = 8)
    {
        Pending.push_back(T3DMouseEvent::MakeMotion({X, Y, Z, RX, RY, RZ, Period}));
    }
    void Button(int Button, bool Pressed) { Pending.push_back(T3DMouseEvent::MakeButton(Button, Pressed)); }
};

class TFake3DMouse final : public I3DMouseSource {
public:
    explicit TFake3DMouse(std::shared_ptr<TFake3DMouseState> State) : fState(std::move(State)) {}
    int Connect() override;
    std::string Revision() const override { return fState->Revision; }
    int ButtonCount() const override { return fState->Buttons; }
    bool Drain(std::vector<T3DMouseEvent>& Events, std::size_t MaxEvents) override;
    void Disconnect() override { ++fState->Disconnects; }

private:
    std::shared_ptr<TFake3DMouseState> fState;
};

// A device over a fake source with the given state.
std::unique_ptr<T3DConnexionDevice> NewFakeDevice(const std::shared_ptr<TFake3DMouseState>& State);

// Whether a spacenavd answers on this machine (at $SPNAV_SOCKET or the
// standard socket): tests of the case without a service skip then.
bool SpacenavdReachable();

} // namespace qv::test
