#pragma once
// The kit's colours for controls that paint on its dialogs: a light sand
// background with dark blue text.

#include "framework/Win32.h"

namespace kq {

inline constexpr COLORREF kKitBackground = 0xF3E5C8;
inline constexpr COLORREF kKitText = 0x6E0000;

} // namespace kq
