#include "standins/lectern/StudentTransport.h"

#include <cstring>
#include <vector>

#include "common/LecternMessages.h"
#include "common/TextField.h"
#include "standins/common/Trace.h"
#include "standins/lectern/Clock.h"
#include "standins/lectern/Install.h"

namespace kq::lectern {

namespace {

constexpr char kModule[] = "Lectern";
constexpr uint32_t kByeCopies = 3;
constexpr uint32_t kBusyWaitMs = 5;
constexpr uint32_t kIdleWaitMs = 50;
// Seat texts that mean "no seat assigned yet": the PC logs on under its name.
constexpr const char* kUnassignedSeats[] = {"", "NULL", "kq"};

std::string SeatNameOf(const StudentInitRecord& init)
{
    char seat[sizeof init.seatNumber];
    const size_t length = TextFieldLength(init.seatNumber, sizeof init.seatNumber);
    std::memcpy(seat, init.seatNumber, length < sizeof seat ? length : sizeof seat - 1);
    seat[length < sizeof seat ? length : sizeof seat - 1] = '\0';
    for (const char* unassigned : kUnassignedSeats) {
        if (lstrcmpiA(seat, unassigned) == 0)
            return ComputerName();
    }
    return seat;
}

std::string LockBackgroundOf(const StudentInitRecord& init)
{
    const size_t length = TextFieldLength(init.lockBackground, sizeof init.lockBackground);
    return length < sizeof init.lockBackground ? std::string(init.lockBackground, length) : std::string();
}

} // namespace

std::shared_ptr<StudentTransport> StudentTransport::Open(const StudentInitRecord& init, const Timing& timing)
{
    if (!IsWindow(WindowOf(init.frameWindow)) || !IsMulticast(init.classroomGroup)) {
        Trace(kModule, "LecternOpen refused: window or group invalid");
        return nullptr;
    }
    auto transport = std::make_shared<StudentTransport>(PrivateTag{}, init, timing);
    if (!transport->bridge_.Create() || !transport->Start()) {
        Trace(kModule, "LecternOpen failed: error %d", transport->endpoint_.lastError());
        transport->closed_ = true;
        transport->bridge_.Destroy();
        return nullptr;
    }
    Trace(kModule, "LecternOpen seat=%s group=%s port=%u", transport->seatName_.c_str(),
          Dotted(init.classroomGroup).c_str(), PortBeside(init.mainPort, kCommandPortOffset));
    // The engine's notices on a student PC are trace lines only.
    transport->engine_.Start(nullptr);
    return transport;
}

StudentTransport::StudentTransport(PrivateTag, const StudentInitRecord& init, const Timing& timing)
    : init_(init), timing_(timing), window_(WindowOf(init.frameWindow)), session_(NewSessionNumber()),
      seatName_(SeatNameOf(init))
{
    actions_.SetLockBackground(LockBackgroundOf(init));
}

StudentTransport::~StudentTransport()
{
    Close();
}

bool StudentTransport::Start()
{
    if (!endpoint_.Open(PortBeside(init_.mainPort, kCommandPortOffset), init_.classroomGroup, ReadAdapterAddress()))
        return false;
    running_ = true;
    worker_ = std::thread([this] { Run(); });
    return true;
}

void StudentTransport::Close()
{
    Stop(true);
}

void StudentTransport::Abandon()
{
    Stop(false);
}

void StudentTransport::Stop(bool sayGoodbye)
{
    if (closed_.exchange(true))
        return;
    running_ = false;
    if (worker_.joinable())
        worker_.join();
    bool teacherKnown;
    {
        std::lock_guard<std::mutex> hold(lock_);
        teacherKnown = link_.state() != TeacherLink::State::Searching;
        repeats_.clear();
    }
    if (sayGoodbye && teacherKnown) {
        Datagram bye;
        bye.kind = Kind::StudentBye;
        for (uint32_t i = 0; i < kByeCopies; ++i)
            SendToTeacher(bye, 1);
    }
    engine_.Stop();
    endpoint_.Close();
    actions_.Release();
    bridge_.Destroy();
    Trace(kModule, "LecternClose%s", sayGoodbye ? "" : " (abandoned)");
}

int32_t StudentTransport::seat()
{
    std::lock_guard<std::mutex> hold(lock_);
    return link_.seat();
}

void StudentTransport::SendToTeacher(Datagram& datagram, uint32_t copies)
{
    Outgoing out;
    {
        std::lock_guard<std::mutex> hold(lock_);
        out.address = link_.teacherAddress();
        out.port = PortBeside(init_.mainPort, kRequestPortOffset);
        datagram.session = session_;
        datagram.sequence = nextSequence_++;
        out.size = Encode(datagram, out.bytes, sizeof out.bytes);
        if (out.size == 0 || out.address == 0)
            return;
        if (copies > 1)
            repeats_.Add(out, copies - 1, timing_.copyGapMs, NowMs());
    }
    endpoint_.SendTo(out.address, out.port, out.bytes, out.size);
}

void StudentTransport::SendLogon()
{
    Datagram logon;
    logon.kind = Kind::Logon;
    {
        std::lock_guard<std::mutex> hold(lock_);
        logon.logon.attempt = link_.attempt();
        if (adapterPeer_ != link_.teacherAddress()) {
            adapterPeer_ = link_.teacherAddress();
            AdapterAddressToward(adapterPeer_, PortBeside(init_.mainPort, kRequestPortOffset), adapter_);
        }
        std::memcpy(logon.logon.adapterAddress, adapter_, sizeof adapter_);
    }
    CopyTextField(logon.logon.seatName, seatName_.c_str());
    logon.logon.versionId = init_.VersionID;
    logon.logon.perHost = init_.perHost;
    SendToTeacher(logon, 1);
}

void StudentTransport::SendRequest(const StudentRequest& request)
{
    if (closed_)
        return;
    {
        std::lock_guard<std::mutex> hold(lock_);
        if (link_.state() != TeacherLink::State::LoggedOn) {
            Trace(kModule, "LecternSendRequest type=%u dropped: not logged on", request.type);
            return;
        }
    }
    Datagram datagram;
    datagram.kind = Kind::Request;
    datagram.request.type = request.type;
    char answer[kRequestAnswerSize + 1];
    const size_t length = TextFieldLength(request.answer, sizeof request.answer);
    std::memcpy(answer, request.answer, length);
    answer[length] = '\0';
    CopyTextField(datagram.request.text, answer);
    Trace(kModule, "LecternSendRequest type=%u", request.type);
    SendToTeacher(datagram, timing_.copies);
}

void StudentTransport::Run()
{
    std::vector<Outgoing> due;
    while (running_) {
        const uint64_t now = NowMs();
        TeacherLink::Due tick;
        bool busy;
        {
            std::lock_guard<std::mutex> hold(lock_);
            tick = link_.Tick(now, timing_);
            repeats_.TakeDue(now, due);
            busy = !repeats_.empty();
        }
        for (const Outgoing& copy : due)
            endpoint_.SendTo(copy.address, copy.port, copy.bytes, copy.size);
        due.clear();
        if (tick.sendLogon)
            SendLogon();
        if (tick.sendHeartbeat) {
            Datagram heartbeat;
            heartbeat.kind = Kind::Heartbeat;
            {
                std::lock_guard<std::mutex> hold(lock_);
                heartbeat.heartbeat = {link_.attempt(), link_.seat()};
            }
            SendToTeacher(heartbeat, 1);
        }
        if (tick.teacherLost) {
            if (const auto self = weak_from_this().lock())
                bridge_.Post([self] { self->DeliverTeacherLost(); });
        }

        Datagram datagram;
        uint32_t address = 0;
        uint16_t port = 0;
        if (!inbox_.Receive(endpoint_, window_, busy ? kBusyWaitMs : kIdleWaitMs, datagram, address, port))
            continue;
        if (IsTeacherKind(datagram.kind))
            OnDatagram(datagram, address, NowMs());
    }
}

void StudentTransport::OnDatagram(const Datagram& datagram, uint32_t address, uint64_t now)
{
    const auto self = weak_from_this().lock();
    if (!self)
        return; // being destroyed
    std::lock_guard<std::mutex> hold(lock_);
    if (datagram.kind == Kind::TeacherBye) {
        link_.OnTeacherBye(datagram.session, now);
        return;
    }
    link_.OnTeacherHeard(address, datagram.session, now);
    switch (datagram.kind) {
    case Kind::Command:
        if (link_.AcceptCommand(datagram.session, datagram.sequence) && link_.IsTargeted(datagram.command)) {
            const CommandBody command = datagram.command;
            const StudentContext context = {link_.seat(), link_.teacherAddress()};
            bridge_.Post([self, command, context] { self->RunCommand(command, context); });
        }
        break;
    case Kind::Screen:
        // Copies of one settings datagram share its sequence number.
        if (link_.IsFollowed(datagram.session) && link_.AcceptCommand(datagram.session, datagram.sequence)) {
            const ScreenBody screen = datagram.screen;
            bridge_.Post([self, screen] { self->TakeScreenSettings(screen); });
        }
        break;
    case Kind::LogonReply:
        if (link_.OnLogonReply(datagram.session, session_, datagram.logonReply, now)) {
            const LogonReplyBody reply = datagram.logonReply;
            const uint32_t teacher = link_.teacherAddress();
            bridge_.Post([self, reply, teacher] { self->DeliverLogonReply(reply, teacher); });
        }
        break;
    case Kind::Relogon:
        if (link_.IsFollowed(datagram.session) && datagram.relogon.studentSession == session_)
            link_.RequestRelogon();
        break;
    default:
        break;
    }
}

void StudentTransport::TakeScreenSettings(const ScreenBody& screen)
{
    if (closed_)
        return;
    screen_ = screen;
    if (screen.resetNow)
        engine_.ResetOptions(screen.resetOptions);
}

void StudentTransport::RunCommand(const CommandBody& command, const StudentContext& context)
{
    if (closed_)
        return;
    // The screen modes go to the engine; a seat outside its ids joins none.
    if (IsScreenCode(command.code))
        engine_.Run(PlanStudent(command, screen_, context.seat), screen_);
    const CommandOutcome outcome = MapTeacherCommand(command, context);
    Trace(kModule, "command %u for seat %d: %u to the agent (%s)", command.code, context.seat,
          static_cast<unsigned>(outcome.deliveryCount), ExplainTeacherCode(command.code));
    if (outcome.action == TransportAction::Relogon) {
        std::lock_guard<std::mutex> hold(lock_);
        link_.RequestRelogon();
    }
    // The action comes first: a notice delivered below may hold the thread
    // in its dialog until the student closes it.
    actions_.Perform(outcome, context.seat);
    Deliver(outcome);
}

void StudentTransport::Deliver(const CommandOutcome& outcome)
{
    for (size_t i = 0; i < outcome.deliveryCount && !closed_; ++i) {
        const Delivery& delivery = outcome.deliveries[i];
        const LPARAM lParam = delivery.recordSize > 0 ? reinterpret_cast<LPARAM>(delivery.record)
                                                      : static_cast<LPARAM>(delivery.value);
        Trace(kModule, "deliver %u sub %u value %d record %u", delivery.code, delivery.subCode, delivery.value,
              delivery.recordSize);
        SendMessageA(window_, WM_LECTERN_NOTIFY, MAKEWPARAM(delivery.code, delivery.subCode), lParam);
    }
}

void StudentTransport::DeliverLogonReply(const LogonReplyBody& reply, uint32_t teacherAddress)
{
    if (closed_)
        return;
    Trace(kModule, "logon answered: %d", reply.result);
    Deliver(MapLogonReply(reply, teacherAddress));
}

void StudentTransport::DeliverTeacherLost()
{
    if (closed_)
        return;
    Trace(kModule, "teacher lost");
    // A lock must not outlive the teacher who set it.
    actions_.Release();
    CommandOutcome outcome;
    Delivery& delivery = outcome.deliveries[outcome.deliveryCount++];
    delivery.code = StudentCommandForCondition(Condition::TeacherLost);
    Deliver(outcome);
}

} // namespace kq::lectern
