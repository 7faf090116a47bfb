#pragma once
// The student's file client: hands one file in to the teacher's homework
// file server and reports the outcome (events 15 and 16).

#include "standins/kqtransmit/BackgroundTask.h"

#include <cstdint>
#include <string>

namespace kq::transmit {

class HomeworkClient {
public:
    void Start(uint32_t address, uint16_t port, int kind, const std::string& path, const std::string& seat,
               HWND window);
    void Stop();

private:
    int HandIn(uint32_t address, uint16_t port, int kind, const std::string& path, const std::string& seat,
               const StopFlag& stop);

    WinsockUse winsock_;
    BackgroundTask task_;
};

} // namespace kq::transmit
