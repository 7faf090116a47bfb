#include "standins/kqtransmit/BackgroundTask.h"

#include <utility>

namespace kq::transmit {

void BackgroundTask::Start(std::function<void(const StopFlag& stop)> work)
{
    Stop();
    stop_ = false;
    running_ = true;
    thread_ = std::thread([this, work = std::move(work)] {
        work(stop_);
        running_ = false;
    });
}

void BackgroundTask::Stop()
{
    stop_ = true;
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id())
        thread_.join();
    running_ = false;
}

} // namespace kq::transmit
