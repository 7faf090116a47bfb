#pragma once
// What the three command panels share: their button tables' rows, the
// creation of a table button, moving a button to its computed place, and
// painting the skinned frame (top, stretched band, bottom).

#include "framework/Framework.h"

#include "teacher/PanelLayout.h"
#include "widgets/ButtonList.h"
#include "widgets/ToggleBitmapButton.h"

namespace kqpanel {

struct Faces {
    UINT released, pressed, hover, disabled;
};

// A hover button of a panel's table (rectangle: left, top, right, bottom).
struct ButtonRow {
    UINT id;
    RECT rect;
    Faces faces;
    UINT tip; // 0: none
};

// Panels A and C show bitmaps only; the function panel keeps the frames.
enum class Frames { None, Default };

bool AddHoverButton(CButtonList& list, CWnd* panel, const ButtonRow& row, Frames frames);
// Toggle faces are released / pressed / focused / disabled.
bool CreateToggle(CToggleBitmapButton& button, CWnd* panel, const ButtonRow& row);

// Moves and shows, or hides, one button; a null button is skipped.
void Place(CWnd* button, const kq::ButtonPlace& place, int width, int height);

// Paints the frame `frame` across a panel `width` wide.
void PaintFrame(HDC dc, int width, const kq::PanelFrame& frame);

// Posts a click point to the panel's parent in its client coordinates.
void PostRightClick(CWnd* panel, int panelX, int panelY, CPoint point);

} // namespace kqpanel
