#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <stdexcept>
#include <thread>
#include <vector>

#include "base/Log.h"
#include "base/Semaphore.h"
#include "base/SerialQueue.h"

namespace {

TEST(SerialQueue, KeepsEachProducersOrderAndRunsOneTaskAtATime) {
    constexpr int kProducers = 4;
    constexpr int kTasksEach = 2000;
    std::vector<std::pair<int, int>> seen;  // touched only on the queue
    std::atomic<int> running{0};
    bool overlapped = false;
    {
        base::SerialQueue queue("test");
        std::vector<std::thread> producers;
        for (int p = 0; p < kProducers; ++p) {
            producers.emplace_back([&, p] {
                for (int i = 0; i < kTasksEach; ++i) {
                    queue.async([&, p, i] {
                        if (running.fetch_add(1) != 0) overlapped = true;
                        seen.emplace_back(p, i);
                        running.fetch_sub(1);
                    });
                }
            });
        }
        for (auto& producer : producers) producer.join();
    }  // the destructor runs what was submitted
    EXPECT_FALSE(overlapped);
    ASSERT_EQ(seen.size(), std::size_t(kProducers * kTasksEach));
    std::map<int, int> next;
    for (auto [producer, index] : seen) {
        EXPECT_EQ(index, next[producer]) << "producer " << producer;
        next[producer] = index + 1;
    }
}

TEST(SerialQueue, SyncWaitsAndMayBeCalledFromTheQueueItself) {
    base::SerialQueue queue;
    int value = 0;
    queue.sync([&] {
        queue.sync([&] { value = 1; });  // nested: runs at once
        value += 1;
    });
    EXPECT_EQ(value, 2);
}

TEST(SerialQueue, ReleasedByItsOwnTaskFinishesWhatWasSubmittedAndExits) {
    auto queue = std::make_shared<base::SerialQueue>("test.self-release");
    base::Semaphore released, laterTaskRan;
    queue->async([&, self = queue]() mutable {
        released.wait();
        self.reset();  // the last reference: the queue is destroyed on its own thread
    });
    queue->async([&] { laterTaskRan.signal(); });
    queue.reset();
    released.signal();
    laterTaskRan.wait();
}

TEST(SerialQueue, AThrowingTaskIsLoggedAndTheQueueGoesOn) {
    std::vector<std::string> lines;  // appended only on the queue's thread
    base::Log::setSink([&](std::string_view line) { lines.emplace_back(line); });
    bool laterTaskRan = false;
    {
        base::SerialQueue queue("test.throwing");
        queue.async([] { throw std::runtime_error("broken task"); });
        queue.async([&] { laterTaskRan = true; });
        EXPECT_THROW(queue.sync([] { throw std::logic_error("passed on"); }), std::logic_error);
    }
    base::Log::resetSink();
    EXPECT_TRUE(laterTaskRan);
    EXPECT_TRUE(lines.size() == 1 && lines[0].find("broken task") != std::string::npos);
}

TEST(Semaphore, WaitForTimesOutWithoutASignalAndSucceedsWithOne) {
    base::Semaphore semaphore;
    EXPECT_FALSE(semaphore.waitFor(std::chrono::milliseconds(5)));
    std::thread signaller([&] { semaphore.signal(); });
    semaphore.wait();
    signaller.join();
    semaphore.signal();
    EXPECT_TRUE(semaphore.waitFor(std::chrono::seconds(5)));
}

}  // namespace
