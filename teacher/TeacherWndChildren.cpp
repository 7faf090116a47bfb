// The main window's own children: title buttons, power and page buttons,
// the tab strip, the clock, the version button and the school's logo.

#include "teacher/TeacherWnd.h"

#include "common/ProgramFolder.h"

#include "TeacherResources.h"

#include <iterator>

namespace {

using namespace TeacherRes;

constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | BS_OWNERDRAW;
// The seat map: id and place on the main window.
constexpr UINT kSeatMapId = 1234;
constexpr RECT kSeatMapRect = {21, 20, 542, 530};

struct ChildRect {
    UINT id;
    int left, top, right, bottom;
};

struct FaceSet {
    UINT released, pressed, hover, disabled;
};

// Hover buttons of the button list, with their tooltip (0: none).
struct ListButton {
    ChildRect rect;
    FaceSet faces;
    UINT tip;
};
constexpr ListButton kListButtons[] = {
    {{401, 746, 16, 762, 30}, {IDB_MINIMIZE_UP, IDB_MINIMIZE_DOWN, IDB_MINIMIZE_HOVER, 0}, 0},
    {{402, 726, 16, 742, 30}, {IDB_HELP_UP, IDB_HELP_DOWN, IDB_HELP_HOVER, 0}, 0},
    {{511, 605, 468, 652, 508}, {IDB_SHUTDOWN_UP, IDB_SHUTDOWN_DOWN, IDB_SHUTDOWN_HOVER, 0}, IDS_TIP_SHUTDOWN},
    {{512, 666, 468, 713, 508}, {IDB_RESTART_UP, IDB_RESTART_DOWN, IDB_RESTART_HOVER, 0}, IDS_TIP_RESTART},
    {{513, 726, 468, 773, 508}, {IDB_POWER_ON_UP, IDB_POWER_ON_DOWN, IDB_POWER_ON_HOVER, 0}, IDS_TIP_POWER_ON},
};

// The plain bitmap buttons: released, selected, focus, disabled faces.
constexpr ChildRect kCloseRect = {400, 766, 16, 782, 30};
constexpr FaceSet kCloseFaces = {IDB_CLOSE_UP, IDB_CLOSE_DOWN, IDB_CLOSE_HOVER, 0};
constexpr ChildRect kHandUpRect = {790, 558, 469, 592, 502};
constexpr FaceSet kHandUpFaces = {IDB_HAND_UP_FORBIDDEN, IDB_HAND_UP_ALLOWED, 0, IDB_HAND_UP_DISABLED};
constexpr ChildRect kTeachPageRect = {521, 546, 100, 628, 124};
constexpr FaceSet kTeachPageFaces = {IDB_TEACH_PAGE_DOWN, IDB_TEACH_PAGE_UP, 0, 0};
constexpr ChildRect kTestPageRect = {522, 628, 100, 710, 124};
constexpr FaceSet kTestPageFaces = {IDB_TEST_PAGE_UP, IDB_TEST_PAGE_DOWN, 0, 0};

// The group tabs, which toggle: the class, then groups one to six.
struct ToggleButton {
    ChildRect rect;
    FaceSet faces;
};
constexpr ToggleButton kTabs[] = {
    {{556, 33, 540, 60, 560}, {IDB_TAB_CLASS_UP, IDB_TAB_CLASS_DOWN, IDB_TAB_CLASS_FOCUS, 0}},
    {{550, 81, 540, 108, 560}, {IDB_TAB_GROUP1_UP, IDB_TAB_GROUP1_DOWN, IDB_TAB_GROUP1_FOCUS, 0}},
    {{551, 127, 540, 154, 560}, {IDB_TAB_GROUP2_UP, IDB_TAB_GROUP2_DOWN, IDB_TAB_GROUP2_FOCUS, 0}},
    {{552, 177, 540, 204, 560}, {IDB_TAB_GROUP3_UP, IDB_TAB_GROUP3_DOWN, IDB_TAB_GROUP3_FOCUS, 0}},
    {{553, 225, 540, 252, 560}, {IDB_TAB_GROUP4_UP, IDB_TAB_GROUP4_DOWN, IDB_TAB_GROUP4_FOCUS, 0}},
    {{554, 273, 540, 300, 560}, {IDB_TAB_GROUP5_UP, IDB_TAB_GROUP5_DOWN, IDB_TAB_GROUP5_FOCUS, 0}},
    {{555, 321, 540, 348, 560}, {IDB_TAB_GROUP6_UP, IDB_TAB_GROUP6_DOWN, IDB_TAB_GROUP6_FOCUS, 0}},
};
constexpr ToggleButton kSettingsTab = {{641, 381, 540, 444, 560}, {IDB_SETTINGS_UP, IDB_SETTINGS_DOWN, IDB_SETTINGS_FOCUS, 0}};
constexpr ToggleButton kRestrictTab = {{642, 432, 540, 536, 560}, {IDB_RESTRICT_UP, IDB_RESTRICT_DOWN, IDB_RESTRICT_FOCUS, 0}};
constexpr ToggleButton kToolsTab = {{643, 496, 540, 536, 560}, {IDB_TOOLS_UP, IDB_TOOLS_DOWN, IDB_TOOLS_FOCUS, 0}};

constexpr ChildRect kClockRect = {836, 569, 15, 626, 28};
constexpr ChildRect kVersionRect = {867, 709, 39, 782, 120};
constexpr ChildRect kLogoRect = {0xFFFF, 549, 519, 779, 570};

CRect RectOf(const ChildRect& r)
{
    return CRect(r.left, r.top, r.right, r.bottom);
}

bool CreateBitmapButton(CBitmapButton& button, CWnd* parent, const ChildRect& r, const FaceSet& faces)
{
    if (!button.Create("", kButtonStyle, RectOf(r), parent, r.id))
        return false;
    button.LoadBitmaps(faces.released, faces.pressed, faces.hover, faces.disabled); // a missing face is drawn blank
    return true;
}

bool CreateToggle(CToggleBitmapButton& button, CWnd* parent, const ToggleButton& t, bool toggles)
{
    button.EnableToggle(toggles ? 1 : 0);
    return CreateBitmapButton(button, parent, t.rect, t.faces);
}

} // namespace

int CTeacherWnd::CreateChildWindows()
{
    m_seatMap = new CKqListCtrl;
    if (!m_seatMap->Create(this, kSeatMapId, &kSeatMapRect))
        return 0;
    bool created = CreateBitmapButton(m_closeButton, this, kCloseRect, kCloseFaces);
    for (const ListButton& b : kListButtons) {
        const ChildRect& r = b.rect;
        created &= m_buttons.AddButton(this, r.id, r.left, r.top, r.right, r.bottom, 0, nullptr,
                                       CHoverButton::kHoverStyle, b.faces.released, b.faces.pressed, b.faces.hover,
                                       b.faces.disabled) != FALSE;
        m_buttons.SetFrames(0, r.id, 0);
        if (b.tip != 0)
            m_toolTip.AddTool(m_buttons.FindById(r.id), b.tip);
    }
    created &= CreateBitmapButton(m_handUpButton, this, kHandUpRect, kHandUpFaces);
    created &= CreateBitmapButton(m_teachPageButton, this, kTeachPageRect, kTeachPageFaces);
    created &= CreateBitmapButton(m_testPageButton, this, kTestPageRect, kTestPageFaces);
    for (size_t i = 0; i < std::size(kTabs); ++i)
        created &= CreateToggle(m_tabs[i], this, kTabs[i], true);
    created &= CreateToggle(m_settingsButton, this, kSettingsTab, false);
    created &= CreateToggle(m_restrictButton, this, kRestrictTab, false);
    created &= CreateToggle(m_toolsButton, this, kToolsTab, false);
    m_toolTip.AddTool(&m_restrictButton, IDS_TIP_RESTRICT);
    m_toolTip.AddTool(&m_toolsButton, IDS_TIP_TOOLS);

    created &= m_clock.Create("", WS_CHILD | WS_VISIBLE, RectOf(kClockRect), this, kClockRect.id) != FALSE;
    m_clock.Start();
    created &= m_versionButton.Create("", kButtonStyle, RectOf(kVersionRect), this, kVersionRect.id) != FALSE;
    created &= CreatePanels();
    LoadLogo();
    return created ? 1 : 0;
}

void CTeacherWnd::LoadLogo()
{
    const std::string file = kq::PathInProgramFolder(m_settings.logoFile);
    if (!file.empty())
        m_logoBitmap = static_cast<HBITMAP>(::LoadImageA(nullptr, file.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    const DWORD visible = m_logoBitmap != nullptr ? WS_VISIBLE : 0;
    if (!m_logo.Create(m_settings.options.schoolname, WS_CHILD | visible | SS_BITMAP | SS_CENTERIMAGE,
                       RectOf(kLogoRect), this, kLogoRect.id))
        return;
    if (m_logoBitmap != nullptr)
        m_logo.SetBitmap(m_logoBitmap);
}
