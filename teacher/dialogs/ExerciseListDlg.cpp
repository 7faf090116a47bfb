#include "teacher/dialogs/ExerciseListDlg.h"

#include "common/ProgramFolder.h"
#include "framework/File.h"
#include "framework/FileException.h"
#include "teacher/ExerciseFile.h"
#include "teacher/dialogs/DialogControls.h"
#include "teacher/dialogs/ExerciseEntryDlg.h"
#include "teacher/dialogs/MessageBoxes.h"

#include "TeacherResources.h"

#include <vector>

using namespace TeacherRes;

BEGIN_MESSAGE_MAP(CExerciseListDlg, CSkinDialog)
    ON_BN_CLICKED(CExerciseListDlg::kAddId, OnAdd)
    ON_BN_CLICKED(CExerciseListDlg::kEditId, OnEdit)
    ON_BN_CLICKED(CExerciseListDlg::kDeleteId, OnDelete)
    ON_BN_CLICKED(CExerciseListDlg::kChooseId, OnChoose)
    ON_BN_CLICKED(CExerciseListDlg::kCloseId, OnCloseButton)
END_MESSAGE_MAP()

namespace {

constexpr int kCloseX = 320;
constexpr int kCloseY = 4;

const CRect kChooseRect(278, 38, 321, 58);
const CRect kAddRect(278, 63, 321, 83);
const CRect kEditRect(278, 88, 321, 108);
const CRect kDeleteRect(278, 113, 321, 133);
const CRect kCloseRect(278, 200, 321, 220);
const CRect kListRect(15, 36, 235, 223);

constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS;
constexpr DWORD kListExStyle = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;
constexpr int kNameColumn = 0;
constexpr int kProgramColumn = 1;
constexpr int kNameColumnWidth = 64;
constexpr int kProgramColumnWidth = 155;

// A list larger than this is no exercise list.
constexpr ULONGLONG kMaxFileBytes = 16u * 1024u * 1024u;

} // namespace

CExerciseListDlg::CExerciseListDlg()
    : CSkinDialog(IDD_MESSAGE_BOX, kCloseX, kCloseY, IDB_EXERCISE_LIST_BACKGROUND, nullptr)
{
}

std::string CExerciseListDlg::ListFile()
{
    return kq::PathInProgramFolder(kq::kExerciseFileName);
}

BOOL CExerciseListDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    if (!kq::CreateFaceButton(m_choose, this, kChooseRect, kChooseId, IDB_SEND_UP, IDB_SEND_DOWN) ||
        !kq::CreateFaceButton(m_add, this, kAddRect, kAddId, IDB_ADD_UP, IDB_ADD_HOVER) ||
        !kq::CreateFaceButton(m_edit, this, kEditRect, kEditId, IDB_EDIT_UP, IDB_EDIT_HOVER) ||
        !kq::CreateFaceButton(m_delete, this, kDeleteRect, kDeleteId, IDB_DELETE_UP, IDB_DELETE_HOVER) ||
        !kq::CreateFaceButton(m_close, this, kCloseRect, kCloseId, IDB_VIDEO_CLOSE_UP, IDB_VIDEO_CLOSE_DOWN))
        return FALSE;
    m_list.Create(kListStyle, kListRect, this, kListId);
    m_list.SetExtendedStyle(kListExStyle);
    CString heading;
    heading.LoadString(IDS_EXERCISE_NAME_HEADER);
    m_list.InsertColumn(kNameColumn, heading, LVCFMT_LEFT, kNameColumnWidth);
    heading.LoadString(IDS_EXERCISE_PROGRAM_HEADER);
    m_list.InsertColumn(kProgramColumn, heading, LVCFMT_LEFT, kProgramColumnWidth);
    LoadList();
    return TRUE;
}

void CExerciseListDlg::LoadList()
{
    const std::string path = ListFile();
    if (::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return; // no list yet
    CFile file;
    CFileException error;
    if (!file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite, &error)) {
        error.ReportError();
        return;
    }
    const ULONGLONG length = file.GetLength();
    std::string bytes(static_cast<size_t>(length < kMaxFileBytes ? length : kMaxFileBytes), '\0');
    UINT read = 0;
    try {
        read = bytes.empty() ? 0 : file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    } catch (CException* failure) {
        failure->ReportError(); // the rows read so far stay: none
        failure->Delete();
    }
    bytes.resize(read);
    file.Close();
    for (const kq::Exercise& exercise : kq::ParseExercises(bytes))
        AppendRow(exercise.name.c_str(), exercise.program.c_str());
}

void CExerciseListDlg::SaveList()
{
    std::vector<kq::Exercise> exercises;
    for (int row = 0; row < m_list.GetItemCount(); ++row)
        exercises.push_back({std::string(m_list.GetItemText(row, kNameColumn).GetString()),
                             std::string(m_list.GetItemText(row, kProgramColumn).GetString())});
    const std::string bytes = kq::SerializeExercises(exercises);
    CFile file;
    if (!file.Open(ListFile().c_str(), CFile::modeCreate | CFile::modeWrite))
        return; // a list that cannot be written stays as it was, silently
    try {
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    } catch (CException* failure) {
        failure->Delete();
    }
    file.Close();
}

void CExerciseListDlg::AppendRow(const CString& name, const CString& program)
{
    const int row = m_list.InsertItem(m_list.GetItemCount(), name);
    if (row >= 0)
        m_list.SetItemText(row, kProgramColumn, program);
}

int CExerciseListDlg::FirstSelected() const
{
    return m_list.GetNextItem(-1, LVNI_SELECTED);
}

void CExerciseListDlg::OnAdd()
{
    CExerciseEntryDlg entry(IDB_EXERCISE_ADD_BACKGROUND);
    entry.SetEditMode(false);
    if (entry.DoModal() == IDOK)
        AppendRow(entry.GetName(), entry.GetProgram());
}

void CExerciseListDlg::OnEdit()
{
    const int row = FirstSelected();
    if (row < 0)
        return;
    const CString name = m_list.GetItemText(row, kNameColumn);
    const CString program = m_list.GetItemText(row, kProgramColumn);
    m_list.DeleteItem(row);
    CExerciseEntryDlg entry(IDB_EXERCISE_EDIT_BACKGROUND);
    entry.SetEditMode(true);
    entry.SetProgram(program);
    entry.SetName(name);
    // The exercise moves to the bottom; unless confirmed, it stays as it was.
    if (entry.DoModal() == IDOK)
        AppendRow(entry.GetName(), entry.GetProgram());
    else
        AppendRow(name, program);
}

void CExerciseListDlg::OnDelete()
{
    const int row = FirstSelected();
    if (row >= 0)
        m_list.DeleteItem(row);
}

void CExerciseListDlg::OnChoose()
{
    const int row = FirstSelected();
    if (row < 0)
        return;
    if (m_list.GetSelectedCount() > 1) {
        kq::ShowWarning(IDS_CHOOSE_ONE_EXERCISE);
        return;
    }
    const CString name = m_list.GetItemText(row, kNameColumn);
    const CString program = m_list.GetItemText(row, kProgramColumn);
    if (name.IsEmpty() || program.IsEmpty())
        return;
    m_chosenName = name;
    m_chosenProgram = program;
    SaveList();
    EndDialog(IDOK);
}

void CExerciseListDlg::OnCloseButton()
{
    SaveList();
    EndDialog(IDCANCEL);
}

void CExerciseListDlg::OnOK()
{
    OnChoose();
}

void CExerciseListDlg::OnCancel()
{
    OnCloseButton();
}
