#pragma once
// The teacher's side of an online test: a TCP server on a port of its own
// (the port is the test id that the students are sent), to which every
// student's library connects with its seat. It hands out the paper, reports
// students entering and leaving the test, and at the finish collects the
// answers into the answer file. Everything runs on the caller's thread,
// driven by socket notices to a message-only window.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "common/TestStartRecord.h"
#include "standins/quizhall/QuizConnection.h"
#include "teacher/SeatArrangement.h"

#include <memory>
#include <string>
#include <vector>

class QuizTeacher {
public:
    void SetWindow(HWND window) { m_window = window; }
    // The test id (the server's port, > 0) or a TestStartResult.
    int Start(const kq::TestStartRecord& record, const char* paperPath, const char* answerPath);
    // Asks every student to hand in; reports the end of collection.
    void Finish();
    void Abort();

private:
    struct Student {
        std::unique_ptr<QuizConnection> link;
        std::string seat; // empty until the student said who it is
        bool handedIn = false;
    };

    static LRESULT CALLBACK NoticeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool MakeNoticeWindow();
    Student* Find(SOCKET socket);
    void OnAccept();
    void OnStudent(SOCKET socket, WORD event);
    void OnFrame(Student& student, quiz::Kind kind, const std::string& payload);
    void Drop(SOCKET socket);
    void CheckCollection();
    void EndCollection(int notice);
    void CloseAll();
    void Notify(int notice, LPARAM seat);
    // The notice about the seat named `seatName`, by its number on the
    // teacher's seat map; none for a name the map does not hold.
    void NotifySeat(int notice, const std::string& seatName);
    void LoadSeats();

    HWND m_window = nullptr;  // the teacher's main window
    HWND m_notices = nullptr; // receives the socket notices and the deadline
    SOCKET m_listener = INVALID_SOCKET;
    std::vector<Student> m_students;
    std::string m_paper;
    std::string m_answerPath;
    bool m_collecting = false;
    kq::CSeatArrangement m_seats; // the teacher's classroom, read at each start
};
