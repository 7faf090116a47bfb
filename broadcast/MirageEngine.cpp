#include "broadcast/MirageEngine.h"
#include "broadcast/SendScreenWnd.h"

#include "broadcast/EngineEnvironment.h"
#include "broadcast/EngineThreads.h"
#include "broadcast/GroupSocket.h"
#include "broadcast/MirageEngineState.h"
#include "broadcast/MirageMessageIds.h"
#include "broadcast/OptionsParser.h"
#include "broadcast/ReceiveThread.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr WORD kWinsock20 = MAKEWORD(2, 0);
constexpr char kDoneEventName[] = "MIRAGEWNDOK";
constexpr int kOpenModeDigit = 10;
constexpr DWORD kThreadStartPauseMs = 100;
constexpr DWORD kWakeUpPeriodMs = 100;
constexpr DWORD kSocketCloseTimeoutMs = 10000;
constexpr DWORD kCloseSettleMs = 100;
constexpr WORD kControlScanCode = 29;
constexpr char kNullWindowText[] = "HWND Can't be NULL!";
constexpr char kZeroIdText[] = "Student id can not be 0!";
constexpr char kCaption[] = "Mirage";

// The host may have pressed Ctrl for the hot key that ended the mode.
void ReleaseControlKey()
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = VK_CONTROL;
    input.ki.wScan = kControlScanCode;
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
}

} // namespace

CMirageEngine& MirageEngine()
{
    static CMirageEngine engine;
    return engine;
}

int CMirageEngine::Open(int mode)
{
    if (m_open)
        return kFailed; // a second set of threads on the same state would wreck both
    MirageEngineState& state = EngineState();
    CEngineEnvironment& environment = EngineEnvironment();

    WSADATA data;
    if (WSAStartup(kWinsock20, &data) != 0)
        return kFailed;
    m_doneEvent = CreateEventA(nullptr, FALSE, FALSE, kDoneEventName);
    if (m_doneEvent != nullptr)
        ResetEvent(m_doneEvent);
    state.engineActive = 0;
    state.socketHandle = 0;
    state.openMode = mode % kOpenModeDigit == MIRAGE_OPEN_RECEIVE_ONLY ? MIRAGE_OPEN_RECEIVE_ONLY : MIRAGE_OPEN_FULL;

    // Both open modes need the folder, the settings and the buffers: the
    // receive thread and the viewer write them in either.
    if (!environment.FindHostFolder()) {
        if (m_doneEvent != nullptr)
            CloseHandle(m_doneEvent);
        m_doneEvent = nullptr;
        WSACleanup();
        return kFailed;
    }
    state.osKind = environment.DetectOsKind();
    state.frameWidth = static_cast<uint32_t>(GetSystemMetrics(SM_CXSCREEN));
    state.frameHeight = static_cast<uint32_t>(GetSystemMetrics(SM_CYSCREEN));
    state.receiveStop = 0;
    state.groupNumeric = 0;
    environment.ReadIni();
    const CMirageIni& ini = environment.Ini();
    state.captureSwitch = CaptureSwitchFromLine(state.osKind, ini.Line(MIRAGE_INI_CAPTURE_SWITCH));

    const MirageFrameClass frameClass =
        ChooseFrameClass(ini.Line(MIRAGE_INI_FRAME_CLASS), environment.HostOnFixedDisk(), mode);
    state.classWidth = frameClass.width;
    state.classHeight = frameClass.height;
    state.frameBufferSize = frameClass.bufferSize;
    if (!AllocateBuffers(frameClass.bufferSize)) {
        FreeBuffers();
        CloseHandle(m_doneEvent);
        m_doneEvent = nullptr;
        WSACleanup();
        return kFailed;
    }
    state.threadPriority = ThreadPriorityFromLine(ini.Line(MIRAGE_INI_THREAD_PRIORITY));

    CEngineThreads& threads = EngineThreads();
    threads.SetDoneEvent(m_doneEvent);
    CReceiveThread::SetHostFolder(environment.HostFolder());
    threads.StartReceive();
    Sleep(kThreadStartPauseMs);
    threads.StartUiThread(MirageThread::Viewer);
    Sleep(kThreadStartPauseMs);
    if (state.openMode == MIRAGE_OPEN_FULL) {
        CSendScreenWnd::PrepareCapture();
        threads.StartUiThread(MirageThread::Sender);
        Sleep(kThreadStartPauseMs);
        threads.SetPriority(MirageThread::Sender, state.threadPriority);
        threads.StartUiThread(MirageThread::Cursor);
        threads.SetPriority(MirageThread::Cursor, state.threadPriority);
    }
    m_open = true;
    return kOk;
}

int CMirageEngine::Close()
{
    if (!m_open)
        return kOk;
    MirageEngineState& state = EngineState();
    Stop();
    state.receiveStop = 1;
    WaitForSocketClosed();
    state.receiveStop = 1;
    EngineThreads().EndAll();
    Sleep(kCloseSettleMs);
    FreeBuffers();
    if (m_doneEvent != nullptr)
        CloseHandle(m_doneEvent);
    m_doneEvent = nullptr;
    WSACleanup();
    m_open = false;
    return kOk;
}

void CMirageEngine::WaitForSocketClosed()
{
    // The receive thread closes the socket once its blocking receive returns;
    // short datagrams to the group wake it. Should they never arrive, the
    // socket is closed here, which ends the receive as well.
    MirageEngineState& state = EngineState();
    const DWORD start = GetTickCount();
    while (state.socketHandle != 0 && GetTickCount() - start < kSocketCloseTimeoutMs) {
        GroupSocket().SendWakeUp();
        Sleep(kWakeUpPeriodMs);
    }
    if (state.socketHandle != 0)
        GroupSocket().Close();
}

int CMirageEngine::Stop()
{
    MirageEngineState& state = EngineState();
    state.engineActive = 0;
    if (m_open) {
        CEngineThreads& threads = EngineThreads();
        threads.Command(MirageThread::Viewer, MT_CLOSE_VIEWER, true);
        if (state.openMode == MIRAGE_OPEN_FULL) {
            threads.Command(MirageThread::Sender, MT_STOP_SENDER, true);
            threads.Command(MirageThread::Cursor, MT_STOP_CURSOR, true);
        }
    }
    ReleaseControlKey();
    state.modeRunning = 0;
    return kOk;
}

int CMirageEngine::RunMode(MirageMode mode, const MirageOptions* options)
{
    MirageEngineState& state = EngineState();
    if (!m_open || options == nullptr)
        return kOk;
    int32_t idle = 0;
    if (!state.modeRunning.compare_exchange_strong(idle, 1))
        return kOk; // the host must stop the running mode first
    state.engineActive = 0;

    const MirageModeRow& row = ModeRow(mode);
    const OptionsWarnings warnings = ApplyModeOptions(row, *options, state);
    if (warnings.nullHostWindow)
        MessageBoxA(nullptr, kNullWindowText, kCaption, MB_OK);
    if (warnings.zeroStationId)
        MessageBoxA(nullptr, kZeroIdText, kCaption, MB_OK);
    ClearBuffers();
    CReceiveThread::Assembler().Reset(); // no block of the last mode is composed into this one

    // Threads that were never started (a receive-only engine has no senders)
    // are not commanded.
    for (size_t i = 0; i < row.commandCount; ++i)
        EngineThreads().Command(row.commands[i].thread, row.commands[i].message, row.waitsForThreads);
    state.engineActive = 1;
    return kOk;
}

int CMirageEngine::ExecScreen(const MirageOptions* options, int studentSide, int other, int kind)
{
    if (const auto mode = ExecScreenMode(studentSide, other, kind))
        RunMode(*mode, options);
    return kOk;
}

void CMirageEngine::ResetOptions(const MirageResetOptions* options)
{
    if (options != nullptr)
        ApplyResetOptions(*options, EngineState());
}

void CMirageEngine::NotifyHost(uint16_t code, uint16_t high, LPARAM lParam) const
{
    // The record holds the host window as a 32-bit value.
    const HWND host = reinterpret_cast<HWND>(static_cast<intptr_t>(static_cast<int32_t>(EngineState().hostWindow)));
    PostMessageA(host, WM_MIRAGE_NOTIFY, MAKEWPARAM(code, high), lParam);
}

bool CMirageEngine::AllocateBuffers(uint32_t frameBufferSize)
{
    MirageEngineState& state = EngineState();
    state.blockArea = new (std::nothrow) uint8_t[kMirageBlockAreaSize]();
    state.wireBuffer = new (std::nothrow) uint8_t[frameBufferSize + kMirageWireSlack]();
    state.frameBuffer = new (std::nothrow) uint8_t[frameBufferSize]();
    if (state.blockArea == nullptr || state.wireBuffer == nullptr || state.frameBuffer == nullptr)
        return false;
    for (uint32_t i = 0; i < kMirageBlockSlots; ++i)
        state.blockBuffers[i] = state.blockArea + i * kMirageBlockSlotStride;
    return true;
}

void CMirageEngine::FreeBuffers()
{
    MirageEngineState& state = EngineState();
    delete[] state.blockArea;
    delete[] state.wireBuffer;
    delete[] state.frameBuffer;
    state.blockArea = nullptr;
    state.wireBuffer = nullptr;
    state.frameBuffer = nullptr;
    for (uint8_t*& buffer : state.blockBuffers)
        buffer = nullptr;
}

void CMirageEngine::ClearBuffers()
{
    MirageEngineState& state = EngineState();
    std::memset(state.wireBuffer, 0, state.frameBufferSize + kMirageWireSlack);
    std::memset(state.blockArea, 0, std::min<size_t>(state.frameBufferSize, kMirageBlockAreaSize));
    std::memset(state.frameBuffer, 0, state.frameBufferSize);
}
