#pragma once
// Hands the test agent a command with its record, as the transport does: the
// record goes to TestRecordPath() and kTestRecordMessage (registered) to the
// frame with the command's wParam; the test agent's message hook reads the
// record back and sends the frame the command.

#include <windows.h>

#include <string>

namespace kq::agent {

inline constexpr char kTestRecordMessage[] = "KqTestRecord";

inline std::string TestRecordPath()
{
    char folder[MAX_PATH] = {};
    const DWORD length = ::GetTempPathA(sizeof folder, folder);
    return std::string(folder, length < sizeof folder ? length : 0) + "KqTestRecord.bin";
}

// False when the record could not be written or the message not posted.
inline bool PostTestRecord(HWND frame, WPARAM command, const void* record, DWORD size)
{
    HANDLE file = ::CreateFileA(TestRecordPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool stored = ::WriteFile(file, record, size, &written, nullptr) && written == size;
    ::CloseHandle(file);
    return stored && ::PostMessageA(frame, ::RegisterWindowMessageA(kTestRecordMessage), command, 0) != FALSE;
}

} // namespace kq::agent
