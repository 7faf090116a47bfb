#pragma once
// The teacher side of the transport: multicasts the teacher's commands to the
// classroom group, turns student log-ons into WM_STUDENT_LOGON and answers
// them, reports requests, silences and goodbyes as WM_LECTERN_NOTIFY events.
//
// A worker thread owns the socket; what must reach the main window with a
// record goes through the UiBridge on the thread that opened the transport.

#include <atomic>
#include <map>
#include <string>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

#include "common/BroadcastOptions.h"
#include "common/CommandBlock.h"
#include "common/TeacherConfig.h"
#include "standins/lectern/DatagramInbox.h"
#include "standins/lectern/EngineHost.h"
#include "standins/lectern/RepeatQueue.h"
#include "standins/lectern/StudentRoster.h"
#include "standins/lectern/Timing.h"
#include "standins/lectern/UdpEndpoint.h"
#include "standins/lectern/UiBridge.h"

namespace kq::lectern {

class TeacherTransport : public std::enable_shared_from_this<TeacherTransport> {
public:
    // Null when the configuration is unusable or the socket cannot be opened.
    static std::shared_ptr<TeacherTransport> Open(const TeacherConfig& config, const Timing& timing = {});
    ~TeacherTransport();

    // Says goodbye to the class and stops; on the opening thread.
    void Close();

    void SendCommand(const CommandBlockWithTail& block);
    void SetConfig(const TeacherConfig& config);
    void SetOptions(const BroadcastOptions& options);

    // Datagrams dropped because they failed the checks.
    uint32_t droppedCount() const { return dropped_; }

    struct PrivateTag {};
    TeacherTransport(PrivateTag, const TeacherConfig& config, const Timing& timing);

private:
    bool Start();
    void Stop();
    void Run();
    void OnDatagram(const Datagram& datagram, uint32_t address, uint16_t port, uint64_t now);
    void AskWindow(const StudentKey& key, const LogonBody& logon);
    void ReportSeatText(int seat, const RequestBody& request);
    void Notify(uint16_t event, intptr_t value);
    // Sends `datagram` with the next sequence number; `copies` in all.
    void Send(Datagram& datagram, uint32_t address, uint16_t port, uint32_t copies);
    void SendToClass(Datagram& datagram, uint32_t copies);
    // A screen command: the settings first, then the command, then this PC's engine.
    void SendScreenCommand(const CommandBody& command);
    ScreenBody ScreenSettings();
    void OnEngineNotice(uint16_t code, intptr_t lParam);

    TeacherConfig config_;
    const Timing timing_;
    HWND window_;
    uint32_t session_;

    UdpEndpoint endpoint_;
    UiBridge bridge_;
    std::thread worker_;
    std::atomic<bool> running_{false};
    std::atomic<bool> closed_{false};
    std::atomic<uint32_t> dropped_{0};
    DatagramInbox inbox_{dropped_}; // worker thread only

    std::mutex lock_; // roster_, repeats_, nextSequence_
    StudentRoster roster_;
    RepeatQueue repeats_;
    uint32_t nextSequence_ = 1;
    BroadcastOptions options_ = {};
    std::map<int, std::string> seatNames_; // logged-on seats and their names
    EngineHost engine_;
};

} // namespace kq::lectern
