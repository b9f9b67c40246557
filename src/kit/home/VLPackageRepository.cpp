#include "home/VLPackageRepository.h"

#include <mutex>

#include "base/Strings.h"
#include "base/URL.h"

namespace {

std::mutex mutex;
std::string configuredBase = VLPackageRepository::kDefaultBaseAddress;

}  // namespace

std::string VLPackageRepository::baseAddress() {
    std::lock_guard lock(mutex);
    return configuredBase;
}

void VLPackageRepository::setBaseAddress(std::string address) {
    std::lock_guard lock(mutex);
    configuredBase = std::move(address);
}

std::optional<std::string> VLPackageRepository::depictionAddress(const std::string& tweakName,
                                                                 const std::string& file) {
    const std::string segment = base::strings::lowercased(tweakName);
    if (segment.empty() || segment == "." || segment == "..") return std::nullopt;
    std::string base = baseAddress();
    while (!base.empty() && base.back() == '/') base.pop_back();
    const auto url = base::URL::parse(base);
    if (!url) return std::nullopt;
    // Each component is encoded as one segment, so a name never reaches another directory.
    return url->appendingPathComponent("depictions")
        .appendingPathComponent(segment)
        .appendingPathComponent(file)
        .absoluteString();
}
