// CheckHost.exe: a host program for KqCheck.dll in tests. It loads the
// library from its own folder, calls one export by ordinal and ends with its
// result as the exit code.
//
//   CheckHost test PATH MODE [worker]   KqTest (PATH "-": none); "worker" calls
//                                       it from a second thread, as the
//                                       student agent does
//   CheckHost dlg MODE                  KqDlg
//   CheckHost name FILE                 KqComputerName, the name written to FILE
//   CheckHost reboot                    KqReboot

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kUsage = 200;
constexpr int kNoLibrary = 201;
constexpr int kNameSize = 260;

using TestCall = int (*)(const char*, int);
using DlgCall = int (*)(int);
using RebootCall = int (*)();
using NameCall = int (*)(char*);

HMODULE g_library = nullptr;

template <typename Function>
Function ByOrdinal(WORD ordinal)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(g_library, MAKEINTRESOURCEA(ordinal))));
}

struct TestArguments {
    const char* path;
    int mode;
    int result;
};

DWORD WINAPI RunTest(LPVOID parameter)
{
    auto* arguments = static_cast<TestArguments*>(parameter);
    arguments->result = ByOrdinal<TestCall>(1)(arguments->path, arguments->mode);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return kUsage;
    g_library = ::LoadLibraryA("KqCheck.dll");
    if (g_library == nullptr)
        return kNoLibrary;
    if (std::strcmp(argv[1], "test") == 0 && argc >= 4) {
        TestArguments arguments{std::strcmp(argv[2], "-") == 0 ? nullptr : argv[2], std::atoi(argv[3]), 0};
        if (argc >= 5 && std::strcmp(argv[4], "worker") == 0) {
            HANDLE worker = ::CreateThread(nullptr, 0, RunTest, &arguments, 0, nullptr);
            ::WaitForSingleObject(worker, INFINITE);
            ::CloseHandle(worker);
        } else {
            RunTest(&arguments);
        }
        return arguments.result;
    }
    if (std::strcmp(argv[1], "dlg") == 0 && argc >= 3)
        return ByOrdinal<DlgCall>(2)(std::atoi(argv[2]));
    if (std::strcmp(argv[1], "reboot") == 0)
        return ByOrdinal<RebootCall>(3)();
    if (std::strcmp(argv[1], "name") == 0 && argc >= 3) {
        char name[kNameSize] = "unwritten";
        const int result = ByOrdinal<NameCall>(4)(name);
        if (FILE* file = std::fopen(argv[2], "wb")) {
            std::fputs(name, file);
            std::fclose(file);
        }
        return result;
    }
    return kUsage;
}
