// MirageHost.exe: a host program for Mirage.dll in tests. It loads the engine
// from its own folder and calls the exports on the thread that owns its
// window, as a classroom host does. Commands come line by line from standard
// input or from the script named on the command line; every result (with its
// duration) and every WM_MIRAGE_NOTIFY is printed as one line.
//
//   open MODE                      DoOpenMirage(MODE)
//   close | stop                   DoCloseMirage | DoStop
//   DoTeacherTeacherDemo KEY=VALUE ...   any of the 13 mode exports
//   exec SIDE OTHER KIND KEY=VALUE ...   DoExecScreen
//   reset LOSSLESS PAUSE BURST BAR WINDOWED    DoReSetOption
//   wait CODE TIMEOUT_MS           waits for a notice with that code
//   sleep MS | threads | quit
//   clock                          prints "clock MS", the wall-clock time in ms
//                                  since 1970 (a wire listener's clock)
//   pattern                        covers the screen with the test pattern
//   animate                        the pattern with a square moving on it
//   still                          the square stops where it is
//   cursor X Y | move X Y          SetCursorPos | a mouse move through SendInput
//   shapewindow X Y W H            a window whose cursor is the test cursor
//   post WINDOW MESSAGE WPARAM [LPARAM]   posts to the window of that name
//   postxy WINDOW MESSAGE WPARAM X Y      the same with lParam = MAKELPARAM(X, Y)
//   rect WINDOW                    prints the window's rectangle
//   menu                           prints whether a popup menu is open
//   bar                            prints "bar VISIBLE R S P C E": whether "DoBar"
//                                  is shown and which of its five buttons are enabled
//   barpress N                     presses the bar's button N (0 record .. 4 exit)
//   preset [HEX]                   the shown preset-message dialog: prints "preset
//                                  HEX ITEMS" (its message text's bytes, its
//                                  presets joined by |); with HEX, types those
//                                  bytes as the message and presses OK
//   mixer [VOLUME]                 sets the mixer's recording volume (KqMixer.dll
//                                  of this process); prints "mixer VOLUME" as read
//   slider                         the volume dialog's slider: "slider POS ENABLED"
//   msgbox TIMEOUT_MS              waits for a message box of this process,
//                                  prints "msgbox TEXT" and answers it with OK
//   clickwindow X Y W H            a focused window that prints every click
//                                  (screen coordinates) and key it gets
//   texts WINDOW                   prints "text HEX" with the bytes of the text
//                                  of each window inside WINDOW (the rest of
//                                  the line, spaces included; a visible one
//                                  first) that has one
//   trackpointer                   prints "pointer X Y" whenever the system's
//                                  pointer moves (checked every 50 ms)
//   blockshape                     takes the name "CursorShape" with a mutex, so
//                                  that no shared memory of that name can be made
//
// Option keys: hwnd id group port windowed pause burst lossless quality flag
// period watched ids (a,b,c) count names (a|b|c) bar (the byte at 41008).

#include "broadcast/MirageExports.h"
#include "broadcast/MirageMessageIds.h"
#include "broadcast/tests/TestPattern.h"

#include <winsock2.h>
#include <windows.h>
#include <tlhelp32.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr UINT WM_HOST_LINE = WM_APP + 1; // lParam: a heap std::string
constexpr UINT WM_HOST_END = WM_APP + 2;  // no more lines
constexpr UINT_PTR kTimer = 1;
constexpr UINT_PTR kPointerTimer = 2;
constexpr UINT kPointerPeriodMs = 50;
POINT g_lastPointer = {-1, -1};

const char* const kModeExports[] = {
    "DoTeacherTeacherDemo",   "DoStudentTeacherDemo",        "DoTeacherStudentDemo", "DoStudentStudentDemo",
    "DoStudentStudentDemoOther", "DoTeacherTeacherHandle",   "DoStudentTeacherHandle",
    "DoStudentTeacherHandleOther", "DoTeacherMonitor",      "DoStudentMonitor",     "DoTeacherMultiMonitor",
    "DoStudentMultiMonitor",  "DoStudentPlay",
};

struct Notice {
    unsigned code;
    unsigned high;
    LPARAM lParam;
};

HMODULE g_engine = nullptr;
HWND g_window = nullptr;
std::deque<std::string> g_lines;
std::deque<Notice> g_notices; // not yet consumed by a wait
bool g_inputEnded = false;
bool g_quit = false;

// What the host is waiting for: a notice, or the end of a sleep.
struct Waiting {
    bool active = false;
    bool forNotice = false;
    unsigned code = 0;
    DWORD start = 0;
} g_waiting;

void Print(const std::string& line)
{
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

template <typename Proc>
Proc Export(const char* name)
{
    FARPROC proc = GetProcAddress(g_engine, name);
    if (proc == nullptr)
        Print(std::string("error: no export ") + name);
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(proc));
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::stringstream stream(text);
    std::string part;
    while (std::getline(stream, part, separator))
        parts.push_back(part);
    return parts;
}

// A zeroed options record filled from KEY=VALUE words; the host window
// unless hwnd= says otherwise.
std::unique_ptr<MirageOptions> ParseOptions(const std::vector<std::string>& words, size_t first)
{
    auto o = std::make_unique<MirageOptions>();
    std::memset(o.get(), 0, sizeof *o);
    o->hostWindow = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(g_window));
    bool countGiven = false;
    for (size_t i = first; i < words.size(); ++i) {
        const size_t eq = words[i].find('=');
        if (eq == std::string::npos) {
            Print("error: not KEY=VALUE: " + words[i]);
            continue;
        }
        const std::string key = words[i].substr(0, eq);
        const std::string value = words[i].substr(eq + 1);
        const unsigned long number = std::strtoul(value.c_str(), nullptr, 0);
        if (key == "hwnd") o->hostWindow = static_cast<uint32_t>(number);
        else if (key == "id") o->ownId = static_cast<uint8_t>(number);
        else if (key == "group") // may fill the field without a terminator, as a host might
            std::memcpy(o->groupAddress, value.data(), std::min(value.size(), sizeof o->groupAddress));
        else if (key == "port") o->port = static_cast<uint16_t>(number);
        else if (key == "windowed") o->windowed = static_cast<uint8_t>(number);
        else if (key == "pause") o->burstPause = static_cast<uint16_t>(number);
        else if (key == "burst") o->burstLength = static_cast<uint16_t>(number);
        else if (key == "lossless") o->lossless = static_cast<uint8_t>(number);
        else if (key == "quality") o->jpegQuality = static_cast<uint8_t>(number);
        else if (key == "flag") o->modeFlag = static_cast<uint8_t>(number);
        else if (key == "period") o->cyclingPeriod = static_cast<uint32_t>(number);
        else if (key == "watched") o->watchedId = static_cast<uint8_t>(number);
        else if (key == "bar") o->recordBarOrViews = static_cast<uint8_t>(number);
        else if (key == "count") { o->idCount = static_cast<uint16_t>(number); countGiven = true; }
        else if (key == "ids") {
            const auto ids = Split(value, ',');
            for (size_t k = 0; k < ids.size() && k < kMirageMaxIds; ++k)
                o->ids[k] = static_cast<uint8_t>(std::strtoul(ids[k].c_str(), nullptr, 0));
            if (!countGiven)
                o->idCount = static_cast<uint16_t>(std::min(ids.size(), kMirageMaxIds));
        } else if (key == "names") {
            const auto names = Split(value, '|');
            for (size_t k = 0; k < names.size() && k < kMirageMaxIds; ++k)
                std::strncpy(o->names[k], names[k].c_str(), kMirageNameSize - 1);
        } else {
            Print("error: unknown option " + key);
        }
    }
    return o;
}

void PrintResult(const std::string& call, int result, DWORD start)
{
    Print(call + " = " + std::to_string(result) + " [" + std::to_string(GetTickCount() - start) + " ms]");
}

int CountThreads()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return -1;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId())
            ++count;
    CloseHandle(snapshot);
    return count;
}

bool TakeNotice(unsigned code)
{
    for (auto it = g_notices.begin(); it != g_notices.end(); ++it) {
        if (it->code == code) {
            g_notices.erase(it);
            return true;
        }
    }
    return false;
}

void EndWait(const char* outcome)
{
    KillTimer(g_window, kTimer);
    const std::string what = g_waiting.forNotice ? "wait " + std::to_string(g_waiting.code) : "sleep";
    Print(what + " = " + outcome + " [" + std::to_string(GetTickCount() - g_waiting.start) + " ms]");
    g_waiting = Waiting{};
}

// "animate": a 160-pixel square that moves and changes colour every 100 ms
// on the pattern, as a desktop changes in one place at a time.
constexpr UINT_PTR kAnimateTimer = 7;
constexpr UINT kAnimateMs = 100;
constexpr int kAnimateSide = 160;

LRESULT CALLBACK PatternProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER && wParam == kAnimateTimer) {
        static int tick = 0;
        ++tick;
        RECT square;
        square.left = (tick * 37) % (GetSystemMetrics(SM_CXSCREEN) - kAnimateSide);
        square.top = (tick * 23) % (GetSystemMetrics(SM_CYSCREEN) - kAnimateSide);
        square.right = square.left + kAnimateSide;
        square.bottom = square.top + kAnimateSide;
        HDC dc = GetDC(hwnd);
        HBRUSH brush = CreateSolidBrush(RGB(tick * 7 % 256, tick * 13 % 256, tick * 29 % 256));
        FillRect(dc, &square, brush);
        DeleteObject(brush);
        ReleaseDC(hwnd, dc);
        return 0;
    }
    if (message != WM_PAINT)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    RECT client;
    GetClientRect(hwnd, &client);
    const int width = client.right;
    const int height = client.bottom;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const kq::test::Rgb c = kq::test::PatternPixel(x, y);
            pixels[static_cast<size_t>(y) * width + x] = (c.r << 16) | (c.g << 8) | c.b;
        }
    SetDIBitsToDevice(dc, 0, 0, width, height, 0, 0, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    EndPaint(hwnd, &paint);
    return 0;
}

HWND MakeWindow(const char* className, WNDPROC proc, HCURSOR cursor, int x, int y, int w, int h)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = cursor;
    wc.lpszClassName = className;
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(WS_EX_TOPMOST, className, "", WS_POPUP | WS_VISIBLE, x, y, w, h, nullptr, nullptr,
                                  wc.hInstance, nullptr);
    UpdateWindow(window);
    return window;
}

void MoveMouse(int x, int y)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

// The remote-control target: prints what reaches it.
LRESULT CALLBACK ClickProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN: {
        POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ClientToScreen(hwnd, &p);
        Print("click " + std::to_string(p.x) + " " + std::to_string(p.y));
        return 0;
    }
    case WM_KEYDOWN:
    case WM_KEYUP:
        Print(std::string(message == WM_KEYDOWN ? "key down " : "key up ") + std::to_string(wParam));
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

// A text's bytes in hexadecimal.
std::string Hex(const std::string& text)
{
    std::string hex;
    char byte[4];
    for (const char c : text) {
        std::snprintf(byte, sizeof byte, "%02X", static_cast<unsigned char>(c));
        hex += byte;
    }
    return hex;
}

// The visible top-level window titled `title`, else any so titled: a
// program may keep hidden windows of the same title beside the one shown.
HWND FindShownWindow(const std::string& title)
{
    struct Find {
        const std::string& title;
        HWND found = nullptr;
    } find{title};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* f = reinterpret_cast<Find*>(param);
            char text[256] = {};
            GetWindowTextA(window, text, sizeof text);
            if (IsWindowVisible(window) && f->title == text)
                f->found = window;
            return f->found == nullptr;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.found != nullptr ? find.found : FindWindowA(nullptr, title.c_str());
}

BOOL CALLBACK PrintChildText(HWND child, LPARAM)
{
    // WM_GETTEXT rather than GetWindowText: for another process's edit the
    // latter gives its caption, never what it holds.
    constexpr UINT kAnswerMs = 2000;
    char text[1024] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(child, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                             kAnswerMs, &copied))
        return TRUE;
    const int length = static_cast<int>(copied);
    if (length <= 0)
        return TRUE;
    Print("text " + Hex(std::string(text, static_cast<size_t>(length))));
    return TRUE;
}

void Execute(const std::string& line)
{
    const std::vector<std::string> words = Split(line, ' ');
    if (words.empty() || words[0].empty() || words[0][0] == '#')
        return;
    const std::string& command = words[0];
    const DWORD start = GetTickCount();
    const auto argument = [&](size_t i) {
        return i < words.size() ? static_cast<int>(std::strtol(words[i].c_str(), nullptr, 0)) : 0;
    };

    if (command == "open") {
        if (auto open = Export<DoOpenMirageProc>("DoOpenMirage"))
            PrintResult("DoOpenMirage(" + std::to_string(argument(1)) + ")", open(argument(1)), start);
    } else if (command == "close" || command == "stop") {
        const char* name = command == "close" ? "DoCloseMirage" : "DoStop";
        if (auto call = Export<DoVoidProc>(name))
            PrintResult(name, call(), start);
    } else if (command == "exec") {
        auto options = ParseOptions(words, 4);
        if (auto exec = Export<DoExecScreenProc>("DoExecScreen"))
            PrintResult("DoExecScreen", exec(options.get(), argument(1), argument(2), argument(3)), start);
    } else if (command == "reset") {
        MirageResetOptions reset = {static_cast<uint8_t>(argument(1)), static_cast<uint8_t>(argument(2)),
                                    static_cast<uint8_t>(argument(3)), static_cast<uint8_t>(argument(4)),
                                    static_cast<uint8_t>(argument(5))};
        if (auto call = Export<DoReSetOptionProc>("DoReSetOption")) {
            call(&reset);
            Print("DoReSetOption [" + std::to_string(GetTickCount() - start) + " ms]");
        }
    } else if (command == "wait" || command == "sleep") {
        g_waiting.active = true;
        g_waiting.forNotice = command == "wait";
        g_waiting.start = start;
        g_waiting.code = static_cast<unsigned>(argument(1));
        if (g_waiting.forNotice && TakeNotice(g_waiting.code)) {
            EndWait("ok");
            return;
        }
        SetTimer(g_window, kTimer, static_cast<UINT>(argument(g_waiting.forNotice ? 2 : 1)), nullptr);
    } else if (command == "still") {
        KillTimer(FindWindowA("MiragePattern", nullptr), kAnimateTimer);
        Print(command);
    } else if (command == "pattern" || command == "animate") {
        HWND pattern = MakeWindow("MiragePattern", PatternProc, nullptr, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                  GetSystemMetrics(SM_CYSCREEN));
        if (command == "animate")
            SetTimer(pattern, kAnimateTimer, kAnimateMs, nullptr);
        Print(command);
    } else if (command == "cursor") {
        SetCursorPos(argument(1), argument(2));
        Print("cursor " + std::to_string(argument(1)) + " " + std::to_string(argument(2)));
    } else if (command == "move") {
        MoveMouse(argument(1), argument(2));
        Print("move " + std::to_string(argument(1)) + " " + std::to_string(argument(2)));
    } else if (command == "shapewindow") {
        const kq::test::CursorPlanes planes = kq::test::TestCursorPlanes();
        HCURSOR cursor = CreateCursor(GetModuleHandleA(nullptr), kq::test::kTestHotSpotX, kq::test::kTestHotSpotY,
                                      kq::test::kTestCursorSide, kq::test::kTestCursorSide, planes.andPlane,
                                      planes.xorPlane);
        MakeWindow("MirageShape", DefWindowProcA, cursor, argument(1), argument(2), argument(3), argument(4));
        Print("shapewindow");
    } else if (command == "texts") {
        // The rest of the line names the window: a title may hold spaces.
        const size_t name = line.find(' ');
        HWND target = FindShownWindow(name != std::string::npos ? line.substr(name + 1) : "");
        if (target != nullptr)
            EnumChildWindows(target, PrintChildText, 0);
        Print(target != nullptr ? "texts done" : "error: no window");
    } else if (command == "trackpointer") {
        SetTimer(g_window, kPointerTimer, kPointerPeriodMs, nullptr);
        Print("trackpointer");
    } else if (command == "blockshape") {
        const HANDLE blocker = CreateMutexA(nullptr, FALSE, "CursorShape"); // kept until the host ends
        Print(blocker != nullptr ? "blockshape" : "error: blockshape");
    } else if (command == "post" || command == "postxy") {
        HWND target = FindWindowA(nullptr, words.size() > 1 ? words[1].c_str() : "");
        // An lParam may use all 32 bits (a key release sets bit 31).
        const LPARAM lParam = command == "postxy" ? MAKELPARAM(argument(4), argument(5))
                              : words.size() > 4 ? static_cast<LPARAM>(std::strtoul(words[4].c_str(), nullptr, 0))
                                                 : 0;
        const BOOL posted = target != nullptr && PostMessageA(target, static_cast<UINT>(argument(2)),
                                                              static_cast<WPARAM>(argument(3)), lParam);
        PrintResult(command, posted ? 1 : 0, start);
    } else if (command == "menu") {
        // The system's popup-menu window class.
        HWND menu = FindWindowA("#32768", nullptr);
        Print(menu != nullptr && IsWindowVisible(menu) ? "menu open" : "no menu");
    } else if (command == "bar" || command == "barpress") {
        HWND bar = FindWindowA(nullptr, "DoBar");
        HWND tools = bar != nullptr ? FindWindowExA(bar, nullptr, TOOLBARCLASSNAMEA, nullptr) : nullptr;
        constexpr UINT kFirstButton = 32771;
        if (command == "barpress") {
            const BOOL posted = bar != nullptr && PostMessageA(bar, WM_COMMAND, kFirstButton + argument(1), 0);
            PrintResult(command, posted ? 1 : 0, start);
        } else {
            std::string line = "bar " + std::to_string(bar != nullptr && IsWindowVisible(bar) ? 1 : 0);
            for (UINT b = 0; b < 5; ++b)
                line += " " + std::to_string(tools != nullptr && SendMessageA(tools, TB_ISBUTTONENABLED,
                                                                                kFirstButton + b, 0) != 0 ? 1 : 0);
            Print(line);
        }
    } else if (command == "preset") {
        constexpr int kMessageCombo = 8005;
        HWND dialog = nullptr;
        for (HWND w = FindWindowExA(nullptr, nullptr, "#32770", nullptr); w != nullptr && dialog == nullptr;
             w = FindWindowExA(nullptr, w, "#32770", nullptr)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid == GetCurrentProcessId() && IsWindowVisible(w) && GetDlgItem(w, kMessageCombo) != nullptr)
                dialog = w;
        }
        if (dialog == nullptr) {
            Print("preset none");
        } else {
            HWND combo = GetDlgItem(dialog, kMessageCombo);
            char text[512] = {};
            GetWindowTextA(combo, text, sizeof text);
            std::string items;
            const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
            for (int i = 0; i < count; ++i) {
                char item[128] = {};
                SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
                items += (i > 0 ? "|" : "") + std::string(item);
            }
            Print("preset " + Hex(text) + " " + items);
            if (words.size() > 1) {
                std::string typed;
                for (size_t i = 0; i + 1 < words[1].size(); i += 2)
                    typed += static_cast<char>(std::stoi(words[1].substr(i, 2), nullptr, 16));
                SetWindowTextA(combo, typed.c_str());
                PostMessageA(dialog, WM_COMMAND, IDOK, 0);
            }
        }
    } else if (command == "mixer") {
        using GetVolume = int (*)(int, char*);
        using SetVolume = int (*)(int, int, unsigned, char*);
        HMODULE mixer = LoadLibraryA("KqMixer.dll");
        const auto get = reinterpret_cast<GetVolume>(
            reinterpret_cast<void*>(mixer != nullptr ? GetProcAddress(mixer, "KqMixerGetRecVolume") : nullptr));
        const auto set = reinterpret_cast<SetVolume>(
            reinterpret_cast<void*>(mixer != nullptr ? GetProcAddress(mixer, "KqMixerSetRecVolume") : nullptr));
        if (set != nullptr && words.size() > 1)
            set(1, 0, static_cast<unsigned>(argument(1)), nullptr);
        Print("mixer " + std::to_string(get != nullptr ? get(0, nullptr) : -1));
    } else if (command == "slider") {
        HWND slider = nullptr;
        for (HWND w = FindWindowExA(nullptr, nullptr, "#32770", nullptr); w != nullptr && slider == nullptr;
             w = FindWindowExA(nullptr, w, "#32770", nullptr)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            HWND candidate = GetDlgItem(w, 8002);
            if (pid == GetCurrentProcessId() && IsWindowVisible(w) && candidate != nullptr)
                slider = candidate;
        }
        Print(slider == nullptr ? "slider none"
                                : "slider " + std::to_string(SendMessageA(slider, TBM_GETPOS, 0, 0)) + " " +
                                      std::to_string(IsWindowEnabled(slider) ? 1 : 0));
    } else if (command == "msgbox") {
        const DWORD until = GetTickCount() + static_cast<DWORD>(argument(1));
        HWND box = nullptr;
        while (box == nullptr && GetTickCount() < until) {
            for (HWND w = FindWindowExA(nullptr, nullptr, "#32770", nullptr); w != nullptr;
                 w = FindWindowExA(nullptr, w, "#32770", nullptr)) {
                DWORD pid = 0;
                GetWindowThreadProcessId(w, &pid);
                if (pid == GetCurrentProcessId() && IsWindowVisible(w) && GetDlgItem(w, 0xFFFF) != nullptr) {
                    box = w;
                    break;
                }
            }
            if (box == nullptr)
                Sleep(50);
        }
        char text[256] = {};
        if (box != nullptr) {
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
        Print(box != nullptr ? std::string("msgbox ") + text : "no msgbox");
    } else if (command == "rect") {
        HWND target = FindWindowA(nullptr, words.size() > 1 ? words[1].c_str() : "");
        RECT r = {};
        if (target != nullptr)
            GetWindowRect(target, &r);
        Print("rect " + std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) + " " +
              std::to_string(r.bottom));
    } else if (command == "clickwindow") {
        HWND click = MakeWindow("MirageClick", ClickProc, nullptr, argument(1), argument(2), argument(3), argument(4));
        SetForegroundWindow(click);
        SetFocus(click);
        Print("clickwindow");
    } else if (command == "clock") {
        // FILETIME counts 100 ns steps from 1601; 11,644,473,600 s lie before 1970.
        constexpr unsigned long long kTicksPerMs = 10000;
        constexpr unsigned long long kMsBefore1970 = 11644473600000ULL;
        FILETIME now;
        GetSystemTimeAsFileTime(&now);
        const unsigned long long ticks = (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
        Print("clock " + std::to_string(ticks / kTicksPerMs - kMsBefore1970));
    } else if (command == "threads") {
        Print("threads = " + std::to_string(CountThreads()));
    } else if (command == "quit") {
        g_quit = true;
    } else {
        for (const char* name : kModeExports) {
            if (command == name) {
                auto options = ParseOptions(words, 1);
                if (auto call = Export<DoModeProc>(name))
                    PrintResult(command, call(options.get()), start);
                return;
            }
        }
        Print("error: unknown command " + command);
    }
}

// Runs queued lines until a wait begins; ends the program after the last one.
void RunQueue()
{
    while (!g_waiting.active && !g_quit && !g_lines.empty()) {
        const std::string line = g_lines.front();
        g_lines.pop_front();
        Execute(line);
    }
    if (g_quit || (g_inputEnded && g_lines.empty() && !g_waiting.active))
        DestroyWindow(g_window);
}

void PrintNotice(const Notice& n)
{
    std::string line = "notice code=" + std::to_string(n.code) + " high=" + std::to_string(n.high);
    if (n.code == MIRAGE_NOTICE_WARN || n.code == MIRAGE_NOTICE_LOCK) {
        const char* text = reinterpret_cast<const char*>(n.lParam);
        line += " text=\"" + std::string(text, strnlen(text, kMirageNoticeTextSize)) + "\"";
    } else {
        line += " lparam=" + std::to_string(static_cast<long long>(n.lParam));
    }
    Print(line);
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_HOST_LINE: {
        std::unique_ptr<std::string> line(reinterpret_cast<std::string*>(lParam));
        if (!line->empty() && line->back() == '\r')
            line->pop_back();
        g_lines.push_back(*line);
        RunQueue();
        return 0;
    }
    case WM_HOST_END:
        g_inputEnded = true;
        RunQueue();
        return 0;
    case WM_MIRAGE_NOTIFY: {
        const Notice n = {LOWORD(wParam), HIWORD(wParam), lParam};
        PrintNotice(n);
        if (g_waiting.active && g_waiting.forNotice && g_waiting.code == n.code)
            EndWait("ok");
        else
            g_notices.push_back(n);
        RunQueue();
        return 0;
    }
    case WM_TIMER:
        if (wParam == kPointerTimer) {
            POINT now = {};
            if (GetCursorPos(&now) && (now.x != g_lastPointer.x || now.y != g_lastPointer.y)) {
                g_lastPointer = now;
                Print("pointer " + std::to_string(now.x) + " " + std::to_string(now.y));
            }
            return 0;
        }
        if (wParam == kTimer && g_waiting.active) {
            EndWait(g_waiting.forNotice ? "timeout" : "ok");
            RunQueue();
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

// Reads the commands on a thread of their own, so that the window's thread
// keeps receiving the engine's notices while it waits for input.
DWORD WINAPI ReadCommands(LPVOID param)
{
    auto* script = static_cast<std::ifstream*>(param);
    std::istream& input = script != nullptr ? static_cast<std::istream&>(*script) : std::cin;
    std::string line;
    while (std::getline(input, line))
        PostMessageA(g_window, WM_HOST_LINE, 0, reinterpret_cast<LPARAM>(new std::string(line)));
    PostMessageA(g_window, WM_HOST_END, 0, 0);
    return 0;
}

std::string OwnFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

} // namespace

int main(int argc, char** argv)
{
    g_engine = LoadLibraryA((OwnFolder() + "Mirage.dll").c_str());
    if (g_engine == nullptr) {
        Print("error: Mirage.dll did not load (" + std::to_string(GetLastError()) + ")");
        return 1;
    }
    WNDCLASSA wc = {};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "MirageHost";
    RegisterClassA(&wc);
    g_window = CreateWindowA(wc.lpszClassName, "MirageHost", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                             nullptr, wc.hInstance, nullptr);
    if (g_window == nullptr) {
        Print("error: no window");
        return 1;
    }

    std::unique_ptr<std::ifstream> script;
    if (argc > 1) {
        script = std::make_unique<std::ifstream>(argv[1]);
        if (!*script) {
            Print(std::string("error: cannot read ") + argv[1]);
            return 1;
        }
    }
    HANDLE reader = CreateThread(nullptr, 0, ReadCommands, script.get(), 0, nullptr);
    Print("host ready");

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    // The reader may still be blocked on input: it ends with the process.
    if (reader != nullptr)
        CloseHandle(reader);
    FreeLibrary(g_engine);
    Print("host exit");
    return 0;
}
