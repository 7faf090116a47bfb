#include "broadcast/SendScreenWnd.h"

#include "broadcast/BlockSender.h"
#include "broadcast/FragmentSchedule.h"
#include "broadcast/MirageEngineState.h"
#include "broadcast/MirageMessageIds.h"
#include "broadcast/OsKind.h"
#include "framework/Stopwatch.h"

#include <cstring>

namespace {

constexpr char kWindowName[] = "DoSendScreenWnd";
constexpr DWORD kFirstTimerDelayMs = 1000;
constexpr DWORD kStartSleepMs = 2000;
constexpr UINT kFrameTimerMs = 1;
constexpr DWORD kNoBlockSleepMs = 2;
constexpr uint32_t kFrameEndIndex = kMirageBlockSlots; // the number of slots
constexpr uint16_t kSnapshotCount = 1;
constexpr uint16_t kViewSendOwn = 1;
constexpr uint16_t kViewSendWhenWatched = 2;

// OS kinds on which the screen needs a moment after the service is set up.
bool NeedsStartSleep(uint16_t osKind)
{
    switch (osKind) {
    case OS_KIND_WINDOWS_95:
    case OS_KIND_WINDOWS_98:
    case OS_KIND_WINDOWS_2000:
    case OS_KIND_WINDOWS_XP:
    case OS_KIND_WINDOWS_2003:
        return true;
    default:
        return false;
    }
}

static_assert(sizeof(KqCaptureRect) == sizeof(MirageRect), "the rectangle table is lent to the capture service");

} // namespace

CSendScreenWnd& SendScreenWnd()
{
    static CSendScreenWnd window;
    return window;
}

BEGIN_MESSAGE_MAP(CSendScreenWnd, CWnd)
    ON_WM_TIMER()
    ON_MESSAGE(WM_MIRAGE_SEND_FRAME, OnSendFrame)
    ON_MESSAGE(WM_MIRAGE_TAKE_SNAPSHOT, OnTakeSnapshot)
    ON_MESSAGE(WM_MIRAGE_RESEND, OnSendSnapshot)
END_MESSAGE_MAP()

CSendScreenWnd::CSendScreenWnd()
{
    EngineState().losslessChanged = 0;
}

void CSendScreenWnd::PrepareCapture()
{
    if (EngineState().captureSwitch == 0)
        return;
    if (KqGetScreen_Service(KQ_CAPTURE_SET_UP, nullptr) != 0)
        KqGetScreen_Service(KQ_CAPTURE_RELEASE, nullptr);
}

bool CSendScreenWnd::CreateSender()
{
    MirageEngineState& state = EngineState();
    m_snapshotLength = 0;
    m_lastRawWidth = 0;

    const LPCSTR windowClass = AfxRegisterWndClass(0, LoadCursor(nullptr, IDC_ARROW));
    if (!CreateEx(WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT, windowClass, kWindowName, WS_POPUP, 0, 0, 1, 1, nullptr,
                  nullptr))
        return false;
    if (state.viewState == kViewSendOwn) {
        Sleep(kFirstTimerDelayMs);
        ArmTimer();
    } else if (state.viewState == kViewSendWhenWatched) {
        PostMessage(WM_MIRAGE_TAKE_SNAPSHOT);
    }
    MeasureScreen();
    if (state.captureSwitch != 0 && KqGetScreen_Service(KQ_CAPTURE_SET_UP, nullptr) == 0)
        state.captureSwitch = 0;
    if (NeedsStartSleep(state.osKind))
        Sleep(kStartSleepMs);
    return true;
}

void CSendScreenWnd::DestroySender()
{
    MirageEngineState& state = EngineState();
    if (state.captureSwitch != 0)
        KqGetScreen_Service(KQ_CAPTURE_RELEASE, nullptr);
    if (GetSafeHwnd() != nullptr) {
        KillTimer(kSendFrameTimer);
        DestroyWindow();
    }
    m_compressor.Release();
    m_snapshotLength = 0;
}

bool CSendScreenWnd::MeasureScreen()
{
    MirageEngineState& state = EngineState();
    const int32_t rawWidth = GetSystemMetrics(SM_CXSCREEN);
    const int32_t rawHeight = GetSystemMetrics(SM_CYSCREEN);
    if (rawWidth != m_lastRawWidth) {
        const bool rebuild = m_lastRawWidth != 0;
        m_lastRawWidth = rawWidth;
        if (rebuild && state.captureSwitch != 0)
            RebuildCapture(); // the service is set up again for the new screen
    }
    const SendExtent extent = ClampToFrameClass(rawWidth, rawHeight, state.classWidth, state.classHeight);
    state.frameWidth = extent.width;
    state.frameHeight = extent.height;
    return extent.width != 0 && extent.height != 0;
}

void CSendScreenWnd::ClearRectangles()
{
    std::memset(EngineState().rectTable, 0, sizeof EngineState().rectTable);
}

void CSendScreenWnd::RebuildCapture()
{
    m_request.rects = reinterpret_cast<KqCaptureRect*>(EngineState().rectTable);
    m_request.buffers = EngineState().blockBuffers;
    KqGetScreen_Service(KQ_CAPTURE_RELEASE, &m_request);
    KqGetScreen_Service(KQ_CAPTURE_SET_UP, &m_request);
}

void CSendScreenWnd::ArmTimer()
{
    if (EngineState().viewState == kViewSendOwn)
        SetTimer(kSendFrameTimer, kFrameTimerMs);
}

bool CSendScreenWnd::CaptureScreen(CapturePurpose purpose, uint16_t count)
{
    MirageEngineState& state = EngineState();
    MirageRect& whole = state.rectTable[0];
    whole = {0, 0, static_cast<int32_t>(state.frameWidth), static_cast<int32_t>(state.frameHeight)};
    m_request.rects = reinterpret_cast<KqCaptureRect*>(state.rectTable);
    m_request.buffers = state.blockBuffers;
    m_request.count = count;
    const CaptureChoice choice = ChooseCaptureCode(purpose, state.compression, state.osKind, state.frameWidth,
                                                   state.frameHeight, state.captureSwitch != 0);
    int32_t result = 0;
    try {
        result = KqGetScreen_Service(choice.code, &m_request);
    } catch (...) {
        RebuildCapture();
        result = 1; // the frame goes on with the buffer as it is
    }
    if (result == 0 && choice.rebuildOnFailure)
        RebuildCapture();
    state.frameBpp = static_cast<uint8_t>(m_request.bitsPerPixel);
    return result != 0;
}

size_t CSendScreenWnd::CompressSlot(uint32_t slot)
{
    MirageEngineState& state = EngineState();
    const MirageRect& r = state.rectTable[slot];
    const auto width = static_cast<uint32_t>(r.right - r.left);
    const auto height = static_cast<uint32_t>(r.bottom - r.top);
    const size_t length = m_compressor.Compress(state.compression, state.blockBuffers[slot], width, height,
                                                state.frameBpp, state.jpegQuality, state.wireBuffer,
                                                state.frameBufferSize);
    return StreamFitsOneBlock(length) ? length : 0;
}

MirageBlockInfo CSendScreenWnd::BlockInfo(uint32_t slot, size_t length) const
{
    const MirageEngineState& state = EngineState();
    MirageBlockInfo block;
    block.compression = state.compression;
    block.bitsPerPixel = state.frameBpp;
    block.frameWidth = static_cast<uint16_t>(state.frameWidth);
    block.frameHeight = static_cast<uint16_t>(state.frameHeight);
    block.length = static_cast<uint32_t>(length);
    block.quality = state.jpegQuality;
    block.fragmentCount = FragmentCount(length);
    block.rect = state.rectTable[slot];
    block.blockIndex = slot;
    block.recordBar = state.sendRecordBar;
    block.windowed = state.sendWindowed;
    block.gridMode = state.gridMode;
    return block;
}

void CSendScreenWnd::SendFrame(SendFrameTimings* timings)
{
    MirageEngineState& state = EngineState();
    CStopwatch clock;
    if (state.losslessChanged.exchange(0) != 0)
        state.compression = state.losslessPending != 0 ? MIRAGE_COMPRESSION_ZLIB : MIRAGE_COMPRESSION_JPEG;
    if (state.engineActive == 0)
        return;
    ClearRectangles();
    if (!MeasureScreen())
        return;
    CaptureScreen(CapturePurpose::Frame, static_cast<uint16_t>(kMirageBlockSlots));
    if (timings != nullptr)
        timings->captureMs = clock.Lap();

    bool sent = false;
    MirageBlockInfo last;
    for (uint32_t slot = 0; slot < kMirageBlockSlots; ++slot) {
        const MirageRect& r = state.rectTable[slot];
        if (r.right <= r.left || r.bottom <= r.top)
            continue;
        const size_t length = CompressSlot(slot);
        if (timings != nullptr)
            timings->compressMs += clock.Lap();
        if (length == 0)
            return; // failed or too large: no header and no frame end; the next frame tries again
        const double slept =
            CBlockSender::SendFragments(state.ownId, state.wireBuffer, length, state.burstLength, state.burstPause);
        last = BlockInfo(slot, length);
        CBlockSender::SendHeader(state.ownId, last, state.controlSendDelay);
        sent = true;
        if (timings != nullptr) {
            timings->sleptMs += slept;
            timings->bytes += length;
            timings->datagrams += last.fragmentCount + 1;
        }
    }
    if (sent) {
        last.blockIndex = kFrameEndIndex;
        CBlockSender::SendFrameEnd(state.ownId, last, state.controlSendDelay);
        if (timings != nullptr) {
            timings->datagrams += 1;
            timings->sendMs = clock.Lap();
        }
    } else {
        Sleep(kNoBlockSleepMs);
    }
}

void CSendScreenWnd::OnTimer(UINT_PTR id)
{
    if (id == kSendFrameTimer && EngineState().engineActive != 0) {
        KillTimer(kSendFrameTimer);
        PostMessage(WM_MIRAGE_SEND_FRAME);
    }
    Default();
}

LRESULT CSendScreenWnd::OnSendFrame(WPARAM, LPARAM)
{
    SendFrame();
    ArmTimer();
    return 0;
}

LRESULT CSendScreenWnd::OnTakeSnapshot(WPARAM, LPARAM)
{
    ClearRectangles();
    m_snapshotLength = 0;
    if (!MeasureScreen())
        return 0;
    CaptureScreen(CapturePurpose::Snapshot, kSnapshotCount);
    // An oversize or failed snapshot is kept as none: it is never sent.
    m_snapshotLength = CompressSlot(0);
    m_snapshot = BlockInfo(0, m_snapshotLength);
    EngineState().compressedLength = static_cast<uint32_t>(m_snapshotLength);
    return 0;
}

LRESULT CSendScreenWnd::OnSendSnapshot(WPARAM, LPARAM)
{
    MirageEngineState& state = EngineState();
    if (state.engineActive == 0)
        return 0;
    if (m_snapshotLength != 0) {
        CBlockSender::SendFragments(state.ownId, state.wireBuffer, m_snapshotLength, state.burstLength,
                                    state.burstPause);
        CBlockSender::SendHeader(state.ownId, m_snapshot, state.controlSendDelay);
        CBlockSender::SendFrameEnd(state.ownId, m_snapshot, state.controlSendDelay);
    }
    PostMessage(WM_MIRAGE_TAKE_SNAPSHOT); // the next request gets a fresh picture
    return 0;
}
