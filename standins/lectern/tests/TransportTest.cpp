// The two sides of the transport talking in one process: the teacher side
// and one student side, each with a window standing in for its program,
// over the private network's loopback of the classroom group.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/ClassroomGroup.h"
#include "common/LecternMessages.h"
#include "common/SeatTextRecord.h"
#include "common/StudentInitRecord.h"
#include "common/StudentLogonRecord.h"
#include "common/TeacherConfig.h"
#include "common/TeacherMessage.h"
#include "common/TransferParams.h"
#include "standins/lectern/StudentTransport.h"
#include "standins/lectern/TeacherTransport.h"

namespace kq::lectern {
namespace {

constexpr uint16_t kMainPort = 21000;
constexpr uint32_t kWaitMs = 5000;
constexpr int32_t kSeat = 3;
constexpr char kSeatName[] = "A7";

Timing FastTiming()
{
    Timing timing;
    timing.beaconMs = 200;
    timing.heartbeatMs = 200;
    timing.studentSilentMs = 1000;
    timing.teacherLostMs = 1000;
    timing.logonRetryMs = 300;
    return timing;
}

uint32_t Group()
{
    in_addr base = {};
    inet_pton(AF_INET, "227.1.9.7", &base);
    return MakeClassroomGroup(base.s_addr, 0);
}

// A message a host window received; records are copied while the handler runs.
struct Received {
    UINT message;
    uint16_t code;
    uint16_t sub;
    LPARAM value;
    std::vector<uint8_t> record;
};

// A message-only window that records what it gets and lets a test answer.
class HostWindow {
public:
    std::function<LRESULT(UINT, WPARAM, LPARAM)> onMessage;
    std::vector<Received> received;

    HostWindow()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "LecternTestHost";
        RegisterClassA(&wc);
        hwnd = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, this);
    }
    ~HostWindow() { DestroyWindow(hwnd); }

    uint32_t handle() const { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hwnd)); }

    size_t Count(UINT message, uint16_t code) const
    {
        size_t n = 0;
        for (const Received& r : received)
            n += r.message == message && r.code == code;
        return n;
    }
    const Received* Find(UINT message, uint16_t code) const
    {
        for (const Received& r : received) {
            if (r.message == message && r.code == code)
                return &r;
        }
        return nullptr;
    }

    HWND hwnd = nullptr;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE)
            SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
        auto* self = reinterpret_cast<HostWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self == nullptr || (message != WM_LECTERN_NOTIFY && message != WM_STUDENT_LOGON &&
                                message != WM_LECTERN_ERROR))
            return DefWindowProcA(hwnd, message, wParam, lParam);
        Received r = {message, LOWORD(wParam), HIWORD(wParam), lParam, {}};
        self->received.push_back(r);
        return self->onMessage ? self->onMessage(message, wParam, lParam) : 0;
    }
};

// Runs the message loop until `done` holds or the time is up.
bool PumpUntil(const std::function<bool()>& done, uint32_t timeoutMs = kWaitMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!done()) {
        if (GetTickCount64() > deadline)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return true;
}

void PumpFor(uint32_t ms)
{
    PumpUntil([] { return false; }, ms);
}

class Classroom : public ::testing::Test {
protected:
    void SetUp() override
    {
        WSADATA wsa;
        ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &wsa), 0);
        teacherWindow.onMessage = [this](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
            if (message == WM_STUDENT_LOGON) {
                auto* record = reinterpret_cast<StudentLogonRecord*>(lParam);
                logons.push_back(*record);
                record->handUpAllowed = 1;
                record->homeworkActive = 1;
                record->homeworkPort = 4321;
                record->result = seatToGive;
                return seatToGive;
            }
            if (message == WM_LECTERN_NOTIFY && LOWORD(wParam) == kEventSeatText) {
                const auto* text = reinterpret_cast<const SeatTextRecord*>(lParam);
                seatTexts.push_back({static_cast<int>(text->seat), text->text});
            }
            return 0;
        };
        studentWindow.onMessage = [this](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
            if (message == WM_LECTERN_NOTIFY && studentRecordSize(LOWORD(wParam)) > 0) {
                const auto* bytes = reinterpret_cast<const uint8_t*>(lParam);
                studentWindow.received.back().record.assign(bytes, bytes + studentRecordSize(LOWORD(wParam)));
            }
            if (onStudentMessage)
                onStudentMessage(message, wParam, lParam);
            return 0;
        };
    }

    void TearDown() override
    {
        if (student)
            student->Close();
        if (teacher)
            teacher->Close();
        WSACleanup();
    }

    static size_t studentRecordSize(uint16_t code)
    {
        switch (code) {
        case kStudentTeacherMessage: return sizeof(TeacherMessage);
        case kStudentHandInButton:
        case kStudentCollectFile: return sizeof(TransferParams);
        default: return 0;
        }
    }

    void OpenTeacher()
    {
        TeacherConfig config = {};
        config.mainWindow = teacherWindow.handle();
        config.MainPort = kMainPort;
        config.classroomGroup = Group();
        teacher = TeacherTransport::Open(config, timing);
        ASSERT_TRUE(teacher);
    }

    void OpenStudent()
    {
        StudentInitRecord init = {};
        init.frameWindow = studentWindow.handle();
        init.mainPort = kMainPort;
        init.classroomGroup = Group();
        std::strcpy(init.seatNumber, kSeatName);
        student = StudentTransport::Open(init, timing);
        ASSERT_TRUE(student);
    }

    // Both sides open and the student logged on as kSeat.
    void LogOn()
    {
        OpenTeacher();
        OpenStudent();
        ASSERT_TRUE(PumpUntil([&] { return studentWindow.Count(WM_LECTERN_NOTIFY, kStudentConnection) > 0; }));
    }

    void Send(uint16_t code, std::vector<uint8_t> targets = {}, uint8_t param = 0, const char* text = "")
    {
        CommandBlockWithTail block = {};
        block.block.code = code;
        block.block.param = param;
        std::strcpy(reinterpret_cast<char*>(block.block.args), text);
        block.block.targetCount = static_cast<uint16_t>(targets.size());
        std::memcpy(TargetSeats(block), targets.data(), targets.size());
        teacher->SendCommand(block);
    }

    Timing timing = FastTiming();
    HostWindow teacherWindow;
    HostWindow studentWindow;
    std::function<void(UINT, WPARAM, LPARAM)> onStudentMessage;
    std::shared_ptr<TeacherTransport> teacher;
    std::shared_ptr<StudentTransport> student;
    std::vector<StudentLogonRecord> logons;
    std::vector<std::pair<int, std::string>> seatTexts;
    int32_t seatToGive = kSeat;
};

TEST_F(Classroom, TheLogOnReachesTheTeacherOnceAndItsReplyTheStudent)
{
    LogOn();
    ASSERT_EQ(logons.size(), 1u);
    EXPECT_STREQ(logons[0].seatName, kSeatName);
    EXPECT_NE(logons[0].senderAddress, 0u);
    PumpUntil([&] { return studentWindow.Count(WM_LECTERN_NOTIFY, kStudentHandInButton) > 0; });
    EXPECT_EQ(studentWindow.Find(WM_LECTERN_NOTIFY, kStudentConnection)->value, kSeat);
    EXPECT_EQ(studentWindow.Find(WM_LECTERN_NOTIFY, kStudentHandUpButton)->value, 1);
    const Received* handIn = studentWindow.Find(WM_LECTERN_NOTIFY, kStudentHandInButton);
    ASSERT_NE(handIn, nullptr);
    EXPECT_EQ(handIn->sub, 1);
    TransferParams params;
    ASSERT_EQ(handIn->record.size(), sizeof params);
    std::memcpy(&params, handIn->record.data(), sizeof params);
    EXPECT_EQ(params.port, 4321);
    EXPECT_NE(params.address, 0u);
    EXPECT_EQ(student->seat(), kSeat);

    // Heartbeats and log-on retries over several periods ask the window nothing more.
    PumpFor(1000);
    EXPECT_EQ(logons.size(), 1u);
    EXPECT_EQ(studentWindow.Count(WM_LECTERN_NOTIFY, kStudentConnection), 1u);
}

TEST_F(Classroom, ARefusedSeatIsToldSoAndGetsNothingElse)
{
    seatToGive = -10;
    LogOn();
    PumpFor(1000);
    EXPECT_EQ(logons.size(), 1u);
    ASSERT_EQ(studentWindow.received.size(), 1u);
    EXPECT_EQ(studentWindow.received[0].code, kStudentConnection);
    EXPECT_EQ(studentWindow.received[0].value, -10);
    Send(29); // roll call to the whole class
    PumpFor(500);
    EXPECT_EQ(studentWindow.received.size(), 1u);
}

TEST_F(Classroom, ACommandReachesTheStudentOnlyWhenItsSeatIsAddressed)
{
    LogOn();
    CommandBlockWithTail texts = {};
    texts.block.code = 9;
    std::strcpy(reinterpret_cast<char*>(texts.block.args), "通知");
    std::strcpy(reinterpret_cast<char*>(texts.block.args) + 32, "明天考试");
    std::strcpy(reinterpret_cast<char*>(texts.block.args) + 214, "王老师");
    texts.block.targetCount = 1;
    texts.block.seats[0] = kSeat + 1;
    teacher->SendCommand(texts);
    texts.block.targetCount = 2;
    texts.block.seats[1] = kSeat;
    teacher->SendCommand(texts);
    ASSERT_TRUE(PumpUntil([&] { return studentWindow.Count(WM_LECTERN_NOTIFY, kStudentTeacherMessage) > 0; }));
    PumpFor(300); // the later copies of both commands
    EXPECT_EQ(studentWindow.Count(WM_LECTERN_NOTIFY, kStudentTeacherMessage), 1u);
    TeacherMessage message;
    const Received* got = studentWindow.Find(WM_LECTERN_NOTIFY, kStudentTeacherMessage);
    ASSERT_EQ(got->record.size(), sizeof message);
    std::memcpy(&message, got->record.data(), sizeof message);
    EXPECT_STREQ(message.title, "通知");
    EXPECT_STREQ(message.text, "明天考试");
    EXPECT_STREQ(message.signature, "王老师");
}

TEST_F(Classroom, TheHundredSixtiethSeatInTheTrailingWordIsAddressed)
{
    seatToGive = 160;
    LogOn();
    CommandBlockWithTail block = {};
    block.block.code = 39; // hand-up permission
    block.block.param = 1;
    block.block.targetCount = 160;
    std::memset(TargetSeats(block), 1, 159);
    block.tail = 160; // its first byte is the 160th seat
    teacher->SendCommand(block);
    EXPECT_TRUE(PumpUntil([&] { return studentWindow.Count(WM_LECTERN_NOTIFY, kStudentHandUpButton) > 1; }));
}

TEST_F(Classroom, RequestsReachTheTeacherOnceAsEvents)
{
    LogOn();
    StudentRequest handUp = {};
    handUp.type = kRequestHandUp;
    student->SendRequest(handUp);
    StudentRequest answer = {};
    answer.type = kRequestRollCallAnswer;
    std::strcpy(answer.answer, "到");
    student->SendRequest(answer);
    ASSERT_TRUE(PumpUntil([&] { return !seatTexts.empty(); }));
    PumpFor(300);
    ASSERT_EQ(teacherWindow.Count(WM_LECTERN_NOTIFY, kEventHandUp), 1u);
    EXPECT_EQ(teacherWindow.Find(WM_LECTERN_NOTIFY, kEventHandUp)->value, kSeat);
    ASSERT_EQ(seatTexts.size(), 1u);
    EXPECT_EQ(seatTexts[0].first, kSeat);
    EXPECT_EQ(seatTexts[0].second, "到");
}

TEST_F(Classroom, AVanishedStudentGoesOffLineWithinTheHeartbeatBound)
{
    LogOn();
    const ULONGLONG vanished = GetTickCount64();
    student->Abandon();
    ASSERT_TRUE(PumpUntil([&] { return teacherWindow.Count(WM_LECTERN_NOTIFY, kEventSeatOffline) > 0; }));
    const ULONGLONG took = GetTickCount64() - vanished;
    EXPECT_GE(took, timing.studentSilentMs - timing.heartbeatMs);
    EXPECT_LE(took, timing.studentSilentMs + 1500);
    EXPECT_EQ(teacherWindow.Find(WM_LECTERN_NOTIFY, kEventSeatOffline)->value, kSeat);
}

TEST_F(Classroom, AClosingStudentSaysGoodbyeAndATeacherCloseDisablesTheStudent)
{
    timing.studentSilentMs = 4000; // so only the goodbye can report it soon
    LogOn();
    student->Close();
    const ULONGLONG closed = GetTickCount64();
    ASSERT_TRUE(PumpUntil([&] { return teacherWindow.Count(WM_LECTERN_NOTIFY, kEventSeatOffline) > 0; }));
    EXPECT_LT(GetTickCount64() - closed, timing.studentSilentMs / 2);
    student.reset();

    OpenStudent();
    ASSERT_TRUE(PumpUntil([&] { return studentWindow.Count(WM_LECTERN_NOTIFY, kStudentConnection) > 1; }));
    teacher->Close();
    teacher.reset();
    // No teacher comes back within the bound: the student's buttons go.
    // The student's bound runs from the goodbye, which goes out before Close
    // returns (and the engine closes after it): a few ms of slack.
    constexpr ULONGLONG kCloseSlackMs = 50;
    const ULONGLONG left = GetTickCount64();
    ASSERT_TRUE(PumpUntil([&] { return studentWindow.Count(WM_LECTERN_NOTIFY, kStudentDisable) > 0; }));
    EXPECT_GE(GetTickCount64() - left + kCloseSlackMs, timing.teacherLostMs);
}

TEST_F(Classroom, ATeacherThatReopensAtOnceIsLoggedOnAgainWithoutDisablingTheStudent)
{
    // Reopening includes the screen engine's start, which takes seconds on a
    // busy machine: the bound must leave room for it.
    constexpr uint32_t kReopenBoundMs = 8000;
    timing.teacherLostMs = kReopenBoundMs;
    LogOn();
    teacher->Close();
    teacher.reset();
    OpenTeacher();
    ASSERT_TRUE(PumpUntil([&] { return studentWindow.Count(WM_LECTERN_NOTIFY, kStudentConnection) > 1; }));
    PumpFor(timing.teacherLostMs + 300);
    EXPECT_EQ(studentWindow.Count(WM_LECTERN_NOTIFY, kStudentDisable), 0u);
    EXPECT_EQ(logons.size(), 2u);
}

TEST_F(Classroom, TheAgentMayCloseTheTransportInsideItsHandler)
{
    onStudentMessage = [this](UINT message, WPARAM wParam, LPARAM) {
        if (message == WM_LECTERN_NOTIFY && LOWORD(wParam) == kStudentConnection && student) {
            auto closing = std::move(student);
            closing->Close();
        }
    };
    LogOn();
    PumpFor(500);
    // The rest of the reply (hand-up and hand-in buttons) is not delivered.
    EXPECT_EQ(studentWindow.received.size(), 1u);
    EXPECT_FALSE(student);
}

TEST_F(Classroom, TheLockCoversTheScreenUntilTheTeacherStops)
{
    LogOn();
    Send(13);
    ASSERT_TRUE(PumpUntil([] { return FindWindowA("KqLecternLock", nullptr) != nullptr; }));
    Send(0);
    ASSERT_TRUE(PumpUntil([] { return FindWindowA("KqLecternLock", nullptr) == nullptr; }));
    PumpUntil([&] { return studentWindow.Count(WM_LECTERN_NOTIFY, kStudentToolbarRole) > 0; });
    EXPECT_EQ(studentWindow.Find(WM_LECTERN_NOTIFY, kStudentToolbarRole)->value, 1);
}

// Sends raw bytes from one socket of the test's own (one source port).
class RawSender {
public:
    RawSender() : socket_(socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP)) {}
    ~RawSender() { closesocket(socket_); }
    void Send(uint32_t address, uint16_t port, const std::vector<uint8_t>& bytes)
    {
        sockaddr_in to = {};
        to.sin_family = AF_INET;
        to.sin_port = htons(port);
        to.sin_addr.s_addr = address;
        sendto(socket_, reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()), 0,
               reinterpret_cast<sockaddr*>(&to), sizeof to);
    }

    // The datagrams that came back to this socket within timeoutMs, decoded.
    std::vector<Datagram> Collect(uint32_t timeoutMs)
    {
        std::vector<Datagram> got;
        const ULONGLONG deadline = GetTickCount64() + timeoutMs;
        for (ULONGLONG now = GetTickCount64(); now < deadline; now = GetTickCount64()) {
            fd_set readable;
            FD_ZERO(&readable);
            FD_SET(socket_, &readable);
            const long left = static_cast<long>(deadline - now);
            timeval wait = {left / 1000, (left % 1000) * 1000};
            if (select(0, &readable, nullptr, nullptr, &wait) <= 0)
                break;
            uint8_t bytes[kMaxDatagramSize];
            const int n = recv(socket_, reinterpret_cast<char*>(bytes), sizeof bytes, 0);
            Datagram d;
            if (n > 0 && Decode(bytes, static_cast<size_t>(n), &d) == DecodeStatus::Ok)
                got.push_back(d);
        }
        return got;
    }

private:
    SOCKET socket_;
};

std::vector<std::vector<uint8_t>> MalformedDatagrams()
{
    Datagram command;
    command.kind = Kind::Command;
    command.session = 0x99;
    command.command.code = 29;
    std::vector<uint8_t> valid(kMaxDatagramSize);
    valid.resize(Encode(command, valid.data(), valid.size()));
    std::vector<uint8_t> truncated(valid.begin(), valid.begin() + 20);
    std::vector<uint8_t> badSeat = valid;
    badSeat.push_back(0); // one target, seat 0
    badSeat[kHeaderSize + kCommandFixedSize - 2] = 1;
    badSeat[6] = static_cast<uint8_t>(kCommandFixedSize + 1);
    std::vector<uint8_t> foreign = valid;
    foreign[0] = 'Z';
    std::vector<uint8_t> oversized(kMaxDatagramSize + 100, 0x41);
    return {truncated, badSeat, foreign, oversized, {1, 2, 3}};
}

TEST_F(Classroom, MalformedDatagramsAreDroppedAndCounted)
{
    LogOn();
    const auto bad = MalformedDatagrams();
    RawSender raw;
    for (const auto& bytes : bad) {
        raw.Send(Group(), PortBeside(kMainPort, kCommandPortOffset), bytes);
        raw.Send(htonl(INADDR_LOOPBACK), PortBeside(kMainPort, kRequestPortOffset), bytes);
    }
    ASSERT_TRUE(PumpUntil([&] {
        return student->droppedCount() == bad.size() && teacher->droppedCount() == bad.size();
    }));
    const size_t deliveredBefore = studentWindow.received.size();
    // Both sides still work.
    Send(29);
    ASSERT_TRUE(PumpUntil([&] { return studentWindow.Count(WM_LECTERN_NOTIFY, kStudentRollCall) > 0; }));
    EXPECT_EQ(studentWindow.received.size(), deliveredBefore + 1);
    StudentRequest handUp = {};
    handUp.type = kRequestHandUp;
    student->SendRequest(handUp);
    EXPECT_TRUE(PumpUntil([&] { return teacherWindow.Count(WM_LECTERN_NOTIFY, kEventHandUp) > 0; }));
}

TEST_F(Classroom, RawLogOnRepeatsAreAnsweredWithoutAskingAgain)
{
    OpenTeacher();
    Datagram logon;
    logon.kind = Kind::Logon;
    logon.session = 0x4242;
    logon.logon.attempt = 1;
    std::strcpy(logon.logon.seatName, "B9");
    std::vector<uint8_t> bytes(kMaxDatagramSize);
    bytes.resize(Encode(logon, bytes.data(), bytes.size()));
    RawSender raw;
    for (int i = 0; i < 3; ++i) {
        raw.Send(htonl(INADDR_LOOPBACK), PortBeside(kMainPort, kRequestPortOffset), bytes);
        PumpFor(150);
    }
    ASSERT_EQ(logons.size(), 1u);
    EXPECT_STREQ(logons[0].seatName, "B9");
    EXPECT_EQ(logons[0].senderAddress, htonl(INADDR_LOOPBACK));
    // Every log-on got the same answer: the first with all its copies, each repeat once.
    size_t replies = 0;
    for (const Datagram& d : raw.Collect(300)) {
        if (d.kind != Kind::LogonReply)
            continue;
        ++replies;
        EXPECT_EQ(d.logonReply.result, kSeat);
        EXPECT_EQ(d.logonReply.studentSession, 0x4242u);
    }
    EXPECT_EQ(replies, timing.copies + 2);
}

TEST(Transport, OpenRefusesAnUnusableRecord)
{
    TeacherConfig config = {};
    config.MainPort = kMainPort;
    config.classroomGroup = Group();
    EXPECT_FALSE(TeacherTransport::Open(config)); // no window
    HostWindow window;
    config.mainWindow = window.handle();
    config.classroomGroup = htonl(INADDR_LOOPBACK); // not a group
    EXPECT_FALSE(TeacherTransport::Open(config));
    StudentInitRecord init = {};
    init.frameWindow = window.handle();
    init.classroomGroup = htonl(0x0A000001);
    EXPECT_FALSE(StudentTransport::Open(init));
}

} // namespace
} // namespace kq::lectern
