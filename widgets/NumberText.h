#pragma once
// The text of a numeric edit field: checking what the user typed and
// writing a value back with the decimals the field has seen so far.

#include <string>

namespace kq {

// The result of checking a field's text.
enum NumberTextCheck {
    kNumberValid = 0,
    kNumberOutOfRange = 1,
    kNumberNotANumber = 2,
    kNumberLoneSign = 3, // "+" or "-": an entry in progress
};

// Checks `text` (null counts as empty) against [minimum, maximum]: a lone
// sign is an entry in progress; otherwise it must be one decimal number
// (optional sign, digits with an optional fraction, optional exponent) with
// nothing but blanks around it. Any length of text is safe.
int CheckNumberText(const char* text, float minimum, float maximum);

// The value of a text that CheckNumberText accepts as a number; 0 otherwise.
float NumberTextValue(const char* text);

// The number of digits after the point when `value` is written the short
// way ("%G"): 1.25 has 2, 3 has none, 2.5E+06 has 1.
int ShortFormDecimals(float value);

// `value` with exactly `decimals` digits after the point.
std::string FormatNumber(float value, int decimals);

} // namespace kq
