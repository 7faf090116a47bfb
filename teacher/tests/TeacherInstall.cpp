#include "teacher/tests/TeacherInstall.h"

#include "common/ProgramFolder.h"
#include "standins/common/tests/StandinTestSupport.h"
#include "teacher/InstallFolder.h"


namespace kqtest {

namespace {

// What the install folder holds, as laid out in the build tree.
const char* const kModules[] = {"Teacher.exe", "resource.dll", "KqCheck.dll", "dsetup.dll", "Quizhall.dll",
                                "KqTransmit.dll", "KqVideoS.dll", "Proxyward.dll", "KqMixer.dll"};

constexpr char kTestAdapter[] = "198.18.0.1";

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

BOOL CALLBACK CollectText(HWND child, LPARAM param)
{
    char text[1024] = {};
    ::GetWindowTextA(child, text, sizeof text);
    *reinterpret_cast<std::string*>(param) += text;
    return TRUE;
}

} // namespace

TeacherInstall::TeacherInstall() : ProgramInstall("kq_teacher", "Teacher.exe")
{
    for (const char* module : kModules)
        CopyIn(module, module);
    CopyIn("teacher-lectern\\Lectern.dll", "Lectern.dll");
    const std::string bin = kq::GetProgramFolder();
    CopyTree(bin + "help", PathOf("help"));
    CopyTree(bin + "..\\teacher-defaults", Folder());
    // The test network has two Ethernet addresses: naming one keeps the
    // environment check from asking which the classroom uses.
    ::WritePrivateProfileStringA("NETADAPTER", "IPADDRESS", kTestAdapter, PathOf("student.ini").c_str());
    ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, PathOf("student.ini").c_str());
    kq::standin::SetMachineString(kq::kInstallKey, kq::kInstallValue, Folder());
}

void TeacherInstall::UseDouble(const char* module)
{
    CopyIn(std::string("teacher-doubles\\") + module, module);
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
    kq::standin::RemoveMachineValue(kq::kInstallKey, kq::kInstallValue);
}

bool TeacherInstall::SecondCopyEndsQuietly()
{
    DWORD second = 0;
    return SecondCopyEnds(second) && ::FindWindowA(nullptr, "Warning") == nullptr;
}

HWND TeacherInstall::FindWindowOf(const char* title, DWORD timeoutMs) const
{
    return kq::standin::WaitForProcessWindow(
        ProcessId(),
        [title](HWND window) {
            char text[256] = {};
            ::GetWindowTextA(window, text, sizeof text);
            return ::IsWindowVisible(window) && std::string(text) == title;
        },
        timeoutMs);
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
