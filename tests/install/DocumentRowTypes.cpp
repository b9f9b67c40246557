// Built by scripts/check-install against an installed kit with nothing but
// `pkg-config --cflags --libs velliumkit`: prints the row type the list screen gives each
// "CellType" named on the command line.
#include <iostream>

#include "prefslist/VLPrefsRowType.h"

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const auto& type = VLPrefsRowType::forCellType(argv[i]);
        std::cout << argv[i] << ' ' << type.reuseIdentifier << ' ' << type.height << '\n';
    }
    return 0;
}
