#pragma once
// The order of the kit's sorted lists: entries such as seat names, a letter
// followed by a number, so that A3 < A12 < B1.

namespace kq {

// -1, 0 or 1. A null or empty text compares equal to anything. Otherwise the
// first characters decide (as signed chars); when they are equal, the
// numbers that follow them (read like atoi, leading blanks and a sign
// allowed, anything else counting as 0, values held within the int range).
int CompareLetterNumber(const char* a, const char* b);

} // namespace kq
