#include "teacher/dialogs/WebSiteEntryDlg.h"

#include "framework/FileDialog.h"
#include "teacher/PathSyntax.h"
#include "teacher/WebSiteEntry.h"
#include "teacher/dialogs/MessageBoxes.h"

#include "TeacherResources.h"

BEGIN_MESSAGE_MAP(CWebSiteEntryDlg, CSkinDialog)
    ON_BN_CLICKED(CWebSiteEntryDlg::kOkId, OnOK)
    ON_BN_CLICKED(CWebSiteEntryDlg::kCloseId, OnCloseButton)
    ON_BN_CLICKED(CWebSiteEntryDlg::kBrowseId, OnBrowse)
END_MESSAGE_MAP()

namespace {

constexpr int kCloseX = 269;
constexpr int kCloseY = 4;
constexpr int kFontTenthsOfPoint = 90;
constexpr char kFontFace[] = "宋体";
constexpr char kHtmlFilter[] = "Html Files(*.html;*.htm)|*.html; *.htm|All Files (*.*)|*.*||";

const CRect kFileRect(94, 91, 243, 107);
const CRect kNameRect(94, 57, 243, 74);
const CRect kBrowseRect(245, 90, 271, 108);
const CRect kCloseRect(164, 123, 207, 143);
const CRect kOkRect(91, 123, 134, 143);

constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | BS_OWNERDRAW;
constexpr DWORD kFieldStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;

UINT MessageFor(kq::SiteEntryProblem problem)
{
    switch (problem) {
    case kq::SiteEntryProblem::EmptyName:
        return TeacherRes::IDS_SITE_NAME_EMPTY;
    case kq::SiteEntryProblem::NameTooLong:
        return TeacherRes::IDS_SITE_NAME_TOO_LONG;
    case kq::SiteEntryProblem::ForbiddenCharacter:
        return TeacherRes::IDS_SITE_NAME_BAD_CHARACTER;
    case kq::SiteEntryProblem::BadPath:
        return TeacherRes::IDS_PATH_REJECTED;
    case kq::SiteEntryProblem::NotAFile:
        return TeacherRes::IDS_FILE_MISSING;
    case kq::SiteEntryProblem::None:
        break;
    }
    return 0;
}

} // namespace

namespace kq {
bool AcceptSiteEntry(SiteEntryProblem problem)
{
    if (problem == SiteEntryProblem::None)
        return true;
    ShowWarning(MessageFor(problem));
    return false;
}
} // namespace kq

CWebSiteEntryDlg::CWebSiteEntryDlg(UINT backgroundId)
    : CSkinDialog(TeacherRes::IDD_WAIT_BOX, kCloseX, kCloseY, backgroundId, nullptr)
{
}

BOOL CWebSiteEntryDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    if (!m_font.CreatePointFont(kFontTenthsOfPoint, kFontFace))
        return FALSE;
    if (!m_ok.Create(nullptr, kButtonStyle, kOkRect, this, kOkId) ||
        !m_close.Create(nullptr, kButtonStyle, kCloseRect, this, kCloseId) ||
        !m_browse.Create(nullptr, kButtonStyle, kBrowseRect, this, kBrowseId))
        return FALSE;
    m_ok.LoadBitmaps(TeacherRes::IDB_OK_UP, TeacherRes::IDB_OK_DOWN);
    m_close.LoadBitmaps(TeacherRes::IDB_NO_UP, TeacherRes::IDB_NO_DOWN);
    m_browse.LoadBitmaps(TeacherRes::IDB_BROWSE_UP, TeacherRes::IDB_BROWSE_DOWN);
    m_name.Create(kFieldStyle, kNameRect, this, kNameId);
    m_name.LimitText(static_cast<int>(kq::kMaxSiteNameBytes));
    m_name.SetFont(&m_font);
    m_file.Create(kFieldStyle, kFileRect, this, kFileId);
    m_file.SetFont(&m_font);
    if (!m_siteName.IsEmpty())
        m_name.SetWindowText(m_siteName);
    if (!m_fileName.IsEmpty())
        m_file.SetWindowText(m_fileName);
    m_name.SetFocus();
    return FALSE; // the focus is set
}

void CWebSiteEntryDlg::OnBrowse()
{
    CFileDialog chooser(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, kHtmlFilter, this);
    if (chooser.DoModal() != IDOK)
        return;
    const CString path = chooser.GetPathName();
    m_file.SetWindowText(path);
    CString name;
    m_name.GetWindowText(name);
    if (name.IsEmpty())
        m_name.SetWindowText(kq::SiteNameFromFile(std::string(path)).c_str());
}

void CWebSiteEntryDlg::OnOK()
{
    CString name, file;
    m_name.GetWindowText(name);
    m_file.GetWindowText(file);
    name.Trim();
    file.Trim();
    const std::string path(file);
    if (!kq::AcceptSiteEntry(kq::CheckSiteEntry(std::string(name), path, kq::GetPathType(path.c_str()))))
        return; // stays open with the texts as they are
    m_siteName = name;
    m_fileName = file;
    CSkinDialog::OnOK();
}

void CWebSiteEntryDlg::OnCloseButton()
{
    EndDialog(IDCANCEL);
}
