#include "channels/PlayerHandOff.h"

#include "common/VodChannelBlock.h"

#include <vector>

namespace {

constexpr char kPlayerTitle[] = "晨星放映";
constexpr char kPlayerFile[] = "Vidspool.exe";
// The player's arguments, after its quoted path.
constexpr char kPlayerArguments[] = " 接收.dat@HIDE";

void CloseIfOpen(HANDLE& handle)
{
    if (handle != nullptr)
        ::CloseHandle(handle);
    handle = nullptr;
}

} // namespace

CPlayerHandOff::~CPlayerHandOff()
{
    CloseShared();
    CloseIfOpen(m_process);
}

bool CPlayerHandOff::PlayerRuns()
{
    return ::FindWindowA(nullptr, kPlayerTitle) != nullptr;
}

std::string CPlayerHandOff::PlayerPath(const std::string& programFolder)
{
    // Without a folder of its own the receiver still names the player after
    // a backslash, as a path from the root.
    return (programFolder.empty() ? std::string("\\") : programFolder) + kPlayerFile;
}

std::string CPlayerHandOff::PlayerCommandLine(const std::string& playerPath)
{
    // Quoted, so that a blank in the folder cannot start another program.
    return "\"" + playerPath + "\"" + kPlayerArguments;
}

bool CPlayerHandOff::Start(const kq::ChannelInfo& channel, const std::string& programFolder)
{
    m_mapping = ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(kq::VodChannelBlock),
                                     kq::kVodChannelBlockName);
    if (m_mapping != nullptr) {
        if (void* view = ::MapViewOfFile(m_mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(kq::VodChannelBlock))) {
            kq::WriteReceiverHandOff(*static_cast<kq::VodChannelBlock*>(view), channel.server.c_str(), channel.value,
                                     channel.port, channel.flag);
            ::UnmapViewOfFile(view);
        }
    }
    m_taken = ::CreateEventA(nullptr, FALSE, FALSE, kq::kVodPlayerTookEvent);

    const std::string path = PlayerPath(programFolder);
    std::string commandLine = PlayerCommandLine(path);
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(path.c_str(), writable.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                          nullptr, &startup, &process)) {
        // Nobody will take the block: leave nothing open behind.
        CloseShared();
        return false;
    }
    ::CloseHandle(process.hThread);
    m_process = process.hProcess;
    return true;
}

void CPlayerHandOff::WaitUntilTaken()
{
    if (m_taken != nullptr)
        ::WaitForSingleObject(m_taken, kq::kVodReceiverWaitMs);
    else
        ::Sleep(kq::kVodNoEventSleepMs);
    CloseShared();
}

void CPlayerHandOff::WaitUntilEnded()
{
    if (m_process != nullptr)
        ::WaitForSingleObject(m_process, INFINITE);
    CloseIfOpen(m_process);
}

void CPlayerHandOff::CloseShared()
{
    CloseIfOpen(m_taken);
    CloseIfOpen(m_mapping);
}
