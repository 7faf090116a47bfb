#include "student/VersionDlg.h"

#include "common/StudentIni.h"
#include "common/StudentIniKeys.h"
#include "widgets/StudentLook.h"

namespace {

constexpr UINT kTemplate = 100;
constexpr UINT kBackground = 161;
constexpr POINT kClosePosition = {269, 4};
constexpr RECT kLabelRect = {214, 62, 252, 76};
constexpr COLORREF kLabelColour = 0xF9E5AB;
// The version is read as at most five characters.
constexpr DWORD kVersionBuffer = 6;
// What an unset version shows.
constexpr char kDefaultVersion[] = "700";

} // namespace

CVersionDlg::CVersionDlg()
    : CSkinDialog(kTemplate, kq::kStudentCornerWidth, kq::kStudentCornerHeight, kClosePosition.x,
                  kClosePosition.y, kBackground, CWnd::GetDesktopWindow(), kq::kStudentSkinLook),
      m_label(0, kq::kStudentSkinLook)
{
}

BOOL CVersionDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();

    char version[kVersionBuffer] = {};
    ::GetPrivateProfileStringA("VER", "VersionID", kq::studentini::kAbsentText, version, kVersionBuffer, m_configPath);
    m_version = kq::IsAbsentText(version) ? kDefaultVersion : version;

    m_label.SetBackColor(kLabelColour);
    m_label.Create(m_version, WS_VISIBLE | SS_LEFT, kLabelRect, this, kLabelId);
    return TRUE;
}
