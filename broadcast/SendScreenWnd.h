#pragma once
// The screen sender window "DoSendScreenWnd": a hidden window on the sender
// thread that captures this station's screen, compresses it and multicasts it.
//
// View state 1 sends frame after frame, driven by a 1 ms timer that each frame
// re-arms when it is done. View state 2 keeps one compressed snapshot ready
// and sends it each time a viewer selects this station, then takes the next.

#include "broadcast/BlockCompressor.h"
#include "broadcast/DatagramBuilder.h"
#include "broadcast/SenderGeometry.h"
#include "common/KqCaptureRequest.h"

#include "framework/Framework.h"

// Where one frame's time went, for the benchmark (milliseconds).
struct SendFrameTimings {
    double captureMs = 0;
    double compressMs = 0;
    double sendMs = 0;      // fragments, header and frame end, sleeps included
    double sleptMs = 0;     // of which pauses between bursts
    size_t bytes = 0;
    uint32_t datagrams = 0;
};

class CSendScreenWnd : public CWnd {
public:
    CSendScreenWnd();

    // Creates the window and starts sending (or takes the first snapshot).
    // False when the window could not be created: nothing is sent then.
    // The display capture's first set-up in a process loads the graphics
    // libraries and takes about a second. Done once when the engine opens,
    // it no longer holds up the first mode: a watched student whose mode is
    // still starting misses the teacher's first watch request, and the next
    // one comes 5 s later. It runs on the opening caller's thread, never on
    // the sender thread: a close right after the open would otherwise end
    // that thread by force in the middle of the graphics libraries' start,
    // and the process then hangs when the engine is unloaded.
    static void PrepareCapture();
    bool CreateSender();
    void DestroySender();

    // A whole frame as the timer runs it: capture, compress, send. The
    // benchmark runs it too and passes `timings`.
    void SendFrame(SendFrameTimings* timings = nullptr);

protected:
    afx_msg void OnTimer(UINT_PTR id);
    LRESULT OnSendFrame(WPARAM, LPARAM);
    LRESULT OnTakeSnapshot(WPARAM, LPARAM);
    LRESULT OnSendSnapshot(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    // Capture fills the slots from the rectangle table; CompressSlot returns
    // the block length (0: failed or too large to send).
    bool CaptureScreen(CapturePurpose purpose, uint16_t count);
    size_t CompressSlot(uint32_t slot);
    MirageBlockInfo BlockInfo(uint32_t slot, size_t length) const;
    // Reads the screen size; false when nothing of it can be sent.
    bool MeasureScreen();
    void ClearRectangles();
    void RebuildCapture();
    void ArmTimer();

    int32_t m_lastRawWidth = 0;
    KqCaptureRequest m_request = {};
    CBlockCompressor m_compressor;
    // The kept snapshot: its stream is in the engine's compressed buffer.
    MirageBlockInfo m_snapshot = {};
    size_t m_snapshotLength = 0;
};

// The library's one sender window.
CSendScreenWnd& SendScreenWnd();
