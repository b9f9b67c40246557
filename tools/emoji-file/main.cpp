// vk-emoji-file EMOJI-TEST OUTPUT: writes the kit's emoji file (an XML property list: an array
// of {"Title", "Emojis"} sections) from Unicode's emoji-test.txt. Run by the build.
#include <fstream>
#include <iostream>

#include "EmojiTestReader.h"
#include "base/PropertyList.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: vk-emoji-file EMOJI-TEST OUTPUT\n";
        return 2;
    }
    std::ifstream input(argv[1]);
    if (!input) {
        std::cerr << "vk-emoji-file: cannot read " << argv[1] << "\n";
        return 1;
    }
    auto groups = EmojiTestReader::read(input);
    if (!groups) {
        std::cerr << "vk-emoji-file: " << argv[1] << ": " << groups.error().description << "\n";
        return 1;
    }
    base::Value::Array sections;
    for (const auto& group : groups.value()) {
        base::Value::Array emojis(group.emojis.begin(), group.emojis.end());
        sections.emplace_back(base::Value::Dictionary{{"Title", group.title}, {"Emojis", std::move(emojis)}});
    }
    if (sections.empty()) {
        std::cerr << "vk-emoji-file: " << argv[1] << " lists no fully-qualified emoji\n";
        return 1;
    }
    auto written = base::PropertyList::writeFile(base::Value(std::move(sections)), argv[2]);
    if (!written) {
        std::cerr << "vk-emoji-file: cannot write " << argv[2] << ": " << written.error().description << "\n";
        return 1;
    }
    return 0;
}
