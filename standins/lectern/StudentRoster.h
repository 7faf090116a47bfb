#pragma once
// The teacher side's table of student PCs: who logged on under which seat,
// the answer each log-on got (a repeated log-on datagram gets the same answer
// without asking the main window again), when each was last heard, and which
// requests were already taken.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "standins/lectern/ReplayWindow.h"
#include "standins/lectern/Wire.h"

namespace kq::lectern {

// One open of the transport on one student PC.
struct StudentKey {
    uint32_t address = 0; // network byte order
    uint16_t port = 0;
    uint32_t session = 0;
    bool operator==(const StudentKey& other) const
    {
        return address == other.address && port == other.port && session == other.session;
    }
};

class StudentRoster {
public:
    static constexpr size_t kDefaultCapacity = 512;

    explicit StudentRoster(size_t capacity = kDefaultCapacity) : capacity_(capacity) {}

    enum class LogonVerdict {
        Ask,     // a new log-on: ask the main window, then CompleteLogon
        Repeat,  // already answered: *reply is the answer to send again
        Pending, // the main window is still being asked
        Ignore,  // an older attempt, or the table is full
    };
    LogonVerdict OnLogon(const StudentKey& key, uint32_t attempt, uint64_t now, LogonReplyBody* reply);

    // Stores the main window's answer; ignored when a newer attempt came in.
    void CompleteLogon(const StudentKey& key, uint32_t attempt, const LogonReplyBody& reply, uint64_t now);

    enum class HeartbeatVerdict {
        Known,
        Back,    // reported off line before: *seat is on line again
        Unknown, // no log-on of this session: it must log on again
    };
    HeartbeatVerdict OnHeartbeat(const StudentKey& key, uint64_t now, int* seat);

    // True, with the seat, for a new request of a logged-on student.
    bool AcceptRequest(const StudentKey& key, uint32_t sequence, uint64_t now, int* seat);

    // The student closed: its seat to report off line, 0 when none.
    int OnBye(const StudentKey& key);

    // Seats not heard for more than silentMs, each reported once; entries
    // not heard for more than forgetMs are dropped.
    std::vector<int> CollectSilent(uint64_t now, uint32_t silentMs, uint32_t forgetMs);

    size_t size() const { return entries_.size(); }

private:
    struct Entry {
        StudentKey key;
        uint32_t attempt = 0;
        bool answered = false;
        LogonReplyBody reply;
        int seat = 0;
        uint64_t lastHeard = 0;
        bool reportedOffline = false;
        ReplayWindow requests;
    };

    Entry* Find(const StudentKey& key);

    std::vector<Entry> entries_;
    size_t capacity_;
};

} // namespace kq::lectern
