// Smss.exe: the student agent's launcher in the student install folder. The
// classroom joiner opens it to start (or restart) the agent; it starts
// Student.exe from its own folder, with that folder as the working folder,
// and ends. Exit code 0 when the agent was started, 1 when not.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "standins/common/Trace.h"

#include <string>

namespace {

constexpr char kModule[] = "Smss";
constexpr char kAgent[] = "Student.exe";

std::string OwnFolder()
{
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return "";
    // The last '\\' that is not the second byte of a double-byte character.
    size_t cut = std::string::npos;
    for (DWORD i = 0; i < length; ++i) {
        if (IsDBCSLeadByte(static_cast<BYTE>(path[i])) && i + 1 < length)
            ++i;
        else if (path[i] == '\\')
            cut = i;
    }
    return cut == std::string::npos ? "" : std::string(path, cut);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const std::string folder = OwnFolder();
    std::string line = "\"" + folder + "\\" + kAgent + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const BOOL started = !folder.empty() && CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                                            folder.c_str(), &startup, &process);
    kq::Trace(kModule, "start agent=%s\\%s result=%s", folder.c_str(), kAgent, started ? "started" : "failed");
    if (!started)
        return 1;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}
