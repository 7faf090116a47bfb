#pragma once
// Runs work on the thread that opened the transport (the host program's
// user-interface thread): a hidden message-only window created there takes
// tasks that any thread posts. Messages that carry a record must be sent on
// that thread so the record stays valid until the host's handler returns.
//
// Tasks may nest: a task that sends a message to the host runs the host's
// handler, whose modal loops dispatch the next tasks. A task may also close
// the transport; Destroy then drops what is still queued.

#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

namespace kq::lectern {

// The window a record names in its 32-bit handle field.
inline HWND WindowOf(uint32_t handle)
{
    return reinterpret_cast<HWND>(static_cast<intptr_t>(static_cast<int32_t>(handle)));
}

class UiBridge {
public:
    UiBridge() = default;
    ~UiBridge() { Destroy(); }
    UiBridge(const UiBridge&) = delete;
    UiBridge& operator=(const UiBridge&) = delete;

    // Creates the window on the calling thread.
    bool Create();
    // On the creating thread: destroys the window and drops queued tasks.
    void Destroy();

    // From any thread; ignored once destroyed.
    void Post(std::function<void()> task);

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Drain();

    HWND window_ = nullptr;
    std::mutex lock_;
    std::deque<std::function<void()>> tasks_;
    // Shared with running drains, which may outlive this object when a task
    // releases the last reference to the transport.
    std::shared_ptr<std::atomic<bool>> alive_;
};

} // namespace kq::lectern
