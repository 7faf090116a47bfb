#pragma once
// The seat rule of a classroom PC: a row letter A to T followed by a seat
// 1 to 20 without a leading zero ("A1" to "T20", 400 seats). The student
// agent's seat prompt and the joiner's dialogs apply it, each with its own
// notices.

#include <string_view>

namespace kq {

enum class SeatCheck {
    Accepted,
    Empty,
    Invalid,
};

// Checks `text` exactly as typed; a lower-case row letter is not accepted
// (the prompts turn typed letters into capitals).
SeatCheck CheckSeatNumber(std::string_view text);

} // namespace kq
