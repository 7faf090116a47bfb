#include "framework/Edit.h"

#include <cstring>
#include <vector>

IMPLEMENT_DYNAMIC(CEdit, CWnd)

namespace {

// EM_GETLINE reads the buffer's size from its first WORD.
constexpr int kLineSizeField = sizeof(WORD);

} // namespace

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("EDIT", nullptr, style | WS_CHILD, rect, parent, id);
}

void CEdit::LimitText(int maxChars)
{
    SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(maxChars));
}

void CEdit::SetLimitText(UINT maxChars)
{
    SendMessage(EM_SETLIMITTEXT, maxChars);
}

UINT CEdit::GetLimitText() const
{
    return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT));
}

int CEdit::GetLineCount() const
{
    return static_cast<int>(SendMessage(EM_GETLINECOUNT));
}

int CEdit::GetLine(int index, LPSTR buffer, int maxLength) const
{
    if (buffer == nullptr || maxLength <= 0)
        return 0;
    // The size goes into the buffer itself, so a buffer smaller than that
    // field, or than the WORD can say, is read through a scratch buffer.
    const int asked = maxLength > 0xFFFF ? 0xFFFF : maxLength;
    std::vector<char> scratch(asked < kLineSizeField ? kLineSizeField : asked);
    *reinterpret_cast<WORD*>(scratch.data()) = static_cast<WORD>(asked);
    int copied = static_cast<int>(
        SendMessage(EM_GETLINE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(scratch.data())));
    if (copied < 0)
        copied = 0;
    if (copied > asked)
        copied = asked;
    std::memcpy(buffer, scratch.data(), static_cast<size_t>(copied));
    if (copied < maxLength)
        buffer[copied] = '\0';
    return copied;
}

int CEdit::LineIndex(int line) const
{
    return static_cast<int>(SendMessage(EM_LINEINDEX, static_cast<WPARAM>(line)));
}

int CEdit::LineLength(int charIndex) const
{
    return static_cast<int>(SendMessage(EM_LINELENGTH, static_cast<WPARAM>(charIndex)));
}

int CEdit::LineFromChar(int charIndex) const
{
    return static_cast<int>(SendMessage(EM_LINEFROMCHAR, static_cast<WPARAM>(charIndex)));
}

int CEdit::GetFirstVisibleLine() const
{
    return static_cast<int>(SendMessage(EM_GETFIRSTVISIBLELINE));
}

void CEdit::LineScroll(int lines, int chars)
{
    SendMessage(EM_LINESCROLL, static_cast<WPARAM>(chars), lines);
}

DWORD CEdit::GetSel() const
{
    return static_cast<DWORD>(SendMessage(EM_GETSEL));
}

void CEdit::GetSel(int& start, int& end) const
{
    DWORD first = 0;
    DWORD last = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    start = static_cast<int>(first);
    end = static_cast<int>(last);
}

void CEdit::SetSel(DWORD selection, BOOL noScroll)
{
    SetSel(static_cast<short>(LOWORD(selection)), static_cast<short>(HIWORD(selection)), noScroll);
}

void CEdit::SetSel(int start, int end, BOOL noScroll)
{
    SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end);
    if (!noScroll)
        SendMessage(EM_SCROLLCARET);
}

void CEdit::ReplaceSel(LPCSTR text, BOOL canUndo)
{
    SendMessage(EM_REPLACESEL, static_cast<WPARAM>(canUndo), reinterpret_cast<LPARAM>(text != nullptr ? text : ""));
}

BOOL CEdit::SetReadOnly(BOOL readOnly)
{
    return static_cast<BOOL>(SendMessage(EM_SETREADONLY, static_cast<WPARAM>(readOnly)));
}

BOOL CEdit::GetModify() const
{
    return static_cast<BOOL>(SendMessage(EM_GETMODIFY));
}

void CEdit::SetModify(BOOL modified)
{
    SendMessage(EM_SETMODIFY, static_cast<WPARAM>(modified));
}

void CEdit::SetPasswordChar(char ch)
{
    SendMessage(EM_SETPASSWORDCHAR, static_cast<unsigned char>(ch));
}

char CEdit::GetPasswordChar() const
{
    return static_cast<char>(SendMessage(EM_GETPASSWORDCHAR));
}

void CEdit::SetMargins(UINT left, UINT right)
{
    SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(left, right));
}

void CEdit::Clear()
{
    SendMessage(WM_CLEAR);
}

void CEdit::Copy()
{
    SendMessage(WM_COPY);
}

void CEdit::Cut()
{
    SendMessage(WM_CUT);
}

void CEdit::Paste()
{
    SendMessage(WM_PASTE);
}

BOOL CEdit::Undo()
{
    return static_cast<BOOL>(SendMessage(EM_UNDO));
}

BOOL CEdit::CanUndo() const
{
    return static_cast<BOOL>(SendMessage(EM_CANUNDO));
}

void CEdit::EmptyUndoBuffer()
{
    SendMessage(EM_EMPTYUNDOBUFFER);
}
