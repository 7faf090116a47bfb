#pragma once
// The channel receiver's look: its own close button, the dialog left where
// the template puts it.

#include "widgets/SkinLook.h"

namespace kq {

inline constexpr SkinLook kCastviewSkinLook = {
    101,   // close button id
    132,   // released face
    133,   // pressed face
    false, // not centred
    false, // not made the foreground window
    nullptr,
    LabelAlign::Centre,
    LineBreaking::Words,
};

inline constexpr int kCastviewCornerWidth = 20;
inline constexpr int kCastviewCornerHeight = 24;

} // namespace kq
