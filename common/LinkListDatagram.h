#pragma once
// LinkListDatagram: the teacher station's web link list for the students'
// link list dialogs, on the classroom group at main port + 10.
//
//   0 kind u32 | 4 kind 20: the entry's text, NUL-terminated (CP936)
//
// Kinds 0 (a student's request for the list), 18 and 19 are exactly 8
// bytes, bytes 4-7 unread. The teacher sends kind 20 as exactly 512 bytes;
// receivers take up to 512 and read the text only within what arrived.
// A datagram of exactly 4 bytes on this port is a ChannelJoinNotice.

#include <cstddef>
#include <cstdint>
#include <string>

namespace kq {

// The port offset from MainPort shared with ChannelJoinNotice.
inline constexpr uint16_t kClassroomPortOffset = 10;

inline constexpr uint32_t kLinkListRequest = 0; // a student asks for the list
inline constexpr uint32_t kLinkListClose = 18;  // close the student's dialog
inline constexpr uint32_t kLinkListClear = 19;  // empty the list
inline constexpr uint32_t kLinkListAdd = 20;    // add the entry that follows

// The teacher's close and clear go out this many times, this far apart.
inline constexpr int kLinkListRepeats = 10;
inline constexpr unsigned kLinkListPauseMs = 2;

#pragma pack(push, 1)
struct LinkListShort {
    uint32_t kind;   // kLinkListRequest, kLinkListClose or kLinkListClear
    uint32_t unused; // zero
};
struct LinkListEntry {
    uint32_t kind;   // kLinkListAdd
    char text[508];  // NUL-terminated; the rest zero
};
#pragma pack(pop)

static_assert(sizeof(LinkListShort) == 8);
static_assert(sizeof(LinkListEntry) == 512);
static_assert(offsetof(LinkListEntry, text) == 4);

inline constexpr size_t kLinkListMaxSize = sizeof(LinkListEntry);

LinkListShort MakeLinkListShort(uint32_t kind);
// `text` cut to the field on a CP936 boundary, always terminated.
LinkListEntry MakeLinkListEntry(const char* text);

struct LinkListMessage {
    uint32_t kind = 0;
    std::string text; // kind 20 only
};

// Reads `length` received bytes; false for anything that is not one of the
// four kinds in its size (a join notice included).
bool ParseLinkListDatagram(const uint8_t* data, size_t length, LinkListMessage& message);

// What arrived on the classroom port.
enum class ClassroomPortDatagram {
    JoinNotice,      // exactly 4 bytes
    LinkListRequest, // exactly 8 bytes of kind 0
    Other,           // to be dropped
};

ClassroomPortDatagram ClassifyClassroomPortDatagram(const uint8_t* data, size_t length);

} // namespace kq
