#include "standins/common/tests/StandinTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(Battery, KeepsTheDisplayAwakeAndTracesTheCall)
{
    const kq::standin::TraceFile trace(kq::standin::UniqueTempPath("battery-trace", ".txt"));

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
    EXPECT_EQ(trace.Read(), "battery DoMakeScreenNotDark\n");

    FreeLibrary(battery);
}

} // namespace
