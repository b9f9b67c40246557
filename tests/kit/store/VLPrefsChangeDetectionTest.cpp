// The read cache must never serve a file that changed: rewrites by other processes, in
// place or by rename, through links, or by replacing the whole directory.
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <fstream>

#include "PrefsTestRoot.h"
#include "store/VLPrefsManager.h"

namespace {

constexpr const char* kID = "com.example.watched";
constexpr int kRewrites = 1000;

class VLPrefsChangeDetectionTest : public PrefsTestRoot {
protected:
    void SetUp() override {
        PrefsTestRoot::SetUp();
        void* shared = ::mmap(nullptr, sizeof(std::atomic<int>), PROT_READ | PROT_WRITE,
                              MAP_SHARED | MAP_ANONYMOUS, -1, 0);
        ASSERT_NE(shared, MAP_FAILED);
        completed_ = new (shared) std::atomic<int>(0);
    }
    void TearDown() override {
        ::munmap(completed_, sizeof(std::atomic<int>));
        PrefsTestRoot::TearDown();
    }

    static void writeInPlace(const std::filesystem::path& path, const base::Value& content) {
        auto bytes = base::PropertyList::serialize(content, base::PropertyList::Format::Xml);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.value().data()), std::streamsize(bytes.value().size()));
    }

    // A child that rewrites the file kRewrites times without the store, publishing the
    // number of each rewrite once it is complete.
    pid_t spawnRewriter(bool inPlace) {
        return testsupport::forkChild([this, inPlace] {
            for (int n = 1; n <= kRewrites; ++n) {
                base::Value content =
                    base::Value::Dictionary{{"n", n}, {"padding", std::string(n % 7 * 100, 'p')}};
                if (inPlace) {
                    writeInPlace(preferenceFile(kID), content);
                } else {
                    // Replace by rename, as atomic writers do, without waiting for the disk.
                    std::filesystem::path temporary = preferenceFile(kID).string() + ".new";
                    writeInPlace(temporary, content);
                    if (::rename(temporary.c_str(), preferenceFile(kID).c_str()) != 0) return 1;
                }
                completed_->store(n, std::memory_order_release);
            }
            return 0;
        });
    }

    // Reads while the child rewrites: a read never returns a rewrite older than the last
    // one completed before it began (a torn in-place file reads as empty, 0).
    void readAlong(pid_t child, bool allowTornReads) {
        int stale = 0;
        for (;;) {
            int done = completed_->load(std::memory_order_acquire);
            std::int64_t seen = prefs_.integerForKey("n", kID);
            if (seen < done && !(allowTornReads && seen == 0)) ++stale;
            if (done == kRewrites) break;
        }
        ASSERT_EQ(testsupport::waitForExit(child), 0);
        EXPECT_EQ(stale, 0);
        EXPECT_EQ(prefs_.integerForKey("n", kID), kRewrites);
    }

    VLPrefsManager prefs_;
    std::atomic<int>* completed_ = nullptr;
};

TEST_F(VLPrefsChangeDetectionTest, AtomicAndInPlaceRewritesByAnotherProcessAreNeverMissed) {
    for (bool inPlace : {false, true}) {
        SCOPED_TRACE(inPlace ? "in place" : "by rename");
        writeFile(kID, base::Value::Dictionary{{"n", 0}});
        completed_->store(0);
        EXPECT_EQ(prefs_.integerForKey("n", kID), 0);
        readAlong(spawnRewriter(inPlace), inPlace);
    }
}

TEST_F(VLPrefsChangeDetectionTest, CreationDeletionAndReplacementOfTheDirectoryAreSeen) {
    EXPECT_EQ(prefs_.intForKey("n", kID), 0);
    writeFile(kID, base::Value::Dictionary{{"n", 1}});
    EXPECT_EQ(prefs_.intForKey("n", kID), 1);
    std::filesystem::remove(preferenceFile(kID));
    EXPECT_EQ(prefs_.intForKey("n", kID), 0);
    writeFile(kID, base::Value::Dictionary{{"n", 2}});
    EXPECT_EQ(prefs_.intForKey("n", kID), 2);

    // A new directory put in place of the old one, and the whole tree above it moved.
    std::filesystem::path directory = preferenceDirectory();
    std::filesystem::rename(directory, root_ / "old-preferences");
    std::filesystem::create_directories(directory);
    writeFile(kID, base::Value::Dictionary{{"n", 3}});
    EXPECT_EQ(prefs_.intForKey("n", kID), 3);
    std::filesystem::rename(root_ / "var", root_ / "old-var");
    std::filesystem::create_directories(directory);
    writeFile(kID, base::Value::Dictionary{{"n", 4}});
    EXPECT_EQ(prefs_.intForKey("n", kID), 4);
}

TEST_F(VLPrefsChangeDetectionTest, ADirectoryReachedThroughALinkIsStillFollowed) {
    // A symbolic link in the root: the tree behind it is replaced without a word to the link.
    std::filesystem::create_directory_symlink(root_, root_.string() + "-link");
    base::FileSystemRoot::set(root_.string() + "-link");
    writeFile(kID, base::Value::Dictionary{{"n", 1}});
    EXPECT_EQ(prefs_.intForKey("n", kID), 1);
    std::filesystem::rename(root_ / "var", root_ / "old-var");
    std::filesystem::create_directories(preferenceDirectory());
    writeFile(kID, base::Value::Dictionary{{"n", 2}});
    EXPECT_EQ(prefs_.intForKey("n", kID), 2);
    std::filesystem::remove(root_.string() + "-link");
}

TEST_F(VLPrefsChangeDetectionTest, FilesReachedThroughLinksAreReadAfresh) {
    // A symbolic link to a file outside the directory, rewritten in place there.
    std::filesystem::path target = root_ / "elsewhere.plist";
    writeInPlace(target, base::Value::Dictionary{{"n", 1}});
    std::filesystem::create_symlink(target, preferenceFile("sym"));
    EXPECT_EQ(prefs_.intForKey("n", "sym"), 1);
    writeInPlace(target, base::Value::Dictionary{{"n", 2}});
    EXPECT_EQ(prefs_.intForKey("n", "sym"), 2);

    // A second hard link outside the directory, written through in place.
    writeFile("hard", base::Value::Dictionary{{"n", 1}});
    std::filesystem::create_hard_link(preferenceFile("hard"), root_ / "hardlink.plist");
    EXPECT_EQ(prefs_.intForKey("n", "hard"), 1);
    writeInPlace(root_ / "hardlink.plist", base::Value::Dictionary{{"n", 2}});
    EXPECT_EQ(prefs_.intForKey("n", "hard"), 2);
}

TEST_F(VLPrefsChangeDetectionTest, AForkedChildDoesNotTakeTheParentsChangeEvents) {
    writeFile(kID, base::Value::Dictionary{{"n", 1}});
    EXPECT_EQ(prefs_.intForKey("n", kID), 1);
    EXPECT_EQ(testsupport::runInChild([this] {
                  writeInPlace(preferenceFile(kID), base::Value::Dictionary{{"n", 2}});
                  return prefs_.intForKey("n", kID) == 2 ? 0 : 1;  // reads through the inherited manager
              }),
              0);
    EXPECT_EQ(prefs_.intForKey("n", kID), 2);
}

}  // namespace
