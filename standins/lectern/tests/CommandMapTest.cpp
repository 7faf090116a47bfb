// The mapping table, read through the wire: each teacher command is encoded
// as the teacher side sends it, decoded as a student receives it, then mapped.

#include "standins/lectern/CommandMap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "common/DirectoryReceiveRecord.h"
#include "common/LecternMessages.h"
#include "common/StudentRequest.h"
#include "common/SwitchList.h"
#include "common/TeacherMessage.h"
#include "common/TransferParams.h"
#include "common/UpdateOrder.h"

namespace kq::lectern {
namespace {

constexpr uint32_t kTeacher = 0x0A01A8C0; // 192.168.1.10 in network order
constexpr int32_t kSeat = 7;

// A teacher's block with the given code, param and argument bytes from offset 5.
struct Block {
    Block(uint16_t c, uint8_t p = 0, std::vector<uint8_t> a = {}) : code(c), param(p), args(std::move(a)) {}
    uint16_t code;
    uint8_t param;
    std::vector<uint8_t> args;
};

CommandOutcome ThroughTheWire(const Block& block, int32_t seat = kSeat)
{
    Datagram sent;
    sent.kind = Kind::Command;
    sent.session = 1;
    sent.command.code = block.code;
    sent.command.param = block.param;
    if (!block.args.empty())
        std::memcpy(sent.command.args, block.args.data(), block.args.size());
    uint8_t bytes[kMaxDatagramSize];
    const size_t size = Encode(sent, bytes, sizeof bytes);
    Datagram received;
    EXPECT_EQ(Decode(bytes, size, &received), DecodeStatus::Ok);
    return MapTeacherCommand(received.command, {seat, kTeacher});
}

std::vector<uint8_t> U16(uint16_t v) { return {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)}; }

std::vector<uint8_t> Text(const std::string& text, size_t at = 0)
{
    std::vector<uint8_t> args(at + text.size() + 1, 0);
    for (size_t i = 0; i < text.size(); ++i)
        args[at + i] = static_cast<uint8_t>(text[i]);
    return args;
}

template <typename Record>
Record RecordOf(const Delivery& delivery)
{
    Record record = {};
    EXPECT_EQ(delivery.recordSize, sizeof(Record));
    std::memcpy(&record, delivery.record, sizeof record);
    return record;
}

struct Expected {
    uint16_t code;
    uint16_t subCode;
    int32_t value;
};

struct Row {
    const char* what;
    Block block;
    std::vector<Expected> deliveries; // values only; records are checked below
    TransportAction action;
};

TEST(CommandMap, EachRowGivesItsStudentCommandsAndAction)
{
    const auto none = TransportAction::None;
    const Row rows[] = {
        {"stop", {0}, {{kStudentToolbarRole, 0, 1}}, TransportAction::UnlockScreen},
        {"broadcast", {1}, {{kStudentToolbarRole, 0, 0}}, none},
        {"commented seat is this one", {5, kSeat}, {{kStudentToolbarRole, 1, 1}}, none},
        {"commented seat is another", {5, kSeat + 1}, {}, none},
        {"demonstrating seat", {6, kSeat}, {{kStudentToolbarRole, 2, 1}}, none},
        {"refresh", {12}, {}, TransportAction::Relogon},
        {"lock", {13}, {}, TransportAction::LockScreen},
        {"end video view", {17}, {}, TransportAction::EndChannel},
        {"seat map rebuilt", {19}, {}, TransportAction::Relogon},
        {"restart in 20 s", {23, 20}, {{kStudentRestartNotice, 0, 20}}, TransportAction::Restart},
        {"shutdown now", {24, 0}, {{kStudentShutdownNotice, 0, 0}}, TransportAction::PowerOff},
        {"chat", {28}, {{kStudentTalk, 0, 0}}, none},
        {"roll call on", {29}, {{kStudentRollCall, 0, 0}}, none},
        {"desktop editor", {35}, {{kStudentDesktopEditor, 0, 0}}, none},
        {"link list", {38, 0, U16(8080)}, {{kStudentLinkList, 8080, static_cast<int32_t>(kTeacher)}}, none},
        {"hand-up allowed", {39, 1}, {{kStudentHandUpButton, 0, 1}}, none},
        {"hand-up forbidden", {39, 0}, {{kStudentHandUpButton, 0, 0}}, none},
        {"re-number the seat", {40}, {{kStudentHandOver, 0, 0}}, none},
        {"black screen off", {41}, {}, TransportAction::UnlockScreen},
        {"end seat activity", {42}, {}, TransportAction::EndChannel},
        {"roll call off", {46}, {{kStudentEndRollCall, 0, 0}}, none},
        {"abort test", {101}, {{kStudentAbortTest, 0, 0}}, none},
        {"finish test", {102}, {{kStudentFinishTest, 0, 0}}, none},
        {"add 10 minutes", {103, 0, {10, 0, 0, 0}}, {{kStudentLengthenTest, 0, 10}}, none},
        {"take 1 minute away", {103, 0, {0xFF, 0xFF, 0xFF, 0xFF}}, {{kStudentLengthenTest, 0, -1}}, none},
        {"a change of -2^31 minutes", {103, 0, {0, 0, 0, 0x80}}, {}, none},
        {"a change of 0", {103, 0, {0, 0, 0, 0}}, {}, none},
        {"show answers", {104}, {{kStudentShowAnswers, 0, 0}}, none},
        {"settings: desktop only", {34, 2, U16(555)}, {{kStudentHandInButton, 0, 0}, {kStudentDesktopShell, 0, 1}},
         none},
        {"settings: homework only", {34, 1, U16(555)}, {{kStudentHandInButton, 1, 0}, {kStudentDesktopShell, 0, 0}},
         none},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const CommandOutcome out = ThroughTheWire(row.block);
        EXPECT_EQ(out.action, row.action);
        ASSERT_EQ(out.deliveryCount, row.deliveries.size());
        for (size_t i = 0; i < out.deliveryCount; ++i) {
            EXPECT_EQ(out.deliveries[i].code, row.deliveries[i].code);
            EXPECT_EQ(out.deliveries[i].subCode, row.deliveries[i].subCode);
            if (out.deliveries[i].recordSize == 0) {
                EXPECT_EQ(out.deliveries[i].value, row.deliveries[i].value);
            }
        }
    }
}

TEST(CommandMap, CodesWithoutAStudentCounterpartAreDropped)
{
    for (uint16_t code : {2, 3, 4, 7, 8, 11, 14, 15, 18, 25, 26, 27, 31, 32, 33, 36, 37, 43, 44, 45, 47}) {
        SCOPED_TRACE(code);
        EXPECT_TRUE(IsKnownTeacherCode(code));
        const CommandOutcome out = ThroughTheWire({code, 1, U16(1)});
        EXPECT_EQ(out.deliveryCount, 0u);
        EXPECT_EQ(out.action, TransportAction::None);
    }
}

TEST(CommandMap, TheTableCoversEveryCodeTheTeacherSendsAndNothingElse)
{
    for (uint16_t code = 0; code <= 47; ++code)
        EXPECT_TRUE(IsKnownTeacherCode(code)) << code;
    for (uint16_t code = 100; code <= 104; ++code)
        EXPECT_TRUE(IsKnownTeacherCode(code)) << code;
    for (uint16_t code : {48, 99, 105, 0xFFFF}) {
        EXPECT_FALSE(IsKnownTeacherCode(code));
        EXPECT_EQ(ThroughTheWire({code}).deliveryCount, 0u);
    }
}

TEST(CommandMap, ThreeTextsBecomeTheTeacherMessage)
{
    std::vector<uint8_t> args(kCommandArgsSize, 0);
    const std::string title = "通知", text = "第一行\r\n第二行", signature = "王老师";
    std::memcpy(&args[0], title.data(), title.size());
    std::memcpy(&args[kCommandMiddleTextOffset - 5], text.data(), text.size());
    std::memcpy(&args[kCommandLastTextOffset - 5], signature.data(), signature.size());
    const CommandOutcome out = ThroughTheWire({9, 0, args});
    ASSERT_EQ(out.deliveryCount, 1u);
    EXPECT_EQ(out.deliveries[0].code, kStudentTeacherMessage);
    const auto message = RecordOf<TeacherMessage>(out.deliveries[0]);
    EXPECT_EQ(std::string(message.title), title);
    EXPECT_EQ(std::string(message.text), text);
    EXPECT_EQ(std::string(message.signature), signature);
}

TEST(CommandMap, TextsThatFillTheirFieldsAreCutWholeAndTerminated)
{
    // Every byte set: no terminator anywhere, double-byte characters throughout.
    std::vector<uint8_t> args;
    while (args.size() < kCommandArgsSize) {
        args.push_back(0xD6); // "中"
        args.push_back(0xD0);
    }
    args.resize(kCommandArgsSize);
    const CommandOutcome message = ThroughTheWire({9, 0, args});
    ASSERT_EQ(message.deliveryCount, 1u);
    const auto m = RecordOf<TeacherMessage>(message.deliveries[0]);
    EXPECT_EQ(std::strlen(m.title), 32u); // the whole 32-byte first field: 16 characters
    EXPECT_EQ(std::strlen(m.text), 182u); // the whole middle field
    EXPECT_EQ(std::strlen(m.signature), 38u); // 39 bytes of room: the 20th character does not fit

    const CommandOutcome notice = ThroughTheWire({21, 0, args});
    ASSERT_EQ(notice.deliveryCount, 1u);
    const Delivery& d = notice.deliveries[0];
    ASSERT_GT(d.recordSize, 0u);
    EXPECT_EQ(d.record[d.recordSize - 1], 0);
    EXPECT_EQ(std::strlen(reinterpret_cast<const char*>(d.record)) + 1, d.recordSize);
    EXPECT_EQ(d.recordSize % 2, 1u); // whole characters plus the terminator
}

TEST(CommandMap, APresetTextIsANoticeAndTheBlackScreenLocksWithItsText)
{
    const CommandOutcome notice = ThroughTheWire({21, 0, Text("请安静")});
    ASSERT_EQ(notice.deliveryCount, 1u);
    EXPECT_EQ(notice.deliveries[0].code, kStudentTextNotice);
    EXPECT_STREQ(reinterpret_cast<const char*>(notice.deliveries[0].record), "请安静");
    EXPECT_EQ(notice.action, TransportAction::None);

    const CommandOutcome silence = ThroughTheWire({22, 0, Text("请安静")});
    EXPECT_EQ(silence.deliveryCount, 0u) << "no notice that closes by itself";
    EXPECT_EQ(silence.action, TransportAction::LockScreen);
    EXPECT_STREQ(silence.lockText, "请安静");
    EXPECT_STREQ(ThroughTheWire({13}).lockText, "") << "the plain lock keeps its own notice";
}

TEST(CommandMap, TransferRecordsPointAtTheTeacher)
{
    struct Case {
        uint16_t code;
        uint8_t param;
        uint16_t expectedCommand;
        uint16_t expectedSub;
    };
    for (const Case c : {Case{20, 0, kStudentCollectFile, 0}, Case{100, 0, kStudentStartTest, 0},
                         Case{34, 3, kStudentHandInButton, 1}}) {
        SCOPED_TRACE(c.code);
        const CommandOutcome out = ThroughTheWire({c.code, c.param, U16(4321)});
        ASSERT_GE(out.deliveryCount, 1u);
        EXPECT_EQ(out.deliveries[0].code, c.expectedCommand);
        EXPECT_EQ(out.deliveries[0].subCode, c.expectedSub);
        const auto params = RecordOf<TransferParams>(out.deliveries[0]);
        EXPECT_EQ(+params.port, 4321);
        EXPECT_EQ(+params.address, kTeacher);
    }
}

TEST(CommandMap, FileSendingTellsTheKind)
{
    const CommandOutcome out = ThroughTheWire({10, 0, {kReceiveFolder}});
    ASSERT_EQ(out.deliveryCount, 1u);
    EXPECT_EQ(out.deliveries[0].code, kStudentReceiveDirectory);
    EXPECT_EQ(RecordOf<DirectoryReceiveRecord>(out.deliveries[0]).kind, kReceiveFolder);
}

TEST(CommandMap, RestrictionSwitchesKeepTheirPairsAndRefuseAnImpossibleCount)
{
    std::vector<uint8_t> args = U16(28);
    for (uint8_t i = 0; i < 28; ++i) {
        args.push_back(i);
        args.push_back(i % 2);
    }
    const CommandOutcome out = ThroughTheWire({30, 0, args});
    ASSERT_EQ(out.deliveryCount, 1u);
    EXPECT_EQ(out.deliveries[0].code, kStudentSwitches);
    EXPECT_EQ(out.deliveries[0].recordSize, 2u + 2u * 28u);
    SwitchList list = {};
    std::memcpy(&list, out.deliveries[0].record, out.deliveries[0].recordSize);
    EXPECT_EQ(list.count, 28);
    EXPECT_EQ(list.pairs[27].number, 27);
    EXPECT_EQ(list.pairs[27].value, 1);

    EXPECT_EQ(ThroughTheWire({30, 0, U16(kMaxSwitchPairs + 1)}).deliveryCount, 0u);
}

TEST(CommandMap, AVideoChannelStartsTheReceiverOnlyForAPrintableName)
{
    std::vector<uint8_t> named = Text("第一频道", 1);
    named[0] = 1;
    const CommandOutcome out = ThroughTheWire({16, 0, named});
    EXPECT_EQ(out.action, TransportAction::StartChannel);
    EXPECT_STREQ(out.channelName, "第一频道");

    std::vector<uint8_t> spaced = Text("a b", 1);
    spaced[0] = 1;
    std::vector<uint8_t> control = Text("a\tb", 1);
    control[0] = 1;
    std::vector<uint8_t> halfCharacter = Text("ab\xD6", 1);
    halfCharacter[0] = 1;
    // The video library's form: the channel in byte 5, ports from byte 6.
    const std::vector<uint8_t> videoLibrary = {12, 0xFA, 0x07, 0xFA, 0x07};
    for (const auto& args : {spaced, control, halfCharacter, videoLibrary}) {
        const CommandOutcome refused = ThroughTheWire({16, 0, args});
        EXPECT_EQ(refused.action, TransportAction::None);
        EXPECT_EQ(refused.deliveryCount, 0u);
    }
}

TEST(CommandMap, RequestsBecomeTeacherEvents)
{
    EXPECT_EQ(EventForRequest(kRequestHandUp), kEventHandUp);
    EXPECT_EQ(EventForRequest(kRequestRollCallAnswer), kEventSeatText);
    EXPECT_EQ(EventForRequest(kRequestButton), kEventRequest);
    EXPECT_EQ(EventForRequest(kRequestLoggedOn), kEventBusy);
    EXPECT_EQ(EventForRequest(2), 0);
    EXPECT_EQ(EventForCondition(Condition::StudentSilent), kEventSeatOffline);
    EXPECT_EQ(EventForCondition(Condition::StudentBack), kEventSeatOnline);
    EXPECT_EQ(StudentCommandForCondition(Condition::TeacherLost), kStudentDisable);
}

TEST(CommandMap, ARefusedLogOnIsOnlyToldSo)
{
    LogonReplyBody reply;
    reply.result = -10;
    reply.handUpAllowed = 1;
    reply.updatePort = 2302;
    const CommandOutcome out = MapLogonReply(reply, kTeacher);
    ASSERT_EQ(out.deliveryCount, 1u);
    EXPECT_EQ(out.deliveries[0].code, kStudentConnection);
    EXPECT_EQ(out.deliveries[0].value, -10);
}

TEST(CommandMap, AnAcceptedLogOnSetsTheButtonsAndFetchesTheUpdateLast)
{
    LogonReplyBody reply;
    reply.result = 12;
    reply.handUpAllowed = 1;
    reply.homeworkActive = 1;
    reply.homeworkPort = 4321;
    reply.updatePort = 2302;
    const CommandOutcome out = MapLogonReply(reply, kTeacher);
    ASSERT_EQ(out.deliveryCount, 4u);
    EXPECT_EQ(out.deliveries[0].code, kStudentConnection);
    EXPECT_EQ(out.deliveries[0].value, 12);
    EXPECT_EQ(out.deliveries[1].code, kStudentHandUpButton);
    EXPECT_EQ(out.deliveries[1].value, 1);
    EXPECT_EQ(out.deliveries[2].code, kStudentHandInButton);
    EXPECT_EQ(out.deliveries[2].subCode, 1);
    EXPECT_EQ(+RecordOf<TransferParams>(out.deliveries[2]).port, 4321);
    EXPECT_EQ(out.deliveries[3].code, kStudentProgramUpdate);
    const auto order = RecordOf<UpdateOrder>(out.deliveries[3]);
    EXPECT_EQ(+order.port, 2302);
    EXPECT_EQ(+order.address, kTeacher);

    reply.updatePort = 0;
    reply.homeworkActive = 0;
    const CommandOutcome plain = MapLogonReply(reply, kTeacher);
    ASSERT_EQ(plain.deliveryCount, 3u);
    EXPECT_EQ(plain.deliveries[2].subCode, 0);
}

} // namespace
} // namespace kq::lectern
