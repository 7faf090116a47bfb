#pragma once
// Answers the students' requests for the web link list: one worker thread
// sends the list, one 512-byte entry datagram per site in list order, each
// sent a second time when the first send fails. At most one worker runs; a
// request that arrives during a round makes it send one more round (any
// number of such requests count once), so the students that asked while
// the list was changing still get the whole new list. Portable.

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kq {

class LinkListSender {
public:
    // Sends one datagram; true when it went out.
    using Send = std::function<bool(const void* data, size_t size)>;
    // The names to send now, copied; empty while the list is not shared.
    using Entries = std::function<std::vector<std::string>()>;

    LinkListSender(Send send, Entries entries);
    ~LinkListSender() { Stop(); }
    LinkListSender(const LinkListSender&) = delete;
    LinkListSender& operator=(const LinkListSender&) = delete;

    // A student asked: starts the worker, or asks it for one more round.
    // Ignored once stopped.
    void Request();
    // Ends the worker after the datagram in flight and waits for it; later
    // requests are ignored. Call before the socket the sends use goes away.
    void Stop();

private:
    void Run();
    void SendRound();

    Send m_send;
    Entries m_entries;
    std::mutex m_lock;
    std::condition_variable m_wake;
    std::thread m_worker;
    bool m_pending = false;
    bool m_stopping = false;
};

} // namespace kq
