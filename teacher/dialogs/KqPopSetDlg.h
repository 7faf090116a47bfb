#pragma once
// CKqPopSetDlg: the small settings window of a running screen broadcast:
// the speed as a slider of 20 steps, the compression as two radios, the
// recording volume of the mixer (applied at once through KqMixer) and the
// class's sound switch (posted at once to the main window). The speed and
// the compression come back to the opener after OK.

#include "widgets/SkinDialog.h"

#include "framework/SliderCtrl.h"

#include <mmsystem.h>

class CKqPopSetDlg : public CSkinDialog {
public:
    explicit CKqPopSetDlg(CWnd* parent);

    BOOL OnInitDialog() override;

    // Set before DoModal; the marked ones are read after IDOK.
    int m_speedStep = 1;        // in, out: 1-20
    int m_delaySon = 1;         // in, out
    int m_delayMon = 1;         // in, out
    int m_compression = 0;      // in, out: 0 or 1
    int m_broadcasting = 0;     // in: chooses the mixer line
    int m_soundOff = 0;         // in, out

    static constexpr const char* kTitle = "KqPopSetDlg";
    // Posted to the main window: wParam 0 sound off, 1 sound on.
    static constexpr UINT kSoundSwitchMessage = 0x439;

    static constexpr UINT kVolumeId = 855;
    static constexpr UINT kSpeedId = 800;
    static constexpr UINT kCompressionZeroId = 733;
    static constexpr UINT kCompressionOneId = 732;
    static constexpr UINT kSoundOffId = 854;
    static constexpr UINT kOkId = 706;
    static constexpr UINT kCloseId = 705;

protected:
    DECLARE_MESSAGE_MAP()
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnSoundOff();
    afx_msg void OnVolumeReleased(NMHDR* header, LRESULT* result);
    afx_msg LRESULT OnMixerControlChange(WPARAM wParam, LPARAM lParam);

private:
    // The recording line in use: 1 while a broadcast runs, else 0.
    int CurrentLine() const { return m_broadcasting ? 1 : 0; }
    // Sets the current line's volume to 0, as the sound switch wants.
    void SilenceCurrentLine();
    void CloseMixer();

    CSliderCtrl m_volume;
    CSliderCtrl m_speed;
    CButton m_compressionOne;
    CButton m_compressionZero;
    CButton m_soundOffBox;
    CBitmapButton m_ok;
    CBitmapButton m_close;
    HMIXER m_mixer = nullptr;
    unsigned m_lastVolume = 0;

    // The slider's place when the sound went off, for the rest of the run.
    static int s_volumeBeforeSilence;
};
