#pragma once
// The look of KqCheck's skinned windows: close button 12, windows kept where
// their template puts them, labels aligned left. Resource ids are the
// library's own (KqCheck.tsv).

#include "widgets/SkinLook.h"

namespace kq {

inline constexpr SkinLook kCheckSkinLook = {
    12,    // close button id
    14020, // released face
    14019, // pressed face
    false, // kept at the template's position
    false, // not made the foreground window first
    nullptr,
    LabelAlign::Left,
    LineBreaking::Words,
};

// The corners of every window of the library.
inline constexpr int kCheckCornerWidth = 20;
inline constexpr int kCheckCornerHeight = 24;

// The fill of the result text and of the message box's label.
inline constexpr COLORREF kCheckTextBackground = 0xF9E5AB;

} // namespace kq
