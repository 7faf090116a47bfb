// The agent on a PC whose system drive is not a fixed disk: it waits for
// its per-host copy of student.ini, asking for it about once a second, opens
// the transport in per-host mode and writes its changes to the copy on C:.

#include "common/ConfigNotice.h"
#include "common/LecternMessages.h"
#include "common/SwitchList.h"
#include "student/tests/GroupPeer.h"
#include "student/tests/StudentAgentInstall.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

using kqtest::StudentAgentInstall;

constexpr char kNetworkDrive[] = "KQ_TEST_DRIVE=network";
constexpr DWORD kSettleMs = 2000;
constexpr size_t kCopies = 7;             // every notice goes out seven times
constexpr DWORD kStartPatienceMs = 20000; // a busy machine starts Wine slowly
constexpr DWORD kNextNoticeMs = 3000;     // "about once a second", with room for a busy machine

std::string HostName()
{
    char name[100] = {};
    ::gethostname(name, sizeof name);
    return name;
}

// The notices that arrive within `timeoutMs`, at most `atMost` of them.
std::vector<kq::ConfigNotice> Collect(studenttest::GroupPeer& peer, DWORD timeoutMs, size_t atMost = SIZE_MAX)
{
    std::vector<kq::ConfigNotice> notices;
    const DWORD start = ::GetTickCount();
    std::string bytes;
    while (::GetTickCount() - start < timeoutMs && notices.size() < atMost) {
        if (!peer.Receive(bytes, timeoutMs - (::GetTickCount() - start)))
            break;
        kq::ConfigNotice notice;
        if (bytes.size() != sizeof notice)
            continue;
        std::memcpy(&notice, bytes.data(), sizeof notice);
        notices.push_back(notice);
    }
    return notices;
}

// The local copy's folder on C:, removed afterwards.
struct LocalCopy {
    explicit LocalCopy(const std::string& host) : folder("C:\\" + host), file(folder + "\\" + host + ".ini") {}
    ~LocalCopy()
    {
        ::DeleteFileA(file.c_str());
        ::RemoveDirectoryA(folder.c_str());
    }
    std::string folder;
    std::string file;
};

TEST(AgentPerHost, AsksForItsCopyEverySecondThenOpensInPerHostMode)
{
    studenttest::GroupPeer peer("227.1.1.6", 5998);
    ASSERT_TRUE(peer.Ok());
    const std::string host = HostName();
    ASSERT_FALSE(host.empty());
    LocalCopy local(host);
    StudentAgentInstall install("A7");
    ASSERT_TRUE(install.Start({kNetworkDrive}));

    // The first notice whenever the agent is up, the next about a second later.
    std::vector<kq::ConfigNotice> notices = Collect(peer, kStartPatienceMs, kCopies);
    ASSERT_EQ(notices.size(), kCopies) << "the first notice, seven copies";
    const std::vector<kq::ConfigNotice> next = Collect(peer, kNextNoticeMs, kCopies);
    ASSERT_EQ(next.size(), kCopies) << "the next notice within " << kNextNoticeMs << " ms";
    notices.insert(notices.end(), next.begin(), next.end());
    std::set<uint16_t> stamps;
    for (size_t i = 0; i < notices.size(); ++i) {
        const kq::ConfigNotice& n = notices[i];
        EXPECT_EQ(n.kind, 1);
        EXPECT_EQ(std::string(n.host), host);
        EXPECT_EQ(std::string(n.path), install.IniPath()) << "the master file is asked for";
        EXPECT_EQ(std::memcmp(&n, &notices[i - i % kCopies], sizeof n), 0) << "copy " << i << " of its notice";
        stamps.insert(n.stamp);
    }
    EXPECT_EQ(notices[0].stamp, 0);
    EXPECT_EQ(stamps.size(), (notices.size() + kCopies - 1) / kCopies) << "no two notices share a stamp";
    EXPECT_FALSE(install.Traced("LecternOpen record"));

    // The service makes the copy, its operating systems last: the agent
    // waits for them, then goes on in per-host mode.
    const std::string copy = install.PathOf(host + ".ini");
    ASSERT_TRUE(::CopyFileA(install.IniPath().c_str(), copy.c_str(), FALSE));
    ::WritePrivateProfileStringA("OS", nullptr, nullptr, copy.c_str());
    ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, copy.c_str());
    EXPECT_FALSE(install.WaitForTrace("KqTest", 4000)) << "the copy is not complete yet";
    ::WritePrivateProfileStringA("OS", "OSmajorversion1", "10", copy.c_str());
    ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, copy.c_str());
    EXPECT_TRUE(install.WaitForTrace("LecternOpen record size=332 edition=0 perhost=1 "));
    EXPECT_TRUE(install.Traced("KqTest path=" + install.PathOf(host + ".ini") + " "));
}

TEST(AgentPerHost, AnEnteredSeatGoesToTheLocalCopyAndIsAnnounced)
{
    const std::string host = HostName();
    LocalCopy local(host);
    StudentAgentInstall install("NULL");
    ASSERT_TRUE(::CopyFileA(install.IniPath().c_str(), install.PathOf(host + ".ini").c_str(), FALSE));
    ASSERT_TRUE(install.Start({kNetworkDrive}));
    const HWND dialog = install.Window("KqInputNumberDlg", kqtest::kAgentPatienceMs + kSettleMs);
    ASSERT_NE(dialog, nullptr);

    studenttest::GroupPeer peer("227.1.1.6", 5998);
    ASSERT_TRUE(peer.Ok());
    ::SetDlgItemTextA(dialog, 1000, "B3");
    const DWORD entered = ::GetTickCount();
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(102, BN_CLICKED), 0);
    const std::vector<kq::ConfigNotice> notices = Collect(peer, 6000);
    ASSERT_GE(notices.size(), 7u);
    EXPECT_GE(::GetTickCount() - entered, 2900u) << "announced 3 s later";
    EXPECT_EQ(notices[0].kind, 1);
    EXPECT_EQ(std::string(notices[0].path), local.file);
    EXPECT_EQ(install.Ini("STUDENTNUMBER", "number", local.file), "B3");
    EXPECT_EQ(install.Ini("STUDENTNUMBER", "number", install.PathOf(host + ".ini")), "NULL")
        << "the per-host copy comes back from the service";
    EXPECT_TRUE(install.WaitForTrace("perhost=1 "));
}

TEST(AgentPerHost, RestrictionSwitchesAreSet)
{
    constexpr char kSwitchKey[] = "Software\\KqTest\\PerHostSwitches";
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kSwitchKey);
    const std::string host = HostName();
    LocalCopy local(host);
    StudentAgentInstall install("A7");
    install.SetRegisterIni(std::string("[5]\r\npath=") + kSwitchKey + "\r\nkey=NoRun\r\n[6]\r\npath=" +
                           kSwitchKey + "\r\nkey=NoFind\r\n");
    ASSERT_TRUE(::CopyFileA(install.IniPath().c_str(), install.PathOf(host + ".ini").c_str(), FALSE));
    ASSERT_TRUE(install.Start({kNetworkDrive}));
    ASSERT_TRUE(install.WaitForTrace("perhost=1 "));

    kq::SwitchList list = {};
    list.count = 2;
    list.pairs[0] = {4, 1}; // section 5 on
    list.pairs[1] = {5, 2}; // section 6: 2 is not on
    list.pairs[2] = {5, 1}; // past the count: never read
    ASSERT_TRUE(install.Deliver(kq::kStudentSwitches, list));
    DWORD noRun = 0;
    DWORD noFind = 1;
    ASSERT_TRUE(kqtest::WaitFor([&] {
        return kqtest::ReadUserDword(kSwitchKey, "NoRun", noRun) && kqtest::ReadUserDword(kSwitchKey, "NoFind", noFind);
    }));
    EXPECT_EQ(noRun, 1u);
    EXPECT_EQ(noFind, 0u) << "the list is read no further than its count";
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kSwitchKey);
}

} // namespace
