#include "widgets/NumEdit.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CNumEdit, CEdit)

BEGIN_MESSAGE_MAP(CNumEdit, CEdit)
    ON_WM_CHAR()
END_MESSAGE_MAP()

namespace {

constexpr UINT kSpace = ' ';
constexpr char kOutOfRangeText[] = "Given value is out of range.\n";
constexpr char kNotANumberText[] = "Characters must be a number.\n";

} // namespace

void CNumEdit::ChangeBy(int steps)
{
    float value = GetValue() + static_cast<float>(steps) * m_delta;
    if (value > m_maximum)
        value = m_maximum;
    else if (value < m_minimum)
        value = m_minimum;
    SetValue(value);
}

void CNumEdit::GetRange(float* minimum, float* maximum) const
{
    if (minimum != nullptr)
        *minimum = m_minimum;
    if (maximum != nullptr)
        *maximum = m_maximum;
}

void CNumEdit::SetRange(float minimum, float maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
}

int CNumEdit::Report(int result)
{
    if (m_showErrors && (result == kq::kNumberOutOfRange || result == kq::kNumberNotANumber))
        AfxMessageBox(result == kq::kNumberOutOfRange ? kOutOfRangeText : kNotANumberText, MB_ICONERROR);
    return result;
}

int CNumEdit::IsValidText(const CString& text)
{
    return Report(kq::CheckNumberText(text, m_minimum, m_maximum));
}

int CNumEdit::IsValid()
{
    CString text;
    GetWindowText(text);
    return IsValidText(text);
}

BOOL CNumEdit::SetValue(float value)
{
    if (value > m_maximum || !(value >= m_minimum))
        return FALSE;
    CString format;
    GetFormat(format, value);
    SetWindowText(kq::FormatNumber(value, m_decimals).c_str());
    return TRUE;
}

float CNumEdit::GetValue()
{
    CString text;
    GetWindowText(text);
    // Checked quietly: reading a value never shows a box.
    if (kq::CheckNumberText(text, m_minimum, m_maximum) != kq::kNumberValid)
        return m_minimum;
    return kq::NumberTextValue(text);
}

CString CNumEdit::GetFormat(CString& format, float value)
{
    m_decimals = static_cast<uint8_t>(std::max<int>(m_decimals, kq::ShortFormDecimals(value)));
    format.Format("%%.%df", m_decimals);
    return format;
}

void CNumEdit::OnChar(UINT key, UINT, UINT)
{
    if (key == kSpace)
        return;
    const float before = GetValue();
    Default();
    const int result = IsValid();
    if (result == kq::kNumberValid) {
        CString format;
        GetFormat(format, GetValue()); // the decimals follow the digits typed
        return;
    }
    if (result == kq::kNumberLoneSign)
        return;
    SetValue(before);
    SetSel(0, -1);
    SendMessage(EM_SCROLLCARET);
    MSG pending;
    while (AfxPeekMessage(&pending, m_hWnd, WM_CHAR, WM_CHAR, PM_REMOVE)) {
        // characters typed ahead of the undo are dropped
    }
}
