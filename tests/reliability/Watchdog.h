#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

// Ends the test process with a message when a step outlives its limit: a hang
// must fail the run, not stall it until the test driver gives up.
class Watchdog {
public:
    Watchdog(std::chrono::milliseconds limit, std::string what);
    ~Watchdog();

private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::thread thread_;
};
