#pragma once
// What the video broadcast and video file dialogs decide without a window:
// the channel server's command line, the texts of a channel's row, the
// channel name a chosen file suggests and where the file browser starts.

#include <cstdint>
#include <string>

namespace kq {

inline constexpr char kChannelServerProgram[] = "Reelcast.exe";

// The server's two arguments: the group's four bytes (network order) read
// as one signed little-endian integer, and the classroom number.
std::string ChannelServerArguments(uint32_t group, int classroom);
// The whole command line: the program in `programFolder` (with its trailing
// backslash), quoted so that a folder with blanks names it, then the arguments.
std::string ChannelServerCommandLine(const std::string& programFolder, uint32_t group, int classroom);

// The state column: "停止", "播放", "暂停", or "未知" for another byte.
const char* ChannelStateText(int state);
// The channel column: the channel's seat state minus 9 (1..20), or "-" for a
// channel that got no number.
std::string ChannelNumberText(int number);

// The file's name from a full path, without its last extension: everything
// before the last "." ("" when the name has none).
std::string ChannelNameFromFile(const std::string& path);

// True when the file browser starts at the drive root: the current folder is
// the program's own (compared without trailing backslash, ignoring case), or
// the program's folder is unknown ("").
bool BrowseFromDriveRoot(const std::string& currentFolder, const std::string& programFolder);

} // namespace kq
