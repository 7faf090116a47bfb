#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string ReadTrace(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(Battery, KeepsTheDisplayAwakeAndTracesTheCall)
{
    const std::string trace = ::testing::TempDir() + "battery-trace.txt";
    std::remove(trace.c_str());
    _putenv_s("KQ_TRACE", trace.c_str());

    // Loaded by file name and looked up by name, as the engine does.
    HMODULE battery = LoadLibraryA("battery.dll");
    ASSERT_NE(battery, nullptr);
    auto keepAwake = reinterpret_cast<void (*)()>(GetProcAddress(battery, "DoMakeScreenNotDark"));
    ASSERT_NE(keepAwake, nullptr);

    SetThreadExecutionState(ES_CONTINUOUS); // start from no request
    keepAwake();
    const EXECUTION_STATE requested = SetThreadExecutionState(ES_CONTINUOUS);

    EXPECT_EQ(requested & (ES_CONTINUOUS | ES_DISPLAY_REQUIRED),
        static_cast<EXECUTION_STATE>(ES_CONTINUOUS | ES_DISPLAY_REQUIRED));
    EXPECT_EQ(ReadTrace(trace), "battery DoMakeScreenNotDark\n");

    FreeLibrary(battery);
    _putenv_s("KQ_TRACE", "");
    std::remove(trace.c_str());
}

} // namespace
