// Vidspool.exe: the player. It takes over the channel handed to it in the
// shared block "DoChannel", tells the hand-off's writer so by setting the
// event "KqMemFileToVodPlug", and shows a window saying which channel it
// plays. When the teacher's own player is closed, the channel has ended for
// the teacher station: the player posts WM_VOD_CHANNEL_END with the channel
// value to the teacher's main window.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "common/VodChannelBlock.h"
#include "standins/common/StandinWindows.h"
#include "standins/common/Trace.h"
#include "standins/vidspool/ChannelHandOff.h"

#include <cstring>
#include <string>

namespace {

using kq::vidspool::Caller;
using kq::vidspool::ChannelHandOff;

constexpr char kModule[] = "Vidspool";
constexpr char kWindowClass[] = "Velmora2000IISth";
constexpr char kWindowTitle[] = "晨星放映";
// The teacher's main window: created as "MainWnd", it shows this title.
constexpr char kTeacherWindowTitle[] = "晨星电子教室";
constexpr UINT kVodChannelEndMessage = 0x436;
constexpr int kWidth = 360;
constexpr int kHeight = 120;
constexpr int kMargin = 12;

ChannelHandOff g_handOff;

// The arguments after the program name. (The runtime's lpCmdLine takes
// bytes above 0x7F for blanks and drops a leading Chinese argument.)
const char* Arguments()
{
    const char* line = GetCommandLineA();
    if (*line == '"') {
        const char* end = std::strchr(line + 1, '"');
        line = end ? end + 1 : line + std::strlen(line);
    } else {
        while (*line != '\0' && *line != ' ' && *line != '\t')
            ++line;
    }
    while (*line == ' ' || *line == '\t')
        ++line;
    return line;
}

const char* CallerName(Caller caller)
{
    switch (caller) {
    case Caller::Teacher:
        return "teacher";
    case Caller::Receiver:
        return "receiver";
    default:
        return "none";
    }
}

// Reads "DoChannel"; false when no block was handed over.
bool ReadChannel(ChannelHandOff& handOff)
{
    HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, kq::kVodChannelBlockName);
    if (mapping == nullptr)
        return false;
    const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, sizeof(kq::VodChannelBlock));
    if (view != nullptr) {
        kq::VodChannelBlock block;
        std::memcpy(&block, view, sizeof block);
        UnmapViewOfFile(view);
        handOff = kq::vidspool::ReadHandOff(block);
    }
    CloseHandle(mapping);
    return view != nullptr;
}

// Tells the caller waiting on the event that the block has been taken.
void SignalTaken()
{
    if (HANDLE taken = OpenEventA(EVENT_MODIFY_STATE, FALSE, kq::kVodPlayerTookEvent)) {
        SetEvent(taken);
        CloseHandle(taken);
    }
}

void ReportEnd()
{
    if (g_handOff.caller != Caller::Teacher)
        return; // a channel receiver waits for the process itself
    HWND teacher = FindWindowA(nullptr, kTeacherWindowTitle);
    kq::Trace(kModule, "end channel=%u teacher=%s", g_handOff.channel, teacher ? "found" : "missing");
    if (teacher != nullptr)
        PostMessageA(teacher, kVodChannelEndMessage, g_handOff.channel, 0);
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        CreateWindowExA(0, "STATIC", kq::vidspool::Describe(g_handOff).c_str(), WS_CHILD | WS_VISIBLE | SS_CENTER,
                        kMargin, kMargin * 2, kWidth - 3 * kMargin, kHeight / 2, window, nullptr, nullptr, nullptr);
        return 0;
    case WM_DESTROY:
        ReportEnd();
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    kq::Trace(kModule, "start arguments=%s", Arguments());
    if (FindWindowA(kWindowClass, kWindowTitle) != nullptr)
        return 0; // one player at a time
    const bool taken = ReadChannel(g_handOff);
    // Traced before the caller is released, so its trace is complete when it goes on.
    kq::Trace(kModule, "channel caller=%s origin=%s channel=%u port=%u flag=%u", CallerName(g_handOff.caller),
              g_handOff.origin.c_str(), g_handOff.channel, g_handOff.port, g_handOff.flag);
    if (taken)
        SignalTaken();
    else
        g_handOff = ChannelHandOff();

    kq::standin::RegisterWindowClass(kWindowClass, WindowProcedure, kq::standin::ColourBrush(COLOR_BTNFACE),
                                     IDC_ARROW, instance);
    HWND window = CreateWindowExA(0, kWindowClass, kWindowTitle, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                                  CW_USEDEFAULT, CW_USEDEFAULT, kWidth, kHeight, nullptr, nullptr, instance, nullptr);
    if (window == nullptr)
        return 1;
    ShowWindow(window, SW_SHOWNORMAL);
    kq::standin::RunMessageLoop();
    return 0;
}
