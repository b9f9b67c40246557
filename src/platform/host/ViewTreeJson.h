#pragma once

#include <string>

namespace ui {
class View;
}

namespace host {

// Writes the JSON description of a view tree that HeadlessHost::dumpJson documents.
class ViewTreeJson {
public:
    static std::string describe(const ui::View& view);

    // A JSON string literal, escaping quotes, backslashes and control characters.
    static std::string quoted(const std::string& text);
    // A number with at most three decimals and no trailing zeros ("12", "0.5", "-3.125").
    static std::string number(double value);

private:
    static void append(std::string& out, const ui::View& view, int depth);
};

}  // namespace host
