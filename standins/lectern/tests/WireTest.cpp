#include "standins/lectern/Wire.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "standins/lectern/RepeatQueue.h"
#include "standins/lectern/ReplayWindow.h"

namespace kq::lectern {
namespace {

constexpr uint32_t kSession = 0x12345678;

std::vector<uint8_t> Bytes(const Datagram& datagram)
{
    std::vector<uint8_t> bytes(kMaxDatagramSize);
    bytes.resize(Encode(datagram, bytes.data(), bytes.size()));
    return bytes;
}

Datagram Make(Kind kind)
{
    Datagram d;
    d.kind = kind;
    d.session = kSession;
    d.sequence = 77;
    return d;
}

Datagram SampleCommand(uint16_t targets)
{
    Datagram d = Make(Kind::Command);
    d.command.code = 9;
    d.command.param = 4;
    d.command.extra = 1;
    for (size_t i = 0; i < kCommandArgsSize; ++i)
        d.command.args[i] = static_cast<uint8_t>(i);
    d.command.targetCount = targets;
    for (uint16_t i = 0; i < targets; ++i)
        d.command.targets[i] = static_cast<uint8_t>(i % kLastSeatNumber + 1);
    return d;
}

TEST(Wire, EveryKindSurvivesTheRoundTrip)
{
    Datagram beacon = Make(Kind::Beacon);
    beacon.beacon.versionId = 300;
    Datagram logon = Make(Kind::Logon);
    logon.logon.attempt = 3;
    std::strcpy(logon.logon.seatName, "A12");
    const uint8_t mac[6] = {0x52, 0x54, 0, 0x12, 0x34, 0x56};
    std::memcpy(logon.logon.adapterAddress, mac, sizeof mac);
    logon.logon.versionId = 299;
    logon.logon.perHost = 1;
    Datagram reply = Make(Kind::LogonReply);
    reply.logonReply = {0xCAFE, 3, -2, 1, 1, 4321, 2302};
    Datagram relogon = Make(Kind::Relogon);
    relogon.relogon.studentSession = 0xCAFE;
    Datagram heartbeat = Make(Kind::Heartbeat);
    heartbeat.heartbeat = {3, 17};
    Datagram request = Make(Kind::Request);
    request.request.type = 3;
    std::strcpy(request.request.text, "到");

    for (const Datagram& sent : {beacon, logon, reply, relogon, heartbeat, request, Make(Kind::TeacherBye),
                                 Make(Kind::StudentBye), SampleCommand(0), SampleCommand(kMaxTargetSeats)}) {
        SCOPED_TRACE(static_cast<int>(sent.kind));
        const std::vector<uint8_t> bytes = Bytes(sent);
        ASSERT_FALSE(bytes.empty());
        Datagram got;
        ASSERT_EQ(Decode(bytes.data(), bytes.size(), &got), DecodeStatus::Ok);
        EXPECT_EQ(got.kind, sent.kind);
        EXPECT_EQ(got.session, kSession);
        EXPECT_EQ(got.sequence, 77u);
        EXPECT_EQ(got.beacon.versionId, sent.beacon.versionId);
        EXPECT_EQ(got.command.code, sent.command.code);
        EXPECT_EQ(got.command.param, sent.command.param);
        EXPECT_EQ(got.command.extra, sent.command.extra);
        EXPECT_EQ(0, std::memcmp(got.command.args, sent.command.args, kCommandArgsSize));
        EXPECT_EQ(got.command.targetCount, sent.command.targetCount);
        EXPECT_EQ(0, std::memcmp(got.command.targets, sent.command.targets, sent.command.targetCount));
        EXPECT_EQ(got.logon.attempt, sent.logon.attempt);
        EXPECT_STREQ(got.logon.seatName, sent.logon.seatName);
        EXPECT_EQ(0, std::memcmp(got.logon.adapterAddress, sent.logon.adapterAddress, 6));
        EXPECT_EQ(got.logon.versionId, sent.logon.versionId);
        EXPECT_EQ(got.logon.perHost, sent.logon.perHost);
        EXPECT_EQ(got.logonReply.result, sent.logonReply.result);
        EXPECT_EQ(got.logonReply.homeworkPort, sent.logonReply.homeworkPort);
        EXPECT_EQ(got.logonReply.updatePort, sent.logonReply.updatePort);
        EXPECT_EQ(got.logonReply.studentSession, sent.logonReply.studentSession);
        EXPECT_EQ(got.relogon.studentSession, sent.relogon.studentSession);
        EXPECT_EQ(got.heartbeat.seat, sent.heartbeat.seat);
        EXPECT_EQ(got.request.type, sent.request.type);
        EXPECT_STREQ(got.request.text, sent.request.text);
    }
}

TEST(Wire, EncodeRefusesWhatCouldNotBeDecoded)
{
    Datagram tooMany = SampleCommand(kMaxTargetSeats);
    tooMany.command.targetCount = kMaxTargetSeats + 1;
    Datagram seatZero = SampleCommand(3);
    seatZero.command.targets[1] = 0;
    Datagram noSession = SampleCommand(1);
    noSession.session = 0;
    Datagram noSeatName = Make(Kind::Logon); // a log-on without a seat name
    for (const Datagram& d : {tooMany, seatZero, noSession, noSeatName})
        EXPECT_TRUE(Bytes(d).empty());
}

TEST(Wire, AnUnterminatedRequestTextIsCutAndTerminated)
{
    Datagram request = Make(Kind::Request);
    std::memset(request.request.text, 'x', sizeof request.request.text);
    const std::vector<uint8_t> bytes = Bytes(request);
    Datagram got;
    ASSERT_EQ(Decode(bytes.data(), bytes.size(), &got), DecodeStatus::Ok);
    EXPECT_EQ(std::strlen(got.request.text), kRequestTextSize - 1);
}

// Offsets into the encoded datagrams, to break them on purpose.
constexpr size_t kVersionAt = 4;
constexpr size_t kKindAt = 5;
constexpr size_t kLengthAt = 6;
constexpr size_t kSessionAt = 8;
constexpr size_t kTargetCountAt = kHeaderSize + kCommandFixedSize - 2;
constexpr size_t kSeatNameAt = kHeaderSize + 4;
constexpr size_t kTextLengthAt = kHeaderSize + 2;

struct Broken {
    const char* what;
    Datagram source;
    void (*spoil)(std::vector<uint8_t>&);
    DecodeStatus expected;
};

void SetU16(std::vector<uint8_t>& b, size_t at, uint16_t v) { std::memcpy(&b[at], &v, sizeof v); }

TEST(Wire, MalformedDatagramsAreRefusedWithTheirReason)
{
    Datagram logon = Make(Kind::Logon);
    std::strcpy(logon.logon.seatName, "A1");
    Datagram request = Make(Kind::Request);
    std::strcpy(request.request.text, "ok");
    const Broken cases[] = {
        {"foreign magic", Make(Kind::Beacon), [](auto& b) { b[0] = 'X'; }, DecodeStatus::Foreign},
        {"newer version", Make(Kind::Beacon), [](auto& b) { b[kVersionAt] = 2; }, DecodeStatus::BadVersion},
        {"unknown kind", Make(Kind::Beacon), [](auto& b) { b[kKindAt] = 99; }, DecodeStatus::BadKind},
        {"length says more", Make(Kind::Beacon), [](auto& b) { SetU16(b, kLengthAt, 5); }, DecodeStatus::BadLength},
        {"trailing byte", Make(Kind::Beacon), [](auto& b) { b.push_back(0); SetU16(b, kLengthAt, 5); },
         DecodeStatus::BadLength},
        {"session 0", Make(Kind::Beacon), [](auto& b) { std::memset(&b[kSessionAt], 0, 4); },
         DecodeStatus::BadSession},
        {"161 targets", SampleCommand(kMaxTargetSeats),
         [](auto& b) { b.push_back(1); SetU16(b, kLengthAt, kCommandFixedSize + 161); SetU16(b, kTargetCountAt, 161); },
         DecodeStatus::BadTargets},
        {"count above the seats sent", SampleCommand(2), [](auto& b) { SetU16(b, kTargetCountAt, 3); },
         DecodeStatus::BadTargets},
        {"seat 0", SampleCommand(2), [](auto& b) { b.back() = 0; }, DecodeStatus::BadTargets},
        {"seat 161", SampleCommand(2), [](auto& b) { b.back() = 161; }, DecodeStatus::BadTargets},
        {"seat name without terminator", logon,
         [](auto& b) { std::memset(&b[kSeatNameAt], 'A', kSeatNameSize); }, DecodeStatus::BadText},
        {"empty seat name", logon, [](auto& b) { b[kSeatNameAt] = 0; }, DecodeStatus::BadText},
        {"text without terminator", request, [](auto& b) { b.back() = 'k'; }, DecodeStatus::BadText},
        {"text length 0", request,
         [](auto& b) { b.resize(kTextLengthAt + 2); SetU16(b, kTextLengthAt, 0); SetU16(b, kLengthAt, 4); },
         DecodeStatus::BadLength},
        {"goodbye with a payload", Make(Kind::StudentBye), [](auto& b) { b.push_back(0); SetU16(b, kLengthAt, 1); },
         DecodeStatus::BadLength},
    };
    for (const Broken& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> bytes = Bytes(c.source);
        ASSERT_FALSE(bytes.empty());
        c.spoil(bytes);
        Datagram got;
        EXPECT_EQ(Decode(bytes.data(), bytes.size(), &got), c.expected);
    }
}

TEST(Wire, EveryTruncationOfEveryKindIsRefused)
{
    Datagram logon = Make(Kind::Logon);
    std::strcpy(logon.logon.seatName, "B2");
    Datagram request = Make(Kind::Request);
    std::strcpy(request.request.text, "hello");
    for (const Datagram& d : {SampleCommand(5), logon, request, Make(Kind::Beacon), Make(Kind::LogonReply),
                              Make(Kind::Heartbeat), Make(Kind::Relogon)}) {
        const std::vector<uint8_t> bytes = Bytes(d);
        for (size_t size = 0; size < bytes.size(); ++size) {
            // A copy of exactly `size` bytes, so the sanitizer sees any overread.
            std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
            Datagram got;
            EXPECT_NE(Decode(cut.data(), cut.size(), &got), DecodeStatus::Ok) << "kind " << int(d.kind) << " size "
                                                                               << size;
        }
    }
}

TEST(ReplayWindow, TakesEachSequenceOnceInAnyOrderWithinItsWidth)
{
    ReplayWindow window;
    EXPECT_TRUE(window.Accept(10));
    EXPECT_FALSE(window.Accept(10));
    EXPECT_TRUE(window.Accept(12));
    EXPECT_TRUE(window.Accept(11)); // late, but new
    EXPECT_FALSE(window.Accept(11));
    EXPECT_TRUE(window.Accept(100));
    EXPECT_FALSE(window.Accept(12)); // too old to tell: treated as a repeat
    EXPECT_TRUE(window.Accept(37));  // 63 behind: still remembered
    EXPECT_FALSE(window.Accept(37));
    window.Reset();
    EXPECT_TRUE(window.Accept(12));
}

TEST(ReplayWindow, FollowsTheNumbersAcrossTheWrap)
{
    ReplayWindow window;
    EXPECT_TRUE(window.Accept(0xFFFFFFFEu));
    EXPECT_TRUE(window.Accept(1));
    EXPECT_FALSE(window.Accept(0xFFFFFFFEu));
    EXPECT_TRUE(window.Accept(0xFFFFFFFFu));
}

TEST(RepeatQueue, HandsOutTheLaterCopiesWhenDue)
{
    RepeatQueue queue;
    Outgoing datagram;
    datagram.size = 3;
    queue.Add(datagram, 2, 20, 1000);
    std::vector<Outgoing> due;
    queue.TakeDue(1019, due);
    EXPECT_TRUE(due.empty());
    queue.TakeDue(1020, due);
    EXPECT_EQ(due.size(), 1u);
    queue.TakeDue(1039, due);
    EXPECT_EQ(due.size(), 1u);
    queue.TakeDue(1040, due);
    EXPECT_EQ(due.size(), 2u);
    EXPECT_TRUE(queue.empty());
}

} // namespace
} // namespace kq::lectern
