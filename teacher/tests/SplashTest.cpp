// The splash window in this process: its picture from the profile, centred,
// gone by itself within about half a second or at the first click (which it
// consumes), none without a picture, and a flat picture of odd width drawn
// whole.

#include "teacher/SplashWnd.h"

#include "widgets/tests/WidgetTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kOddColumn = RGB(200, 30, 40);
constexpr COLORREF kEvenColumn = RGB(20, 60, 210);

std::string TempPath(const char* name)
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + name;
}

// A 24-bit picture whose odd columns and even columns differ.
void WriteStripes(const std::string& path, int width, int height)
{
    const int row = (width * 3 + 3) & ~3;
    std::vector<unsigned char> pixels(static_cast<size_t>(row) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = (x % 2) ? kOddColumn : kEvenColumn;
            unsigned char* p = &pixels[static_cast<size_t>(y) * row + x * 3];
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::FILE* out = std::fopen(path.c_str(), "wb");
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&info, sizeof info, 1, out);
    std::fwrite(pixels.data(), 1, pixels.size(), out);
    std::fclose(out);
}

class Splash : public testing::Test {
protected:
    void SetUp() override
    {
        m_profile = TempPath("kq_splash_profile.ini");
        CWinApp* app = AfxGetApp();
        m_previousProfile = app->m_pszProfileName;
        app->m_pszProfileName = _strdup(m_profile.c_str());
        CSplashWnd::SetSplashEnabled(TRUE);
    }
    void TearDown() override
    {
        if (CSplashWnd::Current() != nullptr)
            CSplashWnd::HideSplash();
        CWinApp* app = AfxGetApp();
        std::free(const_cast<char*>(app->m_pszProfileName));
        app->m_pszProfileName = m_previousProfile;
        ::DeleteFileA(m_profile.c_str());
        ::DeleteFileA(m_picture.c_str());
    }
    void UsePicture(const char* name, int width, int height)
    {
        m_picture = TempPath(name);
        WriteStripes(m_picture, width, height);
        ::WritePrivateProfileStringA("BackBmp", "Splash", m_picture.c_str(), m_profile.c_str());
    }

    std::string m_profile;
    std::string m_picture;
    LPCSTR m_previousProfile = nullptr;
};

TEST_F(Splash, ShowsCentredAndHidesItself)
{
    UsePicture("kq_splash.bmp", 120, 90);
    const DWORD start = ::GetTickCount();
    CSplashWnd::ShowSplash(&kqtest::Host());
    CSplashWnd* splash = CSplashWnd::Current();
    ASSERT_NE(splash, nullptr);
    CRect window;
    splash->GetWindowRect(&window);
    EXPECT_EQ(window.Width(), 120);
    EXPECT_EQ(window.Height(), 90);
    EXPECT_EQ(window.left, (::GetSystemMetrics(SM_CXSCREEN) - 120) / 2);
    EXPECT_EQ(window.top, (::GetSystemMetrics(SM_CYSCREEN) - 90) / 2);
    EXPECT_TRUE(kqtest::PumpUntil([] { return CSplashWnd::Current() == nullptr; }, 2000));
    // It hides itself on its timer, long before the wait above would give up.
    EXPECT_LT(::GetTickCount() - start, 1500u);
}

TEST_F(Splash, ClickHidesItAndIsConsumed)
{
    UsePicture("kq_splash.bmp", 120, 90);
    CSplashWnd::ShowSplash(&kqtest::Host());
    ASSERT_NE(CSplashWnd::Current(), nullptr);
    MSG mouseMove = {kqtest::Host().GetSafeHwnd(), WM_MOUSEMOVE, 0, 0, 0, {}};
    EXPECT_FALSE(CSplashWnd::RelayAppMessage(&mouseMove));
    MSG click = {kqtest::Host().GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5), 0, {}};
    EXPECT_TRUE(CSplashWnd::RelayAppMessage(&click));
    EXPECT_EQ(CSplashWnd::Current(), nullptr);
    EXPECT_FALSE(CSplashWnd::RelayAppMessage(&click)) << "with no splash the click goes on";
}

TEST_F(Splash, NoPictureNoWindow)
{
    CSplashWnd::ShowSplash(&kqtest::Host()); // no entry at all
    EXPECT_EQ(CSplashWnd::Current(), nullptr);

    m_picture = TempPath("kq_splash_not_a_picture.bmp");
    std::FILE* out = std::fopen(m_picture.c_str(), "wb");
    std::fputs("not a bitmap", out);
    std::fclose(out);
    ::WritePrivateProfileStringA("BackBmp", "Splash", m_picture.c_str(), m_profile.c_str());
    CSplashWnd::ShowSplash(&kqtest::Host());
    EXPECT_EQ(CSplashWnd::Current(), nullptr);
}

TEST_F(Splash, FlatPictureOfOddWidthIsDrawnWhole)
{
    constexpr int kWidth = 41;
    constexpr int kHeight = 40; // under 50 rows: bands of one row
    UsePicture("kq_splash_flat.bmp", kWidth, kHeight);
    CSplashWnd::ShowSplash(&kqtest::Host()); // paints before it returns
    CSplashWnd* splash = CSplashWnd::Current();
    ASSERT_NE(splash, nullptr);
    CRect window;
    splash->GetWindowRect(&window);
    HDC screen = ::GetDC(nullptr);
    // Odd columns off the even rows are drawn by no step of the reveal.
    const POINT points[] = {{1, 1}, {39, 39}, {39, 1}, {0, 0}, {40, 39}, {20, 21}};
    for (const auto& p : points) {
        SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
        const COLORREF expected = (p.x % 2) ? kOddColumn : kEvenColumn;
        EXPECT_EQ(::GetPixel(screen, window.left + p.x, window.top + p.y), expected);
    }
    ::ReleaseDC(nullptr, screen);
}

} // namespace
