#pragma once
// CSplashWnd: the picture shown over the main window while it starts: a
// borderless popup of the size of the bitmap file named by the profile's
// [BackBmp] Splash, revealed line by line, gone at the first key or mouse
// press, after a quarter of a second, or when the start-up is done.

#include "framework/Framework.h"

#include <string>

class CSplashWnd : public CWnd {
public:
    ~CSplashWnd() override;

    static void SetSplashEnabled(BOOL enabled) { s_enabled = enabled; }
    // Shows the splash over `parent` when enabled and none is shown yet.
    static void ShowSplash(CWnd* parent);
    // Hides the splash (and consumes the message) on a key or button press.
    static BOOL RelayAppMessage(MSG* msg);
    // Destroys the splash and repaints the main window at once.
    static void HideSplash();
    static CSplashWnd* Current() { return s_current; }

    // The bitmap file named by the profile; a relative name is taken in
    // the program folder.
    static std::string SplashFile();

    static constexpr UINT_PTR kHideTimer = 1;
    static constexpr UINT kHideAfterMs = 250;
    // The reveal copies every other row of bands of height / kBandDivisor rows.
    static constexpr int kBandDivisor = 50;

protected:
    BOOL Create(CWnd* parent);
    void PostNcDestroy() override;

    DECLARE_MESSAGE_MAP()
    afx_msg int OnCreate(LPCREATESTRUCT createStruct);
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR timerId);
    afx_msg void OnDestroy();

private:
    CSplashWnd() = default;

    HBITMAP m_bitmap = nullptr;
    static BOOL s_enabled;
    static CSplashWnd* s_current;
};
