#include "standins/kqvideos/VideoPanel.h"

#include "common/VideoStartRecord.h"
#include "standins/common/StandinWindows.h"

#include <cstdio>

namespace {

constexpr char kClassName[] = "KqVideoSPanel";
constexpr int kWidth = 236;
constexpr int kHeight = 150;
constexpr int kSmallHeight = 120;  // the 640-pixel layout has less room
constexpr int kMargin = 6;
constexpr int kRowGap = 4;
constexpr int kRowHeight = 22;
constexpr int kButtonWidth = 70;
constexpr int kMaxChannel = 255; // the channel travels in one byte

// The teacher's video channel dialog, in its two modes: the panel's way to it.
constexpr WORD kManageChannelsCommand = 871;
constexpr WORD kShowChannelCommand = 852;

enum ControlId : int {
    kTitleLabel = 100,
    kChannelLabel,
    kChannelEdit,
    kStartButton,
    kChangeButton,
    kEndButton,
    kManageButton,
    kShowButton,
};

using kq::standin::ThisModule;

HWND AddControl(HWND parent, const char* kind, const char* text, DWORD style, int id, int x,
    int y, int width)
{
    return CreateWindowExA(0, kind, text, WS_CHILD | WS_VISIBLE | style, x, y, width, kRowHeight,
        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ThisModule(), nullptr);
}

} // namespace

bool VideoPanel::Open(HWND host, int mode, int x, int y, bool smallScreen)
{
    Close();
    if (!kq::standin::RegisterWindowClass(kClassName, &WindowProc, kq::standin::ColourBrush(COLOR_BTNFACE)))
        return false;
    m_host = host;
    m_window = CreateWindowExA(WS_EX_CLIENTEDGE, kClassName, "视频广播", WS_CHILD | WS_VISIBLE,
        x, y, kWidth, smallScreen ? kSmallHeight : kHeight, host, nullptr, ThisModule(), nullptr);
    if (m_window == nullptr)
        return false;
    SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

    const char* title = mode == kq::kVideoStartChannels ? "视频广播：频道点播" : "视频广播：全体广播";
    const int inner = kWidth - 2 * kMargin;
    int row = kMargin;
    AddControl(m_window, "STATIC", title, 0, kTitleLabel, kMargin, row, inner);
    row += kRowHeight + kRowGap;
    AddControl(m_window, "STATIC", "频道:", 0, kChannelLabel, kMargin, row, 40);
    AddControl(m_window, "EDIT", "1", WS_BORDER | ES_NUMBER, kChannelEdit, kMargin + 44, row, 50);
    row += kRowHeight + kRowGap;
    AddControl(m_window, "BUTTON", "开始", BS_PUSHBUTTON, kStartButton, kMargin, row, kButtonWidth);
    AddControl(m_window, "BUTTON", "切换", BS_PUSHBUTTON, kChangeButton,
        kMargin + kButtonWidth + kRowGap, row, kButtonWidth);
    AddControl(m_window, "BUTTON", "结束", BS_PUSHBUTTON, kEndButton,
        kMargin + 2 * (kButtonWidth + kRowGap), row, kButtonWidth);
    row += kRowHeight + kRowGap;
    const int half = (inner - kRowGap) / 2;
    AddControl(m_window, "BUTTON", "频道管理", BS_PUSHBUTTON, kManageButton, kMargin, row, half);
    AddControl(m_window, "BUTTON", "频道转播", BS_PUSHBUTTON, kShowButton, kMargin + half + kRowGap, row, half);
    return true;
}

void VideoPanel::Close()
{
    if (IsOpen()) {
        kq::standin::CloseFromAnyThread(m_window);
    }
    m_window = nullptr;
    m_host = nullptr;
}

void VideoPanel::MoveTo(int x, int y, bool smallScreen)
{
    if (IsOpen())
        MoveWindow(m_window, x, y, kWidth, smallScreen ? kSmallHeight : kHeight, TRUE);
}

void VideoPanel::Notify(int notice, int channel)
{
    PostMessageA(m_host, kq::kWmVideoNotify, static_cast<WPARAM>(notice),
        static_cast<LPARAM>(channel));
}

void VideoPanel::OnCommand(int id)
{
    BOOL valid = FALSE;
    const UINT channel = GetDlgItemInt(m_window, kChannelEdit, &valid, FALSE);
    const bool channelOk = valid && channel >= 1 && channel <= kMaxChannel;
    switch (id) {
    case kStartButton:
        if (channelOk)
            Notify(kq::kVideoChannelStarted, static_cast<int>(channel));
        break;
    case kChangeButton:
        if (channelOk)
            Notify(kq::kVideoChannelChanged, static_cast<int>(channel));
        break;
    case kEndButton:
        Notify(kq::kVideoEnded, 0);
        break;
    case kManageButton:
        PostMessageA(m_host, WM_COMMAND, MAKEWPARAM(kManageChannelsCommand, 0), 0);
        break;
    case kShowButton:
        PostMessageA(m_host, WM_COMMAND, MAKEWPARAM(kShowChannelCommand, 0), 0);
        break;
    default:
        break;
    }
}

LRESULT CALLBACK VideoPanel::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* panel = reinterpret_cast<VideoPanel*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && panel != nullptr) {
        panel->OnCommand(LOWORD(wParam));
        return 0;
    }
    if (message == WM_CLOSE) {
        DestroyWindow(window);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
