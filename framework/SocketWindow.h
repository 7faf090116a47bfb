#pragma once
// The hidden window through which Windows Sockets tells a thread's
// CAsyncSocket objects of their network events.
//
// Each thread that selects events gets one message-only window. Each socket
// registration gets its own message number, so a notice still queued for a
// closed socket is never taken for a later socket that reuses the handle.

#include "framework/Win32.h"

class CAsyncSocket;

namespace kq {

class SocketWindow {
public:
    // Asks for `events` of `socket` to be posted to the calling thread's
    // window and dispatched to `object`. FALSE with the Windows Sockets error
    // set when the window or the selection fails.
    static bool Select(CAsyncSocket* object, SOCKET socket, long events);
    // Stops dispatching to the socket's object and cancels its selection.
    static void Remove(SOCKET socket);
    static CAsyncSocket* Find(SOCKET socket);
};

} // namespace kq
