// The seat map's context menus, the seat editor, and the groups: selecting
// by group and the group assignment.

#include "teacher/KqListCtrl.h"

#include "common/TextField.h"
#include "framework/WindowDC.h"
#include "teacher/Globals.h"
#include "teacher/SeatEditDlg.h"
#include "teacher/SeatGroups.h"
#include "teacher/dialogs/GroupAssignDlg.h"

#include "TeacherResources.h"

#include <algorithm>

namespace {

// The group assignment dialog on the message box template.
constexpr int kAssignCloseX = 447;
constexpr int kAssignCloseY = 4;

} // namespace

// ---- Menus ----

LRESULT CKqListCtrl::ShowSeatMenu(WPARAM wParam, LPARAM lParam)
{
    if (m_menu.GetSafeHmenu() != nullptr)
        return 0;
    const int state = static_cast<short>(LOWORD(wParam));
    const int seat = HIWORD(wParam);
    const CSeatItemWnd* clicked = FindSeatByNumber(seat);
    if (clicked == nullptr || !clicked->IsSelected())
        SelectOnly(seat);
    ShowMenu(state, POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
    return 0;
}

void CKqListCtrl::ShowMenu(int state, POINT screen)
{
    if (m_menu.GetSafeHmenu() != nullptr || !m_menu.CreatePopupMenu())
        return;
    m_menu.UseClassroomLook();
    const std::vector<kq::SeatMenuItem> items = kq::SeatMenuItems(ActivityState, state, FirstPanelShown);
    const size_t count = std::min(items.size(), std::size(m_menuItems));
    for (size_t i = 0; i < count; ++i) {
        CString text;
        text.LoadString(items[i].textId);
        kq::CopyTextField(m_menuItems[i].text, text);
        m_menuItems[i].iconId = items[i].iconId;
        m_menu.AppendMenu(MF_OWNERDRAW, items[i].command, reinterpret_cast<LPCSTR>(&m_menuItems[i]));
    }
    // The chosen command comes back as WM_COMMAND, which goes on to the
    // main window.
    m_menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, this);
    m_menu.DestroyMenu();
}

void CKqListCtrl::OnMeasureItem(int id, LPMEASUREITEMSTRUCT measure)
{
    if (measure->CtlType != ODT_MENU || m_menu.GetSafeHmenu() == nullptr) {
        CWnd::OnMeasureItem(id, measure);
        return;
    }
    CWindowDC dc(this);
    m_menu.MeasureItem(measure, &dc);
}

// ---- Seat editor ----

int CKqListCtrl::EditSeats()
{
    CSeatEditDlg dialog(m_arrangement.SeatCount(), m_arrangement.RowCount(), m_arrangement.ColumnCount(),
                        &m_arrangement.Grid(), this);
    if (dialog.DoModal() == IDOK) {
        m_arrangement.SetCounts(dialog.SeatCount(), dialog.RowCount(), dialog.ColumnCount());
        SaveSeats(m_iniPath, true);
        LayoutSeats();
    }
    return 1;
}

// ---- Groups ----

void CKqListCtrl::SelectGroup(int group, int on)
{
    if (group == kq::kNoGroup) {
        for (CSeatItemWnd* seat : m_seats)
            seat->SetSelected(on, TRUE);
        return;
    }
    if (group < 1 || group > kq::kLastGroup)
        return;
    for (const kq::SeatSelectionChange& change :
         kq::GroupSelectionChanges(m_arrangement.Grid(), m_arrangement.RowCount(), m_arrangement.ColumnCount(), group,
                                   on != 0))
        if (CSeatItemWnd* seat = FindSeatByName(change.name.c_str()))
            seat->SetSelected(change.selected ? 1 : 0, TRUE);
}

int CKqListCtrl::IsGroupSelected(int group)
{
    // Off-line seats cannot be selected and do not count.
    const auto waiting = [](const CSeatItemWnd* seat) { return seat->GetState() != 0 && !seat->IsSelected(); };
    if (group == kq::kNoGroup)
        return std::none_of(m_seats.begin(), m_seats.end(), waiting) ? 1 : 0;
    if (group < 1 || group > kq::kLastGroup)
        return 0;
    for (const std::string& name :
         kq::GroupSeatNames(m_arrangement.Grid(), m_arrangement.RowCount(), m_arrangement.ColumnCount(), group)) {
        const CSeatItemWnd* seat = FindSeatByName(name.c_str());
        if (seat != nullptr && waiting(seat))
            return 0;
    }
    return 1;
}

void CKqListCtrl::AssignGroups()
{
    CGroupAssignDlg dialog(TeacherRes::IDD_MESSAGE_BOX, kAssignCloseX, kAssignCloseY,
                           TeacherRes::IDB_GROUP_ASSIGN_BACKGROUND, nullptr);
    dialog.Grid() = m_arrangement.Grid();
    if (dialog.DoModal() != IDOK)
        return;
    // Log-ons go on while the dialog is open: only the groups come back.
    kq::TakeGroups(m_arrangement.Grid(), dialog.Grid());
    SaveSeats(m_iniPath, false);
}
