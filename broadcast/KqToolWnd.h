#pragma once
// The tool window "DoKqToolWnd" of a teacher viewing a student: a small
// topmost window in the screen's top-right corner with sound, pointer and
// exit (remote control), or exit alone (student demonstration). Sound opens
// the recording volume dialog; pointer and exit go to the host.

#include "broadcast/RecVolumeDlg.h"

#include "widgets/HandCursorButton.h"

#include "framework/Framework.h"

class CKqToolWnd : public CWnd {
public:
    CKqToolWnd();
    // Kind 3: sound, pointer and exit; any other kind: exit only.
    bool CreateTool(int kind, CWnd* parent);
    // Back to the top-right corner when the screen's width changed.
    void Reposition();
    void DestroyTool();

protected:
    afx_msg void OnSound();
    afx_msg void OnPointer();
    afx_msg void OnExit();
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnNcLButtonDown(UINT hitTest, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    void Place();

    int m_buttonCount = 1;
    int m_screenWidth = 0;
    HBITMAP m_background = nullptr;
    CHandCursorButton m_sound;
    CHandCursorButton m_pointer;
    CHandCursorButton m_exit;
    CRecVolumeDlg m_volume;
};
