#pragma once
// The student side of the transport: follows the teacher on the classroom
// group, logs on under the PC's seat name, delivers the teacher's commands
// addressed to this seat as WM_LECTERN_NOTIFY (through the mapping table) on
// the thread that opened it, carries out the transport's own actions, and
// sends heartbeats and the agent's requests to the teacher.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "common/StudentInitRecord.h"
#include "common/StudentRequest.h"
#include "standins/lectern/CommandMap.h"
#include "standins/lectern/DatagramInbox.h"
#include "standins/lectern/EngineHost.h"
#include "standins/lectern/RepeatQueue.h"
#include "standins/lectern/StudentActions.h"
#include "standins/lectern/TeacherLink.h"
#include "standins/lectern/Timing.h"
#include "standins/lectern/UdpEndpoint.h"
#include "standins/lectern/UiBridge.h"

namespace kq::lectern {

class StudentTransport : public std::enable_shared_from_this<StudentTransport> {
public:
    // Null when the record is unusable or the socket cannot be opened.
    static std::shared_ptr<StudentTransport> Open(const StudentInitRecord& init, const Timing& timing = {});
    ~StudentTransport();

    // Says goodbye to the teacher and stops; on the opening thread.
    void Close();
    // Stops without a goodbye, as a PC that vanished (for tests).
    void Abandon();

    void SendRequest(const StudentRequest& request);

    uint32_t droppedCount() const { return dropped_; }
    // The seat number the teacher gave, 0 while not logged on.
    int32_t seat();

    struct PrivateTag {};
    StudentTransport(PrivateTag, const StudentInitRecord& init, const Timing& timing);

private:
    bool Start();
    void Stop(bool sayGoodbye);
    void Run();
    void OnDatagram(const Datagram& datagram, uint32_t address, uint64_t now);
    void SendToTeacher(Datagram& datagram, uint32_t copies);
    void SendLogon();
    void RunCommand(const CommandBody& command, const StudentContext& context);
    void Deliver(const CommandOutcome& outcome);
    void DeliverLogonReply(const LogonReplyBody& reply, uint32_t teacherAddress);
    void DeliverTeacherLost();
    void TakeScreenSettings(const ScreenBody& screen);

    StudentInitRecord init_;
    const Timing timing_;
    HWND window_;
    uint32_t session_;
    std::string seatName_;

    UdpEndpoint endpoint_;
    UiBridge bridge_;
    StudentActions actions_; // user-interface thread only
    ScreenBody screen_;      // user-interface thread only: the teacher's last screen settings
    EngineHost engine_;
    std::thread worker_;
    std::atomic<bool> running_{false};
    std::atomic<bool> closed_{false};
    std::atomic<uint32_t> dropped_{0};
    DatagramInbox inbox_{dropped_}; // worker thread only

    std::mutex lock_; // link_, repeats_, nextSequence_, adapter_
    TeacherLink link_;
    RepeatQueue repeats_;
    uint32_t nextSequence_ = 1;
    uint32_t adapterPeer_ = 0;
    uint8_t adapter_[6] = {};
};

} // namespace kq::lectern
