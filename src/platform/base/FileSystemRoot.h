#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace base {

// Every absolute device path the kit names ("/var/mobile/Library/Preferences/...") is
// resolved under one root directory: "/" unless the host program sets another one
// (`vellium --root DIR`); tests point it at a temporary directory.
class FileSystemRoot {
public:
    static std::filesystem::path root();
    static void set(std::filesystem::path root);

    // The device path `devicePath` (absolute, "/"-separated) as a path on this machine.
    static std::filesystem::path resolve(std::string_view devicePath);
};

}  // namespace base
