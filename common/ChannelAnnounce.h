#pragma once
// ChannelAnnounce: the video channel server tells the state of one channel.
// Variable length: a 6-byte head, the channel name, then always the channel's
// port (u16) and flag (u8) as the last three bytes.
//
//   0 kind (3) | 1 state (signed) | 2 value u32 | 6 name ... | L-3 port u16 | L-1 flag

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace kq {

inline constexpr uint8_t kChannelAnnounceKind = 3;

// Channel states.
inline constexpr int8_t kChannelStopped = 0;
inline constexpr int8_t kChannelPlaying = 1;
inline constexpr int8_t kChannelPaused = 2;

#pragma pack(push, 1)
struct ChannelAnnounceHead {
    uint8_t kind;   // kChannelAnnounceKind
    int8_t state;   // kChannelStopped, kChannelPlaying or kChannelPaused
    uint32_t value; // the channel's number as the server assigned it
};
struct ChannelAnnounceTail {
    uint16_t port;  // where the player receives the channel
    uint8_t flag;   // handed to the player unchanged
};
#pragma pack(pop)

static_assert(sizeof(ChannelAnnounceHead) == 6);
static_assert(offsetof(ChannelAnnounceHead, state) == 1);
static_assert(offsetof(ChannelAnnounceHead, value) == 2);
static_assert(sizeof(ChannelAnnounceTail) == 3);

// The smallest announcement: head and tail around an empty name field.
inline constexpr size_t kChannelAnnounceMinSize = sizeof(ChannelAnnounceHead) + sizeof(ChannelAnnounceTail);

struct ChannelAnnounceFields {
    int8_t state = kChannelStopped;
    uint32_t value = 0;
    std::string name;
    uint16_t port = 0;
    uint8_t flag = 0;
};

// Writes an announcement whose name field holds `name` and its NUL. Returns
// its length, or 0 when it does not fit `size` bytes.
inline size_t BuildChannelAnnounce(uint8_t* out, size_t size, const ChannelAnnounceFields& fields)
{
    const size_t nameField = fields.name.size() + 1;
    const size_t length = kChannelAnnounceMinSize + nameField;
    if (out == nullptr || length > size)
        return 0;
    ChannelAnnounceHead head{kChannelAnnounceKind, fields.state, fields.value};
    ChannelAnnounceTail tail{fields.port, fields.flag};
    std::memcpy(out, &head, sizeof head);
    std::memcpy(out + sizeof head, fields.name.c_str(), nameField);
    std::memcpy(out + sizeof head + nameField, &tail, sizeof tail);
    return length;
}

// Reads an announcement of `length` bytes; false when it is not one (wrong
// kind or shorter than head and tail). The name is the field's text up to its
// first NUL, or the whole field when it holds none.
inline bool ParseChannelAnnounce(const uint8_t* data, size_t length, ChannelAnnounceFields& fields)
{
    if (data == nullptr || length < kChannelAnnounceMinSize || data[0] != kChannelAnnounceKind)
        return false;
    ChannelAnnounceHead head;
    ChannelAnnounceTail tail;
    std::memcpy(&head, data, sizeof head);
    std::memcpy(&tail, data + length - sizeof tail, sizeof tail);
    const char* name = reinterpret_cast<const char*>(data + sizeof head);
    const size_t field = length - kChannelAnnounceMinSize;
    const void* nul = std::memchr(name, 0, field);
    fields.state = head.state;
    fields.value = head.value;
    fields.name.assign(name, nul ? static_cast<const char*>(nul) - name : field);
    fields.port = tail.port;
    fields.flag = tail.flag;
    return true;
}

} // namespace kq
