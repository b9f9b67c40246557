#include "base/SerialQueue.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <latch>
#include <mutex>

#include "base/Log.h"

namespace base {

struct SerialQueue::Pending {
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<Task> tasks;
    bool stopping = false;
    // Whether the thread waits on `wake`: a submitter notifies only then, so a busy thread
    // costs its submitters no futex call.
    bool sleeping = false;
};

namespace {

void runLogged(const std::string& label, const SerialQueue::Task& task) {
    try {
        task();
    } catch (const std::exception& error) {
        Log::line("SerialQueue " + label + ": a task threw: " + error.what());
    } catch (...) {
        Log::line("SerialQueue " + label + ": a task threw a non-standard exception");
    }
}

}  // namespace

// The thread's loop holds only what it shares with the queue, never the queue itself, so it
// may go on after the queue was destroyed by one of its tasks.
void SerialQueue::drain(const std::string& label, const std::shared_ptr<Pending>& pending) {
    for (;;) {
        Task task;
        {
            std::unique_lock lock(pending->mutex);
            while (!pending->stopping && pending->tasks.empty()) {
                pending->sleeping = true;
                pending->wake.wait(lock);
                pending->sleeping = false;
            }
            if (pending->tasks.empty()) return;  // stopping, and nothing left to run
            task = std::move(pending->tasks.front());
            pending->tasks.pop_front();
        }
        runLogged(label, task);
    }
}

SerialQueue::SerialQueue(std::string label)
    : label_(std::move(label)), pending_(std::make_shared<Pending>()), thread_(drain, label_, pending_) {}

SerialQueue::~SerialQueue() {
    {
        std::lock_guard lock(pending_->mutex);
        pending_->stopping = true;
    }
    pending_->wake.notify_one();
    if (isCurrent()) {
        thread_.detach();  // a thread cannot join itself; it returns after the last task
    } else {
        thread_.join();
    }
}

void SerialQueue::async(Task task) {
    bool sleeping = false;
    {
        std::lock_guard lock(pending_->mutex);
        pending_->tasks.push_back(std::move(task));
        sleeping = pending_->sleeping;
    }
    if (sleeping) pending_->wake.notify_one();
}

void SerialQueue::sync(const Task& task) {
    if (isCurrent()) {
        task();
        return;
    }
    // The waiter owns everything the task touches, so a latch on its stack suffices: no shared
    // state to allocate, and the task captures one reference, which std::function keeps
    // without allocating.
    struct Call {
        explicit Call(const Task& work) : task(work) {}
        const Task& task;
        std::latch done{1};
        std::exception_ptr failure;
    } call(task);
    async([&call] {
        try {
            call.task();
        } catch (...) {
            call.failure = std::current_exception();
        }
        call.done.count_down();
    });
    call.done.wait();
    if (call.failure) std::rethrow_exception(call.failure);
}

bool SerialQueue::isCurrent() const { return std::this_thread::get_id() == thread_.get_id(); }

}  // namespace base
