#pragma once
// A walk over the markers of a received JPEG stream before it is decoded.
// The decoder would stand in its default Huffman tables for a table a scan
// uses but the stream never defined, and show whatever comes out; a stream
// from one of our encoders always defines the tables it uses.

#include <cstddef>
#include <cstdint>

namespace kq::ijl {

// True when the stream starts with the start-of-image marker, every segment
// up to the end-of-image marker lies inside the stream, the frame is a
// Huffman-coded baseline, extended or progressive one, every Huffman table
// definition is well formed (class 0 or 1, id 0 to 3, at most 256 codes, its
// values inside the segment) and every scan uses only tables defined before it.
bool HuffmanTablesSound(const uint8_t* stream, size_t length);

} // namespace kq::ijl
