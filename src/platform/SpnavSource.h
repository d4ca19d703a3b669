#pragma once
// The 3D mouse through the Linux service spacenavd (libspnav, its native
// socket protocol). A library of its own, qv_spnav, so that only the shell
// links libspnav; libspnav's header pulls in Xlib and stays inside the
// source file.
#include "platform/pk3DConnexion.h"

#include <memory>

namespace qv {

// A source over libspnav. libspnav keeps one connection per process: use
// one such source at a time.
//
// Connect: returns at once when spacenavd does not run (no socket at
// $SPNAV_SOCKET or /var/run/spnav.sock). Button count: the service's answer
// when it speaks protocol 1 or later, otherwise unknown (0; the device then
// learns the buttons as they report). Drain: reads with spnav_poll_event,
// which never waits, and notices a closed connection itself: libspnav keeps
// a socket that spacenavd has closed and simply reports no events, so after
// the pending events the socket is peeked, and an end of data or a socket
// error means the service is gone.
std::unique_ptr<I3DMouseSource> NewSpnavSource();

} // namespace qv
