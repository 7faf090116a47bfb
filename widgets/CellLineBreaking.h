#pragma once
// Line breaking by byte cells for code page 936 text, the student agent's
// labels' own way of fitting a text to their width. A pure function of the
// bytes and three widths, so the painting around it stays thin.
//
// Each line takes an even number of cells that fit the width (the largest
// even count below W / cell, minus one pair to spare); a line feed within a
// line's cells ends the line there. A cut that would split a double-byte
// character moves back one byte. Breaking stops when the measured width
// left fits, or when no line of two cells fits at all: the text is then
// returned unchanged, for plain word breaking.

#include <cstddef>
#include <string>
#include <string_view>

namespace kq {

// The bytes of the first character of `text`: 2 for a CP936 lead byte
// followed by a trail byte, 1 otherwise, 0 for an empty text.
size_t FirstCharacterBytes(std::string_view text);

// The width of one byte cell: the first character's width over its byte
// count, never less than 1.
int CellWidth(int firstCharacterWidth, size_t firstCharacterBytes);

// `text` with line feeds inserted, given the cell width, the measured width
// of the whole text and the client width, all in pixels.
std::string BreakIntoCells(std::string_view text, int cellWidth, int textWidth, int clientWidth);

} // namespace kq
