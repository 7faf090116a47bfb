#include "student/StudentMessages.h"

#include "widgets/StudentLook.h"

namespace kq {

namespace {

constexpr POINT kClosePosition = {269, 4};
constexpr int kComposedText = 0;

struct FormRow {
    MessageForm form;
    UINT templateId;
    UINT backgroundId;
};

constexpr FormRow kForms[] = {
    {MessageForm::Error, 151, 199},     {MessageForm::Update, 151, 204},      {MessageForm::Result, 100, 206},
    {MessageForm::Countdown, 100, 207}, {MessageForm::TeacherText, 100, 163},
};

const FormRow& RowOf(MessageForm form)
{
    for (const FormRow& row : kForms) {
        if (row.form == form)
            return row;
    }
    return kForms[0];
}

INT_PTR Show(MessageForm form, const CString& text, int messageId, int mode)
{
    const FormRow& row = RowOf(form);
    // The desktop as owner means no owner at all.
    CMessageBoxDlg box(row.templateId, kStudentCornerWidth, kStudentCornerHeight, kClosePosition.x,
                       kClosePosition.y, row.backgroundId, CWnd::GetDesktopWindow());
    box.SetText(text);
    box.SetMessageId(messageId);
    box.SetMode(mode);
    return box.DoModal();
}

} // namespace

INT_PTR ShowStudentMessage(MessageForm form, UINT textId, int mode)
{
    CString text;
    text.LoadString(textId);
    return Show(form, text, static_cast<int>(textId), mode);
}

INT_PTR ShowStudentMessage(MessageForm form, const CString& text, int mode)
{
    return Show(form, text, kComposedText, mode);
}

} // namespace kq
