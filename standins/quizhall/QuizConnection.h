#pragma once
// One TCP connection of the online test, non-blocking under WSAAsyncSelect:
// sends whole frames and cuts what arrives into checked frames.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "standins/quizhall/QuizWire.h"

#include <string>

class QuizConnection {
public:
    explicit QuizConnection(SOCKET socket) : m_socket(socket) {}
    ~QuizConnection();
    QuizConnection(const QuizConnection&) = delete;
    QuizConnection& operator=(const QuizConnection&) = delete;

    SOCKET Socket() const { return m_socket; }
    bool Send(quiz::Kind kind, const std::string& payload);
    // Takes in what has arrived; false when the peer has closed or failed.
    bool Receive();
    quiz::FrameReader::Result Next(quiz::Kind& kind, std::string& payload)
    {
        return m_reader.Next(kind, payload);
    }

    // Connects within the time-out: address in network byte order, port a number.
    static SOCKET Connect(uint32_t address, uint16_t port);

private:
    SOCKET m_socket;
    quiz::FrameReader m_reader;
};

// Starts Winsock once for the library's life.
bool StartWinsock();
