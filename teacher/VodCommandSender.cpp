#include "teacher/VodCommandSender.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <shellapi.h>

#include "common/ProgramFolder.h"
#include "common/VodChannelBlock.h"
#include "common/VodCommandDatagram.h"

namespace {

constexpr char kPlayerClass[] = "Velmora2000IISth";
constexpr char kPlayerTitle[] = "晨星放映";
constexpr char kPlayerProgram[] = "Vidspool.exe";
constexpr char kPlayerArgument[] = "控制.dat";
// ShellExecute's results up to this value are errors.
constexpr INT_PTR kShellExecuteLastError = 32;

bool SetFlag(SOCKET s, int name)
{
    const BOOL on = TRUE;
    return setsockopt(s, SOL_SOCKET, name, reinterpret_cast<const char*>(&on), sizeof on) == 0;
}

bool SendDatagrams(const VodCommandArgs& args)
{
    SOCKET s = socket(AF_INET, SOCK_DGRAM, 0);
    if (s == INVALID_SOCKET)
        return false;
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    local.sin_port = htons(args.port);
    if (!SetFlag(s, SO_REUSEADDR) || bind(s, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0 ||
        !SetFlag(s, SO_BROADCAST)) {
        closesocket(s);
        return false;
    }
    const kq::VodCommandDatagram datagram = kq::MakeVodCommandDatagram(args.command, args.channel);
    sockaddr_in to = local;
    to.sin_addr.s_addr = args.address;
    for (int i = 1; i <= kq::kVodCommandRepeats; ++i) {
        sendto(s, reinterpret_cast<const char*>(&datagram), sizeof datagram, 0, reinterpret_cast<const sockaddr*>(&to),
               sizeof to);
        Sleep(i < kq::kVodCommandRepeats ? kq::kVodCommandPauseMs : kq::kVodCommandLastPauseMs);
    }
    closesocket(s);
    return true;
}

// Writes the teacher's form of "DoChannel"; the mapping, or null when it
// could not be made or written.
HANDLE WriteBlock(const VodCommandArgs& args)
{
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                        sizeof(kq::VodChannelBlock), kq::kVodChannelBlockName);
    if (mapping == nullptr)
        return nullptr;
    void* view = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(kq::VodChannelBlock));
    if (view == nullptr) {
        CloseHandle(mapping);
        return nullptr;
    }
    kq::WriteTeacherHandOff(*static_cast<kq::VodChannelBlock*>(view), args.name, args.channel, args.command);
    UnmapViewOfFile(view);
    return mapping;
}

} // namespace

namespace kq {

int SendVodCommandFrom(const VodCommandArgs& args, const std::string& playerFolder)
{
    if (!SendDatagrams(args))
        return kVodSendFailed;
    if (IsVodControlWord(args.command) || FindWindowA(kPlayerClass, kPlayerTitle) != nullptr)
        return 0;

    HANDLE taken = CreateEventA(nullptr, FALSE, FALSE, kVodPlayerTookEvent);
    if (taken != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(taken); // another hand-off is under way
        return 0;
    }
    HANDLE mapping = WriteBlock(args);
    if (mapping == nullptr) {
        if (taken != nullptr)
            CloseHandle(taken);
        return kVodSendFailed;
    }
    const std::string player = playerFolder + kPlayerProgram;
    const INT_PTR started = reinterpret_cast<INT_PTR>(ShellExecuteA(
        nullptr, "open", player.c_str(), kPlayerArgument, playerFolder.c_str(), SW_SHOWNORMAL));
    if (started <= kShellExecuteLastError) {
        if (taken != nullptr)
            CloseHandle(taken);
        CloseHandle(mapping);
        return kVodSendFailed;
    }
    if (taken != nullptr) {
        WaitForSingleObject(taken, kVodTeacherWaitMs);
        CloseHandle(taken);
    } else {
        Sleep(kVodNoEventSleepMs);
    }
    CloseHandle(mapping);
    return 0;
}

} // namespace kq

int SendVodCommand(const VodCommandArgs* args)
{
    if (args == nullptr)
        return kVodSendFailed;
    return kq::SendVodCommandFrom(*args, kq::GetProgramFolder());
}
