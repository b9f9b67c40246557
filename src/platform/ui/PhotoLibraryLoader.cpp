#include "ui/PhotoLibraryLoader.h"

#include <algorithm>
#include <atomic>

#include "base/RunLoop.h"

namespace ui {

// What the worker and the posted batches share with the loader. The handler is only called
// (and only destroyed) on the main thread: the worker ends before the loader lets go of it.
struct PhotoLibraryLoader::Shared {
    std::atomic<bool> cancelled{false};
    BatchHandler onBatch;
};

PhotoLibraryLoader::PhotoLibraryLoader(std::filesystem::path directory, BatchHandler onBatch, int batchSize,
                                       int thumbnailPixels)
    : shared_(std::make_shared<Shared>()) {
    shared_->onBatch = std::move(onBatch);
    worker_ = std::thread(scan, shared_, std::move(directory), std::max(1, batchSize), thumbnailPixels);
}

PhotoLibraryLoader::~PhotoLibraryLoader() {
    cancel();
    waitUntilPosted();
}

void PhotoLibraryLoader::cancel() { shared_->cancelled = true; }

void PhotoLibraryLoader::waitUntilPosted() {
    if (worker_.joinable()) worker_.join();
}

void PhotoLibraryLoader::scan(std::shared_ptr<Shared> shared, std::filesystem::path directory, int batchSize,
                              int thumbnailPixels) {
    auto post = [&shared](std::vector<PhotoLibrary::Photo> photos, bool finished) {
        base::RunLoop::main().post([shared, photos = std::move(photos), finished]() mutable {
            if (!shared->cancelled && shared->onBatch) shared->onBatch(std::move(photos), finished);
        });
    };
    std::vector<PhotoLibrary::Photo> batch;
    for (const auto& file : PhotoLibrary::pictureFiles(directory)) {
        if (shared->cancelled) return;
        auto photo = PhotoLibrary::load(file, thumbnailPixels);
        if (!photo) continue;
        batch.push_back(std::move(*photo));
        if (static_cast<int>(batch.size()) == batchSize) post(std::exchange(batch, {}), false);
    }
    if (!shared->cancelled) post(std::move(batch), true);
}

}  // namespace ui
