// Posts one message to the student agent's frame (the window titled
// "KqStudent") on the PC it runs on, as the other student programs do, or
// hands the test agent a teacher command with its record.
//   AgentPoster.exe MESSAGE WPARAM LPARAM     (decimal or 0x hexadecimal)
//   AgentPoster.exe record WPARAM HEXBYTES    (the record's bytes, e.g. 0101841c)
// Exit 0 when the frame was found within 10 s and the message posted.

#include "student/tests/TestRecord.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr DWORD kPatienceMs = 10000;
constexpr DWORD kPollMs = 100;

HWND FindFrame()
{
    for (DWORD waited = 0; waited <= kPatienceMs; waited += kPollMs) {
        if (HWND frame = ::FindWindowA(nullptr, "KqStudent"))
            return frame;
        ::Sleep(kPollMs);
    }
    return nullptr;
}

bool ParseHex(const char* text, std::string& bytes)
{
    const size_t length = std::strlen(text);
    if (length == 0 || length % 2 != 0)
        return false;
    for (size_t i = 0; i < length; i += 2) {
        const char pair[3] = {text[i], text[i + 1], '\0'};
        char* end = nullptr;
        const unsigned long value = std::strtoul(pair, &end, 16);
        if (end != pair + 2)
            return false;
        bytes.push_back(static_cast<char>(value));
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    constexpr int kArguments = 4;
    if (argc != kArguments)
        return 2;
    const WPARAM wParam = static_cast<WPARAM>(std::strtoull(argv[2], nullptr, 0));
    if (std::strcmp(argv[1], "record") == 0) {
        std::string record;
        if (!ParseHex(argv[3], record))
            return 2;
        HWND frame = FindFrame();
        return frame != nullptr &&
                       kq::agent::PostTestRecord(frame, wParam, record.data(), static_cast<DWORD>(record.size()))
                   ? 0
                   : 1;
    }
    const UINT message = static_cast<UINT>(std::strtoul(argv[1], nullptr, 0));
    const LPARAM lParam = static_cast<LPARAM>(std::strtoll(argv[3], nullptr, 0));
    HWND frame = FindFrame();
    return frame != nullptr && ::PostMessageA(frame, message, wParam, lParam) ? 0 : 1;
}
