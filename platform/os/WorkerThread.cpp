#include "platform/os/WorkerThread.h"

#include <system_error>
#include <utility>

namespace Platform {

namespace {

std::atomic<bool>& ThreadsRefused()
{
    static std::atomic<bool> refused{false};
    return refused;
}

} // namespace

void SetWorkerThreadsRefused(bool refused)
{
    ThreadsRefused().store(refused);
}

WorkerThread::WorkerThread(std::function<void()> work) : work_(std::move(work))
{
    if (ThreadsRefused().load()) {
        Run();
        return;
    }
    try {
        thread_ = std::thread(&WorkerThread::Run, this);
        ownThread_ = true;
    } catch (const std::system_error&) {
        Run();
    }
}

WorkerThread::~WorkerThread()
{
    if (thread_.joinable())
        thread_.join();
}

void WorkerThread::Finish()
{
    if (thread_.joinable())
        thread_.join();
    if (error_ != nullptr)
        std::rethrow_exception(std::exchange(error_, nullptr));
}

void WorkerThread::Run() noexcept
{
    try {
        work_();
    } catch (...) {
        error_ = std::current_exception();
    }
    done_.store(true, std::memory_order_release);
}

} // namespace Platform
