#include "framework/SocketWindow.h"

#include "framework/AsyncSocket.h"
#include "framework/ModuleState.h"

#include <mutex>
#include <unordered_map>

namespace {

// Notices use a block of application messages, one number per registration.
constexpr UINT kFirstNotifyMessage = WM_APP + 0x100;
constexpr UINT kNotifyMessageCount = 0x1000;
constexpr char kClassName[] = "KqSocketNotifyWindow";

struct Registration {
    CAsyncSocket* object;
    HWND window;
    UINT message;
};

std::mutex g_mutex;
std::unordered_map<SOCKET, Registration> g_sockets;
UINT g_nextMessage = 0;

bool IsNotifyMessage(UINT message)
{
    return message >= kFirstNotifyMessage && message < kFirstNotifyMessage + kNotifyMessageCount;
}

LRESULT CALLBACK NotifyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!IsNotifyMessage(message))
        return ::DefWindowProcA(window, message, wParam, lParam);

    CAsyncSocket* object = nullptr;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        auto it = g_sockets.find(static_cast<SOCKET>(wParam));
        if (it != g_sockets.end() && it->second.window == window && it->second.message == message)
            object = it->second.object;
    }
    // The handler may close or delete the socket: nothing here touches it after.
    if (object != nullptr)
        object->DispatchEvent(WSAGETSELECTEVENT(lParam), WSAGETSELECTERROR(lParam));
    return 0;
}

bool RegisterNotifyClass()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = NotifyWindowProc;
    windowClass.hInstance = AfxGetInstanceHandle();
    windowClass.lpszClassName = kClassName;
    return ::RegisterClassA(&windowClass) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// The calling thread's window, made on first use; the system destroys it
// with the thread.
HWND ThreadWindow()
{
    static const bool registered = RegisterNotifyClass();
    thread_local HWND window = nullptr;
    if (!registered)
        return nullptr;
    if (window == nullptr || !::IsWindow(window))
        window = ::CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, AfxGetInstanceHandle(), nullptr);
    return window;
}

} // namespace

namespace kq {

bool SocketWindow::Select(CAsyncSocket* object, SOCKET socket, long events)
{
    HWND window = ThreadWindow();
    if (window == nullptr) {
        ::WSASetLastError(WSAENOBUFS);
        return false;
    }

    UINT message;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        auto it = g_sockets.find(socket);
        if (it != g_sockets.end() && it->second.object == object && it->second.window == window) {
            message = it->second.message;
        } else {
            message = kFirstNotifyMessage + g_nextMessage;
            g_nextMessage = (g_nextMessage + 1) % kNotifyMessageCount;
        }
        g_sockets[socket] = Registration{object, window, message};
    }
    if (::WSAAsyncSelect(socket, window, message, events) == SOCKET_ERROR) {
        const int error = ::WSAGetLastError();
        Remove(socket);
        ::WSASetLastError(error);
        return false;
    }
    return true;
}

void SocketWindow::Remove(SOCKET socket)
{
    HWND window = nullptr;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        auto it = g_sockets.find(socket);
        if (it == g_sockets.end())
            return;
        window = it->second.window;
        g_sockets.erase(it);
    }
    // No more notices for this socket (it is about to close or change hands).
    const int error = ::WSAGetLastError();
    ::WSAAsyncSelect(socket, window, 0, 0);
    ::WSASetLastError(error);
}

CAsyncSocket* SocketWindow::Find(SOCKET socket)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    auto it = g_sockets.find(socket);
    return it == g_sockets.end() ? nullptr : it->second.object;
}

} // namespace kq
