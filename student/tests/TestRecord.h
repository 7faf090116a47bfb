#pragma once
// How AgentPoster hands the test agent a command with a record: it writes
// the record to TestRecordPath() and posts kTestRecordMessage (registered)
// to the frame with the command's wParam.

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

} // namespace kq::agent
