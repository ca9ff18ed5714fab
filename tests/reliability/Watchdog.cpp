#include "reliability/Watchdog.h"

#include <cstdlib>
#include <iostream>

Watchdog::Watchdog(std::chrono::milliseconds limit, std::string what)
    : thread_([this, limit, what = std::move(what)] {
          std::unique_lock lock(mutex_);
          if (!done_.wait_for(lock, limit, [this] { return finished_; })) {
              std::cerr << "HANG: " << what << " still running after " << limit.count() << " ms" << std::endl;
              std::abort();
          }
      })
{
}

Watchdog::~Watchdog()
{
    {
        std::lock_guard lock(mutex_);
        finished_ = true;
    }
    done_.notify_one();
    thread_.join();
}
