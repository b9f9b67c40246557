#pragma once

#include <optional>
#include <string>

// The package repository's web server, where each tweak publishes its depictions
// ("BASE/depictions/NAME/changelog.plist", "…/tutorial.mp4", NAME the tweak name in lower
// case). The base address is a setting of the kit with a default of ours; a host program may
// point it elsewhere (`--repository URL`). The kit reads no environment for it.
class VLPackageRepository {
public:
    static constexpr const char* kDefaultBaseAddress = "https://repo.vellium.app";

    static std::string baseAddress();
    // An address that is not https is kept, and every download from it fails as such.
    static void setBaseAddress(std::string address);

    // The depiction file `file` of the tweak; absent when the base address is no URL or the
    // tweak name is empty, "." or "..".
    static std::optional<std::string> depictionAddress(const std::string& tweakName, const std::string& file);
    static std::optional<std::string> changelogAddress(const std::string& tweakName) {
        return depictionAddress(tweakName, "changelog.plist");
    }
};
