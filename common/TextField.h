#pragma once
// Copying texts into the fixed-size text fields of records.
//
// Every text typed by a user or received from elsewhere goes into a record
// through CopyTextField: the copy never writes past the field, never cuts a
// CP936 double-byte character in half and always leaves the field terminated.

#include <cstddef>
#include <string>

namespace kq {

// A CP936 (GBK) lead byte: the byte after it belongs to the same character.
constexpr bool IsCp936LeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

// Copies `text` into `field` of `fieldSize` bytes, cutting on a character
// boundary, then zero-fills the rest of the field. Returns the number of text
// bytes copied (without the terminator). A field of size 0 is left untouched;
// a null text gives an empty field.
size_t CopyTextField(char* field, size_t fieldSize, const char* text);

template <size_t N>
size_t CopyTextField(char (&field)[N], const char* text)
{
    return CopyTextField(field, N, text);
}

// The length of a text held in a fixed field that may lack its terminator.
size_t TextFieldLength(const char* field, size_t fieldSize);

// True when two CP936 texts are the same but for the case of their
// single-byte letters: double-byte characters have no case, and a trail byte
// that looks like a letter is compared as it is.
bool SameNameIgnoringCase(const std::string& a, const std::string& b);

} // namespace kq
