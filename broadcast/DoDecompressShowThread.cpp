#include "broadcast/DoDecompressShowThread.h"

#include "broadcast/DecompressWnd.h"
#include "broadcast/DisplayMode.h"
#include "broadcast/EngineThreads.h"
#include "broadcast/HookLibrary.h"
#include "broadcast/MirageEngineState.h"
#include "broadcast/MirageMessageIds.h"
#include "broadcast/RecordBar.h"
#include "broadcast/ScreenReceiverWnd.h"
#include "broadcast/ViewerTexts.h"


namespace {

constexpr uint16_t kViewFullScreen = 3;
constexpr uint16_t kViewWindowed = 4;
constexpr uint16_t kViewMulti = 5;

bool HasIdList(const MirageEngineState& state) { return state.idListMode == 1 || state.idListMode == 2; }

// Creates view `index` in grid cell `cell` showing the waiting text.
void OpenView(int index, uint8_t stationId)
{
    const MirageEngineState& state = EngineState();
    CScreenReceiverWnd& view = View(index);
    view.SetCell(index);
    view.SetIndex(index);
    view.SetStationId(stationId);
    const bool created = view.CreateView();
    if (!created)
        return;
    view.LayoutView();
    view.DrawWaitingText();
    if (HasIdList(state))
        view.Title().ShowText("");
}

void CloseView(int index)
{
    CScreenReceiverWnd& view = View(index);
    view.DestroyView();
    if (view.GetSafeHwnd() != nullptr)
        view.DestroyWindow();
}

} // namespace

IMPLEMENT_DYNCREATE(DoDecompressShowThread, CWinThread)

BEGIN_MESSAGE_MAP(DoDecompressShowThread, CWinThread)
    ON_THREAD_MESSAGE(MT_OPEN_VIEWER, OnOpenViewer)
    ON_THREAD_MESSAGE(MT_CLOSE_VIEWER, OnCloseViewer)
    ON_THREAD_MESSAGE(MT_QUIT_VIEWER, OnQuit)
END_MESSAGE_MAP()

BOOL DoDecompressShowThread::InitInstance()
{
    m_winsock.Start(CWinsockUse::kVersion11);
    return TRUE;
}

int DoDecompressShowThread::ExitInstance()
{
    m_winsock.Stop();
    return CWinThread::ExitInstance();
}

void DoDecompressShowThread::OnOpenViewer(WPARAM sequence, LPARAM)
{
    MirageEngineState& state = EngineState();
    DecompressWnd().Create(); // without it nothing is drawn; the views still open
    state.waitingForFrame = 1;
    state.zoomed = 0;
    state.switchPending = 0;
    displaymode::Save();
    if (state.viewState == kViewFullScreen || state.viewState == kViewWindowed) {
        const bool waitForCommands = state.recordBarOn && state.studentDemoView == 0;
        SetWaitingText(waitForCommands ? ViewerText(MIRAGE_INI_WAITING) : std::string(state.modeText));
        OpenView(state.currentView, state.watchedId);
    } else if (state.viewState == kViewMulti) {
        SetWaitingText(state.modeText);
        for (int i = 0; i < state.maxViews && i < kViewCount; ++i) {
            const bool filled = i < state.visibleCount;
            OpenView(i, filled ? state.visibleIds[i] : 0);
            if (!filled)
                View(i).ShowEmpty();
        }
    }
    // A student in a teaching demonstration records; the player only plays.
    RecordBar().CreateBar(&DecompressWnd(), state.studentDemoView != 0, &View(state.currentView));
    HookLibrary().InstallStartKeyHook();
    m_open = true;
    // Acknowledged whatever the outcome, so that no export waits its full time.
    EngineThreads().Complete(MirageThread::Viewer, sequence);
}

void DoDecompressShowThread::OnCloseViewer(WPARAM sequence, LPARAM)
{
    if (!m_open) {
        EngineThreads().Complete(MirageThread::Viewer, sequence);
        return;
    }
    MirageEngineState& state = EngineState();
    // A context menu still open ends first: its loop holds the views.
    EndMenu();
    state.recordingOn = 0;
    state.playbackOn = 0;
    HookLibrary().UninstallStartKeyHook();
    if (RecordBar().GetSafeHwnd() != nullptr)
        RecordBar().ShowWindow(SW_HIDE);
    RecordBar().DestroyBar();
    if (state.viewState == kViewMulti) {
        for (int i = 0; i < state.maxViews && i < kViewCount; ++i)
            CloseView(i);
    } else {
        CloseView(state.currentView);
    }
    // Views of a zoom or a switch that changed the current one.
    for (int i = 0; i < kViewCount; ++i)
        CloseView(i);
    // After the views are gone, so that they vanish at once.
    displaymode::Restore();
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);
    DecompressWnd().Destroy();
    m_open = false;
    EngineThreads().Complete(MirageThread::Viewer, sequence);
}

void DoDecompressShowThread::OnQuit(WPARAM, LPARAM)
{
    PostQuitMessage(0);
}
