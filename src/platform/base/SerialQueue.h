#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace base {

// A serial queue with a thread of its own: tasks run one at a time in the order they were
// submitted, whichever thread submitted them. Destroying the queue runs the tasks already
// submitted, then joins the thread.
class SerialQueue {
public:
    using Task = std::function<void()>;

    explicit SerialQueue(std::string label = {});
    ~SerialQueue();
    SerialQueue(const SerialQueue&) = delete;
    SerialQueue& operator=(const SerialQueue&) = delete;

    void async(Task task);
    // Runs `task` on the queue and waits for it. Called from the queue's own thread it
    // runs the task at once instead of deadlocking.
    void sync(const Task& task);

    bool isCurrent() const;
    const std::string& label() const { return label_; }

private:
    void drain();

    std::string label_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Task> tasks_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace base
