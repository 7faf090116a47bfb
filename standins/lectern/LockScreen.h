#pragma once
// The screen lock of a student PC: a topmost window over the whole desktop
// showing the lock background picture (or a plain notice when there is none),
// or the teacher's text on it. It cannot be closed by the student; the
// teacher lifts it.

#include <winsock2.h>
#include <windows.h>

#include <string>

namespace kq::lectern {

class LockScreen {
public:
    LockScreen() = default;
    ~LockScreen() { Hide(); }
    LockScreen(const LockScreen&) = delete;
    LockScreen& operator=(const LockScreen&) = delete;

    // Shows the lock on the calling thread; `background` is a bitmap file
    // path, empty for none; `text` is drawn over it, empty for the picture
    // alone (or the lock's own notice without one). A second call keeps the
    // lock that is shown and changes only its text.
    bool Show(const std::string& background, const std::string& text = std::string());
    void Hide();
    bool IsShown() const { return window_ != nullptr; }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HWND hwnd);

    HWND window_ = nullptr;
    HBITMAP picture_ = nullptr;
    std::string text_;
};

} // namespace kq::lectern
