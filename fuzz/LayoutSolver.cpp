// Drives the layout solver with arbitrary sequences of additions, removals, constant changes
// and edit suggestions. Whatever the input, the solver must never crash, must report conflicts
// only through its named errors, and every accepted required constraint must hold afterwards.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "layout/Solver.h"

namespace {

class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return offset_ >= size_; }
    std::uint8_t next() { return offset_ < size_ ? data_[offset_++] : 0; }
    // Small whole numbers and halves keep the systems within the solver's tolerances.
    double number() { return (static_cast<int>(next()) - 128) * 4.0 + (next() % 2) * 0.5; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t offset_ = 0;
};

layout::Relation relationFrom(std::uint8_t byte) {
    switch (byte % 3) {
        case 0:
            return layout::Relation::Equal;
        case 1:
            return layout::Relation::LessOrEqual;
        default:
            return layout::Relation::GreaterOrEqual;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ByteReader input(data, size);
    std::vector<layout::Variable> variables(8);
    std::vector<layout::Constraint> added;
    layout::Solver solver;
    auto variable = [&] { return variables[input.next() % variables.size()]; };

    for (int step = 0; step < 64 && !input.empty(); ++step) {
        try {
            switch (input.next() % 5) {
                case 0:
                case 1: {
                    layout::Expression expression = variable() * ((input.next() % 5) - 2.0) + variable();
                    expression += input.number();
                    const std::uint8_t strength = input.next();
                    const layout::Constraint constraint(expression, relationFrom(strength),
                                                        strength < 128
                                                            ? layout::Strength::required()
                                                            : layout::Strength::priority(strength * 4.0));
                    solver.addConstraint(constraint);
                    added.push_back(constraint);
                    break;
                }
                case 2:
                    if (!added.empty()) {
                        const std::size_t index = input.next() % added.size();
                        solver.removeConstraint(added[index]);
                        added.erase(added.begin() + static_cast<std::ptrdiff_t>(index));
                    }
                    break;
                case 3:
                    if (!added.empty())
                        solver.setConstant(added[input.next() % added.size()], input.number());
                    break;
                default: {
                    const layout::Variable edited = variable();
                    if (!solver.hasEditVariable(edited))
                        solver.addEditVariable(edited, layout::Strength::priority(999));
                    solver.suggestValue(edited, input.number());
                    break;
                }
            }
        } catch (const layout::UnsatisfiableConstraint&) {
            // Expected for contradictory input; the solver must be unchanged.
        }
        if (!solver.checkInvariants().empty()) std::abort();
        solver.updateVariables();
        for (const layout::Constraint& constraint : added) {
            if (constraint.isRequired() && !constraint.isSatisfied(1e-5)) std::abort();
        }
    }
    return 0;
}
