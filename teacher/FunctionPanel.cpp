// The function panel: its buttons, their creation and layout with paging.

#include "teacher/FunctionPanel.h"

#include "teacher/PanelLayout.h"
#include "teacher/PanelPainting.h"

#include "TeacherResources.h"

namespace {

using namespace TeacherRes;
using kqpanel::ButtonRow;

constexpr UINT kPreviousPageId = 861;
constexpr UINT kNextPageId = 862;

// In table order; `toggle` rows are toggle buttons, the rest hover buttons.
struct FunctionRow {
    bool toggle;
    ButtonRow row;
};
constexpr FunctionRow kButtons[] = {
    {true, {300, {0, 0, 63, 21}, {IDB_MEDIA_UP, IDB_MEDIA_DOWN, IDB_MEDIA_FOCUS, IDB_MEDIA_DISABLED}, IDS_TIP_MEDIA}},
    {false, {301, {71, 0, 134, 21}, {IDB_TUTOR_UP, IDB_TUTOR_DOWN, IDB_TUTOR_HOVER, IDB_TUTOR_DISABLED}, IDS_TIP_TUTOR}},
    {false, {302, {142, 0, 205, 21}, {IDB_INTERACT_UP, IDB_INTERACT_DOWN, IDB_INTERACT_HOVER, IDB_INTERACT_DISABLED}, IDS_TIP_INTERACT}},
    {false, {303, {0, 29, 63, 50}, {IDB_NOTICE_UP, IDB_NOTICE_DOWN, IDB_NOTICE_HOVER, IDB_NOTICE_DISABLED}, IDS_TIP_NOTICE}},
    {true, {304, {71, 29, 134, 50}, {IDB_BLANK_SCREEN_UP, IDB_BLANK_SCREEN_DOWN, IDB_BLANK_SCREEN_FOCUS, IDB_BLANK_SCREEN_DISABLED}, IDS_TIP_BLANK_SCREEN}},
    {true, {305, {142, 29, 205, 50}, {IDB_SCREEN_LOCK_UP, IDB_SCREEN_LOCK_DOWN, IDB_SCREEN_LOCK_FOCUS, IDB_SCREEN_LOCK_DISABLED}, IDS_TIP_SCREEN_LOCK}},
    {false, {306, {0, 58, 63, 79}, {IDB_EXERCISE_UP, IDB_EXERCISE_DOWN, IDB_EXERCISE_HOVER, IDB_EXERCISE_DISABLED}, IDS_TIP_EXERCISE}},
    {false, {307, {71, 58, 134, 79}, {IDB_SEND_FILES_UP, IDB_SEND_FILES_DOWN, IDB_SEND_FILES_HOVER, IDB_SEND_FILES_DISABLED}, IDS_TIP_SEND_FILES}},
    {false, {308, {142, 58, 205, 79}, {IDB_HOMEWORK_UP, IDB_HOMEWORK_DOWN, IDB_HOMEWORK_HOVER, IDB_HOMEWORK_DISABLED}, IDS_TIP_HOMEWORK}},
    {true, {309, {0, 87, 63, 108}, {IDB_CHAT_UP, IDB_CHAT_DOWN, IDB_CHAT_FOCUS, IDB_CHAT_DISABLED}, IDS_TIP_CHAT}},
    {false, {310, {71, 87, 134, 108}, {IDB_GROUP_TALK_UP, IDB_GROUP_TALK_DOWN, IDB_GROUP_TALK_HOVER, IDB_GROUP_TALK_DISABLED}, IDS_TIP_GROUP_TALK}},
    {false, {311, {142, 87, 205, 108}, {IDB_GROUP_TEACH_UP, IDB_GROUP_TEACH_DOWN, IDB_GROUP_TEACH_HOVER, IDB_GROUP_TEACH_DISABLED}, IDS_TIP_GROUP_TEACH}},
    {false, {312, {0, 116, 63, 137}, {IDB_GROUP_SETUP_UP, IDB_GROUP_SETUP_DOWN, IDB_GROUP_SETUP_HOVER, 0}, IDS_TIP_GROUP_SETUP}},
    {false, {313, {71, 116, 134, 137}, {IDB_SEAT_EDIT_UP, IDB_SEAT_EDIT_DOWN, IDB_SEAT_EDIT_HOVER, IDB_SEAT_EDIT_DISABLED}, IDS_TIP_SEAT_EDIT}},
    {false, {314, {142, 116, 205, 137}, {IDB_QUIT_STUDENTS_UP, IDB_QUIT_STUDENTS_DOWN, IDB_QUIT_STUDENTS_HOVER, IDB_QUIT_STUDENTS_DISABLED}, IDS_TIP_QUIT_STUDENTS}},
    {false, {315, {0, 145, 63, 166}, {IDB_MESSAGE_UP, IDB_MESSAGE_DOWN, IDB_MESSAGE_HOVER, IDB_MESSAGE_DISABLED}, IDS_TIP_MESSAGE}},
    {true, {316, {71, 145, 134, 166}, {IDB_ROLL_CALL_UP, IDB_ROLL_CALL_DOWN, IDB_ROLL_CALL_FOCUS, IDB_ROLL_CALL_DISABLED}, IDS_TIP_ROLL_CALL}},
    {false, {317, {142, 145, 205, 166}, {IDB_CLASSROOM_UP, IDB_CLASSROOM_DOWN, IDB_CLASSROOM_HOVER, IDB_CLASSROOM_DISABLED}, IDS_TIP_CLASSROOM}},
    {false, {318, {0, 174, 63, 195}, {IDB_REFRESH_UP, IDB_REFRESH_DOWN, IDB_REFRESH_HOVER, IDB_REFRESH_DISABLED}, IDS_TIP_REFRESH}},
    {true, {319, {71, 174, 134, 195}, {IDB_WEB_CONTROL_UP, IDB_WEB_CONTROL_DOWN, IDB_WEB_CONTROL_FOCUS, IDB_WEB_CONTROL_DISABLED}, IDS_TIP_WEB_CONTROL}},
    {true, {320, {142, 174, 205, 195}, {IDB_WEB_SHARE_UP, IDB_WEB_SHARE_DOWN, IDB_WEB_SHARE_FOCUS, IDB_WEB_SHARE_DISABLED}, IDS_TIP_WEB_SHARE}},
};

// The page buttons: created at the panel's bottom edge, moved a little
// higher by later layouts.
constexpr int kPageButtonWidth = 12;
constexpr int kPageButtonHeight = 8;
constexpr int kPreviousCreateX = 19;
constexpr int kNextCreateX = 191;
constexpr int kCreateBottomGap = 3;
constexpr int kPreviousMoveX = 27;
constexpr int kNextMoveX = 199;
constexpr int kMoveTopGap = 19;

std::unique_ptr<CBitmapButton> CreatePageButton(CWnd* panel, UINT id, int x, int bottom, UINT released,
                                                UINT pressed)
{
    auto button = std::make_unique<CBitmapButton>();
    const CRect rect(x, bottom - kPageButtonHeight, x + kPageButtonWidth, bottom);
    if (!button->Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, rect, panel, id))
        return nullptr;
    button->LoadBitmaps(released, pressed);
    return button;
}

} // namespace

BEGIN_MESSAGE_MAP(CFunctionPanel, CToolTipPanel)
    ON_WM_CREATE()
    ON_COMMAND(kPreviousPageId, OnPreviousPage)
    ON_COMMAND(kNextPageId, OnNextPage)
END_MESSAGE_MAP()

CFunctionPanel::CFunctionPanel() = default;

CFunctionPanel::~CFunctionPanel() = default;

int CFunctionPanel::OnCreate(LPCREATESTRUCT createStruct)
{
    if (CWnd::OnCreate(createStruct) == -1)
        return -1;
    CreateToolTip();
    size_t toggle = 0;
    for (const FunctionRow& b : kButtons) {
        const bool created = b.toggle ? kqpanel::CreateToggle(m_toggles[toggle++], this, b.row)
                                      : kqpanel::AddHoverButton(m_buttons, this, b.row, kqpanel::Frames::Default);
        if (created)
            m_toolTip.AddTool(Button(b.row.id), b.row.tip);
    }
    RecalcLayout();
    return 0;
}

void CFunctionPanel::RecalcLayout()
{
    if (m_config == nullptr)
        return;
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int set = kq::SelectedButtonSet(*m_config);
    if (screenWidth == kq::kSmallScreenWidth && set != m_lastSet) {
        m_page = 1;
        m_lastSet = set;
    }
    const kq::FunctionPanelLayout layout = kq::LayoutFunctionPanel(*m_config, screenWidth, m_height, m_page);
    for (size_t k = 0; k < layout.buttons.size(); ++k)
        kqpanel::Place(Button(m_config->buttonIds[kq::kFunctionFirst + k]), layout.buttons[k],
                       kq::kFunctionButtonWidth, kq::kFunctionButtonHeight);
    if (!layout.paging) {
        ShowPageButtons(false, false);
        return;
    }
    if (m_previousPage == nullptr || m_nextPage == nullptr) {
        m_previousPage = CreatePageButton(this, kPreviousPageId, kPreviousCreateX, m_height - kCreateBottomGap,
                                          IDB_PAGE_PREVIOUS_UP, IDB_PAGE_PREVIOUS_DOWN);
        m_nextPage = CreatePageButton(this, kNextPageId, kNextCreateX, m_height - kCreateBottomGap,
                                      IDB_PAGE_NEXT_UP, IDB_PAGE_NEXT_DOWN);
    } else {
        m_previousPage->MoveWindow(kPreviousMoveX, m_height - kMoveTopGap, kPageButtonWidth, kPageButtonHeight);
        m_nextPage->MoveWindow(kNextMoveX, m_height - kMoveTopGap, kPageButtonWidth, kPageButtonHeight);
    }
    ShowPageButtons(layout.showPrevious, layout.showNext);
}

void CFunctionPanel::ShowPageButtons(bool previous, bool next)
{
    if (m_previousPage != nullptr)
        m_previousPage->ShowWindow(previous ? SW_SHOW : SW_HIDE);
    if (m_nextPage != nullptr)
        m_nextPage->ShowWindow(next ? SW_SHOW : SW_HIDE);
}

void CFunctionPanel::OnPreviousPage()
{
    if (m_page > 1)
        --m_page;
    RecalcLayout();
}

void CFunctionPanel::OnNextPage()
{
    // The next-page button only shows while a further page exists.
    if (m_nextPage != nullptr && m_nextPage->IsWindowVisible())
        ++m_page;
    RecalcLayout();
}

CButton* CFunctionPanel::Button(UINT id)
{
    if (CToggleBitmapButton* toggle = Toggle(id))
        return toggle;
    return m_buttons.FindById(id);
}

CToggleBitmapButton* CFunctionPanel::Toggle(UINT id)
{
    for (CToggleBitmapButton& toggle : m_toggles)
        if (toggle.GetSafeHwnd() != nullptr && static_cast<UINT>(toggle.GetDlgCtrlID()) == id)
            return &toggle;
    return nullptr;
}
