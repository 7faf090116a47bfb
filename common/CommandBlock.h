#pragma once
// The command record with which the teacher program addresses students: the
// main window fills it for one command and lends it to the command transport
// (LecternSendCommand) for the duration of one call.

#include <cstddef>
#include <cstdint>

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

} // namespace kq
