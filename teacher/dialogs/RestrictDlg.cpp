#include "teacher/dialogs/RestrictDlg.h"

#include "common/SwitchList.h"
#include "teacher/InstallFolder.h"
#include "teacher/dialogs/MessageBoxes.h"

#include "TeacherResources.h"

#include <cstdio>

BEGIN_MESSAGE_MAP(CRestrictDlg, CSkinDialog)
    ON_BN_CLICKED(CRestrictDlg::kOkId, OnOK)
    ON_BN_CLICKED(CRestrictDlg::kCloseId, OnCancel)
END_MESSAGE_MAP()

namespace {

constexpr int kCloseX = 402;
constexpr int kCloseY = 4;

constexpr char kRegisterFile[] = "register.ini";
constexpr char kSwitchKey[] = "lastchange";

const CRect kOkRect(163, 330, 206, 350);
const CRect kCloseRect(241, 330, 284, 350);
const CRect kTabsRect(11, 26, 420, 322);
const CRect kPageBody(0, 20, 409, 311);
constexpr POINT kFirstEar[] = {{0, 0}, {0, 20}, {110, 20}, {90, 0}, {0, 0}};
constexpr POINT kSecondEar[] = {{90, 0}, {90, 20}, {184, 20}, {164, 0}, {90, 0}};
constexpr int kEarPoints = 5;

constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | BS_OWNERDRAW;
constexpr DWORD kSwitchStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;

// Each switch's box on its page.
const CRect kSwitchRects[CRestrictDlg::kSwitchCount] = {
    {18, 41, 29, 52},    {18, 62, 29, 73},    {38, 83, 49, 94},    {18, 104, 29, 115},  {38, 125, 49, 136},
    {38, 182, 49, 193},  {38, 203, 49, 214},  {38, 239, 49, 250},  {38, 260, 49, 271},  {237, 125, 248, 136},
    {237, 146, 248, 157}, {237, 182, 248, 193}, {237, 203, 248, 214}, {237, 239, 248, 250}, {237, 260, 248, 271},
    {27, 53, 38, 64},    {27, 71, 38, 82},    {27, 89, 38, 100},   {27, 107, 38, 118},  {27, 125, 38, 136},
    {27, 143, 38, 154},  {27, 161, 38, 172},  {56, 179, 68, 190},  {56, 197, 68, 208},  {27, 215, 38, 226},
    {56, 233, 67, 244},  {224, 55, 235, 66},  {224, 71, 235, 82},
};

// Section "1" holds switch 0.
std::string SectionOf(int index)
{
    return std::to_string(index + 1);
}

} // namespace

CRestrictDlg::CRestrictDlg()
    : CSkinDialog(TeacherRes::IDD_MESSAGE_BOX, kCloseX, kCloseY, TeacherRes::IDB_RESTRICT_BACKGROUND, nullptr)
{
}

BOOL CRestrictDlg::OnInitDialog()
{
    std::string folder;
    if (!kq::ReadInstallFolder(folder)) {
        // Without register.ini there is nothing to show or to store.
        EndDialog(IDCANCEL);
        return FALSE;
    }
    m_file = folder + "\\" + kRegisterFile;
    CSkinDialog::OnInitDialog();

    if (m_ok.Create(nullptr, kButtonStyle, kOkRect, this, kOkId))
        m_ok.LoadBitmaps(TeacherRes::IDB_OK_UP, TeacherRes::IDB_OK_DOWN);
    if (m_close.Create(nullptr, kButtonStyle, kCloseRect, this, kCloseId))
        m_close.LoadBitmaps(TeacherRes::IDB_NO_UP, TeacherRes::IDB_NO_DOWN);

    if (!m_pages.Create(kTabsRect, kPageBody, this, kTabsId) ||
        !m_pages.AddPage(kFirstEar, kEarPoints, TRUE, kFirstPageId, TeacherRes::IDB_RESTRICT_PAGE_SYSTEM) ||
        !m_pages.AddPage(kSecondEar, kEarPoints, FALSE, kSecondPageId, TeacherRes::IDB_RESTRICT_PAGE_NETWORK))
        return TRUE;
    CKqTab* pages[] = {m_pages.GetPage(kFirstPageId), m_pages.GetPage(kSecondPageId)};
    if (pages[0] == nullptr || pages[1] == nullptr)
        return TRUE;
    for (int i = 0; i < kSwitchCount; ++i) {
        CKqTab* page = pages[i < kFirstPageSwitches ? 0 : 1];
        if (!m_switches[i].Create(nullptr, kSwitchStyle, kSwitchRects[i], page, kFirstSwitchId + i))
            continue;
        page->AddControl(&m_switches[i]);
        const UINT on = ::GetPrivateProfileIntA(SectionOf(i).c_str(), kSwitchKey, 0, m_file.c_str());
        m_switches[i].SetCheck(on == 1 ? BST_CHECKED : BST_UNCHECKED);
    }
    // The pages show their own switches and hide the other page's.
    pages[1]->Select(0);
    pages[0]->Select(1);
    return TRUE;
}

bool CRestrictDlg::StoreSwitches()
{
    bool stored = true;
    for (int i = 0; i < kSwitchCount; ++i) {
        const std::string value = std::to_string(m_switches[i].GetCheck() == BST_CHECKED ? 1 : 0);
        if (!::WritePrivateProfileStringA(SectionOf(i).c_str(), kSwitchKey, value.c_str(), m_file.c_str()))
            stored = false; // the others are still tried
    }
    return stored;
}

void CRestrictDlg::OnOK()
{
    const bool stored = StoreSwitches();
    if (m_command != nullptr) {
        kq::SwitchList list = {};
        list.count = kSwitchCount;
        for (int i = 0; i < kSwitchCount; ++i)
            list.pairs[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(m_switches[i].GetCheck() == BST_CHECKED)};
        kq::SetCommandBytes(*m_command, kq::kCommandFirstTextOffset, &list,
                            offsetof(kq::SwitchList, pairs) + kSwitchCount * sizeof(kq::SwitchSetting));
    }
    m_pages.RemoveAllPages();
    if (stored) {
        kq::ShowWarning(TeacherRes::IDS_RESTRICT_STORED);
    } else {
        kq::ShowWarningText(("使用限制设置无法写入 " + m_file + "，学生机仍将收到这次的设置。").c_str());
    }
    CSkinDialog::OnOK();
}

void CRestrictDlg::OnCancel()
{
    m_pages.RemoveAllPages();
    CSkinDialog::OnCancel();
}
