// CTeacherWnd: web access control (buttons 319 and 320), the web site list
// it opens, the students' link-list requests, and the restrictions (642).

#include "teacher/TeacherWnd.h"

#include "common/LinkListDatagram.h"
#include "teacher/Globals.h"
#include "teacher/dialogs/MessageBoxes.h"
#include "teacher/dialogs/RestrictDlg.h"
#include "teacher/dialogs/WebSiteListDlg.h"

#include "TeacherResources.h"

namespace {

constexpr WORD kCodeRestrictions = 30;
constexpr WORD kCodeWebLinkList = 38;

constexpr UINT kWebControlButton = 319;
constexpr UINT kWebShareButton = 320;

bool FileExists(const std::string& path)
{
    WIN32_FIND_DATAA found = {};
    const HANDLE search = ::FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    ::FindClose(search);
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

} // namespace

// ---- Web access control ----

void CTeacherWnd::StartWebControl(uint8_t mode)
{
    m_webAccess.SwitchTo(mode, kq::MakeWebStartSettings(Options(), m_path), true);
}

void CTeacherWnd::StartWebSiteControl(uint8_t mode, std::string& siteFile)
{
    const kq::WebStartSettings settings = kq::MakeWebStartSettings(Options(), m_path);
    siteFile = settings.siteFile;
    const bool exists = !siteFile.empty() && FileExists(siteFile);
    if (m_webAccess.SwitchTo(mode, settings, exists) == kq::WebSwitchResult::NotStarted)
        kq::ShowWarning(TeacherRes::IDS_WEB_SITE_FILE_MISSING);
}

void CTeacherWnd::ShowWebFaces()
{
    const int state = m_webAccess.State();
    if (kq::WebFilterOn(state))
        SetFaces(m_functionPanel.Toggle(kWebControlButton), TeacherRes::IDB_WEB_CONTROL_ON_UP,
                 TeacherRes::IDB_WEB_CONTROL_ON_DOWN, TeacherRes::IDB_WEB_CONTROL_ON_FOCUS, 0);
    else
        SetFaces(m_functionPanel.Toggle(kWebControlButton), TeacherRes::IDB_WEB_CONTROL_UP,
                 TeacherRes::IDB_WEB_CONTROL_DOWN, TeacherRes::IDB_WEB_CONTROL_FOCUS,
                 TeacherRes::IDB_WEB_CONTROL_DISABLED);
    if (kq::WebSitesShared(state))
        SetFaces(m_functionPanel.Toggle(kWebShareButton), TeacherRes::IDB_WEB_SHARE_ON_UP,
                 TeacherRes::IDB_WEB_SHARE_ON_DOWN, TeacherRes::IDB_WEB_SHARE_ON_FOCUS, 0);
    else
        SetFaces(m_functionPanel.Toggle(kWebShareButton), TeacherRes::IDB_WEB_SHARE_UP,
                 TeacherRes::IDB_WEB_SHARE_DOWN, TeacherRes::IDB_WEB_SHARE_FOCUS, TeacherRes::IDB_WEB_SHARE_DISABLED);
}

void CTeacherWnd::OnWebControl()
{
    if (!m_webAccess.Available()) {
        kq::ShowWarning(TeacherRes::IDS_WEB_CONTROL_UNAVAILABLE);
        return;
    }
    switch (m_webAccess.State()) {
    case kq::kWebFilter:
        m_webAccess.StopService();
        break;
    case kq::kWebSites:
        StartWebControl(kq::kWebModeFilterAndSites);
        break;
    case kq::kWebFilterAndSites: {
        std::string siteFile; // the sites stay shared as they are
        StartWebSiteControl(kq::kWebModeSites, siteFile);
        break;
    }
    default:
        StartWebControl(kq::kWebModeFilter);
        break;
    }
    ShowWebFaces();
}

void CTeacherWnd::OnWebShare()
{
    if (!m_webAccess.Available()) {
        kq::ShowWarning(TeacherRes::IDS_WEB_CONTROL_UNAVAILABLE);
        return;
    }
    const int state = m_webAccess.State();
    if (state == kq::kWebSites) {
        m_webAccess.StopService();
        m_linkList.Clear();
        CloseStudentLinkLists();
        ShowWebFaces();
        return;
    }
    if (state == kq::kWebFilterAndSites) {
        StartWebControl(kq::kWebModeFilter);
        ShowWebFaces();
        return;
    }
    std::string siteFile;
    StartWebSiteControl(state == kq::kWebOff ? kq::kWebModeSites : kq::kWebModeFilterAndSites, siteFile);
    ShowWebFaces();
    if (siteFile.empty())
        return;
    // The students' browsers are pointed at the proxy only when it runs;
    // the list opens anyway, so that a missing file can be made by adding.
    if (kq::WebSitesShared(m_webAccess.State())) {
        kq::ClearCommand(m_command);
        m_command.block.code = kCodeWebLinkList;
        kq::SetCommandWord(m_command, kq::kCommandFirstTextOffset, Options().SharePort);
        SendCommand();
    }
    OpenWebSiteList(siteFile);
}

void CTeacherWnd::OpenWebSiteList(const std::string& siteFile)
{
    CWebSiteListDlg dialog;
    dialog.SetService(m_webAccess.Get());
    dialog.SetGroupAddress(Config().classroomGroup);
    dialog.SetMainPort(Config().MainPort);
    dialog.SetLinkList(&m_linkList);
    dialog.SetFile(siteFile);
    dialog.DoModal();
}

void CTeacherWnd::CloseStudentLinkLists()
{
    const kq::LinkListShort close = kq::MakeLinkListShort(kq::kLinkListClose);
    for (int i = 0; i < kq::kLinkListRepeats; ++i) {
        SendOnClassroomSocket(&close, sizeof close);
        ::Sleep(kq::kLinkListPauseMs);
    }
}

void CTeacherWnd::LinkListRequested()
{
    if (kq::WebSitesShared(m_webAccess.State()))
        m_linkListSender.Request();
}

void CTeacherWnd::StopLinkListSender()
{
    m_linkListSender.Stop();
}

// ---- Restrictions ----

void CTeacherWnd::OnRestrictions()
{
    if (m_studentBusy) {
        kq::ShowWarning(TeacherRes::IDS_RESTRICT_REFUSED);
        return;
    }
    if (g_bStuNoDisk == 1) {
        kq::ShowWarning(TeacherRes::IDS_DISKLESS_REFUSED);
        return;
    }
    if (!BeginCommand())
        return;
    CRestrictDlg dialog;
    dialog.SetCommand(&m_command);
    if (dialog.DoModal() != IDOK)
        return;
    // The whole class; the selection stays in the block unread.
    m_command.block.targetCount = 0;
    m_command.block.code = kCodeRestrictions;
    SendCommand();
}
