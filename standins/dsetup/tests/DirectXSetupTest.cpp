#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

using GetVersionFn = INT(WINAPI*)(DWORD*, DWORD*);
constexpr WORD kVersionOrdinal = 11;

std::string ReadTrace(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(DirectXSetup, OrdinalElevenReportsDirectXNine)
{
    const std::string trace = ::testing::TempDir() + "dsetup-trace.txt";
    std::remove(trace.c_str());
    _putenv_s("KQ_TRACE", trace.c_str());

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

    EXPECT_EQ(ReadTrace(trace),
        "dsetup DirectXSetupGetVersion version=out revision=out\n"
        "dsetup DirectXSetupGetVersion version=null revision=null\n");

    FreeLibrary(setup);
    _putenv_s("KQ_TRACE", "");
    std::remove(trace.c_str());
}

} // namespace
