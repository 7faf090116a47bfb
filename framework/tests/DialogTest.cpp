// Modal and modeless dialogs: how a modal loop ends, what keeps flowing
// while it runs, its owner, and dialog data exchange.

#include "framework/tests/CoreTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using kqtest::DialogTemplate;
using kqtest::Item;
using Log = std::vector<std::string>;

constexpr UINT WM_END_WITH = WM_APP + 10;
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerMs = 10;
constexpr int kTicksBeforeEnd = 3;

// A template without any button.
const DialogTemplate& BareTemplate()
{
    static DialogTemplate dialog("bare", kqtest::kDialogStyle, 120, 60);
    return dialog;
}

// A dialog whose OnInitDialog runs a script (posting what drives it).
class ScriptedDialog : public CDialog {
public:
    explicit ScriptedDialog(const DialogTemplate& dialog = BareTemplate(), CWnd* pParent = nullptr)
    {
        InitModalIndirect(dialog.Get(), pParent);
    }

    std::function<void(ScriptedDialog&)> script;
    BOOL initResult = TRUE;
    Log log;
    int ticks = 0;

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        if (script)
            script(*this);
        return initResult;
    }
    void OnOK() override { log.push_back("OnOK"); CDialog::OnOK(); }
    void OnCancel() override { log.push_back("OnCancel"); CDialog::OnCancel(); }

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg LRESULT OnEndWith(WPARAM wParam, LPARAM)
    {
        EndDialog(static_cast<int>(wParam));
        return 0;
    }
    afx_msg void OnTimer(UINT_PTR)
    {
        if (++ticks == kTicksBeforeEnd) {
            KillTimer(kTimerId);
            EndDialog(ticks);
        }
    }
};

BEGIN_MESSAGE_MAP(ScriptedDialog, CDialog)
    ON_MESSAGE(WM_END_WITH, OnEndWith)
    ON_WM_TIMER()
END_MESSAGE_MAP()

void PostKey(HWND hWnd, UINT vk)
{
    ::PostMessageA(hWnd, WM_KEYDOWN, vk, 1);
}

TEST(ModalDialog, EndingsAndTheirResults)
{
    struct Case {
        const char* name;
        std::function<void(ScriptedDialog&)> script;
        INT_PTR result;
        Log log;
    } cases[] = {
        {"Enter without an OK button", [](ScriptedDialog& d) { PostKey(d.m_hWnd, VK_RETURN); }, IDOK, {"OnOK"}},
        {"Esc without a Cancel button", [](ScriptedDialog& d) { PostKey(d.m_hWnd, VK_ESCAPE); }, IDCANCEL, {"OnCancel"}},
        {"WM_CLOSE", [](ScriptedDialog& d) { d.PostMessage(WM_CLOSE); }, IDCANCEL, {"OnCancel"}},
        {"EndDialog with any value", [](ScriptedDialog& d) { d.PostMessage(WM_END_WITH, 4242); }, 4242, {}},
        {"EndDialog with a negative value", [](ScriptedDialog& d) { d.PostMessage(WM_END_WITH, static_cast<WPARAM>(-7)); }, -7, {}},
        {"EndDialog inside OnInitDialog", [](ScriptedDialog& d) { d.EndDialog(3); }, 3, {}},
    };
    for (const Case& c : cases) {
        ScriptedDialog dialog;
        dialog.script = c.script;
        EXPECT_EQ(c.result, dialog.DoModal()) << c.name;
        EXPECT_EQ(c.log, dialog.log) << c.name;
        EXPECT_EQ(nullptr, dialog.m_hWnd) << c.name;
    }
}

TEST(ModalDialog, InitDialogReturningFalseKeepsTheDialog)
{
    ScriptedDialog dialog;
    dialog.initResult = FALSE;
    dialog.script = [](ScriptedDialog& d) { d.PostMessage(WM_END_WITH, 9); };
    EXPECT_EQ(9, dialog.DoModal());
}

TEST(ModalDialog, TimersKeepFiring)
{
    ScriptedDialog dialog;
    dialog.script = [](ScriptedDialog& d) { d.SetTimer(kTimerId, kTimerMs); };
    EXPECT_EQ(kTicksBeforeEnd, dialog.DoModal());
}

// A window that ends the dialog it is given when a posted message arrives.
class Poster : public CWnd {
public:
    ScriptedDialog* target = nullptr;
    bool received = false;

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg LRESULT OnPosted(WPARAM wParam, LPARAM)
    {
        received = true;
        target->EndDialog(static_cast<int>(wParam));
        return 0;
    }
};

BEGIN_MESSAGE_MAP(Poster, CWnd)
    ON_MESSAGE(WM_APP + 20, OnPosted)
END_MESSAGE_MAP()

TEST(ModalDialog, MessagesPostedToOtherWindowsKeepArriving)
{
    Poster poster;
    ASSERT_TRUE(poster.CreateEx(0, AfxRegisterWndClass(0), "poster", WS_POPUP, 0, 0, 10, 10,
                                nullptr, nullptr));
    ScriptedDialog dialog;
    poster.target = &dialog;
    dialog.script = [&poster](ScriptedDialog&) { poster.PostMessage(WM_APP + 20, 55); };
    EXPECT_EQ(55, dialog.DoModal());
    EXPECT_TRUE(poster.received);
}

TEST(ModalDialog, QuitEndsTheLoopAndIsPostedAgain)
{
    ScriptedDialog dialog;
    dialog.script = [](ScriptedDialog&) { ::PostQuitMessage(5); };
    EXPECT_EQ(-1, dialog.DoModal());
    int code = 0;
    EXPECT_TRUE(kqtest::TakeQuit(&code));
    EXPECT_EQ(5, code);
}

// A visible top-level window as the application's main window while the
// object lives.
struct MainWindow {
    MainWindow()
    {
        created = window.CreateEx(0, AfxRegisterWndClass(0), "main", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200,
                                  nullptr, nullptr) != FALSE;
        AfxGetApp()->m_pMainWnd = &window;
    }
    ~MainWindow()
    {
        AfxGetApp()->m_pMainWnd = nullptr;
        window.DestroyWindow();
    }
    CWnd window;
    bool created = false;
};

TEST(ModalDialog, MainWindowOwnsItAndIsDisabledMeanwhile)
{
    MainWindow app;
    ASSERT_TRUE(app.created);
    CWnd& mainWnd = app.window;
    mainWnd.SetActiveWindow();
    HWND owner = nullptr;
    BOOL enabledMeanwhile = TRUE;
    ScriptedDialog dialog;
    dialog.script = [&](ScriptedDialog& d) {
        owner = ::GetWindow(d.m_hWnd, GW_OWNER);
        enabledMeanwhile = mainWnd.IsWindowEnabled();
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(mainWnd.m_hWnd, owner);
    EXPECT_FALSE(enabledMeanwhile);
    EXPECT_TRUE(mainWnd.IsWindowEnabled());
    EXPECT_EQ(mainWnd.m_hWnd, ::GetActiveWindow());

    // A given parent's top-level window is the owner; the desktop means none.
    CWnd child;
    ASSERT_TRUE(child.Create(nullptr, "child", WS_VISIBLE, CRect(0, 0, 20, 20), &mainWnd, 1));
    ScriptedDialog ofChild(BareTemplate(), &child);
    ofChild.script = [&](ScriptedDialog& d) { owner = ::GetWindow(d.m_hWnd, GW_OWNER); d.EndDialog(1); };
    ofChild.DoModal();
    EXPECT_EQ(mainWnd.m_hWnd, owner);
    ScriptedDialog unowned(BareTemplate(), CWnd::GetDesktopWindow());
    unowned.script = [&](ScriptedDialog& d) { owner = ::GetWindow(d.m_hWnd, GW_OWNER); d.EndDialog(1); };
    unowned.DoModal();
    EXPECT_EQ(nullptr, owner);

    child.DestroyWindow();
}

// A dialog that runs `later` once its modal loop runs.
class NestingDialog : public ScriptedDialog {
public:
    static constexpr UINT WM_RUN_LATER = WM_APP + 11;
    NestingDialog()
    {
        script = [](ScriptedDialog& d) { d.PostMessage(WM_RUN_LATER); };
    }
    std::function<void(NestingDialog&)> later;

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg LRESULT OnRunLater(WPARAM, LPARAM)
    {
        later(*this);
        return 0;
    }
};

BEGIN_MESSAGE_MAP(NestingDialog, ScriptedDialog)
    ON_MESSAGE(NestingDialog::WM_RUN_LATER, OnRunLater)
END_MESSAGE_MAP()

TEST(ModalDialog, ABoxOpenedByAModalDialogBelongsToThatDialog)
{
    MainWindow app;
    ASSERT_TRUE(app.created);
    CWnd& mainWnd = app.window;
    mainWnd.SetActiveWindow();
    HWND outerWindow = nullptr;
    HWND innerOwner = nullptr;
    BOOL outerEnabledMeanwhile = TRUE;
    HWND activeAfter = nullptr;
    BOOL mainEnabledAfter = TRUE;
    NestingDialog outer;
    outer.later = [&](NestingDialog& d) {
        outerWindow = d.m_hWnd;
        ScriptedDialog inner;
        inner.script = [&](ScriptedDialog& box) {
            innerOwner = ::GetWindow(box.m_hWnd, GW_OWNER);
            outerEnabledMeanwhile = d.IsWindowEnabled();
            box.PostMessage(WM_END_WITH, IDOK); // ends once shown and active
        };
        inner.DoModal();
        activeAfter = ::GetActiveWindow();
        mainEnabledAfter = mainWnd.IsWindowEnabled();
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, outer.DoModal());
    EXPECT_EQ(outerWindow, innerOwner);
    EXPECT_FALSE(outerEnabledMeanwhile);
    EXPECT_EQ(outerWindow, activeAfter) << "the activation goes back to the dialog, not the main window";
    EXPECT_FALSE(mainEnabledAfter) << "the main window waits for the dialog still open";
    EXPECT_TRUE(mainWnd.IsWindowEnabled());
}

TEST(ModalDialog, RunsOnAWorkerThreadWhileTheMainWindowsThreadWaits)
{
    MainWindow app;
    ASSERT_TRUE(app.created);
    CWnd& mainWnd = app.window;
    struct Shared {
        INT_PTR result = 0;
        HWND owner = reinterpret_cast<HWND>(1);
    } shared;
    CWinThread* worker = AfxBeginThread(
        [](LPVOID p) -> UINT {
            auto* s = static_cast<Shared*>(p);
            ScriptedDialog dialog;
            dialog.script = [s](ScriptedDialog& d) {
                s->owner = ::GetWindow(d.m_hWnd, GW_OWNER);
                d.PostMessage(WM_END_WITH, 77);
            };
            s->result = dialog.DoModal();
            return 0;
        },
        &shared, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, worker);
    worker->m_bAutoDelete = FALSE;
    worker->ResumeThread();
    // This thread does not pump: the worker's dialog must not need it.
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(worker->m_hThread, kqtest::kPatienceMs));
    delete worker;
    EXPECT_EQ(77, shared.result);
    EXPECT_EQ(nullptr, shared.owner);
    EXPECT_TRUE(mainWnd.IsWindowEnabled());
}

// A window that runs a modal dialog while it is being created.
class DialogInCreate : public CWnd {
public:
    INT_PTR result = 0;

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        if (CWnd::OnCreate(lpcs) == -1)
            return -1;
        ScriptedDialog dialog(BareTemplate(), this);
        dialog.script = [](ScriptedDialog& d) { d.PostMessage(WM_END_WITH, 11); };
        result = dialog.DoModal();
        return 0;
    }
};

BEGIN_MESSAGE_MAP(DialogInCreate, CWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

TEST(ModalDialog, RunsInsideWmCreate)
{
    DialogInCreate wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "creating", WS_POPUP, 0, 0, 50, 50,
                             nullptr, nullptr));
    EXPECT_EQ(11, wnd.result);
    EXPECT_TRUE(wnd.IsWindowEnabled());
    wnd.DestroyWindow();
}

TEST(ModelessDialog, CreateShowsItAndEnterReachesOnOK)
{
    DialogTemplate dialog("modeless", kqtest::kDialogStyle, 120, 60);
    dialog.Add(Item::Edit, 100, WS_BORDER | WS_TABSTOP, 5, 5, 60, 12);
    ScriptedDialog modeless;
    ASSERT_TRUE(modeless.CreateIndirect(dialog.Get(), CWnd::GetDesktopWindow()));
    EXPECT_TRUE(modeless.IsWindowVisible());
    PostKey(modeless.GetDlgItem(100)->m_hWnd, VK_RETURN);
    EXPECT_TRUE(kqtest::PumpUntil([&] { return !modeless.log.empty(); }));
    EXPECT_EQ(Log{"OnOK"}, modeless.log);
    EXPECT_FALSE(modeless.IsWindowVisible()); // ended, not destroyed
    modeless.DestroyWindow();
}

// ---------------------------------------------------------------- data exchange

enum : WORD { kName = 101, kCount = 102, kSize = 103, kFlag = 104, kRadioA = 105, kRadioB = 106,
              kRadioC = 107, kChoice = 108 };

const DialogTemplate& DataTemplate()
{
    static DialogTemplate dialog = [] {
        DialogTemplate d("data", kqtest::kDialogStyle, 200, 120);
        d.Add(Item::Edit, kName, WS_BORDER | ES_AUTOHSCROLL, 5, 5, 80, 12)
            .Add(Item::Edit, kCount, WS_BORDER | ES_AUTOHSCROLL, 5, 20, 80, 12)
            .Add(Item::Edit, kSize, WS_BORDER | ES_AUTOHSCROLL, 5, 35, 80, 12)
            .Add(Item::Button, kFlag, BS_AUTOCHECKBOX, 5, 50, 80, 12, "flag")
            .Add(Item::Button, kRadioA, BS_AUTORADIOBUTTON | WS_GROUP, 100, 5, 50, 12, "a")
            .Add(Item::Button, kRadioB, BS_AUTORADIOBUTTON, 100, 20, 50, 12, "b")
            .Add(Item::Button, kRadioC, BS_AUTORADIOBUTTON, 100, 35, 50, 12, "c")
            .Add(Item::ComboBox, kChoice, CBS_DROPDOWNLIST | WS_VSCROLL | WS_GROUP, 100, 50, 60, 60);
        return d;
    }();
    return dialog;
}

class DataDialog : public ScriptedDialog {
public:
    static constexpr int kNameLimit = 8;
    DataDialog() : ScriptedDialog(DataTemplate()) {}
    CString name = "初始";
    int count = -3;
    UINT size = 7;
    int flag = BST_CHECKED;
    int radio = 1;
    int choice = 0;
    CWnd nameControl;

    BOOL OnInitDialog() override
    {
        for (const char* text : {"zero", "one", "two"})
            SendDlgItemMessage(kChoice, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        return ScriptedDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, kName, nameControl);
        DDX_Text(pDX, kName, name);
        DDV_MaxChars(pDX, name, kNameLimit);
        DDX_Text(pDX, kCount, count);
        DDX_Text(pDX, kSize, size);
        DDX_Check(pDX, kFlag, flag);
        DDX_Radio(pDX, kRadioA, radio);
        DDX_CBIndex(pDX, kChoice, choice);
    }
};

TEST(DataExchange, LoadsControlsAndSavesThemBackOnOK)
{
    DataDialog dialog;
    Log shown;
    dialog.script = [&shown](ScriptedDialog& d) {
        CString text;
        for (int id : {kName, kCount, kSize}) {
            d.GetDlgItemText(id, text);
            shown.push_back(static_cast<LPCSTR>(text));
        }
        shown.push_back(std::to_string(d.IsDlgButtonChecked(kFlag)));
        shown.push_back(std::to_string(d.IsDlgButtonChecked(kRadioB)));
        shown.push_back(std::to_string(d.SendDlgItemMessage(kChoice, CB_GETCURSEL)));
        shown.push_back(std::to_string(d.SendDlgItemMessage(kName, EM_GETLIMITTEXT)));
        // The user's changes.
        d.SetDlgItemText(kName, "新名字");
        d.SetDlgItemText(kCount, " -12 ");
        d.SetDlgItemText(kSize, "4000000000");
        d.CheckDlgButton(kFlag, BST_UNCHECKED);
        d.CheckRadioButton(kRadioA, kRadioC, kRadioC);
        d.SendDlgItemMessage(kChoice, CB_SETCURSEL, 2);
        d.PostMessage(WM_COMMAND, IDOK);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ((Log{"初始", "-3", "7", "1", "1", "0", std::to_string(DataDialog::kNameLimit)}),
              shown);
    EXPECT_STREQ("新名字", dialog.name);
    EXPECT_EQ(-12, dialog.count);
    EXPECT_EQ(4000000000u, dialog.size);
    EXPECT_EQ(BST_UNCHECKED, dialog.flag);
    EXPECT_EQ(2, dialog.radio);
    EXPECT_EQ(2, dialog.choice);
    EXPECT_EQ(nullptr, dialog.nameControl.m_hWnd); // detached with the dialog's end
}

TEST(DataExchange, TextThatIsNoNumberFailsAndKeepsTheDialogOpen)
{
    const char* badTexts[] = {"12abc", "99999999999"};
    for (const char* bad : badTexts) {
        DataDialog dialog;
        BOOL saved = TRUE;
        dialog.script = [&](ScriptedDialog& d) {
            d.SetDlgItemText(kCount, bad);
            kqtest::AnswerNextMessageBox(::GetCurrentThreadId(), AfxGetAppName(), IDOK);
            saved = d.UpdateData(TRUE);
            d.EndDialog(IDCANCEL);
        };
        EXPECT_EQ(IDCANCEL, dialog.DoModal()) << bad;
        EXPECT_FALSE(saved) << bad;
        EXPECT_EQ(-3, dialog.count) << bad;
    }
    // A negative number is no UINT.
    DataDialog dialog;
    BOOL saved = TRUE;
    dialog.script = [&](ScriptedDialog& d) {
        d.SetDlgItemText(kSize, "-1");
        kqtest::AnswerNextMessageBox(::GetCurrentThreadId(), AfxGetAppName(), IDOK);
        saved = d.UpdateData(TRUE);
        d.EndDialog(IDCANCEL);
    };
    dialog.DoModal();
    EXPECT_FALSE(saved);
    EXPECT_EQ(7u, dialog.size);
}

} // namespace
