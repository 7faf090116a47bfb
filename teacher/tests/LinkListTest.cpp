#include "teacher/LinkList.h"
#include "teacher/LinkListSender.h"

#include "common/LinkListDatagram.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using kq::LinkList;

const std::chrono::milliseconds kNothingMore(200);

TEST(LinkList, HandlesFollowTheirEntryThroughRenamesUntilRemoved)
{
    LinkList list;
    const LinkList::Handle news = list.Add("新闻");
    const LinkList::Handle maths = list.Add("Maths");
    const LinkList::Handle art = list.Add("art");
    EXPECT_EQ(list.Names(), (std::vector<std::string>{"新闻", "Maths", "art"}));

    EXPECT_TRUE(list.Rename(maths, "数学"));
    EXPECT_EQ(list.Name(maths), "数学");
    EXPECT_TRUE(list.Remove(news));
    EXPECT_EQ(list.Names(), (std::vector<std::string>{"数学", "art"}));
    // A removed entry's handle names nothing any more, not even a new entry.
    EXPECT_FALSE(list.Rename(news, "x"));
    EXPECT_FALSE(list.Remove(news));
    EXPECT_EQ(list.Name(news), "");
    EXPECT_NE(list.Add("新闻"), news);
    EXPECT_EQ(list.Name(art), "art");

    list.Clear();
    EXPECT_EQ(list.Size(), 0u);
    EXPECT_EQ(list.Name(art), "");
}

TEST(LinkList, FindIgnoresTheCaseOfLettersOnly)
{
    LinkList list;
    const LinkList::Handle maths = list.Add("Maths");
    const LinkList::Handle capital = list.Add("\xB0\x41"); // a CP936 character whose trail byte is 'A'
    EXPECT_EQ(list.Find("MATHS"), maths);
    EXPECT_EQ(list.Find("\xB0\x41"), capital);
    EXPECT_EQ(list.Find("\xB0\x61"), LinkList::kNoEntry); // another character, not 'a'
    EXPECT_EQ(list.Find("Math"), LinkList::kNoEntry);
    EXPECT_EQ(list.FindOrAdd("maths"), maths);
    EXPECT_EQ(list.Size(), 2u);
    EXPECT_NE(list.FindOrAdd("art"), LinkList::kNoEntry);
    EXPECT_EQ(list.Size(), 3u);
}

// The datagrams a sender put out, as the entries' texts; sends can be held
// back to make a round last while requests arrive.
class Wire {
public:
    bool Send(const void* data, size_t size)
    {
        std::unique_lock<std::mutex> hold(m_lock);
        if (m_held) {
            m_blocked = true;
            m_changed.notify_all();
        }
        m_released.wait(hold, [this] { return !m_held; });
        if (m_failNext > 0) {
            --m_failNext;
            ++m_failures;
            return false;
        }
        kq::LinkListMessage message;
        EXPECT_EQ(size, sizeof(kq::LinkListEntry));
        EXPECT_TRUE(kq::ParseLinkListDatagram(static_cast<const uint8_t*>(data), size, message));
        EXPECT_EQ(message.kind, kq::kLinkListAdd);
        m_texts.push_back(message.text);
        m_changed.notify_all();
        return true;
    }
    void Hold(bool held)
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_held = held;
        m_released.notify_all();
    }
    // Waits until a send waits to be released.
    void WaitUntilBlocked()
    {
        std::unique_lock<std::mutex> hold(m_lock);
        m_changed.wait_for(hold, std::chrono::seconds(1), [this] { return m_blocked; });
    }
    void FailNext(int count)
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_failNext = count;
    }
    // Waits until `count` texts went out or the time is up; a check that
    // nothing more comes waits the short time.
    std::vector<std::string> WaitFor(size_t count, std::chrono::milliseconds patience = std::chrono::seconds(5))
    {
        std::unique_lock<std::mutex> hold(m_lock);
        m_changed.wait_for(hold, patience, [&] { return m_texts.size() >= count; });
        return m_texts;
    }
    int Failures()
    {
        std::lock_guard<std::mutex> hold(m_lock);
        return m_failures;
    }

private:
    std::mutex m_lock;
    std::condition_variable m_released;
    std::condition_variable m_changed;
    bool m_held = false;
    bool m_blocked = false;
    int m_failNext = 0;
    int m_failures = 0;
    std::vector<std::string> m_texts;
};

struct Sender {
    LinkList list;
    std::atomic<bool> shared{true};
    Wire wire;
    kq::LinkListSender sender{[this](const void* d, size_t s) { return wire.Send(d, s); },
                              [this] { return shared ? list.Names() : std::vector<std::string>(); }};
};

TEST(LinkListSender, SendsEachEntryInOrderOnlyWhileShared)
{
    Sender s;
    const std::string longName(600, 'x');
    for (const char* name : {"新闻", "Maths"})
        s.list.Add(name);
    s.list.Add(longName);
    s.sender.Request();
    const std::vector<std::string> sent = s.wire.WaitFor(3);
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0], "新闻");
    EXPECT_EQ(sent[1], "Maths");
    EXPECT_EQ(sent[2], longName.substr(0, sizeof(kq::LinkListEntry::text) - 1));

    // Not shared: a request sends nothing.
    s.shared = false;
    s.sender.Request();
    EXPECT_EQ(s.wire.WaitFor(4, kNothingMore).size(), 3u);
}

TEST(LinkListSender, AFailedSendIsTriedOnceMore)
{
    Sender s;
    s.list.Add("a");
    s.list.Add("b");
    s.wire.FailNext(3); // a fails twice and is dropped, b's first try fails
    s.sender.Request();
    EXPECT_EQ(s.wire.WaitFor(1), (std::vector<std::string>{"b"}));
    EXPECT_EQ(s.wire.Failures(), 3);
}

TEST(LinkListSender, RequestsDuringARoundGiveOneMoreWholeRound)
{
    Sender s;
    for (const char* name : {"a", "b", "c"})
        s.list.Add(name);
    s.wire.Hold(true);
    s.sender.Request();
    s.wire.WaitUntilBlocked();
    // The round has begun and waits on its first send; the list changes and
    // many requests arrive meanwhile.
    s.list.Add("d");
    for (int i = 0; i < 30; ++i)
        s.sender.Request();
    s.wire.Hold(false);
    const std::vector<std::string> sent = s.wire.WaitFor(7);
    // The first round took its copy before "d"; the second is the new list,
    // and no third follows.
    EXPECT_EQ(s.wire.WaitFor(8, kNothingMore).size(), 7u);
    EXPECT_EQ(sent, (std::vector<std::string>{"a", "b", "c", "a", "b", "c", "d"}));
}

TEST(LinkListSender, StopEndsARoundInFlightAndIgnoresLaterRequests)
{
    Sender s;
    for (int i = 0; i < 100; ++i)
        s.list.Add("site" + std::to_string(i));
    s.wire.Hold(true);
    s.sender.Request();
    s.wire.WaitUntilBlocked();
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        s.wire.Hold(false);
    });
    s.sender.Stop(); // returns once the worker is gone
    release.join();
    const size_t sent = s.wire.WaitFor(1, kNothingMore).size();
    EXPECT_EQ(sent, 1u); // the send in flight, and no more
    s.sender.Request();
    EXPECT_EQ(s.wire.WaitFor(sent + 1, kNothingMore).size(), sent);
}

} // namespace
