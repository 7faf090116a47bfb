#pragma once
// The desktop editor's look: its own close button, the dialogs left where
// they are put, the student agent's labels.

#include "widgets/StudentLook.h"

namespace kq {

inline constexpr UINT kDeskCloseId = 138;

inline constexpr SkinLook kDeskSkinLook = {
    kDeskCloseId,
    145,   // released face
    144,   // pressed face
    false, // not centred
    false, // not made the foreground window
    nullptr,
    kStudentSkinLook.labelAlign,
    kStudentSkinLook.labelBreaking,
};

inline constexpr int kDeskCornerWidth = 20;
inline constexpr int kDeskCornerHeight = 24;

} // namespace kq
