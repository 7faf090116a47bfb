#pragma once
// The DirectDraw side of the capture library: the DirectDraw object and the
// primary surface, kept from set-up until release, and the capture codes that
// read the locked primary surface or an off-screen copy of the screen.

#include "common/KqCaptureRequest.h"
#include "capture/SurfaceCopy.h"

#include <winsock2.h>
#include <windows.h>
#include <ddraw.h>

class CDirectDrawCapture {
public:
    // What Capture returns when DirectDraw cannot be set up: the caller
    // carries the call out with GDI instead.
    static constexpr int kUseGdi = -1;

    CDirectDrawCapture() = default;
    CDirectDrawCapture(const CDirectDrawCapture&) = delete;
    CDirectDrawCapture& operator=(const CDirectDrawCapture&) = delete;

    // Creates the DirectDraw object and the primary surface: 1, or 0 with
    // nothing kept.
    int SetUp();
    // Releases whatever is set up; always 1.
    int Release();

    // Captures every rectangle of `request` from the primary surface, or from
    // an off-screen copy of the whole screen. 1 done, 0 failed (DirectDraw is
    // then released unless only the palette could not be read), kUseGdi.
    int Capture(KqCaptureRequest& request, bool offscreenCopy, kq::capture::Delivery delivery);

private:
    int CopyRectangles(KqCaptureRequest& request, const kq::capture::SurfaceView& surface,
                       kq::capture::Delivery delivery);
    IDirectDrawSurface* CopyScreen();

    IDirectDraw* m_directDraw = nullptr;
    IDirectDrawSurface* m_primary = nullptr;
};
