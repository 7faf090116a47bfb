#include <windows.h>

#include "common/CursorShape.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <cstdio>
#include <fstream>
#include <functional>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr UINT kRunOnThread = WM_APP + 1;
constexpr DWORD kWaitMs = 3000;
constexpr DWORD kQuietMs = 500; // how long "nothing more arrives" is watched
constexpr int kCanvasSide = 300;

template <typename Function>
Function Export(HMODULE module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

std::string ReadTrace(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

struct Posted {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// A thread like the engine's cursor and viewer threads: it owns the window
// the hooks report to, installs them and pumps messages.
class HookThread {
public:
    HookThread() : m_thread([this] { Loop(); })
    {
        std::unique_lock<std::mutex> hold(m_lock);
        m_changed.wait(hold, [this] { return m_window != nullptr; });
    }

    ~HookThread()
    {
        PostThreadMessageA(m_threadId, WM_QUIT, 0, 0);
        m_thread.join();
    }

    HWND Window() const { return m_window; }

    void Run(const std::function<void()>& work)
    {
        bool done = false;
        std::function<void()> job = [&] {
            work();
            std::lock_guard<std::mutex> hold(m_lock);
            done = true;
            m_changed.notify_all();
        };
        PostThreadMessageA(m_threadId, kRunOnThread, 0, reinterpret_cast<LPARAM>(&job));
        std::unique_lock<std::mutex> hold(m_lock);
        m_changed.wait(hold, [&] { return done; });
    }

    std::vector<Posted> Received()
    {
        std::lock_guard<std::mutex> hold(m_lock);
        return m_received;
    }

    void Forget()
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_received.clear();
    }

    // Pumps the calling thread's windows until `done` holds or time runs out.
    bool WaitFor(const std::function<bool(const std::vector<Posted>&)>& done,
        DWORD timeoutMs = kWaitMs)
    {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < timeoutMs) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
            if (done(Received()))
                return true;
            Sleep(10);
        }
        return false;
    }

private:
    void Loop()
    {
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE); // make the queue first
        m_threadId = GetCurrentThreadId();
        HWND window = CreateWindowExA(0, "STATIC", "DoSendMouseWnd", WS_POPUP, 0, 0, 1, 1,
            nullptr, nullptr, nullptr, nullptr);
        {
            std::lock_guard<std::mutex> hold(m_lock);
            m_window = window;
            m_changed.notify_all();
        }
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            if (msg.message == kRunOnThread) {
                (*reinterpret_cast<std::function<void()>*>(msg.lParam))();
            } else if (msg.hwnd == window
                && (msg.message == kq::kWmCursorShapeChanged || msg.message == kq::kWmHookKey)) {
                std::lock_guard<std::mutex> hold(m_lock);
                m_received.push_back({msg.message, msg.wParam, msg.lParam});
            } else {
                DispatchMessageA(&msg);
            }
        }
        DestroyWindow(window);
    }

    std::mutex m_lock;
    std::condition_variable m_changed;
    HWND m_window = nullptr;
    DWORD m_threadId = 0;
    std::vector<Posted> m_received;
    std::thread m_thread;
};

// Windows whose cursor is the one stored in their user data (none: hidden).
LRESULT CALLBACK CanvasProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETCURSOR) {
        SetCursor(reinterpret_cast<HCURSOR>(GetWindowLongPtrA(window, GWLP_USERDATA)));
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeCanvas(int left, HCURSOR cursor)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &CanvasProc;
    windowClass.lpszClassName = "SnarewellTestCanvas";
    RegisterClassA(&windowClass);
    HWND canvas = CreateWindowExA(0, "SnarewellTestCanvas", "", WS_POPUP | WS_VISIBLE, left, 0,
        kCanvasSide, kCanvasSide, nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(canvas, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cursor));
    return canvas;
}

void MoveMouseTo(int x, int y)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

void PressKey(WORD key, WORD scan, bool release)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = scan;
    input.ki.dwFlags = release ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

uint32_t HotSpotX(HCURSOR cursor)
{
    ICONINFO icon = {};
    GetIconInfo(cursor, &icon);
    BITMAP mask = {};
    GetObjectA(icon.hbmMask, sizeof mask, &mask);
    DeleteObject(icon.hbmMask);
    if (icon.hbmColor)
        DeleteObject(icon.hbmColor);
    return icon.xHotspot * kq::kCursorSide / static_cast<uint32_t>(mask.bmWidth);
}

bool Holds(const std::vector<Posted>& posted, UINT message, WPARAM wParam)
{
    for (const Posted& p : posted)
        if (p.message == message && p.wParam == wParam)
            return true;
    return false;
}

class SnarewellTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_library = LoadLibraryA("Snarewell.dll");
        s_cross = LoadCursor(nullptr, IDC_CROSS);
        s_arrow = LoadCursor(nullptr, IDC_ARROW);
        s_canvases[0] = MakeCanvas(0, s_cross);
        s_canvases[1] = MakeCanvas(kCanvasSide, s_arrow);
        s_canvases[2] = MakeCanvas(2 * kCanvasSide, nullptr);
        SetForegroundWindow(s_canvases[0]);
    }

    static void TearDownTestSuite()
    {
        for (HWND canvas : s_canvases)
            DestroyWindow(canvas);
    }

    void SetUp() override
    {
        ASSERT_NE(s_library, nullptr);
        m_trace = ::testing::TempDir() + "snarewell-trace.txt";
        std::remove(m_trace.c_str());
        _putenv_s("KQ_TRACE", m_trace.c_str());
    }

    void TearDown() override
    {
        _putenv_s("KQ_TRACE", "");
        std::remove(m_trace.c_str());
    }

    static HMODULE s_library;
    static HCURSOR s_cross, s_arrow;
    static HWND s_canvases[3];
    std::string m_trace;
    HookThread m_thread;
};

HMODULE SnarewellTest::s_library = nullptr;
HCURSOR SnarewellTest::s_cross = nullptr;
HCURSOR SnarewellTest::s_arrow = nullptr;
HWND SnarewellTest::s_canvases[3] = {};

TEST_F(SnarewellTest, MouseShapeHookFillsTheSharedShapeAndTellsTheWindow)
{
    // The engine makes the shared memory before it installs the hook.
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
        sizeof(kq::CursorShape), kq::kCursorShapeMapping);
    ASSERT_NE(mapping, nullptr);
    auto* shape = static_cast<const kq::CursorShape*>(
        MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, sizeof(kq::CursorShape)));
    ASSERT_NE(shape, nullptr);
    auto install = Export<BOOL (*)(HWND)>(s_library, "DoInstallMouseShapeHook");
    auto uninstall = Export<BOOL (*)()>(s_library, "DoUninstallMouseShapeHook");
    ASSERT_TRUE(install && uninstall);

    MoveMouseTo(kCanvasSide / 2, kCanvasSide / 2); // over the cross
    m_thread.WaitFor([](const auto&) { return false; }, kQuietMs); // let the canvas set it
    m_thread.Run([&] { install(m_thread.Window()); });
    ASSERT_TRUE(m_thread.WaitFor([](const auto& posted) {
        return Holds(posted, kq::kWmCursorShapeChanged, 1);
    })) << "no shape at installation";
    EXPECT_EQ(shape->hotSpotX, HotSpotX(s_cross));

    // Over the arrow: a new shape; over the window without a cursor: none.
    m_thread.Forget();
    MoveMouseTo(kCanvasSide + 20, 20);
    ASSERT_TRUE(m_thread.WaitFor([](const auto& posted) {
        return Holds(posted, kq::kWmCursorShapeChanged, 1);
    })) << "no shape for the arrow";
    EXPECT_EQ(shape->hotSpotX, HotSpotX(s_arrow));
    EXPECT_NE(HotSpotX(s_arrow), HotSpotX(s_cross));

    m_thread.Forget();
    MoveMouseTo(2 * kCanvasSide + 20, 20);
    EXPECT_TRUE(m_thread.WaitFor([](const auto& posted) {
        return Holds(posted, kq::kWmCursorShapeChanged, 0);
    })) << "no notice of the hidden cursor";

    // Removed: moving on tells nobody.
    m_thread.Run([&] { uninstall(); });
    m_thread.Forget();
    MoveMouseTo(kCanvasSide / 2, kCanvasSide / 2);
    EXPECT_FALSE(m_thread.WaitFor([](const auto& posted) { return !posted.empty(); }, kQuietMs));

    UnmapViewOfFile(shape);
    CloseHandle(mapping);
}

TEST_F(SnarewellTest, KeyHookReportsEveryKeyWithItsFlags)
{
    auto install = Export<BOOL (*)(HWND)>(s_library, "DoInstallKeyBDHook");
    auto uninstall = Export<BOOL (*)()>(s_library, "DoUninstallKeyBDHook");
    ASSERT_TRUE(install && uninstall);
    constexpr WORD kF7Scan = 0x41;

    m_thread.Run([&] { install(m_thread.Window()); });
    PressKey(VK_F7, kF7Scan, false);
    PressKey(VK_F7, kF7Scan, true);
    ASSERT_TRUE(m_thread.WaitFor([](const auto& posted) { return posted.size() >= 2; }));
    const std::vector<Posted> keys = m_thread.Received();
    ASSERT_EQ(keys.size(), 2u);
    for (const Posted& key : keys) {
        EXPECT_EQ(key.message, kq::kWmHookKey);
        EXPECT_EQ(key.wParam, static_cast<WPARAM>(VK_F7));
        EXPECT_EQ((key.lParam >> 16) & 0xFF, kF7Scan);
    }
    EXPECT_EQ(static_cast<uint32_t>(keys[0].lParam) >> 31, 0u);
    EXPECT_EQ(static_cast<uint32_t>(keys[1].lParam) >> 31, 1u); // released

    m_thread.Run([&] { uninstall(); });
    m_thread.Forget();
    PressKey(VK_F7, kF7Scan, false);
    PressKey(VK_F7, kF7Scan, true);
    EXPECT_FALSE(m_thread.WaitFor([](const auto& posted) { return !posted.empty(); }, kQuietMs));
}

// A hook installed before the start-key hook sees only what that one lets by.
std::mutex g_seenLock;
std::vector<DWORD> g_seen;
LRESULT CALLBACK WatchKeys(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && wParam == WM_KEYDOWN) {
        std::lock_guard<std::mutex> hold(g_seenLock);
        g_seen.push_back(reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam)->vkCode);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::vector<DWORD> Seen()
{
    std::lock_guard<std::mutex> hold(g_seenLock);
    return g_seen;
}

TEST_F(SnarewellTest, StartKeyHookSwallowsTheWindowsKeysOnly)
{
    auto install = Export<BOOL (*)()>(s_library, "DoInstallStartKeyHook");
    auto uninstall = Export<BOOL (*)()>(s_library, "DoUninstallStartKeyHook");
    ASSERT_TRUE(install && uninstall);
    HHOOK watcher = nullptr;
    m_thread.Run([&] { watcher = SetWindowsHookExA(WH_KEYBOARD_LL, &WatchKeys, nullptr, 0); });
    m_thread.Run([&] { install(); });

    for (WORD key : {WORD(VK_LWIN), WORD(VK_F7), WORD(VK_RWIN)}) {
        PressKey(key, 0, false);
        PressKey(key, 0, true);
    }
    m_thread.WaitFor([](const auto&) { return Seen().size() >= 3; }, kQuietMs);
    EXPECT_EQ(Seen(), std::vector<DWORD>{VK_F7});

    m_thread.Run([&] { uninstall(); });
    PressKey(VK_LWIN, 0, false);
    PressKey(VK_LWIN, 0, true);
    m_thread.WaitFor([](const auto&) { return Seen().size() >= 2; });
    EXPECT_EQ(Seen(), (std::vector<DWORD>{VK_F7, VK_LWIN}));
    m_thread.Run([&] { UnhookWindowsHookEx(watcher); });
}

TEST_F(SnarewellTest, TracesEveryCall)
{
    HWND window = m_thread.Window();
    m_thread.Run([&] {
        Export<BOOL (*)(HWND)>(s_library, "DoInstallKeyBDHook")(window);
        Export<BOOL (*)()>(s_library, "DoUninstallKeyBDHook")();
        Export<BOOL (*)()>(s_library, "DoInstallStartKeyHook")();
        Export<BOOL (*)()>(s_library, "DoUninstallStartKeyHook")();
    });
    char expected[256];
    std::snprintf(expected, sizeof expected,
        "Snarewell DoInstallKeyBDHook window=%08x\n"
        "Snarewell DoUninstallKeyBDHook\n"
        "Snarewell DoInstallStartKeyHook\n"
        "Snarewell DoUninstallStartKeyHook\n",
        static_cast<unsigned>(reinterpret_cast<uintptr_t>(window)));
    EXPECT_EQ(ReadTrace(m_trace), expected);
}

} // namespace
