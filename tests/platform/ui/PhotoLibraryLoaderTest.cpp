#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/RunLoop.h"
#include "support/TemporaryDirectory.h"
#include "ui/PhotoLibraryLoader.h"

namespace {

using ui::PhotoLibrary;
using ui::PhotoLibraryLoader;

// A folder of tiny PNGs p000.png, p001.png, ... and one file that does not decode; each batch
// delivered is recorded as its file names, with "<end>" after the finishing one.
class PhotoLibraryLoaderTest : public ::testing::Test {
protected:
    void fill(int count) {
        auto png = gfx::Image(4, 4, std::vector<std::uint32_t>(16, 0xFF00FF00u)).encodePng().value();
        for (int i = 0; i < count; ++i)
            pictures.write("p" + std::to_string(1000 + i).substr(1) + ".png",
                           std::string(png.begin(), png.end()));
        pictures.write("p050-broken.jpg", "\xFF\xD8 truncated");
    }
    PhotoLibraryLoader::BatchHandler recorder() {
        return [this](std::vector<PhotoLibrary::Photo> photos, bool finished) {
            batches.emplace_back();
            for (const auto& photo : photos) batches.back().push_back(photo.path.filename().string());
            if (finished) batches.back().push_back("<end>");
        };
    }
    testsupport::TemporaryDirectory pictures;
    std::vector<std::vector<std::string>> batches;
};

TEST_F(PhotoLibraryLoaderTest, DeliversBatchesInNameOrderOnTheMainLoopAndFinishesOnce) {
    fill(70);
    PhotoLibraryLoader loader(pictures.path(), recorder(), 32);
    loader.waitUntilPosted();
    EXPECT_TRUE(batches.empty()) << "batches run on the main loop, not on the worker";
    base::RunLoop::main().runUntilIdle();
    ASSERT_EQ(batches.size(), 3u);
    EXPECT_EQ(batches[0].size(), 32u);
    EXPECT_EQ(batches[1].front(), "p032.png");
    EXPECT_EQ(batches[2].size(), 7u) << "the undecodable file is left out";
    EXPECT_EQ(batches[2].end()[-2], "p069.png");
    EXPECT_EQ(batches[2].back(), "<end>");

    batches.clear();
    PhotoLibraryLoader missing(pictures.path() / "nowhere", recorder());
    missing.waitUntilPosted();
    base::RunLoop::main().runUntilIdle();
    EXPECT_EQ(batches, (std::vector<std::vector<std::string>>{{"<end>"}}));
}

TEST_F(PhotoLibraryLoaderTest, NothingArrivesAfterCancelOrDestructionEvenIfAlreadyPosted) {
    fill(40);
    PhotoLibraryLoader cancelled(pictures.path(), recorder(), 8);
    cancelled.waitUntilPosted();
    cancelled.cancel();
    auto destroyed = std::make_unique<PhotoLibraryLoader>(pictures.path(), recorder(), 8);
    destroyed->waitUntilPosted();
    destroyed.reset();
    auto midScan = std::make_unique<PhotoLibraryLoader>(pictures.path(), recorder(), 1);
    midScan.reset();  // the worker stops and the destructor waits for it
    base::RunLoop::main().runUntilIdle();
    EXPECT_TRUE(batches.empty());
}

}  // namespace
