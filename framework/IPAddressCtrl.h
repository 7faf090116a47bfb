#pragma once
// CIPAddressCtrl: the system's IP address control (SysIPAddress32), four
// fields of 0..255. Addresses are DWORDs in host order: 198.18.0.1 is
// 0xC6120001.

#include "framework/Wnd.h"

class CIPAddressCtrl : public CWnd {
    DECLARE_DYNAMIC(CIPAddressCtrl)
public:
    CIPAddressCtrl() = default;

    // A child address control; WS_CHILD is always added.
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    void SetAddress(DWORD address);
    void SetAddress(BYTE field0, BYTE field1, BYTE field2, BYTE field3);
    // The address (blank fields read as 0); returns how many fields are filled.
    int GetAddress(DWORD& address) const;
    int GetAddress(BYTE& field0, BYTE& field1, BYTE& field2, BYTE& field3) const;
    // Empties all four fields.
    void ClearAddress();
    // TRUE when all four fields are empty.
    BOOL IsBlank() const;
};
