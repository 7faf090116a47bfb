// Teacher.exe driven from outside through its main window: the layout for
// the screen width, the tray icon, stop everything, the hot keys and
// shortcuts, the wheel over the seat map, the button-set menu and the
// whiteboard. The recording transport double's trace shows what was sent.

#include "teacher/tests/TeachingSession.h"

#include "common/ProgramFolder.h"
#include "standins/common/tests/StandinTestSupport.h"
#include "teacher/SeatItemWnd.h"

#include "TeacherResources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using kqtest::Selection;
using kqtest::TeachingSession;
using kqtest::WaitFor;

constexpr UINT kTrayMessage = 0x40E;
constexpr UINT kTrayIcon = 324;
constexpr UINT kPanelA = 1002;
constexpr UINT kFunctionPanel = 1000;
constexpr UINT kPanelC = 1001;
constexpr UINT kSeatMap = 1234;
constexpr const char* kStopSend = "code=0 count=0 param=0 extra=0 seats=";
constexpr const char* kLayoutLarge = "KqVideoS KqVideoSControl mode=3 smallScreen=0 x=548 y=126";
constexpr const char* kLayoutSmall = "KqVideoS KqVideoSControl mode=3 smallScreen=1 x=388 y=126";

bool SmallScreen()
{
    return ::GetSystemMetrics(SM_CXSCREEN) == 640;
}

size_t CountOf(const std::string& text, const std::string& line)
{
    size_t count = 0;
    for (size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1))
        ++count;
    return count;
}

bool IsStop(const std::string& send)
{
    return send.rfind(kStopSend, 0) == 0;
}

RECT Rect(HWND parent, UINT id)
{
    return kqtest::ChildRect(parent, static_cast<int>(id));
}

HWND Child(HWND parent, UINT id)
{
    return ::GetDlgItem(parent, static_cast<int>(id));
}

// Shown by its own style, whether its panel shows or not.
bool Shown(HWND panel, UINT id)
{
    return (::GetWindowLongA(Child(panel, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

bool Centred(HWND main)
{
    RECT r = {};
    ::GetWindowRect(main, &r);
    return r.right - r.left == 800 && r.bottom - r.top == 600 &&
           r.left == (::GetSystemMetrics(SM_CXSCREEN) - 800) / 2 &&
           r.top == (::GetSystemMetrics(SM_CYSCREEN) - 600) / 2;
}

// Posts, then lets the window work through what the message set off.
void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam, TeachingSession& session)
{
    constexpr DWORD kFollowUpMs = 150;
    ::PostMessageA(window, message, wParam, lParam);
    session.Settle();
    ::Sleep(kFollowUpMs);
    session.Settle();
}

// The visible top-level windows of a process.
std::set<HWND> WindowsOf(DWORD process)
{
    const std::vector<HWND> shown =
        kq::standin::ProcessWindows(process, [](HWND window) { return ::IsWindowVisible(window) != FALSE; });
    return {shown.begin(), shown.end()};
}

// ---- layout

TEST(MainWindowLayout, ChildrenTakeTheColumnOfTheScreenWidth)
{
    TeachingSession session;
    ASSERT_TRUE(session.Started());
    HWND main = session.Main();
    const bool small = SmallScreen();
    EXPECT_EQ(1u, CountOf(session.Install().Trace(), small ? kLayoutSmall : kLayoutLarge));

    struct Row {
        UINT id;
        RECT small, large; // left, top, right, bottom
    };
    const Row rows[] = {
        {kPanelA, {383, 124, 624, 235}, {545, 124, 786, 235}},
        {kPanelC, {383, 124, 618, 356}, {545, 126, 780, 358}},
        {867, {547, 41, 619, 121}, {709, 39, 781, 119}},
        {402, {566, 16, 582, 30}, {726, 16, 742, 30}},
        {401, {586, 16, 602, 30}, {746, 16, 762, 30}},
        {400, {606, 16, 622, 30}, {766, 16, 782, 30}},
        {521, {386, 100, 468, 124}, {546, 100, 628, 124}},
        {522, {468, 100, 550, 124}, {628, 100, 710, 124}},
        {511, {445, 353, 492, 393}, {605, 468, 652, 508}},
        {513, {567, 353, 614, 393}, {726, 468, 773, 508}},
        {790, {398, 354, 432, 387}, {558, 469, 592, 502}},
        {556, {20, 424, 53, 444}, {33, 540, 60, 560}},
        {555, {230, 424, 263, 444}, {321, 540, 348, 560}},
        {641, {278, 424, 313, 444}, {373, 540, 422, 560}},
        {642, {315, 424, 374, 444}, {422, 540, 484, 560}},
        {kSeatMap, {18, 20, 382, 414}, {21, 20, 542, 530}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.id);
        const RECT want = small ? row.small : row.large;
        const RECT got = Rect(main, row.id);
        EXPECT_EQ(want.left, got.left);
        EXPECT_EQ(want.top, got.top);
        EXPECT_EQ(want.right, got.right);
        EXPECT_EQ(want.bottom, got.bottom);
    }
    // The clock keeps its place and grows to the widest time in its font.
    const RECT clock = Rect(main, 836);
    EXPECT_EQ(small ? 411 : 569, clock.left);
    EXPECT_EQ(small ? 16 : 15, clock.top);
    EXPECT_GE(clock.right - clock.left, 59);
    EXPECT_GE(clock.bottom - clock.top, 13);
    // The function panel below panel A; on 640 pixels it ends at y 350.
    const RECT function = Rect(main, kFunctionPanel);
    EXPECT_EQ(small ? 383 : 545, function.left);
    EXPECT_EQ(126 + 111, function.top);
    EXPECT_EQ(small ? 350 : 126 + 111 + 230, function.bottom);
    if (!small) {
        EXPECT_EQ(484, Rect(main, 643).left);
        EXPECT_EQ(535, Rect(main, 643).right);
    }

    // A display change lays out again and centres the window.
    ::SetWindowPos(main, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageA(main, WM_DISPLAYCHANGE, 24, MAKELPARAM(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)));
    EXPECT_TRUE(Centred(main));
    EXPECT_EQ(2u, CountOf(session.Install().Trace(), small ? kLayoutSmall : kLayoutLarge));
}

// ---- tray icon and stop everything

TEST(MainWindowTray, ALeftPressStopsRestoresAndEndsTheToolBar)
{
    TeachingSession session;
    ASSERT_TRUE(session.Started());
    HWND main = session.Main();
    session.Online(1);
    session.NewSends();

    // Only a left press on the program's icon counts.
    Post(main, kTrayMessage, kTrayIcon, WM_RBUTTONDOWN, session);
    Post(main, kTrayMessage, kTrayIcon + 1, WM_LBUTTONDOWN, session);
    EXPECT_TRUE(session.NewSends().empty());
    Post(main, kTrayMessage, kTrayIcon, WM_LBUTTONDOWN, session);
    std::vector<std::string> sends = session.NewSends();
    ASSERT_EQ(1u, sends.size());
    EXPECT_TRUE(IsStop(sends[0])) << sends[0];

    // A broadcast: the toolbar floats and the window goes to the tray.
    const std::set<HWND> before = WindowsOf(session.Install().ProcessId());
    Post(main, WM_COMMAND, 501, 0, session);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(main); }, 5000));
    std::set<HWND> toolBars;
    for (HWND w : WindowsOf(session.Install().ProcessId()))
        if (!before.count(w))
            toolBars.insert(w);
    ASSERT_EQ(1u, toolBars.size());
    session.NewSends();

    Post(main, kTrayMessage, kTrayIcon, WM_LBUTTONDOWN, session);
    sends = session.NewSends();
    ASSERT_FALSE(sends.empty());
    EXPECT_TRUE(IsStop(sends[0])) << sends[0];
    EXPECT_TRUE(::IsWindowVisible(main));
    EXPECT_FALSE(::IsIconic(main));
    EXPECT_TRUE(Centred(main));
    EXPECT_FALSE(::IsWindow(*toolBars.begin()));
}

TEST(MainWindowTray, RollCallAndGroupStates)
{
    TeachingSession session;
    ASSERT_TRUE(session.Started());
    HWND main = session.Main();
    session.Online(1);
    session.Online(2);

    // Roll call (state 3): the tray sends nothing but restores.
    session.NewSends();
    Post(main, WM_COMMAND, 305, 0, session);
    HWND broadcast = Child(Child(main, kPanelA), 501);
    const std::vector<std::string> rollCall = session.NewSends();
    ASSERT_EQ(1u, rollCall.size());
    ASSERT_FALSE(::IsWindowEnabled(broadcast)) << rollCall[0];
    Post(main, kTrayMessage, kTrayIcon, WM_LBUTTONDOWN, session);
    EXPECT_TRUE(session.NewSends().empty());

    // Ctrl+Left stops it: code 0, the seats back on line, idle again.
    Post(main, WM_HOTKEY, 0, MAKELPARAM(MOD_CONTROL, VK_LEFT), session);
    std::vector<std::string> sends = session.NewSends();
    ASSERT_EQ(1u, sends.size());
    EXPECT_TRUE(IsStop(sends[0])) << sends[0];
    EXPECT_TRUE(::IsWindowEnabled(broadcast));
    EXPECT_TRUE(::IsWindowEnabled(Child(Child(main, kFunctionPanel), 305)));

    // Student interaction (state 8): neither the tray nor Ctrl+Left sends.
    Post(main, WM_COMMAND, 302, 0, session);
    ASSERT_FALSE(session.NewSends().empty());
    Post(main, kTrayMessage, kTrayIcon, WM_LBUTTONDOWN, session);
    Post(main, WM_HOTKEY, 0, MAKELPARAM(MOD_CONTROL, VK_LEFT), session);
    ::SendMessageA(main, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(session.NewSends().empty());
}

TEST(MainWindowTray, CtrlLeftClosesTheWarningOfABroadcast)
{
    TeachingSession session;
    ASSERT_TRUE(session.Started());
    HWND main = session.Main();
    // No seat on line: the broadcast stops at its warning.
    ::PostMessageA(main, WM_COMMAND, 501, 0);
    HWND box = session.Install().FindWindowOf("Warning", 5000);
    ASSERT_NE(nullptr, box);
    session.NewSends();
    Post(main, WM_HOTKEY, 0, MAKELPARAM(MOD_CONTROL, VK_LEFT), session);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(box); }, 5000));
    const std::vector<std::string> sends = session.NewSends();
    ASSERT_EQ(1u, sends.size());
    EXPECT_TRUE(IsStop(sends[0])) << sends[0];
}

TEST(MainWindowTray, MaximiseOrRestoreStopsAndLaysOutAgain)
{
    TeachingSession session;
    ASSERT_TRUE(session.Started());
    HWND main = session.Main();
    const std::string layout = SmallScreen() ? kLayoutSmall : kLayoutLarge;
    session.NewSends();
    ::SendMessageA(main, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    ::SendMessageA(main, WM_SYSCOMMAND, SC_RESTORE, 0);
    const std::vector<std::string> sends = session.NewSends();
    ASSERT_EQ(2u, sends.size());
    EXPECT_TRUE(IsStop(sends[0]) && IsStop(sends[1]));
    EXPECT_EQ(3u, CountOf(session.Install().Trace(), layout));
    RECT r = {};
    ::GetWindowRect(main, &r);
    EXPECT_EQ(800, r.right - r.left);
    EXPECT_EQ(600, r.bottom - r.top);

    // Command 401 sends the window to the tray.
    Post(main, WM_COMMAND, 401, 0, session);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(main); }, 5000));
}

// ---- hot keys and shortcuts

// Ctrl + key is free for this process to take.
bool Free(UINT key)
{
    constexpr int kProbeId = 0x2000;
    if (!::RegisterHotKey(nullptr, kProbeId, MOD_CONTROL, key))
        return false;
    ::UnregisterHotKey(nullptr, kProbeId);
    return true;
}

TEST(MainWindowHotKeys, AllEightAreTakenAndIssueEnabledCommandsOnly)
{
    TeachingSession session;
    ASSERT_TRUE(session.Started());
    HWND main = session.Main();
    for (UINT key : {UINT(VK_LEFT), UINT('1'), UINT('2'), UINT('3'), UINT('4'), UINT('5'), UINT('6'), UINT(VK_UP)})
        EXPECT_FALSE(Free(key)) << key;

    // Ctrl+4 (hot key 5) monitors the class while its button is enabled.
    session.Online(1);
    session.Online(2);
    session.NewSends();
    Post(main, WM_HOTKEY, 5, MAKELPARAM(MOD_CONTROL, '4'), session);
    std::vector<std::string> sends = session.NewSends();
    ASSERT_EQ(1u, sends.size());
    EXPECT_EQ(0u, sends[0].rfind("code=2 ", 0)) << sends[0];

    // During student interaction the buttons are disabled: nothing runs.
    ::ShowWindow(main, SW_RESTORE);
    Post(main, WM_COMMAND, 302, 0, session);
    session.NewSends();
    for (int id = 1; id <= 7; ++id)
        Post(main, WM_HOTKEY, id, 0, session);
    EXPECT_TRUE(session.NewSends().empty());
}

TEST(MainWindowHotKeys, RegistrationStopsAtTheFirstKeyTakenElsewhere)
{
    constexpr int kOurId = 0x2001;
    ASSERT_TRUE(::RegisterHotKey(nullptr, kOurId, MOD_CONTROL, '3'));
    kqtest::TeacherInstall install;
    ::CopyFileA((kq::GetProgramFolder() + "teacher-recorder\\Lectern.dll").c_str(),
                install.PathOf("Lectern.dll").c_str(), FALSE);
    ASSERT_TRUE(install.Start());
    HWND box = install.FindWindowOf("Warning");
    ASSERT_NE(nullptr, box);
    char text[512] = {};
    ::LoadStringA(::LoadLibraryExA(install.PathOf("resource.dll").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE),
                  TeacherRes::IDS_HOTKEYS_FAILED, text, sizeof text);
    EXPECT_NE(std::string::npos, kqtest::ChildTexts(box).find(text));
    ::PostMessageA(box, WM_CLOSE, 0, 0);
    HWND main = install.FindWindowOf("晨星电子教室");
    ASSERT_NE(nullptr, main); // the start goes on

    // Ctrl+Left, Ctrl+1 and Ctrl+2 came first; Ctrl+4, 5, 6 and Up were not tried.
    EXPECT_FALSE(Free(VK_LEFT));
    EXPECT_FALSE(Free('1'));
    EXPECT_FALSE(Free('2'));
    for (UINT key : {UINT('4'), UINT('5'), UINT('6'), UINT(VK_UP)})
        EXPECT_TRUE(Free(key)) << key;
    ::UnregisterHotKey(nullptr, kOurId);
    ::PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(install.WaitForExit());
}

TEST(MainWindowHotKeys, CtrlShortcutsRunEnabledFunctionButtons)
{
    TeachingSession session;
    ASSERT_TRUE(session.Started());
    HWND main = session.Main();
    session.Online(1);
    session.NewSends();
    ::SetForegroundWindow(main);
    ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == main; }, 3000));
    auto press = [](UINT key) {
        INPUT keys[4] = {};
        for (INPUT& k : keys)
            k.type = INPUT_KEYBOARD;
        keys[0].ki.wVk = VK_CONTROL;
        keys[1].ki.wVk = static_cast<WORD>(key);
        keys[2].ki.wVk = static_cast<WORD>(key);
        keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
        keys[3].ki.wVk = VK_CONTROL;
        keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
        ::SendInput(4, keys, sizeof keys[0]);
    };
    // Ctrl+Y: roll call, on and off again.
    press('Y');
    ASSERT_TRUE(WaitFor([&] { return !session.Install().Trace().empty() && !::IsWindowEnabled(Child(Child(main, kPanelA), 501)); }, 3000));
    std::vector<std::string> sends = session.NewSends();
    ASSERT_EQ(1u, sends.size());
    // Ctrl+D (student interaction) is disabled during the roll call.
    press('D');
    session.Settle();
    ::Sleep(200);
    session.Settle();
    EXPECT_TRUE(session.NewSends().empty());
    // A plain Y does nothing.
    INPUT plain[2] = {};
    plain[0].type = plain[1].type = INPUT_KEYBOARD;
    plain[0].ki.wVk = plain[1].ki.wVk = 'Y';
    plain[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, plain, sizeof plain[0]);
    ::Sleep(200);
    session.Settle();
    EXPECT_TRUE(session.NewSends().empty());
}

// ---- wheel, menu, second group, whiteboard

TEST(MainWindowInput, TheWheelOverTheSeatMapScrollsIt)
{
    // Forty seats in two columns: more rows than the map shows.
    std::vector<TeachingSession::IniValue> ini = {
        {"SEAT", "SeatCount", "40"}, {"SEAT", "ColumnCount", "2"}, {"SEAT", "RowCount", "20"}};
    std::vector<std::string> keys, values;
    keys.reserve(40);
    values.reserve(40);
    for (int n = 1; n <= 40; ++n) {
        keys.push_back(std::to_string(n));
        values.push_back("S" + std::to_string(n) + "," + std::to_string((n - 1) % 2) + "," +
                         std::to_string((n - 1) / 2) + ",0,");
        ini.push_back({"SEAT", keys.back().c_str(), values.back().c_str()});
    }
    TeachingSession session(ini);
    ASSERT_TRUE(session.Started());
    HWND main = session.Main();
    HWND map = Child(main, kSeatMap);
    HWND first = ::GetDlgItem(map, 1 + CSeatItemWnd::kIdBase);
    auto firstTop = [&] {
        RECT r = {};
        ::GetWindowRect(first, &r);
        return r.top;
    };
    ASSERT_NE(nullptr, first);
    const int top = firstTop();

    // Over the panels nothing scrolls; over the map one turn down does.
    POINT overPanel = {600, 200};
    ::ClientToScreen(main, &overPanel);
    Post(main, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(overPanel.x, overPanel.y), session);
    session.Settle();
    EXPECT_EQ(top, firstTop());
    POINT overMap = {100, 100};
    ::ClientToScreen(main, &overMap);
    Post(main, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(overMap.x, overMap.y), session);
    EXPECT_TRUE(WaitFor([&] { return firstTop() < top; }, 3000));
}

TEST(MainWindowInput, TheButtonSetMenuAndTheSecondGroup)
{
    TeachingSession session;
    ASSERT_TRUE(session.Started());
    HWND main = session.Main();
    HWND panelA = Child(main, kPanelA);
    RECT panel = Rect(main, kPanelA);
    // A right-click on panel A opens the menu at the same point of the window.
    ::PostMessageA(panelA, WM_RBUTTONDOWN, 0, MAKELPARAM(10, 10));
    HWND menu = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            menu = ::FindWindowA("#32768", nullptr);
            return menu != nullptr && ::IsWindowVisible(menu);
        },
        5000));
    POINT at = {panel.left + 10, panel.top + 10};
    ::ClientToScreen(main, &at);
    RECT m = {};
    ::GetWindowRect(menu, &m);
    EXPECT_EQ(at.x, m.left);
    EXPECT_EQ(at.y, m.top);
    // Five items of 23 pixels, inside a thin frame.
    EXPECT_GE(m.bottom - m.top, 5 * 23);
    EXPECT_LT(m.bottom - m.top, 5 * 23 + 12);

    // Down, down, Enter: the second item, 1129, the advanced set.
    for (WPARAM key : {WPARAM(VK_DOWN), WPARAM(VK_DOWN), WPARAM(VK_RETURN)})
        ::PostMessageA(menu, WM_KEYDOWN, key, 0);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(menu); }, 5000));
    session.Settle();

    // Exactly the set's buttons of panel A show, from the first slot on.
    std::ifstream file(session.Install().PathOf("setting\\AdvButton.txt"));
    std::stringstream text;
    text << file.rdbuf();
    std::set<int> indexes;
    std::string piece;
    std::string flat = text.str();
    flat.erase(std::remove_if(flat.begin(), flat.end(), [](char c) { return c == '\r' || c == '\n'; }), flat.end());
    std::stringstream pieces(flat);
    while (std::getline(pieces, piece, ','))
        if (!piece.empty() && std::isdigit(static_cast<unsigned char>(piece[0])))
            indexes.insert(std::stoi(piece));
    const UINT panelAIds[] = {501, 503, 504, 505, 502, 506};
    const POINT slots[] = {{17, 6}, {140, 6}, {17, 37}, {140, 37}, {17, 68}, {140, 68}};
    size_t slot = 0;
    for (int k = 0; k < 6; ++k) {
        SCOPED_TRACE(panelAIds[k]);
        HWND button = Child(panelA, panelAIds[k]);
        EXPECT_EQ(indexes.count(k) == 1, ::IsWindowVisible(button) != FALSE);
        if (indexes.count(k)) {
            EXPECT_EQ(slots[slot].x, Rect(panelA, panelAIds[k]).left);
            EXPECT_EQ(slots[slot].y, Rect(panelA, panelAIds[k]).top);
            ++slot;
        }
    }

    // 864 and 865 scroll panel C's second group.
    Post(main, WM_COMMAND, 1130, 0, session); // every button again
    HWND panelC = Child(main, kPanelC);
    EXPECT_TRUE(Shown(panelC, 605));
    Post(main, WM_COMMAND, 865, 0, session);
    EXPECT_FALSE(Shown(panelC, 605));
    EXPECT_TRUE(Shown(panelC, 613));
    EXPECT_EQ(100, Rect(panelC, 607).top);
    Post(main, WM_COMMAND, 864, 0, session);
    EXPECT_TRUE(Shown(panelC, 605));
    EXPECT_EQ(100, Rect(panelC, 605).top);
    EXPECT_FALSE(Shown(panelC, 611));
}

TEST(MainWindowInput, WhiteboardStartsChalkpadOrNamesItsPath)
{
    TeachingSession session;
    ASSERT_TRUE(session.Started());
    HWND main = session.Main();
    Post(main, WM_COMMAND, 875, 0, session);
    const std::string path = session.Install().PathOf("Chalkpad.exe");
    const std::string box = session.TakeBox("Warning");
    EXPECT_NE(std::string::npos, box.find("没有发现指定的文件, 请检查" + path + "是否存在")) << box;

    ::CopyFileA((kq::GetProgramFolder() + "Chalkpad.exe").c_str(), path.c_str(), FALSE);
    Post(main, WM_COMMAND, 875, 0, session);
    ASSERT_TRUE(WaitFor([&] { return session.Install().Traced("Chalkpad start program="); }, 10000));
    EXPECT_TRUE(session.Install().Traced("Chalkpad start program=" + path));
    HWND board = nullptr;
    WaitFor([&] { return (board = ::FindWindowA("ChalkpadBoard", nullptr)) != nullptr; }, 5000);
    if (board != nullptr)
        ::PostMessageA(board, WM_CLOSE, 0, 0);
}

} // namespace
