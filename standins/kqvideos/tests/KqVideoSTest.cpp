#include "common/VideoLayoutRecord.h"
#include "common/VideoStartRecord.h"
#include "standins/common/tests/StandinTestSupport.h"
#include "widgets/tests/LayoutCheck.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

using ControlFn = int (*)(int, void*);
constexpr WORD kControlOrdinal = 1;

// A teacher main window stand-in and the library loaded as the teacher does.
class KqVideoSTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_library = LoadLibraryA("KqVideoS.dll");
        ASSERT_NE(m_library, nullptr);
        m_control = reinterpret_cast<ControlFn>(reinterpret_cast<void*>(
            GetProcAddress(m_library, MAKEINTRESOURCEA(kControlOrdinal))));
        ASSERT_NE(m_control, nullptr);
        m_host = CreateWindowExA(0, "STATIC", "MainWnd", WS_POPUP, 0, 0, 800, 600,
            nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(m_host, nullptr);
    }

    void TearDown() override
    {
        if (m_control)
            m_control(kq::kVideoStop, nullptr);
        DestroyWindow(m_host);
    }

    kq::VideoStartRecord StartRecord() const
    {
        kq::VideoStartRecord record = {};
        record.window = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(m_host));
        record.videoPort = record.videoPort2 = 6040;
        record.x = 548;
        record.y = 126;
        record.mediaType = 1;
        record.group = 0x070401E3; // 227.1.4.7
        record.mainPort = 6000;
        return record;
    }

    HWND Panel() const { return FindWindowExA(m_host, nullptr, "KqVideoSPanel", nullptr); }

    POINT PanelOrigin() const
    {
        RECT rect = {};
        GetWindowRect(Panel(), &rect);
        POINT origin = {rect.left, rect.top};
        ScreenToClient(m_host, &origin);
        return origin;
    }

    void Press(const char* caption)
    {
        HWND button = FindWindowExA(Panel(), nullptr, "BUTTON", caption);
        EXPECT_NE(button, nullptr) << caption;
        SendMessageA(button, BM_CLICK, 0, 0);
    }

    // Clicks a panel button and returns the video notices the host received.
    std::vector<std::pair<WPARAM, LPARAM>> Click(const char* caption)
    {
        Press(caption);
        std::vector<std::pair<WPARAM, LPARAM>> notices;
        MSG msg;
        while (PeekMessageA(&msg, m_host, kq::kWmVideoNotify, kq::kWmVideoNotify, PM_REMOVE))
            notices.emplace_back(msg.wParam, msg.lParam);
        return notices;
    }

    // Clicks a panel button and returns the command the host received (0: none).
    UINT ClickCommand(const char* caption)
    {
        Press(caption);
        MSG msg;
        UINT command = 0;
        while (PeekMessageA(&msg, m_host, WM_COMMAND, WM_COMMAND, PM_REMOVE))
            command = LOWORD(msg.wParam);
        return command;
    }

    const kq::standin::TraceFile m_trace{kq::standin::UniqueTempPath("kqvideos-trace", ".txt")};
    HMODULE m_library = nullptr;
    ControlFn m_control = nullptr;
    HWND m_host = nullptr;
};

using Notices = std::vector<std::pair<WPARAM, LPARAM>>;

TEST_F(KqVideoSTest, StartPlacesThePanelAndItsButtonsNotifyTheHost)
{
    kq::VideoStartRecord record = StartRecord();
    ASSERT_GE(m_control(kq::kVideoStartAll, &record), 0);
    ASSERT_NE(Panel(), nullptr);
    EXPECT_EQ(PanelOrigin().x, 548);
    EXPECT_EQ(PanelOrigin().y, 126);

    SetDlgItemTextA(Panel(), 102, "7"); // the channel field
    EXPECT_EQ(Click("开始"), (Notices{{kq::kVideoChannelStarted, 7}}));
    EXPECT_EQ(Click("切换"), (Notices{{kq::kVideoChannelChanged, 7}}));
    EXPECT_EQ(Click("结束"), (Notices{{kq::kVideoEnded, 0}}));

    // A channel that does not fit the notice's byte is not announced.
    SetDlgItemTextA(Panel(), 102, "300");
    EXPECT_EQ(Click("开始"), Notices{});

    // The way to the host's video channel dialog: its two modes' commands.
    EXPECT_EQ(ClickCommand("频道管理"), 871u);
    EXPECT_EQ(ClickCommand("频道转播"), 852u);

    // The host answers the end notice by stopping the library.
    EXPECT_EQ(m_control(kq::kVideoStop, nullptr), 0);
    EXPECT_EQ(Panel(), nullptr);
}

TEST_F(KqVideoSTest, LayoutMovesTheRunningPanel)
{
    kq::VideoStartRecord record = StartRecord();
    ASSERT_GE(m_control(kq::kVideoStartChannels, &record), 0);
    kq::VideoLayoutRecord layout = {1, 388, 126};
    EXPECT_EQ(m_control(kq::kVideoLayout, &layout), 0);
    EXPECT_EQ(PanelOrigin().x, 388);
    EXPECT_EQ(PanelOrigin().y, 126);

    // A second start replaces the panel rather than stacking another.
    ASSERT_GE(m_control(kq::kVideoStartAll, &record), 0);
    EXPECT_EQ(FindWindowExA(m_host, Panel(), "KqVideoSPanel", nullptr), nullptr);
}

TEST_F(KqVideoSTest, EveryControlFitsThePanelOnBothScreens)
{
    ShowWindow(m_host, SW_SHOWNOACTIVATE);
    kq::VideoStartRecord record = StartRecord();
    for (const bool small : {false, true}) {
        SCOPED_TRACE(small ? "small screen" : "normal screen");
        record.smallScreen = small ? 1 : 0;
        ASSERT_GE(m_control(kq::kVideoStartChannels, &record), 0);
        UpdateWindow(Panel());
        const std::vector<std::string> faults = kqtest::LayoutFaults(Panel());
        EXPECT_TRUE(faults.empty()) << faults.front();
        EXPECT_TRUE(kqtest::SaveScreenShot(Panel(), small ? "video-panel-small" : "video-panel"));
    }
}

TEST_F(KqVideoSTest, FailuresAreNegative)
{
    kq::VideoStartRecord noWindow = StartRecord();
    noWindow.window = 0x1234;
    EXPECT_LT(m_control(kq::kVideoStartAll, nullptr), 0);
    EXPECT_LT(m_control(kq::kVideoStartAll, &noWindow), 0);
    EXPECT_LT(m_control(kq::kVideoLayout, nullptr), 0);
    EXPECT_LT(m_control(9, nullptr), 0);
    EXPECT_EQ(Panel(), nullptr);
    // Stopping with nothing running is harmless.
    EXPECT_EQ(m_control(kq::kVideoStop, nullptr), 0);
}

TEST_F(KqVideoSTest, TracesEachCallWithItsRecord)
{
    kq::VideoStartRecord record = StartRecord();
    ASSERT_GE(m_control(kq::kVideoStartAll, &record), 0);
    kq::VideoLayoutRecord layout = {0, 548, 126};
    m_control(kq::kVideoLayout, &layout);
    m_control(kq::kVideoStop, nullptr);

    char window[16];
    std::snprintf(window, sizeof window, "%08x", record.window);
    EXPECT_EQ(m_trace.Read(),
        std::string("KqVideoS KqVideoSControl mode=1 window=") + window
            + " videoPort=6040 smallScreen=0 x=548 y=126 mediaType=1 group=070401e3 "
              "mainPort=6000\n"
              "KqVideoS KqVideoSControl mode=3 smallScreen=0 x=548 y=126\n"
              "KqVideoS KqVideoSControl mode=0\n");
}

} // namespace
