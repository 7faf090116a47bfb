// The video broadcast library's one export: starts, lays out and stops the
// video broadcast panel in the teacher's main window.

#include <windows.h>

#include "common/VideoLayoutRecord.h"
#include "common/VideoStartRecord.h"
#include "standins/common/Trace.h"
#include "standins/kqvideos/VideoPanel.h"

namespace {

constexpr int kFailed = -1;

VideoPanel g_panel;

HWND WindowOf(uint32_t handle)
{
    return reinterpret_cast<HWND>(static_cast<intptr_t>(static_cast<int32_t>(handle)));
}

int Start(int mode, const kq::VideoStartRecord* record)
{
    if (record == nullptr) {
        kq::Trace("KqVideoS", "KqVideoSControl mode=%d record=null", mode);
        return kFailed;
    }
    kq::Trace("KqVideoS",
        "KqVideoSControl mode=%d window=%08x videoPort=%u smallScreen=%u x=%u y=%u mediaType=%u "
        "group=%08x mainPort=%u",
        mode, record->window, record->videoPort, record->smallScreen, record->x, record->y,
        record->mediaType, record->group, record->mainPort);
    const HWND host = WindowOf(record->window);
    if (!IsWindow(host))
        return kFailed;
    if (!g_panel.Open(host, mode, static_cast<int>(record->x), static_cast<int>(record->y),
            record->smallScreen != 0))
        return kFailed;
    return 0;
}

int Layout(const kq::VideoLayoutRecord* record)
{
    if (record == nullptr) {
        kq::Trace("KqVideoS", "KqVideoSControl mode=%d record=null", kq::kVideoLayout);
        return kFailed;
    }
    kq::Trace("KqVideoS", "KqVideoSControl mode=%d smallScreen=%d x=%d y=%d", kq::kVideoLayout,
        record->smallScreen, record->x, record->y);
    g_panel.MoveTo(record->x, record->y, record->smallScreen != 0);
    return 0;
}

} // namespace

// A negative result means failure.
extern "C" int KqVideoSControl(int mode, void* record)
{
    switch (mode) {
    case kq::kVideoStop:
        kq::Trace("KqVideoS", "KqVideoSControl mode=%d", mode);
        g_panel.Close();
        return 0;
    case kq::kVideoStartAll:
    case kq::kVideoStartChannels:
        return Start(mode, static_cast<const kq::VideoStartRecord*>(record));
    case kq::kVideoLayout:
        return Layout(static_cast<const kq::VideoLayoutRecord*>(record));
    default:
        kq::Trace("KqVideoS", "KqVideoSControl mode=%d", mode);
        return kFailed;
    }
}
