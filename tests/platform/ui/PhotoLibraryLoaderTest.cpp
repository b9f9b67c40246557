#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/RunLoop.h"
#include "support/TemporaryDirectory.h"
#include "ui/PhotoLibraryLoader.h"

namespace {

using ui::PhotoLibrary;
using ui::PhotoLibraryLoader;

struct Batch {
    std::vector<std::string> names;
    bool finished;
};

// A folder of `count` tiny PNGs named p000.png, p001.png, ... and one file that does not decode.
class PhotoLibraryLoaderTest : public ::testing::Test {
protected:
    void fill(int count) {
        gfx::Image image(4, 4, std::vector<std::uint32_t>(16, 0xFF00FF00u));
        auto png = image.encodePng().value();
        std::string bytes(png.begin(), png.end());
        for (int i = 0; i < count; ++i) {
            std::string number = std::to_string(1000 + i).substr(1);
            pictures.write("p" + number + ".png", bytes);
        }
        pictures.write("p050-broken.jpg", "\xFF\xD8 truncated");
    }
    PhotoLibraryLoader::BatchHandler recorder() {
        return [this](std::vector<PhotoLibrary::Photo> photos, bool finished) {
            Batch batch{{}, finished};
            for (const auto& photo : photos) batch.names.push_back(photo.path.filename().string());
            batches.push_back(batch);
        };
    }
    testsupport::TemporaryDirectory pictures;
    std::vector<Batch> batches;
};

TEST_F(PhotoLibraryLoaderTest, DeliversBatchesInNameOrderOnTheMainLoopAndFinishesOnce) {
    fill(70);
    PhotoLibraryLoader loader(pictures.path(), recorder(), 32);
    loader.waitUntilPosted();
    EXPECT_TRUE(batches.empty()) << "batches run on the main loop, not on the worker";
    base::RunLoop::main().runUntilIdle();

    ASSERT_EQ(batches.size(), 3u);
    EXPECT_EQ(batches[0].names.size(), 32u);
    EXPECT_EQ(batches[1].names.size(), 32u);
    EXPECT_EQ(batches[2].names.size(), 6u) << "the undecodable file is left out";
    EXPECT_FALSE(batches[0].finished || batches[1].finished);
    EXPECT_TRUE(batches[2].finished);
    EXPECT_EQ(batches[0].names.front(), "p000.png");
    EXPECT_EQ(batches[1].names.front(), "p032.png");
    EXPECT_EQ(batches[2].names.back(), "p069.png");
}

TEST_F(PhotoLibraryLoaderTest, AnExactMultipleOrAMissingFolderStillEndsWithAFinishedBatch) {
    fill(32);
    {
        PhotoLibraryLoader loader(pictures.path(), recorder(), 32);
        loader.waitUntilPosted();
        base::RunLoop::main().runUntilIdle();
    }
    ASSERT_EQ(batches.size(), 2u);
    EXPECT_TRUE(batches[1].names.empty() && batches[1].finished);

    batches.clear();
    PhotoLibraryLoader missing(pictures.path() / "nowhere", recorder());
    missing.waitUntilPosted();
    base::RunLoop::main().runUntilIdle();
    ASSERT_EQ(batches.size(), 1u);
    EXPECT_TRUE(batches[0].names.empty() && batches[0].finished);
}

TEST_F(PhotoLibraryLoaderTest, NothingArrivesAfterCancelOrDestructionEvenIfAlreadyPosted) {
    fill(40);
    PhotoLibraryLoader cancelled(pictures.path(), recorder(), 8);
    cancelled.waitUntilPosted();
    cancelled.cancel();
    {
        auto destroyed = std::make_unique<PhotoLibraryLoader>(pictures.path(), recorder(), 8);
        destroyed->waitUntilPosted();
    }
    // Destroyed mid-scan: its worker stops and the destructor waits for it.
    auto midScan = std::make_unique<PhotoLibraryLoader>(pictures.path(), recorder(), 1);
    midScan.reset();
    base::RunLoop::main().runUntilIdle();
    EXPECT_TRUE(batches.empty());
}

}  // namespace
