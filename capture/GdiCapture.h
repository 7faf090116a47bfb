#pragma once
// The GDI capture codes: the screen is copied through a compatible bitmap and
// read back as a bottom-up device-independent bitmap of 16 or 24 bits.

#include "common/KqCaptureRequest.h"

class CGdiCapture {
public:
    // Captures every rectangle of `request`: at 24 bits, or at the display's
    // depth lowered to 24 or raised to 16. 1 done, 0 when a GDI call failed.
    static int Capture(KqCaptureRequest& request, bool always24);

    // The bit count a capture delivers on this display.
    static int DeliveredBitsPerPixel(bool always24);
};
