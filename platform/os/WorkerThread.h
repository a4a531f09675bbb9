#pragma once

#include <atomic>
#include <exception>
#include <functional>
#include <thread>

namespace Platform {

// One piece of work on a thread of its own, for loads that would otherwise
// stall the window. Whatever the work throws is kept and thrown again by
// Finish on the owner's thread, after the worker has ended, so a failed load
// reaches the owner's handlers instead of ending the program. When no thread
// can be made, the work runs at once on the owner's thread and Finish
// reports its outcome the same way.
//
// The owner polls IsDone from its own loop and then calls Finish. The worker
// is joined on every path: by Finish, or by the destructor, which waits for
// the work to end and drops anything it threw.
class WorkerThread {
public:
    explicit WorkerThread(std::function<void()> work);
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Any thread.
    bool IsDone() const { return done_.load(std::memory_order_acquire); }
    // False when the work ran on the owner's thread.
    bool HasOwnThread() const { return ownThread_; }
    // Waits for the work to end, then throws what it threw; only the first
    // call throws.
    void Finish();

private:
    void Run() noexcept;

    std::function<void()> work_;
    std::exception_ptr error_;
    std::atomic<bool> done_{false};
    bool ownThread_ = false;
    std::thread thread_;
};

// While refused, every new WorkerThread runs its work on the owner's thread,
// as when the system cannot start a thread; tests use it to reach that path.
// Any thread.
void SetWorkerThreadsRefused(bool refused);

} // namespace Platform
