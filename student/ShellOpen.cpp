#include "student/ShellOpen.h"

#include "framework/Win32.h"

#include <shellapi.h>

namespace kq {

namespace {

// ShellExecute reports a failure with a value below 32.
constexpr INT_PTR kShellErrorLimit = 32;

} // namespace

bool ShellOpen(const std::string& target)
{
    const HINSTANCE result = ::ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) >= kShellErrorLimit;
}

} // namespace kq
