// Teacher.exe's broadcast options on the floating toolbar, and the faces the
// panel toggles take from the seat the teacher clicks.

#include "teacher/tests/ScreenPixels.h"
#include "teacher/tests/TeachingSession.h"

#include "standins/common/tests/StandinTestSupport.h"

#include "TeacherResources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using kqtest::Selection;
using kqtest::TeachingSession;
using kqtest::WaitFor;
using namespace TeacherRes;

constexpr DWORD kPatienceMs = 5000;
constexpr UINT kSeatClicked = 0x435;
constexpr WORD kNothingToShow = 100;

HWND ToolBar() { return ::FindWindowA(nullptr, "KqToolBar"); }

// A window of this process standing in for the broadcast's popup settings.
class PopupSettings {
public:
    PopupSettings()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &::DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "BroadcastOptionsTestPopup";
        ::RegisterClassA(&wc);
        m_window = ::CreateWindowExA(0, wc.lpszClassName, "KqPopSetDlg", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20,
                                     nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~PopupSettings()
    {
        if (::IsWindow(m_window))
            ::DestroyWindow(m_window);
    }
    // Pumps its messages until it was told to close.
    bool Closed(DWORD ms)
    {
        return WaitFor([&] {
            MSG msg;
            while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.hwnd == m_window && msg.message == WM_CLOSE)
                    return true;
                ::DispatchMessageA(&msg);
            }
            return false;
        }, ms);
    }

private:
    HWND m_window = nullptr;
};

class BroadcastOptions : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_session.Started());
        m_resources = ::LoadLibraryExA(m_session.Install().PathOf("resource.dll").c_str(), nullptr,
                                       LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(m_resources, nullptr);
        for (int seat = 1; seat <= 3; ++seat)
            m_session.Online(seat);
        m_session.NewSends();
    }
    void TearDown() override
    {
        if (m_resources != nullptr)
            ::FreeLibrary(m_resources);
    }
    // Clicks a toolbar button as the mouse does.
    void Click(UINT id) { ::PostMessageA(::GetDlgItem(ToolBar(), id), BM_CLICK, 0, 0); }
    // The option records handed to the transport so far.
    std::vector<std::string> Options()
    {
        std::vector<std::string> lines;
        const std::string trace = m_session.Install().Trace();
        for (size_t at = trace.find("Lectern options "); at != std::string::npos;
             at = trace.find("Lectern options ", at + 1))
            lines.push_back(trace.substr(at + 16, trace.find_first_of("\r\n", at) - at - 16));
        return lines;
    }

    TeachingSession m_session;
    HMODULE m_resources = nullptr;
};

TEST_F(BroadcastOptions, TheToolBarSwitchesChangedAreasAndStops)
{
    m_session.Command(501);
    ASSERT_TRUE(WaitFor([] { return ToolBar() != nullptr; }, kPatienceMs));
    m_session.NewSends();

    // On, then off, each with its notice.
    Click(842);
    EXPECT_NE(m_session.TakeBox().find(m_session.String(IDS_SCREEN_CHANGE_ON)), std::string::npos);
    Click(842);
    EXPECT_NE(m_session.TakeBox().find(m_session.String(IDS_SCREEN_CHANGE_OFF)), std::string::npos);
    EXPECT_EQ(Options(), (std::vector<std::string>{"compress=1 delaySon=2 delayMon=2 record=0 screenChange=1",
                                                   "compress=1 delaySon=2 delayMon=2 record=0 screenChange=0"}));

    // Stop: the broadcast ends, the toolbar and the popup settings close.
    PopupSettings popup;
    Click(837);
    EXPECT_TRUE(popup.Closed(kPatienceMs));
    EXPECT_TRUE(WaitFor([] { return ToolBar() == nullptr; }, kPatienceMs));
    const std::vector<std::string> sends = m_session.NewSends();
    ASSERT_FALSE(sends.empty());
    EXPECT_EQ(sends[0].rfind(kqtest::SendLine(0, 0, 0, ""), 0), 0u) << sends[0];
}

// What a seat's report leaves on the toggles: the faces the test reads and
// whether the text overlay is on (command 304 then turns it off with code 41).
struct ReportCase {
    const char* name;
    int firstPanel;     // FirstPanelShown while the report comes
    WORD state;         // the clicked seat's state
    WORD before;        // a report that sets the opposite faces first
    UINT chatFace;      // 309's released face afterwards (0: not visible)
    UINT overlayButton; // 304 or 606
    UINT overlayFace;   // its released face afterwards
    bool overlayOn;
};

TEST_F(BroadcastOptions, ASeatsStateShowsOnTheToggles)
{
    const ReportCase cases[] = {
        {"hand up", 1, 2, 6, IDB_CHAT_HAND_UP_UP, 304, IDB_BLANK_SCREEN_UP, false},
        {"overlay in a test, first page", 1, 5, 2, IDB_CHAT_UP, 606, IDB_TEST_BLANK_SCREEN_ON_UP, true},
        {"overlay, first page", 1, 6, 2, IDB_CHAT_UP, 304, IDB_BLANK_SCREEN_ON_UP, true},
        {"nothing to show keeps the hand up", 1, kNothingToShow, 2, IDB_CHAT_HAND_UP_UP, 304, IDB_BLANK_SCREEN_UP,
         false},
        {"nothing to show keeps the overlay", 1, kNothingToShow, 6, IDB_CHAT_UP, 304, IDB_BLANK_SCREEN_ON_UP, true},
        {"logged on", 1, 1, 6, IDB_CHAT_UP, 304, IDB_BLANK_SCREEN_UP, false},
        {"hand up, test page", 0, 2, 6, 0, 606, IDB_TEST_BLANK_SCREEN_UP, false},
        {"overlay in a test, test page", 0, 5, 2, 0, 606, IDB_TEST_BLANK_SCREEN_ON_UP, true},
        {"overlay, test page", 0, 6, 2, 0, 606, IDB_TEST_BLANK_SCREEN_ON_UP, true},
        {"nothing to show, test page", 0, kNothingToShow, 6, 0, 606, IDB_TEST_BLANK_SCREEN_ON_UP, true},
        {"logged on, test page", 0, 1, 6, 0, 606, IDB_TEST_BLANK_SCREEN_UP, false},
    };
    HWND main = m_session.Main();
    HWND functionPanel = ::GetDlgItem(main, 1000);
    HWND testPanel = ::GetDlgItem(main, 1001);
    for (const ReportCase& c : cases) {
        SCOPED_TRACE(c.name);
        m_session.Command(c.firstPanel == 1 ? 521 : 522);
        m_session.Post(kSeatClicked, MAKELONG(c.before, 1), 0);
        m_session.Post(kSeatClicked, MAKELONG(c.state, 1), 0);
        if (c.chatFace != 0) {
            EXPECT_TRUE(kqtest::ShowsFace(::GetDlgItem(functionPanel, 309), m_resources, c.chatFace));
        }
        // The overlay toggle is read on the page that shows it.
        const bool otherPage = (c.overlayButton == 606) != (c.firstPanel == 0);
        if (otherPage)
            m_session.Command(c.firstPanel == 1 ? 522 : 521);
        HWND overlay = ::GetDlgItem(c.overlayButton == 606 ? testPanel : functionPanel, c.overlayButton);
        EXPECT_TRUE(kqtest::ShowsFace(overlay, m_resources, c.overlayFace));

        // The flag: turning the overlay off sends code 41 only while it is
        // on. (A band selects: a click on a seat would report its state.)
        m_session.Select(Selection::Two);
        m_session.NewSends();
        m_session.Command(304);
        const std::vector<std::string> sends = m_session.NewSends();
        const bool turnedOff = !sends.empty() && sends.back().rfind("code=41 ", 0) == 0;
        EXPECT_EQ(turnedOff, c.overlayOn);
        // Turning it on asks for a text: that box is not this test's.
        for (HWND box : kq::standin::ProcessWindows(m_session.Install().ProcessId(), [&](HWND w) {
                 return w != main && ::IsWindowVisible(w) && ::GetWindow(w, GW_OWNER) == main;
             }))
            ::PostMessageA(box, WM_CLOSE, 0, 0);
        m_session.Select(Selection::None);
        m_session.Settle();
    }
}

} // namespace
