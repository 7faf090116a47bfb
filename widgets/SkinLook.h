#pragma once
// The look of one program's widgets: the few points in which the programs
// that draw with the kit differ. Each program defines its own record in its
// own folder (the teacher's is in TeacherLook.h, the student agent's in
// StudentLook.h); the kit itself knows no program's resource ids.

#include "framework/Win32.h"

namespace kq {

// Where the lines of a label start.
enum class LabelAlign {
    Left,
    Centre,
    ByStyle, // SS_CENTER centres, SS_RIGHT aligns right, anything else left
};

// How a label fits its text to its width before drawing it.
enum class LineBreaking {
    Words,      // the drawing breaks at word boundaries
    Cp936Cells, // breaks by byte cells first (widgets/CellLineBreaking.h)
};

struct SkinLook {
    UINT closeId;         // control id of the dialog's close button
    UINT closeUpBitmap;   // the close button's face, released
    UINT closeDownBitmap; // the close button's face, pressed
    bool centre;          // centre on the screen; false keeps the template's position
    bool foregroundFirst; // become the foreground window before being skinned
    const char* toolBarName;   // window name of the floating toolbar; null for none
    LabelAlign labelAlign;     // the alignment of the program's CSkinLabel
    LineBreaking labelBreaking; // and its line breaking
};

} // namespace kq
