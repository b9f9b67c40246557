#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace layout {

// A named unknown of a constraint system. A Variable is a cheap value handle: copies refer to
// the same unknown, and the unknown lives as long as any handle (or any solver using it) does.
// `value()` is what the last `Solver::updateVariables()` wrote, or what `setValue` put there.
//
// `==`, `<=` and `>=` between variables and expressions build constraints (see Constraint.h),
// so identity is compared with `sameAs` or through `id()`.
class Variable {
public:
    Variable();
    explicit Variable(std::string name);

    const std::string& name() const { return data_->name; }
    double value() const { return data_->value; }
    void setValue(double value) { data_->value = value; }

    // Unique for the life of the process; usable as a key in the caller's own maps.
    std::uint64_t id() const { return data_->id; }
    bool sameAs(const Variable& other) const { return data_ == other.data_; }

private:
    struct Data {
        std::string name;
        double value = 0.0;
        std::uint64_t id = 0;
    };
    std::shared_ptr<Data> data_;
};

}  // namespace layout
