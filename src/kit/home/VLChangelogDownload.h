#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "home/VLChangelogRelease.h"
#include "sys/HttpTask.h"

// Fetches a tweak's changelog document from the package repository, off the main thread, and
// hands the releases to the main run loop: absent on any failure (no address, a network or
// server failure, a document that is not a non-empty array), with one log line saying why.
// Bounded like every download: 1 MiB at most, the platform's time-outs.
class VLChangelogDownload {
public:
    static constexpr std::size_t kMaxBytes = 1024 * 1024;
    using Completion = std::function<void(std::optional<std::vector<VLChangelogRelease>>)>;

    // Null when there is nothing to fetch (the completion has then run already, with nothing).
    static std::shared_ptr<sys::HttpTask> start(const std::string& tweakName, Completion completion);
};
