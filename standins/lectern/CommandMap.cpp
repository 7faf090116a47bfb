// The mapping tables of the transport. Each row says in one line why the
// teacher's command, the student's request or the transport's condition
// becomes what the other side receives.

#include "standins/lectern/CommandMap.h"

#include <climits>
#include <cstring>

#include "common/DirectoryReceiveRecord.h"
#include "common/LecternMessages.h"
#include "common/StudentRequest.h"
#include "common/SwitchList.h"
#include "common/TeacherMessage.h"
#include "common/TextField.h"
#include "common/TransferParams.h"
#include "common/UpdateOrder.h"

namespace kq::lectern {

namespace {

// ---- helpers for the rows ----------------------------------------------

constexpr size_t kArgsOffset = 5; // block offset of args[0]
constexpr uint8_t kTransferKind = 0;
constexpr uint8_t kHomeworkBit = 0x01; // code 34, byte 4
constexpr uint8_t kDeskBit = 0x02;
constexpr uint8_t kChannelByNameMarker = 1; // code 16 from the channel dialog
constexpr unsigned char kFirstPrintable = 0x20;

Delivery& Add(CommandOutcome& out, uint16_t code, uint16_t subCode = 0, int32_t value = 0)
{
    Delivery& delivery = out.deliveries[out.deliveryCount++];
    delivery.code = code;
    delivery.subCode = subCode;
    delivery.value = value;
    return delivery;
}

template <typename Record>
void SetRecord(Delivery& delivery, const Record& record, size_t size = sizeof(Record))
{
    static_assert(sizeof(Record) <= kMaxRecordSize);
    std::memcpy(delivery.record, &record, size);
    delivery.recordSize = static_cast<uint16_t>(size);
}

// Block offsets of args fields; callers stay inside args.
uint16_t ArgU16(const CommandBody& command, size_t offset)
{
    uint16_t value;
    std::memcpy(&value, command.args + (offset - kArgsOffset), sizeof value);
    return value;
}

uint32_t ArgU32(const CommandBody& command, size_t offset)
{
    uint32_t value;
    std::memcpy(&value, command.args + (offset - kArgsOffset), sizeof value);
    return value;
}

// Copies the text of the block field [offset, offset + fieldSize) into dest,
// bounded by both, cut on a character boundary and terminated.
void CopyArgText(const CommandBody& command, size_t offset, size_t fieldSize, char* dest, size_t destSize)
{
    const char* field = reinterpret_cast<const char*>(command.args) + (offset - kArgsOffset);
    const size_t room = kCommandArgsSize - (offset - kArgsOffset);
    const size_t length = TextFieldLength(field, fieldSize < room ? fieldSize : room);
    char text[kCommandArgsSize + 1];
    std::memcpy(text, field, length);
    text[length] = '\0';
    CopyTextField(dest, destSize, text);
}

TransferParams Transfer(uint16_t port, uint32_t teacherAddress)
{
    TransferParams params;
    params.kind = kTransferKind;
    params.port = port;
    params.address = teacherAddress;
    return params;
}

// A channel name must be a whole, printable CP936 word: it goes on a command line.
bool IsChannelName(const char* name)
{
    if (name[0] == '\0')
        return false;
    for (size_t i = 0; name[i] != '\0'; ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (IsCp936LeadByte(c)) {
            const unsigned char trail = static_cast<unsigned char>(name[i + 1]);
            if (trail < 0x40 || trail == 0x7F || trail == 0xFF)
                return false;
            ++i;
        } else if (c < kFirstPrintable || c == ' ' || c == '"' || c >= 0x7F) {
            return false;
        }
    }
    return true;
}

// ---- row builders ---------------------------------------------------------

using Builder = void (*)(const CommandBody&, const StudentContext&, CommandOutcome&);

template <uint16_t Code>
void Plain(const CommandBody&, const StudentContext&, CommandOutcome& out)
{
    Add(out, Code);
}

template <uint16_t Code>
void ParamAsValue(const CommandBody& command, const StudentContext&, CommandOutcome& out)
{
    Add(out, Code, 0, command.param);
}

template <TransportAction Action>
void ActionOnly(const CommandBody&, const StudentContext&, CommandOutcome& out)
{
    out.action = Action;
}

void StopAll(const CommandBody&, const StudentContext&, CommandOutcome& out)
{
    out.action = TransportAction::UnlockScreen;
    Add(out, kStudentToolbarRole, 0, 1);
}

void HideToolbar(const CommandBody&, const StudentContext&, CommandOutcome& out)
{
    Add(out, kStudentToolbarRole, 0, 0);
}

// The seat in param is shown to the class; only that seat is told its role.
template <uint16_t Role>
void RoleNotice(const CommandBody& command, const StudentContext& context, CommandOutcome& out)
{
    if (context.seat == command.param)
        Add(out, kStudentToolbarRole, Role, 1);
}

void ThreeTexts(const CommandBody& command, const StudentContext&, CommandOutcome& out)
{
    constexpr size_t kFirstField = kCommandMiddleTextOffset - kCommandFirstTextOffset;
    constexpr size_t kMiddleField = kCommandLastTextOffset - kCommandMiddleTextOffset;
    constexpr size_t kLastField = kArgsOffset + kCommandArgsSize - kCommandLastTextOffset;
    TeacherMessage message = {};
    CopyArgText(command, kCommandFirstTextOffset, kFirstField, message.title, sizeof message.title);
    CopyArgText(command, kCommandMiddleTextOffset, kMiddleField, message.text, sizeof message.text);
    CopyArgText(command, kCommandLastTextOffset, kLastField, message.signature, sizeof message.signature);
    SetRecord(Add(out, kStudentTeacherMessage), message);
}

void ReceiveDirectory(const CommandBody& command, const StudentContext&, CommandOutcome& out)
{
    DirectoryReceiveRecord record = {};
    record.kind = command.args[0];
    SetRecord(Add(out, kStudentReceiveDirectory), record);
}

void TextNotice(const CommandBody& command, const StudentContext&, CommandOutcome& out)
{
    char text[kCommandArgsSize];
    CopyArgText(command, kCommandFirstTextOffset, kCommandArgsSize, text, sizeof text);
    Delivery& delivery = Add(out, kStudentTextNotice);
    const size_t size = std::strlen(text) + 1;
    std::memcpy(delivery.record, text, size);
    delivery.recordSize = static_cast<uint16_t>(size);
}

// The silence screen: the lock with the teacher's text, lifted by 41 or 0.
void SilenceLock(const CommandBody& command, const StudentContext&, CommandOutcome& out)
{
    CopyArgText(command, kCommandFirstTextOffset, kCommandArgsSize, out.lockText, sizeof out.lockText);
    out.action = TransportAction::LockScreen;
}

void StartChannel(const CommandBody& command, const StudentContext&, CommandOutcome& out)
{
    constexpr size_t kNameOffset = kArgsOffset + 1;
    if (command.args[0] != kChannelByNameMarker)
        return;
    // Checked whole before it is cut to the receiver's name field.
    const char* field = reinterpret_cast<const char*>(command.args) + (kNameOffset - kArgsOffset);
    const size_t room = kCommandArgsSize - (kNameOffset - kArgsOffset);
    const size_t length = TextFieldLength(field, room);
    if (length == room)
        return; // no terminator
    char name[kCommandArgsSize];
    std::memcpy(name, field, length + 1);
    if (!IsChannelName(name))
        return;
    CopyTextField(out.channelName, name);
    out.action = TransportAction::StartChannel;
}

void CollectFile(const CommandBody& command, const StudentContext& context, CommandOutcome& out)
{
    SetRecord(Add(out, kStudentCollectFile), Transfer(ArgU16(command, kArgsOffset), context.teacherAddress));
}

template <TransportAction Action, uint16_t Notice>
void PowerWithNotice(const CommandBody& command, const StudentContext&, CommandOutcome& out)
{
    out.action = Action;
    out.seconds = command.param;
    Add(out, Notice, 0, command.param);
}

void Switches(const CommandBody& command, const StudentContext&, CommandOutcome& out)
{
    SwitchList list = {};
    list.count = ArgU16(command, kArgsOffset);
    if (list.count > kMaxSwitchPairs)
        return; // more pairs than the block can hold: a broken command
    const size_t pairBytes = list.count * sizeof(SwitchSetting);
    std::memcpy(list.pairs, command.args + sizeof list.count, pairBytes);
    SetRecord(Add(out, kStudentSwitches), list, sizeof list.count + pairBytes);
}

void Settings(const CommandBody& command, const StudentContext& context, CommandOutcome& out)
{
    const bool homework = (command.param & kHomeworkBit) != 0;
    const uint16_t port = homework ? ArgU16(command, kArgsOffset) : 0;
    SetRecord(Add(out, kStudentHandInButton, homework ? 1 : 0), Transfer(port, context.teacherAddress));
    Add(out, kStudentDesktopShell, 0, (command.param & kDeskBit) ? 1 : 0);
}

void LinkList(const CommandBody& command, const StudentContext& context, CommandOutcome& out)
{
    Add(out, kStudentLinkList, ArgU16(command, kArgsOffset), static_cast<int32_t>(context.teacherAddress));
}

void StartTest(const CommandBody& command, const StudentContext& context, CommandOutcome& out)
{
    SetRecord(Add(out, kStudentStartTest), Transfer(ArgU16(command, kArgsOffset), context.teacherAddress));
}

void LengthenTest(const CommandBody& command, const StudentContext&, CommandOutcome& out)
{
    // A signed change in two's complement: negative shortens the test.
    // The one value without a negation is no change of time.
    const auto minutes = static_cast<int32_t>(ArgU32(command, kArgsOffset));
    if (minutes != 0 && minutes != INT32_MIN)
        Add(out, kStudentLengthenTest, 0, minutes);
}

// ---- the tables -------------------------------------------------------------

struct CommandRow {
    uint16_t code;
    Builder build; // null: nothing reaches the student agent
    const char* why;
};

constexpr CommandRow kCommandRows[] = {
    {0, StopAll, "stop everything: lift the screen lock and give the toolbar back (3, value 1)"},
    {1, HideToolbar, "screen broadcast: the teacher's screen covers the PC, so the toolbar goes (3, value 0)"},
    {2, nullptr, "monitoring: the screen engine's work; the agent has no command for it"},
    {3, nullptr, "multi-screen monitoring: the screen engine's work; no agent command"},
    {4, nullptr, "remote control: the screen engine's work; no agent command"},
    {5, RoleNotice<1>, "commented seat (param): that seat alone gets 3 sub-code 1, the commented-student notice"},
    {6, RoleNotice<2>, "demonstrating seat (param): that seat alone gets 3 sub-code 2, the demonstration notice"},
    {7, nullptr, "one named group (line input): no agent command for groups"},
    {8, nullptr, "six named groups: no agent command for groups"},
    {9, ThreeTexts, "three texts at 5, 37, 219 -> 5 TeacherMessage {title, text, signature}"},
    {10, ReceiveDirectory, "file or folder sending (byte 5: 0 file, 1 folder) -> 10 with that kind at byte 1"},
    {11, nullptr, "exercise program path: the agent has no command that runs a program"},
    {12, ActionOnly<TransportAction::Relogon>, "refresh (F5): every PC logs on again so the seat map is current"},
    {13, ActionOnly<TransportAction::LockScreen>,
     "screen lock (panel button 305): the lock background and its notice until code 0 lifts it"},
    {14, nullptr, "not sent by the teacher program"},
    {15, nullptr, "not sent by the teacher program"},
    {16, StartChannel, "show a video channel (byte 5 = 1, name from 6): start the channel receiver on it"},
    {17, ActionOnly<TransportAction::EndChannel>, "end the video view: close the channel receiver and the player"},
    {18, nullptr, "not sent by the teacher program"},
    {19, ActionOnly<TransportAction::Relogon>, "seat map rebuilt: every PC logs on again under the new numbers"},
    {20, CollectFile, "homework collection (u16 port at 5) -> 8 TransferParams {port, teacher address}"},
    {21, TextNotice, "preset text at 5 -> 6 text notice"},
    {22, SilenceLock, "black screen (panel button 304, text at 5): the screen lock shows the text until 41 or 0"},
    {23, PowerWithNotice<TransportAction::Restart, kStudentRestartNotice>,
     "remote restart after param seconds -> 14 notice; the transport restarts the PC"},
    {24, PowerWithNotice<TransportAction::PowerOff, kStudentShutdownNotice>,
     "remote shutdown after param seconds -> 15 notice; the transport powers the PC off"},
    {25, nullptr, "not sent by the teacher program"},
    {26, nullptr, "not sent by the teacher program"},
    {27, nullptr, "not sent by the teacher program"},
    {28, Plain<kStudentTalk>, "chat with one seat -> 12 talk window (its lines travel on main port + 11)"},
    {29, Plain<kStudentRollCall>, "roll call on (panel button 316): 7 asks for a name, answers go on the seats"},
    {30, Switches, "restriction switches (u16 count at 5, pairs at 7) -> 4 switch list"},
    {31, nullptr, "not sent by the teacher program"},
    {32, nullptr, "video library broadcast changed: the video library's own; no agent command"},
    {33, nullptr, "not sent by the teacher program"},
    {34, Settings, "settings (byte 4 bit 0 homework + u16 port, bit 1 desktop) -> 21 hand-in button and 11 desktop"},
    {35, Plain<kStudentDesktopEditor>, "edit one seat's desktop (settings button 720) -> 22 desktop editor"},
    {36, nullptr, "pending diskless stop: no student counterpart"},
    {37, nullptr, "not sent by the teacher program"},
    {38, LinkList, "web link list (u16 share port at 5) -> 9 with sub-code port, value teacher address"},
    {39, ParamAsValue<kStudentHandUpButton>, "hand-up permission (param 0/1) -> 25 hand-up button"},
    {40, Plain<kStudentHandOver>, "re-number the seat (the seats go off line) -> 26 hand over to the joiner"},
    {41, ActionOnly<TransportAction::UnlockScreen>, "black screen off (304 pressed again): the lock is lifted"},
    {42, ActionOnly<TransportAction::EndChannel>, "end one seat's activity: its channel view ends"},
    {43, nullptr, "broadcast sound on: the screen engine's; no agent command"},
    {44, nullptr, "broadcast sound off: the screen engine's; no agent command"},
    {45, nullptr, "not sent by the teacher program"},
    {46, Plain<kStudentEndRollCall>, "roll call off (316 pressed again) -> 28 end roll call"},
    {47, nullptr, "screen exchange between several seats: the screen engine's; no agent command"},
    {100, StartTest, "start the online test (u16 test id at 5) -> 16 TransferParams {id as port, teacher address}"},
    {101, Plain<kStudentAbortTest>, "abort the test -> 19"},
    {102, Plain<kStudentFinishTest>, "finish the test -> 18"},
    {103, LengthenTest, "change the time (signed u32 at 5, negative shortens) -> 17 with the minutes"},
    {104, Plain<kStudentShowAnswers>, "show the answers -> 20"},
};

struct RequestRow {
    uint16_t requestType;
    uint16_t event;
    const char* why;
};

constexpr RequestRow kRequestRows[] = {
    {kRequestHandUp, kEventHandUp, "hand up -> 3: the seat shows the raised hand (state 2)"},
    {kRequestRollCallAnswer, kEventSeatText, "roll-call answer -> 5: the seat shows the answer after its name"},
    {kRequestButton, kEventRequest, "request button -> 4: reported without a visible effect"},
    {kRequestLoggedOn, kEventBusy, "NT PC on a fixed disk ignores restriction switches -> 9, the teacher refuses them"},
};

struct ConditionRow {
    Condition condition;
    uint16_t event;          // to the teacher, 0 none
    uint16_t studentCommand; // to the student, 0 none
    const char* why;
};

constexpr ConditionRow kConditionRows[] = {
    {Condition::StudentSilent, kEventSeatOffline, 0, "no heartbeat within the bound, or goodbye -> 1 off line"},
    {Condition::StudentBack, kEventSeatOnline, 0, "heard again after being reported off line -> 2 on line"},
    {Condition::StudentPerHost, kEventDiskless, 0, "a per-host (diskless) PC logs on -> 6 diskless classroom"},
    {Condition::StudentNewer, kEventNewerStudent, 0, "the student's VersionID is newer -> 7 with it"},
    {Condition::StudentOlder, kEventUpdatePush, kStudentProgramUpdate,
     "the student's VersionID is older -> 8 serve the update; the student gets 24"},
    {Condition::TeacherLost, 0, kStudentDisable, "teacher silent or closed -> 1 disable and abort"},
};

// Teacher events without a source here: 10 (a hand-in, which the transfer
// library reports to the teacher itself) and 11 to 15 (the screen engine's
// reports, for a host of the engine).

// Log-on answers (MapLogonReply): 2 with the result; an accepted seat also
// gets 25 (hand-up permission), 21 (hand-in button with the homework server)
// and, when the reply names an update port, 24 last (the agent closes the
// transport on it).

const CommandRow* FindRow(uint16_t code)
{
    for (const CommandRow& row : kCommandRows) {
        if (row.code == code)
            return &row;
    }
    return nullptr;
}

} // namespace

CommandOutcome MapTeacherCommand(const CommandBody& command, const StudentContext& context)
{
    CommandOutcome out;
    const CommandRow* row = FindRow(command.code);
    if (row != nullptr && row->build != nullptr)
        row->build(command, context, out);
    return out;
}

bool IsKnownTeacherCode(uint16_t code)
{
    return FindRow(code) != nullptr;
}

const char* ExplainTeacherCode(uint16_t code)
{
    const CommandRow* row = FindRow(code);
    return row ? row->why : "unknown code";
}

uint16_t EventForRequest(uint16_t requestType)
{
    for (const RequestRow& row : kRequestRows) {
        if (row.requestType == requestType)
            return row.event;
    }
    return 0;
}

CommandOutcome MapLogonReply(const LogonReplyBody& reply, uint32_t teacherAddress)
{
    CommandOutcome out;
    Add(out, kStudentConnection, 0, reply.result);
    if (reply.result < 1)
        return out;
    Add(out, kStudentHandUpButton, 0, reply.handUpAllowed);
    const bool homework = reply.homeworkActive != 0;
    SetRecord(Add(out, kStudentHandInButton, homework ? 1 : 0),
              Transfer(homework ? reply.homeworkPort : 0, teacherAddress));
    if (reply.updatePort != 0) {
        UpdateOrder order = {};
        order.port = reply.updatePort;
        order.address = teacherAddress;
        SetRecord(Add(out, StudentCommandForCondition(Condition::StudentOlder)), order);
    }
    return out;
}

uint16_t EventForCondition(Condition condition)
{
    for (const ConditionRow& row : kConditionRows) {
        if (row.condition == condition)
            return row.event;
    }
    return 0;
}

uint16_t StudentCommandForCondition(Condition condition)
{
    for (const ConditionRow& row : kConditionRows) {
        if (row.condition == condition)
            return row.studentCommand;
    }
    return 0;
}

} // namespace kq::lectern
