#pragma once
// CNumEdit: an edit control holding one number within a range. Keys that
// would make its text invalid are undone at once: the previous value comes
// back, selected, and characters typed ahead are dropped. A lone sign is
// let through as an entry in progress; a space never is.
//
// The value is shown with as many decimals as the largest number of
// decimals it has seen (after SetValue(1.25) every value shows two).

#include "framework/Framework.h"
#include "widgets/NumberText.h"

#include <cfloat>
#include <cstdint>

class CNumEdit : public CEdit {
    DECLARE_DYNAMIC(CNumEdit)
public:
    CNumEdit() = default;

    // Adds steps x delta to the value, kept within the range.
    virtual void ChangeBy(int steps);
    virtual float GetDelta() const { return m_delta; }
    virtual void SetDelta(float delta) { m_delta = delta; }
    virtual void GetRange(float* minimum, float* maximum) const;
    // The text is not checked again.
    virtual void SetRange(float minimum, float maximum);
    virtual int GetShowErrors() const { return m_showErrors; }
    // Non-zero: an out-of-range or non-numeric entry is reported in a box.
    virtual void SetShowErrors(int show) { m_showErrors = show; }
    // 0 valid, 1 out of range, 2 not a number, 3 a lone sign (kq::NumberTextCheck).
    virtual int IsValidText(const CString& text);
    virtual int IsValid();
    // FALSE, leaving the text, for a value outside the range.
    virtual BOOL SetValue(float value);
    // The value of a valid text; the minimum otherwise.
    virtual float GetValue();
    // The format that shows `value` (and every later value) with the
    // decimals seen so far, e.g. "%.2f"; also returned in `format`.
    virtual CString GetFormat(CString& format, float value);

    int GetDecimals() const { return m_decimals; }


protected:
    DECLARE_MESSAGE_MAP()
    afx_msg void OnChar(UINT key, UINT repeats, UINT flags);

private:
    // Shows the error box for results 1 and 2 when show errors is set.
    int Report(int result);

    uint8_t m_decimals = 0;
    int m_showErrors = 0;
    float m_delta = 1.0f;
    float m_minimum = -FLT_MAX;
    float m_maximum = FLT_MAX;
};
