#include "student/HandInDlg.h"

#include "student/HandInPath.h"
#include "student/StudentMessages.h"
#include "widgets/StudentLook.h"

#include <commdlg.h>

#include <cstdio>

BEGIN_MESSAGE_MAP(CHandInDlg, CSkinDialog)
    ON_WM_PAINT()
    ON_BN_CLICKED(CHandInDlg::kOkId, OnOkButton)
    ON_BN_CLICKED(CHandInDlg::kCancelId, OnCancelButton)
    ON_BN_CLICKED(CHandInDlg::kBrowseId, OnBrowse)
END_MESSAGE_MAP()

namespace {

constexpr UINT kTemplate = 100;
constexpr UINT kBackground = 164;
constexpr POINT kClosePosition = {269, 4};
constexpr RECT kFieldRect = {80, 62, 229, 78};
constexpr POINT kOkPosition = {91, 123};
constexpr POINT kCancelPosition = {164, 123};
constexpr POINT kBrowsePosition = {243, 61};
constexpr UINT kOkUp = 168, kOkDown = 167;
constexpr UINT kCancelUp = 160, kCancelDown = 159;
constexpr UINT kBrowseUp = 166, kBrowseDown = 165;
constexpr DWORD kPathBufferSize = 1024;

} // namespace

CHandInDlg::CHandInDlg()
    : CSkinDialog(kTemplate, kq::kStudentCornerWidth, kq::kStudentCornerHeight, kClosePosition.x, kClosePosition.y,
                  kBackground, CWnd::GetDesktopWindow(), kq::kStudentSkinLook)
{
}

BOOL CHandInDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    if (!m_field.Create(WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, kFieldRect, this, kPathId) ||
        !m_ok.Create(kOkPosition.x, kOkPosition.y, kOkId, this, WS_VISIBLE) ||
        !m_cancel.Create(kCancelPosition.x, kCancelPosition.y, kCancelId, this, WS_VISIBLE) ||
        !m_browse.Create(kBrowsePosition.x, kBrowsePosition.y, kBrowseId, this, WS_VISIBLE))
        return FALSE;
    m_ok.LoadBitmaps(kOkUp, kOkDown, nullptr, 0);
    m_cancel.LoadBitmaps(kCancelUp, kCancelDown, nullptr, 0);
    m_browse.LoadBitmaps(kBrowseUp, kBrowseDown, nullptr, 0);
    m_field.SetFocus();
    return FALSE; // the focus is set
}

void CHandInDlg::OnPaint()
{
    CSkinDialog::OnPaint();
    m_field.SetFocus();
}

unsigned CHandInDlg::CheckPath(const CString& path)
{
    if (path.IsEmpty())
        return 0;
    if (const unsigned syntax = kq::CheckHandInPathSyntax(path); syntax != 0)
        return syntax;
    const DWORD attributes = ::GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return kq::kHandInNoFile;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return kq::kHandInFolder;
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr)
        return kq::kHandInUnreadable;
    std::fclose(file);
    return 0;
}

void CHandInDlg::OnOkButton()
{
    OnOK();
}

void CHandInDlg::OnOK()
{
    CString path;
    m_field.GetWindowText(path);
    if (path.IsEmpty()) {
        m_field.SetFocus();
        return;
    }
    if (const unsigned message = CheckPath(path); message != 0) {
        kq::ShowStudentMessage(kq::MessageForm::Error, message, CMessageBoxDlg::kCloseAfter120s);
        return;
    }
    m_path = path;
    CSkinDialog::OnOK();
}

void CHandInDlg::OnCancelButton()
{
    OnCancel();
}

void CHandInDlg::OnCancel()
{
    m_path.Empty();
    CSkinDialog::OnCancel();
}

void CHandInDlg::OnBrowse()
{
    char file[kPathBufferSize] = {};
    OPENFILENAMEA open = {};
    open.lStructSize = sizeof open;
    open.hwndOwner = m_hWnd;
    open.lpstrFile = file;
    open.nMaxFile = sizeof file;
    open.Flags = OFN_HIDEREADONLY | OFN_EXPLORER;
    if (!::GetOpenFileNameA(&open))
        file[0] = '\0';
    m_browsedPath = file;
    m_field.SetWindowText(m_browsedPath);
}
