// The seat map in a host window of this process: laid out from a temporary
// Teacher.ini, driven with messages, its posts to the host recorded.

#include "teacher/Globals.h"
#include "teacher/KqListCtrl.h"
#include "teacher/SeatArrangement.h"
#include "teacher/dialogs/tests/BoxWatcher.h"
#include "teacher/tests/TeacherInstall.h"
#include "widgets/tests/LayoutCheck.h"
#include "widgets/tests/WidgetTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

using kqtest::PumpFor;

constexpr RECT kMapRect = {21, 20, 542, 530};
constexpr UINT kMapId = 1234;

struct Posted {
    UINT message;
    WPARAM wParam;
};

class RecordingHost : public CWnd {
public:
    std::vector<Posted> posts;

    bool CreateHost()
    {
        return CreateEx(0, AfxRegisterWndClass(0), "seat map host", WS_POPUP | WS_VISIBLE, 0, 0, 600, 600, nullptr,
                        nullptr) != FALSE;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == CKqListCtrl::kMapClickedMessage || message == CKqListCtrl::kSelectionClearedMessage
            || message == WM_COMMAND)
            posts.push_back({message, wParam});
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

void HoldCtrl(bool held)
{
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = held ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

class SeatMapTest : public testing::Test {
protected:
    // Five seats in 3 columns x 2 rows, the cell at row 1, column 0 empty.
    static constexpr const char* kFiveSeats = "[Ver]\r\nVersionID=770\r\n[SEAT]\r\nSeatCount=5\r\nColumnCount=3\r\n"
                                              "RowCount=2\r\n1=A1,0,0,0,\r\n2=B1,1,0,0,\r\n3=C1,2,0,0,\r\n"
                                              "4=B2,1,1,0,\r\n5=C2,2,1,0,\r\n[Other]\r\nKeep=me\r\n";

    void Open(const std::string& ini = kFiveSeats)
    {
        std::ofstream(install.PathOf("Teacher.ini"), std::ios::binary) << ini;
        ASSERT_TRUE(host.CreateHost());
        map = new CKqListCtrl;
        ASSERT_TRUE(map->Create(&host, kMapId, &kMapRect));
        PumpFor(50);
        host.posts.clear();
    }

    void TearDown() override
    {
        HoldCtrl(false);
        delete map;
        if (host.GetSafeHwnd())
            host.DestroyWindow();
    }

    HWND Seat(int n) const { return ::GetDlgItem(map->m_hWnd, n + CSeatItemWnd::kIdBase); }
    std::string Text(HWND w) const
    {
        char text[128] = {};
        ::GetWindowTextA(w, text, sizeof text);
        return text;
    }
    void Click(HWND w, UINT message = WM_LBUTTONDOWN, POINT pt = {36, 10})
    {
        ::SendMessageA(w, message, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        PumpFor(50);
    }
    std::vector<int> Selected() const
    {
        uint8_t list[kq::kMaxSeats] = {};
        uint16_t count = 0;
        map->GetSelectedSeats(&count, list, 1);
        return std::vector<int>(list, list + (count == kq::kNoSeats ? 0 : count));
    }

    kqtest::TeacherInstall install;
    RecordingHost host;
    CKqListCtrl* map = nullptr;
};

TEST_F(SeatMapTest, LaysOutSeatsFromTeacherIni)
{
    Open();
    const POINT expected[] = {{76, 138}, {224, 138}, {372, 138}, {224, 324}, {372, 324}};
    for (int n = 1; n <= 5; ++n) {
        SCOPED_TRACE(n);
        HWND seat = Seat(n);
        ASSERT_NE(nullptr, seat);
        const RECT r = kqtest::ChildRect(map->m_hWnd, n + CSeatItemWnd::kIdBase);
        EXPECT_EQ(expected[n - 1].x, r.left);
        EXPECT_EQ(expected[n - 1].y, r.top);
        EXPECT_EQ(0, map->GetSeatState(n));
    }
    EXPECT_EQ(nullptr, Seat(6));
    EXPECT_EQ("B2", Text(Seat(4)));
    EXPECT_TRUE(Selected().empty());
    RECT client;
    ::GetClientRect(map->m_hWnd, &client);
    EXPECT_EQ(521, client.right);
    EXPECT_EQ(510, client.bottom);
}

TEST_F(SeatMapTest, LogonMatchesTheSeatByName)
{
    Open();
    kq::StudentLogonRecord record{};
    std::strcpy(record.seatName, "a1");
    record.senderAddress = 0x0A01A8C0;
    const uint8_t adapter[6] = {0x00, 0x1B, 0x2C, 0x3D, 0x4E, 0x5F};
    std::memcpy(record.adapterAddress, adapter, sizeof adapter);
    int newly = 0;
    EXPECT_EQ(1, map->LoginByName(&record, 1, &newly));
    EXPECT_EQ(1, newly);
    EXPECT_EQ(1, record.result);
    EXPECT_EQ(1, reinterpret_cast<const uint8_t*>(&record)[8]);
    EXPECT_EQ(1, map->GetSeatState(1));
    EXPECT_EQ("A1,0,0,0,001b2c3d4e5f", install.IniValue("SEAT", "1"));
    EXPECT_EQ("me", install.IniValue("Other", "Keep"));
    EXPECT_EQ("B1,1,0,0,", install.IniValue("SEAT", "2"));

    // Same name from another PC: refused, nothing changes.
    kq::StudentLogonRecord other = record;
    other.senderAddress = 0x0B01A8C0;
    EXPECT_EQ(kq::kLogonNameTaken, map->LoginByName(&other, 1, &newly));
    EXPECT_EQ(kq::kLogonNameTaken, other.result);
    EXPECT_EQ(0, newly);
    EXPECT_EQ(1, map->GetSeatState(1));

    std::strcpy(other.seatName, "Z9");
    EXPECT_EQ(kq::kLogonUnknownName, map->LoginByName(&other, 1, &newly));

    // A name filling all 40 bytes without a NUL is matched within them.
    struct {
        kq::StudentLogonRecord record;
        char after[8];
    } unterminated{};
    std::memset(unterminated.record.seatName, 'Q', sizeof unterminated.record.seatName);
    std::memset(unterminated.after, 'Q', sizeof unterminated.after);
    EXPECT_EQ(kq::kLogonUnknownName, map->LoginByName(&unterminated.record, 1, &newly));
}

TEST_F(SeatMapTest, ClicksCtrlClicksAndBackground)
{
    Open();
    map->SetSeatState(1, 1);
    map->SetSeatState(2, 3);
    Click(Seat(1));
    EXPECT_EQ(std::vector<int>{1}, Selected());
    ASSERT_FALSE(host.posts.empty());
    EXPECT_EQ(CKqListCtrl::kMapClickedMessage, host.posts.back().message);
    EXPECT_EQ(static_cast<WPARAM>(MAKELONG(1, 1)), host.posts.back().wParam);

    host.posts.clear();
    Click(Seat(4)); // off line: nothing selected, nothing posted to the host
    EXPECT_TRUE(Selected().empty());
    for (const Posted& p : host.posts)
        EXPECT_NE(CKqListCtrl::kMapClickedMessage, p.message);

    map->SelectOnly(1);
    HoldCtrl(true);
    Click(Seat(2));
    EXPECT_EQ((std::vector<int>{1, 2}), Selected());
    Click(Seat(1));
    EXPECT_EQ(std::vector<int>{2}, Selected());
    HoldCtrl(false);

    host.posts.clear();
    ::SendMessageA(map->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageA(map->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpFor(50);
    EXPECT_TRUE(Selected().empty());
    ASSERT_EQ(2u, host.posts.size());
    EXPECT_EQ(CKqListCtrl::kSelectionClearedMessage, host.posts[0].message);
    EXPECT_EQ(CKqListCtrl::kMapClickedMessage, host.posts[1].message);
    EXPECT_EQ(100u, host.posts[1].wParam);
}

TEST_F(SeatMapTest, RubberBandSelectsTheSeatsItCrosses)
{
    Open();
    for (int n = 1; n <= 5; ++n)
        map->SetSeatState(n, 1);
    ::SendMessageA(map->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 120));
    ::SendMessageA(map->m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, 200)); // A1, B1 (row 0)
    ::SendMessageA(map->m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, 340)); // and B2
    ::SendMessageA(map->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(300, 340));
    PumpFor(50);
    EXPECT_EQ((std::vector<int>{1, 2, 4}), Selected());
    ASSERT_FALSE(host.posts.empty());
    EXPECT_EQ(CKqListCtrl::kMapClickedMessage, host.posts.back().message);
    EXPECT_EQ(static_cast<WPARAM>(MAKELONG(100, 254)), host.posts.back().wParam);

    // Every seat selected: the whole class, with the list still filled.
    for (int n = 1; n <= 5; ++n)
        if (n != 1 && n != 2 && n != 4)
            map->ToggleSeat(n);
    uint8_t list[kq::kMaxSeats] = {};
    uint16_t count = 9;
    EXPECT_EQ(1, map->GetSelectedSeats(&count, list, 0));
    EXPECT_EQ(0, count);
    EXPECT_EQ(5, list[4]);
}

TEST_F(SeatMapTest, ShapeAndCaptions)
{
    Open();
    HWND seat = Seat(1);
    // Between icon (32 high) and caption there is nothing of the seat.
    POINT gap = {2, 34};
    ::ClientToScreen(seat, &gap);
    EXPECT_NE(seat, ::WindowFromPoint(gap));
    POINT icon = {36, 10};
    ::ClientToScreen(seat, &icon);
    EXPECT_EQ(seat, ::WindowFromPoint(icon));

    map->SetSeatCaption(1, "hello");
    EXPECT_EQ("A1:hello", Text(seat));
    map->SetSeatCaption(1, "HELLO");
    EXPECT_EQ("A1:hello", Text(seat));
    map->RestoreSeatCaptions();
    EXPECT_EQ("A1", Text(seat));
}

// Ink of the first glyph in a band of pixels (true: dark).
using Ink = std::vector<std::vector<bool>>;

// True when the first glyph of `ink` has a crossbar, as an "A" has: a row
// between its top and its foot whose ink is one run of three pixels or more
// over at least half the glyph's width. Its legs alone ("Λ") give two short
// runs in every such row.
bool FirstGlyphHasCrossbar(const Ink& ink)
{
    const int rows = static_cast<int>(ink.size());
    const int columns = rows > 0 ? static_cast<int>(ink[0].size()) : 0;
    auto columnHasInk = [&](int x) {
        for (int y = 0; y < rows; ++y)
            if (ink[y][x])
                return true;
        return false;
    };
    int left = 0;
    while (left < columns && !columnHasInk(left))
        ++left;
    int right = left;
    while (right + 1 < columns && columnHasInk(right + 1))
        ++right;
    int top = -1, bottom = -1;
    for (int y = 0; y < rows; ++y) {
        for (int x = left; x <= right && x < columns; ++x) {
            if (ink[y][x]) {
                if (top < 0)
                    top = y;
                bottom = y;
            }
        }
    }
    const int width = right - left + 1;
    if (left >= columns || width < 4 || top < 0)
        return false;
    for (int y = top + 2; y <= bottom - 2; ++y) {
        int first = -1, last = -1, inked = 0;
        for (int x = left; x <= right; ++x) {
            if (ink[y][x]) {
                if (first < 0)
                    first = x;
                last = x;
                ++inked;
            }
        }
        const int run = last - first + 1;
        if (first >= 0 && inked == run && run >= 3 && 2 * run >= width)
            return true;
    }
    return false;
}

// Ink, smoothed edges included: clearly darker than the light backgrounds.
bool IsDark(COLORREF colour)
{
    return colour != CLR_INVALID && GetRValue(colour) + GetGValue(colour) + GetBValue(colour) < 3 * 200;
}

TEST_F(SeatMapTest, CaptionLettersAreWhole)
{
    constexpr int kCaptionTop = 33;
    Open();
    HWND seat = Seat(1);
    ASSERT_EQ("A1", Text(seat));
    ::RedrawWindow(seat, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    CWnd* wnd = CWnd::FromHandle(seat);
    Ink shown(kq::kSeatHeight - kCaptionTop, std::vector<bool>(kq::kSeatWidth));
    for (int y = 0; y < static_cast<int>(shown.size()); ++y)
        for (int x = 0; x < kq::kSeatWidth; ++x)
            shown[y][x] = IsDark(kqtest::ScreenPixel(*wnd, x, kCaptionTop + y));
    EXPECT_TRUE(FirstGlyphHasCrossbar(shown)) << "the seat caption's A lost its crossbar";
}

TEST_F(SeatMapTest, NewArrangementAndScrolling)
{
    Open();
    map->SetSeatState(1, 1);
    ::SendMessageA(map->m_hWnd, CKqListCtrl::kArrangementMessage, 5, MAKELONG(20, 3));
    EXPECT_EQ("20", install.IniValue("SEAT", "RowCount"));
    EXPECT_EQ("3", install.IniValue("SEAT", "ColumnCount"));
    EXPECT_EQ(0, map->GetSeatState(1));
    EXPECT_NE(0, ::GetWindowLongA(map->m_hWnd, GWL_STYLE) & WS_VSCROLL);

    ::SendMessageA(map->m_hWnd, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(48, ::GetScrollPos(map->m_hWnd, SB_VERT));
    ::SendMessageA(map->m_hWnd, WM_VSCROLL, SB_TOP, 0);
    ::SendMessageA(map->m_hWnd, CKqListCtrl::kWheelMessage, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    const int wheeled = ::GetScrollPos(map->m_hWnd, SB_VERT);
    EXPECT_GT(wheeled, 0);
    EXPECT_LE(wheeled, 64);
    HoldCtrl(true);
    ::SendMessageA(map->m_hWnd, CKqListCtrl::kWheelMessage, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(wheeled, ::GetScrollPos(map->m_hWnd, SB_VERT));
}

TEST_F(SeatMapTest, SelectedCaptionOnHighlightAndAnyStateDrawsSafely)
{
    Open();
    map->SetSeatState(1, 1);
    map->SelectOnly(1);
    HWND seat = Seat(1);
    ::RedrawWindow(seat, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    // The caption band's centre row: the highlight fills behind the text.
    CWnd* wnd = CWnd::FromHandle(seat);
    int highlighted = 0;
    for (int x = 24; x < 48; ++x)
        highlighted += kqtest::ScreenPixel(*wnd, x, 34) == ::GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_GT(highlighted, 0);

    // States beyond the image list (and 9, the empty image) still paint.
    for (int state : {9, 29, 30, 1000}) {
        EXPECT_EQ(0, map->SetSeatState(2, state));
        ::RedrawWindow(Seat(2), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_EQ(state, map->GetSeatState(2));
    }
    EXPECT_EQ(-10, map->SetSeatState(0, 1));
    EXPECT_EQ(-10, map->SetSeatState(6, 1));
    // A negative state brings the previous one back.
    map->SetSeatState(3, 1);
    map->SetSeatState(3, 7);
    map->SetSeatState(3, -1);
    EXPECT_EQ(1, map->GetSeatState(3));
}

// Log-ons write only the lines that changed, yet Teacher.ini ends exactly as
// if each log-on that recorded an adapter had written the whole section, as
// saving always has, whatever shape the file had: lines out of order, a key
// given twice (the first one is the file's), a key past the seat count.
TEST_F(SeatMapTest, LogOnsLeaveTeacherIniAsWholeSectionSavesWould)
{
    const std::string ini = "[Ver]\r\nVersionID=770\r\n[SEAT]\r\nSeatCount=5\r\nColumnCount=3\r\nRowCount=2\r\n"
                            "2=B1,1,0,0,\r\n1=A1,0,0,0,\r\n3=not a seat\r\n3=C1,2,0,0,\r\n4=B2,1,1,0,\r\n"
                            "5=C2,2,1,0,0a0b0c0d0e0f\r\n6=Z9,0,1,0,\r\n[Other]\r\nKeep=me\r\n";
    Open(ini);
    const std::string reference = install.PathOf("Reference.ini");
    std::ofstream(reference, std::ios::binary) << ini;

    struct Logon {
        const char* name;
        uint8_t adapter[6];
        bool offlineFirst;
    };
    const Logon logons[] = {
        {"A1", {0, 0, 0, 0, 0, 0x11}, false},
        {"B1", {0, 0, 0, 0, 0, 0x22}, false},
        {"C2", {0x0a, 0x0b, 0x0c, 0x0d, 0x0e, 0x0f}, false}, // the adapter on file
        {"A1", {0, 0, 0, 0, 0, 0x33}, true},
        {"B2", {0, 0, 0, 0, 0, 0x44}, false},
        {"A1", {0, 0, 0, 0, 0, 0x33}, true},
    };
    uint32_t address = 1;
    for (const Logon& l : logons) {
        SCOPED_TRACE(l.name);
        const int seat = map->GetSeatNumberByName(l.name);
        if (l.offlineFirst)
            map->SetSeatState(seat, 0);
        kq::StudentLogonRecord record{};
        std::strcpy(record.seatName, l.name);
        record.senderAddress = address++;
        std::memcpy(record.adapterAddress, l.adapter, sizeof l.adapter);
        const auto before = map->Arrangement().SaveLines(false);
        int newly = 0;
        EXPECT_EQ(seat, map->LoginByName(&record, 1, &newly));
        const auto after = map->Arrangement().SaveLines(false);
        if (after != before)
            for (const auto& [name, value] : after)
                ::WritePrivateProfileStringA("SEAT", name.c_str(), value.c_str(), reference.c_str());
    }
    auto contents = [](const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    };
    EXPECT_EQ(contents(reference), contents(install.PathOf("Teacher.ini")));
    EXPECT_EQ("A1,0,0,0,000000000033", install.IniValue("SEAT", "1"));
    EXPECT_EQ("C1,2,0,0,", install.IniValue("SEAT", "3"));
}

// Benchmark: a full classroom logs on, first with adapters the map has not
// seen (each log-on writes Teacher.ini), then again after going off line.
TEST_F(SeatMapTest, FullClassroomLogsOn)
{
    std::string ini = "[SEAT]\r\nSeatCount=160\r\nColumnCount=20\r\nRowCount=8\r\n";
    for (int n = 1; n <= kq::kMaxSeats; ++n)
        ini += std::to_string(n) + "=" + static_cast<char>('A' + (n - 1) % 20) + std::to_string((n - 1) / 20 + 1) + ","
            + std::to_string((n - 1) % 20) + "," + std::to_string((n - 1) / 20) + ",0,\r\n";
    Open(ini);
    ASSERT_EQ(kq::kMaxSeats, map->SeatWindowCount());

    auto logOnAll = [&] {
        const DWORD start = ::GetTickCount();
        for (int n = 1; n <= kq::kMaxSeats; ++n) {
            kq::StudentLogonRecord record{};
            std::string name;
            map->GetSeatName(n, &name);
            std::strcpy(record.seatName, name.c_str());
            record.senderAddress = static_cast<uint32_t>(n);
            record.adapterAddress[5] = static_cast<uint8_t>(n);
            int newly = 0;
            EXPECT_EQ(n, map->LoginByName(&record, 1, &newly));
        }
        PumpFor(0);
        return ::GetTickCount() - start;
    };
    const DWORD newAdapters = logOnAll();
    uint8_t list[kq::kMaxSeats];
    uint16_t count = 0;
    EXPECT_EQ(1, map->GetSeatsInState(1, &count, list));
    EXPECT_EQ(kq::kMaxSeats, count);
    EXPECT_EQ("A8,0,7,0,00000000008d", install.IniValue("SEAT", "141"));

    for (int n = 1; n <= kq::kMaxSeats; ++n)
        map->SetSeatState(n, 0);
    const DWORD knownAdapters = logOnAll();
    EXPECT_EQ(1, map->GetSeatsInState(1, &count, list));
    EXPECT_EQ(kq::kMaxSeats, count);
    RecordProperty("new_adapters_ms", static_cast<int>(newAdapters));
    RecordProperty("known_adapters_ms", static_cast<int>(knownAdapters));
    std::printf("160 log-ons: new adapters %lu ms, known adapters %lu ms\n", newAdapters, knownAdapters);
}

TEST(TeacherSeatMap, ShippedTeacherIniShowsFortySeats)
{
    kqtest::TeacherInstall install;
    ASSERT_TRUE(install.Start());
    HWND main = install.FindWindowOf("晨星电子教室");
    ASSERT_NE(nullptr, main);
    HWND map = ::GetDlgItem(main, kMapId);
    ASSERT_NE(nullptr, map);
    int seats = 0;
    for (int id = CSeatItemWnd::kIdBase + 1; id <= CSeatItemWnd::kIdBase + kq::kMaxSeats; ++id)
        seats += ::GetDlgItem(map, id) != nullptr;
    EXPECT_EQ(40, seats);
    char name[16] = {};
    ::GetWindowTextA(::GetDlgItem(map, CSeatItemWnd::kIdBase + 40), name, sizeof name);
    EXPECT_STREQ("D7", name);
    ::PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(install.WaitForExit());
}



// ---- Context menus ----

namespace {

// What one open menu showed: its items (command, text), the selection at
// that moment, and whether every text fits its item.
struct MenuSeen {
    std::vector<std::pair<UINT, std::string>> items;
    std::vector<int> selected;
    bool textsFit = true;
};

HWND OpenMenuWindow()
{
    HWND menu = ::FindWindowA("#32768", nullptr);
    return menu != nullptr && ::IsWindowVisible(menu) ? menu : nullptr;
}

struct MenuWatch {
    std::function<void(HWND menu, HMENU handle)> onOpen;
    bool done = false;
};
MenuWatch* g_menuWatch = nullptr;

void CALLBACK WatchMenu(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_menuWatch == nullptr || g_menuWatch->done)
        return;
    HWND menu = OpenMenuWindow();
    if (menu == nullptr)
        return;
    g_menuWatch->done = true;
    g_menuWatch->onOpen(menu, reinterpret_cast<HMENU>(::SendMessageA(menu, MN_GETHMENU, 0, 0)));
}

// Runs `open` (which shows a menu and returns when it closes) and calls
// `onOpen` once the menu is up; false when none came up.
bool WithMenu(const std::function<void()>& open, const std::function<void(HWND, HMENU)>& onOpen)
{
    MenuWatch watch{onOpen, false};
    g_menuWatch = &watch;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, WatchMenu);
    // A menu that never closed would hold the test: the last resort ends it.
    const UINT_PTR guard = ::SetTimer(nullptr, 0, 4000, [](HWND, UINT, UINT_PTR, DWORD) { ::EndMenu(); });
    open();
    ::KillTimer(nullptr, timer);
    ::KillTimer(nullptr, guard);
    g_menuWatch = nullptr;
    return watch.done;
}

std::vector<std::pair<UINT, std::string>> ItemsOf(HMENU handle)
{
    std::vector<std::pair<UINT, std::string>> items;
    for (int i = 0; i < ::GetMenuItemCount(handle); ++i) {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_DATA | MIIM_FTYPE;
        ::GetMenuItemInfoA(handle, static_cast<UINT>(i), TRUE, &info);
        const auto* record = reinterpret_cast<const MenuItemRecord*>(info.dwItemData);
        items.emplace_back(info.wID, record != nullptr ? record->text : "");
    }
    return items;
}

// Each item's text fits beside its icon in the menu's own font.
bool TextsFit(HWND owner, HMENU handle)
{
    HDC dc = ::GetDC(owner);
    HFONT font = ::CreateFontA(15, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    HGDIOBJ old = ::SelectObject(dc, font);
    bool fit = true;
    for (int i = 0; i < ::GetMenuItemCount(handle); ++i) {
        RECT item = {};
        ::GetMenuItemRect(owner, handle, static_cast<UINT>(i), &item);
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_DATA;
        ::GetMenuItemInfoA(handle, static_cast<UINT>(i), TRUE, &info);
        const auto* record = reinterpret_cast<const MenuItemRecord*>(info.dwItemData);
        SIZE text = {};
        ::GetTextExtentPoint32A(dc, record->text, static_cast<int>(std::strlen(record->text)), &text);
        // Icon margin, the icon and the gap before the text.
        fit = fit && 5 + 16 + 13 + text.cx <= item.right - item.left;
    }
    ::SelectObject(dc, old);
    ::DeleteObject(font);
    ::ReleaseDC(owner, dc);
    return fit;
}

void RightClick(HWND window, POINT at)
{
    ::SendMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
    ::SendMessageA(window, WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

} // namespace

TEST_F(SeatMapTest, ASeatsMenuSelectsItAloneUnlessItIsSelected)
{
    Open();
    for (int n = 1; n <= 5; ++n)
        map->SetSeatState(n, 1);
    ActivityState = 0;
    FirstPanelShown = 1;
    map->SelectOnly(1);
    map->ToggleSeat(2);
    MenuSeen seen;
    auto look = [&](HWND menu, HMENU handle) {
        seen.items = ItemsOf(handle);
        seen.selected = Selected();
        seen.textsFit = TextsFit(map->m_hWnd, handle);
        EXPECT_TRUE(kqtest::SaveScreenShot(menu, "seat-menu"));
        ::PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    };
    ASSERT_TRUE(WithMenu([&] { RightClick(Seat(2), {36, 10}); }, look));
    EXPECT_EQ(seen.selected, (std::vector<int>{1, 2})) << "a selected seat keeps the selection";
    ASSERT_EQ(seen.items.size(), 10u);
    EXPECT_EQ(seen.items[0].first, 501u);
    EXPECT_EQ(seen.items[5].first, 303u);
    EXPECT_TRUE(seen.textsFit);
    CString broadcast;
    broadcast.LoadString(57399);
    EXPECT_EQ(seen.items[0].second, std::string(broadcast.GetString()));

    ASSERT_TRUE(WithMenu([&] { RightClick(Seat(4), {36, 10}); }, look));
    EXPECT_EQ(seen.selected, std::vector<int>{4}) << "an unselected seat is selected alone";
}

TEST_F(SeatMapTest, MenusFollowTheClassroomAndOnlyOneOpens)
{
    Open();
    for (int n = 1; n <= 5; ++n)
        map->SetSeatState(n, 1);
    FirstPanelShown = 1;

    // During a test the background offers to end or abort it.
    ActivityState = 5;
    std::vector<std::pair<UINT, std::string>> items;
    int menusWhileOpen = 0;
    ASSERT_TRUE(WithMenu([&] { RightClick(map->m_hWnd, {5, 5}); },
                         [&](HWND menu, HMENU handle) {
                             items = ItemsOf(handle);
                             // A second right click while this one is open opens nothing.
                             RightClick(Seat(1), {36, 10});
                             menusWhileOpen = OpenMenuWindow() == menu ? 1 : 2;
                             ::PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
                         }));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].first, 610u);
    EXPECT_EQ(items[1].first, 609u);
    EXPECT_EQ(menusWhileOpen, 1);

    // During a media broadcast the menu is empty.
    ActivityState = 2;
    int count = -1;
    WithMenu([&] { RightClick(Seat(1), {36, 10}); },
             [&](HWND menu, HMENU handle) {
                 count = ::GetMenuItemCount(handle);
                 ::PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
             });
    EXPECT_LE(count, 0);

    // A chosen item goes on to the main window as its command.
    ActivityState = 0;
    host.posts.clear();
    ASSERT_TRUE(WithMenu([&] { RightClick(Seat(1), {36, 10}); },
                         [&](HWND menu, HMENU) {
                             for (int i = 0; i < 6; ++i)
                                 ::PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
                             ::PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
                         }));
    PumpFor(50);
    bool noticeCommand = false;
    for (const Posted& p : host.posts)
        noticeCommand = noticeCommand || (p.message == WM_COMMAND && p.wParam == 303);
    EXPECT_TRUE(noticeCommand);
    ActivityState = 0;
}

// ---- Groups ----

TEST_F(SeatMapTest, GroupsSelectTogetherAndTellWhenTheyAreSelected)
{
    // A1 group 1, B1 group 2, C1 none, D1 group 3 and C2 group 1 stay off
    // line, B2 group 1.
    Open("[SEAT]\r\nSeatCount=6\r\nColumnCount=4\r\nRowCount=2\r\n1=A1,0,0,1,\r\n2=B1,1,0,2,\r\n3=C1,2,0,0,\r\n"
         "4=D1,3,0,3,\r\n5=B2,1,1,1,\r\n6=C2,2,1,1,\r\n");
    for (int n : {1, 2, 3, 5})
        map->SetSeatState(n, 1);
    map->SelectOnly(3);
    map->SelectGroup(1, 1);
    EXPECT_EQ(Selected(), (std::vector<int>{1, 5})) << "the group, without the ungrouped C1";
    EXPECT_EQ(map->IsGroupSelected(1), 1) << "off-line C2 does not count";
    EXPECT_EQ(map->IsGroupSelected(2), 0);
    EXPECT_EQ(map->IsGroupSelected(3), 1) << "a group wholly off line counts as selected";
    EXPECT_EQ(map->IsGroupSelected(0), 0);
    map->ToggleSeat(2);
    map->SelectGroup(1, 0);
    EXPECT_EQ(Selected(), std::vector<int>{2}) << "other groups keep their selection";
    map->SelectGroup(0, 1);
    EXPECT_EQ(Selected(), (std::vector<int>{1, 2, 3, 5}));
    EXPECT_EQ(map->IsGroupSelected(0), 1);
    for (int outside : {-1, 7})
        EXPECT_EQ(map->IsGroupSelected(outside), 0) << outside;
    map->SelectGroup(7, 0);
    EXPECT_EQ(map->IsGroupSelected(0), 1);
}

TEST_F(SeatMapTest, GroupAssignmentTakesBackOnlyTheGroups)
{
    Open();
    const std::string iniPath = install.PathOf("Teacher.ini");
    auto fileText = [&] {
        std::ifstream in(iniPath, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    auto assign = [&](const std::function<void(CWnd&)>& steps) {
        kqtest::RunShown([] { return kqtest::ThreadWindowWith(781); },
                         [&] {
                             map->AssignGroups();
                             return INT_PTR{0};
                         },
                         steps);
    };
    const std::string before = fileText();
    assign([](CWnd& d) { kqtest::Click(d, 706); });
    EXPECT_EQ(fileText(), before) << "confirmed without a move: Teacher.ini untouched";

    assign([&](CWnd& d) {
        // B1 logs on meanwhile and its adapter is recorded.
        kq::StudentLogonRecord record{};
        std::strcpy(record.seatName, "B1");
        record.senderAddress = 0x0A01A8C0;
        record.adapterAddress[5] = 0x42;
        int newly = 0;
        map->LoginByName(&record, 1, &newly);
        d.GetDlgItem(781)->SendMessage(LB_SETSEL, TRUE, 1); // B1 (A1, B1, B2, C1, C2)
        kqtest::Click(d, 707);
        kqtest::Click(d, 706);
    });
    EXPECT_EQ(install.IniValue("SEAT", "2"), "B1,1,0,1,000000000042");
    EXPECT_EQ(install.IniValue("SEAT", "1"), "A1,0,0,0,");
    EXPECT_EQ(install.IniValue("SEAT", "SeatCount"), "5");
    EXPECT_EQ(map->Arrangement().Grid()[0][1].group, 1);
}

} // namespace
