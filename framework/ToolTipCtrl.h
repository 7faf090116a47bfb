#pragma once
// CToolTipCtrl: the system's tooltip control, owned by a window, showing a
// text for each tool (a child window) it was given.

#include "framework/Wnd.h"

class CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    CToolTipCtrl() = default;
    ~CToolTipCtrl() override;

    // A popup tooltip owned by `parent`; TTS_ALWAYSTIP in `style` shows
    // the tips while the owner is inactive too.
    virtual BOOL Create(CWnd* parent, DWORD style = 0);
    void Activate(BOOL activate);
    int SetMaxTipWidth(int width);
    // A tool for the whole of the child window `tool`, with the text of
    // string `textId` of the resource source, or with `text`.
    BOOL AddTool(CWnd* tool, UINT textId);
    BOOL AddTool(CWnd* tool, LPCSTR text);
    // A tool over `rect` of the window `window` (client coordinates), known
    // by `toolId`.
    BOOL AddTool(CWnd* window, LPCSTR text, const RECT& rect, UINT_PTR toolId);
    int GetToolCount() const;
    // Hands a mouse message to the control so it can show its tips.
    void RelayEvent(LPMSG msg);
};
