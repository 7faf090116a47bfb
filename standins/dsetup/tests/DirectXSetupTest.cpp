#include "standins/common/tests/StandinTestSupport.h"

#include <gtest/gtest.h>

namespace {

using GetVersionFn = INT(WINAPI*)(DWORD*, DWORD*);
constexpr WORD kVersionOrdinal = 11;

TEST(DirectXSetup, OrdinalElevenReportsDirectXNine)
{
    const kq::standin::TraceFile trace(kq::standin::UniqueTempPath("dsetup-trace", ".txt"));

    HMODULE setup = LoadLibraryA("dsetup.dll");
    ASSERT_NE(setup, nullptr);
    auto getVersion = reinterpret_cast<GetVersionFn>(reinterpret_cast<void*>(
        GetProcAddress(setup, MAKEINTRESOURCEA(kVersionOrdinal))));
    ASSERT_NE(getVersion, nullptr);

    DWORD version = 0, revision = 0;
    EXPECT_NE(getVersion(&version, &revision), 0);
    EXPECT_EQ(version & 0xFFFF, 9u); // the environment check compares the low word
    EXPECT_EQ(version >> 16, 4u);
    EXPECT_EQ(revision, 0x904u);

    // Null out-parameters are tolerated.
    EXPECT_NE(getVersion(nullptr, nullptr), 0);

    EXPECT_EQ(trace.Read(),
        "dsetup DirectXSetupGetVersion version=out revision=out\n"
        "dsetup DirectXSetupGetVersion version=null revision=null\n");

    FreeLibrary(setup);
}

} // namespace
