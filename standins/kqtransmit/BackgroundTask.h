#pragma once
// One worker thread with a stop request: the library's activities run on
// such tasks so that every stop call can end them and wait for them.

#include "standins/kqtransmit/TcpLink.h"

#include <functional>
#include <thread>

namespace kq::transmit {

class BackgroundTask {
public:
    BackgroundTask() = default;
    ~BackgroundTask() { Stop(); }
    BackgroundTask(const BackgroundTask&) = delete;
    BackgroundTask& operator=(const BackgroundTask&) = delete;

    // Runs `work` on a new thread (after stopping a previous one).
    void Start(std::function<void(const StopFlag& stop)> work);
    // Asks the thread to stop and waits for it; harmless when none runs.
    void Stop();
    bool Running() const { return running_; }

private:
    std::thread thread_;
    StopFlag stop_{false};
    std::atomic<bool> running_{false};
};

} // namespace kq::transmit
