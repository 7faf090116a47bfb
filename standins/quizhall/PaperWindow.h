#pragma once
// A plain window that shows a text (a paper, answers, statistics) in a
// read-only edit field.

#include <windows.h>

#include <string>

class PaperWindow {
public:
    // Shows the text and returns at once; the user closes the window.
    static HWND Show(const std::string& title, const std::string& text);
    // Shows the text and returns when the window has been closed.
    static void ShowModal(const std::string& title, const std::string& text);

    static constexpr char kClassName[] = "QuizhallPaper";

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};
