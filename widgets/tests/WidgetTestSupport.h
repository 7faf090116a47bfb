#pragma once
// Helpers for the window tests of the kit and of the dialogs built on it:
// a program's resource module as the resource source, a shared host
// window, modal dialogs driven from inside their loop, and pixels read back.

#include "framework/Framework.h"

#include <functional>

namespace kqtest {

// How long a test waits for something that should happen at once.
constexpr DWORD kPatienceMs = 5000;
// What RunModal returns when the dialog did not end in time.
constexpr INT_PTR kTimedOut = -1000;

// Pumps messages through the library's chain until done() holds; false when
// the time ran out first.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = kPatienceMs);
// Pumps messages for a while.
void PumpFor(DWORD ms);

// A visible, active top-level window for controls to live on; created once.
CWnd& Host();

// Runs dialog.DoModal(). Once the dialog's window is visible, `script` runs
// once from inside the modal loop. A dialog still open after timeoutMs is
// ended with kTimedOut.
INT_PTR RunModal(CDialog& dialog, const std::function<void(CDialog&)>& script = nullptr,
                 DWORD timeoutMs = kPatienceMs);
// Runs show(), which opens a modal box titled `title`. Once that window is
// visible, `script` runs once from inside the box's loop. A box still open
// after timeoutMs is closed (WM_CLOSE) and kTimedOut returned.
INT_PTR RunShown(const char* title, const std::function<INT_PTR()>& show,
                 const std::function<void(CWnd&)>& script, DWORD timeoutMs = kPatienceMs);
// The same for a window without a title of its own: `find` gives it, or
// null while it is not up (e.g. ThreadWindowWith).
INT_PTR RunShown(const std::function<HWND()>& find, const std::function<INT_PTR()>& show,
                 const std::function<void(CWnd&)>& script, DWORD timeoutMs = kPatienceMs);
// The visible top-level window of this thread that has a control `id`.
HWND ThreadWindowWith(UINT id);

// A memory drawing surface, white to start with.
class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    CDC dc;

private:
    CBitmap m_bitmap;
    CBitmap* m_previous = nullptr;
};

// Asks the window to paint its client area onto the canvas (WM_PRINTCLIENT).
void PrintClient(CWnd& window, Canvas& canvas);
// Pixel (x, y) of bitmap `id` of the resource source; CLR_INVALID if none.
COLORREF BitmapPixel(UINT id, int x, int y);
// The size of bitmap `id` of the resource source.
CSize BitmapSize(UINT id);
// Pixel (x, y) of the window's client area as it is on the screen, after
// any pending paint.
COLORREF ScreenPixel(CWnd& window, int x, int y);

// The checks of a skinned dialog as it shows on the screen: no system
// caption or border, a client area of its background bitmap's size, the
// whole window on the screen, and every visible control inside the client
// area and really shown there (the top window at each of its corners).
void ExpectFitsItsFrame(CWnd& dialog, UINT backgroundId);

} // namespace kqtest
