#pragma once
// CSpinButtonCtrl: the system's up-down control, usually steering the edit
// control it names as its buddy.

#include "framework/Wnd.h"

class CSpinButtonCtrl : public CWnd {
    DECLARE_DYNAMIC(CSpinButtonCtrl)
public:
    CSpinButtonCtrl() = default;

    // A child up-down control; WS_CHILD is always added.
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // The buddy window (null clears it); returns the previous one.
    CWnd* SetBuddy(CWnd* buddy);
    CWnd* GetBuddy() const;
    void SetRange(short lower, short upper);
    void SetRange32(int lower, int upper);
    void GetRange32(int& lower, int& upper) const;
    int SetPos(int position);
    int GetPos() const;
    int SetPos32(int position);
    int GetPos32(BOOL* error = nullptr) const;
};
