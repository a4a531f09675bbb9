#include "platform/os/WorkerThread.h"
#include "tests/support/ScopedThreadsRefused.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <stdexcept>
#include <string>
#include <thread>

using Platform::WorkerThread;

namespace {

// Stands for the engine's error classes: a type derived from a standard one,
// so the tests see that the exact type comes back, not a copy of its base.
class LoadFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

void WaitUntilDone(const WorkerThread& worker)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!worker.IsDone() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

} // namespace

TEST(WorkerThreadTest, TheWorkRunsOffTheOwnersThreadAndIsDoneOnlyWhenItEnds)
{
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::thread::id workerId;
    WorkerThread worker([&] {
        workerId = std::this_thread::get_id();
        released.wait();
    });

    EXPECT_TRUE(worker.HasOwnThread());
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(worker.IsDone());
    release.set_value();
    WaitUntilDone(worker);
    EXPECT_TRUE(worker.IsDone());
    worker.Finish();
    EXPECT_NE(workerId, std::this_thread::get_id());
}

TEST(WorkerThreadTest, AnErrorThrownByTheWorkIsThrownAgainByFinishWithItsTypeAndText)
{
    WorkerThread worker([] { throw LoadFailure("Can't open \"data\\ui\\missing.xml\" file"); });
    WaitUntilDone(worker);
    EXPECT_TRUE(worker.IsDone());
    try {
        worker.Finish();
        FAIL() << "Finish did not throw";
    } catch (const LoadFailure& error) {
        EXPECT_EQ(std::string(error.what()), "Can't open \"data\\ui\\missing.xml\" file");
    }
    // The error is handed over once; a second Finish is quiet.
    EXPECT_NO_THROW(worker.Finish());
}

TEST(WorkerThreadTest, FinishWaitsForTheWorkAndExceptionsOfAnyTypeComeBack)
{
    bool finished = false;
    WorkerThread slow([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        finished = true;
    });
    slow.Finish();
    EXPECT_TRUE(finished);
    EXPECT_TRUE(slow.IsDone());

    WorkerThread odd([] { throw 42; });
    EXPECT_THROW(odd.Finish(), int);
}

TEST(WorkerThreadTest, TheDestructorJoinsTheWorkerAndDropsItsError)
{
    std::atomic<bool> finished{false};
    EXPECT_NO_THROW({
        WorkerThread worker([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
            finished = true;
            throw LoadFailure("late");
        });
    });
    EXPECT_TRUE(finished);
}

TEST(WorkerThreadTest, WithThreadsRefusedTheWorkRunsAtOnceOnTheOwnersThreadAndStillReportsItsError)
{
    Testing::ScopedThreadsRefused refused;
    std::thread::id ranOn;
    WorkerThread worker([&] { ranOn = std::this_thread::get_id(); });
    EXPECT_FALSE(worker.HasOwnThread());
    EXPECT_TRUE(worker.IsDone());
    EXPECT_EQ(ranOn, std::this_thread::get_id());

    WorkerThread failing([] { throw LoadFailure("refused"); });
    EXPECT_THROW(failing.Finish(), LoadFailure);
}

TEST(WorkerThreadTest, ThreadsStartAgainOnceTheRefusalEnds)
{
    { Testing::ScopedThreadsRefused refused; }
    WorkerThread worker([] {});
    EXPECT_TRUE(worker.HasOwnThread());
    worker.Finish();
}
