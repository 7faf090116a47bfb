// Command panel A: its buttons, their creation and layout.

#include "teacher/CommandPanelA.h"

#include "teacher/PanelLayout.h"
#include "teacher/PanelPainting.h"

#include "TeacherResources.h"

namespace {

using namespace TeacherRes;
using kqpanel::ButtonRow;

constexpr UINT kChannelButtonId = 504;

// In table order; 504 is the toggle.
constexpr ButtonRow kButtons[] = {
    {501, {17, 6, 99, 35}, {IDB_BROADCAST_UP, IDB_BROADCAST_DOWN, IDB_BROADCAST_HOVER, IDB_BROADCAST_DISABLED}, IDS_TIP_BROADCAST},
    {503, {140, 6, 222, 35}, {IDB_DEMONSTRATE_UP, IDB_DEMONSTRATE_DOWN, IDB_DEMONSTRATE_HOVER, IDB_DEMONSTRATE_DISABLED}, IDS_TIP_DEMONSTRATE},
    {504, {17, 37, 99, 66}, {IDB_VIDEO_UP, IDB_VIDEO_DOWN, IDB_VIDEO_FOCUS, IDB_VIDEO_DISABLED}, IDS_TIP_VIDEO},
    {505, {140, 37, 222, 66}, {IDB_REMOTE_CONTROL_UP, IDB_REMOTE_CONTROL_DOWN, IDB_REMOTE_CONTROL_HOVER, IDB_REMOTE_CONTROL_DISABLED}, IDS_TIP_REMOTE_CONTROL},
    {502, {17, 68, 99, 97}, {IDB_MONITOR_UP, IDB_MONITOR_DOWN, IDB_MONITOR_HOVER, IDB_MONITOR_DISABLED}, IDS_TIP_MONITOR},
    {506, {140, 68, 222, 97}, {IDB_MULTI_MONITOR_UP, IDB_MULTI_MONITOR_DOWN, IDB_MULTI_MONITOR_HOVER, IDB_MULTI_MONITOR_DISABLED}, IDS_TIP_MULTI_MONITOR},
};

} // namespace

BEGIN_MESSAGE_MAP(CCommandPanelA, CToolTipPanel)
    ON_WM_CREATE()
END_MESSAGE_MAP()

int CCommandPanelA::OnCreate(LPCREATESTRUCT createStruct)
{
    if (CWnd::OnCreate(createStruct) == -1)
        return -1;
    CreateToolTip();
    for (const ButtonRow& row : kButtons) {
        const bool created = row.id == kChannelButtonId
                                 ? kqpanel::CreateToggle(m_channelButton, this, row)
                                 : kqpanel::AddHoverButton(m_buttons, this, row, kqpanel::Frames::None);
        if (created)
            m_toolTip.AddTool(Button(row.id), row.tip);
    }
    RecalcLayout();
    return 0;
}

void CCommandPanelA::RecalcLayout()
{
    if (m_config == nullptr)
        return;
    const auto places = kq::LayoutPanelA(*m_config);
    for (size_t k = 0; k < places.size(); ++k)
        kqpanel::Place(Button(m_config->buttonIds[kq::kPanelAFirst + k]), places[k], kq::kLargeButtonWidth,
                       kq::kLargeButtonHeight);
}

CButton* CCommandPanelA::Button(UINT id)
{
    if (m_channelButton.GetSafeHwnd() != nullptr && static_cast<UINT>(m_channelButton.GetDlgCtrlID()) == id)
        return &m_channelButton;
    return m_buttons.FindById(id);
}
