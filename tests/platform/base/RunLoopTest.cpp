#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "base/ManualClock.h"
#include "base/RunLoop.h"

namespace {

using namespace std::chrono_literals;

class RunLoopTest : public ::testing::Test {
protected:
    std::shared_ptr<base::ManualClock> clock = std::make_shared<base::ManualClock>();
    base::RunLoop loop{clock};
    std::vector<std::string> log;

    // Milliseconds of manual time since the test began.
    long elapsedMs() const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(clock->now().time_since_epoch()).count();
    }
    base::RunLoop::Task record(std::string what) {
        return [this, what] { log.push_back(what + "@" + std::to_string(elapsedMs())); };
    }
};

TEST_F(RunLoopTest, RunsTimersInDueOrderAndTiesInPostingOrderAtTheirOwnTimes) {
    loop.postDelayed(30ms, record("c"));
    loop.postDelayed(10ms, record("a1"));
    loop.post(record("now1"));
    loop.postDelayed(10ms, record("a2"));
    loop.postDelayed(20ms, [this] {
        log.push_back("b@" + std::to_string(elapsedMs()));
        loop.post(record("fromB"));          // due now: before c
        loop.postDelayed(5ms, record("d"));  // at 25 ms
    });
    loop.post(record("now2"));

    loop.runUntilIdle();
    EXPECT_EQ(log, (std::vector<std::string>{"now1@0", "now2@0"}));
    EXPECT_EQ(elapsedMs(), 0) << "runUntilIdle lets no time pass";

    loop.runFor(100ms);
    EXPECT_EQ(log, (std::vector<std::string>{"now1@0", "now2@0", "a1@10", "a2@10", "b@20", "fromB@20", "d@25",
                                             "c@30"}));
    EXPECT_EQ(elapsedMs(), 100);
}

TEST_F(RunLoopTest, TimerDueExactlyAtTheEndOfRunForFiresAndLaterOnesWait) {
    loop.postDelayed(50ms, record("at50"));
    loop.postDelayed(51ms, record("at51"));
    loop.runFor(50ms);
    EXPECT_EQ(log, std::vector<std::string>{"at50@50"});
    loop.runFor(1ms);
    EXPECT_EQ(log, (std::vector<std::string>{"at50@50", "at51@51"}));
}

TEST_F(RunLoopTest, RepeatingTimerKeepsItsPhaseAndStopsWhenCancelledFromItsOwnTask) {
    int fired = 0;
    base::RunLoop::Token token = 0;
    token = loop.scheduleRepeating(10ms, [&] {
        log.push_back("tick@" + std::to_string(elapsedMs()));
        if (++fired == 3) loop.cancel(token);
    });
    loop.postDelayed(15ms, record("between"));
    loop.runFor(100ms);
    EXPECT_EQ(log, (std::vector<std::string>{"tick@10", "between@15", "tick@20", "tick@30"}));
}

TEST_F(RunLoopTest, ClockAdvancedPastSeveralIntervalsFiresARepeatingTimerOnceAndKeepsPhase) {
    int fired = 0;
    loop.scheduleRepeating(10ms, [&] { ++fired; });
    clock->advance(35ms);
    loop.runUntilIdle();
    EXPECT_EQ(fired, 1);
    loop.runFor(4ms);  // to 39 ms: nothing
    EXPECT_EQ(fired, 1);
    loop.runFor(1ms);  // 40 ms: the next slot of the original phase
    EXPECT_EQ(fired, 2);
}

TEST_F(RunLoopTest, CancelledTasksAndTimersNeverRunAndUnknownTokensAreIgnored) {
    const auto task = loop.post(record("task"));
    const auto delayed = loop.postDelayed(5ms, record("delayed"));
    const auto repeating = loop.scheduleRepeating(5ms, record("repeating"));
    loop.postDelayed(1ms, [&] { loop.cancel(delayed); });
    loop.cancel(task);
    loop.cancel(repeating);
    loop.cancel(0);
    loop.cancel(123456);
    loop.runFor(20ms);
    EXPECT_TRUE(log.empty());
}

TEST_F(RunLoopTest, StopEndsRunAfterTheCurrentTaskAndARequestBeforeRunIsKept) {
    loop.scheduleRepeating(10ms, [&] {
        log.push_back("tick@" + std::to_string(elapsedMs()));
        if (elapsedMs() == 30) loop.stop();
    });
    loop.run();  // time passes by itself on the manual clock until the timer stops the loop
    EXPECT_EQ(log, (std::vector<std::string>{"tick@10", "tick@20", "tick@30"}));

    loop.stop();
    loop.runFor(1s);
    EXPECT_EQ(elapsedMs(), 30) << "a stop requested before runFor makes it return at once";
}

TEST_F(RunLoopTest, TasksPostedFromOtherThreadsRunOnTheLoopInEachThreadsOrder) {
    constexpr int kThreads = 4;
    constexpr int kTasksEach = 500;
    std::vector<std::vector<int>> seen(kThreads);
    const auto loopThread = std::this_thread::get_id();
    bool allOnLoopThread = true;
    std::vector<std::thread> producers;
    for (int t = 0; t < kThreads; ++t) {
        producers.emplace_back([&, t] {
            for (int i = 0; i < kTasksEach; ++i) {
                loop.post([&, t, i] {
                    allOnLoopThread &= std::this_thread::get_id() == loopThread;
                    seen[t].push_back(i);
                });
            }
        });
    }
    for (auto& producer : producers) producer.join();
    loop.runUntilIdle();
    EXPECT_TRUE(allOnLoopThread);
    for (int t = 0; t < kThreads; ++t) {
        ASSERT_EQ(seen[t].size(), std::size_t(kTasksEach));
        for (int i = 0; i < kTasksEach; ++i) ASSERT_EQ(seen[t][i], i);
    }
}

TEST(RunLoopRealClock, APostFromAnotherThreadWakesASleepingLoop) {
    base::RunLoop loop(base::Clock::system());
    std::thread poster([&] {
        std::this_thread::sleep_for(20ms);  // let the loop fall asleep first
        loop.post([&] { loop.stop(); });
    });
    loop.run();  // returns only if the post woke it
    poster.join();
}

TEST(RunLoopRealClock, RunsAWatchWhenItsDescriptorBecomesReadable) {
    base::RunLoop loop(base::Clock::system());
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    std::string received;
    const auto watch = loop.watchReadable(pipeFds[0], [&] {
        char buffer[16];
        const ssize_t n = read(pipeFds[0], buffer, sizeof buffer);
        if (n > 0) received.append(buffer, std::size_t(n));
        loop.stop();
    });
    std::thread writer([&] { ASSERT_EQ(write(pipeFds[1], "hi", 2), 2); });
    loop.run();
    writer.join();
    EXPECT_EQ(received, "hi");

    loop.cancel(watch);
    ASSERT_EQ(write(pipeFds[1], "x", 1), 1);
    loop.runUntilIdle();
    EXPECT_EQ(received, "hi") << "a cancelled watch is not called";
    close(pipeFds[0]);
    close(pipeFds[1]);
}

TEST(RunLoopClock, FollowsANewlyInstalledCurrentClockKeepingRemainingDelays) {
    auto first = std::make_shared<base::ManualClock>();
    base::Clock::setCurrent(first);
    base::RunLoop loop;
    bool fired = false;
    loop.postDelayed(100ms, [&] { fired = true; });
    first->advance(40ms);

    auto second = std::make_shared<base::ManualClock>();
    second->advance(1h);
    base::Clock::setCurrent(second);
    loop.runFor(59ms);
    EXPECT_FALSE(fired);
    loop.runFor(1ms);
    EXPECT_TRUE(fired);
    EXPECT_EQ(second->now().time_since_epoch(), 1h + 60ms);
    base::Clock::setCurrent(nullptr);
    EXPECT_EQ(base::Clock::current(), base::Clock::system());
}

TEST(ManualClock, MovesTheCurrentDateWithMonotonicTimeAndNeverBackwards) {
    base::ManualClock clock(base::Date(1000));
    clock.advance(1500ms);
    EXPECT_DOUBLE_EQ(clock.currentDate().timeIntervalSinceReferenceDate(), 1001.5);
    clock.advanceTo(base::Clock::TimePoint(1s));  // in the past: ignored
    clock.advance(-5s);
    EXPECT_EQ(clock.now().time_since_epoch(), 1500ms);
    clock.setCurrentDate(base::Date(50));
    EXPECT_EQ(clock.now().time_since_epoch(), 1500ms);
    EXPECT_DOUBLE_EQ(clock.currentDate().timeIntervalSinceReferenceDate(), 50);
}

}  // namespace
