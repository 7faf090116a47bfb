#include "broadcast/DecompressWnd.h"

#include "broadcast/DatagramBuilder.h"
#include "broadcast/GroupSocket.h"
#include "broadcast/EngineEnvironment.h"
#include "broadcast/MirageEngine.h"
#include "broadcast/MirageEngineState.h"
#include "broadcast/MirageMessageIds.h"
#include "broadcast/RecordBar.h"
#include "broadcast/Recorder.h"
#include "broadcast/ScreenReceiverWnd.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr char kWindowName[] = "DoDecompressWnd";
constexpr uint16_t kViewMulti = 5;
constexpr UINT kWatchRepeatMs = 5000;
constexpr UINT kFirstWatchMs = 500;
constexpr WPARAM kAskAgain = 1;
constexpr int kCursorSize = 32;
constexpr size_t kAndPlaneOffset = 408;
constexpr size_t kXorPlaneOffset = 536;

constexpr WPARAM kRecordStart = 0;
constexpr WPARAM kRecordStop = 1;
constexpr WPARAM kRecordPlay = 2;
constexpr WPARAM kRecordClear = 3;
constexpr WPARAM kRecordExit = 4;
constexpr char kOpenFileError[] = "Open File Error!";
constexpr char kNoRecordContext[] = "No record context!";
constexpr char kRecordDamaged[] = "Record file damaged!";

bool HasIdList(const MirageEngineState& state) { return state.idListMode == 1 || state.idListMode == 2; }

} // namespace

CDecompressWnd& DecompressWnd()
{
    static CDecompressWnd window;
    return window;
}

MiragePaging LoadPaging()
{
    const MirageEngineState& state = EngineState();
    MiragePaging p;
    p.idListMode = state.idListMode;
    p.idCount = std::min<uint16_t>(state.idCount, kPagingMaxIds);
    std::memcpy(p.ids, state.ids, sizeof p.ids);
    p.maxViews = state.maxViews;
    p.zoomed = state.zoomed != 0;
    p.visibleCount = state.visibleCount;
    std::memcpy(p.visibleIds, state.visibleIds, sizeof p.visibleIds);
    p.pagePos = state.pagePos;
    p.cyclePos = state.cyclePos;
    p.currentView = state.currentView;
    p.watchedId = state.watchedId;
    for (int i = 0; i < kViewCount; ++i)
        p.viewStationIds[i] = View(i).StationId();
    return p;
}

void StorePaging(const MiragePaging& p)
{
    MirageEngineState& state = EngineState();
    state.visibleCount = p.visibleCount;
    std::memcpy(state.visibleIds, p.visibleIds, sizeof p.visibleIds);
    state.pagePos = p.pagePos;
    state.cyclePos = p.cyclePos;
    state.currentView = static_cast<uint16_t>(p.currentView);
    state.watchedId = p.watchedId;
    for (int i = 0; i < kViewCount; ++i)
        View(i).SetStationId(p.viewStationIds[i]);
}

BEGIN_MESSAGE_MAP(CDecompressWnd, CWnd)
    ON_MESSAGE(WM_MIRAGE_FRAME, OnFrame)
    ON_MESSAGE(WM_MIRAGE_CURSOR_SHAPE, OnCursorShape)
    ON_MESSAGE(WM_MIRAGE_POINTER, OnPointer)
    ON_MESSAGE(WM_MIRAGE_WATCH, OnWatch)
    ON_MESSAGE(WM_MIRAGE_NEXT, OnNext)
    ON_MESSAGE(WM_MIRAGE_PREVIOUS, OnPrevious)
    ON_MESSAGE(WM_MIRAGE_SHOW_VIEWS, OnShowViews)
    ON_MESSAGE(WM_MIRAGE_RECORD_OFF, OnRecordOff)
    ON_MESSAGE(WM_MIRAGE_RELAYOUT, OnRelayout)
    ON_MESSAGE(WM_MIRAGE_RECORD, OnRecord)
    ON_WM_TIMER()
END_MESSAGE_MAP()

int CDecompressWnd::Create()
{
    MirageEngineState& state = EngineState();
    const LPCSTR windowClass = AfxRegisterWndClass(0, LoadCursor(nullptr, IDC_ARROW));
    if (!CreateEx(WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT, windowClass, kWindowName, WS_POPUP, 0, 0, 1, 1, nullptr,
                  nullptr))
        return -1;
    ShowWindow(SW_HIDE);
    if (state.lockSystemKeys)
        SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, TRUE, nullptr, 0);
    if (HasIdList(state)) {
        if (state.cyclingOn)
            SetTimer(kCyclingTimer, state.cyclingPeriod, nullptr);
        MiragePaging p = LoadPaging();
        StartPaging(p);
        StorePaging(p);
        SetTimer(kFirstWatchTimer, kFirstWatchMs, nullptr);
    }
    state.skipNextDraw = 0;
    m_answered = false;
    state.recordingOn = 0;
    state.playbackOn = 0;
    state.recordCount = 0;
    return 0;
}

void CDecompressWnd::Destroy()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

void CDecompressWnd::ApplyVisibility()
{
    MirageEngineState& state = EngineState();
    if (state.viewState != kViewMulti)
        return;
    if (state.zoomed) {
        for (int i = 0; i < state.maxViews && i < kViewCount; ++i)
            if (i != state.currentView)
                View(i).ShowWithTitle(false);
        CurrentView().LayoutView();
        CurrentView().ShowWithTitle(true);
        return;
    }
    for (int i = 0; i < state.maxViews && i < kViewCount; ++i) {
        CScreenReceiverWnd& view = View(i);
        view.LayoutView();
        if (i < state.visibleCount) {
            view.ShowWithTitle(true);
            view.LayoutView();
        } else {
            view.ShowEmpty();
        }
    }
}

LRESULT CDecompressWnd::OnFrame(WPARAM, LPARAM)
{
    MirageEngineState& state = EngineState();
    state.dataSeen = 1;
    if (!state.engineActive)
        return 0;
    const bool idList = HasIdList(state);
    if (idList)
        KillTimer(kWatchRepeatTimer);
    if (state.switchPending) {
        // This frame is the station's before the switch: not drawn.
        state.switchPending = 0;
        if (idList)
            PostMessage(WM_MIRAGE_WATCH);
        return 0;
    }
    if (state.viewState == kViewMulti)
        ApplyVisibility();
    state.waitingForFrame = 0;
    m_answered = true;
    if (state.skipNextDraw) {
        state.skipNextDraw = 0;
    } else {
        CurrentView().LayoutView();
        CurrentView().DrawFrame();
    }
    if (idList)
        PostMessage(WM_MIRAGE_WATCH);
    return 0;
}

LRESULT CDecompressWnd::OnCursorShape(WPARAM shapeOn, LPARAM)
{
    const MirageEngineState& state = EngineState();
    HCURSOR cursor = nullptr;
    if (shapeOn != 0) {
        cursor = CreateCursor(AfxGetInstanceHandle(), 0, 0, kCursorSize, kCursorSize,
                              state.cursorShapeArea + kAndPlaneOffset, state.cursorShapeArea + kXorPlaneOffset);
    }
    if (cursor != nullptr)
        CurrentView().SetCursorShape(cursor, true);
    else
        CurrentView().SetCursorShape(LoadCursor(nullptr, IDC_ARROW), false);
    return 0;
}

LRESULT CDecompressWnd::OnPointer(WPARAM, LPARAM)
{
    CurrentView().DrawPointer();
    return 0;
}

void CDecompressWnd::ArmWatchRepeat()
{
    SetTimer(kWatchRepeatTimer, kWatchRepeatMs, nullptr);
    m_answered = false;
}

LRESULT CDecompressWnd::OnWatch(WPARAM again, LPARAM)
{
    MirageEngineState& state = EngineState();
    if (!state.engineActive) {
        ArmWatchRepeat();
        return 0;
    }
    MiragePaging p = LoadPaging();
    const bool send = HasIdList(state) && NextWatchRequest(p, again != kAskAgain);
    StorePaging(p);
    if (send) {
        const MirageWatchSelect request = BuildWatchSelect(state.ownId, state.watchedId);
        GroupSocket().Send(&request, state.controlSendDelay);
    }
    ArmWatchRepeat();
    return 0;
}

void CDecompressWnd::Page(bool forward)
{
    MirageEngineState& state = EngineState();
    if (state.cyclingOn)
        KillTimer(kCyclingTimer);
    MiragePaging p = LoadPaging();
    const bool paged = forward ? PageNext(p) : PagePrevious(p);
    StorePaging(p);
    if (state.cyclingOn)
        SetTimer(kCyclingTimer, state.cyclingPeriod, nullptr);
    if (paged)
        state.skipNextDraw = 1; // the first frame after a switch is not drawn
}

LRESULT CDecompressWnd::OnNext(WPARAM, LPARAM)
{
    Page(true);
    return 0;
}

LRESULT CDecompressWnd::OnPrevious(WPARAM, LPARAM)
{
    Page(false);
    return 0;
}

LRESULT CDecompressWnd::OnShowViews(WPARAM, LPARAM)
{
    ApplyVisibility();
    return 0;
}

LRESULT CDecompressWnd::OnRecordOff(WPARAM, LPARAM)
{
    recorder::Stop();
    EngineState().playbackOn = 0;
    KillTimer(kPlaybackTimer);
    m_framePending = false;
    RecordBar().Refresh();
    return 0;
}

bool CDecompressWnd::Tell(const char* text)
{
    ::MessageBoxA(RecordBar().GetSafeHwnd(), text, nullptr, MB_OK);
    // DoStop may have closed the viewer while the box was up.
    return GetSafeHwnd() != nullptr;
}

LRESULT CDecompressWnd::OnRecord(WPARAM code, LPARAM)
{
    MirageEngineState& state = EngineState();
    switch (code > kRecordExit ? kRecordStop : code) {
    case kRecordStart:
        StartRecording();
        break;
    case kRecordPlay:
        StartPlayback();
        break;
    case kRecordClear:
        if (!recorder::Clear())
            Tell(kOpenFileError);
        break;
    case kRecordExit:
        recorder::Stop();
        state.playbackOn = 0;
        KillTimer(kPlaybackTimer);
        MirageEngine().Stop();
        MirageEngine().NotifyHost(MIRAGE_NOTICE_MODE_ENDED, 0, 0);
        break;
    default:
        recorder::Stop();
        state.playbackOn = 0;
        KillTimer(kPlaybackTimer);
        break;
    }
    return 0;
}

void CDecompressWnd::StartRecording()
{
    const MirageEngineState& state = EngineState();
    // Nothing to start from until a frame that fits has come.
    if (!IsShowableGeometry(state.frameWidth, state.frameHeight, state.frameBpp, recorder::EngineLimits().frameBufferSize)) {
        RecordBar().Refresh();
        return;
    }
    if (recorder::Start())
        return;
    if (Tell(kOpenFileError))
        RecordBar().Refresh();
}

void CDecompressWnd::StartPlayback()
{
    MirageEngineState& state = EngineState();
    KillTimer(kPlaybackTimer);
    m_framePending = false;
    const char* problem = nullptr;
    switch (m_player.Begin(EngineEnvironment().RecordFolder(), GetTickCount64())) {
    case CRecordPlayer::Start::Playing:
        break;
    case CRecordPlayer::Start::Missing:
        problem = kOpenFileError;
        break;
    case CRecordPlayer::Start::Empty:
        problem = kNoRecordContext;
        break;
    default:
        problem = kRecordDamaged;
        break;
    }
    if (problem != nullptr) {
        if (Tell(problem))
            EndPlayback();
        return;
    }
    state.playbackOn = 1;
    SetTimer(kPlaybackTimer, static_cast<UINT>(kPlaybackFirstStepMs), nullptr);
}

void CDecompressWnd::PlaybackStep()
{
    KillTimer(kPlaybackTimer);
    if (!EngineState().playbackOn || m_player.AtEnd()) {
        EndPlayback();
        return;
    }
    if (m_framePending) {
        m_framePending = false;
        OnFrame(0, 0);
    }
    uint64_t due = 0;
    const char* problem = nullptr;
    switch (m_player.Next(due)) {
    case CRecordPlayer::Step::Composed:
        m_framePending = true;
        SetTimer(kPlaybackTimer, static_cast<UINT>(CPlaybackSchedule::DelayUntil(due, GetTickCount64())), nullptr);
        return;
    case CRecordPlayer::Step::ReadFailed:
        problem = kOpenFileError;
        break;
    case CRecordPlayer::Step::Damaged:
        problem = kRecordDamaged;
        break;
    default:
        break;
    }
    EngineState().playbackOn = 0;
    if (problem != nullptr && !Tell(problem))
        return;
    EndPlayback();
}

void CDecompressWnd::EndPlayback()
{
    MirageEngineState& state = EngineState();
    KillTimer(kPlaybackTimer);
    m_framePending = false;
    state.playbackOn = 0;
    RecordBar().Refresh();
    state.waitingForFrame = 1;
    CurrentView().LayoutView();
    RedrawCurrentView();
}

LRESULT CDecompressWnd::OnRelayout(WPARAM, LPARAM)
{
    CurrentView().LayoutView();
    return 0;
}

void CDecompressWnd::OnTimer(UINT_PTR id)
{
    switch (id) {
    case kCyclingTimer:
        PostMessage(WM_MIRAGE_NEXT);
        break;
    case kWatchRepeatTimer:
        if (!m_answered) {
            PostMessage(WM_MIRAGE_WATCH);
            SetTimer(kWatchRepeatTimer, kWatchRepeatMs, nullptr);
        }
        break;
    case kFirstWatchTimer:
        KillTimer(kFirstWatchTimer);
        PostMessage(WM_MIRAGE_WATCH, kAskAgain);
        break;
    case kPlaybackTimer:
        PlaybackStep();
        return;
    default:
        break;
    }
    CWnd::OnTimer(id);
}
