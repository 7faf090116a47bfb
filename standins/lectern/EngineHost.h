#pragma once
// The screen engine (Mirage.dll) hosted by the transport, on a thread of its
// own: it opens the engine when the transport opens and closes it when the
// transport closes, so that no program's user-interface thread waits on the
// engine's handshakes. A hidden window on that thread receives the engine's
// notices. Every engine call is a trace line.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <map>
#include <string>
#include <thread>

#include "standins/lectern/ScreenPlan.h"
#include "standins/lectern/Wire.h"

namespace kq::lectern {

class EngineHost {
public:
    // Called on the host thread for every WM_MIRAGE_NOTIFY: code, high word, lParam.
    using NoticeHandler = std::function<void(uint16_t code, uint16_t high, intptr_t lParam)>;

    EngineHost() = default;
    ~EngineHost() { Stop(); }
    EngineHost(const EngineHost&) = delete;
    EngineHost& operator=(const EngineHost&) = delete;

    // Starts the thread, which loads the engine and opens it (DoOpenMirage(0)).
    void Start(NoticeHandler onNotice);
    // Closes the engine and ends the thread.
    void Stop();

    // Ends the running mode, then starts the request's mode (DoStop alone
    // for a stop). `names` gives the seats' names for the viewer.
    void Run(const EngineRequest& request, const ScreenBody& settings, std::map<int, std::string> names = {});
    // DoReSetOption with the five bytes.
    void ResetOptions(const uint8_t (&options)[5]);

private:
    void ThreadMain();
    void Post(std::function<void()> work);
    void Call(const EngineRequest& request, const ScreenBody& settings, const std::map<int, std::string>& names);
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    NoticeHandler onNotice_;
    std::thread thread_;
    std::atomic<HWND> window_{nullptr};
    HANDLE ready_ = nullptr;
    HMODULE engine_ = nullptr;
};

} // namespace kq::lectern
