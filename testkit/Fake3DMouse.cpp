#include "testkit/Fake3DMouse.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace qv::test {

int TFake3DMouse::Connect()
{
    ++fState->Connects;
    return fState->Available ? 0 : -1;
}

bool TFake3DMouse::Drain(std::vector<T3DMouseEvent>& Events, std::size_t MaxEvents)
{
    ++fState->Drains;
    for (std::size_t n = 0; n < MaxEvents && !fState->Pending.empty(); ++n) {
        Events.push_back(fState->Pending.front());
        fState->Pending.pop_front();
    }
    return !fState->Lost;
}

std::unique_ptr<T3DConnexionDevice> NewFakeDevice(const std::shared_ptr<TFake3DMouseState>& State)
{
    return std::make_unique<T3DConnexionDevice>(std::make_unique<TFake3DMouse>(State));
}

namespace {

bool Answers(const std::string& Path)
{
    sockaddr_un addr{};
    if (Path.empty() || Path.size() >= sizeof addr.sun_path) return false;
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, Path.c_str(), Path.size());
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0) return false;
    const bool ok = connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
    close(fd);
    return ok;
}

} // namespace

bool SpacenavdReachable()
{
    const char* env = std::getenv("SPNAV_SOCKET");
    return (env && Answers(env)) || Answers("/var/run/spnav.sock");
}

} // namespace qv::test
