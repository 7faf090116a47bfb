#pragma once
// The student agent's look: its skinned dialogs, floating toolbar and
// labels. Resource ids are those of Satchel.dll.

#include "widgets/SkinLook.h"

namespace kq {

inline constexpr SkinLook kStudentSkinLook = {
    101,  // close button id
    156,  // released face
    155,  // pressed face
    true, // centred on the screen
    true, // made the foreground window after the dialog's own start
    nullptr,                  // the toolbar window has no name
    LabelAlign::ByStyle,      // SS_CENTER / SS_RIGHT choose the alignment
    LineBreaking::Cp936Cells, // its own line breaking
};

// The corners every student dialog passes to its constructor.
inline constexpr int kStudentCornerWidth = 20;
inline constexpr int kStudentCornerHeight = 24;

} // namespace kq
