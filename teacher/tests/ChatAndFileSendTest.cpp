// The chat and file sending openers of Teacher.exe, driven from outside:
// the blocks that reach the recording transport, the transfer library's
// trace (its results scripted for the failure roads), and the boxes.

#include "teacher/tests/ScreenPixels.h"
#include "teacher/tests/TeachingSession.h"

#include "standins/common/tests/StandinTestSupport.h"
#include "teacher/SeatStates.h"
#include "widgets/tests/LayoutCheck.h"
#include "teacher/StartupText.h"

#include "TeacherResources.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

using kqtest::Selection;
using kqtest::TeachingSession;
using kqtest::WaitFor;

constexpr UINT kSendFiles = 307;
constexpr UINT kChat = 309;
constexpr int kFunctionPanelId = 1000;
constexpr int kSourceId = 718;
constexpr int kFolderId = 776;
constexpr int kSendId = 704;
constexpr int kCancelId = 705;
constexpr int kChooseId = 708;
constexpr int kCloseId = 400;
constexpr UINT kTransmitDone = 0xBEE;
constexpr UINT kButtonStateNotify = 0x435;
constexpr int kSenderHelpItem = 35;
constexpr DWORD kShortMs = 500;

HWND DialogWith(TeachingSession& session, int id, DWORD timeoutMs = 5000)
{
    return kq::standin::WaitForProcessWindow(
        session.Install().ProcessId(),
        [id](HWND window) { return ::IsWindowVisible(window) && ::GetDlgItem(window, id) != nullptr; }, timeoutMs);
}

bool Gone(HWND window)
{
    return WaitFor([window] { return !::IsWindow(window) || !::IsWindowVisible(window); }, 5000);
}

void Click(HWND dialog, int id)
{
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

void SetText(HWND dialog, int id, const std::string& text)
{
    ::SendMessageA(::GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool Enabled(HWND dialog, int id)
{
    return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE;
}

int Count(const std::string& text, const std::string& part)
{
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// How often the transfer library's `function` was called: a scripted call
// leaves a second line that names its result.
int Calls(const std::string& trace, const std::string& function)
{
    return Count(trace, "KqTransmit " + function) - Count(trace, "KqTransmit " + function + " scripted");
}

// ---- Chat opener ----

TEST(ChatOpener, NeedsExactlyOneSeatAndTellsItBeforeAndAfter)
{
    TeachingSession session;
    ASSERT_TRUE(session.Started());
    for (int seat = 1; seat <= 3; ++seat)
        session.Online(seat);
    for (Selection selection : {Selection::None, Selection::Two}) {
        session.Select(selection);
        session.NewSends();
        session.Command(kChat);
        EXPECT_NE(session.TakeBox().find(session.String(TeacherRes::IDS_CHAT_ONE_SEAT)), std::string::npos);
        EXPECT_TRUE(session.NewSends().empty());
    }

    // A raised hand gave 309 its calling look; the chat's end takes it back.
    HWND panel = ::GetDlgItem(session.Main(), kFunctionPanelId);
    HWND chatButton = ::GetDlgItem(panel, kChat);
    HMODULE resources =
        ::LoadLibraryExA(session.Install().PathOf("resource.dll").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    session.Post(kButtonStateNotify, kq::kSeatHandUp, 0);
    EXPECT_TRUE(kqtest::ShowsFace(chatButton, resources, TeacherRes::IDB_CHAT_HAND_UP_UP));

    session.SelectSeat(2);
    session.NewSends();
    session.Command(kChat);
    HWND chat = DialogWith(session, 702);
    ASSERT_NE(chat, nullptr);
    EXPECT_EQ(session.NewSends(), std::vector<std::string>{kqtest::SendLine(28, 1, 0, "2") + " args="});
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(panel, kSendFiles))) << "the other commands rest";
    ::PostMessageA(chat, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Gone(chat));
    EXPECT_EQ(session.NewSends(), std::vector<std::string>{kqtest::SendLine(0, 1, 0, "2") + " args="});
    EXPECT_TRUE(WaitFor([&] { return ::IsWindowEnabled(::GetDlgItem(panel, kSendFiles)) != FALSE; }, 5000));
    EXPECT_TRUE(kqtest::ShowsFace(chatButton, resources, TeacherRes::IDB_CHAT_UP));
    ::FreeLibrary(resources);
}

// ---- File sending ----

class FileSend : public testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH] = {};
        ::GetTempPathA(sizeof temp, temp);
        m_folder = std::string(temp) + "kq_send_" + std::to_string(::GetCurrentProcessId());
        ::CreateDirectoryA(m_folder.c_str(), nullptr);
        m_file = m_folder + "\\课件.txt";
        std::ofstream(m_file) << "lesson\n";
    }
    void TearDown() override
    {
        ::DeleteFileA(m_file.c_str());
        ::RemoveDirectoryA(m_folder.c_str());
    }

    std::string m_folder;
    std::string m_file;
};

TEST_F(FileSend, FailuresLeaveTheDialogOpenAndIdleAndTheEndClosesIt)
{
    TeachingSession session({}, {"KQ_KQTRANSMIT_InitSender=-1", "KQ_KQTRANSMIT_SendDirectory=-1,0",
                                 "KQ_KQTRANSMIT_SendFile=-1,0,0", "KQ_KQTRANSMIT_CancelSendFile=-1"});
    ASSERT_TRUE(session.Started());
    for (int seat = 1; seat <= 3; ++seat)
        session.Online(seat);
    session.Select(Selection::None);
    session.NewSends();
    session.Command(kSendFiles);

    // The sender did not start: the box with the help sentence; the dialog stays.
    const std::string box = session.TakeBox();
    EXPECT_NE(box.find(kq::StartupWarningText(session.String(TeacherRes::IDS_SENDER_START_FAILED), kSenderHelpItem)),
              std::string::npos)
        << box;
    HWND dialog = DialogWith(session, kFolderId);
    ASSERT_NE(dialog, nullptr);
    char folder[64] = {};
    ::GetDlgItemTextA(dialog, kFolderId, folder, sizeof folder);
    EXPECT_STREQ(folder, "C:\\KqSendFiles\\");
    EXPECT_TRUE(kqtest::SaveScreenShot(dialog, "file-send"));
    for (const std::string& fault : kqtest::LayoutFaults(dialog))
        ADD_FAILURE() << "file sending: " << fault;
    HWND panel = ::GetDlgItem(session.Main(), kFunctionPanelId);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(panel, kChat))) << "the other commands rest";

    // Enter reaches Send although the bar holds the OK slot's id.
    SetText(dialog, kFolderId, "C:");
    ::PostMessageA(::GetDlgItem(dialog, kFolderId), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_NE(session.TakeBox().find(session.String(TeacherRes::IDS_RECEIVING_FOLDER_LENGTH)), std::string::npos);
    SetText(dialog, kFolderId, "c:\\kq");
    SetText(dialog, kSourceId, m_folder + "\\missing");
    Click(dialog, kSendId);
    EXPECT_NE(session.TakeBox().find(session.String(TeacherRes::IDS_PATH_REJECTED)), std::string::npos);
    EXPECT_TRUE(session.NewSends().empty());

    // Refused starts, after the students were told: a folder, then a file.
    SetText(dialog, kSourceId, m_folder + "\\");
    Click(dialog, kSendId);
    EXPECT_NE(session.TakeBox("Warning", 5000).find(session.String(TeacherRes::IDS_SEND_DIRECTORY_REFUSED)),
              std::string::npos);
    EXPECT_EQ(session.NewSends(), std::vector<std::string>{kqtest::SendLine(10, 3, 0, "1,2,3") + " args=01"});
    EXPECT_TRUE(session.Install().Traced("KqTransmit SendDirectory source=" + m_folder +
                                         "\\\\ folder=C:\\KQ\\ reserved=0 targets=3"));
    SetText(dialog, kSourceId, m_file);
    Click(dialog, kSendId);
    EXPECT_NE(session.TakeBox("Warning", 5000).find(session.String(TeacherRes::IDS_SEND_FILE_REFUSED)),
              std::string::npos);
    EXPECT_EQ(session.NewSends(), std::vector<std::string>{kqtest::SendLine(10, 3, 0, "1,2,3") + " args="});
    EXPECT_TRUE(Enabled(dialog, kSendId) && Enabled(dialog, kCancelId) && Enabled(dialog, kChooseId)) << "idle";

    // Started: the buttons rest, and Enter starts nothing more.
    Click(dialog, kSendId);
    EXPECT_TRUE(WaitFor([&] { return !Enabled(dialog, kSendId); }, 5000));
    EXPECT_FALSE(Enabled(dialog, kCancelId)) << "cancel waits for 3 %";
    EXPECT_FALSE(Enabled(dialog, kChooseId));
    session.NewSends();
    ::PostMessageA(::GetDlgItem(dialog, kSourceId), WM_KEYDOWN, VK_RETURN, 1);
    session.Settle();
    EXPECT_EQ(session.TakeBox("Warning", kShortMs), "");
    EXPECT_TRUE(session.NewSends().empty());
    EXPECT_EQ(Calls(session.Install().Trace(), "SendFile"), 2);

    // Another event, and a failure report: the dialog stays.
    ::PostMessageA(dialog, kTransmitDone, 2, 0);
    session.Settle();
    EXPECT_TRUE(::IsWindowVisible(dialog));
    ::PostMessageA(dialog, kTransmitDone, 1, -1);
    EXPECT_NE(session.TakeBox().find(session.String(TeacherRes::IDS_SEND_FAILED)), std::string::npos);
    EXPECT_TRUE(::IsWindowVisible(dialog));

    // Closing cancels first; a cancel that fails keeps the dialog.
    Click(dialog, kCloseId);
    EXPECT_NE(session.TakeBox().find(session.String(TeacherRes::IDS_SEND_NOT_CANCELLED)), std::string::npos);
    EXPECT_TRUE(::IsWindowVisible(dialog));
    Click(dialog, kCloseId);
    EXPECT_TRUE(Gone(dialog));
    const std::string trace = session.Install().Trace();
    EXPECT_EQ(Calls(trace, "CancelSendFile"), 2);
    EXPECT_EQ(Calls(trace, "UnInitSender"), 1);
    EXPECT_TRUE(WaitFor([&] { return ::IsWindowEnabled(::GetDlgItem(panel, kChat)) != FALSE; }, 5000));

    // The library's end closes the dialog, ending the sender once.
    session.Command(kSendFiles);
    dialog = DialogWith(session, kFolderId);
    ASSERT_NE(dialog, nullptr);
    SetText(dialog, kSourceId, m_file);
    Click(dialog, kSendId);
    EXPECT_TRUE(WaitFor([&] { return !Enabled(dialog, kSendId); }, 5000));
    ::PostMessageA(dialog, kTransmitDone, 1, 0);
    EXPECT_TRUE(Gone(dialog));
    EXPECT_EQ(Calls(session.Install().Trace(), "UnInitSender"), 2);
    EXPECT_TRUE(session.Install().Traced("KqTransmit SendFile source=" + m_file +
                                         " folder=C:\\KQSENDFILES\\ reserved=0 targets=3"));

    // A diskless classroom: no dialog.
    session.Event(6, 0);
    session.TakeBox("Warning", kShortMs);
    session.NewSends();
    session.Command(kSendFiles);
    EXPECT_NE(session.TakeBox().find(session.String(TeacherRes::IDS_DISKLESS_REFUSED)), std::string::npos);
    EXPECT_EQ(DialogWith(session, kFolderId, kShortMs), nullptr);
    EXPECT_TRUE(session.NewSends().empty());
}

} // namespace
