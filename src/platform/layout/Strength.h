#pragma once

namespace layout {

// How hard the solver tries to satisfy a constraint.
//
// Strengths come from the platform's layout priorities: 1000 is required (the constraint must
// hold exactly, or it is refused), 1 to 999 are preferences. A preference is turned into the
// weight of its error in the objective the solver minimises:
//
//     weight(priority) = multiplier * 10^(0.009 * priority)
//
// so every 111 priority points multiply the weight by ten, and the top preference (999) weighs
// just under 1e9. For the platform's named priorities this gives
//
//     priority    1 (fitting size)          weight ~1.02
//     priority  250 (content hugging)       weight ~178
//     priority  500                         weight ~31,600
//     priority  750 (compression resist.)   weight ~5.6 million
//     priority  999                         weight ~9.6e8
//
// A constraint at 750 therefore outweighs about 31,600 equally displaced constraints at 250,
// and one at 250 outweighs about 170 at priority 1. Neighbouring priorities differ by about
// 2 %, so 251 still beats a single opposing 250. The multiplier (default 1, clamped to
// [0.01, 100]) breaks ties inside one priority: of two opposing constraints at the same
// priority, the one with the larger multiplier wins. Weights stay at or below ~1e11: the
// solver treats a reduced cost below 1e-12 of the largest weight it has seen as zero (rounding of
// sums of large weights), so preferences whose weights differ by more than ~1e11 (a
// multiplier of 0.01 at priority 1 against 100 at 999) do not influence each other reliably.
//
// Priorities are clamped into [1, 1000]; anything at or above 1000 is required. A NaN priority
// counts as 1.
class Strength {
public:
    static constexpr double kRequiredPriority = 1000.0;

    // Required (priority 1000), the default for every constraint.
    Strength() = default;
    static Strength required() { return Strength(); }
    static Strength priority(double priority, double multiplier = 1.0);

    bool isRequired() const { return priority_ >= kRequiredPriority; }
    double priorityValue() const { return priority_; }
    double multiplier() const { return multiplier_; }
    // The weight of the constraint's error in the objective (0 for required constraints,
    // which are never traded against anything).
    double weight() const { return weight_; }

    bool operator==(const Strength& other) const = default;

private:
    double priority_ = kRequiredPriority;
    double multiplier_ = 1.0;
    double weight_ = 0.0;
};

}  // namespace layout
