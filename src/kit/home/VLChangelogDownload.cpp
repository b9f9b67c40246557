#include "home/VLChangelogDownload.h"

#include "base/Log.h"
#include "home/VLChangelogReader.h"
#include "home/VLPackageRepository.h"
#include "sys/Http.h"

std::shared_ptr<sys::HttpTask> VLChangelogDownload::start(const std::string& tweakName,
                                                          Completion completion) {
    const auto address = VLPackageRepository::changelogAddress(tweakName);
    if (!address) {
        base::Log::line("VLChangelogDownload: no changelog address for tweak name \"" + tweakName + "\"");
        completion(std::nullopt);
        return nullptr;
    }
    sys::HttpRequest request;
    request.url = *address;
    request.maxBytes = kMaxBytes;
    return sys::Http::get(std::move(request), [completion = std::move(completion)](auto body) {
        if (!body) {
            base::Log::line("VLChangelogDownload: " + body.error().description);
            completion(std::nullopt);
            return;
        }
        auto releases = VLChangelogReader::read(body.value());
        if (!releases) {
            base::Log::line("VLChangelogDownload: " + releases.error().description);
            completion(std::nullopt);
            return;
        }
        completion(std::move(releases).value());
    });
}
