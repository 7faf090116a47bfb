// Command panel C: the two groups of test buttons and their frames.

#include "teacher/CommandPanelC.h"

#include "teacher/PanelLayout.h"
#include "teacher/PanelPainting.h"

#include "TeacherResources.h"

namespace {

using namespace TeacherRes;
using kqpanel::ButtonRow;

constexpr UINT kOverlayButtonId = 606;

// In table order: the first group (601, 602, 603, 608), then the second.
constexpr ButtonRow kButtons[] = {
    {601, {17, 8, 99, 37}, {IDB_MAKE_PAPER_UP, IDB_MAKE_PAPER_DOWN, IDB_MAKE_PAPER_HOVER, IDB_MAKE_PAPER_DISABLED}, 0},
    {602, {132, 8, 214, 37}, {IDB_START_TEST_UP, IDB_START_TEST_DOWN, IDB_START_TEST_HOVER, IDB_START_TEST_DISABLED}, 0},
    {603, {17, 39, 99, 68}, {IDB_OPEN_PAPER_UP, IDB_OPEN_PAPER_DOWN, IDB_OPEN_PAPER_HOVER, IDB_OPEN_PAPER_DISABLED}, 0},
    {608, {132, 39, 214, 68}, {IDB_LENGTHEN_TEST_UP, IDB_LENGTHEN_TEST_DOWN, IDB_LENGTHEN_TEST_HOVER, IDB_LENGTHEN_TEST_DISABLED}, 0},
    {605, {17, 100, 99, 129}, {IDB_TEST_MONITOR_UP, IDB_TEST_MONITOR_DOWN, IDB_TEST_MONITOR_HOVER, IDB_TEST_MONITOR_DISABLED}, 0},
    {606, {132, 100, 214, 129}, {IDB_TEST_BLANK_SCREEN_UP, IDB_TEST_BLANK_SCREEN_DOWN, IDB_TEST_BLANK_SCREEN_FOCUS, IDB_TEST_BLANK_SCREEN_DISABLED}, 0},
    {607, {17, 132, 99, 161}, {IDB_TEST_NOTICE_UP, IDB_TEST_NOTICE_DOWN, IDB_TEST_NOTICE_HOVER, IDB_TEST_NOTICE_DISABLED}, 0},
    {610, {132, 132, 214, 161}, {IDB_END_TEST_UP, IDB_END_TEST_DOWN, IDB_END_TEST_HOVER, IDB_END_TEST_DISABLED}, 0},
    {609, {17, 164, 99, 193}, {IDB_ABORT_TEST_UP, IDB_ABORT_TEST_DOWN, IDB_ABORT_TEST_HOVER, IDB_ABORT_TEST_DISABLED}, 0},
    {612, {132, 164, 214, 193}, {IDB_SHOW_ANSWERS_UP, IDB_SHOW_ANSWERS_DOWN, IDB_SHOW_ANSWERS_HOVER, IDB_SHOW_ANSWERS_DISABLED}, 0},
    {611, {17, 196, 99, 225}, {IDB_COMMENT_PAPER_UP, IDB_COMMENT_PAPER_DOWN, IDB_COMMENT_PAPER_HOVER, IDB_COMMENT_PAPER_DISABLED}, 0},
    {613, {132, 196, 214, 225}, {IDB_TEST_STATISTICS_UP, IDB_TEST_STATISTICS_DOWN, IDB_TEST_STATISTICS_HOVER, IDB_TEST_STATISTICS_DISABLED}, 0},
};

} // namespace

BEGIN_MESSAGE_MAP(CCommandPanelC, CCommandPanel)
    ON_WM_ERASEBKGND()
    ON_WM_CREATE()
END_MESSAGE_MAP()

int CCommandPanelC::OnCreate(LPCREATESTRUCT createStruct)
{
    if (CWnd::OnCreate(createStruct) == -1)
        return -1;
    for (const ButtonRow& row : kButtons) {
        if (row.id == kOverlayButtonId)
            kqpanel::CreateToggle(m_overlayButton, this, row);
        else
            kqpanel::AddHoverButton(m_buttons, this, row, kqpanel::Frames::None);
    }
    RecalcLayout();
    return 0;
}

void CCommandPanelC::RecalcLayout()
{
    if (m_config == nullptr)
        return;
    const auto places = kq::LayoutPanelC(*m_config);
    for (size_t k = 0; k < places.size(); ++k)
        kqpanel::Place(Button(m_config->buttonIds[kq::kPanelCFirst + k]), places[k], kq::kLargeButtonWidth,
                       kq::kLargeButtonHeight);
}

void CCommandPanelC::ScrollSecondGroup(int row)
{
    std::array<kq::ButtonPlace, kq::kPanelCSecondGroupCount> places{};
    if (!kq::ScrollSecondGroupPlaces(row, places))
        return;
    for (size_t k = 0; k < places.size(); ++k) {
        const UINT id = kButtons[kq::kPanelCFirstGroupCount + k].id;
        kqpanel::Place(Button(id), places[k], kq::kLargeButtonWidth, kq::kLargeButtonHeight);
    }
}

CButton* CCommandPanelC::Button(UINT id)
{
    if (m_overlayButton.GetSafeHwnd() != nullptr && static_cast<UINT>(m_overlayButton.GetDlgCtrlID()) == id)
        return &m_overlayButton;
    return m_buttons.FindById(id);
}

BOOL CCommandPanelC::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    if (m_config == nullptr || client.Height() < kq::kFrameMinHeight)
        return TRUE;
    std::array<kq::PanelFrame, 2> frames{};
    const int count = kq::PanelCFrames(*m_config, frames);
    for (int i = 0; i < count; ++i)
        kqpanel::PaintFrame(dc->GetSafeHdc(), client.Width(), frames[i]);
    return TRUE;
}
