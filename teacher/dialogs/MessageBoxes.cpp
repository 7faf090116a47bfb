#include "teacher/dialogs/MessageBoxes.h"

#include "teacher/StartupText.h"
#include "teacher/dialogs/HelpPages.h"
#include "teacher/dialogs/KqYesNoDlg.h"
#include "teacher/dialogs/WarningDlg.h"

#include "TeacherResources.h"

#include <cstdlib>

namespace kq {

namespace {

// Where every box's close button sits.
constexpr int kCloseX = 269;
constexpr int kCloseY = 4;

} // namespace

INT_PTR ShowWarningText(const char* text, UINT helpId)
{
    CWarningDlg box(TeacherRes::IDD_MESSAGE_BOX, kCloseX, kCloseY, TeacherRes::IDB_WARNING_BACKGROUND, nullptr);
    box.m_helpId = helpId;
    box.SetMessage(text);
    return box.DoModal();
}

INT_PTR ShowWarning(UINT stringId)
{
    CString text;
    text.LoadString(stringId);
    return ShowWarningText(text, stringId);
}

INT_PTR ShowWarningWithHelp(UINT stringId, int item)
{
    CString text;
    text.LoadString(stringId);
    return ShowWarningText(StartupWarningText(text.GetString(), item).c_str(), stringId);
}

INT_PTR ShowWarningWithHelp(UINT stringId)
{
    // A page is named by its number: "24.htm" is item 24.
    const char* page = HelpPageFor(stringId);
    return page != nullptr ? ShowWarningWithHelp(stringId, std::atoi(page)) : ShowWarning(stringId);
}

INT_PTR ShowNotice(UINT stringId)
{
    CWarningDlg box(TeacherRes::IDD_MESSAGE_BOX, kCloseX, kCloseY, TeacherRes::IDB_NOTICE_BACKGROUND, nullptr);
    box.LoadMessage(stringId);
    return box.DoModal();
}

bool AskYesNo(UINT stringId)
{
    CString question;
    question.LoadString(stringId);
    return AskYesNo(question);
}

bool AskYesNo(const CString& question)
{
    CKqYesNoDlg box(TeacherRes::IDD_MESSAGE_BOX, kCloseX, kCloseY, TeacherRes::IDB_NOTICE_BACKGROUND, nullptr);
    box.SetMessage(question);
    return box.DoModal() == IDOK;
}

bool CloseBoxByTitle(const char* title)
{
    HWND box = ::FindWindowA(nullptr, title);
    if (box == nullptr)
        return false;
    return ::PostMessageA(box, WM_CLOSE, 0, 0) || ::PostMessageA(box, WM_CLOSE, 0, 0);
}

} // namespace kq
