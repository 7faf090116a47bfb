#include "standins/lectern/Wire.h"

#include <cstring>

namespace kq::lectern {

namespace {

constexpr char kMagic[4] = {'K', 'q', 'L', 't'};
constexpr uint8_t kWireVersion = 1;

#pragma pack(push, 1)
struct WireHeader {
    char magic[4];
    uint8_t version;
    uint8_t kind;
    uint16_t payloadLength;
    uint32_t session;
    uint32_t sequence;
};

struct WireBeacon {
    uint16_t versionId;
    uint16_t reserved;
};

struct WireCommand {
    uint16_t code;
    uint8_t param;
    uint8_t extra;
    uint8_t args[kCommandArgsSize];
    uint8_t reserved;
    uint16_t targetCount; // followed by that many seat bytes
};

struct WireLogon {
    uint32_t attempt;
    char seatName[kSeatNameSize];
    uint8_t adapterAddress[kAdapterAddressSize];
    uint16_t versionId;
    uint8_t perHost;
    uint8_t reserved;
};

struct WireLogonReply {
    uint32_t studentSession;
    uint32_t attempt;
    int32_t result;
    uint8_t handUpAllowed;
    uint8_t homeworkActive;
    uint16_t homeworkPort;
    uint16_t updatePort;
    uint16_t reserved;
};

struct WireRelogon {
    uint32_t studentSession;
};

struct WireHeartbeat {
    uint32_t attempt;
    int32_t seat;
};

struct WireRequest {
    uint16_t type;
    uint16_t textLength; // followed by the text and its terminator
};
#pragma pack(pop)

static_assert(sizeof(WireHeader) == kHeaderSize);
static_assert(sizeof(WireBeacon) == 4);
static_assert(sizeof(WireCommand) == kCommandFixedSize);
static_assert(sizeof(WireLogon) == 54);
static_assert(sizeof(WireLogonReply) == 20);
static_assert(sizeof(WireRelogon) == 4);
static_assert(sizeof(WireHeartbeat) == 8);
static_assert(sizeof(WireRequest) == 4);

bool IsKnownKind(uint8_t kind)
{
    switch (static_cast<Kind>(kind)) {
    case Kind::Beacon:
    case Kind::Command:
    case Kind::LogonReply:
    case Kind::Relogon:
    case Kind::TeacherBye:
    case Kind::Screen:
    case Kind::Logon:
    case Kind::Heartbeat:
    case Kind::Request:
    case Kind::StudentBye:
        return true;
    }
    return false;
}

bool IsSeatNumber(uint8_t seat)
{
    return seat >= kFirstSeatNumber && seat <= kLastSeatNumber;
}

bool TargetsValid(const uint8_t* targets, size_t count)
{
    if (count > kMaxTargetSeats)
        return false;
    for (size_t i = 0; i < count; ++i) {
        if (!IsSeatNumber(targets[i]))
            return false;
    }
    return true;
}

// Reads a fixed-size body that must fill the payload exactly.
template <typename Body>
bool ReadExact(const uint8_t* payload, size_t length, Body* body)
{
    if (length != sizeof(Body))
        return false;
    std::memcpy(body, payload, sizeof(Body));
    return true;
}

DecodeStatus DecodeCommand(const uint8_t* payload, size_t length, CommandBody* out)
{
    WireCommand wire;
    if (length < sizeof wire)
        return DecodeStatus::Truncated;
    std::memcpy(&wire, payload, sizeof wire);
    if (wire.targetCount > kMaxTargetSeats || length != sizeof wire + wire.targetCount)
        return DecodeStatus::BadTargets;
    const uint8_t* targets = payload + sizeof wire;
    if (!TargetsValid(targets, wire.targetCount))
        return DecodeStatus::BadTargets;
    out->code = wire.code;
    out->param = wire.param;
    out->extra = wire.extra;
    std::memcpy(out->args, wire.args, sizeof out->args);
    out->targetCount = wire.targetCount;
    std::memset(out->targets, 0, sizeof out->targets);
    std::memcpy(out->targets, targets, wire.targetCount);
    return DecodeStatus::Ok;
}

DecodeStatus DecodeLogon(const uint8_t* payload, size_t length, LogonBody* out)
{
    WireLogon wire;
    if (!ReadExact(payload, length, &wire))
        return DecodeStatus::BadLength;
    if (std::memchr(wire.seatName, '\0', sizeof wire.seatName) == nullptr || wire.seatName[0] == '\0')
        return DecodeStatus::BadText;
    out->attempt = wire.attempt;
    std::memcpy(out->seatName, wire.seatName, sizeof out->seatName);
    std::memcpy(out->adapterAddress, wire.adapterAddress, sizeof out->adapterAddress);
    out->versionId = wire.versionId;
    out->perHost = wire.perHost;
    return DecodeStatus::Ok;
}

DecodeStatus DecodeRequest(const uint8_t* payload, size_t length, RequestBody* out)
{
    WireRequest wire;
    if (length < sizeof wire)
        return DecodeStatus::Truncated;
    std::memcpy(&wire, payload, sizeof wire);
    if (wire.textLength == 0 || wire.textLength > kRequestTextSize || length != sizeof wire + wire.textLength)
        return DecodeStatus::BadLength;
    const uint8_t* text = payload + sizeof wire;
    if (text[wire.textLength - 1] != '\0')
        return DecodeStatus::BadText;
    out->type = wire.type;
    std::memset(out->text, 0, sizeof out->text);
    std::memcpy(out->text, text, wire.textLength);
    return DecodeStatus::Ok;
}

DecodeStatus DecodeBody(const uint8_t* payload, size_t length, Datagram* out)
{
    switch (out->kind) {
    case Kind::Beacon: {
        WireBeacon wire;
        if (!ReadExact(payload, length, &wire))
            return DecodeStatus::BadLength;
        out->beacon.versionId = wire.versionId;
        return DecodeStatus::Ok;
    }
    case Kind::Command:
        return DecodeCommand(payload, length, &out->command);
    case Kind::LogonReply: {
        WireLogonReply wire;
        if (!ReadExact(payload, length, &wire))
            return DecodeStatus::BadLength;
        out->logonReply = {wire.studentSession, wire.attempt,      wire.result,    wire.handUpAllowed,
                           wire.homeworkActive, wire.homeworkPort, wire.updatePort};
        return DecodeStatus::Ok;
    }
    case Kind::Relogon: {
        WireRelogon wire;
        if (!ReadExact(payload, length, &wire))
            return DecodeStatus::BadLength;
        out->relogon.studentSession = wire.studentSession;
        return DecodeStatus::Ok;
    }
    case Kind::Logon:
        return DecodeLogon(payload, length, &out->logon);
    case Kind::Heartbeat: {
        WireHeartbeat wire;
        if (!ReadExact(payload, length, &wire))
            return DecodeStatus::BadLength;
        out->heartbeat = {wire.attempt, wire.seat};
        return DecodeStatus::Ok;
    }
    case Kind::Request:
        return DecodeRequest(payload, length, &out->request);
    case Kind::Screen:
        return ReadExact(payload, length, &out->screen) ? DecodeStatus::Ok : DecodeStatus::BadLength;
    case Kind::TeacherBye:
    case Kind::StudentBye:
        return length == 0 ? DecodeStatus::Ok : DecodeStatus::BadLength;
    }
    return DecodeStatus::BadKind;
}

// Appends raw bytes at `at`, which the callers have sized beforehand.
size_t Put(uint8_t* buffer, size_t at, const void* data, size_t size)
{
    std::memcpy(buffer + at, data, size);
    return at + size;
}

} // namespace

bool IsTeacherKind(Kind kind)
{
    return static_cast<uint8_t>(kind) < static_cast<uint8_t>(Kind::Logon);
}

const char* DescribeStatus(DecodeStatus status)
{
    switch (status) {
    case DecodeStatus::Ok: return "ok";
    case DecodeStatus::Truncated: return "truncated";
    case DecodeStatus::Foreign: return "foreign";
    case DecodeStatus::BadVersion: return "bad-version";
    case DecodeStatus::BadKind: return "bad-kind";
    case DecodeStatus::BadLength: return "bad-length";
    case DecodeStatus::BadSession: return "bad-session";
    case DecodeStatus::BadTargets: return "bad-targets";
    case DecodeStatus::BadText: return "bad-text";
    }
    return "unknown";
}

DecodeStatus Decode(const uint8_t* data, size_t size, Datagram* out)
{
    if (data == nullptr || out == nullptr || size < kHeaderSize)
        return DecodeStatus::Truncated;
    WireHeader header;
    std::memcpy(&header, data, sizeof header);
    if (std::memcmp(header.magic, kMagic, sizeof kMagic) != 0)
        return DecodeStatus::Foreign;
    if (header.version != kWireVersion)
        return DecodeStatus::BadVersion;
    if (!IsKnownKind(header.kind))
        return DecodeStatus::BadKind;
    if (header.payloadLength != size - kHeaderSize)
        return DecodeStatus::BadLength;
    if (header.session == 0)
        return DecodeStatus::BadSession;
    out->kind = static_cast<Kind>(header.kind);
    out->session = header.session;
    out->sequence = header.sequence;
    return DecodeBody(data + kHeaderSize, size - kHeaderSize, out);
}

size_t Encode(const Datagram& datagram, uint8_t* buffer, size_t capacity)
{
    if (buffer == nullptr || capacity < kMaxDatagramSize || datagram.session == 0)
        return 0;
    size_t at = kHeaderSize;
    switch (datagram.kind) {
    case Kind::Beacon: {
        const WireBeacon wire = {datagram.beacon.versionId, 0};
        at = Put(buffer, at, &wire, sizeof wire);
        break;
    }
    case Kind::Command: {
        const CommandBody& body = datagram.command;
        if (!TargetsValid(body.targets, body.targetCount))
            return 0;
        WireCommand wire = {};
        wire.code = body.code;
        wire.param = body.param;
        wire.extra = body.extra;
        std::memcpy(wire.args, body.args, sizeof wire.args);
        wire.targetCount = body.targetCount;
        at = Put(buffer, at, &wire, sizeof wire);
        at = Put(buffer, at, body.targets, body.targetCount);
        break;
    }
    case Kind::LogonReply: {
        const LogonReplyBody& body = datagram.logonReply;
        const WireLogonReply wire = {body.studentSession, body.attempt,      body.result,     body.handUpAllowed,
                                     body.homeworkActive, body.homeworkPort, body.updatePort, 0};
        at = Put(buffer, at, &wire, sizeof wire);
        break;
    }
    case Kind::Relogon: {
        const WireRelogon wire = {datagram.relogon.studentSession};
        at = Put(buffer, at, &wire, sizeof wire);
        break;
    }
    case Kind::Logon: {
        const LogonBody& body = datagram.logon;
        if (body.seatName[0] == '\0')
            return 0; // the decoder refuses a log-on without a seat name
        WireLogon wire = {};
        wire.attempt = body.attempt;
        std::memcpy(wire.seatName, body.seatName, sizeof wire.seatName);
        wire.seatName[sizeof wire.seatName - 1] = '\0';
        std::memcpy(wire.adapterAddress, body.adapterAddress, sizeof wire.adapterAddress);
        wire.versionId = body.versionId;
        wire.perHost = body.perHost;
        at = Put(buffer, at, &wire, sizeof wire);
        break;
    }
    case Kind::Heartbeat: {
        const WireHeartbeat wire = {datagram.heartbeat.attempt, datagram.heartbeat.seat};
        at = Put(buffer, at, &wire, sizeof wire);
        break;
    }
    case Kind::Request: {
        const RequestBody& body = datagram.request;
        const void* end = std::memchr(body.text, '\0', sizeof body.text);
        // An unterminated text is cut to the field, keeping its last byte for the terminator.
        const size_t textLength = end ? static_cast<size_t>(static_cast<const char*>(end) - body.text)
                                      : sizeof body.text - 1;
        const WireRequest wire = {body.type, static_cast<uint16_t>(textLength + 1)};
        at = Put(buffer, at, &wire, sizeof wire);
        at = Put(buffer, at, body.text, textLength);
        buffer[at++] = '\0';
        break;
    }
    case Kind::Screen:
        at = Put(buffer, at, &datagram.screen, sizeof datagram.screen);
        break;
    case Kind::TeacherBye:
    case Kind::StudentBye:
        break;
    default:
        return 0;
    }
    WireHeader header;
    std::memcpy(header.magic, kMagic, sizeof kMagic);
    header.version = kWireVersion;
    header.kind = static_cast<uint8_t>(datagram.kind);
    header.payloadLength = static_cast<uint16_t>(at - kHeaderSize);
    header.session = datagram.session;
    header.sequence = datagram.sequence;
    std::memcpy(buffer, &header, sizeof header);
    return at;
}

} // namespace kq::lectern
