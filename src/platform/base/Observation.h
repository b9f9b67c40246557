#pragma once

#include <functional>
#include <utility>

namespace base {

// The registration of an observer (of a notification centre, or anything else that calls
// back): the observer stays registered as long as the Observation lives, and is removed
// when it is destroyed, reset or cancelled. Move-only. Cancelling is safe during a
// delivery, from the observer's own callback too, and after the centre itself is gone.
class Observation {
public:
    Observation() = default;
    // `remove` unregisters the observer; it is called at most once.
    explicit Observation(std::function<void()> remove) : remove_(std::move(remove)) {}
    ~Observation() { cancel(); }

    Observation(Observation&& other) noexcept : remove_(std::exchange(other.remove_, nullptr)) {}
    Observation& operator=(Observation&& other) noexcept {
        if (this != &other) {
            cancel();
            remove_ = std::exchange(other.remove_, nullptr);
        }
        return *this;
    }
    Observation(const Observation&) = delete;
    Observation& operator=(const Observation&) = delete;

    void cancel() {
        if (auto remove = std::exchange(remove_, nullptr)) remove();
    }
    bool active() const { return static_cast<bool>(remove_); }

private:
    std::function<void()> remove_;
};

}  // namespace base
