// The main window's command panels, its layout for the screen width and the
// selected button set, and the button-set menu that changes the set.

#include "teacher/TeacherWnd.h"

#include "common/VideoLayoutRecord.h"
#include "teacher/ComponentImports.h"
#include "common/TextField.h"
#include "teacher/PanelLayout.h"
#include "widgets/OwnerDrawMenu.h"

#include "TeacherResources.h"

#include <iterator>

namespace {

using namespace TeacherRes;

constexpr UINT kFunctionPanelId = 1000;
constexpr UINT kPanelCId = 1001;
constexpr UINT kPanelAId = 1002;
// Where the panels are created; the layout moves them.
constexpr RECT kPanelARect = {562, 124, 767, 247};
constexpr RECT kFunctionRect = {562, 251, 767, 446};
constexpr RECT kPanelCRect = {549, 126, 784, 467};

constexpr int kVideoLayoutMode = 3;

// x, y, width, height on a 640-pixel screen and on the others.
struct Place {
    int x, y, width, height;
};
struct ChildPlace {
    UINT id;
    Place small;
    Place large;
};
constexpr UINT kSeatMapId = 1234;
constexpr UINT kLogoId = 0xFFFF;
constexpr ChildPlace kChildren[] = {
    {867, {547, 41, 72, 80}, {709, 39, 72, 80}},
    {402, {566, 16, 16, 14}, {726, 16, 16, 14}},
    {401, {586, 16, 16, 14}, {746, 16, 16, 14}},
    {400, {606, 16, 16, 14}, {766, 16, 16, 14}},
    {521, {386, 100, 82, 24}, {546, 100, 82, 24}},
    {522, {468, 100, 82, 24}, {628, 100, 82, 24}},
    {511, {445, 353, 47, 40}, {605, 468, 47, 40}},
    {512, {506, 353, 47, 40}, {666, 468, 47, 40}},
    {513, {567, 353, 47, 40}, {726, 468, 47, 40}},
    {790, {398, 354, 34, 33}, {558, 469, 34, 33}},
    {836, {411, 16, 59, 13}, {569, 15, 59, 13}},
    {kSeatMapId, {18, 20, 364, 394}, {21, 20, 521, 510}},
    {kLogoId, {390, 403, 229, 51}, {549, 519, 229, 51}},
};

// The tabs, settings, restriction and tool buttons, which also change faces.
struct Faces {
    UINT released, pressed, focus;
};
struct ToggleTab {
    UINT id;
    Place small;
    Faces smallFaces;
    Place large;
    Faces largeFaces;
};
constexpr int kTabY640 = 424;
constexpr int kTabY = 540;
constexpr ToggleTab kTabs[] = {
    {556, {20, kTabY640, 33, 20}, {IDB_TAB_CLASS_SMALL_UP, IDB_TAB_CLASS_SMALL_DOWN, IDB_TAB_CLASS_SMALL_FOCUS},
     {33, kTabY, 27, 20}, {IDB_TAB_CLASS_UP, IDB_TAB_CLASS_DOWN, IDB_TAB_CLASS_FOCUS}},
    {550, {55, kTabY640, 33, 20}, {IDB_TAB_GROUP1_SMALL_UP, IDB_TAB_GROUP1_SMALL_DOWN, IDB_TAB_GROUP1_SMALL_FOCUS},
     {81, kTabY, 27, 20}, {IDB_TAB_GROUP1_UP, IDB_TAB_GROUP1_DOWN, IDB_TAB_GROUP1_FOCUS}},
    {551, {90, kTabY640, 33, 20}, {IDB_TAB_GROUP2_SMALL_UP, IDB_TAB_GROUP2_SMALL_DOWN, IDB_TAB_GROUP2_SMALL_FOCUS},
     {127, kTabY, 27, 20}, {IDB_TAB_GROUP2_UP, IDB_TAB_GROUP2_DOWN, IDB_TAB_GROUP2_FOCUS}},
    {552, {125, kTabY640, 33, 20}, {IDB_TAB_GROUP3_SMALL_UP, IDB_TAB_GROUP3_SMALL_DOWN, IDB_TAB_GROUP3_SMALL_FOCUS},
     {177, kTabY, 27, 20}, {IDB_TAB_GROUP3_UP, IDB_TAB_GROUP3_DOWN, IDB_TAB_GROUP3_FOCUS}},
    {553, {160, kTabY640, 33, 20}, {IDB_TAB_GROUP4_SMALL_UP, IDB_TAB_GROUP4_SMALL_DOWN, IDB_TAB_GROUP4_SMALL_FOCUS},
     {225, kTabY, 27, 20}, {IDB_TAB_GROUP4_UP, IDB_TAB_GROUP4_DOWN, IDB_TAB_GROUP4_FOCUS}},
    {554, {195, kTabY640, 33, 20}, {IDB_TAB_GROUP5_SMALL_UP, IDB_TAB_GROUP5_SMALL_DOWN, IDB_TAB_GROUP5_SMALL_FOCUS},
     {273, kTabY, 27, 20}, {IDB_TAB_GROUP5_UP, IDB_TAB_GROUP5_DOWN, IDB_TAB_GROUP5_FOCUS}},
    {555, {230, kTabY640, 33, 20}, {IDB_TAB_GROUP6_SMALL_UP, IDB_TAB_GROUP6_SMALL_DOWN, IDB_TAB_GROUP6_SMALL_FOCUS},
     {321, kTabY, 27, 20}, {IDB_TAB_GROUP6_UP, IDB_TAB_GROUP6_DOWN, IDB_TAB_GROUP6_FOCUS}},
    {641, {278, kTabY640, 35, 20}, {IDB_SETTINGS_SMALL_UP, IDB_SETTINGS_SMALL_DOWN, IDB_SETTINGS_SMALL_FOCUS},
     {373, kTabY, 49, 20}, {IDB_SETTINGS_UP, IDB_SETTINGS_DOWN, IDB_SETTINGS_FOCUS}},
    {642, {315, kTabY640, 59, 20}, {IDB_RESTRICT_SMALL_UP, IDB_RESTRICT_SMALL_DOWN, IDB_RESTRICT_SMALL_FOCUS},
     {422, kTabY, 62, 20}, {IDB_RESTRICT_UP, IDB_RESTRICT_DOWN, IDB_RESTRICT_FOCUS}},
};
// The tool button keeps its place and faces on a 640-pixel screen.
constexpr Place kToolsPlace = {484, kTabY, 51, 20};
constexpr Faces kToolsFaces = {IDB_TOOLS_UP, IDB_TOOLS_DOWN, IDB_TOOLS_FOCUS};

// Where the video library puts its window.
constexpr kq::VideoLayoutRecord kVideoSmall = {1, 388, 126};
constexpr kq::VideoLayoutRecord kVideoLarge = {0, 548, 126};

void MoveChild(CWnd* child, const Place& p)
{
    if (child != nullptr && child->GetSafeHwnd() != nullptr)
        child->MoveWindow(p.x, p.y, p.width, p.height);
}

void MovePanel(CWnd& panel, const kq::PanelRect& r)
{
    if (panel.GetSafeHwnd() != nullptr)
        panel.MoveWindow(r.x, r.y, r.width, r.height);
}

void LoadFaces(CWnd* button, const Faces& faces)
{
    auto* bitmapButton = dynamic_cast<CBitmapButton*>(button);
    if (bitmapButton == nullptr || bitmapButton->GetSafeHwnd() == nullptr)
        return;
    bitmapButton->LoadBitmaps(faces.released, faces.pressed, faces.focus);
    bitmapButton->Invalidate();
}

} // namespace

void CTeacherWnd::SetTabPressed(CToggleBitmapButton& tab, bool pressed)
{
    if (tab.GetSafeHwnd() == nullptr)
        return;
    const bool small = ::GetSystemMetrics(SM_CXSCREEN) == kq::kSmallScreenWidth;
    for (const ToggleTab& t : kTabs) {
        if (t.id != static_cast<UINT>(tab.GetDlgCtrlID()))
            continue;
        const Faces& f = small ? t.smallFaces : t.largeFaces;
        // A pressed tab shows its focus face when released as well.
        LoadFaces(&tab, pressed ? Faces{f.focus, f.pressed, f.focus} : f);
        tab.UpdateWindow();
        return;
    }
}

bool CTeacherWnd::CreatePanels()
{
    m_arrowCursor = ::LoadCursor(nullptr, IDC_ARROW);
    m_moveCursor = ::LoadCursor(nullptr, IDC_SIZEALL);
    LPCSTR panelClass = AfxRegisterWndClass(0);
    const DWORD visible = WS_CHILD | WS_VISIBLE;

    m_panelA.m_config = &m_settings.config;
    m_panelA.m_toolTipActive = Options().EnableTip == 1 ? 1 : 0;
    m_panelA.m_x = kPanelARect.left;
    m_panelA.m_y = kPanelARect.top;
    bool created = m_panelA.Create(panelClass, "", visible, kPanelARect, this, kPanelAId) != FALSE;

    m_functionPanel.m_config = &m_settings.config;
    m_functionPanel.m_toolTipActive = Options().EnableTip == 1 ? 1 : 0;
    m_functionPanel.m_x = kFunctionRect.left;
    m_functionPanel.m_y = kFunctionRect.top;
    m_functionPanel.m_height = kFunctionRect.bottom - kFunctionRect.top;
    created &= m_functionPanel.Create(panelClass, "", visible, kFunctionRect, this, kFunctionPanelId) != FALSE;

    m_panelC.m_config = &m_settings.config;
    m_panelC.m_x = kPanelCRect.left;
    m_panelC.m_y = kPanelCRect.top;
    created &= m_panelC.Create(panelClass, "", WS_CHILD, kPanelCRect, this, kPanelCId) != FALSE;
    return created;
}

void CTeacherWnd::RecalcLayout()
{
    // Repaint the whole background: an erase message posted on its own
    // would reach the handler without a device context.
    Invalidate(TRUE);

    const bool small = ::GetSystemMetrics(SM_CXSCREEN) == kq::kSmallScreenWidth;
    kq::VideoLayoutRecord video = small ? kVideoSmall : kVideoLarge;
    KqVideoSControl(kVideoLayoutMode, &video);

    const kq::PanelHeights heights = kq::ComputePanelHeights(m_settings.config);
    const kq::PanelRects panels = kq::PlacePanels(::GetSystemMetrics(SM_CXSCREEN), heights);
    m_panelA.m_x = panels.panelA.x;
    m_panelA.m_y = panels.panelA.y;
    MovePanel(m_panelA, panels.panelA);
    m_functionPanel.m_x = panels.function.x;
    m_functionPanel.m_y = panels.function.y;
    m_functionPanel.m_height = panels.function.height;
    MovePanel(m_functionPanel, panels.function);
    m_panelC.m_x = panels.panelC.x;
    m_panelC.m_y = panels.panelC.y;
    MovePanel(m_panelC, panels.panelC);

    for (const ChildPlace& child : kChildren) {
        CWnd* window = child.id == kSeatMapId ? m_seatMap : child.id == kLogoId ? &m_logo : GetDlgItem(child.id);
        MoveChild(window, small ? child.small : child.large);
    }
    for (const ToggleTab& tab : kTabs) {
        CWnd* button = GetDlgItem(tab.id);
        MoveChild(button, small ? tab.small : tab.large);
        LoadFaces(button, small ? tab.smallFaces : tab.largeFaces);
    }
    if (!small) {
        MoveChild(&m_toolsButton, kToolsPlace);
        LoadFaces(&m_toolsButton, kToolsFaces);
    }

    m_panelA.RecalcLayout();
    m_functionPanel.RecalcLayout();
    m_panelC.RecalcLayout();
}

namespace {

// The button-set menu: item id and its text, in menu order.
struct MenuItem {
    UINT id;
    UINT text;
};
constexpr MenuItem kButtonSetMenu[] = {
    {1128, IDS_MENU_BASIC_BUTTONS},  {1129, IDS_MENU_ADVANCED_BUTTONS}, {1131, IDS_MENU_CUSTOM_BUTTONS},
    {1130, IDS_MENU_ALL_BUTTONS},    {1132, IDS_MENU_BUTTON_SETUP},
};

// Menu command -> selected set.
struct SetChoice {
    UINT id;
    uint32_t set;
};
constexpr SetChoice kSetChoices[] = {{1128, 1}, {1129, 2}, {1131, 3}, {1130, 0}};

constexpr UINT kScrollRow0 = 864;

} // namespace

void CTeacherWnd::OnPopupMenu(UINT, CPoint point)
{
    if (m_menuOpen)
        return;
    m_menuOpen = true;
    COwnerDrawMenu menu;
    menu.UseClassroomLook();
    MenuItemRecord records[std::size(kButtonSetMenu)] = {};
    if (menu.CreatePopupMenu()) {
        for (size_t i = 0; i < std::size(kButtonSetMenu); ++i) {
            CString text;
            text.LoadString(kButtonSetMenu[i].text);
            kq::CopyTextField(records[i].text, sizeof records[i].text, text.GetString());
            records[i].iconId = COwnerDrawMenu::kNoIcon;
            records[i].selectedIconId = COwnerDrawMenu::kNoIcon;
            menu.AppendMenu(MF_OWNERDRAW, kButtonSetMenu[i].id, reinterpret_cast<LPCSTR>(&records[i]));
        }
        ClientToScreen(&point);
        menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
        menu.DestroyMenu();
    }
    m_menuOpen = false;
}

void CTeacherWnd::OnButtonLayout(UINT id)
{
    for (const SetChoice& choice : kSetChoices)
        if (choice.id == id)
            m_settings.config.ButtonType = choice.set;
    RecalcLayout();
}

void CTeacherWnd::OnScrollSecondGroup(UINT id)
{
    m_secondGroupRow = id == kScrollRow0 ? 0 : 1;
    m_panelC.ScrollSecondGroup(m_secondGroupRow);
}

void CTeacherWnd::OnIgnoredCommand() {}
