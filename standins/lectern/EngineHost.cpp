#include "standins/lectern/EngineHost.h"

#include <cstring>
#include <memory>

#include "broadcast/MirageOptions.h"
#include "broadcast/MirageResetOptions.h"
#include "common/TextField.h"
#include "standins/common/StandinWindows.h"
#include "standins/common/Trace.h"

namespace kq::lectern {

namespace {

constexpr char kModule[] = "Lectern";
constexpr char kEngineLibrary[] = "Mirage.dll";
constexpr char kWindowClass[] = "KqLecternEngineHost";
constexpr UINT kWmWork = WM_APP + 0x31;    // lParam: a heap std::function
constexpr UINT kWmNotify = 0x914;          // the engine's notice
constexpr DWORD kStartTimeoutMs = 30000;
constexpr int kOpenFull = 0;

using OpenProc = int(__cdecl*)(int);
using VoidProc = int(__cdecl*)();
using ModeProc = int(__cdecl*)(const MirageOptions*);
using ResetProc = void(__cdecl*)(const MirageResetOptions*);

} // namespace

void EngineHost::Start(NoticeHandler onNotice)
{
    if (thread_.joinable())
        return;
    onNotice_ = std::move(onNotice);
    ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this] { ThreadMain(); });
    // Until the window exists (the engine opens on the thread afterwards).
    WaitForSingleObject(ready_, kStartTimeoutMs);
}

void EngineHost::Stop()
{
    if (!thread_.joinable())
        return;
    if (HWND window = window_.load())
        PostMessageA(window, WM_CLOSE, 0, 0);
    thread_.join();
    CloseHandle(ready_);
    ready_ = nullptr;
}

void EngineHost::Post(std::function<void()> work)
{
    HWND window = window_.load();
    if (window == nullptr)
        return;
    auto* job = new std::function<void()>(std::move(work));
    if (!PostMessageA(window, kWmWork, 0, reinterpret_cast<LPARAM>(job)))
        delete job;
}

void EngineHost::Run(const EngineRequest& request, const ScreenBody& settings, std::map<int, std::string> names)
{
    Post([this, request, settings, names = std::move(names)] { Call(request, settings, names); });
}

void EngineHost::ResetOptions(const uint8_t (&options)[5])
{
    MirageResetOptions reset;
    std::memcpy(&reset, options, sizeof reset);
    Post([this, reset] {
        auto apply = reinterpret_cast<ResetProc>(
            reinterpret_cast<void*>(engine_ ? GetProcAddress(engine_, "DoReSetOption") : nullptr));
        Trace(kModule, "engine DoReSetOption %u %u %u %u %u", reset.lossless, reset.burstPause, reset.burstLength,
              reset.recordBar, reset.windowed);
        if (apply)
            apply(&reset);
    });
}

void EngineHost::Call(const EngineRequest& request, const ScreenBody& settings,
                      const std::map<int, std::string>& names)
{
    if (engine_ == nullptr || request.call == EngineCall::None)
        return;
    auto stop = reinterpret_cast<VoidProc>(reinterpret_cast<void*>(GetProcAddress(engine_, "DoStop")));
    Trace(kModule, "engine DoStop");
    if (stop)
        stop();
    if (request.call == EngineCall::Stop)
        return;
    const char* name = EngineExportName(request.call);
    auto mode = reinterpret_cast<ModeProc>(reinterpret_cast<void*>(GetProcAddress(engine_, name)));
    auto options = std::make_unique<MirageOptions>();
    std::memset(options.get(), 0, sizeof *options);
    options->hostWindow = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window_.load()));
    options->ownId = request.ownId;
    in_addr group;
    group.s_addr = settings.group;
    CopyTextField(options->groupAddress, inet_ntoa(group));
    options->port = settings.port;
    options->windowed = settings.windowed;
    options->burstPause = settings.pause;
    options->burstLength = settings.burst;
    options->lossless = settings.lossless;
    options->jpegQuality = settings.quality;
    options->modeFlag = request.flag;
    options->cyclingPeriod = request.period;
    options->watchedId = request.watched;
    options->idCount = request.idCount;
    std::memcpy(options->ids, request.ids, request.idCount);
    for (uint16_t i = 0; i < request.idCount; ++i) {
        const auto found = names.find(request.ids[i]);
        if (found != names.end())
            CopyTextField(options->names[i], found->second.c_str());
    }
    options->recordBarOrViews = request.recordOrViews;
    std::string ids;
    for (uint16_t i = 0; i < request.idCount; ++i)
        ids += (i ? "," : "") + std::to_string(request.ids[i]);
    Trace(kModule, "engine %s own=%u group=%s port=%u watched=%u ids=%s views=%u flag=%u period=%u quality=%u "
          "lossless=%u pause=%u burst=%u windowed=%u", name, request.ownId, options->groupAddress, settings.port,
          request.watched, ids.c_str(), request.recordOrViews, request.flag, request.period, settings.quality,
          settings.lossless, settings.pause, settings.burst, settings.windowed);
    if (mode)
        mode(options.get());
}

LRESULT CALLBACK EngineHost::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<EngineHost*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    switch (message) {
    case kWmWork: {
        std::unique_ptr<std::function<void()>> job(reinterpret_cast<std::function<void()>*>(lParam));
        (*job)();
        return 0;
    }
    case kWmNotify:
        Trace(kModule, "engine notice %u high %u value %lld", LOWORD(wParam), HIWORD(wParam),
              static_cast<long long>(lParam));
        if (self != nullptr && self->onNotice_)
            self->onNotice_(LOWORD(wParam), HIWORD(wParam), lParam);
        return 0;
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

void EngineHost::ThreadMain()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &EngineHost::WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassA(&windowClass); // a second host in the process finds it registered
    HWND window = CreateWindowExA(0, kWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    if (window != nullptr)
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

    // Commands may queue from now on; they run once the engine is open.
    window_ = window;
    SetEvent(ready_);
    engine_ = LoadLibraryA(kEngineLibrary);
    auto open = engine_ ? reinterpret_cast<OpenProc>(reinterpret_cast<void*>(GetProcAddress(engine_, "DoOpenMirage")))
                        : nullptr;
    const int opened = open ? open(kOpenFull) : -1;
    Trace(kModule, "engine DoOpenMirage(0) = %d", opened);
    if (opened != 0 && engine_ != nullptr) {
        FreeLibrary(engine_);
        engine_ = nullptr;
    }
    if (window != nullptr)
        standin::RunMessageLoop();
    window_ = nullptr;
    if (engine_ != nullptr) {
        auto close = reinterpret_cast<VoidProc>(reinterpret_cast<void*>(GetProcAddress(engine_, "DoCloseMirage")));
        Trace(kModule, "engine DoCloseMirage");
        if (close)
            close();
        FreeLibrary(engine_);
        engine_ = nullptr;
    }
}

} // namespace kq::lectern
