#include "teacher/PanelPainting.h"

#include "framework/BitmapDrawing.h"

#include "TeacherResources.h"

namespace kqpanel {

namespace {

constexpr DWORD kToggleStyle = WS_CHILD | WS_VISIBLE | BS_OWNERDRAW;

void CopyBand(HDC dc, UINT bitmapId, int width, int top, int rows)
{
    if (rows > 0)
        kq::DrawBitmapResource(*CDC::FromHandle(dc), bitmapId, width, rows, 0, top);
}

} // namespace

bool AddHoverButton(CButtonList& list, CWnd* panel, const ButtonRow& row, Frames frames)
{
    const RECT& r = row.rect;
    if (!list.AddButton(panel, row.id, r.left, r.top, r.right, r.bottom, 0, nullptr, CHoverButton::kHoverStyle,
                        row.faces.released, row.faces.pressed, row.faces.hover, row.faces.disabled))
        return false;
    if (frames == Frames::None)
        list.SetFrames(0, row.id, 0);
    return true;
}

bool CreateToggle(CToggleBitmapButton& button, CWnd* panel, const ButtonRow& row)
{
    if (!button.Create("", kToggleStyle, CRect(row.rect), panel, row.id))
        return false;
    button.LoadBitmaps(row.faces.released, row.faces.pressed, row.faces.hover, row.faces.disabled);
    return true;
}

void Place(CWnd* button, const kq::ButtonPlace& place, int width, int height)
{
    if (button == nullptr || button->GetSafeHwnd() == nullptr)
        return;
    if (!place.shown) {
        button->ShowWindow(SW_HIDE);
        return;
    }
    button->MoveWindow(place.x, place.y, width, height);
    button->ShowWindow(SW_SHOW);
}

void PaintFrame(HDC dc, int width, const kq::PanelFrame& frame)
{
    CopyBand(dc, TeacherRes::IDB_PANEL_TOP, width, frame.top, kq::kFrameTopRows);
    CopyBand(dc, TeacherRes::IDB_PANEL_MIDDLE, width, frame.top + kq::kFrameTopRows, frame.bandHeight);
    CopyBand(dc, TeacherRes::IDB_PANEL_BOTTOM, width, frame.top + kq::kFrameTopRows + frame.bandHeight,
             kq::kFrameBottomRows);
}

void PostRightClick(CWnd* panel, int panelX, int panelY, CPoint point)
{
    CWnd* parent = panel->GetParent();
    if (parent != nullptr)
        parent->PostMessage(WM_RBUTTONDOWN, 0, MAKELPARAM(point.x + panelX, point.y + panelY));
}

} // namespace kqpanel
