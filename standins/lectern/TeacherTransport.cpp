#include "standins/lectern/TeacherTransport.h"

#include <cstring>
#include <vector>

#include "common/LecternMessages.h"
#include "common/SeatTextRecord.h"
#include "common/StudentLogonRecord.h"
#include "common/TextField.h"
#include "standins/common/Trace.h"
#include "standins/lectern/Clock.h"
#include "standins/lectern/CommandMap.h"
#include "standins/lectern/Install.h"

namespace kq::lectern {

namespace {

constexpr char kModule[] = "Lectern";
constexpr uint32_t kByeCopies = 3;
constexpr uint32_t kBusyWaitMs = 5; // while copies are due
constexpr uint32_t kIdleWaitMs = 50;

uint16_t CommandPort(const TeacherConfig& config)
{
    return PortBeside(config.MainPort, kCommandPortOffset);
}

// The screen engine's port beside the main port; no transport port is there.
constexpr uint16_t kScreenPortOffset = 20;
constexpr uint16_t kEventStopAll = 11;
constexpr uint32_t kScreenCopies = 2;

} // namespace

std::shared_ptr<TeacherTransport> TeacherTransport::Open(const TeacherConfig& config, const Timing& timing)
{
    if (!IsWindow(WindowOf(config.mainWindow)) || !IsMulticast(config.classroomGroup)) {
        Trace(kModule, "LecternOpen refused: window or group invalid");
        return nullptr;
    }
    auto transport = std::make_shared<TeacherTransport>(PrivateTag{}, config, timing);
    if (!transport->bridge_.Create() || !transport->Start()) {
        Trace(kModule, "LecternOpen failed: error %d", transport->endpoint_.lastError());
        transport->bridge_.Destroy();
        return nullptr;
    }
    Trace(kModule, "LecternOpen window=%08x mainPort=%u group=%s port=%u", config.mainWindow, config.MainPort,
          Dotted(config.classroomGroup).c_str(), CommandPort(config));
    std::weak_ptr<TeacherTransport> weak = transport;
    transport->engine_.Start([weak](uint16_t code, uint16_t, intptr_t lParam) {
        if (const auto self = weak.lock())
            self->OnEngineNotice(code, lParam);
    });
    return transport;
}

TeacherTransport::TeacherTransport(PrivateTag, const TeacherConfig& config, const Timing& timing)
    : config_(config), timing_(timing), window_(WindowOf(config.mainWindow)), session_(NewSessionNumber())
{
}

TeacherTransport::~TeacherTransport()
{
    Close();
}

bool TeacherTransport::Start()
{
    if (!endpoint_.Open(PortBeside(config_.MainPort, kRequestPortOffset), 0, ReadAdapterAddress()))
        return false;
    running_ = true;
    worker_ = std::thread([this] { Run(); });
    return true;
}

void TeacherTransport::Stop()
{
    running_ = false;
    if (worker_.joinable())
        worker_.join();
    endpoint_.Close();
}

void TeacherTransport::Close()
{
    if (closed_.exchange(true))
        return;
    running_ = false;
    if (worker_.joinable())
        worker_.join();
    // The copies still due go out now, and the goodbye last of all.
    std::vector<Outgoing> due;
    {
        std::lock_guard<std::mutex> hold(lock_);
        repeats_.TakeDue(UINT64_MAX, due);
        repeats_.clear();
    }
    for (const Outgoing& copy : due)
        endpoint_.SendTo(copy.address, copy.port, copy.bytes, copy.size);
    Datagram bye;
    bye.kind = Kind::TeacherBye;
    for (uint32_t i = 0; i < kByeCopies; ++i)
        SendToClass(bye, 1);
    endpoint_.Close();
    bridge_.Destroy();
    // The engine closes with the transport, after the class heard the goodbye.
    engine_.Stop();
    Trace(kModule, "LecternClose");
}

void TeacherTransport::Send(Datagram& datagram, uint32_t address, uint16_t port, uint32_t copies)
{
    Outgoing out;
    out.address = address;
    out.port = port;
    {
        std::lock_guard<std::mutex> hold(lock_);
        datagram.session = session_;
        datagram.sequence = nextSequence_++;
        out.size = Encode(datagram, out.bytes, sizeof out.bytes);
        if (out.size == 0)
            return;
        if (copies > 1)
            repeats_.Add(out, copies - 1, timing_.copyGapMs, NowMs());
    }
    endpoint_.SendTo(address, port, out.bytes, out.size);
}

void TeacherTransport::SendToClass(Datagram& datagram, uint32_t copies)
{
    Send(datagram, config_.classroomGroup, CommandPort(config_), copies);
}

void TeacherTransport::SendCommand(const CommandBlockWithTail& block)
{
    const CommandBlock& source = block.block;
    Datagram datagram;
    datagram.kind = Kind::Command;
    CommandBody& command = datagram.command;
    command.code = source.code;
    command.param = source.param;
    command.extra = source.extra;
    std::memcpy(command.args, source.args, sizeof command.args);
    if (source.targetCount > kMaxTargetSeats) {
        Trace(kModule, "LecternSendCommand code=%u dropped: %u targets", source.code, source.targetCount);
        return;
    }
    // Seats outside 1..160 are left out, but a list must never become the whole class.
    const uint8_t* seats = TargetSeats(block);
    for (uint16_t i = 0; i < source.targetCount; ++i) {
        if (seats[i] >= kFirstSeatNumber && seats[i] <= kLastSeatNumber)
            command.targets[command.targetCount++] = seats[i];
    }
    if (source.targetCount > 0 && command.targetCount == 0) {
        Trace(kModule, "LecternSendCommand code=%u dropped: no valid target seat", source.code);
        return;
    }
    Trace(kModule, "LecternSendCommand code=%u targets=%u param=%u", command.code, command.targetCount,
          command.param);
    if (IsScreenCode(command.code)) {
        SendScreenCommand(command);
        return;
    }
    SendToClass(datagram, timing_.copies);
}

ScreenBody TeacherTransport::ScreenSettings()
{
    ScreenBody s;
    s.group = config_.classroomGroup;
    s.port = PortBeside(config_.MainPort, kScreenPortOffset);
    s.pause = config_.DelaySon;
    s.burst = config_.DelayMon;
    s.lossless = config_.CompressMethord;
    s.quality = config_.Quality;
    s.windowed = config_.ScreenChange;
    s.record = config_.Record;
    s.sound = config_.SoundOpenFlag;
    return s;
}

void TeacherTransport::SendScreenCommand(const CommandBody& command)
{
    if (closed_)
        return;
    const ScreenBody settings = ScreenSettings();
    Datagram screen;
    screen.kind = Kind::Screen;
    screen.screen = settings;
    SendToClass(screen, kScreenCopies);
    Datagram datagram;
    datagram.kind = Kind::Command;
    datagram.command = command;
    SendToClass(datagram, timing_.copies);

    std::vector<uint8_t> seats;
    std::map<int, std::string> names;
    {
        std::lock_guard<std::mutex> hold(lock_);
        names = seatNames_;
    }
    for (const auto& [seat, name] : names)
        seats.push_back(static_cast<uint8_t>(seat));
    const EngineRequest plan = PlanTeacher(command, settings, seats.data(), seats.size());
    if (plan.call == EngineCall::TeacherTeacherDemo) {
        // The demonstration's frame ends carry the configuration's record and
        // windowed bytes: the engine takes all five before it starts.
        const uint8_t reset[5] = {settings.lossless, settings.pause, settings.burst, settings.record, settings.windowed};
        engine_.ResetOptions(reset);
    }
    engine_.Run(plan, settings, names);
}

void TeacherTransport::OnEngineNotice(uint16_t code, intptr_t lParam)
{
    const NoticePlan plan = PlanNotice(code, lParam);
    if (plan.stop)
        engine_.Run(EngineRequest{EngineCall::Stop}, ScreenSettings());
    if (plan.reportStopAll)
        Notify(kEventStopAll, 0);
    if (plan.startCommand)
        SendScreenCommand(plan.command);
}

void TeacherTransport::SetConfig(const TeacherConfig& config)
{
    Trace(kModule, "LecternSetConfig group=%s port=%u", Dotted(config.classroomGroup).c_str(),
          CommandPort(config));
    TeacherConfig next = config;
    // An unusable address or window keeps the one in use.
    if (!IsMulticast(next.classroomGroup)) {
        next.classroomGroup = config_.classroomGroup;
        next.MainPort = config_.MainPort;
    }
    if (!IsWindow(WindowOf(next.mainWindow)))
        next.mainWindow = config_.mainWindow;
    // The worker reads the configuration: it rests while it changes.
    Stop();
    config_ = next;
    window_ = WindowOf(config_.mainWindow);
    if (!Start())
        PostMessageA(window_, WM_LECTERN_ERROR, kLecternErrorFatal, endpoint_.lastError());
}

void TeacherTransport::SetOptions(const BroadcastOptions& options)
{
    options_ = options;
    // Every PC's engine gets the same five bytes, this one included.
    ScreenBody settings = ScreenSettings();
    static_assert(sizeof settings.resetOptions == sizeof options);
    std::memcpy(settings.resetOptions, &options, sizeof options);
    settings.resetNow = 1;
    Datagram screen;
    screen.kind = Kind::Screen;
    screen.screen = settings;
    if (!closed_)
        SendToClass(screen, kScreenCopies);
    engine_.ResetOptions(settings.resetOptions);
    Trace(kModule, "LecternSetOptions compress=%u delaySon=%u delayMon=%u record=%u screenChange=%u",
          options.CompressMethord, options.DelaySon, options.DelayMon, options.Record, options.ScreenChange);
}

void TeacherTransport::Notify(uint16_t event, intptr_t value)
{
    Trace(kModule, "event %u value %lld", event, static_cast<long long>(value));
    PostMessageA(window_, WM_LECTERN_NOTIFY, event, value);
}

void TeacherTransport::Run()
{
    uint64_t lastBeacon = 0;
    uint64_t lastSilenceCheck = 0;
    std::vector<Outgoing> due;
    while (running_) {
        const uint64_t now = NowMs();
        std::vector<int> silent;
        bool busy;
        {
            std::lock_guard<std::mutex> hold(lock_);
            repeats_.TakeDue(now, due);
            busy = !repeats_.empty();
            if (now - lastSilenceCheck >= timing_.heartbeatMs / 2) {
                lastSilenceCheck = now;
                silent = roster_.CollectSilent(now, timing_.studentSilentMs, timing_.forgetMs);
            }
        }
        for (const Outgoing& copy : due)
            endpoint_.SendTo(copy.address, copy.port, copy.bytes, copy.size);
        due.clear();
        for (int seat : silent)
            Notify(EventForCondition(Condition::StudentSilent), seat);
        if (now - lastBeacon >= timing_.beaconMs) {
            lastBeacon = now;
            Datagram beacon;
            beacon.kind = Kind::Beacon;
            beacon.beacon.versionId = config_.VersionID;
            SendToClass(beacon, 1);
        }

        Datagram datagram;
        uint32_t address = 0;
        uint16_t port = 0;
        if (!inbox_.Receive(endpoint_, window_, busy ? kBusyWaitMs : kIdleWaitMs, datagram, address, port))
            continue;
        if (!IsTeacherKind(datagram.kind))
            OnDatagram(datagram, address, port, NowMs());
    }
}

void TeacherTransport::OnDatagram(const Datagram& datagram, uint32_t address, uint16_t port, uint64_t now)
{
    const auto self = weak_from_this().lock();
    if (!self)
        return; // being destroyed
    const StudentKey key = {address, port, datagram.session};
    int seat = 0;
    switch (datagram.kind) {
    case Kind::Logon: {
        LogonReplyBody reply;
        StudentRoster::LogonVerdict verdict;
        {
            std::lock_guard<std::mutex> hold(lock_);
            verdict = roster_.OnLogon(key, datagram.logon.attempt, now, &reply);
        }
        if (verdict == StudentRoster::LogonVerdict::Ask) {
            const LogonBody logon = datagram.logon;
            bridge_.Post([self, key, logon] { self->AskWindow(key, logon); });
        } else if (verdict == StudentRoster::LogonVerdict::Repeat) {
            Datagram answer;
            answer.kind = Kind::LogonReply;
            answer.logonReply = reply;
            Send(answer, key.address, key.port, 1);
        }
        break;
    }
    case Kind::Heartbeat: {
        StudentRoster::HeartbeatVerdict verdict;
        {
            std::lock_guard<std::mutex> hold(lock_);
            verdict = roster_.OnHeartbeat(key, now, &seat);
        }
        if (verdict == StudentRoster::HeartbeatVerdict::Back) {
            Notify(EventForCondition(Condition::StudentBack), seat);
        } else if (verdict == StudentRoster::HeartbeatVerdict::Unknown) {
            Datagram relogon;
            relogon.kind = Kind::Relogon;
            relogon.relogon.studentSession = key.session;
            Send(relogon, key.address, key.port, 1);
        }
        break;
    }
    case Kind::Request: {
        bool accepted;
        {
            std::lock_guard<std::mutex> hold(lock_);
            accepted = roster_.AcceptRequest(key, datagram.sequence, now, &seat);
        }
        if (!accepted)
            break;
        const uint16_t event = EventForRequest(datagram.request.type);
        if (event == kEventSeatText) {
            const RequestBody request = datagram.request;
            bridge_.Post([self, seat, request] { self->ReportSeatText(seat, request); });
        } else if (event != 0) {
            Notify(event, seat);
        } else {
            Trace(kModule, "request type %u from seat %d has no event", datagram.request.type, seat);
        }
        break;
    }
    case Kind::StudentBye: {
        {
            std::lock_guard<std::mutex> hold(lock_);
            seat = roster_.OnBye(key);
        }
        if (seat > 0)
            Notify(EventForCondition(Condition::StudentSilent), seat);
        break;
    }
    default:
        break;
    }
}

void TeacherTransport::AskWindow(const StudentKey& key, const LogonBody& logon)
{
    if (closed_)
        return;
    StudentLogonRecord record = {};
    record.senderAddress = key.address;
    CopyTextField(record.seatName, logon.seatName);
    std::memcpy(record.adapterAddress, logon.adapterAddress, sizeof record.adapterAddress);
    const int32_t result =
        static_cast<int32_t>(SendMessageA(window_, WM_STUDENT_LOGON, 0, reinterpret_cast<LPARAM>(&record)));
    if (closed_)
        return; // the handler closed the transport
    const bool accepted = result >= 1;
    const bool bothVersioned = logon.versionId != 0 && config_.VersionID != 0;
    const bool older = accepted && bothVersioned && logon.versionId < config_.VersionID;
    const bool newer = accepted && bothVersioned && logon.versionId > config_.VersionID;

    LogonReplyBody reply;
    reply.studentSession = key.session;
    reply.attempt = logon.attempt;
    reply.result = result;
    reply.handUpAllowed = record.handUpAllowed;
    reply.homeworkActive = record.homeworkActive;
    reply.homeworkPort = record.homeworkPort;
    reply.updatePort = older ? PortBeside(config_.MainPort, kUpdatePortOffset) : 0;
    {
        std::lock_guard<std::mutex> hold(lock_);
        roster_.CompleteLogon(key, logon.attempt, reply, NowMs());
        if (accepted)
            seatNames_[result] = record.seatName;
    }
    Trace(kModule, "logon %s from %s: %d", record.seatName, Dotted(key.address).c_str(), result);
    Datagram answer;
    answer.kind = Kind::LogonReply;
    answer.logonReply = reply;
    Send(answer, key.address, key.port, timing_.copies);

    if (accepted && logon.perHost)
        Notify(EventForCondition(Condition::StudentPerHost), 0);
    if (newer)
        Notify(EventForCondition(Condition::StudentNewer), logon.versionId);
    if (older)
        Notify(EventForCondition(Condition::StudentOlder), reply.updatePort);
}

void TeacherTransport::ReportSeatText(int seat, const RequestBody& request)
{
    if (closed_)
        return;
    SeatTextRecord record = {};
    record.seat = static_cast<uint32_t>(seat);
    CopyTextField(record.text, request.text);
    Trace(kModule, "event %u seat %d text %s", kEventSeatText, seat, record.text);
    SendMessageA(window_, WM_LECTERN_NOTIFY, kEventSeatText, reinterpret_cast<LPARAM>(&record));
}

} // namespace kq::lectern
