#pragma once
// The names by which the student-side programs find each other: the agent,
// the classroom joiner and the environment check look each other's windows
// up by title, post each other WM_PEER_SIGNAL and wait on each other's
// mutexes.

inline constexpr unsigned WM_PEER_SIGNAL = 6030;
// Posted to the environment check's result window: it ends at once.
inline constexpr unsigned WM_CHECK_CLOSE = 0x401;

namespace kq {

// WM_PEER_SIGNAL wParam, posted to the agent's frame ("KqStudent").
inline constexpr unsigned kAgentFreshDesk = 1;      // rebuild the student desktop
inline constexpr unsigned kAgentConfigChanged = 2;  // announce the per-host configuration copy
inline constexpr unsigned kAgentDesktopFolders = 3; // announce the changed desktop folders

// WM_PEER_SIGNAL wParam, posted to the joiner's frame ("KqGhost").
inline constexpr unsigned kJoinerRestartAgent = 1; // with lParam 0 only
inline constexpr unsigned kJoinerSeatNumber = 2;   // the agent hands over to ask the seat number

// Window titles.
inline constexpr char kAgentTitle[] = "KqStudent";
inline constexpr char kJoinerTitle[] = "KqGhost";
inline constexpr char kCheckTitle[] = "晨星环境检测";

// Mutexes that keep each program to one copy.
inline constexpr char kAgentMutex[] = "KqStudent";
inline constexpr char kJoinerMutex[] = "KqGhost";

} // namespace kq
