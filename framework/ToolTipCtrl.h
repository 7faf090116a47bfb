#pragma once
// CToolTipCtrl: the system's tooltip control, owned by a window, showing a
// text for each tool (a child window) it was given.

#include "framework/Wnd.h"

class CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    CToolTipCtrl() = default;
    ~CToolTipCtrl() override;

    // A popup tooltip owned by `parent`.
    virtual BOOL Create(CWnd* parent, DWORD style = 0);
    void Activate(BOOL activate);
    int SetMaxTipWidth(int width);
    // A tool for the whole of the child window `tool`, with the text of
    // string `textId` of the resource source, or with `text`.
    BOOL AddTool(CWnd* tool, UINT textId);
    BOOL AddTool(CWnd* tool, LPCSTR text);
    int GetToolCount() const;
    // Hands a mouse message to the control so it can show its tips.
    void RelayEvent(LPMSG msg);
};
