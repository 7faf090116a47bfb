#pragma once
// Sends a ConfigNotice: a UDP socket bound to port 5998 (address reuse on),
// seven copies 20 ms apart to 227.1.1.6:5998, then closed. The stamp rule is
// the caller's: the student-side programs stamp the previous draw, the
// teacher station a fresh one.

#ifdef _WIN32

#include "common/ConfigNotice.h"

namespace kq {

// Stamps `notice` (offset 362) and sends it. Returns the result of the last
// send (the bytes sent, or SOCKET_ERROR), or -1 when the socket could not be
// made or bound.
//
// With an adapter address (kq::ReadAdapterAddress's text), the socket first
// joins 227.1.1.6 on that adapter (a refusal is ignored) and, unless it is
// "0.0.0.0", sends through it; without one the system chooses.
int SendConfigNotice(ConfigNotice& notice, StampRule rule, const char* adapter = nullptr);

} // namespace kq

#endif
