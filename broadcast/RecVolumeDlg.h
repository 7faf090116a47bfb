#pragma once
// The recording volume dialog of the tool window: a slider for the sound
// card's recording volume (through the mixer library) and a mute box that
// tells the host to switch the class's sound off or on.

#include "widgets/ColorButton.h"
#include "widgets/ColorSlider.h"

#include "broadcast/ViewPopupDlg.h"
#include "framework/Framework.h"

class CRecVolumeDlg : public CViewPopupDlg {
public:
    CRecVolumeDlg();
    // Created hidden, with the view as its parent.
    BOOL CreateFor(CWnd* view);
    // Shows the current volume, centred.
    void Open();
    void DestroyDialog();

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnHScroll(UINT code, UINT position, CScrollBar* bar);
    afx_msg void OnMute();
    afx_msg void OnCloseButton();
    DECLARE_MESSAGE_MAP()

private:
    void Hide();

    HBITMAP m_background = nullptr;
    CBitmapButton m_close;
    CColorSlider m_slider;
    CColorButton m_mute;
};

// The mixer library's recording volume: -1 when there is no mixer.
long RecordingVolume();
void SetRecordingVolume(uint32_t volume);
