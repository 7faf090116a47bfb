#pragma once
// The engine's recording: the one writer of the recording folder, fed from
// the engine state. The decoder window starts, stops and clears it on the
// viewer thread; the receive thread appends the JPEG blocks it decoded and
// the frame ends it composed and posted. A failed append ends the recording
// and tells the decoder window (WM_MIRAGE_RECORD_OFF).

#include "broadcast/DatagramParser.h"
#include "broadcast/FrameAssembler.h"
#include "broadcast/RecordingFiles.h"

namespace recorder {

// The engine's buffers as a receive path sees them.
MirageReceiveBuffers EngineBuffers();
// What the engine's buffers can hold, for the writer and the player.
RecordingLimits EngineLimits();

// Record (code 0): creates the folder and starts with the current frame.
// False (nothing recording) when the frame does not fit or the files cannot
// be written.
bool Start();
void Stop();
// Clear (code 3): false when the files cannot be emptied.
bool Clear();

// Receive thread: after a JPEG block decoded, and after a frame end that was
// composed and posted, while recording.
void AppendBlock(const ParsedDatagram& header);
void AppendFrameEnd();

} // namespace recorder
