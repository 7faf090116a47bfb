#include "common/SystemErrorText.h"

#include <windows.h>

namespace kq {

std::string SystemErrorText(uint32_t code)
{
    char* text = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::string result = length != 0 && text != nullptr ? std::string(text, length) : std::string();
    if (text != nullptr)
        ::LocalFree(text);
    return result;
}

} // namespace kq
