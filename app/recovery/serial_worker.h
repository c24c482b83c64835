#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace app {

// One thread that runs the jobs given to it one after another, in the order given.
// Writing a copy and removing it are jobs of the same worker, so a removal asked for
// while a copy is being written happens after that write and leaves nothing behind.
class SerialWorker {
public:
    SerialWorker();
    // Runs the jobs still waiting, then ends the thread.
    ~SerialWorker();
    SerialWorker(const SerialWorker&) = delete;
    SerialWorker& operator=(const SerialWorker&) = delete;

    void post(std::function<void()> job);
    // Returns once every job posted before has run.
    void drain();

private:
    void run();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::function<void()>> jobs_;
    bool running_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace app
