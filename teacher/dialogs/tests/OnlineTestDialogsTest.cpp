// The online test's dialogs: the test start dialog's checks and the record
// it lends to the library (scripted through KQ_QUIZHALL_T_StartTest), the
// test time dialog's signed change, and the exercise list with its file.

#include "teacher/dialogs/ExerciseEntryDlg.h"
#include "teacher/dialogs/ExerciseListDlg.h"
#include "teacher/dialogs/MessageBoxLayout.h"
#include "teacher/dialogs/TestStartDlg.h"
#include "teacher/dialogs/TestTimeDlg.h"
#include "teacher/dialogs/tests/BoxWatcher.h"

#include "common/ProgramFolder.h"
#include "teacher/ExerciseFile.h"
#include "widgets/tests/LayoutCheck.h"
#include "widgets/tests/WidgetTestSupport.h"

#include "TeacherResources.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

namespace {

using kqtest::Click;
using kqtest::RunModal;
using kqtest::WarningCloser;
namespace layout = kq::message_box;

std::string LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text.GetString();
}

void ExpectLaidOut(HWND dialog, const char* shot)
{
    EXPECT_TRUE(kqtest::SaveScreenShot(dialog, shot));
    for (const std::string& fault : kqtest::LayoutFaults(dialog))
        ADD_FAILURE() << shot << ": " << fault;
}

void SetText(CDialog& dialog, UINT id, const std::string& text)
{
    dialog.GetDlgItem(id)->SetWindowText(text.c_str());
}

// Ticks a check box or a radio button as a click does.
void Tick(CDialog& dialog, UINT id)
{
    ::SendMessageA(::GetDlgItem(dialog.m_hWnd, static_cast<int>(id)), BM_CLICK, 0, 0);
}

std::string TextOf(CDialog& dialog, UINT id)
{
    CString text;
    dialog.GetDlgItem(id)->GetWindowText(text);
    return text.GetString();
}

// ---- Test start ----

class TestStartDlgTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_paper = kq::GetProgramFolder() + "start-paper.kqt";
        std::ofstream(m_paper, std::ios::binary) << "paper of 17 bytes";
    }
    void TearDown() override
    {
        std::remove(m_paper.c_str());
        ::SetEnvironmentVariableA("KQ_QUIZHALL_T_StartTest", nullptr);
    }

    struct Outcome {
        INT_PTR result;
        int testId;
        kq::TestStartRecord record;
        std::string answerShown;
        std::string answer;
        int warnings;
        std::string warning;
    };

    // Fills every entry (the paper with blanks round it), runs `change`, then
    // presses start; with `result` scripted for T_StartTest (empty: none).
    Outcome Start(const char* result, const std::function<void(CDialog&)>& change)
    {
        ::SetEnvironmentVariableA("KQ_QUIZHALL_T_StartTest", result);
        WarningCloser closer;
        kq::CommandBlock block{};
        block.targetCount = 2;
        CTestStartDlg dialog(TeacherRes::IDD_MESSAGE_BOX, 320, 4, TeacherRes::IDB_TEST_START_BACKGROUND, nullptr);
        dialog.SetCommandBlock(&block);
        std::string shown;
        const INT_PTR ended = RunModal(dialog, [&](CDialog& d) {
            SetText(d, CTestStartDlg::kPaperId, "  " + m_paper + " ");
            SetText(d, CTestStartDlg::kAnswerId, "D:\\test\\math");
            SetText(d, CTestStartDlg::kTextAId, "期中考试");
            SetText(d, CTestStartDlg::kTextBId, "数学");
            change(d);
            Click(d, CTestStartDlg::kStartId);
            kqtest::PumpFor(200);
            if (WarningCloser::Seen() > 0) { // refused: the dialog stays
                shown = TextOf(d, CTestStartDlg::kAnswerId);
                d.EndDialog(IDCANCEL);
            }
        });
        return {ended, dialog.GetTestId(), dialog.Record(), shown, dialog.GetAnswerFile().GetString(),
                WarningCloser::Seen(), WarningCloser::LastText()};
    }

    std::string m_paper;
};

TEST_F(TestStartDlgTest, AStartFillsTheRecordFromTheTrimmedEntries)
{
    const Outcome outcome = Start("4711", [&](CDialog& d) {
        ExpectLaidOut(d.m_hWnd, "test-start");
        Tick(d, CTestStartDlg::kOptionBId);
    });
    EXPECT_EQ(outcome.result, IDOK);
    EXPECT_EQ(outcome.warnings, 0) << outcome.warning;
    EXPECT_EQ(outcome.testId, 4711);
    EXPECT_EQ(outcome.record.paperSize, 17);
    EXPECT_EQ(outcome.record.minutes, 60); // the spin's first position
    EXPECT_EQ(outcome.record.optionA, 0);
    EXPECT_EQ(outcome.record.optionB, 1);
    EXPECT_STREQ(outcome.record.textA, "期中考试");
    EXPECT_STREQ(outcome.record.textB, "数学");
    // A path without any "." gains the answer files' extension.
    EXPECT_EQ(outcome.answer, "D:\\test\\math.kqa");
}

TEST_F(TestStartDlgTest, FortyDoubleByteCharactersAreCutOnACharacter)
{
    std::string long40;
    for (int i = 0; i < 40; ++i)
        long40 += "考";
    const Outcome outcome = Start("1", [&](CDialog& d) {
        SetText(d, CTestStartDlg::kTextAId, long40);
        SetText(d, CTestStartDlg::kTextBId, "a" + long40);
        SetText(d, CTestStartDlg::kAnswerId, "D:\\t.x\\math");
    });
    ASSERT_EQ(outcome.result, IDOK);
    EXPECT_EQ(std::string(outcome.record.textA), long40.substr(0, 40));
    EXPECT_EQ(std::string(outcome.record.textB), "a" + long40.substr(0, 38)); // 39 bytes: no half character
    EXPECT_EQ(outcome.answer, "D:\\t.x\\math");
}

TEST_F(TestStartDlgTest, ResultsOfTheLibrary)
{
    const std::string sentence = "详细资料及解决办法见“常见问题”中的";
    const struct {
        const char* result;
        INT_PTR ended;
        int testId;
        UINT message;
        const char* page; // the help sentence's page, or none
    } cases[] = {
        {"-5", IDCANCEL, 0, TeacherRes::IDS_TEST_NETWORK_FAILED, "12"},
        {"-3", IDCANCEL, 0, TeacherRes::IDS_TEST_ANSWER_UNWRITABLE, "13"},
        {"-2", IDCANCEL, 0, TeacherRes::IDS_TEST_PAPER_UNREADABLE, "14"},
        {"-1", IDCANCEL, 0, TeacherRes::IDS_TEST_START_FAILED, nullptr},
        {"0", IDOK, 0, 0, nullptr},
        {"-4", IDOK, 0, 0, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.result);
        const Outcome outcome = Start(c.result, [](CDialog&) {});
        EXPECT_EQ(outcome.result, c.ended);
        EXPECT_EQ(outcome.testId, c.testId);
        if (c.message == 0) {
            EXPECT_EQ(outcome.warnings, 0) << outcome.warning;
            continue;
        }
        ASSERT_EQ(outcome.warnings, 1);
        EXPECT_EQ(outcome.warning.rfind(LoadText(c.message), 0), 0u) << outcome.warning;
        const bool named = outcome.warning.find(sentence + (c.page != nullptr ? c.page : "") + "，") != std::string::npos;
        EXPECT_EQ(named, c.page != nullptr) << outcome.warning;
    }
}

TEST_F(TestStartDlgTest, EachEntryIsCheckedAndTheDialogStays)
{
    const struct {
        const char* what;
        UINT entry;
        std::string text;
        UINT message;
    } cases[] = {
        {"no paper", CTestStartDlg::kPaperId, "C:\\no-such-paper.kqt", TeacherRes::IDS_PAPER_PATH_INVALID},
        {"answer path malformed", CTestStartDlg::kAnswerId, "test\\math", TeacherRes::IDS_ANSWER_PATH_INVALID},
        {"text A blank", CTestStartDlg::kTextAId, "   ", TeacherRes::IDS_TEST_TEXT_A_EMPTY},
        {"no minutes", CTestStartDlg::kMinutesId, "", TeacherRes::IDS_TEST_MINUTES_INVALID},
        {"0 minutes", CTestStartDlg::kMinutesId, "0", TeacherRes::IDS_TEST_MINUTES_INVALID},
        {"151 minutes", CTestStartDlg::kMinutesId, "151", TeacherRes::IDS_TEST_MINUTES_INVALID},
        {"text B empty", CTestStartDlg::kTextBId, "", TeacherRes::IDS_TEST_TEXT_B_EMPTY},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Outcome outcome = Start("7", [&](CDialog& d) { SetText(d, c.entry, c.text); });
        EXPECT_EQ(outcome.result, IDCANCEL); // still open when the test closed it
        EXPECT_EQ(outcome.testId, 0);
        ASSERT_EQ(outcome.warnings, 1);
        EXPECT_EQ(outcome.warning, LoadText(c.message));
        // Past the answer's check, the entry shows the path it completed.
        if (c.entry != CTestStartDlg::kPaperId && c.entry != CTestStartDlg::kAnswerId) {
            EXPECT_EQ(outcome.answerShown, "D:\\test\\math.kqa");
        }
    }
    // 150 minutes are the most a test lasts.
    const Outcome longest = Start("7", [](CDialog& d) { SetText(d, CTestStartDlg::kMinutesId, "150"); });
    EXPECT_EQ(longest.result, IDOK);
    EXPECT_EQ(longest.record.minutes, 150);
}

// ---- Test time ----

struct TimeOutcome {
    INT_PTR result;
    int minutes;
    int warnings;
};

TimeOutcome ChangeTime(int remaining, const std::function<void(CDialog&)>& steps)
{
    WarningCloser closer;
    CTestTimeDlg dialog(TeacherRes::IDD_MESSAGE_BOX, layout::kCloseX, layout::kCloseY,
                        TeacherRes::IDB_TEST_TIME_BACKGROUND, nullptr);
    dialog.SetRemainingMinutes(remaining);
    const INT_PTR result = RunModal(dialog, steps);
    return {result, dialog.GetMinutes(), WarningCloser::Seen()};
}

TEST(TestTimeDlg, TheChangeIsSignedAndNeverPastTheEnd)
{
    // Shortening by more than is left is refused and the dialog stays;
    // lengthening by the same is taken.
    std::string warning;
    TimeOutcome outcome = ChangeTime(10, [&](CDialog& d) {
        ExpectLaidOut(d.m_hWnd, "test-time");
        EXPECT_NE(TextOf(d, layout::kTextId).find("10分钟"), std::string::npos);
        SetText(d, CTestTimeDlg::kMinutesId, "11");
        Tick(d, CTestTimeDlg::kShortenId);
        Click(d, CTestTimeDlg::kOkId);
        kqtest::PumpFor(200);
        warning = WarningCloser::LastText();
        EXPECT_TRUE(::IsWindow(d.m_hWnd));
        Tick(d, CTestTimeDlg::kLengthenId);
        Click(d, CTestTimeDlg::kOkId);
    });
    EXPECT_EQ(warning, LoadText(TeacherRes::IDS_SHORTEN_TOO_MUCH));
    EXPECT_EQ(outcome.result, IDOK);
    EXPECT_EQ(outcome.minutes, 11);

    const struct {
        const char* what;
        const char* typed;
        bool shorten;
        int minutes;
    } cases[] = {
        {"shortening by all that is left", "10", true, -10},
        {"an empty entry, shortening", "", true, 0},
        {"an empty entry, lengthening", "", false, 0},
        // Pasted past the field's limit: no number, no change.
        {"a long pasted number", "99999999999", false, 0},
        {"the longest number", "99999", false, 99999},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        outcome = ChangeTime(10, [&](CDialog& d) {
            SetText(d, CTestTimeDlg::kMinutesId, c.typed);
            if (c.shorten)
                Tick(d, CTestTimeDlg::kShortenId);
            Click(d, CTestTimeDlg::kOkId);
        });
        EXPECT_EQ(outcome.result, IDOK);
        EXPECT_EQ(outcome.minutes, c.minutes);
        EXPECT_EQ(outcome.warnings, 0);
    }
}

// ---- Exercise list ----

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class ExerciseListTest : public testing::Test {
protected:
    void SetUp() override { std::remove(CExerciseListDlg::ListFile().c_str()); }
    void TearDown() override { std::remove(CExerciseListDlg::ListFile().c_str()); }

    static void Write(const std::vector<kq::Exercise>& exercises)
    {
        std::ofstream(CExerciseListDlg::ListFile(), std::ios::binary) << kq::SerializeExercises(exercises);
    }
    static std::vector<kq::Exercise> Read() { return kq::ParseExercises(FileBytes(CExerciseListDlg::ListFile())); }

    static CListCtrl& List(CDialog& d) { return *static_cast<CListCtrl*>(d.GetDlgItem(CExerciseListDlg::kListId)); }
    static void SelectRow(CDialog& d, int row)
    {
        List(d).SetItemState(-1, 0, LVIS_SELECTED);
        List(d).SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    }
    // Presses `open` of the list; `steps` run once inside the entry dialog
    // that it opens (a thread timer finds it within the dialog's own loop).
    static void Entry(CDialog& list, UINT open, const std::function<void(CWnd&)>& steps)
    {
        s_steps = steps;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, kWatchMs, &RunSteps);
        Click(list, open);
        ::KillTimer(nullptr, timer);
        EXPECT_FALSE(s_steps) << "no entry dialog came up";
        s_steps = nullptr;
    }

private:
    static constexpr UINT kWatchMs = 20;
    static void CALLBACK RunSteps(HWND, UINT, UINT_PTR, DWORD)
    {
        const HWND entry = kqtest::ThreadWindowWith(CExerciseEntryDlg::kNameId);
        if (entry == nullptr || !s_steps)
            return;
        const std::function<void(CWnd&)> steps = std::move(s_steps);
        s_steps = nullptr;
        steps(*CWnd::FromHandle(entry));
    }
    static inline std::function<void(CWnd&)> s_steps;
};

TEST_F(ExerciseListTest, SavedAndReopenedInOrderAndChoosingSendsNothingItself)
{
    const std::vector<kq::Exercise> three = {{"画图", "C:\\bin\\paint.exe"}, {"计算器", "C:\\bin\\calc.exe"},
                                             {"记事本", "C:\\bin\\notepad.exe"}};
    Write(three);
    const std::string before = FileBytes(CExerciseListDlg::ListFile());
    CExerciseListDlg closed;
    EXPECT_EQ(RunModal(closed, [](CDialog& d) {
                  ExpectLaidOut(d.m_hWnd, "exercise-list");
                  EXPECT_EQ(List(d).GetItemCount(), 3);
                  Click(d, CExerciseListDlg::kCloseId);
              }),
              IDCANCEL);
    EXPECT_EQ(FileBytes(CExerciseListDlg::ListFile()), before);

    // Enter with one row selected chooses it.
    CExerciseListDlg chosen;
    EXPECT_EQ(RunModal(chosen, [](CDialog& d) {
                  SelectRow(d, 1);
                  d.SendMessage(WM_COMMAND, IDOK, 0);
              }),
              IDOK);
    EXPECT_EQ(std::string(chosen.GetProgram()), "C:\\bin\\calc.exe");
    EXPECT_EQ(FileBytes(CExerciseListDlg::ListFile()), before);
}

TEST_F(ExerciseListTest, AShortFileListsItsWholeRecordsAndChoosingTwoIsRefused)
{
    std::string bytes = kq::SerializeExercises({{"a", "C:\\a.exe"}, {"b", "C:\\b.exe"}});
    bytes[0] = 5; // a count of 5 with two records
    std::ofstream(CExerciseListDlg::ListFile(), std::ios::binary) << bytes;
    WarningCloser closer;
    CExerciseListDlg list;
    RunModal(list, [](CDialog& d) {
        EXPECT_EQ(List(d).GetItemCount(), 2);
        List(d).SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
        List(d).SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
        Click(d, CExerciseListDlg::kChooseId);
        kqtest::PumpFor(200);
        EXPECT_TRUE(::IsWindow(d.m_hWnd));
        d.SendMessage(WM_CLOSE);
    });
    EXPECT_EQ(WarningCloser::LastText(), LoadText(TeacherRes::IDS_CHOOSE_ONE_EXERCISE));
    EXPECT_EQ(Read().size(), 2u); // saved as listed
}

TEST_F(ExerciseListTest, EditThenCancelMovesTheExerciseUnchangedToTheBottom)
{
    // The first name is longer than a new one may be: only the file allows it.
    const std::string longName(60, 'n');
    Write({{longName, "C:\\a#b.exe"}, {"b", "C:\\b.exe"}});
    CExerciseListDlg list;
    RunModal(list, [&](CDialog& d) {
        SelectRow(d, 0);
        Entry(d, CExerciseListDlg::kEditId, [](CWnd& entry) {
            ExpectLaidOut(entry.m_hWnd, "exercise-edit");
            entry.SetDlgItemText(CExerciseEntryDlg::kNameId, "changed");
            Click(entry, CExerciseEntryDlg::kCloseId);
        });
        Click(d, CExerciseListDlg::kCloseId);
    });
    const std::vector<kq::Exercise> saved = Read();
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_EQ(saved[0].name, "b");
    EXPECT_EQ(saved[1].name, longName);
    EXPECT_EQ(saved[1].program, "C:\\a#b.exe");
}

TEST_F(ExerciseListTest, TheEntryChecks)
{
    WarningCloser closer;
    const std::string name50(50, 'x');
    const struct {
        const char* what;
        UINT open; // add or edit
        std::string name;
        std::string program;
        UINT message; // 0: taken
    } cases[] = {
        {"'#' refused when adding", CExerciseListDlg::kAddId, "a", "C:\\a#b.exe", TeacherRes::IDS_PATH_REJECTED},
        {"'#' taken when editing", CExerciseListDlg::kEditId, "a", "C:\\a#b.exe", 0},
        {"a 50-byte name", CExerciseListDlg::kAddId, name50, "C:\\a.exe", 0},
        {"a 51-byte name", CExerciseListDlg::kAddId, name50 + "x", "C:\\a.exe", TeacherRes::IDS_EXERCISE_NAME_TOO_LONG},
        {"no name", CExerciseListDlg::kAddId, "  ", "C:\\a.exe", TeacherRes::IDS_EXERCISE_NAME_EMPTY},
        // An edited path is not examined, but it must fit the file.
        {"an edited path too long for the file", CExerciseListDlg::kEditId, "a", "C:\\" + std::string(257, 'p'),
         TeacherRes::IDS_PATH_REJECTED},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Write({{"old", "C:\\old.exe"}});
        const int seenBefore = WarningCloser::Seen();
        std::string warning;
        CExerciseListDlg list;
        RunModal(list, [&](CDialog& d) {
            SelectRow(d, 0);
            Entry(d, c.open, [&](CWnd& entry) {
                entry.SetDlgItemText(CExerciseEntryDlg::kNameId, c.name.c_str());
                entry.SetDlgItemText(CExerciseEntryDlg::kProgramId, c.program.c_str());
                Click(entry, CExerciseEntryDlg::kOkId);
                kqtest::PumpFor(200);
                // A refusal leaves the entry open: it is closed unconfirmed.
                warning = WarningCloser::Seen() > seenBefore ? WarningCloser::LastText() : "";
                if (!warning.empty())
                    entry.SendMessage(WM_CLOSE);
            });
            Click(d, CExerciseListDlg::kCloseId);
        });
        const std::vector<kq::Exercise> saved = Read();
        ASSERT_EQ(saved.size(), c.open == CExerciseListDlg::kAddId ? (c.message != 0 ? 1u : 2u) : 1u);
        if (c.message != 0) {
            EXPECT_EQ(warning, LoadText(c.message));
            EXPECT_EQ(saved.back().name, "old"); // nothing new, the edited one as it was
            EXPECT_EQ(saved.back().program, "C:\\old.exe");
            continue;
        }
        EXPECT_TRUE(warning.empty()) << warning;
        EXPECT_EQ(saved.back().name, c.name);
        EXPECT_EQ(saved.back().program, c.program);
    }
}

} // namespace
