#pragma once
// The fixed layout the teacher's message boxes share: where the text and
// the buttons sit on the 298 x 163 background, and their faces.

#include "framework/Framework.h"

#include "TeacherResources.h"

namespace kq::message_box {

// The close button of every box and small dialog on this background.
inline constexpr int kCloseX = 269;
inline constexpr int kCloseY = 4;

inline const CRect kTextRect(48, 42, 249, 105);
inline constexpr UINT kTextId = 0xFFFF;
inline constexpr COLORREF kTextBackground = RGB(171, 229, 249);

inline const CRect kConfirmRect(127, 123, 170, 143);
inline const CRect kYesRect(91, 123, 134, 143);
inline const CRect kNoRect(164, 123, 207, 143);
inline constexpr UINT kOkUp = TeacherRes::IDB_OK_UP;
inline constexpr UINT kOkDown = TeacherRes::IDB_OK_DOWN;
inline constexpr UINT kNoUp = TeacherRes::IDB_NO_UP;
inline constexpr UINT kNoDown = TeacherRes::IDB_NO_DOWN;

inline constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | BS_OWNERDRAW;
inline constexpr DWORD kTextStyle = WS_VISIBLE | SS_CENTER;

} // namespace kq::message_box
