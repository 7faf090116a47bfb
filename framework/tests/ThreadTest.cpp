// Threads: workers, suspended start, user-interface threads with their own
// map of thread messages, and thread messages while modal loops run.

#include "framework/tests/CoreTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

constexpr DWORD kStillSuspendedMs = 100;

TEST(WorkerThread, ReturnsItsExitCodeAndWaitsWhileSuspended)
{
    std::atomic<bool> ran{false};
    CWinThread* worker = AfxBeginThread(
        [](LPVOID p) -> UINT {
            static_cast<std::atomic<bool>*>(p)->store(true);
            return 42;
        },
        &ran, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, worker);
    worker->m_bAutoDelete = FALSE;
    ::Sleep(kStillSuspendedMs);
    EXPECT_FALSE(ran.load());
    worker->ResumeThread();
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(worker->m_hThread, kqtest::kPatienceMs));
    EXPECT_TRUE(ran.load());
    DWORD code = 0;
    ASSERT_TRUE(::GetExitCodeThread(worker->m_hThread, &code));
    EXPECT_EQ(42u, code);
    delete worker;
}

// The thread messages the UI thread below knows.
constexpr UINT WM_NOTE = WM_APP + 1;        // log the value
constexpr UINT WM_OPEN_DIALOG = WM_APP + 2; // run a modal dialog
constexpr UINT WM_OPEN_BOX = WM_APP + 3;    // run a system message box
constexpr UINT WM_CLOSE_MODAL = WM_APP + 4; // end whatever is modal now
constexpr UINT WM_FINISH = WM_APP + 5;      // end the thread with the code given
constexpr UINT WM_OPEN_DLL_DIALOG = WM_APP + 6; // run the sample DLL's modal dialog
constexpr UINT WM_OPEN_MENU = WM_APP + 7;       // track a popup menu
constexpr char kBoxCaption[] = "FrameworkTests";
constexpr char kDllDialogCaption[] = "Sample";

typedef void(CALLBACK* SampleDriver)(HWND hDialog);
typedef INT_PTR(WINAPI* RunDialogFn)(SampleDriver, char*, int, int*);
HANDLE g_dllDialogUp = nullptr;
void CALLBACK SignalDllDialogUp(HWND) { ::SetEvent(g_dllDialogUp); }

class WorkThread : public CWinThread {
    DECLARE_DYNCREATE(WorkThread)
public:
    std::mutex lock;
    Log log;
    HANDLE modalUp = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    BOOL initResult = TRUE;

    ~WorkThread() override { ::CloseHandle(modalUp); }
    BOOL InitInstance() override { Note("init"); return initResult; }
    int ExitInstance() override
    {
        Note("exit");
        return CWinThread::ExitInstance();
    }
    void Note(const std::string& text)
    {
        std::lock_guard<std::mutex> guard(lock);
        log.push_back(text);
    }

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg void OnNote(WPARAM wParam, LPARAM) { Note("note " + std::to_string(wParam)); }
    afx_msg void OnOpenDialog(WPARAM, LPARAM)
    {
        static kqtest::DialogTemplate bare("modal", kqtest::kDialogStyle, 80, 40);
        CDialog dialog;
        dialog.InitModalIndirect(bare.Get(), nullptr);
        m_pDialog = &dialog;
        ::SetEvent(modalUp);
        const INT_PTR result = dialog.DoModal();
        m_pDialog = nullptr;
        Note("dialog " + std::to_string(result));
    }
    afx_msg void OnOpenBox(WPARAM, LPARAM)
    {
        m_inBox = true;
        ::SetEvent(modalUp);
        const int result = AfxMessageBox("waiting", MB_OKCANCEL);
        m_inBox = false;
        Note("box " + std::to_string(result));
    }
    // The DLL's copy of the library runs this loop: the thread messages
    // still reach this module's thread object.
    afx_msg void OnOpenDllDialog(WPARAM, LPARAM)
    {
        HMODULE dll = ::LoadLibraryA("kqsample.dll");
        auto run = reinterpret_cast<RunDialogFn>(
            reinterpret_cast<void*>(::GetProcAddress(dll, "SampleRunDialog")));
        if (run == nullptr) {
            Note("no sample dll");
            ::SetEvent(modalUp);
            return;
        }
        g_dllDialogUp = modalUp;
        m_inDllDialog = true;
        const INT_PTR result = run(SignalDllDialogUp, nullptr, 0, nullptr);
        m_inDllDialog = false;
        ::FreeLibrary(dll);
        Note("dll dialog " + std::to_string(result));
    }
    // The system's menu loop: a viewer that shows its context menu must
    // still take the commands that close it.
    afx_msg void OnOpenMenu(WPARAM, LPARAM)
    {
        CWnd owner;
        owner.CreateEx(0, AfxRegisterWndClass(0), "menu owner", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                       nullptr);
        CMenu menu;
        menu.CreatePopupMenu();
        menu.AppendMenu(MF_STRING, 1, "item");
        m_inMenu = true;
        ::SetEvent(modalUp);
        menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RETURNCMD, 5, 5, &owner);
        m_inMenu = false;
        owner.DestroyWindow();
        Note("menu closed");
    }
    afx_msg void OnCloseModal(WPARAM, LPARAM)
    {
        if (m_inMenu) {
            Note("close modal");
            ::EndMenu();
        } else if (m_inDllDialog) {
            Note("close modal");
            ::PostMessageA(kqtest::FindThreadDialog(m_nThreadID, kDllDialogCaption), WM_COMMAND,
                           IDCANCEL, 0);
        } else if (m_pDialog != nullptr) {
            Note("close modal");
            m_pDialog->EndDialog(IDOK);
        } else if (m_inBox) {
            HWND hBox = kqtest::FindThreadDialog(m_nThreadID, kBoxCaption);
            if (hBox == nullptr) {
                // The box is not up yet: ask again.
                PostThreadMessage(WM_CLOSE_MODAL, 0, 0);
                return;
            }
            Note("close modal");
            ::PostMessageA(hBox, WM_COMMAND, IDCANCEL, 0);
        }
    }
    afx_msg void OnFinish(WPARAM wParam, LPARAM) { ::PostQuitMessage(static_cast<int>(wParam)); }

private:
    CDialog* m_pDialog = nullptr;
    bool m_inBox = false;
    bool m_inDllDialog = false;
    bool m_inMenu = false;
};

IMPLEMENT_DYNCREATE(WorkThread, CWinThread)

BEGIN_MESSAGE_MAP(WorkThread, CWinThread)
    ON_THREAD_MESSAGE(WM_NOTE, OnNote)
    ON_THREAD_MESSAGE(WM_OPEN_DIALOG, OnOpenDialog)
    ON_THREAD_MESSAGE(WM_OPEN_BOX, OnOpenBox)
    ON_THREAD_MESSAGE(WM_CLOSE_MODAL, OnCloseModal)
    ON_THREAD_MESSAGE(WM_FINISH, OnFinish)
    ON_THREAD_MESSAGE(WM_OPEN_DLL_DIALOG, OnOpenDllDialog)
    ON_THREAD_MESSAGE(WM_OPEN_MENU, OnOpenMenu)
END_MESSAGE_MAP()

// Starts a WorkThread the test deletes itself.
WorkThread* StartWorkThread(BOOL initResult = TRUE)
{
    auto* thread = static_cast<WorkThread*>(
        AfxBeginThread(RUNTIME_CLASS(WorkThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED));
    if (thread != nullptr) {
        thread->m_bAutoDelete = FALSE;
        thread->initResult = initResult;
        thread->ResumeThread();
    }
    return thread;
}

DWORD FinishAndWait(WorkThread* thread, int code)
{
    thread->PostThreadMessage(WM_FINISH, static_cast<WPARAM>(code), 0);
    if (::WaitForSingleObject(thread->m_hThread, kqtest::kPatienceMs) != WAIT_OBJECT_0)
        return static_cast<DWORD>(-1);
    DWORD exitCode = 0;
    ::GetExitCodeThread(thread->m_hThread, &exitCode);
    return exitCode;
}

TEST(UiThread, ThreadMessagesPostedAtOnceReachItsMapAndQuitGivesTheExitCode)
{
    WorkThread* thread = StartWorkThread();
    ASSERT_NE(nullptr, thread);
    // The queue exists as soon as AfxBeginThread returned.
    EXPECT_TRUE(thread->PostThreadMessage(WM_NOTE, 1, 0));
    EXPECT_TRUE(thread->PostThreadMessage(WM_NOTE, 2, 0));
    EXPECT_EQ(9u, FinishAndWait(thread, 9));
    EXPECT_EQ((Log{"init", "note 1", "note 2", "exit"}), thread->log);
    delete thread;
}

TEST(UiThread, FailedInitInstanceEndsTheThreadThroughExitInstance)
{
    WorkThread* thread = StartWorkThread(FALSE);
    ASSERT_NE(nullptr, thread);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(thread->m_hThread, kqtest::kPatienceMs));
    EXPECT_EQ((Log{"init", "exit"}), thread->log);
    delete thread;
}

TEST(UiThread, ThreadMessagesArriveDuringModalLoopsOfThisModuleADllTheSystemAndMenus)
{
    struct Case {
        UINT open;
        const char* ended;
    } cases[] = {{WM_OPEN_DIALOG, "dialog 1"}, {WM_OPEN_BOX, "box 2"},
                 {WM_OPEN_DLL_DIALOG, "dll dialog 2"}, {WM_OPEN_MENU, "menu closed"}};
    for (const Case& c : cases) {
        WorkThread* thread = StartWorkThread();
        ASSERT_NE(nullptr, thread);
        thread->PostThreadMessage(c.open, 0, 0);
        ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(thread->modalUp, kqtest::kPatienceMs));
        // Let the modal loop start waiting before the messages come.
        ::Sleep(kStillSuspendedMs);
        thread->PostThreadMessage(WM_NOTE, 5, 0);
        thread->PostThreadMessage(WM_CLOSE_MODAL, 0, 0);
        // The thread also ends after the DLL that ran the loop was unloaded.
        EXPECT_EQ(0u, FinishAndWait(thread, 0)) << c.ended;
        EXPECT_EQ((Log{"init", "note 5", "close modal", c.ended, "exit"}), thread->log) << c.ended;
        delete thread;
    }
}

} // namespace
