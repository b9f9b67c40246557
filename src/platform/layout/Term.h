#pragma once

#include "layout/Variable.h"

namespace layout {

// One product `coefficient * variable` of a linear expression.
struct Term {
    Variable variable;
    double coefficient = 1.0;
};

}  // namespace layout
