#pragma once
// The engine behind the exports: open and close, the mode exports, stop,
// DoExecScreen and DoReSetOption, and the notices to the host window.

#include "broadcast/MirageOptions.h"
#include "broadcast/MirageResetOptions.h"
#include "broadcast/ModeTable.h"

#include "framework/Framework.h"

#include <cstdint>

class CMirageEngine {
public:
    // Export results.
    static constexpr int kOk = 0;
    static constexpr int kFailed = -1;

    CMirageEngine() = default;
    CMirageEngine(const CMirageEngine&) = delete;
    CMirageEngine& operator=(const CMirageEngine&) = delete;

    // mode mod 10: 1 receive-only, else the full engine; a tens digit caps
    // the frame class at 800 x 600. -1 on failure or when already open.
    int Open(int mode);
    int Close();
    int Stop();
    int RunMode(MirageMode mode, const MirageOptions* options);
    int ExecScreen(const MirageOptions* options, int studentSide, int other, int kind);
    void ResetOptions(const MirageResetOptions* options);

    // Posts WM_MIRAGE_NOTIFY to the host window of the running mode.
    void NotifyHost(uint16_t code, uint16_t high, LPARAM lParam) const;

private:
    bool AllocateBuffers(uint32_t frameBufferSize);
    void FreeBuffers();
    void ClearBuffers();
    void WaitForSocketClosed();

    bool m_open = false;
    HANDLE m_doneEvent = nullptr;
};

CMirageEngine& MirageEngine();
