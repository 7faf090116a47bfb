#pragma once
// "DoChannel": the 1,024-byte shared memory through which a channel is handed
// to the player, together with the auto-reset event the player sets once it
// has read the block. The teacher station and the channel receiver fill the
// block differently; the comments name both forms.

#include <cstddef>
#include <cstdint>

namespace kq {

inline constexpr char kVodChannelBlockName[] = "DoChannel";
inline constexpr char kVodPlayerTookEvent[] = "KqMemFileToVodPlug";
inline constexpr char kVodRoleReceiver[] = "接收"; // written by the channel receiver
inline constexpr char kVodRoleTeacher[] = "控制";  // written by the teacher station

// The teacher station's byte at offset 40.
inline constexpr uint8_t kVodTeacherMark = 22;

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

} // namespace kq
