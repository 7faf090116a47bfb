#pragma once
// What the drivers of the classroom tests on the teacher PC share: the
// files they read and the texts of the windows they look at.

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

namespace kqtest::driver {

inline std::string ReadWholeFile(const char* path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// Every text of the window's children, one after another.
inline std::string ChildWindowTexts(HWND window)
{
    std::string texts;
    ::EnumChildWindows(
        window,
        [](HWND child, LPARAM param) -> BOOL {
            char text[512] = {};
            ::GetWindowTextA(child, text, sizeof text);
            *reinterpret_cast<std::string*>(param) += text;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    return texts;
}

} // namespace kqtest::driver
