#include "broadcast/Recorder.h"

#include "broadcast/DecompressWnd.h"
#include "broadcast/EngineEnvironment.h"
#include "broadcast/MirageEngineState.h"
#include "broadcast/MirageMessageIds.h"

#include "framework/Framework.h"

namespace recorder {

namespace {

CRecordingWriter& Writer()
{
    static CRecordingWriter writer;
    return writer;
}

RecordFrameInfo CurrentFrame()
{
    const MirageEngineState& state = EngineState();
    RecordFrameInfo frame;
    frame.width = state.frameWidth;
    frame.height = state.frameHeight;
    frame.bitsPerPixel = state.frameBpp;
    frame.quality = state.jpegQuality;
    frame.cursorX = static_cast<uint32_t>(state.cursorX.load());
    frame.cursorY = static_cast<uint32_t>(state.cursorY.load());
    frame.tick = GetTickCount();
    return frame;
}

void Ended(CRecordingWriter::Append result)
{
    if (result != CRecordingWriter::Append::Failed)
        return;
    EngineState().recordingOn = 0;
    if (HWND decoder = DecompressWnd().GetSafeHwnd())
        PostMessageA(decoder, WM_MIRAGE_RECORD_OFF, 0, 0);
}

bool MakeFolder()
{
    const std::string& folder = EngineEnvironment().RecordFolder();
    Writer().SetFolder(folder);
    return CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

} // namespace

MirageReceiveBuffers EngineBuffers()
{
    MirageEngineState& state = EngineState();
    MirageReceiveBuffers b;
    b.wireBuffer = state.wireBuffer;
    b.wireBufferSize = state.wireBuffer != nullptr ? state.frameBufferSize + kMirageWireSlack : 0;
    b.blockArea = state.blockArea;
    b.blockAreaSize = state.blockArea != nullptr ? kMirageBlockAreaSize : 0;
    b.blockSlotStride = kMirageBlockSlotStride;
    b.frameBuffer = state.frameBuffer;
    b.frameBufferSize = state.frameBuffer != nullptr ? state.frameBufferSize : 0;
    b.cursorShapeArea = state.cursorShapeArea;
    b.rectTable = state.rectTable;
    return b;
}

RecordingLimits EngineLimits()
{
    const MirageReceiveBuffers b = EngineBuffers();
    return {b.frameBufferSize, b.wireBufferSize};
}

bool Start()
{
    MirageEngineState& state = EngineState();
    state.recordingOn = 0;
    if (!MakeFolder())
        return false;
    if (!Writer().Start(CurrentFrame(), state.frameBuffer, EngineLimits()))
        return false;
    state.recordCount = Writer().Count();
    state.recordingOn = 1;
    return true;
}

void Stop()
{
    Writer().Stop();
    EngineState().recordingOn = 0;
}

bool Clear()
{
    Stop();
    EngineState().recordCount = 0;
    return MakeFolder() && Writer().Clear();
}

void AppendBlock(const ParsedDatagram& header)
{
    MirageEngineState& state = EngineState();
    if (!state.recordingOn || header.compression != MIRAGE_COMPRESSION_JPEG)
        return;
    const CRecordingWriter::Append result = Writer().AppendBlock(
        CurrentFrame(), header.blockIndex, header.rect, state.wireBuffer, header.length, EngineLimits());
    state.recordCount = Writer().Count();
    Ended(result);
}

void AppendFrameEnd()
{
    MirageEngineState& state = EngineState();
    if (!state.recordingOn)
        return;
    const CRecordingWriter::Append result = Writer().AppendFrameEnd(CurrentFrame(), EngineLimits());
    state.recordCount = Writer().Count();
    Ended(result);
}

} // namespace recorder
