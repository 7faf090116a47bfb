// The test builds' drive type: KQ_TEST_DRIVE names it for every root.

#include "common/DriveType.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(TestDriveType, AnswersWhatTheVariableNamesForAnyRoot)
{
    const unsigned systemC = ::GetDriveTypeA("C:\\");
    const struct {
        const char* value;
        unsigned type;
    } cases[] = {
        {"network", DRIVE_REMOTE},
        {"NETWORK", DRIVE_REMOTE},
        {"removable", DRIVE_REMOVABLE},
        {"fixed", DRIVE_FIXED},
        {"floppy", systemC},
        {nullptr, systemC},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value != nullptr ? c.value : "unset");
        ASSERT_TRUE(::SetEnvironmentVariableA(kq::kTestDriveVariable, c.value) || c.value == nullptr);
        EXPECT_EQ(kq::DriveType("C:\\"), c.type);
        if (c.value != nullptr && c.type != systemC) {
            EXPECT_EQ(kq::DriveType("D:\\"), c.type) << "the program's own drive too";
        }
    }
    ::SetEnvironmentVariableA(kq::kTestDriveVariable, nullptr);
}

} // namespace
