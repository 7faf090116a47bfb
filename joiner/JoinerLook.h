#pragma once
// The classroom joiner's look: its skinned dialogs show where their
// templates put them, the close button is control 136, and its labels are
// left-aligned with word wrap.

#include "widgets/SkinLook.h"

namespace kq {

inline constexpr SkinLook kJoinerSkinLook = {
    136,   // close button id
    137,   // released face
    136,   // pressed face
    false, // shown at the template's position
    false, // the dialogs make themselves the foreground window after their start
    nullptr,
    LabelAlign::Left,
    LineBreaking::Words,
};

// Every dialog of the joiner: corners 20 x 24, the close button at (269, 4).
inline constexpr int kJoinerCornerWidth = 20;
inline constexpr int kJoinerCornerHeight = 24;
inline constexpr int kJoinerCloseX = 269;
inline constexpr int kJoinerCloseY = 4;

// The OK and Cancel buttons' faces.
inline constexpr UINT kJoinerOkUp = 131;
inline constexpr UINT kJoinerOkDown = 132;
inline constexpr UINT kJoinerCancelUp = 133;
inline constexpr UINT kJoinerCancelDown = 134;

} // namespace kq
