#pragma once
// The teacher program's look: its skinned dialogs and the polygon-shaped
// version button of its main window. Resource ids are those of resource.dll.

#include "widgets/SkinLook.h"

namespace kq {

inline constexpr SkinLook kTeacherSkinLook = {
    400,   // close button id
    235,   // released face
    233,   // pressed face
    true,  // centred on the screen
    false, // no foreground call of its own
    "KqToolBar",
    LabelAlign::Centre,
    LineBreaking::Words,
};

// Every dialog of the program has rounded corners of these ellipse sizes.
inline constexpr int kTeacherCornerWidth = 20;
inline constexpr int kTeacherCornerHeight = 24;

// The version button: its face, its cursor and its outline in the main
// window's client coordinates.
inline constexpr UINT kVersionButtonFace = 651;
inline constexpr UINT kVersionButtonCursor = 496;
inline constexpr POINT kVersionButtonOutline[] = {{752, 44}, {779, 44}, {779, 118}, {711, 118}, {711, 84}};

} // namespace kq
