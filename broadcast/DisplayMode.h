#pragma once
// The display mode around a full-screen view: remembered when the viewer
// opens, switched to the sender's depth and size where such a mode exists,
// put back when the viewer closes.

#include "framework/Framework.h"

namespace displaymode {

// Remembers the settings stored in the registry.
void Save();
// Re-applies the remembered settings (with their frequency) and stores them.
void Restore();
// Switches to the first mode with exactly these values, unless the display
// has them already; false when none exists (the display stays).
bool SwitchTo(uint32_t bitsPerPixel, uint32_t width, uint32_t height);

} // namespace displaymode
