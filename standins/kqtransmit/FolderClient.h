#pragma once
// Copies a served folder into a folder of this PC and reports the outcome
// (events 21 and 22).

#include "standins/kqtransmit/BackgroundTask.h"

#include <cstdint>
#include <string>

namespace kq::transmit {

class FolderClient {
public:
    void Start(const std::string& folder, uint32_t address, uint16_t port, HWND window);
    void Stop();

private:
    int Fetch(const std::string& folder, uint32_t address, uint16_t port, const StopFlag& stop);

    WinsockUse winsock_;
    BackgroundTask task_;
};

} // namespace kq::transmit
