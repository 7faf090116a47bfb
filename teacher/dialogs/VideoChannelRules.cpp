#include "teacher/dialogs/VideoChannelRules.h"

#include "common/ProgramFolder.h"
#include "common/TextField.h"
#include "teacher/VideoChannelList.h"

#include <cstring>

namespace kq {

namespace {

constexpr int kChannelNumberOffset = kFirstChannelSeatState - 1;

std::string WithoutTrailingBackslash(const std::string& folder)
{
    // A trailing 0x5C that is a trail byte is part of the name: the folder
    // of "folder\" is the whole text, which then ends in its own backslash.
    if (!folder.empty() && FolderOfPath(folder.c_str()).size() == folder.size())
        return folder.substr(0, folder.size() - 1);
    return folder;
}

} // namespace

std::string ChannelServerArguments(uint32_t group, int classroom)
{
    int32_t asInteger = 0;
    std::memcpy(&asInteger, &group, sizeof asInteger);
    return std::to_string(asInteger) + " " + std::to_string(classroom);
}

std::string ChannelServerCommandLine(const std::string& programFolder, uint32_t group, int classroom)
{
    return "\"" + programFolder + kChannelServerProgram + "\" " + ChannelServerArguments(group, classroom);
}

const char* ChannelStateText(int state)
{
    switch (state) {
    case kChannelStopped:
        return "停止";
    case kChannelPlaying:
        return "播放";
    case kChannelPaused:
        return "暂停";
    default:
        return "未知";
    }
}

std::string ChannelNumberText(int number)
{
    if (number < kFirstChannelSeatState || number > kLastChannelSeatState)
        return "-";
    return std::to_string(number - kChannelNumberOffset);
}

std::string ChannelNameFromFile(const std::string& path)
{
    const std::string name = path.substr(FolderOfPath(path.c_str()).size());
    // No trail byte is a dot: the last one is the extension's.
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(0, dot);
}

bool BrowseFromDriveRoot(const std::string& currentFolder, const std::string& programFolder)
{
    if (programFolder.empty())
        return true;
    return EqualIgnoringCase(WithoutTrailingBackslash(currentFolder), WithoutTrailingBackslash(programFolder));
}

} // namespace kq
