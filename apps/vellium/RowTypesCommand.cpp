// vellium row-types [--markdown]: the document's row types as the list screen knows them, in
// the order a "CellType" is matched. The guide's table is this command's Markdown output.
#include <iostream>

#include "Command.h"
#include "prefslist/VLPrefsRowType.h"

namespace {

std::string_view orNone(std::string_view text) { return text.empty() ? "(none)" : text; }

void printMarkdown() {
    std::cout << "| CellType | reuse identifier | default symbol | height |\n"
              << "|---|---|---|---|\n";
    for (const auto& type : VLPrefsRowType::all()) {
        std::cout << "| `" << type.cellType << "` | `" << type.reuseIdentifier << "` | "
                  << orNone(type.defaultSymbol) << " | " << type.height << " |\n";
    }
    const auto& plain = VLPrefsRowType::plain();
    std::cout << "| anything else | `" << plain.reuseIdentifier << "` | " << orNone(plain.defaultSymbol)
              << " | " << plain.height << " |\n";
}

void printPlain() {
    for (const auto& type : VLPrefsRowType::all()) {
        std::cout << type.cellType << ' ' << type.reuseIdentifier << ' ' << orNone(type.defaultSymbol) << ' '
                  << type.height << '\n';
    }
}

}  // namespace

int runRowTypes(std::span<const std::string> arguments) {
    if (arguments.size() > 1 || (arguments.size() == 1 && arguments[0] != "--markdown"))
        throw UsageError("row-types takes only --markdown");
    if (arguments.empty()) {
        printPlain();
    } else {
        printMarkdown();
    }
    return 0;
}
