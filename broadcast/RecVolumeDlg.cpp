#include "broadcast/RecVolumeDlg.h"

#include "broadcast/MirageEngine.h"
#include "broadcast/MirageEngineState.h"
#include "broadcast/MirageMessageIds.h"
#include "broadcast/ScreenReceiverWnd.h"
#include "broadcast/ToolWindowLayout.h"

#include <commctrl.h>

namespace {

constexpr UINT kDialog = 8030;
constexpr UINT kBackground = 8024;
constexpr int kCloseButton = 8001;
constexpr int kSlider = 8002;
constexpr int kMuteBox = 8003;
constexpr COLORREF kControlColour = RGB(171, 229, 249);
constexpr int kCorner = 16;
constexpr DWORD kAfterMuteMs = 2000;
constexpr char kMixerLibrary[] = "KqMixer.dll";
constexpr int kRecordingLine = 0;
constexpr int kSetFirst = 1;
constexpr int kSetSecond = 0;

struct Place {
    int id;
    int x, y, width, height;
};
constexpr Place kPlaces[] = {
    {kCloseButton, 216, 4, 16, 14},
    // 13 pixels cut the caption in the dialog font: the box is as high as its text.
    {kMuteBox, 20, 36, 52, 16},
    {kSlider, 34, 62, 168, 20},
};

using GetRecVolume = int (*)(int, char*);
using SetRecVolume = int (*)(int, int, unsigned, char*);

HMODULE Mixer()
{
    static HMODULE mixer = LoadLibraryA(kMixerLibrary);
    return mixer;
}

template <typename Proc>
Proc MixerEntry(const char* name)
{
    HMODULE mixer = Mixer();
    return mixer != nullptr ? reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(mixer, name))) : nullptr;
}

} // namespace

long RecordingVolume()
{
    const auto get = MixerEntry<GetRecVolume>("KqMixerGetRecVolume");
    return get != nullptr ? get(kRecordingLine, nullptr) : -1;
}

void SetRecordingVolume(uint32_t volume)
{
    if (const auto set = MixerEntry<SetRecVolume>("KqMixerSetRecVolume"))
        set(kSetFirst, kSetSecond, volume, nullptr);
}

BEGIN_MESSAGE_MAP(CRecVolumeDlg, CViewPopupDlg)
    ON_WM_ERASEBKGND()
    ON_WM_HSCROLL()
    ON_BN_CLICKED(kMuteBox, OnMute)
    ON_BN_CLICKED(kCloseButton, OnCloseButton)
END_MESSAGE_MAP()

CRecVolumeDlg::CRecVolumeDlg() : m_slider(kControlColour, true), m_mute(kControlColour, true) {}

BOOL CRecVolumeDlg::CreateFor(CWnd* view)
{
    if (!Create(kDialog, view))
        return FALSE;
    ShowWindow(SW_HIDE);
    return TRUE;
}

BOOL CRecVolumeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_background = LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kBackground));
    BITMAP info = {};
    if (m_background != nullptr)
        GetObjectA(m_background, sizeof info, &info);
    SetWindowPos(nullptr, 0, 0, info.bmWidth, info.bmHeight, SWP_NOMOVE | SWP_NOZORDER);
    CenterWindow();
    m_close.AutoLoad(kCloseButton, this);
    m_slider.SubclassDlgItem(kSlider, this);
    m_mute.SubclassDlgItem(kMuteBox, this);
    for (const Place& p : kPlaces)
        ::MoveWindow(::GetDlgItem(m_hWnd, p.id), p.x, p.y, p.width, p.height, TRUE);
    ::SendMessageA(m_slider.m_hWnd, TBM_SETRANGE, TRUE, MAKELPARAM(0, kRecVolumeSliderMax));
    const bool soundOff = EngineState().toolSoundState == 0;
    ::SendMessageA(m_mute.m_hWnd, BM_SETCHECK, soundOff ? BST_CHECKED : BST_UNCHECKED, 0);
    HRGN region = CreateRoundRectRgn(0, 0, info.bmWidth - 1, info.bmHeight - 1, kCorner, kCorner);
    if (region != nullptr && !::SetWindowRgn(m_hWnd, region, TRUE))
        DeleteObject(region);
    return TRUE;
}

void CRecVolumeDlg::Open()
{
    // A negative answer means no mixer: the slider stays at 0, disabled.
    const long volume = RecordingVolume();
    ::EnableWindow(m_slider.m_hWnd, volume >= 0 && ::SendMessageA(m_mute.m_hWnd, BM_GETCHECK, 0, 0) != BST_CHECKED);
    ::SendMessageA(m_slider.m_hWnd, TBM_SETPOS, TRUE, SliderFromVolume(volume));
    CenterWindow();
    ShowWindow(SW_SHOW);
    ::UpdateWindow(m_hWnd);
}

void CRecVolumeDlg::DestroyDialog()
{
    if (m_background != nullptr) {
        DeleteObject(m_background);
        m_background = nullptr;
    }
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

BOOL CRecVolumeDlg::OnEraseBkgnd(CDC* dc)
{
    if (m_background == nullptr)
        return CDialog::OnEraseBkgnd(dc);
    HDC target = dc->GetSafeHdc();
    BITMAP info = {};
    GetObjectA(m_background, sizeof info, &info);
    HDC memory = CreateCompatibleDC(target);
    HGDIOBJ old = SelectObject(memory, m_background);
    BitBlt(target, 0, 0, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    return TRUE;
}

void CRecVolumeDlg::OnHScroll(UINT code, UINT, CScrollBar*)
{
    if (code != TB_THUMBPOSITION && code != TB_THUMBTRACK && code != TB_ENDTRACK)
        return;
    const int position = static_cast<int>(::SendMessageA(m_slider.m_hWnd, TBM_GETPOS, 0, 0));
    SetRecordingVolume(VolumeFromSlider(position));
}

void CRecVolumeDlg::OnMute()
{
    const MirageEngineState& state = EngineState();
    const bool muted = ::SendMessageA(m_mute.m_hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
    ::EnableWindow(m_slider.m_hWnd, !muted && RecordingVolume() >= 0);
    MirageEngine().NotifyHost(MIRAGE_NOTICE_SOUND, state.watchedId,
                              MAKELPARAM(muted ? 0 : 1, state.reviewFlag));
    Sleep(kAfterMuteMs); // the class's sound switches meanwhile
}

void CRecVolumeDlg::Hide()
{
    ShowWindow(SW_HIDE);
    RedrawCurrentView();
}

void CRecVolumeDlg::OnOK() { Hide(); }
void CRecVolumeDlg::OnCancel() { Hide(); }
void CRecVolumeDlg::OnCloseButton() { Hide(); }
