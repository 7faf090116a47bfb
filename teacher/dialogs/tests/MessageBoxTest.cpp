// The teacher's message boxes: the warning with its help pages and its
// one-at-a-time rule, the yes/no question and the waiting notice.

#include "teacher/dialogs/HelpPages.h"
#include "teacher/dialogs/KqWaitTimeDlg.h"
#include "teacher/dialogs/KqYesNoDlg.h"
#include "teacher/dialogs/MessageBoxes.h"
#include "teacher/dialogs/WarningDlg.h"

#include "common/ProgramFolder.h"
#include "teacher/StartupText.h"
#include "widgets/TeacherLook.h"
#include "widgets/tests/WidgetTestSupport.h"

#include "TeacherResources.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

using kqtest::RunModal;
using kqtest::RunShown;

constexpr UINT kConfirm = CWarningDlg::kConfirmId;
constexpr UINT kStartupCheckFailed = TeacherRes::IDS_ENVIRONMENT_CHECK_FAILED; // 57455
constexpr UINT kNoSeatOnline = TeacherRes::IDS_NO_SEAT_ONLINE;                 // no help page
constexpr int kTextId = 0xFFFF;

TEST(HelpPages, OneOfTwelveMessagesOpensItsPage)
{
    const struct {
        UINT helpId;
        const char* page;
    } cases[] = {
        {57454, "8.htm"},  {57455, "3.htm"},  {57456, "1.htm"},  {57457, "20.htm"}, {57458, "3.htm"},
        {57498, "23.htm"}, {57499, "24.htm"}, {57508, "34.htm"}, {57519, "35.htm"}, {57534, "14.htm"},
        {57535, "13.htm"}, {57536, "12.htm"}, {0, nullptr},      {57459, nullptr},  {57500, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.helpId);
        const char* page = kq::HelpPageFor(c.helpId);
        if (c.page == nullptr) {
            EXPECT_EQ(page, nullptr);
            continue;
        }
        ASSERT_NE(page, nullptr);
        EXPECT_STREQ(page, c.page);
        EXPECT_NE(::GetFileAttributesA(kq::HelpPagePath(page).c_str()), INVALID_FILE_ATTRIBUTES)
            << "the page is laid beside the program: " << kq::HelpPagePath(page);
    }
    EXPECT_EQ(kq::HelpPagePath("3.htm"), kq::GetProgramFolder() + "help\\3.htm");
}

// Registers HelpRecorder.exe as the program that opens .htm files while the
// test runs, so no browser starts; it writes every page it is asked to open
// into a record file. (Wine reads file associations from HKEY_CLASSES_ROOT
// only, not from the user's Software\Classes.) What was registered before is
// put back afterwards.
class HelpPageOpening : public testing::Test {
protected:
    static constexpr const char* kExtension = ".htm";
    static constexpr const char* kProgId = "KqTestHelpPage";

    void SetUp() override
    {
        char temp[MAX_PATH] = {};
        ASSERT_GT(::GetTempPathA(MAX_PATH, temp), 0u);
        m_record = std::string(temp) + "kq_help_record.txt";
        ::DeleteFileA(m_record.c_str());

        char previous[MAX_PATH] = {};
        LONG size = sizeof previous;
        m_hadAssociation = ::RegQueryValueA(HKEY_CLASSES_ROOT, kExtension, previous, &size) == ERROR_SUCCESS;
        m_previous = previous;
        const std::string command =
            "\"" + kq::GetProgramFolder() + "HelpRecorder.exe\" \"" + m_record + "\" \"%1\"";
        ASSERT_TRUE(SetClassValue(kExtension, kProgId));
        ASSERT_TRUE(SetClassValue(std::string(kProgId) + "\\shell\\open\\command", command));
    }
    void TearDown() override
    {
        ::RegDeleteTreeA(HKEY_CLASSES_ROOT, kProgId);
        if (m_hadAssociation)
            SetClassValue(kExtension, m_previous);
        else
            ::RegDeleteTreeA(HKEY_CLASSES_ROOT, kExtension);
        ::DeleteFileA(m_record.c_str());
    }

    static bool SetClassValue(const std::string& key, const std::string& value)
    {
        return ::RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, value.c_str(),
                              static_cast<DWORD>(value.size())) == ERROR_SUCCESS;
    }

    std::vector<std::string> Opened() const
    {
        std::vector<std::string> pages;
        std::ifstream record(m_record);
        for (std::string line; std::getline(record, line);)
            pages.push_back(line);
        return pages;
    }

    std::string m_record;
    bool m_hadAssociation = false;
    std::string m_previous;
};

void Click(CWnd& box, UINT id)
{
    CWnd* button = box.GetDlgItem(id);
    ASSERT_NE(button, nullptr) << "control " << id;
    button->SendMessage(BM_CLICK);
}

void PressKey(CWnd& box, UINT key)
{
    box.PostMessage(WM_KEYDOWN, key, 1);
}

CString TextOf(CWnd* window)
{
    CString text;
    if (window != nullptr)
        window->GetWindowText(text);
    return text;
}

TEST_F(HelpPageOpening, TheConfirmButtonOpensTheMessagesPageAndEndsWithOk)
{
    CString expectedText;
    ASSERT_TRUE(expectedText.LoadString(kStartupCheckFailed));
    const struct {
        const char* name;
        UINT helpId;
        std::function<void(CWnd&)> end;
    } cases[] = {
        {"Enter opens no page", kStartupCheckFailed, [](CWnd& box) { PressKey(box, VK_RETURN); }},
        {"help id 0 has no page", 0, [](CWnd& box) { Click(box, kConfirm); }},
        {"confirm opens 3.htm", kStartupCheckFailed, [](CWnd& box) { Click(box, kConfirm); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CWarningDlg box(TeacherRes::IDD_MESSAGE_BOX, 269, 4, TeacherRes::IDB_WARNING_BACKGROUND, nullptr);
        box.m_helpId = c.helpId;
        box.LoadMessage(kStartupCheckFailed);
        const INT_PTR result = RunModal(box, [&](CDialog& d) {
            EXPECT_STREQ(TextOf(&d), CWarningDlg::kTitle);
            EXPECT_STREQ(TextOf(d.GetDlgItem(kTextId)), expectedText);
            c.end(d);
        });
        EXPECT_EQ(result, IDOK);
    }
    const std::string page = kq::GetProgramFolder() + "help\\3.htm";
    ASSERT_TRUE(kqtest::PumpUntil([&] { return !Opened().empty(); })) << "the page was opened";
    kqtest::PumpFor(500);
    ASSERT_EQ(Opened().size(), 1u) << "only the confirm button with a page opens one";
    EXPECT_EQ(::lstrcmpiA(Opened()[0].c_str(), page.c_str()), 0) << Opened()[0] << " is " << page;
}

TEST_F(HelpPageOpening, WarningNShowsStringNAndOpensItsPage)
{
    const INT_PTR result =
        RunShown(CWarningDlg::kTitle, [] { return kq::ShowWarning(TeacherRes::IDS_TRANSPORT_OPEN_FAILED); },
                 [](CWnd& box) { Click(box, kConfirm); });
    EXPECT_EQ(result, IDOK);
    ASSERT_TRUE(kqtest::PumpUntil([&] { return !Opened().empty(); }));
    EXPECT_EQ(::lstrcmpiA(Opened()[0].c_str(), (kq::GetProgramFolder() + "help\\3.htm").c_str()), 0)
        << "57458 shares the page of 57455";
}

TEST_F(HelpPageOpening, WarningNWithTheHelpSentenceNamesItsItemAndOpensItsPage)
{
    constexpr int kOwnPage = -1;
    const struct {
        UINT stringId;
        int item;
        std::string sentenceItem; // empty: no sentence
    } cases[] = {
        {TeacherRes::IDS_ENVIRONMENT_CHECK_FAILED, kOwnPage, "3"}, // 3.htm
        {TeacherRes::IDS_TRANSPORT_OPEN_FAILED, 2, "2"},           // an item other than its page, 3.htm
        {kNoSeatOnline, kOwnPage, ""},                             // no page: the string alone
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stringId);
        CString message;
        ASSERT_TRUE(message.LoadString(c.stringId));
        const std::string expected =
            c.sentenceItem.empty() ? std::string(message.GetString())
                                   : kq::StartupWarningText(message.GetString(), std::stoi(c.sentenceItem));
        if (!c.sentenceItem.empty()) {
            ASSERT_NE(expected.find("中的" + c.sentenceItem + "，"), std::string::npos) << expected;
        }
        const INT_PTR result = RunShown(CWarningDlg::kTitle, [&] {
            return c.item == kOwnPage ? kq::ShowWarningWithHelp(c.stringId) : kq::ShowWarningWithHelp(c.stringId, c.item);
        }, [&](CWnd& box) {
            EXPECT_EQ(std::string(TextOf(box.GetDlgItem(kTextId)).GetString()), expected);
            Click(box, kConfirm);
        });
        EXPECT_EQ(result, IDOK);
    }
    const std::string page = kq::GetProgramFolder() + "help\\3.htm";
    ASSERT_TRUE(kqtest::PumpUntil([&] { return Opened().size() >= 2; }));
    kqtest::PumpFor(500);
    ASSERT_EQ(Opened().size(), 2u) << "the box without a page opens none";
    for (const std::string& opened : Opened())
        EXPECT_EQ(::lstrcmpiA(opened.c_str(), page.c_str()), 0) << opened;
}

TEST(WarningDlg, NoticeNUsesTheNoticeBackgroundAndClosesByTitle)
{
    CString expectedText;
    ASSERT_TRUE(expectedText.LoadString(kNoSeatOnline));
    bool closed = false;
    const INT_PTR result = RunShown(CWarningDlg::kTitle, [] { return kq::ShowNotice(kNoSeatOnline); }, [&](CWnd& box) {
        EXPECT_STREQ(TextOf(box.GetDlgItem(kTextId)), expectedText);
        EXPECT_EQ(kqtest::ScreenPixel(box, 10, 150), kqtest::BitmapPixel(TeacherRes::IDB_NOTICE_BACKGROUND, 10, 150));
        closed = kq::CloseBoxByTitle(CWarningDlg::kTitle);
    });
    EXPECT_TRUE(closed);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_FALSE(kq::CloseBoxByTitle(CWarningDlg::kTitle)) << "no box left to close";
}

// A warning box that notes whether it was ever shown.
class WatchedWarning : public CWarningDlg {
public:
    using CWarningDlg::CWarningDlg;
    bool shown = false;

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg void OnShowWindow(BOOL show, UINT status)
    {
        shown = shown || show;
        CWarningDlg::OnShowWindow(show, status);
    }
    afx_msg void OnWindowPosChanged(WINDOWPOS* position)
    {
        shown = shown || (position->flags & SWP_SHOWWINDOW) != 0;
        CWarningDlg::OnWindowPosChanged(position);
    }
};

BEGIN_MESSAGE_MAP(WatchedWarning, CWarningDlg)
    ON_WM_SHOWWINDOW()
    ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

TEST(WarningDlg, OnlyOneWarningAtATime)
{
    // The open warning may be another program's: any top-level window of that title.
    CWnd open;
    ASSERT_TRUE(open.CreateEx(0, AfxRegisterWndClass(0), CWarningDlg::kTitle, WS_POPUP, 0, 0, 10, 10, nullptr,
                              nullptr));
    WatchedWarning second(TeacherRes::IDD_MESSAGE_BOX, 269, 4, TeacherRes::IDB_WARNING_BACKGROUND, nullptr);
    second.SetMessage("second");
    const DWORD start = ::GetTickCount();
    EXPECT_EQ(RunModal(second, [](CDialog& d) { d.EndDialog(99); }), IDCANCEL);
    EXPECT_LT(::GetTickCount() - start, 1000u) << "at once";
    EXPECT_FALSE(second.shown) << "the second box never shows";
    EXPECT_STREQ(TextOf(&open), CWarningDlg::kTitle) << "the open one stays as it was";
    EXPECT_TRUE(::IsWindow(open.m_hWnd));
    open.DestroyWindow();
}

TEST(KqYesNoDlg, YesOnlyFromTheYesButtonOrEnterWhileTheMainWindowWaits)
{
    CWnd& mainWindow = kqtest::Host();
    AfxGetApp()->m_pMainWnd = &mainWindow;
    CString question;
    ASSERT_TRUE(question.LoadString(TeacherRes::IDS_CLOSE_QUESTION));
    const struct {
        const char* name;
        std::function<void(CWnd&)> answer;
        bool yes;
    } cases[] = {
        {"yes button", [](CWnd& box) { Click(box, CKqYesNoDlg::kYesId); }, true},
        {"Enter", [](CWnd& box) { PressKey(box, VK_RETURN); }, true},
        {"no button", [](CWnd& box) { Click(box, CKqYesNoDlg::kNoId); }, false},
        {"Esc", [](CWnd& box) { PressKey(box, VK_ESCAPE); }, false},
        {"close button", [](CWnd& box) { Click(box, kq::kTeacherSkinLook.closeId); }, false},
        {"closed by title", [](CWnd&) { EXPECT_TRUE(kq::CloseBoxByTitle(CKqYesNoDlg::kTitle)); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bool yes = !c.yes;
        const INT_PTR result = RunShown(CKqYesNoDlg::kTitle, [&] {
            yes = kq::AskYesNo(TeacherRes::IDS_CLOSE_QUESTION);
            return 0;
        }, [&](CWnd& box) {
            EXPECT_FALSE(mainWindow.IsWindowEnabled()) << "the main window waits";
            EXPECT_EQ(::GetWindow(box.m_hWnd, GW_OWNER), mainWindow.m_hWnd);
            EXPECT_STREQ(TextOf(box.GetDlgItem(kTextId)), question);
            c.answer(box);
        });
        EXPECT_NE(result, kqtest::kTimedOut);
        EXPECT_EQ(yes, c.yes);
        EXPECT_TRUE(mainWindow.IsWindowEnabled());
    }
    AfxGetApp()->m_pMainWnd = nullptr;
}

TEST(KqWaitTimeDlg, EndsItselfAfterItsSecondsOrStaysUntilClosedByTitle)
{
    constexpr DWORD kOneSecond = 1000;
    constexpr DWORD kCloseAfter = 1500;
    {
        CKqWaitTimeDlg box(TeacherRes::IDD_WAIT_BOX, 0, 0, TeacherRes::IDB_WAIT_VIDEO_BACKGROUND, 1, nullptr);
        const DWORD start = ::GetTickCount();
        EXPECT_EQ(RunModal(box, [](CDialog& d) {
            EXPECT_STREQ(TextOf(&d), CKqWaitTimeDlg::kTitle);
            EXPECT_EQ(d.GetDlgItem(kq::kTeacherSkinLook.closeId), nullptr) << "no close button";
        }), IDCANCEL);
        EXPECT_GE(::GetTickCount() - start, kOneSecond - 50);
    }
    {
        CKqWaitTimeDlg box(TeacherRes::IDD_WAIT_BOX, 0, 0, TeacherRes::IDB_WAIT_PAPERS_BACKGROUND, 0, nullptr);
        static bool closed = false;
        closed = false;
        const DWORD start = ::GetTickCount();
        EXPECT_EQ(RunModal(box, [](CDialog&) {
            ::SetTimer(nullptr, 0, kCloseAfter, [](HWND, UINT, UINT_PTR timer, DWORD) {
                ::KillTimer(nullptr, timer);
                closed = kq::CloseBoxByTitle(CKqWaitTimeDlg::kTitle);
            });
        }), IDCANCEL);
        EXPECT_TRUE(closed);
        EXPECT_GE(::GetTickCount() - start, kCloseAfter - 50) << "0 seconds: it waited to be closed";
    }
}

} // namespace
