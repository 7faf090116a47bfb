#pragma once
// The faces of the panel toggles whose look the main window switches by
// what the classroom does: the text overlay toggles 304 (first page) and
// 606 (test page), and 309, whose "on" look calls the teacher to a raised
// hand. CTeacherWnd::SetToggleFaces puts them on the buttons.

#include <windows.h>

namespace kq {

inline constexpr UINT kBlankScreenToggle = 304;
inline constexpr UINT kTestOverlayToggle = 606;
inline constexpr UINT kChatToggle = 309;

// Released, pressed, focus and disabled faces; 0: none.
struct ToggleFaces {
    UINT up;
    UINT down;
    UINT focus;
    UINT disabled;
};

// The faces of `button` on or off; null for a button not in the table.
const ToggleFaces* FacesOfToggle(UINT button, bool on);

} // namespace kq
