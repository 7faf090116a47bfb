// The test agent's replacements of the agent's outside calls: the
// environment check answers what KQ_TEST_KQTEST says (0 when unset; "real"
// calls the KqCheck.dll beside the agent) and the
// end of the Windows session is only traced, never done. (Its drive type
// comes from kqdrive_test, steered by KQ_TEST_DRIVE.) It also hands the frame a
// command with a record, as the transport does, when AgentPoster asks: tests
// can so deliver commands that no teacher command produces yet.

#include "common/LecternMessages.h"
#include "standins/common/Trace.h"
#include "student/AgentHooks.h"
#include "student/tests/TestRecord.h"

#include <cstdlib>
#include <string>

namespace kq::agent {

namespace {

// KQ_TEST_KQTEST's value that calls the real library beside the agent.
constexpr char kRealCheck[] = "real";
constexpr int kLibraryMissing = -100;

int RealEnvironmentCheck(const char* path, int mode)
{
    HMODULE library = ::LoadLibraryA("KqCheck.dll");
    const auto test = library != nullptr ? reinterpret_cast<int (*)(const char*, int)>(reinterpret_cast<void*>(
                                               ::GetProcAddress(library, MAKEINTRESOURCEA(1))))
                                         : nullptr;
    return test != nullptr ? test(path, mode) : kLibraryMissing;
}

} // namespace

int EnvironmentCheck(const char* path, int mode)
{
    char verdict[32] = {};
    const DWORD length = ::GetEnvironmentVariableA("KQ_TEST_KQTEST", verdict, sizeof verdict);
    const bool given = length > 0 && length < sizeof verdict;
    const int result = !given ? 0 : ::lstrcmpA(verdict, kRealCheck) == 0 ? RealEnvironmentCheck(path, mode)
                                                                          : std::atoi(verdict);
    kq::Trace("KqCheck", "KqTest path=%s mode=%d -> %d", path, mode, result);
    return result;
}

BOOL EndSession(UINT flags)
{
    kq::Trace("Power", "EndSession flags=0x%x", flags);
    return TRUE;
}

namespace {

// The largest record the transport hands the frame.
constexpr DWORD kLargestRecord = 480;

// A command with a record from a test (TestRecord.h).
LRESULT CALLBACK DeliverRecord(int code, WPARAM removal, LPARAM lParam)
{
    static const UINT recordMessage = ::RegisterWindowMessageA(kq::agent::kTestRecordMessage);
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && removal == PM_REMOVE && message->message == recordMessage && message->hwnd != nullptr) {
        char record[kLargestRecord] = {};
        DWORD size = 0;
        const std::string path = kq::agent::TestRecordPath();
        HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            ::ReadFile(file, record, sizeof record, &size, nullptr);
            ::CloseHandle(file);
        }
        kq::Trace("TestAgent", "command 0x%lx record size=%lu", static_cast<unsigned long>(message->wParam),
                  static_cast<unsigned long>(size));
        // The record lives only for the call, as the transport's does.
        ::SendMessageA(message->hwnd, WM_LECTERN_NOTIFY, message->wParam, reinterpret_cast<LPARAM>(record));
    }
    return ::CallNextHookEx(nullptr, code, removal, lParam);
}

// The frame is the main thread's, and so is this hook.
const HHOOK g_recordHook = ::SetWindowsHookExA(WH_GETMESSAGE, DeliverRecord, nullptr, ::GetCurrentThreadId());

} // namespace

} // namespace kq::agent
