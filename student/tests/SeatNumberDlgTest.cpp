// The seat number prompt: what it accepts, what it refuses (staying open
// with the text selected and the message showing) and its ways out.

#include "student/MessageBoxDlg.h"
#include "student/SeatNumberDlg.h"
#include "student/tests/StudentTestSupport.h"
#include "widgets/tests/WidgetTestSupport.h"

#include "SatchelResources.h"

#include <gtest/gtest.h>

namespace {

using studenttest::BoxWatcher;
using studenttest::ControlText;
using studenttest::ResourceText;

CEdit& Field(CDialog& dialog)
{
    return *static_cast<CEdit*>(dialog.GetDlgItem(CSeatNumberDlg::kFieldId));
}

void Type(CWnd& field, const char* keys)
{
    for (const char* k = keys; *k != '\0'; ++k)
        field.SendMessage(WM_CHAR, static_cast<unsigned char>(*k), 1);
}

TEST(SeatNumberDlg, TypedLettersBecomeCapitalsAndAnAcceptedSeatCloses)
{
    CSeatNumberDlg dialog;
    const INT_PTR result = kqtest::RunModal(dialog, [](CDialog& d) {
        CString title;
        d.GetWindowText(title);
        EXPECT_EQ(title, CString(CSeatNumberDlg::kTitle));
        EXPECT_NE(d.GetExStyle() & WS_EX_TOPMOST, 0u);
        EXPECT_EQ(::GetWindow(d.m_hWnd, GW_OWNER), nullptr);
        kqtest::ExpectFitsItsFrame(d, SatchelRes::IDB_SEAT_NUMBER_BACKGROUND);
        Type(Field(d), "a1x"); // three characters at most
        EXPECT_EQ(ControlText(d.m_hWnd, CSeatNumberDlg::kFieldId), CString("A1X"));
        Type(Field(d), "9");
        EXPECT_EQ(ControlText(d.m_hWnd, CSeatNumberDlg::kFieldId), CString("A1X"));
        Field(d).SetWindowText("");
        Type(Field(d), "a1");
        EXPECT_EQ(ControlText(d.m_hWnd, CSeatNumberDlg::kFieldId), CString("A1"));
        d.GetDlgItem(CSeatNumberDlg::kOkId)->SendMessage(BM_CLICK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.m_seat, CString("A1"));
}

TEST(SeatNumberDlg, ARefusedEntryStaysOpenSelectedWithItsMessage)
{
    const struct {
        const char* text;
        UINT message;
    } cases[] = {
        {"A21", SatchelRes::IDS_SEAT_NUMBER_INVALID},
        {"", SatchelRes::IDS_SEAT_NUMBER_EMPTY},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        CSeatNumberDlg dialog;
        dialog.m_seat = "B2";
        bool checked = false;
        BoxWatcher watcher([&](CWnd& box) {
            const HWND seat = ::FindWindowA(nullptr, CSeatNumberDlg::kTitle);
            EXPECT_TRUE(seat != nullptr && ::IsWindowVisible(seat)) << "the prompt stays open";
            EXPECT_EQ(ControlText(box.m_hWnd, CMessageBoxDlg::kLabelId), ResourceText(c.message));
            int start = -1, end = -1;
            Field(dialog).GetSel(start, end);
            EXPECT_EQ(start, 0);
            EXPECT_EQ(end, static_cast<int>(strlen(c.text))) << "the whole text is selected";
            checked = true;
            box.PostMessage(WM_CLOSE);
            ::PostMessageA(seat, WM_CLOSE, 0, 0); // handled once the box has gone
        });
        const INT_PTR result = kqtest::RunModal(dialog, [&](CDialog& d) {
            Field(d).SetWindowText(c.text);
            d.PostMessage(WM_COMMAND, MAKEWPARAM(CSeatNumberDlg::kOkId, BN_CLICKED),
                          reinterpret_cast<LPARAM>(d.GetDlgItem(CSeatNumberDlg::kOkId)->m_hWnd));
        });
        EXPECT_TRUE(checked);
        EXPECT_EQ(result, IDCANCEL) << "not accepted";
        EXPECT_EQ(dialog.m_seat, CString("B2"));
    }
}

TEST(SeatNumberDlg, CancelGivesNullEscapeAndCloseKeepTheText)
{
    const struct {
        const char* name;
        std::function<void(CDialog&)> script;
        const char* seat;
    } cases[] = {
        {"Cancel button", [](CDialog& d) { d.GetDlgItem(CSeatNumberDlg::kCancelId)->SendMessage(BM_CLICK); },
         "NULL"},
        {"Escape", [](CDialog& d) { Field(d).PostMessage(WM_KEYDOWN, VK_ESCAPE, 1); }, "C3"},
        {"WM_CLOSE by title",
         [](CDialog&) { ::PostMessageA(::FindWindowA(nullptr, CSeatNumberDlg::kTitle), WM_CLOSE, 0, 0); }, "C3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CSeatNumberDlg dialog;
        dialog.m_seat = "C3";
        EXPECT_EQ(kqtest::RunModal(dialog, [&](CDialog& d) {
                      Type(Field(d), "a5");
                      c.script(d);
                  }),
                  IDCANCEL);
        EXPECT_EQ(dialog.m_seat, CString(c.seat));
    }
}

} // namespace
