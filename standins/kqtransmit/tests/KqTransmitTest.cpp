// KqTransmit.dll called as the teacher's and the student's programs call it,
// both sides in this one process over the private network.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "standins/kqtransmit/KqTransmit.h"
#include "standins/kqtransmit/TransferWire.h"
#include "standins/common/tests/StandinTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace kq::transmit;
using kq::standin::ReadBytes;
using kq::standin::RemoveTree;

constexpr uint16_t kGroupPort = 6001 + 2; // base port + classroom 2
constexpr DWORD kWaitMs = 20000;

DWORD Address(const char* dotted)
{
    return inet_addr(dotted);
}

// A hidden window that keeps every end message the library posts to it.
class DoneWindow {
public:
    DoneWindow()
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Procedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "KqTransmitTestWindow";
        RegisterClassA(&wc);
        handle_ = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, this);
    }
    ~DoneWindow() { DestroyWindow(handle_); }
    HWND Handle() const { return handle_; }

    // Pumps messages until the library posts `event`; false on time-out.
    bool WaitFor(WPARAM event, LPARAM& result, DWORD timeoutMs = kWaitMs)
    {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < timeoutMs) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
            auto found = ends_.find(event);
            if (found != ends_.end()) {
                result = found->second;
                ends_.erase(found);
                return true;
            }
            Sleep(10);
        }
        return false;
    }
    // Whether any end message came within `ms`.
    bool AnyWithin(DWORD ms)
    {
        LPARAM ignored;
        for (WPARAM event : {kTransmitSent, kTransmitReceived})
            if (WaitFor(event, ignored, ms / 2))
                return true;
        return false;
    }

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE)
            SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
        auto* self = reinterpret_cast<DoneWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (message == kTransmitDoneMessage && self != nullptr) {
            self->ends_[wParam] = lParam;
            return 0;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }

    HWND handle_ = nullptr;
    std::map<WPARAM, LPARAM> ends_;
};

std::string Bytes(size_t size, unsigned seed)
{
    std::string data(size, '\0');
    for (size_t i = 0; i < size; ++i)
        data[i] = static_cast<char>((i * 31 + seed * 7 + (i >> 9)) & 0xFF);
    return data;
}

void WriteAll(const std::string& path, const std::string& data)
{
    std::ofstream(path, std::ios::binary) << data;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Every file below `root`, by relative path, with its content ("<dir>" for folders).
std::map<std::string, std::string> Tree(const std::string& root, const std::string& prefix = "")
{
    std::map<std::string, std::string> tree;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((root + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return tree;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            tree[prefix + name] = "<dir>";
            tree.merge(Tree(root + "\\" + name, prefix + name + "\\"));
        } else {
            tree[prefix + name] = ReadBytes(root + "\\" + name);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return tree;
}

class KqTransmit : public ::testing::Test {
protected:
    void SetUp() override
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        root_ = kq::standin::UniqueTempPath("kqtransmit",
                                            std::string("-") +
                                                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        RemoveTree(root_);
        CreateDirectoryA(root_.c_str(), nullptr);
        trace_.emplace(root_ + "\\trace.txt");
    }
    void TearDown() override
    {
        UnInitSender();
        UnInitReceiver();
        QuitFileServer();
        QuitFileClient();
        EndServerToSendDir();
        EndClientToRecvDir();
        trace_.reset();
        RemoveTree(root_);
        WSACleanup();
    }
    std::string Path(const std::string& name) const { return root_ + "\\" + name; }
    std::string Trace() const { return trace_->Read(); }
    std::string WindowText() const
    {
        char text[16];
        std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(reinterpret_cast<uintptr_t>(window_.Handle())));
        return text;
    }

    // Teacher and student as the file sending and receiving dialogs set them up.
    void OpenBothSides()
    {
        ASSERT_EQ(InitSender(Address("234.5.6.7"), Address("234.6.7.8"), htons(kGroupPort), window_.Handle()), 0);
        InitReceiver(Address("234.6.7.8"), Address("234.5.6.7"), htons(kGroupPort), window_.Handle());
    }

    std::string root_;
    std::optional<kq::standin::TraceFile> trace_;
    DoneWindow window_;
};

TEST_F(KqTransmit, SentFileArrivesIntactAndTheCountersReachTheTotal)
{
    const std::string content = Bytes(300 * 1024 + 17, 1);
    WriteAll(Path("lesson.bin"), content);
    const std::string folder = Path("recv") + "\\";
    OpenBothSides();
    char location[1024] = "untouched";
    ASSERT_EQ(RecvFile(location, sizeof location), 0);

    ASSERT_EQ(SendFile(Path("lesson.bin").c_str(), folder.c_str(), 0, 1), 0);

    LPARAM received = 1;
    LPARAM sent = 1;
    ASSERT_TRUE(window_.WaitFor(kTransmitReceived, received));
    ASSERT_TRUE(window_.WaitFor(kTransmitSent, sent));
    EXPECT_EQ(received, kTransmitDone);
    EXPECT_EQ(sent, kTransmitDone);
    EXPECT_EQ(ReadBytes(folder + "lesson.bin"), content);
    EXPECT_STREQ(location, (folder + "lesson.bin").c_str());
    EXPECT_EQ(g_dwTotalToBeSend, content.size());
    EXPECT_EQ(g_dwSended, content.size());
    EXPECT_EQ(g_dwTotalToBeRecv, content.size());
    EXPECT_EQ(g_dwReceived, content.size());
    EXPECT_FALSE(Exists(folder + "lesson.bin.kqpart"));

    const std::string trace = Trace();
    EXPECT_NE(trace.find("KqTransmit InitSender first=234.5.6.7 second=234.6.7.8 port=6003 window=" + WindowText() +
                         "\n"),
              std::string::npos);
    EXPECT_NE(trace.find("KqTransmit InitReceiver send=234.6.7.8 receive=234.5.6.7 port=6003 window=" +
                         WindowText() + "\n"),
              std::string::npos);
    EXPECT_NE(trace.find("KqTransmit RecvFile size=1024\n"), std::string::npos);
    EXPECT_NE(trace.find("KqTransmit SendFile source=" + Path("lesson.bin") + " folder=" + folder +
                         " reserved=0 targets=1\n"),
              std::string::npos);
}

TEST_F(KqTransmit, SentFolderArrivesUnderItsOwnNameWithItsWholeTree)
{
    const std::string source = Path("课件");
    CreateDirectoryA(source.c_str(), nullptr);
    CreateDirectoryA((source + "\\sub").c_str(), nullptr);
    CreateDirectoryA((source + "\\empty").c_str(), nullptr);
    WriteAll(source + "\\作业.txt", "homework");
    WriteAll(source + "\\sub\\big.bin", Bytes(200 * 1024, 2));
    WriteAll(source + "\\sub\\none.txt", "");
    const std::string folder = Path("RECV") + "\\";
    OpenBothSides();
    char location[1024] = {};
    ASSERT_EQ(RecvDir(location, sizeof location), 0);

    // A folder typed with a trailing backslash reaches the library with two;
    // 0 targets is the whole class.
    ASSERT_EQ(SendDirectory((source + "\\\\").c_str(), folder.c_str(), 0, 0), 0);

    LPARAM received = 1;
    LPARAM sent = 1;
    ASSERT_TRUE(window_.WaitFor(kTransmitReceived, received));
    ASSERT_TRUE(window_.WaitFor(kTransmitSent, sent));
    EXPECT_EQ(received, kTransmitDone);
    EXPECT_EQ(sent, kTransmitDone);
    EXPECT_STREQ(location, (folder + "课件").c_str());
    EXPECT_EQ(Tree(folder + "课件"), Tree(source));
    EXPECT_EQ(Tree(source).count("empty"), 1u);
    EXPECT_EQ(g_dwSended, g_dwTotalToBeSend);
    EXPECT_EQ(g_dwTotalToBeSend, 200u * 1024 + 8);
}

TEST_F(KqTransmit, SendsThatCannotStartAreRefused)
{
    WriteAll(Path("a.txt"), "a");
    EXPECT_EQ(SendFile(Path("a.txt").c_str(), "C:\\KQSENDFILES\\", 0, 1), kTransmitFailed) << "before InitSender";
    OpenBothSides();
    struct Case {
        const char* what;
        std::string source;
        std::string folder;
        bool asFolder;
    } cases[] = {
        {"missing file", Path("missing.txt"), "C:\\KQSENDFILES\\", false},
        {"a file as a folder", Path("a.txt"), "C:\\KQSENDFILES\\", true},
        {"a folder as a file", root_, "C:\\KQSENDFILES\\", false},
        {"relative receiving folder", Path("a.txt"), "KQSENDFILES\\", false},
        {"receiving folder leaving its parent", Path("a.txt"), "C:\\A\\..\\WINDOWS\\", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int result = c.asFolder ? SendDirectory(c.source.c_str(), c.folder.c_str(), 0, 1)
                                      : SendFile(c.source.c_str(), c.folder.c_str(), 0, 1);
        EXPECT_EQ(result, kTransmitFailed);
    }
    EXPECT_EQ(SendFile(nullptr, "C:\\KQSENDFILES\\", 0, 1), kTransmitFailed);
}

TEST_F(KqTransmit, ReceivesThatCannotStartAreRefused)
{
    char location[1024] = {};
    EXPECT_LT(RecvFile(location, sizeof location), 0) << "before InitReceiver";
    EXPECT_LT(RecvDir(location, sizeof location), 0) << "before InitReceiver";
    EXPECT_LT(InitReceiver(Address("234.6.7.8"), Address("10.1.2.3"), htons(kGroupPort), window_.Handle()), 0)
        << "no group to join";
    EXPECT_LT(RecvFile(location, sizeof location), 0) << "after a failed InitReceiver";

    ASSERT_EQ(InitReceiver(Address("234.6.7.8"), Address("234.5.6.7"), htons(kGroupPort), window_.Handle()), 0);
    EXPECT_LT(RecvFile(nullptr, sizeof location), 0) << "no buffer";
    ASSERT_EQ(RecvFile(location, sizeof location), 0);
    EXPECT_LT(RecvDir(location, sizeof location), 0) << "a receive is running";
    UnInitReceiver();
}

TEST_F(KqTransmit, CancelledSendEndsWithoutAMessageAndAllowsANewOne)
{
    WriteAll(Path("a.txt"), "a");
    OpenBothSides();
    ASSERT_EQ(SendFile(Path("a.txt").c_str(), "C:\\KQSENDFILES\\", 0, 3), 0);
    EXPECT_EQ(SendFile(Path("a.txt").c_str(), "C:\\KQSENDFILES\\", 0, 3), kTransmitFailed) << "one send at a time";

    EXPECT_EQ(CancelSendFile(), 0);

    EXPECT_FALSE(window_.AnyWithin(1500));
    EXPECT_EQ(SendFile(Path("a.txt").c_str(), "C:\\KQSENDFILES\\", 0, 3), 0);
    EXPECT_EQ(CancelSendFile(), 0);
    EXPECT_EQ(CancelSendFile(), 0) << "nothing left to cancel";
    EXPECT_NE(Trace().find("KqTransmit CancelSendFile\n"), std::string::npos);
}

// A sender of our own that offers whatever a test wants the receiver to see.
class FakeSender {
public:
    FakeSender(uint32_t session, const std::string& folder, const std::string& name)
    {
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in local{};
        local.sin_family = AF_INET;
        int length = sizeof local;
        bind(listener_, reinterpret_cast<sockaddr*>(&local), sizeof local);
        listen(listener_, 1);
        getsockname(listener_, reinterpret_cast<sockaddr*>(&local), &length);
        offer_.magic = kOfferMagic;
        offer_.session = session;
        offer_.tcpPort = ntohs(local.sin_port);
        std::strncpy(offer_.folder, folder.c_str(), sizeof offer_.folder - 1);
        std::strncpy(offer_.name, name.c_str(), sizeof offer_.name - 1);
    }
    ~FakeSender()
    {
        closesocket(peer_);
        closesocket(listener_);
    }
    void Offer()
    {
        SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(kGroupPort);
        to.sin_addr.s_addr = Address("234.5.6.7");
        sendto(s, reinterpret_cast<const char*>(&offer_), sizeof offer_, 0, reinterpret_cast<sockaddr*>(&to),
               sizeof to);
        closesocket(s);
    }
    // Takes the receiver's connection and streams one file entry named `entry`.
    bool StreamOneFile(const std::string& entry, const std::string& data)
    {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(listener_, &set);
        timeval wait{10, 0};
        if (select(0, &set, nullptr, nullptr, &wait) != 1)
            return false;
        peer_ = accept(listener_, nullptr, nullptr);
        StreamHello hello{};
        recv(peer_, reinterpret_cast<char*>(&hello), sizeof hello, MSG_WAITALL);
        const StreamStart start{data.size(), 1};
        const EntryHeader header{kEntryFile, static_cast<uint16_t>(entry.size()), data.size()};
        send(peer_, reinterpret_cast<const char*>(&start), sizeof start, 0);
        send(peer_, reinterpret_cast<const char*>(&header), sizeof header, 0);
        send(peer_, entry.data(), static_cast<int>(entry.size()), 0);
        send(peer_, data.data(), static_cast<int>(data.size()), 0);
        return hello.session == offer_.session;
    }

private:
    TransferOffer offer_{};
    SOCKET listener_ = INVALID_SOCKET;
    SOCKET peer_ = INVALID_SOCKET;
};

TEST_F(KqTransmit, ReceiverRefusesOffersAndNamesThatLeaveTheReceivingFolder)
{
    InitReceiver(Address("234.6.7.8"), Address("234.5.6.7"), htons(kGroupPort), window_.Handle());
    char location[1024] = "untouched";
    LPARAM result = 0;

    FakeSender badFolder(1, "C:\\KQ\\..\\WINDOWS\\", "x.txt");
    ASSERT_EQ(RecvFile(location, sizeof location), 0);
    badFolder.Offer();
    ASSERT_TRUE(window_.WaitFor(kTransmitReceived, result));
    EXPECT_EQ(result, kTransmitRefused);

    const std::string folder = Path("recv") + "\\";
    FakeSender badEntry(2, folder, "x.txt");
    ASSERT_EQ(RecvFile(location, sizeof location), 0);
    badEntry.Offer();
    ASSERT_TRUE(badEntry.StreamOneFile("..\\evil.txt", "evil"));
    ASSERT_TRUE(window_.WaitFor(kTransmitReceived, result));
    EXPECT_EQ(result, kTransmitRefused);
    EXPECT_FALSE(Exists(root_ + "\\evil.txt"));
    EXPECT_STREQ(location, "untouched");
}

TEST_F(KqTransmit, HomeworkIsHandedInToTheFileServerUnderTheSeatNumber)
{
    const std::string folder = Path("作业") + "\\";
    const int port = StartFileServer(folder.c_str(), window_.Handle());
    ASSERT_GT(port, 0);
    EXPECT_EQ(StartFileServer(folder.c_str(), window_.Handle()), kTransmitAlreadyRunning);
    const std::string content = Bytes(70000, 3);
    WriteAll(Path("答案.doc"), content);

    struct Case {
        const char* what;
        std::string path;
        const char* seat;
        WPARAM event;
        LPARAM result;
    } cases[] = {
        {"a file", Path("答案.doc"), "12", kTransmitHandedIn, kTransmitDone},
        {"a missing file", Path("missing.doc"), "12", kTransmitHandInFailed, kTransmitFailed},
        {"a seat that is a path", Path("答案.doc"), "..\\..", kTransmitHandInFailed, kTransmitRejected},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QuitFileClient();
        ASSERT_EQ(StartFileClient(Address("127.0.0.1"), static_cast<WORD>(port), 1, c.path.c_str(), c.seat,
                                  window_.Handle()),
                  0);
        LPARAM result = 1;
        ASSERT_TRUE(window_.WaitFor(c.event, result));
        EXPECT_EQ(result, c.result);
    }
    EXPECT_EQ(ReadBytes(folder + "12\\答案.doc"), content);
    EXPECT_EQ(Tree(folder).size(), 2u) << "only the seat folder and its file";
    EXPECT_NE(Trace().find("KqTransmit StartFileClient address=127.0.0.1 port=" + std::to_string(port) +
                           " kind=1 path=" + Path("答案.doc") + " seat=12 window=" + WindowText() + "\n"),
              std::string::npos);

    EXPECT_EQ(QuitFileServer(), 0);
    EXPECT_GT(StartFileServer(folder.c_str(), window_.Handle()), 0) << "a new start after the quit";
}

TEST_F(KqTransmit, ServedFolderIsCopiedUnderItsOwnName)
{
    const std::string served = Path("teacher\\Update");
    CreateDirectoryA(Path("teacher").c_str(), nullptr);
    CreateDirectoryA(served.c_str(), nullptr);
    WriteAll(served + "\\SetUp.exe", Bytes(5000, 4));
    const WORD port = 7311;
    EXPECT_EQ(StartServerToSendDir(Path("missing").c_str(), window_.Handle(), port), kTransmitFailed);
    ASSERT_EQ(StartServerToSendDir((served + "\\").c_str(), window_.Handle(), port), 0);
    EXPECT_EQ(StartServerToSendDir(served.c_str(), window_.Handle(), port), kTransmitAlreadyRunning);

    const std::string install = Path("student");
    ASSERT_EQ(StartClientToRecvDir(install.c_str(), window_.Handle(), Address("127.0.0.1"), port), 0);

    LPARAM result = 1;
    ASSERT_TRUE(window_.WaitFor(kTransmitDirReceived, result));
    EXPECT_EQ(result, kTransmitDone);
    EXPECT_EQ(Tree(install + "\\Update"), Tree(served));
    EXPECT_EQ(EndClientToRecvDir(), 0);
    EXPECT_EQ(EndServerToSendDir(), 0);
    EXPECT_EQ(EndServerToSendDir(), 0) << "harmless when not serving";
    EXPECT_NE(Trace().find("KqTransmit StartClientToRecvDir folder=" + install + " window=" + WindowText() +
                           " address=127.0.0.1 port=7311\n"),
              std::string::npos);
}

} // namespace
