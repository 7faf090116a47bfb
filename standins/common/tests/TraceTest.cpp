#include "standins/common/Trace.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

void SetTraceFile(const char* path)
{
#ifdef _WIN32
    _putenv_s(kq::kTraceVariable, path);
#else
    if (*path)
        setenv(kq::kTraceVariable, path, 1);
    else
        unsetenv(kq::kTraceVariable);
#endif
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(Trace, AppendsOneLinePerCallPrefixedByTheModule)
{
    const std::string path = ::testing::TempDir() + "kq-trace-test.txt";
    std::remove(path.c_str());
    SetTraceFile(path.c_str());

    kq::Trace("Lectern", "LecternOpen port=%d", 1234);
    kq::Trace("KqMixer", "SetVolume line=%d value=%u", 2, 80u);

    EXPECT_EQ(ReadAll(path), "Lectern LecternOpen port=1234\nKqMixer SetVolume line=2 value=80\n");
    SetTraceFile("");
    std::remove(path.c_str());
}

TEST(Trace, WritesNothingWhenUnset)
{
    const std::string path = ::testing::TempDir() + "kq-trace-unset.txt";
    std::remove(path.c_str());
    SetTraceFile("");

    kq::Trace("Lectern", "LecternClose");

    EXPECT_FALSE(std::ifstream(path).good());
}

} // namespace
