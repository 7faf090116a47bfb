#pragma once
// The record that starts the student desktop shell (KqStartKqDesk) and the
// message with which the shell reports its buttons to the student agent.

#include <cstddef>
#include <cstdint>

namespace kq {

#pragma pack(push, 1)
struct KQDESKINPUT {
    uint32_t window;   // the agent's frame, (uint32_t)(uintptr_t)hwnd
    uint32_t reserved1;
    uint32_t reserved2;
    int32_t edition;   // [VER] version of the student configuration
};
#pragma pack(pop)

static_assert(sizeof(KQDESKINPUT) == 16);
static_assert(offsetof(KQDESKINPUT, window) == 0);
static_assert(offsetof(KQDESKINPUT, edition) == 12);

// KqStartKqDesk returns this on failure; anything else means started.
inline constexpr int kDeskStartFailed = 1;

// Posted to the frame (WM_DESK_BUTTON): wParam kDeskButtonPressed, lParam one
// of DeskButton.
inline constexpr unsigned kWmDeskButton = 0x7EA;
inline constexpr int kDeskButtonPressed = 1;

enum DeskButton : int {
    kDeskHandUp = 1,
    kDeskRequest = 2,
    kDeskHandIn = 3,
    kDeskVersion = 4,
    kDeskLogOff = 5,
    kDeskShutDown = 6,
};

} // namespace kq
