#include "standins/ijl11/JpegStreamCheck.h"

#include <cstring>

namespace kq::ijl {
namespace {

constexpr uint8_t kMarkerPrefix = 0xFF;
constexpr uint8_t kStuffedZero = 0x00;
constexpr uint8_t kTemporary = 0x01;
constexpr uint8_t kBaselineFrame = 0xC0;
constexpr uint8_t kExtendedFrame = 0xC1;
constexpr uint8_t kProgressiveFrame = 0xC2;
constexpr uint8_t kDefineHuffmanTables = 0xC4;
constexpr uint8_t kDefineArithmeticConditioning = 0xCC;
constexpr uint8_t kFirstFrameMarker = 0xC0;
constexpr uint8_t kLastFrameMarker = 0xCF;
constexpr uint8_t kFirstRestart = 0xD0;
constexpr uint8_t kLastRestart = 0xD7;
constexpr uint8_t kStartOfImage = 0xD8;
constexpr uint8_t kEndOfImage = 0xD9;
constexpr uint8_t kStartOfScan = 0xDA;
constexpr size_t kLengthBytes = 2;
constexpr size_t kCodeLengthCounts = 16;
constexpr size_t kMaxCodes = 256;
constexpr unsigned kTableIds = 4;
constexpr unsigned kDcClass = 0;
constexpr unsigned kAcClass = 1;
constexpr size_t kScanTailBytes = 3; // spectral start and end, approximation bits

struct DefinedTables {
    bool table[2][kTableIds] = {};
};

bool IsRestart(uint8_t marker) { return marker >= kFirstRestart && marker <= kLastRestart; }

// A DHT segment's tables, each recorded as defined; false when one is malformed.
bool ReadHuffmanTables(const uint8_t* segment, size_t size, DefinedTables& defined)
{
    size_t at = 0;
    while (at < size) {
        const unsigned tableClass = segment[at] >> 4;
        const unsigned id = segment[at] & 0x0F;
        ++at;
        if (tableClass > kAcClass || id >= kTableIds || size - at < kCodeLengthCounts)
            return false;
        size_t codes = 0;
        for (size_t i = 0; i < kCodeLengthCounts; ++i)
            codes += segment[at + i];
        at += kCodeLengthCounts;
        if (codes > kMaxCodes || size - at < codes)
            return false;
        at += codes;
        defined.table[tableClass][id] = true;
    }
    return true;
}

// A scan header uses only defined tables. A progressive DC scan reads DC
// tables (a refining one none), a progressive AC scan AC tables, a
// sequential scan both.
bool ScanTablesDefined(const uint8_t* segment, size_t size, bool progressive, const DefinedTables& defined)
{
    if (size < 1)
        return false;
    const size_t components = segment[0];
    if (components == 0 || size < 1 + 2 * components + kScanTailBytes)
        return false;
    const uint8_t* tail = segment + 1 + 2 * components;
    const bool dcScan = tail[0] == 0;
    const bool refining = (tail[2] >> 4) != 0;
    const bool needDc = !progressive || (dcScan && !refining);
    const bool needAc = !progressive || !dcScan;
    for (size_t c = 0; c < components; ++c) {
        const unsigned dc = segment[2 + 2 * c] >> 4;
        const unsigned ac = segment[2 + 2 * c] & 0x0F;
        if (dc >= kTableIds || ac >= kTableIds)
            return false;
        if ((needDc && !defined.table[kDcClass][dc]) || (needAc && !defined.table[kAcClass][ac]))
            return false;
    }
    return true;
}

// The offset of the marker that ends the entropy-coded data starting at
// `at`, or `length` when none does.
size_t SkipEntropyCodedData(const uint8_t* stream, size_t length, size_t at)
{
    while (at < length) {
        const void* prefix = std::memchr(stream + at, kMarkerPrefix, length - at);
        if (prefix == nullptr)
            return length;
        at = static_cast<size_t>(static_cast<const uint8_t*>(prefix) - stream);
        if (at + 1 >= length)
            return length;
        const uint8_t next = stream[at + 1];
        if (next != kStuffedZero && next != kMarkerPrefix && !IsRestart(next))
            return at;
        at += next == kMarkerPrefix ? 1 : 2;
    }
    return length;
}

} // namespace

bool HuffmanTablesSound(const uint8_t* stream, size_t length)
{
    if (stream == nullptr || length < 2 || stream[0] != kMarkerPrefix || stream[1] != kStartOfImage)
        return false;
    DefinedTables defined;
    bool frameSeen = false;
    bool progressive = false;
    size_t at = 2;
    while (at < length) {
        if (stream[at] != kMarkerPrefix)
            return false; // bytes between segments
        while (at < length && stream[at] == kMarkerPrefix)
            ++at; // fill bytes
        if (at >= length)
            return false;
        const uint8_t marker = stream[at++];
        if (marker == kEndOfImage)
            return frameSeen;
        if (marker == kStartOfImage || marker == kStuffedZero)
            return false;
        if (IsRestart(marker) || marker == kTemporary)
            continue; // markers without a segment
        if (length - at < kLengthBytes)
            return false;
        const size_t segmentLength = (static_cast<size_t>(stream[at]) << 8) | stream[at + 1];
        if (segmentLength < kLengthBytes || segmentLength > length - at)
            return false;
        const uint8_t* segment = stream + at + kLengthBytes;
        const size_t size = segmentLength - kLengthBytes;
        at += segmentLength;
        if (marker == kDefineHuffmanTables) {
            if (!ReadHuffmanTables(segment, size, defined))
                return false;
        } else if (marker >= kFirstFrameMarker && marker <= kLastFrameMarker &&
                   marker != kDefineArithmeticConditioning) {
            // Huffman-coded frames only, and one of them.
            if (frameSeen || (marker != kBaselineFrame && marker != kExtendedFrame && marker != kProgressiveFrame))
                return false;
            frameSeen = true;
            progressive = marker == kProgressiveFrame;
        } else if (marker == kStartOfScan) {
            if (!frameSeen || !ScanTablesDefined(segment, size, progressive, defined))
                return false;
            at = SkipEntropyCodedData(stream, length, at);
        }
    }
    return false; // no end-of-image marker
}

} // namespace kq::ijl
