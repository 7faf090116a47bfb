#pragma once
// CEdit: the system's edit control ("EDIT"), single or multi-line.

#include "framework/Wnd.h"

class CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)
public:
    CEdit() = default;

    // A child edit; WS_CHILD is always added.
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // The most text the user may type (0: the system's largest).
    void LimitText(int maxChars = 0);
    void SetLimitText(UINT maxChars);
    UINT GetLimitText() const;

    // Lines.
    int GetLineCount() const;
    // Copies line `index` into `buffer` of `maxLength` bytes and returns the
    // bytes copied; the text is terminated when there is room for it.
    int GetLine(int index, LPSTR buffer, int maxLength) const;
    int LineIndex(int line = -1) const;
    int LineLength(int charIndex = -1) const;
    int LineFromChar(int charIndex = -1) const;
    int GetFirstVisibleLine() const;
    void LineScroll(int lines, int chars = 0);

    // Selection and editing.
    DWORD GetSel() const;
    void GetSel(int& start, int& end) const;
    void SetSel(DWORD selection, BOOL noScroll = FALSE);
    void SetSel(int start, int end, BOOL noScroll = FALSE);
    void ReplaceSel(LPCSTR text, BOOL canUndo = FALSE);
    BOOL SetReadOnly(BOOL readOnly = TRUE);
    BOOL GetModify() const;
    void SetModify(BOOL modified = TRUE);
    void SetPasswordChar(char ch);
    char GetPasswordChar() const;
    void SetMargins(UINT left, UINT right);

    void Clear();
    void Copy();
    void Cut();
    void Paste();
    BOOL Undo();
    BOOL CanUndo() const;
    void EmptyUndoBuffer();
};
