#include "student/tests/StudentAgentInstall.h"

#include "common/StudentIni.h"
#include "standins/common/tests/StandinTestSupport.h"

#include <fstream>

namespace kqtest {

namespace {

// The modules the agent loads, as laid out in the build tree.
const char* const kModules[] = {"Satchel.dll", "KqDesk.dll", "Quizhall.dll", "KqTransmit.dll", "KqCheck.dll",
                                "dsetup.dll"};

const char kFixture[] = "[NETADAPTER]\r\nIPADDRESS=0.0.0.0\r\n"
                        "[VER]\r\nClassRoomID=300\r\nVersionID=700\r\nversion=0\r\n"
                        "[NETWORK]\r\nMainPort=65536\r\nMULti_MainIp=kq\r\n"
                        "[LOCKSTUDENT]\r\nbackbmp=KQ\r\n"
                        "[POSITION]\r\npx=0\r\npy=40\r\n"
                        "[OS]\r\nOSmajorversion1=10\r\n";

constexpr int kMessageLabelId = 1006;

} // namespace

StudentAgentInstall::StudentAgentInstall(const char* seat, const char* program)
    : ProgramInstall("kq_student", program)
{
    for (const char* module : kModules)
        CopyIn(module, module);
    CopyIn("student-lectern\\Lectern.dll", "Lectern.dll");
    CopyIn("student-test-agent\\Student.exe", "Student.exe");
    std::ofstream(IniPath(), std::ios::binary) << kFixture;
    std::ofstream(PathOf("register.ini"), std::ios::binary);
    if (seat != nullptr)
        SetIni("STUDENTNUMBER", "number", seat);
    kq::standin::SetMachineString(kq::kStudentRegistryKey, "Path", Folder());
    kq::standin::SetMachineString(kq::kStudentRegistryKey, "BackupPath", "");
}

void StudentAgentInstall::SetIni(const char* section, const char* key, const char* value) const
{
    ::WritePrivateProfileStringA(section, key, value, IniPath().c_str());
    ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, IniPath().c_str());
}

std::string StudentAgentInstall::Ini(const char* section, const char* key, const std::string& file) const
{
    char value[512] = {};
    ::GetPrivateProfileStringA(section, key, "(missing)", value, sizeof value,
                               file.empty() ? IniPath().c_str() : file.c_str());
    return value;
}

void StudentAgentInstall::SetRegisterIni(const std::string& text) const
{
    std::ofstream(PathOf("register.ini"), std::ios::binary) << text;
}

void StudentAgentInstall::ForgetRegistryPath() const
{
    kq::standin::RemoveMachineValue(kq::kStudentRegistryKey, "Path");
}

bool StudentAgentInstall::SecondCopyEndsQuietly() const
{
    DWORD second = 0;
    const bool ended = SecondCopyEnds(second);
    // A copy that ended quietly left no window behind.
    const HWND window = kq::standin::WaitForProcessWindow(second, [](HWND) { return true; }, 0);
    return ended && window == nullptr;
}

HWND StudentAgentInstall::Frame(DWORD timeoutMs) const
{
    return kq::standin::WaitForProcessWindow(
        ProcessId(), [](HWND window) { return WindowText(window) == "KqStudent"; }, timeoutMs);
}

HWND StudentAgentInstall::ToolBar(DWORD timeoutMs) const
{
    const HWND frame = Frame(timeoutMs);
    if (frame == nullptr)
        return nullptr;
    return kq::standin::WaitForProcessWindow(
        ProcessId(),
        [frame](HWND window) {
            return window != frame && ::IsWindowVisible(window) &&
                   (::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0 &&
                   !ChildrenOfClass(window, "Button").empty();
        },
        timeoutMs);
}

HWND StudentAgentInstall::Window(const char* title, DWORD timeoutMs) const
{
    return kq::standin::WaitForProcessWindow(
        ProcessId(), [title](HWND window) { return ::IsWindowVisible(window) && WindowText(window) == title; },
        timeoutMs);
}

HWND StudentAgentInstall::MessageBox(DWORD timeoutMs) const
{
    return kq::standin::WaitForProcessWindow(
        ProcessId(),
        [](HWND window) { return ::IsWindowVisible(window) && ::GetDlgItem(window, kMessageLabelId) != nullptr; },
        timeoutMs);
}

std::string StudentAgentInstall::MessageText(HWND box)
{
    return WindowText(::GetDlgItem(box, kMessageLabelId));
}

bool StudentAgentInstall::WaitForTrace(const std::string& text, DWORD timeoutMs) const
{
    return WaitFor([&] { return Traced(text); }, timeoutMs);
}

int StudentAgentInstall::TraceCount(const std::string& text) const
{
    const std::string trace = Trace();
    int count = 0;
    for (size_t at = trace.find(text); at != std::string::npos; at = trace.find(text, at + text.size()))
        ++count;
    return count;
}

bool ReadUserDword(const char* key, const char* name, DWORD& value)
{
    DWORD size = sizeof value;
    return ::RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) == ERROR_SUCCESS;
}

std::string SatchelText(UINT id)
{
    static HMODULE module = ::LoadLibraryExA("Satchel.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    char text[1024] = {};
    ::LoadStringA(module, id, text, sizeof text);
    return text;
}

std::vector<HWND> ChildrenOfClass(HWND parent, const char* className)
{
    struct Collect {
        const char* className;
        std::vector<HWND> found;
    } collect{className, {}};
    ::EnumChildWindows(
        parent,
        [](HWND child, LPARAM param) -> BOOL {
            auto* c = reinterpret_cast<Collect*>(param);
            char name[64] = {};
            ::GetClassNameA(child, name, sizeof name);
            if (lstrcmpiA(name, c->className) == 0)
                c->found.push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&collect));
    return collect.found;
}

std::string WindowText(HWND window)
{
    char text[1024] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

} // namespace kqtest
