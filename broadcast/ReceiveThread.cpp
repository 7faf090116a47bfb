#include "broadcast/ReceiveThread.h"

#include "broadcast/DecompressWnd.h"
#include "broadcast/GroupSocket.h"
#include "broadcast/JpegLibrary.h"
#include "broadcast/MirageEngine.h"
#include "broadcast/MirageEngineState.h"
#include "broadcast/MirageMessageIds.h"
#include "broadcast/RecordBar.h"
#include "broadcast/Recorder.h"
#include "broadcast/SendScreenWnd.h"
#include "broadcast/ViewGeometry.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>

namespace {

constexpr WORD kWinsock11 = MAKEWORD(1, 1);
constexpr DWORD kAfterBadDatagramMs = 1;
constexpr int32_t kStudentSide = 1;
constexpr int32_t kTeachingDemo = 0;
constexpr int32_t kMonitorOne = 4;
constexpr int32_t kMonitorMany = 5;
constexpr uint16_t kViewFullScreen = 3;
constexpr uint16_t kViewWindowed = 4;
constexpr uint16_t kViewMulti = 5;
constexpr uint16_t kReplayPointer = 1;
constexpr uint16_t kDrawPointer = 2;
constexpr uint16_t kReplayKeys = 2;
constexpr DWORD kAbsoluteFlag = MOUSEEVENTF_ABSOLUTE;
constexpr uint8_t kLeftWindowsKey = VK_LWIN;

std::string g_hostFolder;
std::unique_ptr<CFrameAssembler> g_assembler;
// The receive thread and a mode export (which resets it) may come first.
std::mutex g_assemblerLock;

bool Viewing(const MirageEngineState& state)
{
    return state.viewState == kViewFullScreen || state.viewState == kViewWindowed || state.viewState == kViewMulti;
}

// A student being monitored takes no screens, input or shapes: only the
// stop, the watch selects, keep-alives and full-frame requests.
bool Restricted(const MirageEngineState& state, const ParsedDatagram& d)
{
    if (state.ownId == 0 || (state.modeKind != kMonitorOne && state.modeKind != kMonitorMany))
        return false;
    switch (d.message) {
    case MirageMessage::Stop:
    case MirageMessage::WatchSelect:
    case MirageMessage::KeepAlive:
    case MirageMessage::FullFrameRequest:
        return false;
    default:
        return true;
    }
}

void PostToDecoder(UINT message, WPARAM wParam = 0)
{
    if (HWND decoder = DecompressWnd().GetSafeHwnd())
        PostMessageA(decoder, message, wParam, 0);
}

} // namespace

void CReceiveThread::SetHostFolder(const std::string& folder)
{
    g_hostFolder = folder;
}

CFrameAssembler& CReceiveThread::Assembler()
{
    const std::lock_guard<std::mutex> lock(g_assemblerLock);
    if (!g_assembler) {
        g_assembler = std::make_unique<CFrameAssembler>(recorder::EngineBuffers());
        g_assembler->SetJpegDecoder(&DecodeJpegWithLibrary);
    }
    return *g_assembler;
}

void CReceiveThread::ResetAssembler()
{
    const std::lock_guard<std::mutex> lock(g_assemblerLock);
    g_assembler.reset(); // the buffers changed: made anew on next use
}

DWORD WINAPI CReceiveThread::ThreadProc(LPVOID)
{
    WSADATA data;
    if (WSAStartup(kWinsock11, &data) != 0)
        return 0;
    ResetAssembler();
    Assembler(); // over the buffers of this open
    GroupSocket().Open(g_hostFolder); // a failed socket only makes every receive fail
    Run();
    GroupSocket().Close();
    WSACleanup();
    return 0;
}

void CReceiveThread::Run()
{
    MirageEngineState& state = EngineState();
    // One byte more than a datagram, so that a longer one shows its length.
    uint8_t buffer[kMirageDatagramSize + 1];
    while (!state.receiveStop) {
        const int length = GroupSocket().Receive(buffer, sizeof buffer);
        if (length != static_cast<int>(kMirageDatagramSize)) {
            Sleep(kAfterBadDatagramMs);
            continue;
        }
        if (buffer[0] == state.ownId || !state.engineActive)
            continue; // our own multicast looped back, or no mode is active
        if (state.receiveStop)
            break;
        state.dataSeen = 1;
        ParsedDatagram datagram;
        if (ParseMirageDatagram(buffer, static_cast<size_t>(length), ReceiveCapacity(state), datagram) &&
            !Restricted(state, datagram))
            Dispatch(datagram);
    }
}

void CReceiveThread::TakeGeometry()
{
    MirageEngineState& state = EngineState();
    const MirageGeometry& g = Assembler().Geometry();
    state.frameWidth = g.width;
    state.frameHeight = g.height;
    state.frameBpp = g.bitsPerPixel;
}

void CReceiveThread::Dispatch(const ParsedDatagram& datagram)
{
    MirageEngineState& state = EngineState();
    switch (datagram.message) {
    case MirageMessage::ScreenFragment:
    case MirageMessage::CursorShapeFragment:
        if (Viewing(state) && state.engineActive)
            Assembler().Accept(datagram);
        break;
    case MirageMessage::BlockHeader:
        if (Viewing(state) && Assembler().DecodeBlock(datagram)) {
            state.compression = datagram.compression;
            state.gridMode = datagram.gridMode;
            state.jpegQuality = datagram.quality;
            state.compressedLength = datagram.length;
            TakeGeometry();
            recorder::AppendBlock(datagram); // a zlib block is never recorded
        }
        break;
    case MirageMessage::FrameEnd:
        OnFrameEnd(datagram);
        break;
    case MirageMessage::CursorPosition:
    case MirageMessage::MouseEvent:
    case MirageMessage::KeyEvent:
        OnInput(datagram);
        break;
    default:
        OnControl(datagram);
        break;
    }
}

void CReceiveThread::OnControl(const ParsedDatagram& datagram)
{
    MirageEngineState& state = EngineState();
    switch (datagram.message) {
    case MirageMessage::Stop:
        MirageEngine().Stop();
        MirageEngine().NotifyHost(MIRAGE_NOTICE_MODE_ENDED, 0, 0);
        break;
    case MirageMessage::WatchSelect:
        OnWatchSelect(datagram);
        break;
    case MirageMessage::CursorShapeOn:
    case MirageMessage::CursorShapeOff:
        if (state.showRemoteCursor)
            PostToDecoder(WM_MIRAGE_CURSOR_SHAPE, datagram.message == MirageMessage::CursorShapeOn ? 1 : 0);
        break;
    case MirageMessage::SizeChange:
        // The view is laid out again on its own thread, not here.
        if (Assembler().ChangeSize(datagram)) {
            TakeGeometry();
            PostToDecoder(WM_MIRAGE_RELAYOUT);
        }
        break;
    case MirageMessage::FullFrameRequest:
        state.fullFrameCountdown = -2;
        break;
    default:
        break; // keep-alive: dataSeen is set already
    }
}

void CReceiveThread::ApplySenderFlags(const ParsedDatagram& frameEnd)
{
    MirageEngineState& state = EngineState();
    // The bar is shown and hidden without waiting for the viewer thread,
    // which may be closing the viewer (DoStop) and waiting for this one.
    HWND bar = RecordBar().GetSafeHwnd();
    if (state.recordBarOn && (frameEnd.recordBar == 0 || state.compression != MIRAGE_COMPRESSION_JPEG)) {
        PostToDecoder(WM_MIRAGE_RECORD_OFF);
        state.recordBarOn = 0;
        state.sendRecordBar = 0;
        if (bar != nullptr)
            ShowWindowAsync(bar, SW_HIDE);
    }
    if (frameEnd.recordBar != 0 && frameEnd.compression == MIRAGE_COMPRESSION_JPEG) {
        state.recordBarOn = 1;
        state.sendRecordBar = 1;
        if (bar != nullptr)
            ShowWindowAsync(bar, SW_SHOWNOACTIVATE);
    }
    state.recordBarOn = frameEnd.recordBar;
    state.sendWindowed = frameEnd.windowed;
    state.windowedFlag = frameEnd.windowed;
    if (frameEnd.windowed != state.windowedView) {
        state.windowedView = frameEnd.windowed;
        state.viewState = frameEnd.windowed != 0 ? kViewWindowed : kViewFullScreen;
        // Task keys free in a windowed view, blocked in a full-screen one.
        SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, frameEnd.windowed != 0 ? FALSE : TRUE, nullptr, 0);
        PostToDecoder(WM_MIRAGE_RELAYOUT);
    }
}

void CReceiveThread::OnFrameEnd(const ParsedDatagram& datagram)
{
    MirageEngineState& state = EngineState();
    if (state.side == kStudentSide && state.modeKind == kTeachingDemo)
        ApplySenderFlags(datagram);
    if (!state.engineActive)
        return;
    if (!Assembler().EndFrame(datagram))
        return; // a frame end the view cannot show: the last good geometry stays
    TakeGeometry();
    std::memcpy(state.framePalette, Assembler().Palette(), sizeof state.framePalette);
    if (!state.engineActive)
        return;
    PostToDecoder(WM_MIRAGE_FRAME);
    recorder::AppendFrameEnd();
}

void CReceiveThread::OnWatchSelect(const ParsedDatagram& datagram)
{
    MirageEngineState& state = EngineState();
    const bool mayNotify = state.monitorNotice == 1 && state.side == kStudentSide;
    if (datagram.watchedId == state.ownId) {
        if (state.watchedNoticeSent == 0 && mayNotify) {
            MirageEngine().NotifyHost(MIRAGE_NOTICE_WATCHED, 0, 1);
            state.watchedNoticeSent = 1;
        }
        if (HWND sender = SendScreenWnd().GetSafeHwnd())
            PostMessageA(sender, WM_MIRAGE_RESEND, 0, 0);
    } else if (state.watchedNoticeSent == 1 && mayNotify) {
        MirageEngine().NotifyHost(MIRAGE_NOTICE_WATCHED, 0, 0);
        state.watchedNoticeSent = 0;
    }
}

void CReceiveThread::OnInput(const ParsedDatagram& datagram)
{
    MirageEngineState& state = EngineState();
    switch (datagram.message) {
    case MirageMessage::CursorPosition:
        if (state.showRemoteCursor) {
            state.cursorX = datagram.x;
            state.cursorY = datagram.y;
            PostToDecoder(WM_MIRAGE_POINTER);
        }
        break;
    case MirageMessage::MouseEvent:
        if (state.pointerRole == kReplayPointer) {
            ReplayMouse(datagram);
        } else if (state.pointerRole == kDrawPointer) {
            state.pointerX = datagram.x;
            state.pointerY = datagram.y;
            PostToDecoder(WM_MIRAGE_POINTER);
        }
        break;
    case MirageMessage::KeyEvent:
        ReplayKey(datagram);
        break;
    default:
        break;
    }
}

void CReceiveThread::ReplayMouse(const ParsedDatagram& datagram)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = datagram.mouseFlags | kAbsoluteFlag;
    // The controlling viewer sends this station's own pixels; absolute input
    // spans the whole screen, which may be larger than the frame sent.
    const auto screenWidth = static_cast<uint32_t>(GetSystemMetrics(SM_CXSCREEN));
    const auto screenHeight = static_cast<uint32_t>(GetSystemMetrics(SM_CYSCREEN));
    input.mi.dx = static_cast<LONG>(AbsoluteMouseCoordinate(datagram.x, screenWidth));
    input.mi.dy = static_cast<LONG>(AbsoluteMouseCoordinate(datagram.y, screenHeight));
    input.mi.mouseData = static_cast<DWORD>(datagram.wheelDelta);
    SendInput(1, &input, sizeof input);
    // The injected move reaches the programs, but the display's pointer can
    // stay where it was and take the position back at its next report:
    // the pointer is put at the place as well, so that it follows the
    // controlling teacher's mouse.
    if ((datagram.mouseFlags & MOUSEEVENTF_MOVE) != 0)
        SetCursorPos(std::clamp<int32_t>(datagram.x, 0, static_cast<int32_t>(screenWidth) - 1),
                     std::clamp<int32_t>(datagram.y, 0, static_cast<int32_t>(screenHeight) - 1));
}

void CReceiveThread::ReplayKey(const ParsedDatagram& datagram)
{
    MirageEngineState& state = EngineState();
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = datagram.virtualKey;
    input.ki.wScan = datagram.scanCode;
    input.ki.dwExtraInfo = datagram.keyExtra;
    if (state.keyRole == kReplayKeys) {
        input.ki.dwFlags = datagram.keyFlags;
        SendInput(1, &input, sizeof input);
    }
    // A replayed Windows key never stays down.
    if (datagram.virtualKey == kLeftWindowsKey) {
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(1, &input, sizeof input);
    }
}
