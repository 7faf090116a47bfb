#include "broadcast/PresetMessageDlg.h"

#include "broadcast/MirageEngine.h"
#include "broadcast/MirageEngineState.h"
#include "broadcast/MirageMessageIds.h"
#include "broadcast/ScreenReceiverWnd.h"

#include "common/TextField.h"

namespace {

constexpr UINT kDialog = 8040;
constexpr UINT kBackground = 8041;
constexpr int kCloseButton = 8001;
constexpr int kMessageCombo = 8005;
constexpr int kComboLimit = 256;
constexpr int kComboItemHeight = 13;
constexpr int kCorner = 16;
constexpr int kTitleX = 125;
constexpr int kTitleY = 4;
constexpr int kFontPoints = 9;
constexpr char kFontName[] = "宋体";
constexpr char kWarnTitle[] = "警告学生";
constexpr char kLockTitle[] = "锁定学生";
constexpr char kDefaultMessage[] = "请不要做与课堂无关的事";
constexpr const char* kPresets[] = {"请认真听讲", "请不要玩游戏", "请不要做与课堂无关的事", "请自觉遵守教学秩序",
                                    "请认真考试"};

struct Place {
    int id;
    int x, y, width, height;
};
constexpr Place kPlaces[] = {
    {IDOK, 91, 123, 43, 20},
    {IDCANCEL, 164, 123, 43, 20},
    {kCloseButton, 269, 4, 16, 14},
    {kMessageCombo, 79, 62, 168, 200},
};

} // namespace

BEGIN_MESSAGE_MAP(CPresetMessageDlg, CViewPopupDlg)
    ON_WM_ERASEBKGND()
    ON_BN_CLICKED(kCloseButton, OnClose8001)
END_MESSAGE_MAP()

BOOL CPresetMessageDlg::CreateFor(CWnd* view)
{
    return Create(kDialog, view);
}

BOOL CPresetMessageDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_background = LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kBackground));
    BITMAP info = {};
    if (m_background != nullptr)
        GetObjectA(m_background, sizeof info, &info);
    SetWindowPos(nullptr, 0, 0, info.bmWidth, info.bmHeight, SWP_NOMOVE | SWP_NOZORDER);
    CenterWindow();
    m_ok.AutoLoad(IDOK, this);
    m_cancel.AutoLoad(IDCANCEL, this);
    m_close.AutoLoad(kCloseButton, this);
    HWND combo = ::GetDlgItem(m_hWnd, kMessageCombo);
    for (const char* preset : kPresets)
        ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(preset));
    for (const Place& p : kPlaces)
        ::MoveWindow(::GetDlgItem(m_hWnd, p.id), p.x, p.y, p.width, p.height, TRUE);
    ::SendMessageA(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), kComboItemHeight);
    HRGN region = CreateRoundRectRgn(0, 0, info.bmWidth - 1, info.bmHeight - 1, kCorner, kCorner);
    if (region != nullptr && !::SetWindowRgn(m_hWnd, region, TRUE))
        DeleteObject(region);
    return TRUE;
}

void CPresetMessageDlg::Open(Action action, uint8_t stationId)
{
    m_action = action;
    m_stationId = stationId;
    m_title = action == LOCK ? kLockTitle : kWarnTitle;
    HWND combo = ::GetDlgItem(m_hWnd, kMessageCombo);
    ::SendMessageA(combo, CB_LIMITTEXT, kComboLimit, 0);
    ::SetWindowTextA(combo, kDefaultMessage);
    CenterWindow();
    ShowWindow(SW_SHOW);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

BOOL CPresetMessageDlg::OnEraseBkgnd(CDC* dc)
{
    HDC target = dc->GetSafeHdc();
    if (m_background != nullptr) {
        BITMAP info = {};
        GetObjectA(m_background, sizeof info, &info);
        HDC memory = CreateCompatibleDC(target);
        HGDIOBJ old = SelectObject(memory, m_background);
        BitBlt(target, 0, 0, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    const int height = -MulDiv(kFontPoints, GetDeviceCaps(target, LOGPIXELSY), 72);
    HFONT font = CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, kFontName);
    HGDIOBJ oldFont = SelectObject(target, font);
    const int oldMode = SetBkMode(target, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(target, RGB(0, 0, 0));
    TextOutA(target, kTitleX, kTitleY, m_title, static_cast<int>(strlen(m_title)));
    SetTextColor(target, oldColour);
    SetBkMode(target, oldMode);
    SelectObject(target, oldFont);
    DeleteObject(font);
    return TRUE;
}

void CPresetMessageDlg::OnOK()
{
    MirageEngineState& state = EngineState();
    char typed[kComboLimit + 1] = {};
    ::GetDlgItemTextA(m_hWnd, kMessageCombo, typed, sizeof typed);
    // The host reads a terminated text of at most 101 bytes, cut on a
    // character boundary; it stays until the next OK.
    kq::CopyTextField(state.noticeText, typed);
    const uint16_t code = m_action == LOCK ? MIRAGE_NOTICE_LOCK : MIRAGE_NOTICE_WARN;
    MirageEngine().NotifyHost(code, m_stationId, reinterpret_cast<LPARAM>(state.noticeText));
    Hide();
}

void CPresetMessageDlg::OnCancel() { Hide(); }
void CPresetMessageDlg::OnClose8001() { Hide(); }

void CPresetMessageDlg::Hide()
{
    ShowWindow(SW_HIDE);
    RedrawCurrentView();
}
