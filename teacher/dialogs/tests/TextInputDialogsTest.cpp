// The small text dialogs: the line input and its record, the preset text
// box and its limit, and the two-answer question.

#include "teacher/dialogs/ChoiceDlg.h"
#include "teacher/dialogs/LineInputDlg.h"
#include "teacher/dialogs/MessageBoxLayout.h"
#include "teacher/dialogs/PresetTextDlg.h"
#include "teacher/dialogs/tests/BoxWatcher.h"

#include "framework/tests/QueuedInput.h"
#include "widgets/TeacherLook.h"
#include "widgets/tests/LayoutCheck.h"
#include "widgets/tests/WidgetTestSupport.h"

#include "TeacherResources.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using kqtest::Click;
using kqtest::RunModal;
using kqtest::WarningCloser;
namespace layout = kq::message_box;

// "讨" in CP936: typing sends its two bytes one after the other.
constexpr char kWide[] = "讨";

std::string Repeat(const std::string& text, int times)
{
    std::string all;
    for (int i = 0; i < times; ++i)
        all += text;
    return all;
}

// Types `text` (CP936) into a control as the keyboard reaches this program:
// through its message queue, one wide WM_CHAR per character. Waits until it
// has arrived.
void Type(CWnd& control, const std::string& text)
{
    control.SetFocus();
    kqtest::PostTyped(control.m_hWnd, text);
    kqtest::PumpUntil([&] { return control.GetWindowTextLength() >= static_cast<int>(text.size()); });
}

std::string LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text.GetString();
}

void ExpectLaidOut(CDialog& dialog, const char* shot)
{
    EXPECT_TRUE(kqtest::SaveScreenShot(dialog.m_hWnd, shot));
    for (const std::string& fault : kqtest::LayoutFaults(dialog.m_hWnd))
        ADD_FAILURE() << shot << ": " << fault;
}

// ---- Line input ----

struct LineOutcome {
    INT_PTR result;
    kq::GroupRecord record;
};

LineOutcome RunLineInput(const std::function<void(CDialog&)>& steps)
{
    CLineInputDlg dialog(TeacherRes::IDD_MESSAGE_BOX, layout::kCloseX, layout::kCloseY,
                         TeacherRes::IDB_LINE_INPUT_BACKGROUND, nullptr);
    const INT_PTR result = RunModal(dialog, steps);
    return {result, dialog.Result()};
}

TEST(LineInputDlg, TheLineGoesIntoARecordAtByte3)
{
    const struct {
        const char* what;
        std::string typed;
        std::string kept;
    } cases[] = {
        {"blanks only, untrimmed", "   ", "   "},
        {"30 characters fill bytes 3 to 32", Repeat("a", 30), Repeat("a", 30)},
        {"typed double-byte text arrives byte for byte", "小组" + std::string("ab"), "小组ab"},
        // Characters are what the field limits: 30 of them are 60 bytes.
        {"30 double-byte characters end by byte 33", Repeat(kWide, 30), Repeat(kWide, 15)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const LineOutcome outcome = RunLineInput([&](CDialog& d) {
            CWnd* edit = d.GetDlgItem(CLineInputDlg::kTextId);
            if (c.typed.size() > 30)
                edit->SetWindowText(c.typed.c_str()); // past the field's limit
            else
                Type(*edit, c.typed);
            Click(d, CLineInputDlg::kConfirmId);
        });
        EXPECT_EQ(outcome.result, IDOK);
        const auto* bytes = reinterpret_cast<const uint8_t*>(&outcome.record);
        EXPECT_EQ(bytes[0] | bytes[1] | bytes[2], 0);
        EXPECT_EQ(std::string(outcome.record.name), c.kept);
        EXPECT_EQ(bytes[33], 0);
        for (size_t i = 3 + c.kept.size(); i < sizeof outcome.record; ++i)
            EXPECT_EQ(bytes[i], 0) << "byte " << i;
    }
}

TEST(LineInputDlg, AnEmptyLineKeepsItOpenWithoutABoxAndCancelEndsIt)
{
    WarningCloser closer;
    bool stayedOpen = false;
    const LineOutcome outcome = RunLineInput([&](CDialog& d) {
        ExpectLaidOut(d, "line-input");
        Click(d, CLineInputDlg::kConfirmId);
        const HWND field = d.GetDlgItem(CLineInputDlg::kTextId)->m_hWnd;
        kqtest::PumpUntil([&] { return ::GetFocus() == field; });
        stayedOpen = ::IsWindowVisible(d.m_hWnd) != FALSE;
        EXPECT_EQ(::GetFocus(), field);
        Click(d, CLineInputDlg::kCancelId);
    });
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(WarningCloser::Seen(), 0);
    EXPECT_EQ(outcome.result, IDCANCEL);
}

// ---- Preset text ----

struct PresetOutcome {
    INT_PTR result;
    std::string text;
};

PresetOutcome RunPresetText(const std::function<void(CDialog&)>& steps,
                            UINT background = TeacherRes::IDB_NOTICE_TEXT_BACKGROUND)
{
    CPresetTextDlg dialog(TeacherRes::IDD_MESSAGE_BOX, layout::kCloseX, layout::kCloseY, background, nullptr);
    const INT_PTR result = RunModal(dialog, steps);
    return {result, dialog.GetText().GetString()};
}

TEST(PresetTextDlg, OffersThePresetsInOrderWithTheFirstInTheField)
{
    std::vector<std::string> listed;
    std::string field;
    const PresetOutcome outcome = RunPresetText([&](CDialog& d) {
        ExpectLaidOut(d, "preset-text");
        CComboBox* box = static_cast<CComboBox*>(d.GetDlgItem(CPresetTextDlg::kTextBoxId));
        for (int i = 0; i < box->GetCount(); ++i) {
            CString item;
            box->GetLBText(i, item);
            listed.push_back(item.GetString());
        }
        CString text;
        box->GetWindowText(text);
        field = text.GetString();
        Click(d, CPresetTextDlg::kConfirmId);
    });
    const std::vector<std::string> expected = {LoadText(57436), LoadText(57437), LoadText(57438), LoadText(57439),
                                               LoadText(57440)};
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(field, expected[0]);
    EXPECT_EQ(outcome.result, IDOK);
    EXPECT_EQ(outcome.text, expected[0]);
}

TEST(PresetTextDlg, GivesTheTrimmedTextUpTo50Characters)
{
    const struct {
        const char* what;
        std::string field;
        std::string text;
    } cases[] = {
        {"blanks trimmed", "  请安静  ", "请安静"},
        {"an emptied box", "", ""},
        {"50 double-byte characters fit", Repeat(kWide, 50), Repeat(kWide, 50)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WarningCloser closer;
        const PresetOutcome outcome = RunPresetText([&](CDialog& d) {
            d.GetDlgItem(CPresetTextDlg::kTextBoxId)->SetWindowText(c.field.c_str());
            Click(d, CPresetTextDlg::kConfirmId);
        });
        EXPECT_EQ(outcome.result, IDOK);
        EXPECT_EQ(outcome.text, c.text);
        EXPECT_EQ(WarningCloser::Seen(), 0);
    }
}

TEST(PresetTextDlg, RefusesALongerPresetAndCancelGivesNothing)
{
    WarningCloser closer;
    bool stayedOpen = false;
    const PresetOutcome refused = RunPresetText(
        [&](CDialog& d) {
            // A preset can be longer than typing allows.
            d.GetDlgItem(CPresetTextDlg::kTextBoxId)->SetWindowText(Repeat(kWide, 51).c_str());
            Click(d, CPresetTextDlg::kConfirmId);
            stayedOpen = ::IsWindowVisible(d.m_hWnd) != FALSE;
            Click(d, CPresetTextDlg::kCancelId);
        },
        TeacherRes::IDB_BLANK_TEXT_BACKGROUND);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(WarningCloser::Seen(), 1);
    EXPECT_EQ(WarningCloser::LastText(), LoadText(TeacherRes::IDS_PRESET_TEXT_TOO_LONG));
    EXPECT_EQ(refused.result, IDCANCEL);
    EXPECT_EQ(refused.text, "");
}

// ---- Two answers ----

TEST(ChoiceDlg, AnswersAndWaysOut)
{
    const struct {
        const char* what;
        std::function<void(CDialog&)> answer;
        INT_PTR result;
    } cases[] = {
        {"first answer", [](CDialog& d) { Click(d, CChoiceDlg::kFirstAnswerId); }, IDOK},
        {"second answer", [](CDialog& d) { Click(d, CChoiceDlg::kSecondAnswerId); }, CChoiceDlg::kSecondAnswer},
        {"cancel", [](CDialog& d) { Click(d, CChoiceDlg::kCancelId); }, IDCANCEL},
        {"Enter", [](CDialog& d) { d.SendMessage(WM_COMMAND, IDOK, 0); }, IDOK},
        {"Esc", [](CDialog& d) { d.SendMessage(WM_COMMAND, IDCANCEL, 0); }, IDCANCEL},
        {"close button", [](CDialog& d) { Click(d, kq::kTeacherSkinLook.closeId); }, IDCANCEL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CChoiceDlg dialog(TeacherRes::IDD_MESSAGE_BOX, layout::kCloseX, layout::kCloseY,
                          TeacherRes::IDB_CLASSROOM_QUESTION, nullptr);
        EXPECT_EQ(RunModal(dialog,
                           [&](CDialog& d) {
                               if (&c == &cases[0])
                                   ExpectLaidOut(d, "classroom-question");
                               c.answer(d);
                           }),
                  c.result);
    }
}

} // namespace
