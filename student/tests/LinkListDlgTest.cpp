// The link list against a peer on the classroom group: requests, replies,
// refresh, close, and the addresses handed to the shell.

#include "common/ProgramFolder.h"
#include "student/LinkListDlg.h"
#include "student/tests/GroupPeer.h"
#include "widgets/tests/WidgetTestSupport.h"

#include "SatchelResources.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

using studenttest::GroupPeer;

constexpr char kGroup[] = "239.77.0.1";
constexpr uint16_t kMainPort = 7300;
constexpr DWORD kWaitMs = 3000;

std::string Reply(uint32_t code, const std::string& text = {}, size_t size = 8)
{
    std::string bytes(4, '\0');
    std::memcpy(bytes.data(), &code, sizeof code);
    bytes += text;
    if (bytes.size() < size)
        bytes.resize(size, '\0');
    return bytes;
}

// Waits for the dialog's request, skipping the peer's own datagrams that
// come back over the group.
bool WaitForRequest(GroupPeer& peer)
{
    std::string bytes;
    while (peer.Receive(bytes, kWaitMs))
        if (bytes == std::string(8, '\0'))
            return true;
    return false;
}

std::vector<std::string> Rows(const CLinkListDlg& dialog)
{
    std::vector<std::string> rows;
    for (int row = 0; row < dialog.RowCount(); ++row)
        rows.push_back(dialog.RowText(row));
    return rows;
}

TEST(LinkListDlg, RepliesFillTheListAndRefreshAsksAgain)
{
    GroupPeer peer(kGroup, kMainPort + CLinkListDlg::kPortOffset);
    ASSERT_TRUE(peer.Ok());
    CLinkListDlg dialog;
    dialog.m_mainPort = kMainPort;
    dialog.m_classroomGroup = peer.Group();
    const INT_PTR result = kqtest::RunModal(dialog, [&](CDialog& d) {
        auto& list = static_cast<CLinkListDlg&>(d);
        kqtest::ExpectFitsItsFrame(d, SatchelRes::IDB_LINK_LIST_BACKGROUND);
        ASSERT_TRUE(list.HasSocket());
        ASSERT_TRUE(WaitForRequest(peer)) << "the request at opening";
        peer.Send(Reply(20, "www.x.cn", 512));
        peer.Send(Reply(20, "WWW.X.CN", 512));
        peer.Send(Reply(20, "http://b.cn"));
        peer.Send(Reply(19, "", 4));     // a join notice of 4 bytes
        peer.Send(std::string("\x13\0", 2)); // too short to carry a code
        peer.Send(Reply(0));             // another student's request
        EXPECT_TRUE(kqtest::PumpUntil([&] { return list.RowCount() == 2; }));
        kqtest::PumpFor(300);
        EXPECT_EQ(Rows(list), (std::vector<std::string>{"www.x.cn", "http://b.cn"}));

        list.GetDlgItem(CLinkListDlg::kRefreshId)->SendMessage(BM_CLICK);
        EXPECT_EQ(list.RowCount(), 0) << "Refresh empties the list at once";
        EXPECT_TRUE(WaitForRequest(peer)) << "the request of Refresh";

        peer.Send(Reply(20, "a.cn"));
        peer.Send(Reply(19));
        peer.Send(Reply(20, "c.cn"));
        peer.Send(Reply(20, "d.cn"));
        EXPECT_TRUE(kqtest::PumpUntil([&] { return Rows(list) == std::vector<std::string>{"c.cn", "d.cn"}; }));

        // An address ending in a lone lead byte is one row however often it comes.
        for (int repeat = 0; repeat < 3; ++repeat)
            peer.Send(Reply(20, "e.cn\xB3"));
        EXPECT_TRUE(kqtest::PumpUntil([&] { return list.RowCount() == 3; }));
        kqtest::PumpFor(300);
        EXPECT_EQ(list.RowCount(), 3) << Rows(list).back();
        peer.Send(Reply(18));
    }, 20000);
    EXPECT_EQ(result, IDCANCEL) << "code 18 closes the dialog";
    EXPECT_FALSE(dialog.HasSocket());
}

// Registers HelpRecorder.exe as the http and https handler, so opened
// addresses are written to a record instead of starting a browser.
class AddressRecording {
public:
    AddressRecording()
    {
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        m_record = std::string(temp) + "kq_link_record.txt";
        ::DeleteFileA(m_record.c_str());
        const std::string command = "\"" + kq::GetProgramFolder() + "HelpRecorder.exe\" \"" + m_record + "\" \"%1\"";
        for (const char* scheme : kSchemes) {
            const std::string key = std::string(scheme) + "\\shell\\open\\command";
            ::RegSetValueA(HKEY_CLASSES_ROOT, scheme, REG_SZ, "URL", 3);
            ::RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, command.c_str(),
                           static_cast<DWORD>(command.size()));
        }
    }
    ~AddressRecording() { ::DeleteFileA(m_record.c_str()); }
    std::vector<std::string> Opened() const
    {
        std::vector<std::string> lines;
        std::ifstream record(m_record);
        for (std::string line; std::getline(record, line);)
            lines.push_back(line);
        return lines;
    }

private:
    static constexpr const char* kSchemes[] = {"http", "https"};
    std::string m_record;
};

TEST(LinkListDlg, TheChosenAddressOpensWithItsSchemeAndTheDialogStays)
{
    AddressRecording recording;
    GroupPeer peer(kGroup, kMainPort + CLinkListDlg::kPortOffset);
    ASSERT_TRUE(peer.Ok());
    CLinkListDlg dialog;
    dialog.m_mainPort = kMainPort;
    dialog.m_classroomGroup = peer.Group();
    std::vector<std::string> opened;
    const INT_PTR result = kqtest::RunModal(dialog, [&](CDialog& d) {
        auto& list = static_cast<CLinkListDlg&>(d);
        ASSERT_TRUE(WaitForRequest(peer));
        list.GetDlgItem(CLinkListDlg::kOpenId)->SendMessage(BM_CLICK); // nothing selected: nothing opens
        peer.Send(Reply(20, "www.x.cn"));
        peer.Send(Reply(20, "HTTPS://x.cn"));
        ASSERT_TRUE(kqtest::PumpUntil([&] { return list.RowCount() == 2; }));
        HWND rows = list.GetDlgItem(CLinkListDlg::kListId)->m_hWnd;
        for (int row = 0; row < 2; ++row) {
            ListView_SetItemState(rows, row, LVIS_SELECTED, LVIS_SELECTED);
            list.GetDlgItem(CLinkListDlg::kOpenId)->SendMessage(BM_CLICK);
            ListView_SetItemState(rows, row, 0, LVIS_SELECTED);
            kqtest::PumpUntil([&] { return recording.Opened().size() == static_cast<size_t>(row + 1); }, 15000);
        }
        EXPECT_TRUE(::IsWindowVisible(list.m_hWnd)) << "the dialog stays open";
        list.GetDlgItem(CLinkListDlg::kCloseId)->SendMessage(BM_CLICK);
    }, 40000);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(recording.Opened(), (std::vector<std::string>{"http://www.x.cn", "HTTPS://x.cn"}));
}

} // namespace
