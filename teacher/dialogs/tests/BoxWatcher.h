#pragma once
// For the dialog tests: closes every warning box that comes up while it
// lives, counting them and keeping the last one's text, and presses a
// dialog's buttons.

#include "teacher/dialogs/WarningDlg.h"

#include <string>

namespace kqtest {

class WarningCloser {
public:
    WarningCloser()
    {
        s_seen = 0;
        s_lastText.clear();
        s_lastBox = nullptr;
        s_timer = ::SetTimer(nullptr, 0, kWatchMs, &WarningCloser::Watch);
    }
    ~WarningCloser() { ::KillTimer(nullptr, s_timer); }
    WarningCloser(const WarningCloser&) = delete;
    WarningCloser& operator=(const WarningCloser&) = delete;

    static int Seen() { return s_seen; }
    static const std::string& LastText() { return s_lastText; }

private:
    static constexpr UINT kWatchMs = 20;
    static void CALLBACK Watch(HWND, UINT, UINT_PTR, DWORD)
    {
        const HWND box = ::FindWindowA(nullptr, CWarningDlg::kTitle);
        if (box == nullptr || !::IsWindowVisible(box))
            return;
        if (box != s_lastBox) {
            s_lastBox = box;
            ++s_seen;
            char text[256] = {};
            ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            s_lastText = text;
        }
        ::PostMessageA(box, WM_CLOSE, 0, 0);
    }
    static inline UINT_PTR s_timer = 0;
    static inline HWND s_lastBox = nullptr;
    static inline int s_seen = 0;
    static inline std::string s_lastText;
};

// Presses button `id` of the dialog as a click does.
inline void Click(CWnd& dialog, UINT id)
{
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog.m_hWnd, static_cast<int>(id))));
}

} // namespace kqtest
