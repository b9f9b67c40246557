#pragma once

#include <filesystem>
#include <optional>
#include <string>

// What a host program installs before it shows any screen: the desktop's URL opener and
// application launcher (sys::Launcher) behind ui::Application's hyperlinks and app links.
class HostServices {
public:
    static void install();
    // Where depictions (the changelog) come from: the package repository's base address
    // (`--repository URL`) and the one CA file that verifies it (`--ca-file FILE`); either
    // absent keeps the kit's default (our repository, the system's CA store).
    static void setDownloadSource(const std::optional<std::string>& repository,
                                  const std::optional<std::filesystem::path>& caFile);
};
