// A stand-in for a device tool: appends its argument vector (argv[0] included) and the
// number of environment variables it was given to "<its own path>.log", one per line.
#include <unistd.h>

#include <fstream>
#include <string>

extern char** environ;

int main(int argc, char** argv) {
    char self[4096] = {};
    if (::readlink("/proc/self/exe", self, sizeof self - 1) <= 0) return 1;
    std::ofstream log(std::string(self) + ".log", std::ios::app);
    for (int i = 0; i < argc; ++i) log << argv[i] << "\n";
    int variables = 0;
    for (char** variable = environ; variable && *variable; ++variable) ++variables;
    log << "environment " << variables << "\n";
    return 0;
}
