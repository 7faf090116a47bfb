#pragma once
// CNumSpinCtrl: an up-down control that steps its CNumEdit buddy by the
// buddy's floating-point delta. Its own position stays near the middle of
// 0..1000, so it never reaches an end however often it is pressed. After
// each step it posts kStepped to its parent with the buddy in lParam.
//
// Every value operation needs a CNumEdit buddy; without one it does
// nothing or gives 0.

#include "framework/SpinButtonCtrl.h"
#include "widgets/NumEdit.h"

class CNumSpinCtrl : public CSpinButtonCtrl {
    DECLARE_DYNAMIC(CNumSpinCtrl)
public:
    CNumSpinCtrl() = default;

    // WM_USER + 100, wParam 0, lParam the CNumEdit* buddy (or null).
    static constexpr UINT kStepped = WM_USER + 100;

    virtual void SetDelta(float delta);
    virtual float GetDelta();
    // A null edit clears the buddy; a CNumEdit buddy is set to 0 (left as
    // it is when 0 lies outside its range).
    virtual void SetBuddy(CNumEdit* edit);
    virtual CWnd* GetBuddy() const;
    virtual void GetRange(float* minimum, float* maximum);
    // The control's own range becomes 0..1000, the buddy's the given one.
    virtual void SetRange(float minimum, float maximum);
    virtual float GetPos();
    // The control back to the middle, the buddy to `value`.
    virtual void SetPos(float value);

    static constexpr int kOwnRange = 1000;
    static constexpr int kOwnMiddle = 500;

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg void OnDeltaPos(NMHDR* header, LRESULT* result);

private:
    // The buddy when it is a CNumEdit of this process, else null.
    CNumEdit* NumBuddy() const;
};
