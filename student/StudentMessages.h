#pragma once
// The one way the student agent shows a message: CMessageBoxDlg in one of
// its named forms, without an owner. A box without an owner disables no
// window, so it can be shown from any thread, also while the thread of the
// agent's windows is blocked.

#include "framework/Framework.h"
#include "student/MessageBoxDlg.h"

namespace kq {

enum class MessageForm {
    Error,       // every error message
    Update,      // the update notices
    Result,      // results and notices of what the teacher is doing
    Countdown,   // the restart and shutdown countdowns
    TeacherText, // the teacher's short text
};

// Shows text `textId` of the resource module; its help page opens from OK.
// `mode` is one of CMessageBoxDlg's modes. Returns the box's result.
INT_PTR ShowStudentMessage(MessageForm form, UINT textId, int mode);
// Shows a text the caller composed (message id 0: no help page).
INT_PTR ShowStudentMessage(MessageForm form, const CString& text, int mode);

} // namespace kq
