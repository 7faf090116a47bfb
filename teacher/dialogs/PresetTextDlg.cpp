#include "teacher/dialogs/PresetTextDlg.h"

#include "common/TextField.h"
#include "teacher/dialogs/DialogControls.h"
#include "teacher/dialogs/MessageBoxes.h"

#include "TeacherResources.h"

namespace {

using namespace TeacherRes;

const CRect kTextBoxRect(78, 59, 256, 79);
constexpr int kTextBoxWidth = 178;
constexpr int kDroppedHeight = 500; // the height of the dropped list
const CRect kCancelRect(164, 123, 207, 143);
const CRect kConfirmRect(91, 123, 134, 143);
constexpr DWORD kTextBoxStyle = WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL;

} // namespace

BEGIN_MESSAGE_MAP(CPresetTextDlg, CSkinDialog)
    ON_BN_CLICKED(CPresetTextDlg::kConfirmId, OnConfirm)
    ON_BN_CLICKED(CPresetTextDlg::kCancelId, OnCancel)
END_MESSAGE_MAP()

CPresetTextDlg::CPresetTextDlg(UINT templateId, int closeX, int closeY, UINT backgroundId, CWnd*)
    : CSkinDialog(templateId, closeX, closeY, backgroundId, nullptr),
      m_presets{IDS_PRESET_TEXT_1, IDS_PRESET_TEXT_2, IDS_PRESET_TEXT_3, IDS_PRESET_TEXT_4, IDS_PRESET_TEXT_5}
{
}

BOOL CPresetTextDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    kq::CreateFaceButton(m_confirm, this, kConfirmRect, kConfirmId, IDB_OK_UP, IDB_OK_DOWN);
    kq::CreateFaceButton(m_cancel, this, kCancelRect, kCancelId, IDB_NO_UP, IDB_NO_DOWN);
    m_textBox.Create(kTextBoxStyle, kTextBoxRect, this, kTextBoxId);
    m_textBox.SetWindowPos(nullptr, kTextBoxRect.left, kTextBoxRect.top, kTextBoxWidth, kDroppedHeight,
                           SWP_NOZORDER | SWP_NOACTIVATE);
    for (UINT id : m_presets) {
        CString preset;
        preset.LoadString(id);
        m_textBox.AddString(preset);
    }
    m_textBox.LimitText(kMaxCharacters);
    if (!m_presets.empty()) {
        CString first;
        first.LoadString(m_presets.front());
        m_textBox.SetWindowText(first);
    }
    kq::CreateFieldFont(m_font);
    m_textBox.SetFont(&m_font);
    return TRUE;
}

void CPresetTextDlg::OnConfirm()
{
    CString text;
    m_textBox.GetWindowText(text);
    text.TrimRight();
    text.TrimLeft();
    // A picked preset may be longer than typing allows.
    if (kq::Cp936CharacterCount(text) > static_cast<size_t>(kMaxCharacters)) {
        kq::ShowWarning(IDS_PRESET_TEXT_TOO_LONG);
        return;
    }
    m_text = text;
    EndDialog(IDOK);
}

void CPresetTextDlg::OnOK()
{
    OnConfirm();
}
