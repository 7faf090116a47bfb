// The student's message box: its forms, its closing by mode, the help page
// its OK button opens, and its showing without an owner from a thread whose
// window waits.

#include "common/ProgramFolder.h"
#include "student/MessageBoxDlg.h"
#include "student/StudentHelp.h"
#include "student/StudentMessages.h"
#include "student/tests/StudentTestSupport.h"
#include "widgets/StudentLook.h"
#include "widgets/tests/WidgetTestSupport.h"

#include "SatchelResources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using studenttest::BoxWatcher;
using studenttest::ControlText;
using studenttest::ResourceText;

constexpr char kStudentKey[] = "SOFTWARE\\Quorvane\\Tutorium\\Student";
constexpr UINT kInvalidSeat = 61471;
constexpr UINT kStartFailed = 61484;
constexpr UINT kNoInstallFolder = 61469;

// An error-form box (the form every caller of the seat dialog uses).
class ErrorBox : public CMessageBoxDlg {
public:
    ErrorBox(int messageId, int mode)
        : CMessageBoxDlg(SatchelRes::IDD_MESSAGE_BOX, 20, 24, 269, 4, SatchelRes::IDB_ERROR_BACKGROUND, nullptr)
    {
        SetText(ResourceText(messageId));
        SetMessageId(messageId);
        SetMode(mode);
    }
};

TEST(StudentMessageBox, ClosesByItselfAfterTheTimeOfItsMode)
{
    const struct {
        int mode;
        DWORD shortest, longest; // ms, with room for a slow start
    } cases[] = {
        {CMessageBoxDlg::kCloseAfter3s, 2900, 5500},
        {CMessageBoxDlg::kCloseAfter10s, 9900, 12500},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        ErrorBox box(kInvalidSeat, c.mode);
        const DWORD start = ::GetTickCount();
        EXPECT_EQ(kqtest::RunModal(box, nullptr, 15000), IDCANCEL);
        const DWORD elapsed = ::GetTickCount() - start;
        EXPECT_GE(elapsed, c.shortest);
        EXPECT_LE(elapsed, c.longest);
    }
    ErrorBox stays(kInvalidSeat, CMessageBoxDlg::kStayOpen);
    EXPECT_EQ(kqtest::RunModal(stays, nullptr, 4000), kqtest::kTimedOut) << "mode 3 stays open";
}

TEST(StudentMessageBox, EachFormShowsItsTextOnItsTemplateTopmostWithoutOwner)
{
    const struct {
        kq::MessageForm form;
        bool templateHasTitle; // template 100 has a title, 151 none
        UINT background;
    } forms[] = {
        {kq::MessageForm::Error, false, SatchelRes::IDB_ERROR_BACKGROUND},
        {kq::MessageForm::Update, false, SatchelRes::IDB_UPDATE_BACKGROUND},
        {kq::MessageForm::Result, true, SatchelRes::IDB_RESULT_BACKGROUND},
        {kq::MessageForm::Countdown, true, SatchelRes::IDB_COUNTDOWN_BACKGROUND},
        {kq::MessageForm::TeacherText, true, SatchelRes::IDB_TEACHER_TEXT_BACKGROUND},
    };
    for (const auto& f : forms) {
        SCOPED_TRACE(static_cast<int>(f.form));
        BoxWatcher watcher([&](CWnd& box) {
            CRect window;
            box.GetWindowRect(&window);
            EXPECT_EQ(window.Size(), CSize(298, 163));
            EXPECT_EQ(::GetWindow(box.m_hWnd, GW_OWNER), nullptr);
            EXPECT_NE(box.GetExStyle() & WS_EX_TOPMOST, 0u);
            CString title;
            box.GetWindowText(title);
            EXPECT_EQ(!title.IsEmpty(), f.templateHasTitle);
            EXPECT_EQ(ControlText(box.m_hWnd, CMessageBoxDlg::kLabelId), CString("已经收到 3 个文件。"));
            CWnd* ok = box.GetDlgItem(CMessageBoxDlg::kOkId);
            ASSERT_NE(ok, nullptr);
            CRect okRect;
            ok->GetWindowRect(&okRect);
            box.ScreenToClient(&okRect);
            EXPECT_EQ(okRect, CRect(127, 123, 127 + 64, 123 + 24));
            kqtest::ExpectFitsItsFrame(box, f.background); // the titled template too
            box.GetDlgItem(kq::kStudentSkinLook.closeId)->SendMessage(BM_CLICK);
        });
        EXPECT_EQ(kq::ShowStudentMessage(f.form, CString("已经收到 3 个文件。"), CMessageBoxDlg::kStayOpen),
                  IDCANCEL);
        EXPECT_TRUE(watcher.Ran());
    }
}

// The install folder in the registry for the test, put back afterwards.
class InstallFolder {
public:
    InstallFolder()
    {
        ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kStudentKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key, nullptr);
        char previous[MAX_PATH + 1] = {};
        DWORD size = MAX_PATH;
        m_hadPath = ::RegQueryValueExA(m_key, "Path", nullptr, nullptr, reinterpret_cast<BYTE*>(previous), &size) ==
                    ERROR_SUCCESS;
        m_previous = previous;
    }
    ~InstallFolder()
    {
        if (m_hadPath)
            Set(m_previous);
        else
            Remove();
        ::RegCloseKey(m_key);
    }
    // Stores exactly the bytes of `path`, without a terminator.
    void Set(const std::string& path)
    {
        ::RegSetValueExA(m_key, "Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.data()),
                         static_cast<DWORD>(path.size()));
    }
    void Remove() { ::RegDeleteValueA(m_key, "Path"); }

private:
    HKEY m_key = nullptr;
    bool m_hadPath = false;
    std::string m_previous;
};

std::string ProgramFolderWithoutSlash()
{
    std::string folder = kq::GetProgramFolder();
    folder.pop_back();
    return folder;
}

TEST(StudentHelp, PagesAndTheirFolder)
{
    EXPECT_STREQ(kq::StudentHelpPageFor(61484), "1.htm");
    EXPECT_STREQ(kq::StudentHelpPageFor(61466), "33.htm");
    EXPECT_STREQ(kq::StudentHelpPageFor(61496), "30.htm");
    EXPECT_EQ(kq::StudentHelpPageFor(61471), nullptr);
    EXPECT_EQ(kq::StudentHelpPageFor(57344), nullptr);
    EXPECT_EQ(kq::StudentHelpPageFor(0), nullptr);

    InstallFolder install;
    const std::string here = ProgramFolderWithoutSlash() + "\\help";
    const std::string longest(260, 'x');
    const struct {
        const char* name;
        std::string path; // "" removes the value
        int messageId;
        std::string folder;
    } cases[] = {
        {"the install folder", "C:\\KqStudent", 61484, "C:\\KqStudent\\help"},
        {"260 bytes without a terminator", longest, 61484, longest + "\\help"},
        {"too long to read: the program's folder", std::string(300, 'y'), 61484, here},
        {"no value: the program's folder", "", 61484, here},
        {"install folder missing: always the program's", "C:\\KqStudent", 61469, here},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.path.empty())
            install.Remove();
        else
            install.Set(c.path);
        EXPECT_EQ(kq::StudentHelpFolder(c.messageId), c.folder);
    }
}

// A file for the shell to open, removed afterwards when the test made it.
class PageFile {
public:
    explicit PageFile(const std::string& path) : m_path(path)
    {
        if (::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            return;
        ::CreateDirectoryA(path.substr(0, path.rfind('\\')).c_str(), nullptr);
        HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        m_made = file != INVALID_HANDLE_VALUE;
        if (m_made)
            ::CloseHandle(file);
    }
    ~PageFile()
    {
        if (m_made)
            ::DeleteFileA(m_path.c_str());
    }

private:
    std::string m_path;
    bool m_made = false;
};

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

TEST(StudentMessageBox, OkOpensTheHelpPageTimerAndEnterOpenNone)
{
    studenttest::HelpRecording recording;
    ASSERT_TRUE(recording.Ready());
    InstallFolder install;
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "KqStudentInstall";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    const std::string installed = folder + "\\help\\1.htm";
    const std::string besideProgram = ProgramFolderWithoutSlash() + "\\help\\9.htm";
    const std::string besideProgram1 = ProgramFolderWithoutSlash() + "\\help\\1.htm";
    PageFile page1(installed), page9(besideProgram), page1here(besideProgram1);

    const auto press = [](UINT id) { return [id](CDialog& d) { d.GetDlgItem(id)->SendMessage(BM_CLICK); }; };
    const struct {
        const char* name;
        int messageId;
        bool pathSet;
        std::function<void(CDialog&)> script;
        INT_PTR result;
    } cases[] = {
        {"closed by its timer: no page", static_cast<int>(kStartFailed), true,
         [](CDialog& d) { d.SendMessage(WM_TIMER, 2005); }, IDCANCEL},
        {"Enter: no page", static_cast<int>(kStartFailed), true,
         [](CDialog& d) { d.PostMessage(WM_KEYDOWN, VK_RETURN, 1); }, IDOK},
        {"a message without a page", static_cast<int>(kInvalidSeat), true, press(CMessageBoxDlg::kOkId), IDOK},
        {"OK on 61484: the install folder's page", static_cast<int>(kStartFailed), true,
         press(CMessageBoxDlg::kOkId), IDOK},
        {"OK on 61469: the page beside the program", static_cast<int>(kNoInstallFolder), true,
         press(CMessageBoxDlg::kOkId), IDOK},
        {"OK on 61484 without Path: beside the program", static_cast<int>(kStartFailed), false,
         press(CMessageBoxDlg::kOkId), IDOK},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.pathSet)
            install.Set(folder);
        else
            install.Remove();
        ErrorBox box(c.messageId, CMessageBoxDlg::kCloseAfter120s);
        EXPECT_EQ(kqtest::RunModal(box, c.script), c.result);
    }

    const std::vector<std::string> expected = {Lower(installed), Lower(besideProgram), Lower(besideProgram1)};
    std::vector<std::string> opened;
    kqtest::PumpUntil([&] { return recording.Opened().size() >= expected.size(); }, 15000);
    kqtest::PumpFor(500); // anything opened by mistake would show by now
    for (const std::string& page : recording.Opened())
        opened.push_back(Lower(page));
    std::vector<std::string> sortedExpected = expected;
    std::sort(opened.begin(), opened.end());
    std::sort(sortedExpected.begin(), sortedExpected.end());
    EXPECT_EQ(opened, sortedExpected);
    ::DeleteFileA(installed.c_str());
    ::RemoveDirectoryA((folder + "\\help").c_str());
    ::RemoveDirectoryA(folder.c_str());
}

// A window whose creation waits for a worker thread that shows a box: the
// box must need nothing from this thread.
class WaitingWindow : public CWnd {
public:
    struct Shared {
        bool appeared = false;
        HWND owner = reinterpret_cast<HWND>(1);
        INT_PTR result = 0;
    } shared;
    DWORD waitResult = WAIT_FAILED;
    DWORD waitedMs = 0;

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg int OnCreate(LPCREATESTRUCT createStruct)
    {
        if (CWnd::OnCreate(createStruct) == -1)
            return -1;
        CWinThread* worker = AfxBeginThread(
            [](LPVOID p) -> UINT {
                auto* s = static_cast<Shared*>(p);
                BoxWatcher watcher([s](CWnd& box) {
                    s->appeared = true;
                    s->owner = ::GetWindow(box.m_hWnd, GW_OWNER);
                });
                s->result = kq::ShowStudentMessage(kq::MessageForm::Result, CString("一会儿就关闭"),
                                                   CMessageBoxDlg::kCloseAfter3s);
                return 0;
            },
            &shared, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        if (worker == nullptr)
            return -1;
        worker->m_bAutoDelete = FALSE;
        worker->ResumeThread();
        const DWORD start = ::GetTickCount();
        waitResult = ::WaitForSingleObject(worker->m_hThread, 15000); // no pumping here
        waitedMs = ::GetTickCount() - start;
        delete worker;
        return 0;
    }
};

BEGIN_MESSAGE_MAP(WaitingWindow, CWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

TEST(StudentMessageBox, ShownWithoutOwnerWhileTheWindowsThreadWaits)
{
    WaitingWindow window;
    CWnd* previousMain = AfxGetApp()->m_pMainWnd;
    AfxGetApp()->m_pMainWnd = &kqtest::Host();
    ASSERT_TRUE(window.CreateEx(0, AfxRegisterWndClass(0), "waiting", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    AfxGetApp()->m_pMainWnd = previousMain;
    EXPECT_EQ(window.waitResult, WAIT_OBJECT_0) << "the wait ends";
    EXPECT_TRUE(window.shared.appeared);
    EXPECT_EQ(window.shared.owner, nullptr);
    EXPECT_EQ(window.shared.result, IDCANCEL) << "closed by its timer";
    EXPECT_GE(window.waitedMs, 2900u);
    EXPECT_TRUE(kqtest::Host().IsWindowEnabled());
    window.DestroyWindow();
}

} // namespace
