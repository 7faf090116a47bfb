// Creation hooking and the handle map: objects see their windows' first
// messages (system controls too), temporary wrappers, subclassing, the end
// of a window's life.

#include "framework/tests/CoreTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

// A system "BUTTON" driven by an object: it records its creation messages
// and can refuse to be created.
class RecordingButton : public CWnd {
public:
    Log log;
    bool refuse = false;
    bool* destroyedFlag = nullptr;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override
    {
        log.push_back("PreCreateWindow");
        return CWnd::PreCreateWindow(cs);
    }
    void PostNcDestroy() override
    {
        log.push_back("PostNcDestroy");
        if (destroyedFlag != nullptr)
            *destroyedFlag = true;
    }

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        log.push_back(std::string("WM_CREATE ") + lpcs->lpszClass);
        if (refuse)
            return -1;
        return CWnd::OnCreate(lpcs);
    }
    afx_msg void OnDestroy() { log.push_back("WM_DESTROY"); CWnd::OnDestroy(); }
    afx_msg void OnNcDestroy() { log.push_back("WM_NCDESTROY"); CWnd::OnNcDestroy(); }
};

BEGIN_MESSAGE_MAP(RecordingButton, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

struct TopWindow : CWnd {
    TopWindow()
    {
        CreateEx(0, AfxRegisterWndClass(0), "top", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr);
    }
};

TEST(CreationHook, SubclassedSystemControlSeesItsOwnCreateAndEnd)
{
    TopWindow top;
    RecordingButton button;
    ASSERT_TRUE(button.Create("BUTTON", "press", BS_AUTOCHECKBOX | WS_VISIBLE, CRect(0, 0, 80, 20),
                              &top, 7));
    EXPECT_EQ((Log{"PreCreateWindow", "WM_CREATE BUTTON"}), button.log);
    EXPECT_EQ(&button, CWnd::FromHandlePermanent(button.m_hWnd));
    EXPECT_EQ(&button, top.GetDlgItem(7));
    EXPECT_TRUE((button.GetStyle() & WS_CHILD) != 0);

    // Unhandled messages still reach the button's own procedure.
    button.SendMessage(BM_SETCHECK, BST_CHECKED);
    EXPECT_EQ(BST_CHECKED, button.SendMessage(BM_GETCHECK));

    HWND hWnd = button.m_hWnd;
    button.log.clear();
    EXPECT_TRUE(button.DestroyWindow());
    EXPECT_EQ((Log{"WM_DESTROY", "WM_NCDESTROY", "PostNcDestroy"}), button.log);
    EXPECT_EQ(nullptr, button.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

TEST(CreationHook, CreateReturningMinusOneFailsAndDetaches)
{
    TopWindow top;
    RecordingButton button;
    button.refuse = true;
    bool destroyed = false;
    button.destroyedFlag = &destroyed;
    EXPECT_FALSE(button.Create("BUTTON", "no", 0, CRect(0, 0, 10, 10), &top, 8));
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(nullptr, button.m_hWnd);
    EXPECT_EQ(nullptr, top.GetDlgItem(8));
}

TEST(HandleMap, TemporaryWrappersForForeignWindowsUntilIdle)
{
    HWND hForeign = ::CreateWindowExA(0, "STATIC", "foreign", WS_POPUP, 0, 0, 10, 10, nullptr,
                                      nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hForeign);
    CWnd* first = CWnd::FromHandle(hForeign);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(hForeign, first->m_hWnd);
    EXPECT_EQ(first, CWnd::FromHandle(hForeign));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hForeign));
    EXPECT_EQ(nullptr, CWnd::FromHandle(nullptr));
    CWnd::DeleteTempMap();
    // The wrapper never owned the window.
    EXPECT_TRUE(::IsWindow(hForeign));
    ::DestroyWindow(hForeign);

    CWnd* none = nullptr;
    EXPECT_EQ(nullptr, none->GetSafeHwnd());
}

TEST(HandleMap, SubclassAndUnsubclassAnExistingWindow)
{
    HWND hEdit = ::CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                                   nullptr, nullptr);
    ASSERT_NE(nullptr, hEdit);
    const LONG_PTR original = ::GetWindowLongPtrA(hEdit, GWLP_WNDPROC);
    {
        CWnd wrapper;
        ASSERT_TRUE(wrapper.SubclassWindow(hEdit));
        EXPECT_EQ(&wrapper, CWnd::FromHandle(hEdit));
        wrapper.SetWindowText("abc");
        CString text;
        wrapper.GetWindowText(text);
        EXPECT_STREQ("abc", text);
        EXPECT_EQ(hEdit, wrapper.UnsubclassWindow());
        EXPECT_EQ(original, ::GetWindowLongPtrA(hEdit, GWLP_WNDPROC));
    }
    EXPECT_TRUE(::IsWindow(hEdit)); // a detached object leaves the window alone
    ::DestroyWindow(hEdit);
}

TEST(HandleMap, PermanentObjectsAreFoundFromOtherThreads)
{
    TopWindow top;
    std::atomic<CWnd*> seen{nullptr};
    HWND hWnd = top.m_hWnd;
    CWinThread* worker = AfxBeginThread(
        [](LPVOID p) -> UINT {
            std::unique_ptr<std::pair<HWND, std::atomic<CWnd*>*>> args(
                static_cast<std::pair<HWND, std::atomic<CWnd*>*>*>(p));
            args->second->store(CWnd::FromHandle(args->first));
            return 0;
        },
        new std::pair<HWND, std::atomic<CWnd*>*>(hWnd, &seen), THREAD_PRIORITY_NORMAL, 0,
        CREATE_SUSPENDED);
    ASSERT_NE(nullptr, worker);
    worker->m_bAutoDelete = FALSE;
    worker->ResumeThread();
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(worker->m_hThread, kqtest::kPatienceMs));
    EXPECT_EQ(&top, seen.load());
    delete worker;
}

} // namespace
