#pragma once
// The command record with which the teacher program addresses students: the
// main window fills it for one command and lends it to the command transport
// (LecternSendCommand) for the duration of one call.

#include "common/TextField.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace kq {

// Seat numbers run from 1 to 160; a target count of 0 addresses the class.
inline constexpr uint16_t kMaxTargetSeats = 160;
inline constexpr uint8_t kFirstSeatNumber = 1;
inline constexpr uint8_t kLastSeatNumber = 160;

inline constexpr size_t kCommandArgsSize = 259;

#pragma pack(push, 1)
struct CommandBlock {
    uint16_t code;        // command code
    uint16_t targetCount; // entries in seats; 0 = the whole class
    uint8_t param;        // small parameter: a seat, a count, a flag, a delay
    uint8_t args[kCommandArgsSize]; // a u16 at 5, a text from 5, or texts at 5, 37, 219
    uint8_t extra;        // 1 only for the sound switch commands
    uint8_t seats[159];   // target seats; the 160th lies in the word behind
};

// The block as the main window keeps it: followed by one 16-bit word, which
// every clearing covers and whose first byte holds the 160th target seat.
struct CommandBlockWithTail {
    CommandBlock block;
    uint16_t tail;
};
#pragma pack(pop)

static_assert(sizeof(CommandBlock) == 424);
static_assert(offsetof(CommandBlock, code) == 0);
static_assert(offsetof(CommandBlock, targetCount) == 2);
static_assert(offsetof(CommandBlock, param) == 4);
static_assert(offsetof(CommandBlock, args) == 5);
static_assert(offsetof(CommandBlock, extra) == 264);
static_assert(offsetof(CommandBlock, seats) == 265);
static_assert(sizeof(CommandBlockWithTail) == 426);

// Byte offsets inside the block of the fields that commands place in args.
inline constexpr size_t kCommandFirstTextOffset = 5;
inline constexpr size_t kCommandMiddleTextOffset = 37;
inline constexpr size_t kCommandLastTextOffset = 219;

// The 160 target seat bytes of a block and its word, read as one array.
inline const uint8_t* TargetSeats(const CommandBlockWithTail& block)
{
    return reinterpret_cast<const uint8_t*>(&block) + offsetof(CommandBlock, seats);
}

inline uint8_t* TargetSeats(CommandBlockWithTail& block)
{
    return reinterpret_cast<uint8_t*>(&block) + offsetof(CommandBlock, seats);
}

// Clears the block and the word behind it: every command starts here.
inline void ClearCommand(CommandBlockWithTail& block)
{
    std::memset(&block, 0, sizeof block);
}

// ---- Writing the parameters ----
// Texts are CP936 and typed by users, whose edit limits count characters:
// every setter cuts on a character boundary and never writes past its field.

// The longest text of a single-text command: from 5 up to 263, so that its
// terminator lies at 264 (extra) at the latest.
inline constexpr size_t kCommandTextMax = offsetof(CommandBlock, extra) - kCommandFirstTextOffset;
// The three-field command's texts (first, middle and last field).
inline constexpr size_t kCommandFirstFieldMax = 30;
inline constexpr size_t kCommandMiddleFieldMax = 180;
inline constexpr size_t kCommandLastFieldMax = 30;
// The bytes behind the first and middle fields that stay zero.
inline constexpr size_t kCommandFirstFieldEnd = kCommandMiddleTextOffset;  // 35-36 zero
inline constexpr size_t kCommandMiddleFieldEnd = kCommandLastTextOffset;   // 217-218 zero

namespace detail {
inline uint8_t* BlockBytes(CommandBlockWithTail& block) { return reinterpret_cast<uint8_t*>(&block); }

// Copies `text` to `offset`, at most `maxBytes` of it, and zeroes the rest up
// to `end` (exclusive). Returns the bytes copied.
inline size_t PutText(CommandBlockWithTail& block, size_t offset, size_t maxBytes, size_t end, const char* text)
{
    char* field = reinterpret_cast<char*>(BlockBytes(block) + offset);
    const size_t copied = CopyTextField(field, maxBytes + 1, text);
    std::memset(field + copied, 0, end - offset - copied);
    return copied;
}
} // namespace detail

// A command's one text at 5; extra becomes 0 (no text command uses it).
inline size_t SetCommandText(CommandBlockWithTail& block, const char* text)
{
    return detail::PutText(block, kCommandFirstTextOffset, kCommandTextMax, offsetof(CommandBlock, extra) + 1,
                           text);
}

// The channel command's name at 6, behind its flag byte at 5, which stays:
// at most 258 bytes, so that its terminator lies at 264 (extra) at the
// latest. The name comes from the network and may be any length.
inline constexpr size_t kCommandChannelNameOffset = kCommandFirstTextOffset + 1;
inline constexpr size_t kCommandChannelNameMax = offsetof(CommandBlock, extra) - kCommandChannelNameOffset;

inline size_t SetCommandChannelName(CommandBlockWithTail& block, const char* name)
{
    return detail::PutText(block, kCommandChannelNameOffset, kCommandChannelNameMax,
                           offsetof(CommandBlock, extra) + 1, name);
}

// The three texts of the three-field command: at 5, 37 and 219.
inline void SetCommandFields(CommandBlockWithTail& block, const char* first, const char* middle, const char* last)
{
    detail::PutText(block, kCommandFirstTextOffset, kCommandFirstFieldMax, kCommandFirstFieldEnd, first);
    detail::PutText(block, kCommandMiddleTextOffset, kCommandMiddleFieldMax, kCommandMiddleFieldEnd, middle);
    detail::PutText(block, kCommandLastTextOffset, kCommandLastFieldMax,
                    kCommandLastTextOffset + kCommandLastFieldMax + 1, last);
}

// A 16-bit value (a port) at `offset` in args, little-endian.
inline bool SetCommandWord(CommandBlockWithTail& block, size_t offset, uint16_t value)
{
    if (offset < kCommandFirstTextOffset || offset + sizeof value > offsetof(CommandBlock, extra))
        return false;
    uint8_t* at = detail::BlockBytes(block) + offset;
    at[0] = static_cast<uint8_t>(value & 0xFF);
    at[1] = static_cast<uint8_t>(value >> 8);
    return true;
}

// A fixed-size record (a dialog's result) at `offset` in args; refused when
// it would not fit there.
inline bool SetCommandBytes(CommandBlockWithTail& block, size_t offset, const void* data, size_t size)
{
    if (data == nullptr || offset < kCommandFirstTextOffset || offset > offsetof(CommandBlock, extra) ||
        size > offsetof(CommandBlock, extra) - offset)
        return false;
    std::memcpy(detail::BlockBytes(block) + offset, data, size);
    return true;
}

} // namespace kq
