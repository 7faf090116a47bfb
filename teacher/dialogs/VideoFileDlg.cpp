#include "teacher/dialogs/VideoFileDlg.h"

#include "common/ProgramFolder.h"
#include "framework/FileDialog.h"
#include "teacher/PathSyntax.h"
#include "teacher/dialogs/MessageBoxLayout.h"
#include "teacher/dialogs/MessageBoxes.h"
#include "teacher/dialogs/VideoChannelRules.h"

#include "TeacherResources.h"

#include <string>

BEGIN_MESSAGE_MAP(CVideoFileDlg, CSkinDialog)
    ON_BN_CLICKED(CVideoFileDlg::kConfirmId, OnConfirm)
    ON_BN_CLICKED(CVideoFileDlg::kBrowseId, OnBrowse)
    ON_BN_CLICKED(CVideoFileDlg::kCancelId, OnCancelButton)
END_MESSAGE_MAP()

namespace {

// Each field holds a whole line of its 9-point text: 17 pixel rows.
const CRect kPathRect(82, 84, 230, 101);
const CRect kNameRect(82, 43, 230, 60);
const CRect kBrowseRect(243, 84, 269, 102);
const CRect kCancelRect(164, 123, 207, 143);
const CRect kConfirmRect(91, 123, 134, 143);

constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kOpenOptions = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
constexpr char kVideoFilter[] = "Vcd Files(*.dat;*.mpg)|*.dat; *.mpg|All Files (*.*)|*.*||";
constexpr char kDriveRoot[] = "C:\\";

CString Trimmed(const CEdit& edit)
{
    CString text;
    edit.GetWindowText(text);
    text.TrimRight();
    text.TrimLeft();
    return text;
}

} // namespace

CVideoFileDlg::CVideoFileDlg(UINT templateId, int closeX, int closeY, UINT backgroundId, CWnd* parent)
    : CSkinDialog(templateId, closeX, closeY, backgroundId, parent)
{
}

BOOL CVideoFileDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    const DWORD buttonStyle = kq::message_box::kButtonStyle;
    if (!m_confirm.Create(nullptr, buttonStyle, kConfirmRect, this, kConfirmId) ||
        !m_confirm.LoadBitmaps(TeacherRes::IDB_OK_UP, TeacherRes::IDB_OK_DOWN))
        return FALSE;
    if (!m_cancel.Create(nullptr, buttonStyle, kCancelRect, this, kCancelId) ||
        !m_cancel.LoadBitmaps(TeacherRes::IDB_NO_UP, TeacherRes::IDB_NO_DOWN))
        return FALSE;
    if (!m_browse.Create(nullptr, buttonStyle, kBrowseRect, this, kBrowseId) ||
        !m_browse.LoadBitmaps(TeacherRes::IDB_BROWSE_UP, TeacherRes::IDB_BROWSE_DOWN))
        return FALSE;
    if (!m_nameEdit.Create(kEditStyle, kNameRect, this, kNameEditId))
        return FALSE;
    m_nameEdit.SetFont(GetFont());
    m_nameEdit.LimitText(kNameTypingLimit);
    if (!m_pathEdit.Create(kEditStyle, kPathRect, this, kPathEditId))
        return FALSE;
    m_pathEdit.SetFont(GetFont());
    m_nameEdit.SetFocus();
    return FALSE; // the focus is set
}

void CVideoFileDlg::OnOK()
{
    OnConfirm();
}

void CVideoFileDlg::OnConfirm()
{
    m_filePath = Trimmed(m_pathEdit);
    m_channelName = Trimmed(m_nameEdit);
    if (m_channelName.IsEmpty()) {
        kq::ShowWarning(TeacherRes::IDS_CHANNEL_NAME_EMPTY);
        return;
    }
    if (kq::CheckPathSyntax(m_filePath) != kq::kPathValid) {
        kq::ShowWarning(TeacherRes::IDS_PATH_REJECTED);
        return;
    }
    if (kq::GetPathType(m_filePath) != kq::kPathIsFile) {
        kq::ShowWarning(TeacherRes::IDS_FILE_MISSING);
        return;
    }
    EndDialog(IDOK);
}

void CVideoFileDlg::OnBrowse()
{
    CFileDialog browser(TRUE, nullptr, nullptr, kOpenOptions, kVideoFilter, AfxGetMainWnd());
    char current[MAX_PATH] = {};
    ::GetCurrentDirectoryA(sizeof current, current);
    if (kq::BrowseFromDriveRoot(current, kq::GetProgramFolder()))
        browser.m_ofn.lpstrInitialDir = kDriveRoot;
    if (browser.DoModal() != IDOK)
        return;
    const CString path = browser.GetPathName();
    m_pathEdit.SetWindowText(path);
    if (m_nameEdit.GetWindowTextLength() == 0)
        m_nameEdit.SetWindowText(kq::ChannelNameFromFile(path.GetString()).c_str());
}

void CVideoFileDlg::OnCancelButton()
{
    OnCancel();
}
