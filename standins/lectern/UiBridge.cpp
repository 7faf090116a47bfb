#include "standins/lectern/UiBridge.h"

#include "standins/lectern/Install.h"

namespace kq::lectern {

namespace {
constexpr char kClassName[] = "KqLecternBridge";
constexpr UINT kTaskMessage = WM_APP + 1;
} // namespace

bool UiBridge::Create()
{
    Destroy();
    if (!standin::RegisterWindowClass(kClassName, WindowProc))
        return false;
    window_ = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ThisModule(), nullptr);
    if (window_ == nullptr)
        return false;
    alive_ = std::make_shared<std::atomic<bool>>(true);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return true;
}

void UiBridge::Destroy()
{
    if (alive_)
        *alive_ = false;
    if (window_ != nullptr) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        if (!DestroyWindow(window_))
            PostMessageA(window_, WM_CLOSE, 0, 0); // called from another thread
        window_ = nullptr;
        // Not left behind when the library is unloaded; fails while another window uses it.
        UnregisterClassA(kClassName, ThisModule());
    }
    std::deque<std::function<void()>> dropped;
    {
        std::lock_guard<std::mutex> hold(lock_);
        dropped.swap(tasks_);
    }
}

void UiBridge::Post(std::function<void()> task)
{
    HWND window;
    {
        std::lock_guard<std::mutex> hold(lock_);
        if (window_ == nullptr || !alive_ || !*alive_)
            return;
        tasks_.push_back(std::move(task));
        window = window_;
    }
    PostMessageA(window, kTaskMessage, 0, 0);
}

void UiBridge::Drain()
{
    const std::shared_ptr<std::atomic<bool>> alive = alive_;
    while (alive && *alive) {
        std::function<void()> task;
        {
            std::lock_guard<std::mutex> hold(lock_);
            if (tasks_.empty())
                return;
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        task();
        task = nullptr; // may release the transport, and this object with it
    }
}

LRESULT CALLBACK UiBridge::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kTaskMessage) {
        if (auto* self = reinterpret_cast<UiBridge*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)))
            self->Drain();
        return 0;
    }
    if (message == WM_CLOSE) {
        DestroyWindow(hwnd);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace kq::lectern
