#pragma once
// CP936 texts: copying them into the fixed-size text fields of records, and
// comparing them without regard to case.
//
// Every text typed by a user or received from elsewhere goes into a record
// through CopyTextField: the copy never writes past the field, never cuts a
// CP936 double-byte character in half and always leaves the field terminated.

#include <cstddef>
#include <string_view>

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

// `text` up to its last whole character: a lead byte that ends the text
// without its trail byte is a broken character and is left out.
std::string_view WholeCharacters(std::string_view text);

// Equal but for the case of ASCII letters. A double-byte character matches
// only itself, its trail byte never folded; a lead byte that ends the text
// has no trail byte and is compared as a byte of its own.
bool EqualIgnoringCase(std::string_view a, std::string_view b);

// The number of CP936 characters of a zero-terminated text: a double-byte
// character counts once, as edit limits count them. A lead byte at the end
// counts as a character of its own.
size_t Cp936CharacterCount(const char* text);

} // namespace kq
