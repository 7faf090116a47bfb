#include "common/ShellOpen.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <shellapi.h>

namespace kq {

namespace {

// ShellExecute succeeds with a value above 32; 32 and below are its errors.
constexpr INT_PTR kShellErrorLimit = 32;

} // namespace

bool ShellOpen(const std::string& target)
{
    const HINSTANCE result = ::ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > kShellErrorLimit;
}

} // namespace kq
