#include "common/KqDeskInput.h"
#include "standins/common/tests/StandinTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr char kStudentKey[] = "SOFTWARE\\Quorvane\\Tutorium\\Student";

using kq::standin::Export;

void Touch(const std::string& path)
{
    std::ofstream(path) << "shortcut";
}

// A student install with two shortcut folders, registered as the agent's, and
// the agent's frame; the registry value is put back afterwards.
class KqDeskTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        m_install = std::string(temp) + "kqdesk-test";
        for (const char* folder : {"", "\\config", "\\config\\晨星桌面", "\\config\\晨星程序"})
            CreateDirectoryA((m_install + folder).c_str(), nullptr);
        Touch(m_install + "\\config\\晨星桌面\\课件.lnk");
        Touch(m_install + "\\config\\晨星程序\\画图.lnk");

        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kStudentKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                      nullptr, &m_key, nullptr),
            ERROR_SUCCESS);
        char old[MAX_PATH] = {};
        DWORD size = sizeof old - 1;
        m_hadPath = RegQueryValueExA(m_key, "Path", nullptr, nullptr,
                        reinterpret_cast<BYTE*>(old), &size)
            == ERROR_SUCCESS;
        m_oldPath = old;
        RegSetValueExA(m_key, "Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(m_install.c_str()),
            static_cast<DWORD>(m_install.size() + 1));

        HMODULE desk = LoadLibraryA("KqDesk.dll");
        ASSERT_NE(desk, nullptr);
        m_start = Export<int (*)(const kq::KQDESKINPUT*)>(desk, "KqStartKqDesk");
        m_fresh = Export<int (*)()>(desk, "KqFreshDesk");
        m_close = Export<int (*)()>(desk, "KqCloseKqDesk");
        ASSERT_TRUE(m_start && m_fresh && m_close);

        m_frame = CreateWindowExA(0, "STATIC", "KqStudent", WS_POPUP, 0, 0, 10, 10, nullptr,
            nullptr, nullptr, nullptr);
        ASSERT_NE(m_frame, nullptr);
    }

    void TearDown() override
    {
        if (m_close)
            m_close();
        DestroyWindow(m_frame);
        if (m_hadPath)
            RegSetValueExA(m_key, "Path", 0, REG_SZ,
                reinterpret_cast<const BYTE*>(m_oldPath.c_str()),
                static_cast<DWORD>(m_oldPath.size() + 1));
        else
            RegDeleteValueA(m_key, "Path");
        RegCloseKey(m_key);
        for (const char* file : {"\\config\\晨星桌面\\课件.lnk", "\\config\\晨星桌面\\练习.lnk",
                 "\\config\\晨星程序\\画图.lnk"})
            DeleteFileA((m_install + file).c_str());
        for (const char* folder : {"\\config\\晨星桌面", "\\config\\晨星程序", "\\config", ""})
            RemoveDirectoryA((m_install + folder).c_str());
    }

    int Start(int edition)
    {
        kq::KQDESKINPUT input = {};
        input.window = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(m_frame));
        input.edition = edition;
        return m_start(&input);
    }

    static HWND Desk() { return FindWindowA("KqDeskShell", "KqDesk"); }

    static std::vector<std::string> Shortcuts()
    {
        HWND list = FindWindowExA(Desk(), nullptr, "LISTBOX", nullptr);
        std::vector<std::string> names;
        const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char name[MAX_PATH] = {};
            SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(name));
            names.push_back(name);
        }
        return names;
    }

    const kq::standin::TraceFile m_trace{kq::standin::UniqueTempPath("kqdesk-trace", ".txt")};
    std::string m_install, m_oldPath;
    bool m_hadPath = false;
    HKEY m_key = nullptr;
    HWND m_frame = nullptr;
    int (*m_start)(const kq::KQDESKINPUT*) = nullptr;
    int (*m_fresh)() = nullptr;
    int (*m_close)() = nullptr;
};

TEST_F(KqDeskTest, ButtonsReachTheFrameAsDeskButtonMessages)
{
    ASSERT_NE(Start(0), kq::kDeskStartFailed);
    ASSERT_NE(Desk(), nullptr);

    const std::pair<const char*, int> buttons[] = {{"举手", kq::kDeskHandUp},
        {"请求", kq::kDeskRequest}, {"交作业", kq::kDeskHandIn}, {"版本", kq::kDeskVersion},
        {"注销", kq::kDeskLogOff}, {"关机", kq::kDeskShutDown}};
    for (const auto& [caption, number] : buttons) {
        HWND button = FindWindowExA(Desk(), nullptr, "BUTTON", caption);
        ASSERT_NE(button, nullptr) << number;
        SendMessageA(button, BM_CLICK, 0, 0);
        MSG msg;
        ASSERT_TRUE(PeekMessageA(&msg, m_frame, kq::kWmDeskButton, kq::kWmDeskButton, PM_REMOVE))
            << number;
        EXPECT_EQ(msg.wParam, static_cast<WPARAM>(kq::kDeskButtonPressed));
        EXPECT_EQ(msg.lParam, number);
    }

    m_close();
    EXPECT_EQ(Desk(), nullptr);
}

TEST_F(KqDeskTest, ListsBothShortcutFoldersAndRefreshesOnRequest)
{
    ASSERT_NE(Start(0), kq::kDeskStartFailed);
    EXPECT_EQ(Shortcuts(), (std::vector<std::string>{"课件", "画图"}));

    Touch(m_install + "\\config\\晨星桌面\\练习.lnk");
    EXPECT_EQ(Shortcuts().size(), 2u); // nothing changes until the agent asks
    m_fresh();
    EXPECT_EQ(Shortcuts(), (std::vector<std::string>{"课件", "练习", "画图"}));
}

TEST_F(KqDeskTest, OnlyEditionZeroHasTheRequestButton)
{
    ASSERT_NE(Start(1), kq::kDeskStartFailed);
    EXPECT_EQ(FindWindowExA(Desk(), nullptr, "BUTTON", "请求"), nullptr);
    EXPECT_NE(FindWindowExA(Desk(), nullptr, "BUTTON", "举手"), nullptr);

    // Starting again replaces the shell instead of opening a second one.
    ASSERT_NE(Start(0), kq::kDeskStartFailed);
    EXPECT_EQ(FindWindowExA(nullptr, Desk(), "KqDeskShell", "KqDesk"), nullptr);
    EXPECT_NE(FindWindowExA(Desk(), nullptr, "BUTTON", "请求"), nullptr);
}

TEST_F(KqDeskTest, StartFailsWithoutAFrameAndTracesEveryCall)
{
    kq::KQDESKINPUT noFrame = {0x1234, 0, 0, 0};
    EXPECT_EQ(m_start(nullptr), kq::kDeskStartFailed);
    EXPECT_EQ(m_start(&noFrame), kq::kDeskStartFailed);
    EXPECT_EQ(Desk(), nullptr);
    m_fresh(); // harmless while no shell runs
    m_close();

    EXPECT_EQ(m_trace.Read(),
        "KqDesk KqStartKqDesk input=null\n"
        "KqDesk KqStartKqDesk window=00001234 edition=0\n"
        "KqDesk KqFreshDesk\n"
        "KqDesk KqCloseKqDesk\n");
}

} // namespace
