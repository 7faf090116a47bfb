// CTeacherWnd: the announcement before an update push, help (402), F5, the
// group tabs of the tool page (550-556) and their repaint when the seat
// map's selection is cleared (0x438).

#include "teacher/TeacherWnd.h"

#include "common/ConfigNotice.h"
#include "common/ConfigNoticeSender.h"
#include "common/ProgramFolder.h"
#include "teacher/ButtonEnabling.h"
#include "teacher/Globals.h"
#include "teacher/SeatStates.h"
#include "teacher/ToggleFaces.h"
#include "teacher/dialogs/MessageBoxes.h"

#include "TeacherResources.h"

#include <shellapi.h>

namespace {

constexpr WORD kCodeRefresh = 12;
constexpr UINT kRefreshButton = 318;
constexpr char kHelpPage[] = "help\\help.htm";
constexpr int kWholeClass = 0;
constexpr int kGroupCount = 6;
constexpr UINT kFirstGroupTab = 550;

// m_tabs holds the whole-class tab first, then groups one to six.
constexpr size_t kWholeClassTab = 0;

} // namespace

// ---- Update announcement ----

int CTeacherWnd::AnnounceUpdate(uint16_t value)
{
    kq::ConfigNotice notice = kq::MakeTeacherUpdateNotice(value, Config().VersionID);
    return kq::SendConfigNotice(notice, kq::StampRule::Fresh) < 0 ? 0 : 1;
}

// ---- Help and F5 ----

void CTeacherWnd::OnHelp()
{
    const std::string page = kq::GetProgramFolder() + kHelpPage;
    const auto result =
        reinterpret_cast<INT_PTR>(::ShellExecuteA(m_hWnd, "open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result == ERROR_FILE_NOT_FOUND)
        kq::ShowWarning(TeacherRes::IDS_HELP_MISSING);
}

void CTeacherWnd::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    if (key == VK_F5 && !IsIconic()) {
        CButton* refresh = m_functionPanel.Button(kRefreshButton);
        if (refresh != nullptr && refresh->GetSafeHwnd() != nullptr && refresh->IsWindowEnabled()) {
            kq::ClearCommand(m_command);
            m_command.block.code = kCodeRefresh;
            SendCommand();
        }
    }
    CWnd::OnKeyDown(key, repeat, flags);
}

// ---- Group tabs ----

void CTeacherWnd::OnGroupTab(UINT id)
{
    const int group = static_cast<int>(id - kFirstGroupTab) + 1;
    if (m_seatMap == nullptr || group < 1 || group > kGroupCount)
        return;
    if (m_wholeClassTab && m_seatMap->IsGroupSelected(kWholeClass)) {
        for (int other = 1; other <= kGroupCount; ++other)
            if (other != group)
                m_seatMap->SelectGroup(other, 0);
        SetTabPressed(m_tabs[kWholeClassTab], false);
        SetTabPressed(m_tabs[group], true);
        m_wholeClassTab = false;
        return;
    }
    if (m_seatMap->IsGroupSelected(group)) {
        SetTabPressed(m_tabs[group], false);
        m_seatMap->SelectGroup(group, 0);
    } else {
        SetTabPressed(m_tabs[group], true);
        m_seatMap->SelectGroup(group, 1);
    }
}

void CTeacherWnd::OnWholeClassTab()
{
    if (m_seatMap == nullptr)
        return;
    if (m_wholeClassTab && m_seatMap->IsGroupSelected(kWholeClass)) {
        SetTabPressed(m_tabs[kWholeClassTab], false);
        m_seatMap->SelectGroup(kWholeClass, 0);
        m_wholeClassTab = false;
        return;
    }
    SetTabPressed(m_tabs[kWholeClassTab], true);
    for (int group = 1; group <= kGroupCount; ++group)
        SetTabPressed(m_tabs[group], false);
    m_seatMap->SelectGroup(kWholeClass, 1);
    m_wholeClassTab = true;
}

LRESULT CTeacherWnd::OnRepaintToolPages(WPARAM, LPARAM)
{
    for (CToggleBitmapButton& tab : m_tabs)
        SetTabPressed(tab, false);
    m_wholeClassTab = false;
    SetToggleFaces(kq::kChatToggle, false);
    if (m_seatMap == nullptr)
        return 0;
    uint16_t online = 0;
    uint8_t seats[kq::kMaxTargetSeats] = {};
    if (!m_seatMap->GetOnlineSeats(&online, seats) || online == 0)
        return 0;
    auto anyIn = [this](int state) {
        uint16_t count = 0;
        uint8_t list[kq::kMaxTargetSeats] = {};
        return m_seatMap->GetSeatsInState(state, &count, list) && count > 0;
    };
    if (ActivityState == kq::kActivityBlankScreen) {
        const bool overlay = anyIn(kq::kSeatOverlay);
        SetToggleFaces(kq::kBlankScreenToggle, overlay);
        m_collecting = overlay ? 1 : 0;
    } else if (ActivityState == kq::kActivityTextOverlay) {
        const bool overlay = anyIn(kq::kSeatOverlayInTest) || anyIn(kq::kSeatOverlay);
        SetToggleFaces(kq::kTestOverlayToggle, overlay);
        m_collecting = overlay ? 1 : 0;
    }
    return 0;
}
