#pragma once
// GroupRecord: one of the classroom's six groups as the group commands carry
// it to the students. The group teaching command puts six of them in a row
// into the command block from offset 5; the group talk command sends one
// with only the name (the topic) filled in.

#include <cstddef>
#include <cstdint>

namespace kq {

inline constexpr int kGroupCount = 6;
// The longest name a record holds, in bytes, before its terminator.
inline constexpr size_t kGroupNameMax = 30;

#pragma pack(push, 1)
struct GroupRecord {
    uint8_t group;       // 1..6; 0 when the group has no on-line member
    uint8_t chosenSeat;  // seat number of the member picked; 0 for none
    uint8_t memberCount; // on-line members
    char name[kGroupNameMax + 1]; // zero-terminated; empty without members
};
#pragma pack(pop)

static_assert(sizeof(GroupRecord) == 34);
static_assert(offsetof(GroupRecord, group) == 0);
static_assert(offsetof(GroupRecord, chosenSeat) == 1);
static_assert(offsetof(GroupRecord, memberCount) == 2);
static_assert(offsetof(GroupRecord, name) == 3);

} // namespace kq
