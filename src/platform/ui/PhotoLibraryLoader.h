#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "ui/PhotoLibrary.h"

namespace ui {

// Scans a pictures folder (as `PhotoLibrary::scan` does) on a thread of its own, so a large
// folder never stalls the interface, and hands the photos to the main run loop in batches so
// the grid fills as the scan goes.
//
// The worker only decodes files and posts tasks; it never sees the loader's owner. Each posted
// batch checks a cancellation flag it shares with the loader, so batches that arrive after the
// loader was cancelled or destroyed are dropped without running `onBatch`.
class PhotoLibraryLoader {
public:
    static constexpr int kBatchSize = 32;

    // Runs on the main run loop with the photos decoded since the last call, in name order;
    // `finished` is true on the last call only (which may bring no photos).
    using BatchHandler = std::function<void(std::vector<PhotoLibrary::Photo> photos, bool finished)>;

    PhotoLibraryLoader(std::filesystem::path directory, BatchHandler onBatch, int batchSize = kBatchSize,
                       int thumbnailPixels = PhotoLibrary::kThumbnailPixels);
    // Cancels, then waits for the worker, which stops after the file it is decoding.
    ~PhotoLibraryLoader();
    PhotoLibraryLoader(const PhotoLibraryLoader&) = delete;
    PhotoLibraryLoader& operator=(const PhotoLibraryLoader&) = delete;

    // No further batch is delivered, including those already posted.
    void cancel();
    // Blocks until the worker has posted its last batch (for headless rendering and tests;
    // the batches still arrive through the run loop).
    void waitUntilPosted();

private:
    struct Shared;
    static void scan(std::shared_ptr<Shared> shared, std::filesystem::path directory, int batchSize,
                     int thumbnailPixels);

    std::shared_ptr<Shared> shared_;
    std::thread worker_;
};

}  // namespace ui
