// The restriction switches and the browser proxy, read back with the
// system's own "reg query".

#include "student/RegistrySettings.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

constexpr char kSwitchKey[] = "Software\\KqTest\\Switches";
constexpr char kInternetSettings[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

// The output of "reg query HKCU\<key> /v <value>", or "" when it failed.
std::string RegQuery(const std::string& key, const std::string& value)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    if (!::CreatePipe(&read, &write, &inherit, 0))
        return {};
    ::SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    std::string command = "reg.exe query \"HKCU\\" + key + "\" /v " + value;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write;
    startup.hStdError = write;
    PROCESS_INFORMATION process = {};
    const BOOL started =
        ::CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    ::CloseHandle(write);
    std::string output;
    DWORD exitCode = 1;
    if (started) {
        char buffer[512];
        DWORD got = 0;
        while (::ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0)
            output.append(buffer, got);
        ::WaitForSingleObject(process.hProcess, INFINITE);
        ::GetExitCodeProcess(process.hProcess, &exitCode);
        ::CloseHandle(process.hProcess);
        ::CloseHandle(process.hThread);
    }
    ::CloseHandle(read);
    return exitCode == 0 ? output : std::string();
}

class RegistrySettings : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        m_ini = std::string(temp) + "kq_register_" + std::to_string(::GetCurrentProcessId()) + ".ini";
        std::ofstream(m_ini) << "[5]\r\npath=" << kSwitchKey << "\r\nkey=NoRun\r\nmainkey=x\r\n"
                             << "[6]\r\npath=" << kSwitchKey << "\r\n";
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kSwitchKey);
    }
    void TearDown() override
    {
        ::DeleteFileA(m_ini.c_str());
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kSwitchKey);
    }
    std::string m_ini;
};

TEST_F(RegistrySettings, ASwitchWritesTheDwordItsSectionNames)
{
    kq::ApplyRegistrySwitch(m_ini, 5, 1);
    EXPECT_NE(RegQuery(kSwitchKey, "NoRun").find("REG_DWORD    0x1"), std::string::npos)
        << RegQuery(kSwitchKey, "NoRun");
    kq::ApplyRegistrySwitch(m_ini, 5, 2);
    EXPECT_NE(RegQuery(kSwitchKey, "NoRun").find("REG_DWORD    0x0"), std::string::npos) << "2 is not on";
    kq::ApplyRegistrySwitch(m_ini, 5, 1);
    kq::ApplyRegistrySwitch(m_ini, 5, 0);
    EXPECT_NE(RegQuery(kSwitchKey, "NoRun").find("0x0"), std::string::npos);
}

TEST_F(RegistrySettings, ASectionWithoutPathOrKeyWritesNothing)
{
    kq::ApplyRegistrySwitch(m_ini, 6, 1); // no key
    kq::ApplyRegistrySwitch(m_ini, 7, 1); // no section
    HKEY key = nullptr;
    EXPECT_NE(::RegOpenKeyExA(HKEY_CURRENT_USER, kSwitchKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    if (key != nullptr)
        ::RegCloseKey(key);
}

TEST(IeProxy, SetsServerAndEnableAndDropsTheAutomaticConfiguration)
{
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kInternetSettings, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                                nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExA(key, "AutoConfigURL", 0, REG_SZ, reinterpret_cast<const BYTE*>("http://x/p.pac"),
                     sizeof "http://x/p.pac");
    ::RegCloseKey(key);

    in_addr address = {};
    ::inet_pton(AF_INET, "10.0.0.1", &address);
    kq::SetIeProxy(address.s_addr, 8080);
    EXPECT_NE(RegQuery(kInternetSettings, "ProxyServer").find("10.0.0.1:8080"), std::string::npos);
    EXPECT_NE(RegQuery(kInternetSettings, "ProxyEnable").find("0x1"), std::string::npos);
    EXPECT_EQ(RegQuery(kInternetSettings, "AutoConfigURL"), "");
}

} // namespace
