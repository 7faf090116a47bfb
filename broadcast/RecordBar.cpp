#include "broadcast/RecordBar.h"

#include "broadcast/EngineEnvironment.h"
#include "broadcast/MirageEngineState.h"
#include "broadcast/MirageMessageIds.h"
#include "broadcast/RecordingFiles.h"
#include "broadcast/ScreenReceiverWnd.h"
#include "broadcast/ViewerTexts.h"

#include <commctrl.h>

#include <algorithm>

namespace {

constexpr char kWindowName[] = "DoBar";
constexpr int kBarWidth = 145;
constexpr int kBarHeight = 29;
constexpr UINT kToolBarResource = 8000;
constexpr UINT kPictureResource = 8002;
constexpr int kPictureSize = 24;
constexpr int kToolBarX = 23;
constexpr int kToolBarWidth = 120;
constexpr int kToolBarHeight = 24;
constexpr UINT kExitAfterMs = 5000;
constexpr int kPlayerMode = 6;
constexpr DWORD kDestroyPauseMs = 100;

enum RecordCode : WPARAM {
    CODE_RECORD = 0,
    CODE_STOP = 1,
    CODE_PLAY = 2,
    CODE_CLEAR = 3,
    CODE_EXIT = 4,
};

struct BarButton {
    UINT command;
    MirageIniLine tip;
};
constexpr BarButton kButtons[] = {
    {ID_MIRAGE_RECORD_START, MIRAGE_INI_RECORD}, {ID_MIRAGE_RECORD_STOP, MIRAGE_INI_STOP},
    {ID_MIRAGE_RECORD_PLAY, MIRAGE_INI_PLAY},    {ID_MIRAGE_RECORD_CLEAR, MIRAGE_INI_CLEAR},
    {ID_MIRAGE_RECORD_EXIT, MIRAGE_INI_EXIT},
};

bool Busy(const MirageEngineState& state) { return state.recordingOn || state.playbackOn; }

} // namespace

CRecordBar& RecordBar()
{
    static CRecordBar bar;
    return bar;
}

BEGIN_MESSAGE_MAP(CRecordBar, CWnd)
    ON_COMMAND(ID_MIRAGE_RECORD_START, OnRecord)
    ON_COMMAND(ID_MIRAGE_RECORD_STOP, OnStop)
    ON_COMMAND(ID_MIRAGE_RECORD_PLAY, OnPlay)
    ON_COMMAND(ID_MIRAGE_RECORD_CLEAR, OnClear)
    ON_COMMAND(ID_MIRAGE_RECORD_EXIT, OnExit)
    ON_MESSAGE(WM_MIRAGE_CLEAR_CONFIRMED, OnClearConfirmed)
    ON_WM_TIMER()
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

RecordBarFacts CRecordBar::Facts() const
{
    RecordBarFacts facts;
    facts.live = m_live;
    facts.fixedDrive = EngineEnvironment().HostOnFixedDisk();
    facts.hasRecording = !m_live && HasRecording(EngineEnvironment().RecordFolder());
    return facts;
}

BOOL CRecordBar::CreateBar(CWnd* owner, bool live, CWnd* parent)
{
    MirageEngineState& state = EngineState();
    m_owner = owner;
    m_live = live;
    m_picture = LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kPictureResource));
    const LPCSTR windowClass = AfxRegisterWndClass(0, LoadCursor(nullptr, IDC_SIZEALL));
    if (!CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, windowClass, kWindowName, WS_POPUP | WS_DLGFRAME, 0, 0, kBarWidth,
                  kBarHeight, parent != nullptr ? parent->GetSafeHwnd() : nullptr, nullptr))
        return FALSE;
    m_toolBar = std::make_unique<CToolBar>();
    if (m_toolBar->Create(this, WS_CHILD | WS_VISIBLE | CCS_TOP) && m_toolBar->LoadToolBar(kToolBarResource)) {
        // The dialog frame leaves less than 120 x 24 beside the picture: the
        // toolbar keeps inside the bar's client area (its five buttons fit).
        RECT client = {};
        ::GetClientRect(m_hWnd, &client);
        m_toolBar->MoveWindow(kToolBarX, 0, std::min<int>(kToolBarWidth, client.right - kToolBarX),
                              std::min<int>(kToolBarHeight, client.bottom));
    }
    if (m_tips.Create(this, TTS_ALWAYSTIP)) {
        for (int i = 0; i < static_cast<int>(std::size(kButtons)); ++i) {
            RECT button = {};
            if (m_toolBar->GetItemRect(i, &button))
                m_tips.AddTool(m_toolBar.get(), ViewerText(kButtons[i].tip).c_str(), button, kButtons[i].command);
        }
    }
    Apply(IdleStates(Facts()));
    if (!m_live && !m_states.play && state.modeKind == kPlayerMode)
        ShowNothingRecorded();
    const bool wanted = state.compression == MIRAGE_COMPRESSION_JPEG && state.recordBarOn == 1;
    ShowWindow(wanted || state.modeKind == kPlayerMode ? SW_SHOWNOACTIVATE : SW_HIDE);
    // Above the view it floats on, which was shown (and activated) first.
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_clearDlg.CreateFor(this);
    return TRUE;
}

void CRecordBar::DestroyBar()
{
    if (GetSafeHwnd() == nullptr)
        return;
    Sleep(kDestroyPauseMs);
    if (m_clearDlg.GetSafeHwnd() != nullptr)
        m_clearDlg.DestroyWindow();
    if (m_picture != nullptr) {
        DeleteObject(m_picture);
        m_picture = nullptr;
    }
    m_toolBar.reset();
    if (m_tips.GetSafeHwnd() != nullptr)
        m_tips.DestroyWindow();
    DestroyWindow();
}

void CRecordBar::Apply(const RecordBarStates& states)
{
    m_states = states;
    if (!m_toolBar || m_toolBar->GetSafeHwnd() == nullptr)
        return;
    const bool enabled[] = {states.record, states.stop, states.play, states.clear, states.exit};
    for (size_t i = 0; i < std::size(kButtons); ++i)
        m_toolBar->EnableButton(kButtons[i].command, enabled[i] ? TRUE : FALSE);
}

void CRecordBar::Post(WPARAM code)
{
    if (m_owner != nullptr && m_owner->GetSafeHwnd() != nullptr)
        m_owner->PostMessage(WM_MIRAGE_RECORD, code);
}

void CRecordBar::Refresh()
{
    if (GetSafeHwnd() == nullptr)
        return;
    Apply(IdleStates(Facts()));
    Post(CODE_STOP);
}

void CRecordBar::ShowNothingRecorded()
{
    SetWaitingText(ViewerText(MIRAGE_INI_NOTHING_RECORDED));
    EngineState().waitingForFrame = 1;
    RedrawCurrentView();
    SetTimer(kRecordBarExitTimer, kExitAfterMs, nullptr);
}

void CRecordBar::OnRecord()
{
    Apply(BusyStates());
    Post(CODE_RECORD);
}

void CRecordBar::OnStop()
{
    Apply(IdleStates(Facts()));
    Post(CODE_STOP);
}

void CRecordBar::OnPlay()
{
    Apply(BusyStates());
    Post(CODE_PLAY);
}

void CRecordBar::OnClear()
{
    if (m_clearDlg.GetSafeHwnd() == nullptr)
        m_clearDlg.CreateFor(this);
    m_clearDlg.ClearDone();
    ShowWindow(SW_HIDE);
    if (!Busy(EngineState()))
        RedrawCurrentView();
    m_clearDlg.ShowWindow(SW_SHOW);
}

void CRecordBar::OnExit()
{
    Post(CODE_EXIT);
}

LRESULT CRecordBar::OnClearConfirmed(WPARAM, LPARAM)
{
    Apply(ClearedStates());
    Post(CODE_CLEAR);
    ShowNothingRecorded();
    return 0;
}

void CRecordBar::OnTimer(UINT_PTR id)
{
    if (id == kRecordBarExitTimer) {
        KillTimer(kRecordBarExitTimer);
        Post(CODE_EXIT);
        return;
    }
    CWnd::OnTimer(id);
}

void CRecordBar::OnPaint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    if (m_picture != nullptr) {
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, m_picture);
        BitBlt(dc, 0, 0, kPictureSize, kPictureSize, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    EndPaint(m_hWnd, &paint);
}

void CRecordBar::OnLButtonDown(UINT, CPoint point)
{
    // Dragged by any point of the bar.
    PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
}

void CRecordBar::OnNcLButtonDown(UINT hitTest, CPoint point)
{
    CWnd::OnNcLButtonDown(hitTest, point);
    if (!Busy(EngineState()))
        RedrawCurrentView();
}

void CRecordBar::OnSysCommand(UINT id, LPARAM lParam)
{
    if ((id & 0xFFF0) == SC_CLOSE)
        return; // the bar closes only through exit
    CWnd::OnSysCommand(id, lParam);
}
