#include "ArgumentList.h"

#include <utility>

#include "Command.h"

ArgumentList::ArgumentList(std::span<const std::string> arguments)
    : words_(arguments.begin(), arguments.end()) {}

std::optional<std::string> ArgumentList::takeOption(const std::string& name) {
    const std::string flag = "--" + name;
    for (auto it = words_.begin(); it != words_.end(); ++it) {
        if (*it == flag) {
            if (it + 1 == words_.end()) throw UsageError(flag + " needs a value");
            std::string value = *(it + 1);
            words_.erase(it, it + 2);
            return value;
        }
        if (it->starts_with(flag + "=")) {
            std::string value = it->substr(flag.size() + 1);
            words_.erase(it);
            return value;
        }
    }
    return std::nullopt;
}

bool ArgumentList::takeFlag(const std::string& name) {
    const std::string flag = "--" + name;
    for (auto it = words_.begin(); it != words_.end(); ++it) {
        if (*it == flag) {
            words_.erase(it);
            return true;
        }
    }
    return false;
}

std::string ArgumentList::takePositional(const std::string& what) {
    for (auto it = words_.begin(); it != words_.end(); ++it) {
        if (it->starts_with("--") && it->size() > 2) continue;
        std::string word = *it;
        words_.erase(it);
        return word;
    }
    throw UsageError("missing " + what);
}

std::vector<std::string> ArgumentList::takeRemaining() { return std::exchange(words_, {}); }

void ArgumentList::expectEnd() const {
    if (words_.empty()) return;
    if (words_.front().starts_with("--")) throw UsageError("unknown option " + words_.front());
    throw UsageError("unexpected argument " + words_.front());
}
