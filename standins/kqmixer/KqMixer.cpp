// The recording volume of the sound mixer's two recording lines, kept in
// memory per process: the classroom PCs under test have no sound card whose
// recording line could be driven.

#include <windows.h>

#include "standins/common/ScriptedResult.h"
#include "standins/common/Trace.h"

#include <atomic>

namespace {

constexpr int kLineCount = 2;
constexpr unsigned kMaxVolume = 65535;
constexpr unsigned kInitialVolume = 32768;
constexpr int kFailed = -1;

std::atomic<unsigned> g_volume[kLineCount] = {kInitialVolume, kInitialVolume};

const char* NameOf(const char* mixer) { return mixer != nullptr ? mixer : "(default)"; }

// A test's scripted result of `function` (KQ_KQMIXER_<function>): a mixer
// that is not there, or a line that refuses its volume.
bool Scripted(const char* function, int& result)
{
    return kq::ScriptedResult("KqMixer", function, result);
}

} // namespace

// Line 0 or 1; a negative result means the line does not exist.
extern "C" int KqMixerGetRecVolume(int line, char* mixer)
{
    kq::Trace("KqMixer", "KqMixerGetRecVolume line=%d mixer=%s", line, NameOf(mixer));
    if (int scripted = 0; Scripted("KqMixerGetRecVolume", scripted))
        return scripted;
    if (line < 0 || line >= kLineCount)
        return kFailed;
    return static_cast<int>(g_volume[line].load());
}

// The callers name the line by a pair: (1, 0) for line 0 and (0, 1) for
// line 1. Any other pair, or a volume above the range, fails.
extern "C" int KqMixerSetRecVolume(int first, int second, unsigned volume, char* mixer)
{
    kq::Trace("KqMixer", "KqMixerSetRecVolume first=%d second=%d volume=%u mixer=%s", first,
        second, volume, NameOf(mixer));
    if (int scripted = 0; Scripted("KqMixerSetRecVolume", scripted))
        return scripted;
    int line;
    if (first == 1 && second == 0)
        line = 0;
    else if (first == 0 && second == 1)
        line = 1;
    else
        return kFailed;
    if (volume > kMaxVolume)
        return kFailed;
    g_volume[line] = volume;
    return 0;
}
