#include "framework/DoubleByteInput.h"

#include "common/TextField.h"
#include "framework/Edit.h"

namespace kq {

namespace {

constexpr int kClassNameSize = 16;

bool IsPlainEditField(HWND window)
{
    char name[kClassNameSize] = {};
    if (::GetClassNameA(window, name, sizeof name) == 0 || ::lstrcmpiA(name, "Edit") != 0)
        return false;
    const CWnd* object = CWnd::FromHandlePermanent(window);
    return object == nullptr || object->GetRuntimeClass() == RUNTIME_CLASS(CEdit);
}

// The lead byte waiting for its trail byte, per thread (each has its loop).
thread_local HWND t_leadWindow = nullptr;
thread_local BYTE t_lead = 0;

} // namespace

BOOL JoinDoubleByteChar(const MSG& msg)
{
    if (msg.message != WM_CHAR)
        return FALSE;
    const BYTE byte = LOBYTE(msg.wParam);
    if (t_leadWindow != nullptr && t_leadWindow == msg.hwnd) {
        t_leadWindow = nullptr;
        if ((::GetWindowLongA(msg.hwnd, GWL_STYLE) & ES_READONLY) == 0) {
            const char pair[] = {static_cast<char>(t_lead), static_cast<char>(byte), '\0'};
            ::SendMessageA(msg.hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pair));
        }
        return TRUE;
    }
    t_leadWindow = nullptr;
    if (msg.wParam > 0xFF || !IsCp936LeadByte(byte) || !IsPlainEditField(msg.hwnd))
        return FALSE;
    t_leadWindow = msg.hwnd;
    t_lead = byte;
    return TRUE;
}

} // namespace kq
