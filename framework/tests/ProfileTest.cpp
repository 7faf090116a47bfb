// The application's private profile: reading and writing its ini file.

#include "framework/tests/CoreTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Points the test application at a fresh ini file in the temp folder for
// the length of one test.
class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char folder[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, folder);
        m_path = std::string(folder) + "kq_profile_test.ini";
        ::DeleteFileA(m_path.c_str());
        m_saved = m_app->m_pszProfileName;
        m_app->m_pszProfileName = m_path.c_str();
    }
    void TearDown() override
    {
        m_app->m_pszProfileName = m_saved;
        ::DeleteFileA(m_path.c_str());
    }

    CWinApp* m_app = AfxGetApp();
    std::string m_path;
    LPCSTR m_saved = nullptr;
};

TEST_F(ProfileTest, StringsAndIntegersRoundTripWithDefaultsForWhatIsMissing)
{
    EXPECT_STREQ("fallback", m_app->GetProfileString("Setup", "Missing", "fallback"));
    EXPECT_STREQ("", m_app->GetProfileString("Setup", "Missing"));
    EXPECT_EQ(8u, m_app->GetProfileInt("Setup", "Hits", 8));

    ASSERT_TRUE(m_app->WriteProfileString("BackBmp", "Splash", "splash.bmp"));
    ASSERT_TRUE(m_app->WriteProfileInt("Setup", "Hits", 12));
    ASSERT_TRUE(m_app->WriteProfileInt("Setup", "Offset", -5));
    ASSERT_TRUE(m_app->WriteProfileString("Setup", "Name", "晨星电子教室"));
    EXPECT_STREQ("splash.bmp", m_app->GetProfileString("backbmp", "SPLASH"));
    EXPECT_EQ(12u, m_app->GetProfileInt("Setup", "Hits", 8));
    EXPECT_EQ(-5, static_cast<int>(m_app->GetProfileInt("Setup", "Offset", 0)));
    EXPECT_STREQ("晨星电子教室", m_app->GetProfileString("Setup", "Name"));
}

TEST_F(ProfileTest, LongValuesAreReadWhole)
{
    const std::string longValue(3000, 'x');
    ASSERT_TRUE(m_app->WriteProfileString("Big", "Value", longValue.c_str()));
    EXPECT_EQ(static_cast<int>(longValue.size()), m_app->GetProfileString("Big", "Value").GetLength());
}

TEST_F(ProfileTest, NullValueRemovesAnEntryAndNullEntryASection)
{
    m_app->WriteProfileString("A", "One", "1");
    m_app->WriteProfileString("A", "Two", "2");
    m_app->WriteProfileString("B", "Three", "3");
    ASSERT_TRUE(m_app->WriteProfileString("A", "One", nullptr));
    EXPECT_STREQ("gone", m_app->GetProfileString("A", "One", "gone"));
    EXPECT_STREQ("2", m_app->GetProfileString("A", "Two"));
    ASSERT_TRUE(m_app->WriteProfileString("A", nullptr, nullptr));
    EXPECT_STREQ("gone", m_app->GetProfileString("A", "Two", "gone"));
    EXPECT_STREQ("3", m_app->GetProfileString("B", "Three"));
}

} // namespace
