#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

// Ends the test program when a step does not finish in time: a step that
// hangs (a FIFO opened, an endless loop) fails loudly instead of holding
// the suite until its timeout. A generous bound, never a performance check.
class Watchdog {
public:
    Watchdog(std::string step, std::chrono::seconds limit)
        : thread_([this, step = std::move(step), limit] {
              std::unique_lock<std::mutex> lock(mutex_);
              if (!done_.wait_for(lock, limit, [this] { return finished_; })) {
                  std::fprintf(stderr, "hung for %lld s: %s\n", static_cast<long long>(limit.count()),
                               step.c_str());
                  std::_Exit(3);
              }
          })
    {
    }
    ~Watchdog()
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            finished_ = true;
        }
        done_.notify_one();
        thread_.join();
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::thread thread_;
};
