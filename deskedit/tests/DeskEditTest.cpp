// The desktop editor's dialog in this process: files dropped on its list as
// the shell drops them (an HDROP sent as WM_DROPFILES), keys, OK and Cancel,
// on a fixed disk and on a per-host copy; the program's single copy.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <shlobj.h>

#include "common/DriveType.h"
#include "common/PeerNames.h"
#include "common/StudentIni.h"
#include "deskedit/DeskLook.h"
#include "deskedit/DeskMessageDlg.h"
#include "deskedit/DeskSetupDlg.h"
#include "deskedit/ShortcutEntry.h"
#include "standins/common/tests/ProgramInstall.h"
#include "standins/common/tests/StandinTestSupport.h"
#include "widgets/tests/LayoutCheck.h"
#include "widgets/tests/WidgetTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace kq::standin;

constexpr char kPrograms[] = "晨星程序";
constexpr char kDesktop[] = "晨星桌面";
constexpr UINT kDialogBackground = 143;
constexpr UINT kMessageBackground = 146;

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// What the shell hands a window that files are dropped on.
HDROP MakeDrop(const std::vector<std::string>& paths)
{
    std::string list;
    for (const std::string& path : paths)
        list += path + '\0';
    list += '\0';
    HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size());
    auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = FALSE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size());
    GlobalUnlock(block);
    return static_cast<HDROP>(block);
}

// A stand-in for the student agent's frame: counts the peer signals it gets.
class AgentWindow {
public:
    AgentWindow()
    {
        WNDCLASSA type = {};
        type.lpfnWndProc = Procedure;
        type.hInstance = GetModuleHandleA(nullptr);
        type.lpszClassName = "DeskEditAgent";
        RegisterClassA(&type);
        m_window = CreateWindowA("DeskEditAgent", kq::kAgentTitle, WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                 type.hInstance, nullptr);
        s_signals.clear();
    }
    ~AgentWindow() { DestroyWindow(m_window); }
    static std::vector<std::pair<WPARAM, LPARAM>> s_signals;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l)
    {
        if (message == WM_PEER_SIGNAL)
            s_signals.emplace_back(w, l);
        return DefWindowProcA(window, message, w, l);
    }
    HWND m_window;
};
std::vector<std::pair<WPARAM, LPARAM>> AgentWindow::s_signals;

class DeskEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetEnvironmentVariableA(kq::kTestDriveVariable, "fixed");
        CreateDirectoryA(Config().c_str(), nullptr);
        CreateDirectoryA(ConfigPath(kPrograms).c_str(), nullptr);
        CreateDirectoryA(ConfigPath(kDesktop).c_str(), nullptr);
        WriteFile(ConfigPath(kPrograms, "a.lnk"), "original a");
        WriteFile(ConfigPath(kPrograms, "b.lnk"), "original b");
        WriteFile(ConfigPath(kDesktop, "c.lnk"), "original c");
        for (const char* name : {"x1.lnk", "x2.lnk", "x3.lnk", "b.lnk"})
            WriteFile(source_ / name, std::string("dropped ") + name);
        CreateDirectoryA((source_ / "folder").c_str(), nullptr);
        SetMachineString(kq::kStudentRegistryKey, "Path", install_.Path());
    }
    void TearDown() override { SetEnvironmentVariableA(kq::kTestDriveVariable, nullptr); }

    std::string Config() const { return install_ / "config"; }
    std::string ConfigPath(const char* folder, const std::string& name = "") const
    {
        return Config() + "\\" + folder + (name.empty() ? "" : "\\" + name);
    }
    static void Drop(CDeskSetupDlg& dialog, const std::vector<std::string>& paths)
    {
        dialog.List().SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
    }
    // The file names of the rows, top to bottom.
    static std::vector<std::string> Rows(CDeskSetupDlg& dialog)
    {
        std::vector<std::string> names;
        CShortcutListCtrl& list = dialog.List();
        for (int row = 0; row < list.GetItemCount(); ++row) {
            const auto* entry = reinterpret_cast<const kq::ShortcutEntry*>(list.GetItemData(row));
            const std::string path = entry->path;
            names.push_back(path.substr(path.find_last_of('\\') + 1));
        }
        return names;
    }
    static void DeleteRowOf(CDeskSetupDlg& dialog, const std::string& name)
    {
        const std::vector<std::string> rows = Rows(dialog);
        for (size_t row = 0; row < rows.size(); ++row) {
            if (rows[row] == name) {
                dialog.List().SetItemState(static_cast<int>(row), LVIS_SELECTED | LVIS_FOCUSED,
                                           LVIS_SELECTED | LVIS_FOCUSED);
                dialog.List().SendMessage(WM_KEYDOWN, VK_DELETE, 0);
                return;
            }
        }
        ADD_FAILURE() << "no row " << name;
    }
    static void ShowTreeItem(CDeskSetupDlg& dialog, int index)
    {
        HTREEITEM item = dialog.Tree().GetRootItem();
        for (int i = 0; i < index; ++i)
            item = dialog.Tree().GetNextSiblingItem(item);
        dialog.Tree().SelectItem(item);
    }
    static std::vector<std::string> Sorted(std::vector<std::string> names)
    {
        std::sort(names.begin(), names.end());
        return names;
    }

    TempFolder install_{"deskedit-install"};
    TempFolder source_{"deskedit-drops"};
};

TEST_F(DeskEdit, ListsTheFoldersTakesDropsAndCancelUndoesThem)
{
    AgentWindow agent;
    CDeskSetupDlg dialog;
    const INT_PTR result = kqtest::RunModal(dialog, [&](CDialog&) {
        CString caption;
        dialog.GetWindowText(caption);
        EXPECT_STREQ(caption, "晨星桌面设置");
        kqtest::ExpectFitsItsFrame(dialog, kDialogBackground);
        for (const std::string& fault : kqtest::LayoutFaults(dialog.GetSafeHwnd()))
            ADD_FAILURE() << fault;
        kqtest::SaveScreenShot(dialog.GetSafeHwnd(), "deskedit-setup");

        EXPECT_EQ(Sorted(Rows(dialog)), (std::vector<std::string>{"a.lnk", "b.lnk"}));
        ShowTreeItem(dialog, 1);
        EXPECT_EQ(Rows(dialog), (std::vector<std::string>{"c.lnk"}));
        ShowTreeItem(dialog, 0);

        Drop(dialog, {source_ / "x1.lnk", source_ / "folder", source_ / "x2.lnk", source_ / "x3.lnk"});
        std::vector<std::string> rows = Rows(dialog);
        ASSERT_EQ(rows.size(), 5u) << "a folder adds nothing";
        EXPECT_EQ(std::vector<std::string>(rows.begin() + 2, rows.end()),
                  (std::vector<std::string>{"x1.lnk", "x2.lnk", "x3.lnk"}));
        EXPECT_TRUE(Exists(ConfigPath(kPrograms, "x2.lnk"))) << "copied at once";
        EXPECT_FALSE(Exists(ConfigPath(kPrograms, "folder")));

        DeleteRowOf(dialog, "a.lnk");
        DeleteRowOf(dialog, "x3.lnk");
        EXPECT_EQ(Rows(dialog).size(), 3u);
        EXPECT_TRUE(Exists(ConfigPath(kPrograms, "a.lnk"))) << "a removal only marks the entry";

        Drop(dialog, {source_ / "b.lnk"});
        EXPECT_EQ(Rows(dialog).back(), "b.lnk") << "a same-name drop adds a second row";
        EXPECT_EQ(ReadBytes(ConfigPath(kPrograms, "b.lnk")), "dropped b.lnk");

        // Destination and ".lnk" past 259 bytes: skipped.
        const std::string longName(250 - source_.Path().size(), 'n');
        WriteFile(source_ / longName, "long");
        Drop(dialog, {source_ / longName});
        EXPECT_EQ(Rows(dialog).size(), 4u);

        ShowTreeItem(dialog, 1);
        Drop(dialog, {source_ / "x1.lnk"});
        EXPECT_TRUE(Exists(ConfigPath(kDesktop, "x1.lnk"))) << "drops go to the folder shown";
        dialog.PostMessage(WM_COMMAND, CDeskSetupDlg::kCancelId, 0);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(Exists(ConfigPath(kPrograms, "a.lnk"))) << "Cancel keeps what was removed";
    for (const char* name : {"x1.lnk", "x2.lnk", "x3.lnk"})
        EXPECT_FALSE(Exists(ConfigPath(kPrograms, name))) << name;
    EXPECT_FALSE(Exists(ConfigPath(kDesktop, "x1.lnk")));
    EXPECT_EQ(ReadBytes(ConfigPath(kPrograms, "b.lnk")), "original b") << "the replaced shortcut comes back";
    EXPECT_EQ(ReadBytes(ConfigPath(kDesktop, "c.lnk")), "original c");
    EXPECT_TRUE(agent.s_signals.empty());
}

TEST_F(DeskEdit, OkKeepsTheDropsAndDeletesWhatWasRemovedWithoutANotice)
{
    AgentWindow agent;
    CDeskSetupDlg dialog;
    const INT_PTR result = kqtest::RunModal(dialog, [&](CDialog&) {
        DeleteRowOf(dialog, "a.lnk");
        Drop(dialog, {source_ / "x1.lnk", source_ / "x2.lnk"});
        DeleteRowOf(dialog, "x1.lnk");
        // The same name as an original whose row is then removed: the drop's file stays.
        Drop(dialog, {source_ / "b.lnk"});
        DeleteRowOf(dialog, "b.lnk");
        dialog.List().PostMessage(WM_KEYDOWN, VK_RETURN, 0); // Enter is OK
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_FALSE(Exists(ConfigPath(kPrograms, "a.lnk")));
    EXPECT_FALSE(Exists(ConfigPath(kPrograms, "x1.lnk")));
    EXPECT_TRUE(Exists(ConfigPath(kPrograms, "x2.lnk")));
    EXPECT_EQ(ReadBytes(ConfigPath(kPrograms, "b.lnk")), "dropped b.lnk");
    EXPECT_TRUE(agent.s_signals.empty()) << "an installed folder needs no announcement";
}

TEST_F(DeskEdit, EscAndTheCloseButtonActAsCancel)
{
    for (bool closeButton : {false, true}) {
        CDeskSetupDlg dialog;
        const INT_PTR result = kqtest::RunModal(dialog, [&](CDialog&) {
            Drop(dialog, {source_ / "x1.lnk"});
            ASSERT_TRUE(Exists(ConfigPath(kPrograms, "x1.lnk")));
            if (closeButton) {
                CWnd* close = dialog.GetDlgItem(kq::kDeskCloseId);
                ASSERT_NE(close, nullptr);
                dialog.PostMessage(WM_COMMAND, MAKEWPARAM(kq::kDeskCloseId, BN_CLICKED),
                                   reinterpret_cast<LPARAM>(close->GetSafeHwnd()));
            } else {
                dialog.List().PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
            }
        });
        EXPECT_EQ(result, IDCANCEL) << closeButton;
        EXPECT_FALSE(Exists(ConfigPath(kPrograms, "x1.lnk"))) << closeButton;
    }
}

TEST_F(DeskEdit, OnAPerHostPcWorksOnARebuiltCopyAndTellsTheAgent)
{
    SetEnvironmentVariableA(kq::kTestDriveVariable, "network");
    const std::string host = kq::ReadHostName();
    ASSERT_FALSE(host.empty());
    const std::string hostFolder = "C:\\" + host;
    const std::string copy = hostFolder + "\\config";
    CreateDirectoryA(hostFolder.c_str(), nullptr);
    CreateDirectoryA(copy.c_str(), nullptr);
    WriteFile(copy + "\\stale.txt", "old copy");
    CreateDirectoryA((Config() + "\\extra").c_str(), nullptr);
    CreateDirectoryA((Config() + "\\extra\\deeper").c_str(), nullptr);
    WriteFile(Config() + "\\extra\\deeper\\f.txt", "nested");
    CreateDirectoryA((Config() + "\\locked").c_str(), nullptr);
    WriteFile(Config() + "\\locked\\g.txt", "in a read-only folder");
    SetFileAttributesA((Config() + "\\locked").c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY);

    AgentWindow agent;
    CDeskSetupDlg dialog;
    const INT_PTR result = kqtest::RunModal(dialog, [&](CDialog&) {
        EXPECT_EQ(dialog.List().ConfigFolder(), copy);
        EXPECT_FALSE(Exists(copy + "\\stale.txt")) << "the old copy is removed first";
        EXPECT_EQ(ReadBytes(copy + "\\extra\\deeper\\f.txt"), "nested");
        EXPECT_EQ(ReadBytes(copy + "\\locked\\g.txt"), "in a read-only folder");
        EXPECT_EQ(Sorted(Rows(dialog)), (std::vector<std::string>{"a.lnk", "b.lnk"}));
        Drop(dialog, {source_ / "x1.lnk"});
        dialog.PostMessage(WM_COMMAND, CDeskSetupDlg::kOkId, 0);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(Exists(copy + "\\" + kPrograms + "\\x1.lnk"));
    EXPECT_FALSE(Exists(ConfigPath(kPrograms, "x1.lnk"))) << "the install folder's copy is unchanged";
    kqtest::PumpFor(50);
    ASSERT_EQ(agent.s_signals.size(), 1u);
    EXPECT_EQ(agent.s_signals[0], (std::pair<WPARAM, LPARAM>(kq::kAgentDesktopFolders, 0)));

    SetFileAttributesA((Config() + "\\locked").c_str(), FILE_ATTRIBUTE_DIRECTORY);
    RemoveTree(hostFolder);
}

TEST_F(DeskEdit, WithoutTheInstallFolderItSaysSoOnceAndCloses)
{
    RemoveMachineValue(kq::kStudentRegistryKey, "Path");
    static std::vector<std::string> shown;
    shown.clear();
    // The box opens inside the list's creation: answered from a timer.
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
        HWND box = kqtest::ThreadWindowWith(CDeskMessageDlg::kLabelId);
        if (box == nullptr)
            return;
        char text[256] = {};
        GetDlgItemTextA(box, CDeskMessageDlg::kLabelId, text, sizeof text);
        shown.push_back(text);
        kqtest::ExpectFitsItsFrame(*CWnd::FromHandle(box), kMessageBackground);
        for (const std::string& fault : kqtest::LayoutFaults(box))
            ADD_FAILURE() << fault;
        kqtest::SaveScreenShot(box, "deskedit-message");
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(CDeskMessageDlg::kOkId, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, CDeskMessageDlg::kOkId)));
    });
    CDeskSetupDlg dialog;
    const INT_PTR result = kqtest::RunModal(dialog);
    KillTimer(nullptr, timer);
    EXPECT_EQ(result, IDCANCEL) << "the dialog closes by itself";
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find("读取注册表失败"), std::string::npos) << shown[0];
}

TEST(DeskUserFolders, TheOldShellOpensTheSharedProfilesFolderWhenTheValueHoldsIt)
{
    // Windows 4.0's Chinese profile folders: the shared one is under "All Users".
    const std::string desktop = "C:\\WINNT\\Profiles\\Teacher\\桌面";
    const std::string programs = "C:\\WINNT\\Profiles\\Teacher\\「开始」菜单\\程序";
    struct Case {
        std::string value;
        int folder;
        bool oldShell;
        std::string opened;
    } cases[] = {
        {desktop, CDeskSetupDlg::kDesktop, false, desktop},
        {desktop, CDeskSetupDlg::kDesktop, true, "C:\\WINNT\\Profiles\\All Users\\桌面"},
        {programs, CDeskSetupDlg::kPrograms, true, "C:\\WINNT\\Profiles\\All Users\\「开始」菜单\\程序"},
        {"C:\\Short", CDeskSetupDlg::kStartMenu, true, "C:\\Short"}, // too short: opened as read
    };
    for (const Case& c : cases)
        EXPECT_EQ(CDeskSetupDlg::ShellFolderPath(c.value, c.folder, c.oldShell), c.opened) << c.value;
}

TEST_F(DeskEdit, ASecondStartDoesNothing)
{
    ProgramInstall program("deskedit-program", "KqDeskContral.exe");
    program.CopyIn("KqDeskContral.exe", "KqDeskContral.exe");
    ASSERT_TRUE(program.Start());
    ASSERT_NE(WaitForProcessWindow(program.ProcessId(),
                                   [](HWND w) {
                                       char text[64] = {};
                                       GetWindowTextA(w, text, sizeof text);
                                       return IsWindowVisible(w) && std::strcmp(text, "晨星桌面设置") == 0;
                                   }),
              nullptr);
    DWORD second = 0;
    EXPECT_TRUE(program.SecondCopyEnds(second));
    EXPECT_TRUE(WaitForProcessWindow(second, [](HWND w) { return IsWindowVisible(w) != FALSE; }, 0) == nullptr);
}

} // namespace
