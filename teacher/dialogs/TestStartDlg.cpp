#include "teacher/dialogs/TestStartDlg.h"

#include "common/ProgramFolder.h"
#include "common/TextField.h"
#include "framework/File.h"
#include "framework/FileException.h"
#include "teacher/ComponentImports.h"
#include "teacher/OnlineTestRules.h"
#include "teacher/PathSyntax.h"
#include "teacher/dialogs/DialogControls.h"
#include "teacher/dialogs/MessageBoxes.h"
#include "teacher/dialogs/TestFileDialogs.h"

#include "TeacherResources.h"

#include <commctrl.h>

#include <string>

using namespace TeacherRes;

BEGIN_MESSAGE_MAP(CTestStartDlg, CSkinDialog)
    ON_BN_CLICKED(CTestStartDlg::kStartId, OnStart)
    ON_BN_CLICKED(CTestStartDlg::kCancelId, OnCancelButton)
    ON_BN_CLICKED(CTestStartDlg::kBrowsePaperId, OnBrowsePaper)
    ON_BN_CLICKED(CTestStartDlg::kBrowseAnswerId, OnBrowseAnswer)
END_MESSAGE_MAP()

namespace {

const CRect kPaperRect(104, 49, 252, 64);
const CRect kAnswerRect(104, 74, 252, 89);
const CRect kTextARect(104, 99, 252, 114);
const CRect kMinutesRect(104, 124, 234, 139);
const CRect kSpinRect(237, 123, 254, 139);
const CRect kTextBRect(104, 149, 252, 164);
const CRect kOptionARect(48, 179, 59, 190);
const CRect kOptionBRect(48, 204, 59, 215);
const CRect kStartRect(106, 254, 170, 274);
const CRect kCancelRect(200, 254, 243, 274);
const CRect kBrowsePaperRect(267, 48, 293, 66);
const CRect kBrowseAnswerRect(267, 73, 293, 91);

constexpr DWORD kEntryStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kSpinStyle = WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_ALIGNRIGHT;
constexpr DWORD kOptionStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
// The texts' fields hold 40 bytes and the terminator.
constexpr int kTextLimit = 40;

// The help page each start failure names in its message.
struct StartFailure {
    int result;
    UINT message;
};
constexpr StartFailure kFailuresWithHelp[] = {
    {kq::kTestStartNoNetwork, IDS_TEST_NETWORK_FAILED},
    {kq::kTestStartNoAnswerFile, IDS_TEST_ANSWER_UNWRITABLE},
    {kq::kTestStartNoPaper, IDS_TEST_PAPER_UNREADABLE},
};

int32_t Ticked(const CButton& box)
{
    return box.GetCheck() == BST_CHECKED ? 1 : 0;
}

} // namespace

CTestStartDlg::CTestStartDlg(UINT templateId, int closeX, int closeY, UINT backgroundId, CWnd* parent)
    : CSkinDialog(templateId, closeX, closeY, backgroundId, parent)
{
}

BOOL CTestStartDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    kq::CreateFieldFont(m_font);
    m_paperEdit.Create(kEntryStyle, kPaperRect, this, kPaperId);
    m_answerEdit.Create(kEntryStyle, kAnswerRect, this, kAnswerId);
    m_textAEdit.Create(kEntryStyle, kTextARect, this, kTextAId);
    m_textAEdit.LimitText(kTextLimit);
    m_minutesEdit.Create(kEntryStyle | ES_NUMBER, kMinutesRect, this, kMinutesId);
    m_spin.Create(kSpinStyle, kSpinRect, this, kSpinId);
    m_spin.SetBuddy(&m_minutesEdit);
    m_spin.SetRange(kq::kMinTestMinutes, kq::kMaxTestMinutes);
    m_spin.SetPos(kq::kDefaultTestMinutes);
    m_textBEdit.Create(kEntryStyle, kTextBRect, this, kTextBId);
    m_textBEdit.LimitText(kTextLimit);
    m_optionA.Create(nullptr, kOptionStyle, kOptionARect, this, kOptionAId);
    m_optionB.Create(nullptr, kOptionStyle, kOptionBRect, this, kOptionBId);
    kq::CreateFaceButton(m_start, this, kStartRect, kStartId, IDB_TEST_START_BUTTON_UP, IDB_TEST_START_BUTTON_DOWN);
    kq::CreateFaceButton(m_cancel, this, kCancelRect, kCancelId, IDB_NO_UP, IDB_NO_DOWN);
    kq::CreateFaceButton(m_browsePaper, this, kBrowsePaperRect, kBrowsePaperId, IDB_BROWSE_UP, IDB_BROWSE_DOWN);
    kq::CreateFaceButton(m_browseAnswer, this, kBrowseAnswerRect, kBrowseAnswerId, IDB_BROWSE_UP, IDB_BROWSE_DOWN);

    if (!m_initialPaper.IsEmpty()) {
        m_paperEdit.SetWindowText(m_initialPaper);
        const std::string paper(m_initialPaper.GetString());
        m_answerEdit.SetWindowText(kq::DefaultAnswerPath(kq::GetProgramFolder(), paper).c_str());
    }
    for (CEdit* entry : {&m_paperEdit, &m_answerEdit, &m_textBEdit, &m_textAEdit, &m_minutesEdit})
        entry->SetFont(&m_font);
    return TRUE;
}

CString CTestStartDlg::Entry(const CEdit& edit, bool trimmed) const
{
    CString text;
    edit.GetWindowText(text);
    if (trimmed)
        text.Trim();
    return text;
}

bool CTestStartDlg::ReadEntries()
{
    m_paperPath = Entry(m_paperEdit, true);
    if (kq::CheckPathSyntax(m_paperPath) != kq::kPathValid || kq::GetPathType(m_paperPath) != kq::kPathIsFile) {
        kq::ShowWarning(IDS_PAPER_PATH_INVALID);
        return false;
    }
    m_answerPath = Entry(m_answerEdit, true);
    if (kq::CheckPathSyntax(m_answerPath) != kq::kPathValid) {
        kq::ShowWarning(IDS_ANSWER_PATH_INVALID);
        return false;
    }
    const std::string answer = kq::WithAnswerExtension(std::string(m_answerPath.GetString()));
    if (answer != m_answerPath.GetString()) {
        m_answerPath = answer.c_str();
        m_answerEdit.SetWindowText(m_answerPath);
    }
    m_textA = Entry(m_textAEdit, true);
    if (m_textA.IsEmpty()) {
        kq::ShowWarning(IDS_TEST_TEXT_A_EMPTY);
        return false;
    }
    // Only 1 to 150 minutes start a test; the spin cannot stop a typed 0.
    m_minutesText = Entry(m_minutesEdit, false);
    m_minutes = kq::ParseTestLength(std::string(m_minutesText.GetString()));
    if (m_minutes == 0) {
        kq::ShowWarning(IDS_TEST_MINUTES_INVALID);
        return false;
    }
    m_textB = Entry(m_textBEdit, true);
    if (m_textB.IsEmpty()) {
        kq::ShowWarning(IDS_TEST_TEXT_B_EMPTY);
        return false;
    }
    return true;
}

void CTestStartDlg::ReadPaperSize()
{
    CFile paper;
    CFileException error;
    if (!paper.Open(m_paperPath, CFile::modeRead | CFile::shareDenyNone, &error)) {
        error.ReportError();
        return;
    }
    m_paperSize = static_cast<int32_t>(paper.GetLength());
    paper.Close();
}

void CTestStartDlg::OnStart()
{
    if (!ReadEntries())
        return;
    ReadPaperSize();
    T_AbortTest(); // whatever test the library still runs ends here

    m_record = kq::TestStartRecord{};
    m_record.optionB = Ticked(m_optionB);
    m_record.optionA = Ticked(m_optionA);
    kq::CopyTextField(m_record.textB, m_textB);
    kq::CopyTextField(m_record.textA, m_textA);
    m_record.minutes = static_cast<uint16_t>(m_minutes);
    m_record.paperSize = m_paperSize;

    const uint16_t targets = m_block != nullptr ? m_block->targetCount : 0;
    const int result = T_StartTest(&m_record, m_paperPath, m_answerPath, targets);
    if (result > 0)
        m_testId = result;
    if (AcceptStartResult(result))
        EndDialog(IDOK);
}

bool CTestStartDlg::AcceptStartResult(int result)
{
    for (const StartFailure& failure : kFailuresWithHelp) {
        if (failure.result == result) {
            kq::ShowWarningWithHelp(failure.message);
            return false;
        }
    }
    if (result == kq::kTestStartFailed) {
        kq::ShowWarning(IDS_TEST_START_FAILED);
        return false;
    }
    return true;
}

void CTestStartDlg::OnOK()
{
    OnStart();
}

void CTestStartDlg::OnCancelButton()
{
    EndDialog(IDCANCEL);
}

void CTestStartDlg::OnBrowsePaper()
{
    CString paper;
    if (!kq::ChooseTestPaper(this, kq::kBrowsePaperFlags, paper))
        return;
    m_paperEdit.SetWindowText(paper);
    if (m_answerEdit.GetWindowTextLength() == 0)
        m_answerEdit.SetWindowText(
            kq::DefaultAnswerPath(kq::GetProgramFolder(), std::string(paper.GetString())).c_str());
}

void CTestStartDlg::OnBrowseAnswer()
{
    CString answer;
    if (kq::ChooseAnswerFile(this, true, kq::kSaveAnswerFlags, answer))
        m_answerEdit.SetWindowText(answer);
}
