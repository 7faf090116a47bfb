#pragma once
// The 361-byte command with which the teacher's video broadcast dialog adds or
// removes a channel of the video channel server (group, port 8601 plus the
// classroom number).

#include "common/TextField.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace kq {

inline constexpr uint8_t kVideoChannelAdd = 1;
inline constexpr uint8_t kVideoChannelRemove = 2;

#pragma pack(push, 1)
struct VideoChannelCommand {
    uint8_t kind;   // kVideoChannelAdd or kVideoChannelRemove
    char name[100]; // channel name, NUL-terminated
    char file[260]; // video file path (add); zero bytes (remove)
};
#pragma pack(pop)

static_assert(sizeof(VideoChannelCommand) == 361);
static_assert(offsetof(VideoChannelCommand, name) == 1);
static_assert(offsetof(VideoChannelCommand, file) == 101);

// The command of `kind` for `name` and `file` (null for a removal). The name
// may come from a file name or the network: both texts are cut on a
// character boundary to leave their terminators in the fields.
inline VideoChannelCommand MakeVideoChannelCommand(uint8_t kind, const char* name, const char* file)
{
    VideoChannelCommand command;
    std::memset(&command, 0, sizeof command);
    command.kind = kind;
    CopyTextField(command.name, name);
    CopyTextField(command.file, file);
    return command;
}

} // namespace kq
