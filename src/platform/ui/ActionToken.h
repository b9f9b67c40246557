#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace ui {

// Names one handler added to a control or a gesture recogniser (`addAction`), so that it can
// be taken off again. A token may outlive its sender: removing then does nothing. Dropping a
// token does not remove its handler.
class ActionToken {
public:
    ActionToken() = default;
    // Takes the handler off its sender; later calls do nothing.
    void remove();
    // Whether the handler is still on a sender that still exists.
    bool isActive() const;

private:
    friend class TargetActionTable;
    struct Registrations;
    ActionToken(std::weak_ptr<Registrations> handlers, std::uint64_t id)
        : handlers_(std::move(handlers)), id_(id) {}

    std::weak_ptr<Registrations> handlers_;
    std::uint64_t id_ = 0;
};

}  // namespace ui
