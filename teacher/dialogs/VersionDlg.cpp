#include "teacher/dialogs/VersionDlg.h"

#include "common/ProgramFolder.h"
#include "teacher/StartupText.h"

namespace {

constexpr RECT kLabelRect = {143, 63, 282, 75};
constexpr UINT kLabelId = 0xFFFF;

} // namespace

BOOL CVersionDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    const std::string profile = kq::GetProgramFolder() + "Teacher.ini";
    const unsigned versionId =
        ::GetPrivateProfileIntA("VER", "VersionID", static_cast<int>(kDefaultVersionId), profile.c_str());
    m_label.Create(kq::VersionText(versionId).c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT, kLabelRect, this, kLabelId);
    m_label.SetBackColor(kLabelBackground);
    return TRUE;
}
