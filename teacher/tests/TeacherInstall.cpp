#include "teacher/tests/TeacherInstall.h"

#include "common/ProgramFolder.h"
#include "teacher/InstallFolder.h"

#include <fstream>
#include <sstream>

namespace kqtest {

namespace {

// What the install folder holds, as laid out in the build tree.
const char* const kModules[] = {"Teacher.exe", "resource.dll", "KqCheck.dll", "Quizhall.dll",
                                "KqTransmit.dll", "KqVideoS.dll", "Proxyward.dll"};

void CopyTree(const std::string& from, const std::string& to)
{
    ::CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA found = {};
    HANDLE search = ::FindFirstFileA((from + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CopyTree(from + "\\" + name, to + "\\" + name);
        else
            ::CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
}

void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA found = {};
    HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                ::DeleteFileA(path.c_str());
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryA(folder.c_str());
}

void SetRegistryPath(const std::string& folder)
{
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kq::kInstallKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    ::RegSetValueExA(key, kq::kInstallValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                     static_cast<DWORD>(folder.size() + 1));
    ::RegCloseKey(key);
}

struct WindowSearch {
    DWORD process;
    const char* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    char title[256] = {};
    ::GetWindowTextA(window, title, sizeof title);
    if (process == search->process && ::IsWindowVisible(window) && std::string(title) == search->title) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectText(HWND child, LPARAM param)
{
    char text[1024] = {};
    ::GetWindowTextA(child, text, sizeof text);
    *reinterpret_cast<std::string*>(param) += text;
    return TRUE;
}

} // namespace

TeacherInstall::TeacherInstall()
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    m_folder = std::string(temp) + "kq_teacher_" + std::to_string(::GetCurrentProcessId()) + "_" +
               std::to_string(::GetTickCount());
    ::CreateDirectoryA(m_folder.c_str(), nullptr);
    const std::string bin = kq::GetProgramFolder();
    for (const char* module : kModules)
        ::CopyFileA((bin + module).c_str(), PathOf(module).c_str(), FALSE);
    ::CopyFileA((bin + "teacher-lectern\\Lectern.dll").c_str(), PathOf("Lectern.dll").c_str(), FALSE);
    CopyTree(bin + "help", PathOf("help"));
    CopyTree(bin + "..\\teacher-defaults", m_folder);
    m_trace = PathOf("trace.txt");
    SetRegistryPath(m_folder);
}

TeacherInstall::~TeacherInstall()
{
    if (m_process.hProcess != nullptr) {
        if (::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT)
            ::TerminateProcess(m_process.hProcess, 1);
        ::WaitForSingleObject(m_process.hProcess, kStartPatienceMs);
        ::CloseHandle(m_process.hProcess);
        ::CloseHandle(m_process.hThread);
    }
    RemoveTree(m_folder);
}

void TeacherInstall::UseDouble(const char* module)
{
    const std::string bin = kq::GetProgramFolder();
    ::CopyFileA((bin + "teacher-doubles\\" + module).c_str(), PathOf(module).c_str(), FALSE);
}

void TeacherInstall::SetIniValue(const char* section, const char* key, const char* value)
{
    ::WritePrivateProfileStringA(section, key, value, PathOf("Teacher.ini").c_str());
}

std::string TeacherInstall::IniValue(const char* section, const char* key) const
{
    char value[512] = {};
    ::GetPrivateProfileStringA(section, key, "(missing)", value, sizeof value, PathOf("Teacher.ini").c_str());
    return value;
}

void TeacherInstall::ForgetRegistryPath()
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kq::kInstallKey, 0, KEY_WRITE, &key) == ERROR_SUCCESS) {
        ::RegDeleteValueA(key, kq::kInstallValue);
        ::RegCloseKey(key);
    }
}

bool TeacherInstall::Start(const std::vector<std::string>& environment)
{
    ::SetEnvironmentVariableA("KQ_TRACE", m_trace.c_str());
    ::SetEnvironmentVariableA("KQ_TEST_KQTEST", nullptr);
    for (const std::string& pair : environment) {
        const size_t equals = pair.find('=');
        ::SetEnvironmentVariableA(pair.substr(0, equals).c_str(), pair.substr(equals + 1).c_str());
    }
    std::string command = "\"" + PathOf("Teacher.exe") + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    return ::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, m_folder.c_str(),
                            &startup, &m_process) != FALSE;
}

bool TeacherInstall::SecondCopyEndsQuietly()
{
    constexpr DWORD kEndsAtOnceMs = 10000;
    std::string command = "\"" + PathOf("Teacher.exe") + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION second = {};
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, m_folder.c_str(), &startup,
                          &second))
        return false;
    const bool ended = ::WaitForSingleObject(second.hProcess, kEndsAtOnceMs) == WAIT_OBJECT_0;
    if (!ended)
        ::TerminateProcess(second.hProcess, 1);
    ::CloseHandle(second.hProcess);
    ::CloseHandle(second.hThread);
    return ended && ::FindWindowA(nullptr, "Warning") == nullptr;
}

bool TeacherInstall::WaitForExit(DWORD timeoutMs)
{
    return m_process.hProcess != nullptr && ::WaitForSingleObject(m_process.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

HWND TeacherInstall::FindWindowOf(const char* title, DWORD timeoutMs) const
{
    WindowSearch search = {m_process.dwProcessId, title, nullptr};
    WaitFor(
        [&] {
            ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeoutMs);
    return search.found;
}

std::string TeacherInstall::Trace() const
{
    std::ifstream file(m_trace, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string ChildTexts(HWND window)
{
    std::string texts;
    ::EnumChildWindows(window, CollectText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

RECT ChildRect(HWND parent, int id)
{
    RECT rect = {};
    HWND child = ::GetDlgItem(parent, id);
    if (child == nullptr)
        return rect;
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

} // namespace kqtest
