#pragma once
// The texts the channel receiver shows when a socket option is refused, by
// Windows Sockets error code.

namespace kq {

// The text for `code`, or null when there is none.
const char* SocketOptionErrorText(int code);

} // namespace kq
