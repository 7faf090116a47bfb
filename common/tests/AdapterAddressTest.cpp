// The adapter address read from the student.ini beside a program, with the
// drive type played by the test.

#include "common/AdapterAddress.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

unsigned Removable(const char*) { return DRIVE_REMOVABLE; }
unsigned Network(const char*) { return DRIVE_REMOTE; }
unsigned Fixed(const char*) { return DRIVE_FIXED; }

class AdapterAddress : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        folder_ = std::string(temp) + "adapter-address-" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(folder_.c_str(), nullptr);
        previous_ = kq::SetDriveTypeQuery(&Fixed);
    }
    void TearDown() override
    {
        kq::SetDriveTypeQuery(previous_);
        DeleteFileA((folder_ + "student.ini").c_str());
        RemoveDirectoryA(folder_.c_str());
    }
    void WriteAddress(const char* address)
    {
        WritePrivateProfileStringA("NETADAPTER", "IPADDRESS", address, (folder_ + "student.ini").c_str());
    }

    std::string folder_;
    kq::DriveTypeQuery previous_ = nullptr;
};

TEST_F(AdapterAddress, FromTheFileOnAFixedDiskElseAnyAdapter)
{
    EXPECT_EQ(kq::ReadAdapterAddress(folder_), "0.0.0.0") << "no file";
    WriteAddress("198.18.1.10");
    EXPECT_EQ(kq::ReadAdapterAddress(folder_), "198.18.1.10");
    kq::SetDriveTypeQuery(&Removable);
    EXPECT_EQ(kq::ReadAdapterAddress(folder_), "0.0.0.0");
    kq::SetDriveTypeQuery(&Network);
    EXPECT_EQ(kq::ReadAdapterAddress(folder_), "0.0.0.0");
    kq::SetDriveTypeQuery(&Fixed);
    WriteAddress(std::string(60, '9').c_str());
    EXPECT_EQ(kq::ReadAdapterAddress(folder_), std::string(49, '9'));
}

TEST_F(AdapterAddress, TheQueryIsAskedForTheDriveRoot)
{
    static std::string asked;
    kq::SetDriveTypeQuery([](const char* root) -> unsigned {
        asked = root;
        return DRIVE_FIXED;
    });
    kq::ReadAdapterAddress(folder_);
    EXPECT_EQ(asked, folder_.substr(0, 3));
}

TEST(AdapterInterface, AnyAdapterIsZero)
{
    EXPECT_EQ(kq::AdapterInterface("0.0.0.0"), 0u);
    EXPECT_EQ(kq::AdapterInterface("198.18.1.10"), inet_addr("198.18.1.10"));
    EXPECT_EQ(kq::AdapterInterface("no address"), INADDR_NONE);
    EXPECT_TRUE(kq::IsAnyAdapter("0.0.0.0"));
    EXPECT_FALSE(kq::IsAnyAdapter(""));
}

} // namespace
