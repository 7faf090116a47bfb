#pragma once
// The seat text that the transport's event 5 lends: which seat it is for and
// the text, read no further than the record's text field, which another PC
// may have filled to the end without a terminator.

#include "common/SeatTextRecord.h"

#include <string>

namespace kq {

struct SeatText {
    int seat = 0;
    std::string text;
};

// False for a null record or a seat number outside 1-160.
bool ReadSeatText(const SeatTextRecord* record, SeatText* out);

} // namespace kq
