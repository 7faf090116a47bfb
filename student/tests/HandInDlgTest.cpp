// The hand-in dialog: the checks of a typed path and its buttons.

#include "student/HandInDlg.h"
#include "student/HandInPath.h"
#include "student/MessageBoxDlg.h"
#include "student/tests/StudentTestSupport.h"
#include "widgets/tests/WidgetTestSupport.h"

#include "SatchelResources.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

using studenttest::BoxWatcher;
using studenttest::ControlText;
using studenttest::ResourceText;

std::string TempFolder()
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    return temp;
}

class HandInFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_root = TempFolder() + "kq_hand_in_test";
        ::CreateDirectoryA(m_root.c_str(), nullptr);
        ::CreateDirectoryA(Folder().c_str(), nullptr);
        std::ofstream(File(), std::ios::binary) << "homework";
    }
    void TearDown() override
    {
        ::DeleteFileA(File().c_str());
        ::RemoveDirectoryA(Folder().c_str());
        ::RemoveDirectoryA(m_root.c_str());
    }
    std::string Folder() const { return m_root + "\\作业"; }
    std::string File() const { return m_root + "\\第一次.txt"; }

    std::string m_root;
};

TEST_F(HandInFiles, PathsAreCheckedAgainstTheFileSystem)
{
    const struct {
        std::string path;
        unsigned message;
    } cases[] = {
        {File(), 0},
        {Folder(), kq::kHandInFolder},
        {m_root + "\\missing.txt", kq::kHandInNoFile},
        {m_root + "\\\\x.txt", kq::kHandInBadPath},
        {"", 0}, // the dialog asks for a path first
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(CHandInDlg::CheckPath(c.path.c_str()), c.message);
    }
}

TEST_F(HandInFiles, ARefusedPathKeepsTheDialogOpenAndAGoodOneEndsIt)
{
    CHandInDlg dialog;
    CString shown;
    BoxWatcher watcher([&](CWnd& box) {
        shown = ControlText(box.m_hWnd, CMessageBoxDlg::kLabelId);
        box.PostMessage(WM_CLOSE);
    });
    const std::string file = File();
    const INT_PTR result = kqtest::RunModal(dialog, [&](CDialog& d) {
        kqtest::ExpectFitsItsFrame(d, SatchelRes::IDB_HAND_IN_BACKGROUND);
        CWnd* field = d.GetDlgItem(CHandInDlg::kPathId);
        ASSERT_NE(field, nullptr);
        field->SetWindowText(Folder().c_str());
        d.GetDlgItem(CHandInDlg::kOkId)->SendMessage(BM_CLICK); // the box runs inside
        EXPECT_TRUE(::IsWindowVisible(d.m_hWnd)) << "a refused path leaves the dialog open";
        EXPECT_EQ(ControlText(d.m_hWnd, CHandInDlg::kPathId), CString(Folder().c_str())) << "text unchanged";
        field->SetWindowText(file.c_str());
        d.PostMessage(WM_KEYDOWN, VK_RETURN, 1);
    }, 20000);
    EXPECT_TRUE(watcher.Ran());
    EXPECT_EQ(shown, ResourceText(kq::kHandInFolder));
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.m_path, CString(file.c_str()));
}

// Cancels the system's file-open dialog once it shows on this thread.
void CALLBACK CancelFileDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND found = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM out) {
            char name[32] = {};
            ::GetClassNameA(window, name, sizeof name);
            if (::IsWindowVisible(window) && std::string(name) == "#32770" &&
                ::GetDlgItem(window, CMessageBoxDlg::kLabelId) == nullptr && ::GetDlgItem(window, IDCANCEL)) {
                *reinterpret_cast<HWND*>(out) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    if (found != nullptr) {
        ::KillTimer(nullptr, timer);
        ::PostMessageA(found, WM_COMMAND, IDCANCEL, 0);
    }
}

TEST_F(HandInFiles, CancelAfterBrowseLeavesThePathEmpty)
{
    CHandInDlg dialog;
    bool browsed = false;
    const INT_PTR result = kqtest::RunModal(dialog, [&](CDialog& d) {
        d.GetDlgItem(CHandInDlg::kPathId)->SetWindowText(File().c_str());
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, CancelFileDialog);
        d.GetDlgItem(CHandInDlg::kBrowseId)->SendMessage(BM_CLICK); // returns when cancelled
        ::KillTimer(nullptr, timer);
        browsed = true;
        EXPECT_TRUE(ControlText(d.m_hWnd, CHandInDlg::kPathId).IsEmpty()) << "a cancelled browse gives no path";
        d.GetDlgItem(CHandInDlg::kPathId)->SetWindowText(File().c_str());
        d.GetDlgItem(CHandInDlg::kCancelId)->SendMessage(BM_CLICK);
    }, 30000);
    EXPECT_TRUE(browsed);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(dialog.m_path.IsEmpty());
    EXPECT_TRUE(dialog.m_browsedPath.IsEmpty());
}

} // namespace
