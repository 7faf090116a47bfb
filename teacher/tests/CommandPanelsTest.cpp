// The three command panels on a host window of this process: every button
// at its slot with its face and tooltip, the close-up of a button set, the
// clicks and right-clicks passed to the host, the enabling by activity
// state, and on a 640-pixel screen the function panel's pages.

#include "teacher/ButtonEnabling.h"
#include "teacher/CommandPanelA.h"
#include "teacher/CommandPanelC.h"
#include "teacher/FunctionPanel.h"
#include "widgets/tests/WidgetTestSupport.h"

#include "TeacherResources.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using kqtest::PumpFor;
using namespace TeacherRes;

struct Posted {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class RecordingHost : public CWnd {
public:
    std::vector<Posted> posts;

    bool CreateHost()
    {
        // Kept clear of the screen's centre, where the pointer rests.
        return CreateEx(0, AfxRegisterWndClass(0), "panel host", WS_POPUP | WS_VISIBLE, 0, 0, 760, 250, nullptr,
                        nullptr) != FALSE;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND || message == WM_RBUTTONDOWN)
            posts.push_back({message, wParam, lParam});
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// A button's released, pressed, hover or focus, and disabled faces.
struct Faces {
    UINT released, disabled;
};
struct Expected {
    UINT id;
    int x, y; // slot in the panel
    Faces faces;
    UINT tip;
};

const Expected kPanelA[] = {
    {501, 17, 6, {IDB_BROADCAST_UP, IDB_BROADCAST_DISABLED}, IDS_TIP_BROADCAST},
    {503, 140, 6, {IDB_DEMONSTRATE_UP, IDB_DEMONSTRATE_DISABLED}, IDS_TIP_DEMONSTRATE},
    {504, 17, 37, {IDB_VIDEO_UP, IDB_VIDEO_DISABLED}, IDS_TIP_VIDEO},
    {505, 140, 37, {IDB_REMOTE_CONTROL_UP, IDB_REMOTE_CONTROL_DISABLED}, IDS_TIP_REMOTE_CONTROL},
    {502, 17, 68, {IDB_MONITOR_UP, IDB_MONITOR_DISABLED}, IDS_TIP_MONITOR},
    {506, 140, 68, {IDB_MULTI_MONITOR_UP, IDB_MULTI_MONITOR_DISABLED}, IDS_TIP_MULTI_MONITOR},
};

// Rows of three at x 0, 71, 142 and y 0, 29, ... plus the frame (18, 15).
const Expected kFunction[] = {
    {300, 18, 15, {IDB_MEDIA_UP, IDB_MEDIA_DISABLED}, IDS_TIP_MEDIA},
    {301, 89, 15, {IDB_TUTOR_UP, IDB_TUTOR_DISABLED}, IDS_TIP_TUTOR},
    {302, 160, 15, {IDB_INTERACT_UP, IDB_INTERACT_DISABLED}, IDS_TIP_INTERACT},
    {303, 18, 44, {IDB_NOTICE_UP, IDB_NOTICE_DISABLED}, IDS_TIP_NOTICE},
    {304, 89, 44, {IDB_BLANK_SCREEN_UP, IDB_BLANK_SCREEN_DISABLED}, IDS_TIP_BLANK_SCREEN},
    {305, 160, 44, {IDB_SCREEN_LOCK_UP, IDB_SCREEN_LOCK_DISABLED}, IDS_TIP_SCREEN_LOCK},
    {306, 18, 73, {IDB_EXERCISE_UP, IDB_EXERCISE_DISABLED}, IDS_TIP_EXERCISE},
    {307, 89, 73, {IDB_SEND_FILES_UP, IDB_SEND_FILES_DISABLED}, IDS_TIP_SEND_FILES},
    {308, 160, 73, {IDB_HOMEWORK_UP, IDB_HOMEWORK_DISABLED}, IDS_TIP_HOMEWORK},
    {309, 18, 102, {IDB_CHAT_UP, IDB_CHAT_DISABLED}, IDS_TIP_CHAT},
    {310, 89, 102, {IDB_GROUP_TALK_UP, IDB_GROUP_TALK_DISABLED}, IDS_TIP_GROUP_TALK},
    {311, 160, 102, {IDB_GROUP_TEACH_UP, IDB_GROUP_TEACH_DISABLED}, IDS_TIP_GROUP_TEACH},
    {312, 18, 131, {IDB_GROUP_SETUP_UP, IDB_GROUP_SETUP_UP}, IDS_TIP_GROUP_SETUP},
    {313, 89, 131, {IDB_SEAT_EDIT_UP, IDB_SEAT_EDIT_DISABLED}, IDS_TIP_SEAT_EDIT},
    {314, 160, 131, {IDB_QUIT_STUDENTS_UP, IDB_QUIT_STUDENTS_DISABLED}, IDS_TIP_QUIT_STUDENTS},
    {315, 18, 160, {IDB_MESSAGE_UP, IDB_MESSAGE_DISABLED}, IDS_TIP_MESSAGE},
    {316, 89, 160, {IDB_ROLL_CALL_UP, IDB_ROLL_CALL_DISABLED}, IDS_TIP_ROLL_CALL},
    {317, 160, 160, {IDB_CLASSROOM_UP, IDB_CLASSROOM_DISABLED}, IDS_TIP_CLASSROOM},
    {318, 18, 189, {IDB_REFRESH_UP, IDB_REFRESH_DISABLED}, IDS_TIP_REFRESH},
    {319, 89, 189, {IDB_WEB_CONTROL_UP, IDB_WEB_CONTROL_DISABLED}, IDS_TIP_WEB_CONTROL},
    {320, 160, 189, {IDB_WEB_SHARE_UP, IDB_WEB_SHARE_DISABLED}, IDS_TIP_WEB_SHARE},
};

// Panel C has no tooltips; its second group sits 10 above its slots.
const Expected kPanelC[] = {
    {601, 17, 11, {IDB_MAKE_PAPER_UP, IDB_MAKE_PAPER_DISABLED}, 0},
    {602, 132, 11, {IDB_START_TEST_UP, IDB_START_TEST_DISABLED}, 0},
    {603, 17, 42, {IDB_OPEN_PAPER_UP, IDB_OPEN_PAPER_DISABLED}, 0},
    {608, 132, 42, {IDB_LENGTHEN_TEST_UP, IDB_LENGTHEN_TEST_DISABLED}, 0},
    {605, 17, 93, {IDB_TEST_MONITOR_UP, IDB_TEST_MONITOR_DISABLED}, 0},
    {606, 132, 93, {IDB_TEST_BLANK_SCREEN_UP, IDB_TEST_BLANK_SCREEN_DISABLED}, 0},
    {607, 17, 125, {IDB_TEST_NOTICE_UP, IDB_TEST_NOTICE_DISABLED}, 0},
    {610, 132, 125, {IDB_END_TEST_UP, IDB_END_TEST_DISABLED}, 0},
    {609, 17, 157, {IDB_ABORT_TEST_UP, IDB_ABORT_TEST_DISABLED}, 0},
    {612, 132, 157, {IDB_SHOW_ANSWERS_UP, IDB_SHOW_ANSWERS_DISABLED}, 0},
    {611, 17, 189, {IDB_COMMENT_PAPER_UP, IDB_COMMENT_PAPER_DISABLED}, 0},
    {613, 132, 189, {IDB_TEST_STATISTICS_UP, IDB_TEST_STATISTICS_DISABLED}, 0},
};

std::string LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text.GetString();
}

// How many pixels of the button's middle row differ from the face's.
int RowMismatches(HWND button, UINT face)
{
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(face))
        return -1;
    BITMAP info = {};
    ::GetObjectA(static_cast<HBITMAP>(bitmap.GetSafeHandle()), sizeof info, &info);
    HDC memory = ::CreateCompatibleDC(nullptr);
    HGDIOBJ previous = ::SelectObject(memory, bitmap.GetSafeHandle());
    ::UpdateWindow(button);
    HDC screen = ::GetDC(button);
    const int row = info.bmHeight / 2;
    int mismatches = 0;
    for (int x = 0; x < info.bmWidth; ++x)
        mismatches += ::GetPixel(screen, x, row) != ::GetPixel(memory, x, row) ? 1 : 0;
    ::ReleaseDC(button, screen);
    ::SelectObject(memory, previous);
    ::DeleteDC(memory);
    return mismatches;
}

BOOL CALLBACK CollectToolTips(HWND window, LPARAM param)
{
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (std::string(name) == TOOLTIPS_CLASSA)
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

// The text a tooltip of this thread holds for `button` on `panel`.
std::string TipOf(HWND panel, HWND button)
{
    std::vector<HWND> tips;
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectToolTips, reinterpret_cast<LPARAM>(&tips));
    for (HWND tip : tips) {
        char text[256] = {};
        TTTOOLINFOA tool = {};
        tool.cbSize = sizeof tool;
        tool.hwnd = panel;
        tool.uId = reinterpret_cast<UINT_PTR>(button);
        tool.lpszText = text;
        ::SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
        if (text[0] != 0)
            return text;
    }
    return "(no tooltip)";
}

class CommandPanelsTest : public testing::Test {
protected:
    void SetUp() override
    {
        kq::SetDefaultButtonTables(config);
        ASSERT_TRUE(host.CreateHost());
    }

    void Create()
    {
        LPCSTR panelClass = AfxRegisterWndClass(0);
        for (auto* p : {&panelA.m_config, &function.m_config, &panelC.m_config})
            *p = &config;
        panelA.m_x = 0;
        panelA.m_y = 0;
        ASSERT_TRUE(panelA.Create(panelClass, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 241, 111), &host, 1002));
        function.m_x = 250;
        function.m_height = 230;
        ASSERT_TRUE(function.Create(panelClass, "", WS_CHILD | WS_VISIBLE, CRect(250, 0, 491, 230), &host, 1000));
        panelC.m_x = 500;
        ASSERT_TRUE(panelC.Create(panelClass, "", WS_CHILD | WS_VISIBLE, CRect(500, 0, 735, 232), &host, 1001));
        PumpFor(100);
        host.posts.clear();
    }

    void TearDown() override
    {
        if (host.GetSafeHwnd())
            host.DestroyWindow();
    }

    template <size_t N>
    void CheckEveryButton(CWnd& panel, const Expected (&buttons)[N], int width, int height)
    {
        for (const Expected& e : buttons) {
            SCOPED_TRACE(e.id);
            HWND button = ::GetDlgItem(panel.m_hWnd, e.id);
            ASSERT_NE(nullptr, button);
            EXPECT_TRUE(::IsWindowVisible(button));
            RECT r = {};
            ::GetWindowRect(button, &r);
            ::MapWindowPoints(nullptr, panel.m_hWnd, reinterpret_cast<POINT*>(&r), 2);
            EXPECT_EQ(e.x, r.left);
            EXPECT_EQ(e.y, r.top);
            EXPECT_EQ(width, r.right - r.left);
            EXPECT_EQ(height, r.bottom - r.top);
            EXPECT_EQ(0, RowMismatches(button, e.faces.released));
            if (e.tip != 0) {
                EXPECT_EQ(LoadText(e.tip), TipOf(panel.m_hWnd, button));
            }
        }
    }

    std::set<UINT> Visible(CWnd& panel) const
    {
        std::set<UINT> shown;
        for (HWND child = ::GetWindow(panel.m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
            if (::IsWindowVisible(child))
                shown.insert(static_cast<UINT>(::GetDlgCtrlID(child)));
        return shown;
    }

    POINT Origin(CWnd& panel, UINT id) const
    {
        RECT r = {};
        ::GetWindowRect(::GetDlgItem(panel.m_hWnd, id), &r);
        ::MapWindowPoints(nullptr, panel.m_hWnd, reinterpret_cast<POINT*>(&r), 2);
        return {r.left, r.top};
    }

    kq::TeacherConfig config{};
    RecordingHost host;
    CCommandPanelA panelA;
    CFunctionPanel function;
    CCommandPanelC panelC;
};

TEST_F(CommandPanelsTest, EveryButtonSitsAtItsSlotWithItsFaceAndTooltip)
{
    if (::GetSystemMetrics(SM_CXSCREEN) == 640)
        GTEST_SKIP() << "the function panel pages on this screen";
    Create();
    CheckEveryButton(panelA, kPanelA, 82, 29);
    CheckEveryButton(function, kFunction, 63, 21);
    CheckEveryButton(panelC, kPanelC, 82, 29);
}

TEST_F(CommandPanelsTest, ASetShowsOnlyItsButtonsClosedUpInButtonOrder)
{
    if (::GetSystemMetrics(SM_CXSCREEN) == 640)
        GTEST_SKIP() << "the function panel pages on this screen";
    config.ButtonType = 1;
    for (uint32_t& flag : config.buttonFlags[0])
        flag = 0;
    // Panel A: 503 and 506; function panel: 302, 310, 320; panel C: 603, 611.
    for (size_t index : {1, 5, 8, 16, 26, 29, 37})
        config.buttonFlags[0][index] = 1;
    Create();

    EXPECT_EQ((std::set<UINT>{503, 506}), Visible(panelA));
    EXPECT_EQ(17, Origin(panelA, 503).x);
    EXPECT_EQ(6, Origin(panelA, 503).y);
    EXPECT_EQ(140, Origin(panelA, 506).x);
    EXPECT_EQ(6, Origin(panelA, 506).y);

    EXPECT_EQ((std::set<UINT>{302, 310, 320}), Visible(function));
    EXPECT_EQ(18, Origin(function, 302).x);
    EXPECT_EQ(89, Origin(function, 310).x);
    EXPECT_EQ(160, Origin(function, 320).x);
    EXPECT_EQ(15, Origin(function, 320).y);

    // One button above: the second group 32 - 72 above its first slot.
    EXPECT_EQ((std::set<UINT>{603, 611}), Visible(panelC));
    EXPECT_EQ(11, Origin(panelC, 603).y);
    EXPECT_EQ(17, Origin(panelC, 611).x);
    EXPECT_EQ(103 - 40, Origin(panelC, 611).y);

    // A value outside the sets shows every button again.
    config.ButtonType = 9;
    panelA.RecalcLayout();
    EXPECT_EQ(6u, Visible(panelA).size());
}

TEST_F(CommandPanelsTest, ClicksReachTheHostAsTheirCommand)
{
    Create();
    std::vector<UINT> ids;
    for (const Expected& e : kPanelA)
        ids.push_back(e.id);
    for (const Expected& e : kFunction)
        ids.push_back(e.id);
    for (const Expected& e : kPanelC)
        ids.push_back(e.id);
    for (UINT id : ids) {
        SCOPED_TRACE(id);
        HWND panel = id >= 600 ? panelC.m_hWnd : id >= 500 ? panelA.m_hWnd : function.m_hWnd;
        HWND button = ::GetDlgItem(panel, id);
        ASSERT_NE(nullptr, button);
        ::ShowWindow(button, SW_SHOW);
        host.posts.clear();
        ::SendMessageA(button, BM_CLICK, 0, 0);
        PumpFor(30);
        ASSERT_EQ(1u, host.posts.size());
        EXPECT_EQ(static_cast<UINT>(WM_COMMAND), host.posts[0].message);
        EXPECT_EQ(static_cast<WPARAM>(id), host.posts[0].wParam); // BN_CLICKED is 0
        EXPECT_EQ(reinterpret_cast<LPARAM>(button), host.posts[0].lParam);
    }
}

TEST_F(CommandPanelsTest, RightClicksReachTheHostInItsCoordinates)
{
    Create();
    panelC.m_x = 545;
    panelC.m_y = 126;
    function.m_x = 250;
    function.m_y = 7;
    ::SendMessageA(panelC.m_hWnd, WM_RBUTTONDOWN, 0, MAKELPARAM(10, 10));
    ::SendMessageA(function.m_hWnd, WM_RBUTTONDOWN, 0, MAKELPARAM(3, 4));
    ::SendMessageA(panelA.m_hWnd, WM_RBUTTONDOWN, 0, MAKELPARAM(1, 2));
    PumpFor(50);
    ASSERT_EQ(3u, host.posts.size());
    const POINT expected[] = {{555, 136}, {253, 11}, {1, 2}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(static_cast<UINT>(WM_RBUTTONDOWN), host.posts[i].message);
        EXPECT_EQ(0u, host.posts[i].wParam);
        EXPECT_EQ(MAKELPARAM(expected[i].x, expected[i].y), host.posts[i].lParam);
    }
}

TEST_F(CommandPanelsTest, ScrollingTheSecondGroupMovesItsPairs)
{
    Create();
    panelC.ScrollSecondGroup(1);
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(panelC.m_hWnd, 605)));
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(panelC.m_hWnd, 606)));
    EXPECT_EQ(100, Origin(panelC, 607).y);
    EXPECT_EQ(164, Origin(panelC, 613).y);
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(panelC.m_hWnd, 613)));
    panelC.ScrollSecondGroup(0);
    EXPECT_EQ(100, Origin(panelC, 606).y);
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(panelC.m_hWnd, 611)));
    panelC.ScrollSecondGroup(2); // nothing moves
    EXPECT_EQ(100, Origin(panelC, 606).y);
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(panelC.m_hWnd, 605)));
}

// ---- enabling by activity state

TEST_F(CommandPanelsTest, ActivityStatesEnableExactlyTheirButtons)
{
    Create();
    CButton teachPage;
    CButton testPage;
    ASSERT_TRUE(teachPage.Create("521", WS_CHILD | BS_PUSHBUTTON, CRect(0, 240, 10, 250), &host, 521));
    ASSERT_TRUE(testPage.Create("522", WS_CHILD | BS_PUSHBUTTON, CRect(10, 240, 20, 250), &host, 522));

    // Buttons enabled besides the idle state's, per state.
    const std::map<int, std::set<UINT>> extra = {
        {1, {504}}, {2, {300}}, {3, {305}}, {4, {304}}, {5, {608, 609, 610}},
    };
    std::set<UINT> idleTeaching = {501, 503, 504, 505, 502, 506, 522};
    for (UINT id = 300; id <= 320; ++id)
        if (id != 312) // never changed by the activity
            idleTeaching.insert(id);
    // Adding time, aborting and ending need a running test (state 5).
    const std::set<UINT> idleTest = {602, 611, 613, 521};

    for (int state = 0; state <= 10; ++state) {
        for (bool answers : {false, true}) {
            SCOPED_TRACE("state " + std::to_string(state) + (answers ? " with answers" : ""));
            // Start from the opposite of every expectation.
            for (HWND panel : {panelA.m_hWnd, function.m_hWnd, panelC.m_hWnd})
                for (HWND b = ::GetWindow(panel, GW_CHILD); b; b = ::GetWindow(b, GW_HWNDNEXT))
                    ::EnableWindow(b, state == 0);
            teachPage.EnableWindow(state == 0);
            testPage.EnableWindow(state == 0);
            ::EnableWindow(::GetDlgItem(function.m_hWnd, 312), TRUE);
            kq::ApplyTeachingButtonStates(state, false, panelA, function, &testPage);
            kq::ApplyTestButtonStates(state, answers, panelC, &teachPage);

            std::set<UINT> expected;
            if (state == 0) {
                expected = idleTeaching;
                expected.insert(idleTest.begin(), idleTest.end());
            } else if (auto it = extra.find(state); it != extra.end()) {
                expected = it->second;
            }
            if (answers)
                expected.insert(612);
            expected.insert(312);
            // Buttons the rules do not name keep what they had.
            const std::set<UINT> untouched = {601, 603, 605, 606, 607};
            std::set<UINT> enabled;
            for (HWND panel : {panelA.m_hWnd, function.m_hWnd, panelC.m_hWnd})
                for (HWND b = ::GetWindow(panel, GW_CHILD); b; b = ::GetWindow(b, GW_HWNDNEXT)) {
                    const UINT id = static_cast<UINT>(::GetDlgCtrlID(b));
                    if (::IsWindowEnabled(b) && !untouched.count(id))
                        enabled.insert(id);
                }
            for (CButton* page : {&teachPage, &testPage})
                if (page->IsWindowEnabled())
                    enabled.insert(static_cast<UINT>(page->GetDlgCtrlID()));
            EXPECT_EQ(expected, enabled);
        }
    }
}

TEST_F(CommandPanelsTest, ChannelButtonFacesFollowTheChannelFlag)
{
    Create();
    HWND channel = ::GetDlgItem(panelA.m_hWnd, 504);
    kq::ApplyTeachingButtonStates(0, true, panelA, function, nullptr);
    EXPECT_EQ(0, RowMismatches(channel, IDB_VIDEO_CHANNEL_UP));
    EXPECT_NE(0, RowMismatches(channel, IDB_VIDEO_UP));
    kq::ApplyTeachingButtonStates(0, false, panelA, function, nullptr);
    EXPECT_EQ(0, RowMismatches(channel, IDB_VIDEO_UP));
    // Disabled in another activity: the disabled face.
    kq::ApplyTeachingButtonStates(2, false, panelA, function, nullptr);
    EXPECT_EQ(0, RowMismatches(channel, IDB_VIDEO_DISABLED));
}

// ---- the function panel's pages on a 640-pixel screen

TEST_F(CommandPanelsTest, SmallScreenPagesTheFunctionPanel)
{
    if (::GetSystemMetrics(SM_CXSCREEN) != 640)
        GTEST_SKIP() << "needs a screen 640 pixels wide";
    Create();
    function.m_height = 84;
    function.MoveWindow(250, 0, 241, 84);
    function.RecalcLayout();
    auto pageButton = [&](UINT id) { return ::GetDlgItem(function.m_hWnd, id); };
    auto shownOfTable = [&] {
        std::vector<UINT> shown;
        for (const Expected& e : kFunction)
            if (::IsWindowVisible(::GetDlgItem(function.m_hWnd, e.id)))
                shown.push_back(e.id);
        return shown;
    };
    EXPECT_EQ((std::vector<UINT>{300, 301, 302, 303, 304, 305}), shownOfTable());
    ASSERT_NE(nullptr, pageButton(861));
    ASSERT_NE(nullptr, pageButton(862));
    EXPECT_FALSE(::IsWindowVisible(pageButton(861)));
    EXPECT_TRUE(::IsWindowVisible(pageButton(862)));
    EXPECT_EQ(18, Origin(function, 300).x);
    EXPECT_EQ(12, Origin(function, 300).y);

    ::SendMessageA(pageButton(862), BM_CLICK, 0, 0);
    PumpFor(30);
    EXPECT_EQ(2, function.Page());
    EXPECT_EQ((std::vector<UINT>{303, 304, 305, 306, 307, 308}), shownOfTable());
    EXPECT_TRUE(::IsWindowVisible(pageButton(861)));
    EXPECT_TRUE(::IsWindowVisible(pageButton(862)));
    EXPECT_EQ(12, Origin(function, 303).y);
    // The page commands reach the host too.
    ASSERT_FALSE(host.posts.empty());
    EXPECT_EQ(862u, host.posts.back().wParam);

    ::SendMessageA(pageButton(861), BM_CLICK, 0, 0);
    PumpFor(30);
    EXPECT_EQ(1, function.Page());

    // A change of set returns to page 1.
    ::SendMessageA(pageButton(862), BM_CLICK, 0, 0);
    PumpFor(30);
    config.ButtonType = 2;
    function.RecalcLayout();
    EXPECT_EQ(1, function.Page());
}

} // namespace
