// The receive dialog: its receiver's settings, the progress bar, the end
// messages of the transfer library and the receives that cannot start.

#include "standins/common/tests/StandinTestSupport.h"
#include "student/DirRecvDlg.h"
#include "student/KqTransmitImports.h"
#include "widgets/tests/WidgetTestSupport.h"

#include "SatchelResources.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <fstream>
#include <string>

// The teacher's side of a distribution, from the same library.
extern "C" int InitSender(DWORD firstGroup, DWORD secondGroup, WORD portNetwork, HWND window);
extern "C" int SendFile(const char* source, const char* receivingFolder, int reserved, WORD targets);
extern "C" int UnInitSender();

namespace {

using kq::standin::ReadBytes;
using kq::standin::TempFolder;
using kq::standin::TraceFile;
using kq::standin::UniqueTempPath;

constexpr UINT kSentToOwner = CDirRecvDlg::WM_PROGRAM_SENT;

// A hidden window that stands for the frame and keeps what it was sent.
struct Owner {
    Owner() { window = ::CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr); }
    ~Owner() { ::DestroyWindow(window); }
    // The first WM_PROGRAM_SENT waiting for the owner, taken off the queue.
    bool Take(WPARAM& wParam, LPARAM& lParam)
    {
        MSG msg;
        if (!::PeekMessageA(&msg, window, kSentToOwner, kSentToOwner, PM_REMOVE))
            return false;
        wParam = msg.wParam;
        lParam = msg.lParam;
        return true;
    }
    HWND window;
};

class DirRecvDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_ini = m_folder / "student.ini";
        ::WritePrivateProfileStringA("KQTRANSMIT", "groupport", "6100", m_ini.c_str());
        ::WritePrivateProfileStringA("VER", "ClassRoomID", "3", m_ini.c_str());
    }

    void Prepare(CDirRecvDlg& dialog, int kind)
    {
        dialog.m_owner = m_owner.window;
        dialog.m_kind = kind;
        dialog.m_workingConfig = m_ini.c_str();
        dialog.m_receivedName = m_received;
    }

    TempFolder m_folder{"kq_dir_recv"};
    TraceFile m_trace{UniqueTempPath("kq_dir_recv_trace", ".txt")};
    std::string m_ini;
    Owner m_owner;
    char m_received[CDirRecvDlg::kReceivedNameSize] = {};
};

TEST_F(DirRecvDlgTest, TheBarFollowsTheCountersAndOnlyEvent2EndsTheDialog)
{
    CDirRecvDlg dialog;
    Prepare(dialog, 0);
    const INT_PTR result = kqtest::RunModal(dialog, [&](CDialog& d) {
        kqtest::ExpectFitsItsFrame(d, SatchelRes::IDB_RECEIVE_BACKGROUND);
        HWND bar = d.GetDlgItem(CDirRecvDlg::kProgressId)->m_hWnd;
        g_dwTotalToBeRecv = 200;
        g_dwReceived = 50;
        EXPECT_TRUE(kqtest::PumpUntil([&] { return ::SendMessageA(bar, PBM_GETPOS, 0, 0) == 25; }));
        g_dwTotalToBeRecv = 0;
        EXPECT_TRUE(kqtest::PumpUntil([&] { return ::SendMessageA(bar, PBM_GETPOS, 0, 0) == 0; }));

        d.SendMessage(WM_KEYDOWN, VK_ESCAPE, 1);
        d.SendMessage(CDirRecvDlg::WM_TRANSMIT_END, 3, 0);
        d.SendMessage(CDirRecvDlg::WM_TRANSMIT_END, 2, -7);
        kqtest::PumpFor(100);
        EXPECT_TRUE(::IsWindowVisible(d.m_hWnd)) << "Escape, event 3 and result -7 leave it open";
        d.PostMessage(CDirRecvDlg::WM_TRANSMIT_END, 2, -4);
    });
    EXPECT_EQ(result, IDOK);
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    EXPECT_FALSE(m_owner.Take(wParam, lParam)) << "-4 tells the frame nothing";
    const std::string trace = m_trace.Read();
    EXPECT_NE(trace.find("KqTransmit InitReceiver send=234.6.7.8 receive=234.5.6.7 port=6103"), std::string::npos)
        << trace;
    EXPECT_NE(trace.find("KqTransmit RecvFile size=1024\n"), std::string::npos);
    EXPECT_NE(trace.find("KqTransmit UnInitReceiver\n"), std::string::npos);
}

TEST_F(DirRecvDlgTest, EndResultsArePassedToTheOwner)
{
    for (const LPARAM result : {0, -1, -2, -3, -6}) {
        SCOPED_TRACE(result);
        CDirRecvDlg dialog;
        Prepare(dialog, 1);
        kqtest::RunModal(dialog, [&](CDialog& d) { d.PostMessage(CDirRecvDlg::WM_TRANSMIT_END, 2, result); });
        WPARAM wParam = 0;
        LPARAM lParam = 1;
        ASSERT_TRUE(m_owner.Take(wParam, lParam));
        EXPECT_EQ(wParam, CDirRecvDlg::kProgramSentReport);
        EXPECT_EQ(lParam, result);
    }
    EXPECT_NE(m_trace.Read().find("KqTransmit RecvDir size=1024\n"), std::string::npos);
}

TEST_F(DirRecvDlgTest, AReceiveThatCannotStartEndsTheDialogAtOnce)
{
    // Another kind: nothing to receive, nothing to report.
    CDirRecvDlg other;
    Prepare(other, 2);
    EXPECT_EQ(kqtest::RunModal(other), IDOK);
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    EXPECT_FALSE(m_owner.Take(wParam, lParam));
    EXPECT_EQ(m_trace.Read(), "KqTransmit UnInitReceiver\n");

    // A receiver that cannot join its group: a failure the frame shows.
    ::WritePrivateProfileStringA("KQTRANSMIT", "recvgroupip", "10.1.2.3", m_ini.c_str());
    CDirRecvDlg failed;
    Prepare(failed, 0);
    EXPECT_EQ(kqtest::RunModal(failed), IDOK);
    ASSERT_TRUE(m_owner.Take(wParam, lParam));
    EXPECT_EQ(wParam, CDirRecvDlg::kProgramSentReport);
    EXPECT_EQ(lParam, -1);
}

TEST_F(DirRecvDlgTest, ADistributedFileArrivesIntact)
{
    const std::string source = m_folder / "lesson.bin";
    std::string content(64 * 1024 + 3, '\0');
    for (size_t i = 0; i < content.size(); ++i)
        content[i] = static_cast<char>(i * 7);
    std::ofstream(source, std::ios::binary) << content;
    const std::string target = m_folder / "recv\\";
    Owner teacher;
    ASSERT_EQ(InitSender(::inet_addr("234.5.6.7"), ::inet_addr("234.6.7.8"), htons(6103), teacher.window), 0);

    CDirRecvDlg dialog;
    Prepare(dialog, 0);
    const INT_PTR result = kqtest::RunModal(
        dialog, [&](CDialog&) { EXPECT_EQ(SendFile(source.c_str(), target.c_str(), 0, 1), 0); }, 30000);
    UnInitSender();
    EXPECT_EQ(result, IDOK);
    WPARAM wParam = 0;
    LPARAM lParam = 1;
    ASSERT_TRUE(m_owner.Take(wParam, lParam));
    EXPECT_EQ(lParam, 0);
    EXPECT_STREQ(m_received, (target + "lesson.bin").c_str());
    EXPECT_EQ(ReadBytes(target + "lesson.bin"), content);
}

} // namespace
