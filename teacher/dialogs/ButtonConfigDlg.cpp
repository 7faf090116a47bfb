#include "teacher/dialogs/ButtonConfigDlg.h"

#include "common/TextField.h"
#include "teacher/ButtonSet.h"
#include "teacher/dialogs/DialogControls.h"
#include "teacher/dialogs/MessageBoxes.h"

#include "framework/FileDialog.h"

#include "TeacherResources.h"

#include <iterator>

BEGIN_MESSAGE_MAP(CButtonConfigDlg, CSkinDialog)
    ON_BN_CLICKED(CButtonConfigDlg::kOkId, OnOK)
    ON_BN_CLICKED(CButtonConfigDlg::kCancelId, OnCancel)
    ON_BN_CLICKED(CButtonConfigDlg::kBrowseId, OnBrowse)
END_MESSAGE_MAP()

namespace {

constexpr int kCloseX = 402;
constexpr int kCloseY = 4;

const CRect kOkRect(162, 329, 205, 349);
const CRect kCancelRect(240, 329, 283, 349);
const CRect kTabsRect(11, 26, 420, 318);
const CRect kPageBody(0, 20, 409, 292);
constexpr int kEarPoints = 5;
constexpr POINT kEars[CButtonConfigDlg::kSetCount][kEarPoints] = {
    {{0, 0}, {0, 20}, {103, 20}, {83, 0}, {0, 0}},
    {{83, 0}, {83, 20}, {190, 20}, {170, 0}, {83, 0}},
    {{170, 0}, {170, 20}, {294, 20}, {274, 0}, {170, 0}},
};
constexpr UINT kPageBitmaps[CButtonConfigDlg::kSetCount] = {
    TeacherRes::IDB_BUTTON_PAGE_BASIC, TeacherRes::IDB_BUTTON_PAGE_ADVANCED, TeacherRes::IDB_BUTTON_PAGE_CUSTOM};
constexpr const char* kSetFileNames[] = {"\\BaseButton.txt", "\\AdvButton.txt"};
constexpr int kDefinedSet = 2;

// The boxes come in four groups of button numbers; four boxes to a row.
constexpr int kGroupFirst[] = {0, 6, 27, 31};
constexpr int kGroupCount = 4;
constexpr int kGroupTops[CButtonConfigDlg::kSetCount][kGroupCount] = {
    {54, 94, 204, 227}, {54, 94, 204, 227}, {37, 77, 187, 210}};
constexpr int kBoxLeft = 46;
constexpr int kBoxColumnStep = 83;
constexpr int kBoxRowStep = 17;
constexpr int kBoxesPerRow = 4;
constexpr int kBoxSize = 11;

const CRect kPathRect(135, 250, 311, 266);
const CRect kBrowseRect(320, 249, 346, 267);

constexpr DWORD kBoxStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kPathStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr char kFileFilter[] = "All Files (*.*)|*.*||";

CRect BoxRect(int set, int button)
{
    int group = kGroupCount - 1;
    while (group > 0 && button < kGroupFirst[group])
        --group;
    const int g = button - kGroupFirst[group];
    const int left = kBoxLeft + kBoxColumnStep * (g % kBoxesPerRow);
    const int top = kGroupTops[set][group] + kBoxRowStep * (g / kBoxesPerRow);
    return CRect(left, top, left + kBoxSize, top + kBoxSize);
}

} // namespace

CButtonConfigDlg::CButtonConfigDlg()
    : CSkinDialog(TeacherRes::IDD_BUTTON_CONFIG, kCloseX, kCloseY, TeacherRes::IDB_BUTTON_CONFIG_BACKGROUND, nullptr)
{
}

BOOL CButtonConfigDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    kq::CreateFieldFont(m_font);
    kq::CreateFaceButton(m_ok, this, kOkRect, kOkId, TeacherRes::IDB_OK_UP, TeacherRes::IDB_OK_DOWN);
    kq::CreateFaceButton(m_cancel, this, kCancelRect, kCancelId, TeacherRes::IDB_NO_UP, TeacherRes::IDB_NO_DOWN);
    m_settingFolder = kq::SettingFolder();
    if (m_config == nullptr || !m_pages.Create(kTabsRect, kPageBody, this, kTabsId))
        return TRUE;
    CKqTab* pages[kSetCount] = {};
    for (int set = 0; set < kSetCount; ++set) {
        if (!m_pages.AddPage(kEars[set], kEarPoints, set == 0, kFirstPageId + set, kPageBitmaps[set]))
            return TRUE;
        pages[set] = m_pages.GetPage(kFirstPageId + set);
    }
    for (int set = 0; set < kSetCount; ++set) {
        for (int button = 0; button < kButtonCount; ++button) {
            CButton& box = m_boxes[set][button];
            if (!box.Create(nullptr, kBoxStyle, BoxRect(set, button), pages[set],
                            kFirstBoxId + kButtonCount * set + button))
                continue;
            pages[set]->AddControl(&box);
            box.SetCheck(m_config->buttonFlags[set][button] != 0 ? BST_CHECKED : BST_UNCHECKED);
        }
    }
    CKqTab* custom = pages[kDefinedSet];
    if (m_path.Create(kPathStyle, kPathRect, custom, kPathId)) {
        m_path.SetFont(&m_font);
        m_path.LimitText(sizeof m_config->DefineFilePath - 1);
        m_path.SetWindowText(CString(m_config->DefineFilePath, static_cast<int>(kq::TextFieldLength(
                                         m_config->DefineFilePath, sizeof m_config->DefineFilePath))));
        custom->AddControl(&m_path);
    }
    if (kq::CreateFaceButton(m_browse, custom, kBrowseRect, kBrowseId, TeacherRes::IDB_BROWSE_UP,
                             TeacherRes::IDB_BROWSE_DOWN))
        custom->AddControl(&m_browse);
    // The first page shows, whichever set is in use; the others hide their boxes.
    for (int set = kSetCount - 1; set >= 0; --set)
        pages[set]->Select(set == 0 ? 1 : 0);
    return TRUE;
}

bool CButtonConfigDlg::LoadDefinedSet(const std::string& path)
{
    std::string text;
    if (!kq::ReadWholeFile(path, text))
        return false;
    uint32_t flags[kq::kPanelButtonCount] = {};
    kq::ParseButtonSet(text, flags);
    for (int button = 0; button < kButtonCount; ++button)
        m_boxes[kDefinedSet][button].SetCheck(flags[button] != 0 ? BST_CHECKED : BST_UNCHECKED);
    return true;
}

void CButtonConfigDlg::OnBrowse()
{
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kFileFilter, this);
    if (dialog.DoModal() != IDOK)
        return;
    const CString path = dialog.GetPathName();
    m_path.SetWindowText(path);
    if (!LoadDefinedSet(path.GetString()))
        kq::ShowWarning(TeacherRes::IDS_BUTTON_SET_MISSING);
}

void CButtonConfigDlg::WriteSet(const std::string& path, int set)
{
    if (!kq::WriteWholeFile(path, kq::FormatButtonSet(m_config->buttonFlags[set])))
        kq::ShowWarning(TeacherRes::IDS_BUTTON_SET_MISSING);
}

void CButtonConfigDlg::OnOK()
{
    if (m_config == nullptr) {
        OnCancel();
        return;
    }
    for (int set = 0; set < kSetCount; ++set)
        for (int button = 0; button < kButtonCount; ++button)
            m_config->buttonFlags[set][button] = m_boxes[set][button].GetCheck() == BST_CHECKED ? 1 : 0;
    CString path;
    m_path.GetWindowText(path);
    kq::CopyTextField(m_config->DefineFilePath, path.GetString());

    for (int set = 0; set < static_cast<int>(std::size(kSetFileNames)); ++set)
        WriteSet(m_settingFolder + kSetFileNames[set], set);
    WriteSet(m_config->DefineFilePath, kDefinedSet);

    for (int set = 0; set < kSetCount; ++set) {
        CKqTab* page = m_pages.GetPage(kFirstPageId + set);
        if (page != nullptr && page->IsSelected()) {
            m_config->ButtonType = static_cast<uint32_t>(set + 1);
            break;
        }
    }
    m_pages.RemoveAllPages();
    EndDialog(IDOK);
}

void CButtonConfigDlg::OnCancel()
{
    m_pages.RemoveAllPages();
    EndDialog(IDCANCEL);
}
