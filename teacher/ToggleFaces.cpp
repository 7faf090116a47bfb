#include "teacher/ToggleFaces.h"

#include "TeacherResources.h"

namespace kq {

namespace {

using namespace TeacherRes;

struct ToggleEntry {
    UINT button;
    ToggleFaces off;
    ToggleFaces on;
};

constexpr ToggleEntry kToggles[] = {
    {kBlankScreenToggle,
     {IDB_BLANK_SCREEN_UP, IDB_BLANK_SCREEN_DOWN, IDB_BLANK_SCREEN_FOCUS, IDB_BLANK_SCREEN_DISABLED},
     {IDB_BLANK_SCREEN_ON_UP, IDB_BLANK_SCREEN_ON_DOWN, IDB_BLANK_SCREEN_ON_FOCUS, 0}},
    {kTestOverlayToggle,
     {IDB_TEST_BLANK_SCREEN_UP, IDB_TEST_BLANK_SCREEN_DOWN, IDB_TEST_BLANK_SCREEN_FOCUS,
      IDB_TEST_BLANK_SCREEN_DISABLED},
     {IDB_TEST_BLANK_SCREEN_ON_UP, IDB_TEST_BLANK_SCREEN_ON_DOWN, IDB_TEST_BLANK_SCREEN_ON_FOCUS, 0}},
    {kChatToggle, {IDB_CHAT_UP, IDB_CHAT_DOWN, IDB_CHAT_FOCUS, IDB_CHAT_DISABLED},
     {IDB_CHAT_HAND_UP_UP, IDB_CHAT_HAND_UP_DOWN, IDB_CHAT_HAND_UP_FOCUS, 0}},
};

} // namespace

const ToggleFaces* FacesOfToggle(UINT button, bool on)
{
    for (const ToggleEntry& entry : kToggles) {
        if (entry.button == button)
            return on ? &entry.on : &entry.off;
    }
    return nullptr;
}

} // namespace kq
