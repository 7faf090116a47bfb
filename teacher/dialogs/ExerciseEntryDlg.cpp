#include "teacher/dialogs/ExerciseEntryDlg.h"

#include "framework/FileDialog.h"
#include "teacher/ExerciseFile.h"
#include "teacher/OnlineTestRules.h"
#include "teacher/dialogs/DialogControls.h"
#include "teacher/dialogs/MessageBoxes.h"

#include "TeacherResources.h"

#include <string>

using namespace TeacherRes;

BEGIN_MESSAGE_MAP(CExerciseEntryDlg, CSkinDialog)
    ON_BN_CLICKED(CExerciseEntryDlg::kOkId, OnOK)
    ON_BN_CLICKED(CExerciseEntryDlg::kCloseId, OnCancel)
    ON_BN_CLICKED(CExerciseEntryDlg::kBrowseId, OnBrowse)
END_MESSAGE_MAP()

namespace {

constexpr int kCloseX = 269;
constexpr int kCloseY = 4;
constexpr char kProgramFilter[] = "可执行文件(*.exe)|*.exe|All Files (*.*)|*.*||";

const CRect kProgramRect(80, 80, 229, 96);
const CRect kNameRect(80, 52, 229, 68);
const CRect kBrowseRect(243, 79, 269, 97);
const CRect kCloseRect(164, 123, 207, 143);
const CRect kOkRect(91, 123, 134, 143);

constexpr DWORD kFieldStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;

} // namespace

CExerciseEntryDlg::CExerciseEntryDlg(UINT backgroundId)
    : CSkinDialog(IDD_WAIT_BOX, kCloseX, kCloseY, backgroundId, nullptr)
{
}

void CExerciseEntryDlg::SetProgram(const CString& program)
{
    if (!program.IsEmpty())
        m_initialProgram = program;
}

void CExerciseEntryDlg::SetName(const CString& name)
{
    if (!name.IsEmpty())
        m_initialName = name;
}

BOOL CExerciseEntryDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    if (!kq::CreateFieldFont(m_font) ||
        !kq::CreateFaceButton(m_ok, this, kOkRect, kOkId, IDB_ADD_UP, IDB_ADD_HOVER) ||
        !kq::CreateFaceButton(m_close, this, kCloseRect, kCloseId, IDB_NO_UP, IDB_NO_DOWN) ||
        !kq::CreateFaceButton(m_browse, this, kBrowseRect, kBrowseId, IDB_BROWSE_UP, IDB_BROWSE_DOWN))
        return FALSE;
    m_program.Create(kFieldStyle, kProgramRect, this, kProgramId);
    m_name.Create(kFieldStyle, kNameRect, this, kNameId);
    m_program.SetFont(&m_font);
    m_name.SetFont(&m_font);
    if (m_editMode) {
        if (!m_initialProgram.IsEmpty())
            m_program.SetWindowText(m_initialProgram);
        if (!m_initialName.IsEmpty())
            m_name.SetWindowText(m_initialName);
    }
    m_name.SetFocus();
    return FALSE; // the focus is set
}

void CExerciseEntryDlg::OnBrowse()
{
    CFileDialog chooser(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, kProgramFilter, this);
    if (chooser.DoModal() != IDOK)
        return;
    const CString path = chooser.GetPathName();
    m_program.SetWindowText(path);
    if (m_name.GetWindowTextLength() == 0)
        m_name.SetWindowText(kq::NameWithoutExtension(std::string(path.GetString())).c_str());
}

void CExerciseEntryDlg::OnOK()
{
    CString name, program;
    m_name.GetWindowText(name);
    m_program.GetWindowText(program);
    name.Trim();
    program.Trim();
    const std::string path(program.GetString());
    UINT problem = 0;
    if (name.IsEmpty())
        problem = IDS_EXERCISE_NAME_EMPTY;
    else if (name.GetLength() > static_cast<int>(kq::kMaxExerciseNameBytes))
        problem = IDS_EXERCISE_NAME_TOO_LONG;
    else if (!m_editMode && kq::CheckExercisePath(path) != kq::kExercisePathValid)
        problem = IDS_PATH_REJECTED;
    // An edited path is taken as it is, but never one longer than its field.
    else if (m_editMode && path.size() > kq::kMaxExerciseProgramBytes)
        problem = IDS_PATH_REJECTED;
    if (problem != 0) {
        kq::ShowWarning(problem);
        return; // stays open with the texts as they are
    }
    m_nameResult = name;
    m_programResult = program;
    CSkinDialog::OnOK();
}

void CExerciseEntryDlg::OnCancel()
{
    // An edited exercise that is not confirmed goes back into the list as it
    // was: the list keeps the texts it handed over.
    EndDialog(IDCANCEL);
}
