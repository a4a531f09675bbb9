#include "tests/support/Watchdog.h"

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace Testing {

namespace {

// Watches from construction to destruction, however the work leaves.
class Watchdog {
public:
    Watchdog(std::chrono::milliseconds limit, const std::string& what)
        : thread_([this, limit, what] { Watch(limit, what); })
    {
    }
    ~Watchdog()
    {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            done_ = true;
        }
        woken_.notify_one();
        thread_.join();
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    void Watch(std::chrono::milliseconds limit, const std::string& what)
    {
        std::unique_lock<std::mutex> lock(mutex_);
        if (woken_.wait_for(lock, limit, [this] { return done_; }))
            return;
        std::fprintf(stderr, "\n[  FAILED  ] %s did not end within %lld ms: the test program stops here\n",
                     what.c_str(), static_cast<long long>(limit.count()));
        std::fflush(stderr);
        std::fflush(stdout);
        std::_Exit(EXIT_FAILURE);
    }

    std::mutex mutex_;
    std::condition_variable woken_;
    bool done_ = false;
    std::thread thread_;
};

} // namespace

void RunWithin(std::chrono::milliseconds limit, const std::string& what, const std::function<void()>& work)
{
    const Watchdog watchdog(limit, what);
    work();
}

} // namespace Testing
