#include "teacher/LinkListSender.h"

#include "common/LinkListDatagram.h"

#include <utility>

namespace kq {

namespace {

// A failed send is tried once more, then the entry is dropped.
constexpr int kSendTries = 2;

} // namespace

LinkListSender::LinkListSender(Send send, Entries entries) : m_send(std::move(send)), m_entries(std::move(entries)) {}

void LinkListSender::Request()
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_stopping)
        return;
    m_pending = true;
    if (!m_worker.joinable())
        m_worker = std::thread(&LinkListSender::Run, this);
    m_wake.notify_one();
}

void LinkListSender::Stop()
{
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_stopping = true;
        m_wake.notify_one();
    }
    if (m_worker.joinable())
        m_worker.join();
}

void LinkListSender::Run()
{
    std::unique_lock<std::mutex> hold(m_lock);
    for (;;) {
        m_wake.wait(hold, [this] { return m_pending || m_stopping; });
        if (m_stopping)
            return;
        m_pending = false;
        hold.unlock();
        SendRound();
        hold.lock();
    }
}

void LinkListSender::SendRound()
{
    for (const std::string& name : m_entries()) {
        {
            std::lock_guard<std::mutex> hold(m_lock);
            if (m_stopping)
                return;
        }
        const LinkListEntry entry = MakeLinkListEntry(name.c_str());
        for (int attempt = 0; attempt < kSendTries; ++attempt)
            if (m_send(&entry, sizeof entry))
                break;
    }
}

} // namespace kq
