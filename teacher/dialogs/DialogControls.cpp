#include "teacher/dialogs/DialogControls.h"

#include "teacher/dialogs/MessageBoxLayout.h"

namespace kq {

namespace {

constexpr int kFieldFontPoints = 90; // tenths of a point
constexpr char kFieldFontFace[] = "宋体";

} // namespace

BOOL CreateFaceButton(CBitmapButton& button, CWnd* parent, const CRect& rect, UINT id, UINT released, UINT pressed,
                      DWORD extraStyle)
{
    if (!button.Create(nullptr, message_box::kButtonStyle | extraStyle, rect, parent, id))
        return FALSE;
    button.LoadBitmaps(released, pressed);
    return TRUE;
}

BOOL CreateFieldFont(CFont& font)
{
    return font.CreatePointFont(kFieldFontPoints, kFieldFontFace);
}

} // namespace kq
