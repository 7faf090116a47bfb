#pragma once
// The seat states of the teacher's seat map: each seat shows the icon of its
// state. Every state the teacher program sets or asks for is named here.

namespace kq {

// Off line: the seat cannot be selected; setting it clears the seat's
// selection and address.
inline constexpr int kSeatOffline = 0;
inline constexpr int kSeatLoggedOn = 1;
// The student raised a hand (transport event 3).
inline constexpr int kSeatHandUp = 2;
// The text overlay on a seat in an online test (and a hand-in during one).
inline constexpr int kSeatOverlayInTest = 5;
// The text overlay on a seat out of a test (and a hand-in).
inline constexpr int kSeatOverlay = 6;
// Screen locked, while command 305 is on.
inline constexpr int kSeatScreenLocked = 7;
inline constexpr int kSeatInTest = 8;
// Watching video channel n: state n + kChannelSeatOffset, for the channel
// values 1 to 20 that the channel server gives out (state 9, channel 0, is
// never set and has no icon).
inline constexpr int kChannelSeatOffset = 9;
inline constexpr int kFirstChannelSeatState = 10;
inline constexpr int kLastChannelSeatState = 29;

inline constexpr int kSeatStateCount = kLastChannelSeatState + 1;

// A seat taking an online test, with or without the text overlay on it.
constexpr bool IsInTest(int state) { return state == kSeatInTest || state == kSeatOverlayInTest; }

} // namespace kq
