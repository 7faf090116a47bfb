#pragma once
// Turning the host's option records into engine state.

#include "broadcast/MirageEngineState.h"
#include "broadcast/MirageOptions.h"
#include "broadcast/MirageResetOptions.h"
#include "broadcast/ModeTable.h"

#include <cstdint>

// What the host should be told about its options (the engine goes on).
struct OptionsWarnings {
    bool nullHostWindow = false;
    bool zeroStationId = false;
};

// The state a mode export sets before it commands its threads: the row's
// fields, the parsed options (with their floors and bounds) and the row's
// post-parse settings. Neither modeRunning nor engineActive is touched.
OptionsWarnings ApplyModeOptions(const MirageModeRow& row, const MirageOptions& options, MirageEngineState& state);

// DoReSetOption: new pacing and header flags, and a lossless change that the
// sender applies at its next frame.
void ApplyResetOptions(const MirageResetOptions& options, MirageEngineState& state);

// The mode's banner text (CP936).
const char* ModeBanner(int32_t modeKind, bool review);
