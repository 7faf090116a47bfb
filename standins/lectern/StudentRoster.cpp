#include "standins/lectern/StudentRoster.h"

#include <algorithm>

namespace kq::lectern {

StudentRoster::Entry* StudentRoster::Find(const StudentKey& key)
{
    for (Entry& entry : entries_) {
        if (entry.key == key)
            return &entry;
    }
    return nullptr;
}

StudentRoster::LogonVerdict StudentRoster::OnLogon(const StudentKey& key, uint32_t attempt, uint64_t now,
                                                   LogonReplyBody* reply)
{
    if (Entry* entry = Find(key)) {
        entry->lastHeard = now;
        const int32_t newer = static_cast<int32_t>(attempt - entry->attempt);
        if (newer < 0)
            return LogonVerdict::Ignore;
        if (newer == 0) {
            if (!entry->answered)
                return LogonVerdict::Pending;
            *reply = entry->reply;
            return LogonVerdict::Repeat;
        }
        entry->attempt = attempt;
        entry->answered = false;
        return LogonVerdict::Ask;
    }
    // A PC that opened again: its earlier open must not be reported off line later.
    std::erase_if(entries_, [&](const Entry& e) { return e.key.address == key.address; });
    if (entries_.size() >= capacity_)
        return LogonVerdict::Ignore;
    Entry entry;
    entry.key = key;
    entry.attempt = attempt;
    entry.lastHeard = now;
    entries_.push_back(entry);
    return LogonVerdict::Ask;
}

void StudentRoster::CompleteLogon(const StudentKey& key, uint32_t attempt, const LogonReplyBody& reply, uint64_t now)
{
    Entry* entry = Find(key);
    if (entry == nullptr || entry->attempt != attempt)
        return;
    entry->answered = true;
    entry->reply = reply;
    entry->seat = reply.result > 0 ? reply.result : 0;
    entry->lastHeard = now;
    entry->reportedOffline = false;
    entry->requests.Reset();
    if (entry->seat == 0)
        return;
    // Whoever held this seat before no longer does.
    const int seat = entry->seat;
    std::erase_if(entries_, [&](const Entry& e) { return e.seat == seat && !(e.key == key); });
}

StudentRoster::HeartbeatVerdict StudentRoster::OnHeartbeat(const StudentKey& key, uint64_t now, int* seat)
{
    Entry* entry = Find(key);
    if (entry == nullptr)
        return HeartbeatVerdict::Unknown;
    entry->lastHeard = now;
    if (entry->reportedOffline && entry->seat > 0) {
        entry->reportedOffline = false;
        *seat = entry->seat;
        return HeartbeatVerdict::Back;
    }
    return HeartbeatVerdict::Known;
}

bool StudentRoster::AcceptRequest(const StudentKey& key, uint32_t sequence, uint64_t now, int* seat)
{
    Entry* entry = Find(key);
    if (entry == nullptr || !entry->answered || entry->seat <= 0)
        return false;
    entry->lastHeard = now;
    if (!entry->requests.Accept(sequence))
        return false;
    *seat = entry->seat;
    return true;
}

int StudentRoster::OnBye(const StudentKey& key)
{
    Entry* entry = Find(key);
    if (entry == nullptr)
        return 0;
    const int seat = entry->answered && !entry->reportedOffline ? entry->seat : 0;
    std::erase_if(entries_, [&](const Entry& e) { return e.key == key; });
    return seat;
}

std::vector<int> StudentRoster::CollectSilent(uint64_t now, uint32_t silentMs, uint32_t forgetMs)
{
    std::vector<int> seats;
    for (Entry& entry : entries_) {
        if (entry.answered && entry.seat > 0 && !entry.reportedOffline && now - entry.lastHeard > silentMs) {
            entry.reportedOffline = true;
            seats.push_back(entry.seat);
        }
    }
    std::erase_if(entries_, [&](const Entry& e) { return now - e.lastHeard > forgetMs; });
    return seats;
}

} // namespace kq::lectern
