// The engine in process: the handshake with the user-interface threads, and
// what DoOpenMirage sets up and DoCloseMirage takes down.

#include "broadcast/EngineEnvironment.h"
#include "broadcast/EngineThreads.h"
#include "broadcast/MirageEngine.h"
#include "broadcast/MirageEngineState.h"
#include "broadcast/OptionsParser.h"
#include "broadcast/ThreadHandshake.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <memory>

namespace {

// A thread with a message queue whose handler takes lParam milliseconds per
// command and then acknowledges it.
class SlowThread {
public:
    explicit SlowThread(CThreadHandshake& handshake) : m_handshake(handshake)
    {
        m_ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        m_thread = CreateThread(nullptr, 0, Proc, this, 0, &m_id);
        WaitForSingleObject(m_ready, INFINITE);
    }
    ~SlowThread()
    {
        PostThreadMessageA(m_id, WM_QUIT, 0, 0);
        WaitForSingleObject(m_thread, INFINITE);
        CloseHandle(m_thread);
        CloseHandle(m_ready);
    }
    DWORD Id() const { return m_id; }
    // Milliseconds the handler takes for each message number.
    DWORD delays[8] = {};

private:
    static DWORD WINAPI Proc(LPVOID p)
    {
        auto* self = static_cast<SlowThread*>(p);
        MSG msg;
        PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
        SetEvent(self->m_ready);
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            const UINT command = msg.message - WM_APP;
            if (command >= std::size(self->delays))
                continue;
            Sleep(self->delays[command]);
            self->m_handshake.Complete(msg.wParam);
        }
        return 0;
    }
    CThreadHandshake& m_handshake;
    HANDLE m_ready;
    HANDLE m_thread;
    DWORD m_id = 0;
};

TEST(ThreadHandshake, AWaitEndsOnlyOnItsOwnCommand)
{
    CThreadHandshake handshake;
    HANDLE done = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    handshake.SetDoneEvent(done);
    SlowThread thread(handshake);
    thread.delays[0] = 800; // command A
    thread.delays[1] = 800; // command B

    // A times out; its late completion must not end the wait for B.
    DWORD start = GetTickCount();
    EXPECT_FALSE(handshake.PostAndWait(thread.Id(), WM_APP + 0, true, 100));
    EXPECT_LT(GetTickCount() - start, 700u);
    start = GetTickCount();
    EXPECT_TRUE(handshake.PostAndWait(thread.Id(), WM_APP + 1, true, 5000));
    EXPECT_GE(GetTickCount() - start, 1200u) << "ended on A's completion";

    // The named event being set by someone else ends nothing either.
    HANDLE setter = CreateThread(
        nullptr, 0,
        [](LPVOID e) -> DWORD {
            Sleep(100);
            SetEvent(static_cast<HANDLE>(e));
            return 0;
        },
        done, 0, nullptr);
    start = GetTickCount();
    EXPECT_TRUE(handshake.PostAndWait(thread.Id(), WM_APP + 0, true, 5000));
    EXPECT_GE(GetTickCount() - start, 700u) << "ended on the event";
    WaitForSingleObject(setter, INFINITE);
    CloseHandle(setter);

    // Without waiting, posting returns at once; an unknown thread fails.
    start = GetTickCount();
    EXPECT_TRUE(handshake.PostAndWait(thread.Id(), WM_APP + 0, false, 5000));
    EXPECT_LT(GetTickCount() - start, 500u);
    EXPECT_FALSE(handshake.PostAndWait(0, WM_APP + 0, true, 200));
    EXPECT_EQ(WaitForSingleObject(done, 0), WAIT_TIMEOUT) << "reset after the wait";
    CloseHandle(done);
}

TEST(MirageEngine, OpensBothModesWithBuffersAndClosesWithinBounds)
{
    CEngineEnvironment probe;
    ASSERT_TRUE(probe.FindHostFolder());
    probe.ReadIni();
    const struct {
        int mode;
        bool senders;
        bool class2;
    } cases[] = {{11, false, true}, {0, true, false}, {12, true, true}, {3, true, false}};

    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        MirageEngineState& state = EngineState();
        ASSERT_EQ(MirageEngine().Open(c.mode), 0);
        EXPECT_EQ(MirageEngine().Open(c.mode), -1) << "already open";

        const MirageFrameClass expected = ChooseFrameClass(probe.Ini().Line(MIRAGE_INI_FRAME_CLASS),
                                                           probe.HostOnFixedDisk(), 0);
        EXPECT_EQ(state.frameBufferSize, c.class2 ? 1571072u : expected.bufferSize);
        EXPECT_NE(state.wireBuffer, nullptr) << "receive-only engines are written too";
        EXPECT_NE(state.frameBuffer, nullptr);
        ASSERT_NE(state.blockArea, nullptr);
        EXPECT_EQ(state.blockBuffers[15], state.blockArea + 15 * kMirageBlockSlotStride);
        EXPECT_EQ(state.openMode, c.mode % 10 == 1 ? 1 : 0);
        EXPECT_TRUE(EngineThreads().Exists(MirageThread::Viewer));
        EXPECT_EQ(EngineThreads().Exists(MirageThread::Sender), c.senders);
        EXPECT_EQ(EngineThreads().Exists(MirageThread::Cursor), c.senders);

        const DWORD start = GetTickCount();
        EXPECT_EQ(MirageEngine().Close(), 0);
        EXPECT_LT(GetTickCount() - start, 3000u) << "no mode ran: nothing to wait for";
        EXPECT_FALSE(EngineThreads().Exists(MirageThread::Viewer));
        EXPECT_EQ(state.wireBuffer, nullptr);
    }
}

TEST(MirageEngine, CloseEndsTheReceiveEvenWhenNoWakeUpArrives)
{
    // The group socket opens once a mode has given a group. With the
    // loopback of its own multicast off, the close's wake-ups never reach
    // the blocking receive: the close must still end it, in bounded time.
    ASSERT_EQ(MirageEngine().Open(0), 0);
    auto options = std::make_unique<MirageOptions>();
    std::memset(options.get(), 0, sizeof *options);
    options->hostWindow = 1;
    options->ownId = 3;
    std::strcpy(options->groupAddress, "239.255.77.2");
    options->port = 47303;
    EXPECT_EQ(MirageEngine().RunMode(MirageMode::StudentStudentDemo, options.get()), 0);
    MirageEngineState& state = EngineState();
    for (int i = 0; i < 100 && state.socketHandle == 0; ++i)
        Sleep(50);
    ASSERT_NE(state.socketHandle, 0u) << "the group socket did not open";
    const DWORD off = 0;
    ASSERT_EQ(setsockopt(static_cast<SOCKET>(state.socketHandle.load()), IPPROTO_IP, IP_MULTICAST_LOOP,
                         reinterpret_cast<const char*>(&off), sizeof off),
              0);

    const DWORD start = GetTickCount();
    EXPECT_EQ(MirageEngine().Close(), 0);
    const DWORD took = GetTickCount() - start;
    EXPECT_GE(took, 9000u) << "the wake-ups were not supposed to arrive";
    EXPECT_LT(took, 15000u);
    EXPECT_EQ(state.socketHandle, 0u);
    EXPECT_FALSE(EngineThreads().Exists(MirageThread::Sender));
    EXPECT_EQ(state.modeRunning, 0);
}

} // namespace
