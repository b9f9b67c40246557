#include "layout/Solver.h"

#include "layout/SolverImpl.h"

namespace layout {

Solver::Solver() : impl_(std::make_unique<SolverImpl>()) {}
Solver::~Solver() = default;
Solver::Solver(Solver&&) noexcept = default;
Solver& Solver::operator=(Solver&&) noexcept = default;

void Solver::addConstraint(const Constraint& constraint) { impl_->addConstraint(constraint); }
void Solver::removeConstraint(const Constraint& constraint) { impl_->removeConstraint(constraint); }
bool Solver::hasConstraint(const Constraint& constraint) const { return impl_->hasConstraint(constraint); }
std::size_t Solver::constraintCount() const { return impl_->constraintCount(); }
void Solver::setConstant(const Constraint& constraint, double constant) {
    impl_->setConstant(constraint, constant);
}

void Solver::addEditVariable(const Variable& variable, Strength strength) {
    impl_->addEditVariable(variable, strength);
}
void Solver::removeEditVariable(const Variable& variable) { impl_->removeEditVariable(variable); }
bool Solver::hasEditVariable(const Variable& variable) const { return impl_->hasEditVariable(variable); }
void Solver::suggestValue(const Variable& variable, double value) { impl_->suggestValue(variable, value); }

void Solver::updateVariables() { impl_->updateVariables(); }
std::string Solver::checkInvariants() const { return impl_->checkInvariants(); }
void Solver::reset() { impl_ = std::make_unique<SolverImpl>(); }

}  // namespace layout
