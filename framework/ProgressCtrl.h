#pragma once
// CProgressCtrl: the system's progress bar ("msctls_progress32").

#include "framework/Wnd.h"

class CProgressCtrl : public CWnd {
    DECLARE_DYNAMIC(CProgressCtrl)
public:
    CProgressCtrl() = default;

    // A child progress bar; WS_CHILD is always added.
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    void SetRange(short lower, short upper);
    void SetRange32(int lower, int upper);
    void GetRange(int& lower, int& upper) const;
    // Each returns the previous position.
    int SetPos(int position);
    int GetPos() const;
};
