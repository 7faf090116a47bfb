#pragma once
// The student's side of an online test: connects to the teacher's test
// server with the seat number, shows the paper in a test window with a field
// for the answers, and hands them in when the student presses the button,
// when the teacher asks for them or when the agent finishes the test.
// Runs on the caller's thread, driven by socket notices to the test window.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "standins/quizhall/QuizConnection.h"

#include <cstdint>
#include <memory>
#include <string>

class QuizStudent {
public:
    void SetOwner(HWND owner) { m_owner = owner; }
    // A StudentTestResult.
    int Start(const char* seat, uint32_t address, uint16_t port);
    int Lengthen(int minutes);
    // Hands the answers in now: 0, or kStudentTestRefused without a test.
    int Finish();
    void Abort();
    // Shows the last test's paper with the answers handed in; -1 without one.
    int ShowPaperAndAnswer();

    static constexpr char kClassName[] = "QuizhallTest";

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool MakeWindow();
    void OnSocket(WORD event);
    bool HandIn();
    void UpdateTitle(const char* state);

    HWND m_owner = nullptr;
    HWND m_window = nullptr;
    HWND m_paperField = nullptr;
    HWND m_answerField = nullptr;
    HWND m_handInButton = nullptr;
    std::unique_ptr<QuizConnection> m_link;
    std::string m_paper;
    std::string m_answers;
    bool m_handedIn = false;
    int m_extraMinutes = 0;
};
