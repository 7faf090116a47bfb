#pragma once
// "DoChannel": the 1,024-byte shared memory through which a channel is handed
// to the player, together with the auto-reset event the player sets once it
// has read the block. The teacher station and the channel receiver fill the
// block differently; the comments name both forms.

#include "common/TextField.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace kq {

inline constexpr char kVodChannelBlockName[] = "DoChannel";
inline constexpr char kVodPlayerTookEvent[] = "KqMemFileToVodPlug";
inline constexpr char kVodRoleReceiver[] = "接收"; // written by the channel receiver
inline constexpr char kVodRoleTeacher[] = "控制";  // written by the teacher station

// The teacher station's bytes 40-42: the mark 22, then by the first letter
// of the file handed over ("P" or "p", or any other).
inline constexpr uint8_t kVodTeacherMark = 22;
inline constexpr uint8_t kVodTeacherLetterP = 1;
inline constexpr uint8_t kVodTeacherOtherLetter = 0;
inline constexpr uint8_t kVodTeacherModeP = 0x20;
inline constexpr uint8_t kVodTeacherModeOther = 0xF0;

// How long the writer keeps the block for the player: the teacher station,
// the channel receiver, and either when the event could not be made.
inline constexpr unsigned kVodTeacherWaitMs = 120000;
inline constexpr unsigned kVodReceiverWaitMs = 20000;
inline constexpr unsigned kVodNoEventSleepMs = 10000;

#pragma pack(push, 1)
struct VodChannelBlock {
    char origin[20];       // receiver: the server's dotted address; teacher: the channel name
    uint32_t channel;      // the channel value
    uint8_t unused24[6];
    char role[10];         // kVodRoleReceiver or kVodRoleTeacher, NUL-terminated
    uint16_t port;         // receiver: the channel's port; teacher: bytes 22 and 1 or 0
    uint8_t flag;          // receiver: the channel's flag; teacher: 0x20 or 0xF0
    uint8_t unused43[981];
};
#pragma pack(pop)

static_assert(sizeof(VodChannelBlock) == 1024);
static_assert(offsetof(VodChannelBlock, origin) == 0);
static_assert(offsetof(VodChannelBlock, channel) == 20);
static_assert(offsetof(VodChannelBlock, role) == 30);
static_assert(offsetof(VodChannelBlock, port) == 40);
static_assert(offsetof(VodChannelBlock, flag) == 42);

// The teacher station's form of bytes 40-42.
#pragma pack(push, 1)
struct VodTeacherTail {
    uint8_t mark;   // kVodTeacherMark
    uint8_t letter; // kVodTeacherLetterP or kVodTeacherOtherLetter
    uint8_t mode;   // kVodTeacherModeP or kVodTeacherModeOther
};
#pragma pack(pop)
static_assert(sizeof(VodTeacherTail) == sizeof(VodChannelBlock::port) + sizeof(VodChannelBlock::flag));

inline constexpr size_t kVodTailOffset = offsetof(VodChannelBlock, port);

// The teacher station's hand-off of `channel`, to play `file`: writes its
// fields only (the block may be a shared view; other bytes stay). The name
// is cut to 19 bytes on a CP936 boundary and terminated.
inline void WriteTeacherHandOff(VodChannelBlock& block, const char* name, uint16_t channel, const char* file)
{
    CopyTextField(block.origin, name);
    block.channel = channel;
    CopyTextField(block.role, kVodRoleTeacher);
    const bool letterP = file != nullptr && (file[0] == 'P' || file[0] == 'p');
    const VodTeacherTail tail{kVodTeacherMark, letterP ? kVodTeacherLetterP : kVodTeacherOtherLetter,
                              letterP ? kVodTeacherModeP : kVodTeacherModeOther};
    std::memcpy(reinterpret_cast<uint8_t*>(&block) + kVodTailOffset, &tail, sizeof tail);
}

// The channel receiver's hand-off: the server's dotted address, the
// channel's value, port and flag.
inline void WriteReceiverHandOff(VodChannelBlock& block, const char* serverAddress, uint32_t channel,
                                 uint16_t port, uint8_t flag)
{
    CopyTextField(block.origin, serverAddress);
    block.channel = channel;
    CopyTextField(block.role, kVodRoleReceiver);
    block.port = port;
    block.flag = flag;
}

inline VodTeacherTail ReadTeacherTail(const VodChannelBlock& block)
{
    VodTeacherTail tail;
    std::memcpy(&tail, reinterpret_cast<const uint8_t*>(&block) + kVodTailOffset, sizeof tail);
    return tail;
}

} // namespace kq
