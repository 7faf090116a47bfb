// The message pump of a user-interface thread: the PreTranslateMessage
// chain from the target window up to its top-level window, then the thread
// object, then dialog navigation.

#include "framework/tests/CoreTestSupport.h"

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

constexpr UINT WM_PASS_THROUGH = WM_APP + 1; // nobody consumes it
constexpr UINT WM_TOP_TAKES = WM_APP + 2;    // the top-level window consumes it
constexpr UINT WM_THREAD_TAKES = WM_APP + 3; // the thread object consumes it
constexpr UINT WM_RUN_SCRIPT = WM_APP + 4;   // thread message: post the test's messages

class ChainWnd : public CWnd {
public:
    ChainWnd(Log& log, const char* name, UINT consumes) : m_log(log), m_name(name), m_consumes(consumes) {}
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message >= WM_PASS_THROUGH && pMsg->message <= WM_THREAD_TAKES)
            m_log.push_back(m_name + " pre " + std::to_string(pMsg->message - WM_APP));
        return pMsg->message == m_consumes;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= WM_PASS_THROUGH && message <= WM_THREAD_TAKES)
            m_log.push_back(m_name + " got " + std::to_string(message - WM_APP));
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    Log& m_log;
    std::string m_name;
    UINT m_consumes;
};

class ChainDialog : public CDialog {
public:
    explicit ChainDialog(Log& log) : m_log(log) {}
    void OnOK() override { m_log.push_back("dialog OnOK"); }

private:
    Log& m_log;
};

// A user-interface thread that builds a window chain and a modeless dialog.
class ChainThread : public CWinThread {
    DECLARE_DYNCREATE(ChainThread)
public:
    Log log;

    BOOL InitInstance() override
    {
        m_top.CreateEx(0, AfxRegisterWndClass(0), "top", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr);
        m_middle.Create(nullptr, "middle", 0, CRect(0, 0, 50, 50), &m_top, 1);
        m_leaf.Create(nullptr, "leaf", 0, CRect(0, 0, 20, 20), &m_middle, 2);
        m_dialogTemplate.Add(kqtest::Item::Edit, 100, WS_BORDER | WS_TABSTOP, 5, 5, 60, 12);
        m_dialog.CreateIndirect(m_dialogTemplate.Get(), CWnd::GetDesktopWindow());
        m_pMainWnd = &m_top;
        return m_leaf.m_hWnd != nullptr && m_dialog.m_hWnd != nullptr;
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message >= WM_PASS_THROUGH && pMsg->message <= WM_THREAD_TAKES)
            log.push_back("thread pre " + std::to_string(pMsg->message - WM_APP));
        if (pMsg->message == WM_THREAD_TAKES)
            return TRUE;
        return CWinThread::PreTranslateMessage(pMsg);
    }
    int ExitInstance() override
    {
        m_dialog.DestroyWindow();
        m_top.DestroyWindow();
        return CWinThread::ExitInstance();
    }

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg void OnRunScript(WPARAM, LPARAM)
    {
        for (UINT message : {WM_PASS_THROUGH, WM_TOP_TAKES, WM_THREAD_TAKES})
            m_leaf.PostMessage(message);
        ::PostMessageA(m_dialog.GetDlgItem(100)->m_hWnd, WM_KEYDOWN, VK_RETURN, 1);
        ::PostQuitMessage(0);
    }

private:
    ChainWnd m_top{log, "top", WM_TOP_TAKES};
    ChainWnd m_middle{log, "middle", 0};
    ChainWnd m_leaf{log, "leaf", 0};
    kqtest::DialogTemplate m_dialogTemplate{"chain", kqtest::kDialogStyle, 100, 50};
    ChainDialog m_dialog{log};
};

IMPLEMENT_DYNCREATE(ChainThread, CWinThread)

BEGIN_MESSAGE_MAP(ChainThread, CWinThread)
    ON_THREAD_MESSAGE(WM_RUN_SCRIPT, OnRunScript)
END_MESSAGE_MAP()

TEST(Pump, PreTranslateChainFromTargetToTopLevelThenThreadThenDialog)
{
    auto* thread = static_cast<ChainThread*>(
        AfxBeginThread(RUNTIME_CLASS(ChainThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED));
    ASSERT_NE(nullptr, thread);
    thread->m_bAutoDelete = FALSE;
    thread->ResumeThread();
    ASSERT_TRUE(thread->PostThreadMessage(WM_RUN_SCRIPT, 0, 0));
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(thread->m_hThread, kqtest::kPatienceMs));
    EXPECT_EQ((Log{
                  "leaf pre 1", "middle pre 1", "top pre 1", "thread pre 1", "leaf got 1",
                  "leaf pre 2", "middle pre 2", "top pre 2",
                  "leaf pre 3", "middle pre 3", "top pre 3", "thread pre 3",
                  "dialog OnOK",
              }),
              thread->log);
    delete thread;
}

} // namespace
