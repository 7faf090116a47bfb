#include "widgets/tests/WidgetTestSupport.h"

#include "framework/tests/QueuedInput.h"

#include <gtest/gtest.h>

#include <vector>

// The tests' application object: the main-window owner of dialogs needs one.
CWinApp theWidgetTestApp("WidgetTests");

namespace kqtest {

namespace {

constexpr UINT kModalPollMs = 10;
constexpr int kHostX = 40;
constexpr int kHostY = 30;
constexpr int kHostWidth = 800;
constexpr int kHostHeight = 400;

CWnd* g_host = nullptr;

// The programs load their faces and templates from their resource module
// (the teacher's resource.dll unless the build names another), which the
// build puts beside the test program.
#ifndef KQ_TEST_RESOURCE_MODULE
#define KQ_TEST_RESOURCE_MODULE "resource.dll"
#endif
class ResourceModule : public testing::Environment {
public:
    void SetUp() override
    {
#ifndef KQ_TEST_OWN_RESOURCES // else the test program carries them itself
        m_module = ::LoadLibraryA(KQ_TEST_RESOURCE_MODULE);
        ASSERT_NE(m_module, nullptr) << KQ_TEST_RESOURCE_MODULE " beside the test program";
        AfxSetResourceHandle(m_module);
#endif
    }
    void TearDown() override
    {
        if (g_host != nullptr) {
            g_host->DestroyWindow();
            delete g_host;
            g_host = nullptr;
        }
        AfxSetResourceHandle(AfxGetInstanceHandle());
        if (m_module != nullptr)
            ::FreeLibrary(m_module);
    }

private:
    HMODULE m_module = nullptr;
};

const testing::Environment* const g_resources = testing::AddGlobalTestEnvironment(new ResourceModule);

// The one modal run in progress (runs do not nest).
struct ModalRun {
    std::function<HWND()> find;
    std::function<void(HWND)> script;
    std::function<void(HWND)> stop;
    bool ran = false;
    bool timedOut = false;
    DWORD start = 0;
    DWORD timeoutMs = 0;
} g_run;

void CALLBACK WatchModal(HWND, UINT, UINT_PTR, DWORD)
{
    const HWND box = g_run.find();
    if (box == nullptr || g_run.timedOut)
        return;
    if (!g_run.ran && ::IsWindowVisible(box)) {
        g_run.ran = true;
        if (g_run.script)
            g_run.script(box);
    }
    if (::GetTickCount() - g_run.start > g_run.timeoutMs) {
        g_run.timedOut = true;
        g_run.stop(box);
    }
}

INT_PTR Run(const std::function<INT_PTR()>& show, DWORD timeoutMs)
{
    g_run.start = ::GetTickCount();
    g_run.timeoutMs = timeoutMs;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, kModalPollMs, WatchModal);
    const INT_PTR result = show();
    ::KillTimer(nullptr, timer);
    const bool timedOut = g_run.timedOut;
    g_run = ModalRun{};
    return timedOut ? kTimedOut : result;
}

} // namespace

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    return PumpMessagesUntil(done, timeoutMs);
}

void PumpFor(DWORD ms)
{
    PumpUntil([] { return false; }, ms);
}

CWnd& Host()
{
    if (g_host == nullptr) {
        g_host = new CWnd;
        g_host->CreateEx(0, AfxRegisterWndClass(0, nullptr, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH))),
                         "widget host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, kHostX, kHostY, kHostWidth,
                         kHostHeight, nullptr, nullptr);
    }
    g_host->SetForegroundWindow();
    g_host->SetActiveWindow();
    return *g_host;
}

INT_PTR RunModal(CDialog& dialog, const std::function<void(CDialog&)>& script, DWORD timeoutMs)
{
    g_run.find = [&dialog] { return dialog.m_hWnd; };
    g_run.script = [&dialog, &script](HWND) {
        if (script)
            script(dialog);
    };
    g_run.stop = [&dialog](HWND) { dialog.EndDialog(static_cast<int>(kTimedOut)); };
    return Run([&dialog] { return dialog.DoModal(); }, timeoutMs);
}

INT_PTR RunShown(const char* title, const std::function<INT_PTR()>& show,
                 const std::function<void(CWnd&)>& script, DWORD timeoutMs)
{
    return RunShown([title] { return ::FindWindowA(nullptr, title); }, show, script, timeoutMs);
}

HWND ThreadWindowWith(UINT id)
{
    struct Search {
        UINT id;
        HWND found;
    } search = {id, nullptr};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (::IsWindowVisible(window) && ::GetDlgItem(window, static_cast<int>(s->id)) != nullptr) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

INT_PTR RunShown(const std::function<HWND()>& find, const std::function<INT_PTR()>& show,
                 const std::function<void(CWnd&)>& script, DWORD timeoutMs)
{
    g_run.find = find;
    g_run.script = [&script](HWND box) {
        if (script)
            script(*CWnd::FromHandle(box));
    };
    g_run.stop = [](HWND box) { ::PostMessageA(box, WM_CLOSE, 0, 0); };
    return Run(show, timeoutMs);
}

Canvas::Canvas(int width, int height)
{
    CClientDC screen(nullptr);
    dc.CreateCompatibleDC(&screen);
    m_bitmap.CreateCompatibleBitmap(&screen, width, height);
    m_previous = dc.SelectObject(&m_bitmap);
    dc.FillSolidRect(0, 0, width, height, RGB(255, 255, 255));
}

Canvas::~Canvas()
{
    dc.SelectObject(m_previous);
}

void PrintClient(CWnd& window, Canvas& canvas)
{
    window.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc.m_hDC), PRF_CLIENT);
}

COLORREF BitmapPixel(UINT id, int x, int y)
{
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(id))
        return CLR_INVALID;
    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    CBitmap* previous = memory.SelectObject(&bitmap);
    const COLORREF pixel = memory.GetPixel(x, y);
    memory.SelectObject(previous);
    return pixel;
}

CSize BitmapSize(UINT id)
{
    CBitmap bitmap;
    BITMAP info = {};
    if (!bitmap.LoadBitmap(id) || bitmap.GetBitmap(&info) == 0)
        return CSize(0, 0);
    return CSize(info.bmWidth, info.bmHeight);
}

COLORREF ScreenPixel(CWnd& window, int x, int y)
{
    window.UpdateWindow();
    CClientDC dc(&window);
    return dc.GetPixel(x, y);
}

namespace {

BOOL CALLBACK CollectChild(HWND child, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

} // namespace

void ExpectFitsItsFrame(CWnd& dialog, UINT backgroundId)
{
    dialog.UpdateWindow();
    const DWORD style = dialog.GetStyle();
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME), 0u) << "a system caption or frame";
    CRect window, client;
    dialog.GetWindowRect(&window);
    dialog.GetClientRect(&client);
    EXPECT_EQ(window.Size(), client.Size()) << "a border takes room from the client area";
    EXPECT_EQ(client.Size(), BitmapSize(backgroundId)) << "the client area is not the background's size";
    const CRect screen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    CRect onScreen;
    onScreen.IntersectRect(&window, &screen);
    EXPECT_EQ(onScreen, window) << "the dialog reaches past the screen";

    CRgn region;
    region.CreateRectRgn(0, 0, 0, 0);
    const bool hasRegion = ::GetWindowRgn(dialog.GetSafeHwnd(), region) != ERROR;
    std::vector<HWND> children;
    ::EnumChildWindows(dialog.GetSafeHwnd(), CollectChild, reinterpret_cast<LPARAM>(&children));
    for (HWND child : children) {
        if (::GetParent(child) != dialog.GetSafeHwnd() || !::IsWindowVisible(child))
            continue;
        char className[32] = {};
        ::GetClassNameA(child, className, sizeof className);
        CRect rect;
        ::GetWindowRect(child, &rect);
        CRect inClient = rect;
        dialog.ScreenToClient(&inClient);
        SCOPED_TRACE(testing::Message() << className << " " << ::GetDlgCtrlID(child) << " at " << inClient.left
                                        << "," << inClient.top << "-" << inClient.right << "," << inClient.bottom);
        CRect inside;
        inside.IntersectRect(&inClient, &client);
        EXPECT_EQ(inside, inClient) << "the control reaches outside the client area";
        if (rect.Width() < 3 || rect.Height() < 3)
            continue;
        // One pixel in from each corner: on the screen, inside the window's
        // rounded region, and not under another control.
        const POINT corners[] = {{rect.left + 1, rect.top + 1},
                                 {rect.right - 2, rect.top + 1},
                                 {rect.left + 1, rect.bottom - 2},
                                 {rect.right - 2, rect.bottom - 2}};
        for (const POINT& corner : corners) {
            SCOPED_TRACE(testing::Message() << "corner " << corner.x << "," << corner.y);
            EXPECT_TRUE(screen.PtInRect(corner)) << "off the screen";
            if (hasRegion) {
                EXPECT_TRUE(region.PtInRegion(corner.x - window.left, corner.y - window.top))
                    << "cut by the window's region";
            }
            CPoint inDialog = corner;
            dialog.ScreenToClient(&inDialog);
            EXPECT_EQ(::ChildWindowFromPointEx(dialog.GetSafeHwnd(), inDialog, CWP_SKIPINVISIBLE), child)
                << "under another control";
        }
    }
}

} // namespace kqtest
