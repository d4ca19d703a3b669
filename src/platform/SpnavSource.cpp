#include "platform/SpnavSource.h"

#include <cerrno>
#include <string>
#include <sys/socket.h>

#include <spnav.h> // last: it brings Xlib and its macros

namespace qv {
namespace {

class TSpnavSource final : public I3DMouseSource {
public:
    ~TSpnavSource() override { Disconnect(); }

    int Connect() override
    {
        Disconnect();
        if (spnav_open() == -1) return -1;
        fOpen = true;
        fProtocol = spnav_protocol();
        return 0;
    }

    std::string Revision() const override { return fOpen && fProtocol >= 0 ? std::to_string(fProtocol) : std::string(); }

    int ButtonCount() const override
    {
        // Older services cannot be asked; libspnav then answers a made-up 2.
        return fOpen && fProtocol >= 1 ? spnav_dev_buttons() : 0;
    }

    bool Drain(std::vector<T3DMouseEvent>& Events, std::size_t MaxEvents) override
    {
        // libspnav aborts the process when polled without a connection.
        if (!fOpen) return false;
        for (std::size_t n = 0; n < MaxEvents; ++n) {
            spnav_event e;
            const int type = spnav_poll_event(&e);
            if (type == 0) break;
            if (type == SPNAV_EVENT_MOTION) {
                Events.push_back(T3DMouseEvent::MakeMotion(
                    {e.motion.x, e.motion.y, e.motion.z, e.motion.rx, e.motion.ry, e.motion.rz, e.motion.period}));
            } else if (type == SPNAV_EVENT_BUTTON) {
                Events.push_back(T3DMouseEvent::MakeButton(e.button.bnum, e.button.press != 0));
            }
            // Device and configuration changes are of no interest here.
        }
        return StillConnected();
    }

    void Disconnect() override
    {
        if (!fOpen) return;
        spnav_close();
        fOpen = false;
        fProtocol = -1;
    }

private:
    // The socket is alive when it has data waiting or would block; an end
    // of data (the service closed it) or any other error means it is gone.
    static bool StillConnected()
    {
        const int fd = spnav_fd();
        if (fd < 0) return false;
        char byte;
        const ssize_t n = recv(fd, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
        if (n > 0) return true;
        if (n == 0) return false;
        return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
    }

    bool fOpen = false;
    int fProtocol = -1;
};

} // namespace

std::unique_ptr<I3DMouseSource> NewSpnavSource() { return std::make_unique<TSpnavSource>(); }

} // namespace qv
