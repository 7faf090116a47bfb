#pragma once
// Shared by the drivers of the classroom tests that run on the teacher PC
// beside Teacher.exe: their report file, waiting, and reading the trace.

#include "standins/common/tests/ProgramInstall.h"
#include "standins/lectern/tests/HostReport.h"

#include <fstream>
#include <sstream>
#include <string>

namespace kqtest::driver {

using kq::lectern::host::Report;
using kq::standin::WaitFor;

// How long a driver waits for anything of the classroom.
constexpr DWORD kPatienceMs = 90000;

// The report file the driver writes, one line per step.
inline void SetReport(const char* path) { kq::lectern::host::g_reportPath = path; }

inline std::string ReadFile(const char* path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

} // namespace kqtest::driver
