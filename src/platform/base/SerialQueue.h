#pragma once

#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace base {

// A serial queue with a thread of its own: tasks run one at a time in the order they were
// submitted, whichever thread submitted them. Destroying the queue runs the tasks already
// submitted, then joins the thread; destroyed by one of its own tasks, it lets the thread
// finish those tasks on its own instead. A task that throws is logged and the queue goes on.
class SerialQueue {
public:
    using Task = std::function<void()>;

    explicit SerialQueue(std::string label = {});
    ~SerialQueue();
    SerialQueue(const SerialQueue&) = delete;
    SerialQueue& operator=(const SerialQueue&) = delete;

    void async(Task task);
    // Runs `task` on the queue and waits for it, passing on what it throws. Called from the
    // queue's own thread it runs the task at once instead of deadlocking.
    void sync(const Task& task);

    bool isCurrent() const;
    const std::string& label() const { return label_; }

private:
    struct Pending;  // what the thread shares with the queue, and outlives it if detached
    static void drain(const std::string& label, const std::shared_ptr<Pending>& pending);

    std::string label_;
    std::shared_ptr<Pending> pending_;
    std::thread thread_;
};

}  // namespace base
