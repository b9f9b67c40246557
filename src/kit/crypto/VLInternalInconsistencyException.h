#pragma once

#include <stdexcept>
#include <string>

// A programming error detected at run time: a violated precondition or a failing system
// service the caller cannot recover from.
class VLInternalInconsistencyException : public std::logic_error {
public:
    using std::logic_error::logic_error;

    // Throws unless `condition` holds; the message names the condition's source text.
    static void require(bool condition, const char* conditionText) {
        if (!condition)
            throw VLInternalInconsistencyException(std::string("Invalid parameter not satisfying: ") +
                                                   conditionText);
    }
};
