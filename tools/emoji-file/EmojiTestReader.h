#pragma once

#include <istream>
#include <string>
#include <vector>

#include "base/Result.h"

// Reads Unicode's emoji-test.txt ("code points ; status # comment" lines under "# group:"
// headings) into the kit's sections: the fully-qualified emoji of each group in the file's
// order, the "Component" group (skin tones and hair styles on their own) left out, groups
// without a fully-qualified emoji dropped.
class EmojiTestReader {
public:
    struct Group {
        std::string title;
        std::vector<std::string> emojis;
    };

    static base::Result<std::vector<Group>> read(std::istream& input);

private:
    // The UTF-8 text of a line's space-separated hexadecimal code points; empty when any of
    // them is not a Unicode scalar value.
    static std::string utf8(const std::string& codePoints);
    static void appendUtf8(std::string& text, char32_t codePoint);
};
