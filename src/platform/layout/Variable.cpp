#include "layout/Variable.h"

#include <atomic>

namespace layout {

namespace {
std::uint64_t nextVariableId() {
    static std::atomic<std::uint64_t> counter{0};
    return ++counter;
}
}  // namespace

Variable::Variable() : Variable(std::string()) {}

Variable::Variable(std::string name) : data_(std::make_shared<Data>()) {
    data_->name = std::move(name);
    data_->id = nextVariableId();
}

}  // namespace layout
