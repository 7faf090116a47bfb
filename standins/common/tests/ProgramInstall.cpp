#include "standins/common/tests/ProgramInstall.h"

#include "standins/common/tests/StandinTestSupport.h"

namespace kq::standin {

namespace {

// Switches the test builds of the programs read; none may leak from one
// start into the next.
const char* const kTestSwitches[] = {"KQ_TEST_KQTEST",         "KQ_TEST_DRIVE",          "KQ_PROXYWARD_Start",
                                     "KQ_PROXYWARD_ChangeMode", "KQ_PROXYWARD_IsRunning", "KQ_PROXYWARD_ReloadSites"};

} // namespace

void SetMachineString(const char* key, const char* name, const std::string& value)
{
    HKEY opened = nullptr;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_WRITE, nullptr, &opened, nullptr) !=
        ERROR_SUCCESS)
        return;
    ::RegSetValueExA(opened, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>(value.size() + 1));
    ::RegCloseKey(opened);
}

void RemoveMachineValue(const char* key, const char* name)
{
    HKEY opened = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_WRITE, &opened) != ERROR_SUCCESS)
        return;
    ::RegDeleteValueA(opened, name);
    ::RegCloseKey(opened);
}

ProgramInstall::ProgramInstall(const std::string& stem, std::string program) : m_program(std::move(program))
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    m_folder = std::string(temp) + stem + "_" + std::to_string(::GetCurrentProcessId()) + "_" +
               std::to_string(::GetTickCount());
    ::CreateDirectoryA(m_folder.c_str(), nullptr);
    m_trace = PathOf("trace.txt");
}

ProgramInstall::~ProgramInstall()
{
    if (m_process.hProcess != nullptr) {
        if (Running())
            ::TerminateProcess(m_process.hProcess, 1);
        ::WaitForSingleObject(m_process.hProcess, kInstallPatienceMs);
        ::CloseHandle(m_process.hProcess);
        ::CloseHandle(m_process.hThread);
    }
    RemoveTree(m_folder);
}

void ProgramInstall::CopyIn(const std::string& built, const std::string& name) const
{
    ::CopyFileA((ProgramFolder() + built).c_str(), PathOf(name).c_str(), FALSE);
}

bool ProgramInstall::Launch(PROCESS_INFORMATION& process) const
{
    std::string command = "\"" + PathOf(m_program) + "\"";
    if (!m_arguments.empty())
        command += " " + m_arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    return ::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, m_folder.c_str(),
                            &startup, &process) != FALSE;
}

bool ProgramInstall::Start(const std::vector<std::string>& environment)
{
    ::SetEnvironmentVariableA("KQ_TRACE", m_trace.c_str());
    for (const char* name : kTestSwitches)
        ::SetEnvironmentVariableA(name, nullptr);
    for (const std::string& pair : environment) {
        const size_t equals = pair.find('=');
        ::SetEnvironmentVariableA(pair.substr(0, equals).c_str(), pair.substr(equals + 1).c_str());
    }
    return Launch(m_process);
}

bool ProgramInstall::SecondCopyEnds(DWORD& processId) const
{
    constexpr DWORD kEndsAtOnceMs = 10000;
    PROCESS_INFORMATION second = {};
    if (!Launch(second))
        return false;
    processId = second.dwProcessId;
    const bool ended = ::WaitForSingleObject(second.hProcess, kEndsAtOnceMs) == WAIT_OBJECT_0;
    if (!ended)
        ::TerminateProcess(second.hProcess, 1);
    ::CloseHandle(second.hProcess);
    ::CloseHandle(second.hThread);
    return ended;
}

bool ProgramInstall::WaitForExit(DWORD timeoutMs) const
{
    return m_process.hProcess != nullptr && ::WaitForSingleObject(m_process.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

bool ProgramInstall::Running() const
{
    return m_process.hProcess != nullptr && ::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT;
}

bool ProgramInstall::ExitCode(DWORD& code) const
{
    return m_process.hProcess != nullptr && !Running() && ::GetExitCodeProcess(m_process.hProcess, &code);
}

std::string ProgramInstall::Trace() const
{
    return ReadBytes(m_trace);
}

} // namespace kq::standin
