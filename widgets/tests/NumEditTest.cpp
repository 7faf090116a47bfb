// The numeric field and its spin: keys checked as they are typed, values
// shown with the decimals seen, and the spin stepping the field.

#include "widgets/NumEdit.h"
#include "widgets/NumSpinCtrl.h"
#include "widgets/tests/WidgetTestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

namespace {

constexpr UINT kEditId = 801;
constexpr UINT kSpinId = 802;

CString TextOf(CWnd& window)
{
    CString text;
    window.GetWindowText(text);
    return text;
}

// A 1..160 field on the host, empty to start with.
struct SeatField {
    SeatField()
    {
        EXPECT_TRUE(edit.Create(WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(10, 10, 110, 30), &kqtest::Host(),
                                kEditId));
        edit.SetRange(1, 160);
    }
    void Type(const char* keys)
    {
        for (const char* k = keys; *k != '\0'; ++k)
            edit.SendMessage(WM_CHAR, static_cast<unsigned char>(*k), 1);
    }
    CNumEdit edit;
};

TEST(NumEdit, KeysThatMakeTheTextInvalidAreUndone)
{
    const struct {
        const char* start;
        const char* keys;
        const char* text;
        bool selectedAll;
    } cases[] = {
        {"", "0", "1", true},        // 0 is out of range: back to the value before, the minimum
        {"", "-", "-", false},       // an entry in progress
        {"12", "a", "12", true},     // a letter after a number
        {"12", " ", "12", false},    // a space is never accepted
        {"", "1 5", "15", false},
        {"", "99", "99", false},
        {"99", "9", "99", true},     // 999 is past the maximum
        {"", "7.5", "7.5", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.start) + " + " + c.keys);
        SeatField field;
        field.edit.SetWindowText(c.start);
        field.edit.SetSel(field.edit.GetWindowTextLength(), field.edit.GetWindowTextLength());
        field.Type(c.keys);
        EXPECT_EQ(TextOf(field.edit), CString(c.text));
        int start = -1, end = -1;
        field.edit.GetSel(start, end);
        if (c.selectedAll) {
            EXPECT_EQ(start, 0);
            EXPECT_EQ(end, field.edit.GetWindowTextLength());
        }
    }
}

TEST(NumEdit, CharactersTypedAheadOfAnUndoAreDropped)
{
    SeatField field;
    field.edit.SetWindowText("12");
    field.edit.SetSel(2, 2);
    field.edit.PostMessage(WM_CHAR, '5', 1); // queued behind the bad key
    field.Type("x");
    kqtest::PumpFor(50);
    EXPECT_EQ(TextOf(field.edit), CString("12"));
}

TEST(NumEdit, ValuesShowTheDecimalsSeenAndStayInRange)
{
    SeatField field;
    EXPECT_FLOAT_EQ(field.edit.GetValue(), 1.0f) << "an empty text reads as the minimum";
    EXPECT_TRUE(field.edit.SetValue(2.5f));
    EXPECT_EQ(TextOf(field.edit), CString("2.5"));
    EXPECT_TRUE(field.edit.SetValue(3.0f));
    EXPECT_EQ(TextOf(field.edit), CString("3.0"));
    EXPECT_TRUE(field.edit.SetValue(1.25f));
    EXPECT_EQ(field.edit.GetDecimals(), 2);
    EXPECT_TRUE(field.edit.SetValue(7.0f));
    EXPECT_EQ(TextOf(field.edit), CString("7.00"));
    EXPECT_FLOAT_EQ(field.edit.GetValue(), 7.0f);

    EXPECT_FALSE(field.edit.SetValue(161.0f));
    EXPECT_FALSE(field.edit.SetValue(0.5f));
    EXPECT_EQ(TextOf(field.edit), CString("7.00")) << "a refused value leaves the text";

    field.edit.SetDelta(100.0f);
    field.edit.ChangeBy(1);
    EXPECT_FLOAT_EQ(field.edit.GetValue(), 107.0f);
    field.edit.ChangeBy(1);
    EXPECT_FLOAT_EQ(field.edit.GetValue(), 160.0f) << "held at the maximum";
    field.edit.ChangeBy(-5);
    EXPECT_FLOAT_EQ(field.edit.GetValue(), 1.0f);

    CString format;
    EXPECT_EQ(field.edit.GetFormat(format, 1.0f), CString("%.2f"));
    EXPECT_TRUE(field.edit.IsKindOf(RUNTIME_CLASS(CNumEdit)));
}

TEST(NumEdit, ReportsOutOfRangeAndNonNumbersOnlyWhenAsked)
{
    SeatField field;
    const struct {
        const char* text;
        int result;
        const char* box; // null: no box
    } cases[] = {
        {"200", 1, "Given value is out of range.\n"},
        {"abc", 2, "Characters must be a number.\n"},
        {"-", 3, nullptr},
        {"5", 0, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        field.edit.SetShowErrors(0);
        EXPECT_EQ(field.edit.IsValidText(c.text), c.result) << "silent without show errors";

        field.edit.SetShowErrors(1);
        std::string shown;
        int result = -1;
        const INT_PTR ended = kqtest::RunShown(
            AfxGetAppName(),
            [&] {
                result = field.edit.IsValidText(c.text);
                return INT_PTR(0);
            },
            [&](CWnd& box) {
                char text[128] = {};
                ::GetDlgItemTextA(box.m_hWnd, 0xFFFF, text, sizeof text);
                shown = text;
                box.PostMessage(WM_COMMAND, IDOK, 0);
            },
            c.box != nullptr ? kqtest::kPatienceMs : 300);
        EXPECT_EQ(result, c.result);
        if (c.box != nullptr) {
            EXPECT_NE(ended, kqtest::kTimedOut);
            std::string expected = c.box;
            while (!shown.empty() && (shown.back() == '\n' || shown.back() == '\r'))
                shown.pop_back();
            expected.pop_back(); // the closing line break
            EXPECT_EQ(shown, expected);
        } else {
            EXPECT_TRUE(shown.empty()) << "no box";
        }
    }
}

TEST(NumSpinCtrl, AnUpStepAtTheMaximumStaysThereAndStillTellsTheParent)
{
    CWnd& host = kqtest::Host();
    CNumEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | WS_BORDER, CRect(10, 40, 110, 60), &host, kEditId));
    CNumSpinCtrl spin;
    ASSERT_TRUE(spin.Create(WS_VISIBLE, CRect(110, 40, 130, 60), &host, kSpinId));
    spin.SetBuddy(&edit);
    spin.SetRange(0, 10);
    EXPECT_EQ(TextOf(edit), CString("0")) << "a CNumEdit buddy starts at 0";
    spin.SetDelta(1);
    spin.SetPos(10);
    EXPECT_FLOAT_EQ(spin.GetPos(), 10.0f);
    EXPECT_EQ(spin.GetBuddy(), &edit);

    MSG msg;
    while (::PeekMessageA(&msg, host.m_hWnd, CNumSpinCtrl::kStepped, CNumSpinCtrl::kStepped, PM_REMOVE)) {
    }
    // A press on the upper arrow.
    CRect client;
    spin.GetClientRect(&client);
    const LPARAM up = MAKELPARAM(client.Width() / 2, client.Height() / 4);
    spin.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, up);
    spin.SendMessage(WM_LBUTTONUP, 0, up);

    EXPECT_FLOAT_EQ(edit.GetValue(), 10.0f);
    ASSERT_TRUE(::PeekMessageA(&msg, host.m_hWnd, CNumSpinCtrl::kStepped, CNumSpinCtrl::kStepped, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0u);
    EXPECT_EQ(msg.lParam, reinterpret_cast<LPARAM>(&edit));

    // A step down moves by the delta.
    const LPARAM down = MAKELPARAM(client.Width() / 2, client.Height() * 3 / 4);
    spin.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, down);
    spin.SendMessage(WM_LBUTTONUP, 0, down);
    EXPECT_FLOAT_EQ(edit.GetValue(), 9.0f);
    ::KillTimer(spin.m_hWnd, 0);
}

TEST(NumSpinCtrl, WithoutANumericBuddyItDoesNothing)
{
    CWnd& host = kqtest::Host();
    CEdit plain;
    ASSERT_TRUE(plain.Create(WS_VISIBLE | WS_BORDER, CRect(10, 70, 110, 90), &host, kEditId));
    plain.SetWindowText("abc");
    CNumSpinCtrl spin;
    ASSERT_TRUE(spin.Create(WS_VISIBLE, CRect(110, 70, 130, 90), &host, kSpinId));
    spin.SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(plain.m_hWnd));
    spin.SetPos(5);
    spin.SetDelta(2);
    EXPECT_FLOAT_EQ(spin.GetPos(), 0.0f);
    EXPECT_FLOAT_EQ(spin.GetDelta(), 0.0f);
    EXPECT_EQ(TextOf(plain), CString("abc"));
}

} // namespace
