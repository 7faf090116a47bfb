// The shutdown delay dialog: the delay it gives on OK, the delays it
// refuses with warning 57469 while staying open, and cancelling.

#include "teacher/dialogs/ShutdownDelayDlg.h"
#include "teacher/dialogs/tests/BoxWatcher.h"

#include "widgets/tests/WidgetTestSupport.h"

#include "TeacherResources.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using kqtest::RunModal;

using kqtest::Click;
using kqtest::WarningCloser;

struct Outcome {
    INT_PTR result;
    int delay;
};

// Opens the dialog, runs `steps` inside it, then presses OK.
Outcome RunDialog(const std::function<void(CDialog&)>& steps)
{
    CShutdownDelayDlg dialog;
    dialog.SetPrompt("是否确定远程关闭学生机？");
    dialog.SetDelayLabel("延时关机");
    dialog.SetUnitLabel("秒");
    const INT_PTR result = RunModal(dialog, [&](CDialog& d) {
        if (steps)
            steps(d);
        if (::IsWindow(d.m_hWnd))
            Click(d, CShutdownDelayDlg::kOkId);
    });
    return {result, dialog.GetDelaySeconds()};
}

TEST(ShutdownDelayDlg, GivesTheDelayOfTheFieldOrNoneWhenTheBoxIsCleared)
{
    const struct {
        const char* name;
        std::function<void(CDialog&)> steps;
        int delay;
    } cases[] = {
        {"untouched", nullptr, 20},
        {"255", [](CDialog& d) { d.SetDlgItemText(CShutdownDelayDlg::kSecondsId, "255"); }, 255},
        {"empty", [](CDialog& d) { d.SetDlgItemText(CShutdownDelayDlg::kSecondsId, ""); }, 0},
        {"box cleared",
         [](CDialog& d) {
             d.GetDlgItem(CShutdownDelayDlg::kDelayBoxId)->SendMessage(BM_CLICK);
             EXPECT_FALSE(d.GetDlgItem(CShutdownDelayDlg::kSecondsId)->IsWindowEnabled());
             EXPECT_FALSE(d.GetDlgItem(CShutdownDelayDlg::kSpinId)->IsWindowEnabled());
             d.SetDlgItemText(CShutdownDelayDlg::kSecondsId, "99999");
         },
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome outcome = RunDialog(c.steps);
        EXPECT_EQ(outcome.result, IDOK);
        EXPECT_EQ(outcome.delay, c.delay);
    }
}

TEST(ShutdownDelayDlg, RefusesDelaysPast255WithTheWarningAndStaysOpen)
{
    CString expected;
    ASSERT_TRUE(expected.LoadString(TeacherRes::IDS_DELAY_TOO_LONG));
    for (const char* typed : {"256", "99999999999"}) {
        SCOPED_TRACE(typed);
        WarningCloser closer;
        bool stayedOpen = false;
        CString kept;
        const Outcome outcome = RunDialog([&](CDialog& d) {
            d.SetDlgItemText(CShutdownDelayDlg::kSecondsId, typed);
            Click(d, CShutdownDelayDlg::kOkId); // the warning runs and is closed inside
            stayedOpen = ::IsWindowVisible(d.m_hWnd) != FALSE;
            d.GetDlgItemText(CShutdownDelayDlg::kSecondsId, kept);
            d.SetDlgItemText(CShutdownDelayDlg::kSecondsId, "7");
        });
        EXPECT_EQ(WarningCloser::Seen(), 1);
        EXPECT_EQ(WarningCloser::LastText(), std::string(expected.GetString()));
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(kept, CString(typed)) << "the text stays as typed";
        EXPECT_EQ(outcome.result, IDOK) << "a later valid OK still ends it";
        EXPECT_EQ(outcome.delay, 7);
    }
}

TEST(ShutdownDelayDlg, TheSecondButtonCancelsAndTheSpinStaysWithin0To255)
{
    CShutdownDelayDlg dialog;
    int lowest = -1;
    int highest = -1;
    CString label;
    const INT_PTR result = RunModal(dialog, [&](CDialog& d) {
        d.GetDlgItem(CShutdownDelayDlg::kSpinId)
            ->SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lowest), reinterpret_cast<LPARAM>(&highest));
        // One step up from 255 stays at 255.
        CWnd* spin = d.GetDlgItem(CShutdownDelayDlg::kSpinId);
        spin->SendMessage(UDM_SETPOS32, 0, 255);
        CWnd* field = d.GetDlgItem(CShutdownDelayDlg::kSecondsId);
        field->SetFocus();
        field->SendMessage(WM_KEYDOWN, VK_UP, 0);
        d.GetDlgItemText(CShutdownDelayDlg::kSecondsId, label);
        Click(d, CShutdownDelayDlg::kCloseId);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(lowest, 0);
    EXPECT_EQ(highest, 255);
    EXPECT_EQ(label, CString("255"));
}

} // namespace
