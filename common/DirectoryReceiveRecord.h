#pragma once
// Student command 10 (receive a file or folder that the teacher multicasts):
// the directory receive dialog takes the kind from byte 1.

#include <cstddef>
#include <cstdint>

namespace kq {

inline constexpr uint8_t kReceiveFile = 0;
inline constexpr uint8_t kReceiveFolder = 1;

#pragma pack(push, 1)
struct DirectoryReceiveRecord {
    uint8_t reserved; // handed to the dialog, not used by it
    uint8_t kind;     // kReceiveFile or kReceiveFolder
};
#pragma pack(pop)

static_assert(sizeof(DirectoryReceiveRecord) == 2);
static_assert(offsetof(DirectoryReceiveRecord, kind) == 1);

} // namespace kq
