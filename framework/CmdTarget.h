#pragma once
// CCmdTarget: an object with a message map (windows, threads, documents).

#include "framework/Object.h"
#include "framework/MessageMap.h"

// Command-state updates are not sent by this library; the class exists so
// that ON_UPDATE_COMMAND_UI handlers compile.
class CCmdUI {
public:
    UINT m_nID = 0;
    virtual ~CCmdUI() = default;
    virtual void Enable(BOOL = TRUE) {}
    virtual void SetCheck(int = 1) {}
    virtual void SetText(LPCSTR) {}
};

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;

    // Routes a command (WM_COMMAND id and notification code) through this
    // object's map; frames extend it to their view and the application.
    // pExtra is the AfxMsgCall being dispatched, or null.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo);

    // Looks the message up in this object's maps, most derived first, and
    // runs the first entry that accepts it. TRUE when one did.
    BOOL DispatchMessageMap(UINT nMessage, UINT nCode, UINT nID, AfxMsgCall& call);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};
