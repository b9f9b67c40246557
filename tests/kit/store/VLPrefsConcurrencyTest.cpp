// Several writers using the store at once, and writers killed halfway.
#include <gmock/gmock.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/wait.h>

#include <fstream>
#include <random>
#include <thread>

#include "PrefsTestRoot.h"
#include "base/AtomicFile.h"
#include "base/FileDescriptor.h"
#include "store/VLPrefsDirectoryLock.h"
#include "store/VLPrefsManager.h"

namespace {

constexpr const char* kID = "com.example.shared";

class VLPrefsConcurrencyTest : public PrefsTestRoot {};

pid_t spawnWriter(const std::string& prefix, int count) {
    return testsupport::forkChild([&prefix, count] {
        VLPrefsManager writer;
        for (int i = 0; i < count; ++i) writer.setInteger(i + 1, prefix + std::to_string(i), kID);
        return 0;
    });
}

TEST_F(VLPrefsConcurrencyTest, TwoProcessesWritingDistinctKeysLoseNothing) {
    constexpr int kEach = 500;
    pid_t first = spawnWriter("a", kEach);
    pid_t second = spawnWriter("b", kEach);
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    EXPECT_EQ(testsupport::waitForExit(first), 0);
    EXPECT_EQ(testsupport::waitForExit(second), 0);

    base::Value file = fileContent(kID);
    EXPECT_EQ(file.count(), std::size_t(2 * kEach));
    for (int i = 0; i < kEach; ++i) {
        EXPECT_EQ(file["a" + std::to_string(i)].longLongValue(), i + 1);
        EXPECT_EQ(file["b" + std::to_string(i)].longLongValue(), i + 1);
    }
    EXPECT_EQ(directoryEntries(), std::vector<std::string>{std::string(kID) + ".plist"})
        << "neither the lock nor the writes leave files behind";
}

TEST_F(VLPrefsConcurrencyTest, TwoThreadsOfOneProcessLoseNothing) {
    constexpr int kEach = 50;
    VLPrefsManager& prefs = VLPrefsManager::sharedInstance();
    auto writeKeys = [&prefs](char prefix) {
        for (int i = 0; i < kEach; ++i) prefs.setBool(true, prefix + std::to_string(i), kID);
    };
    std::thread first(writeKeys, 'x');
    std::thread second(writeKeys, 'y');
    first.join();
    second.join();
    EXPECT_EQ(fileContent(kID).count(), std::size_t(2 * kEach));
    EXPECT_EQ(prefs.objectForKey("y49", kID), base::Value(true));
}

// Blocks until the watched directory gains an atomic writer's temporary file.
void awaitTemporaryFile(int inotifyFd) {
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t count = ::read(inotifyFd, buffer, sizeof buffer);
        for (char* next = buffer; count > 0 && next < buffer + count;) {
            const auto* event = reinterpret_cast<const inotify_event*>(next);
            next += sizeof(inotify_event) + event->len;
            if (event->len && base::AtomicFile::temporaryFileWriter(event->name)) return;
        }
    }
}

// A child rewriting "Large" until it is killed or stopped.
pid_t spawnEndlessWriter() {
    return testsupport::forkChild([] {
        VLPrefsManager writer;
        const std::string large(256 * 1024, 'v');  // long writes widen the window for a signal
        for (int i = 0;; ++i) writer.setObject(large + std::to_string(i), "Large", kID);
        return 0;
    });
}

TEST_F(VLPrefsConcurrencyTest, WritersKilledAtRandomMomentsLeaveNothingAfterOneCleanWrite) {
    VLPrefsManager prefs;
    prefs.setObject("kept", "Foreign", kID);
    std::minstd_rand random(std::random_device{}());
    for (int round = 0; round < 40; ++round) {
        base::FileDescriptor watch(::inotify_init1(IN_CLOEXEC));
        ::inotify_add_watch(watch.get(), preferenceDirectory().c_str(), IN_CREATE);
        pid_t child = spawnEndlessWriter();
        ASSERT_GT(child, 0);
        for (unsigned writes = random() % 3; writes-- > 0;) awaitTemporaryFile(watch.get());
        ::usleep(random() % 2000);
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        ASSERT_TRUE(fileContent(kID).asDictionary()) << "round " << round;
    }
    // Whether a kill caught a write between create and rename is up to timing; one left-over of
    // a writer that is surely gone makes the sweep below always have something to remove.
    pid_t gone = ::fork();
    if (gone == 0) ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    std::ofstream(preferenceDirectory() /
                  ("." + std::string(kID) + ".plist." + std::to_string(gone) + ".7.12345.tmp"))
        << "left over";

    prefs.setBool(true, "after", kID);  // the lock died with the writers: the store still writes
    base::Value file = fileContent(kID);
    EXPECT_EQ(file["Foreign"], base::Value("kept"));
    EXPECT_TRUE(file["Large"].asString());
    EXPECT_EQ(file["after"], base::Value(true));
    EXPECT_EQ(directoryEntries(), std::vector<std::string>{std::string(kID) + ".plist"});
}

// Left-overs of dead writers (the first pid) and of live ones (the second), and names that
// only look like them; those that the next writer must remove come first.
std::vector<std::string> plantTemporaryFiles(const std::filesystem::path& directory, pid_t dead, pid_t live) {
    const std::string prefix = std::string(".") + kID + ".plist.";
    const std::string aged = prefix + std::to_string(live) + ".3.4.tmp";
    std::vector<std::string> names = {prefix + std::to_string(dead) + ".1.2.tmp",
                                      aged,
                                      prefix + std::to_string(live) + ".1.2.tmp",
                                      prefix + std::to_string(dead) + ".1.tmp",
                                      prefix + std::to_string(dead) + ".1.2.tmp.bak",
                                      std::string(".") + kID + ".png." + std::to_string(dead) + ".1.2.tmp",
                                      prefix.substr(1) + std::to_string(dead) + ".1.2.tmp"};
    for (const std::string& name : names) std::ofstream(directory / name) << "partial";
    const auto hoursAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(2);
    std::filesystem::last_write_time(directory / aged, hoursAgo);
    return names;
}

TEST_F(VLPrefsConcurrencyTest, AWriterStoppedBeforeItsRenameCompletesAndTheNextSweepsOnlyTheDead) {
    base::FileDescriptor watch(::inotify_init1(IN_CLOEXEC));
    ::inotify_add_watch(watch.get(), preferenceDirectory().c_str(), IN_CREATE);
    const std::string large(1024 * 1024, 'v');
    // Stop a one-write child just after it creates its temporary file; again when it was quicker.
    pid_t stopped = -1;
    int attempt = 0;
    for (bool caught = false; !caught; ++attempt) {
        ASSERT_LT(attempt, 50);
        stopped = testsupport::forkChild([&] {
            VLPrefsManager().setObject(large + std::to_string(attempt), "Large", kID);
            return 0;
        });
        awaitTemporaryFile(watch.get());
        ::kill(stopped, SIGSTOP);
        int status = 0;
        ::waitpid(stopped, &status, WUNTRACED);
        for (const std::string& name : directoryEntries())
            caught |= WIFSTOPPED(status) && base::AtomicFile::temporaryFileWriter(name) == stopped;
        if (caught) break;
        ::kill(stopped, SIGCONT);
        testsupport::waitForExit(stopped);
    }
    std::vector<std::string> kept =
        plantTemporaryFiles(preferenceDirectory(), testsupport::forkChild([] { return 0; }), ::getpid());
    ::wait(nullptr);  // the first pid is gone now
    pid_t next = testsupport::forkChild([] {
        VLPrefsManager().setBool(true, "next", kID);
        return 0;
    });
    ::kill(stopped, SIGCONT);
    EXPECT_EQ(testsupport::waitForExit(stopped), 0);
    EXPECT_EQ(testsupport::waitForExit(next), 0);
    base::Value file = fileContent(kID);
    EXPECT_EQ(file["Large"], base::Value(large + std::to_string(attempt)));
    EXPECT_EQ(file["next"], base::Value(true));
    kept.erase(kept.begin(), kept.begin() + 2);
    kept.push_back(std::string(kID) + ".plist");
    EXPECT_THAT(directoryEntries(), ::testing::UnorderedElementsAreArray(kept));
}

// A holder that never lets go (here a process stopped while holding the directory's lock)
// makes a writer give up after its bounded wait and refuse, rather than write unlocked or
// hang the interface thread.
TEST_F(VLPrefsConcurrencyTest, AWriterThatCannotHaveTheLockRefusesTheWrite) {
    VLPrefsManager prefs;
    ASSERT_TRUE(prefs.store("kept", 1, kID));
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    pid_t holder = testsupport::forkChild([&] {
        VLPrefsDirectoryLock lock(preferenceDirectory());
        (void)!::write(ready[1], lock.locked() ? "y" : "n", 1);
        ::raise(SIGSTOP);
        return 0;
    });
    char answer = 0;
    ASSERT_EQ(::read(ready[0], &answer, 1), 1);
    ASSERT_EQ(answer, 'y');
    int status = 0;
    ::waitpid(holder, &status, WUNTRACED);

    base::Result<void> refused = prefs.store("lost", 2, kID);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().description, "the preference directory is locked by another writer");
    EXPECT_EQ(fileContent(kID), base::Value(base::Value::Dictionary{{"kept", 1}}));
    EXPECT_THAT(logLines_, ::testing::Contains(::testing::HasSubstr("locked by another writer")));

    ::kill(holder, SIGKILL);
    testsupport::waitForExit(holder);
    ::close(ready[0]);
    ::close(ready[1]);
    EXPECT_TRUE(prefs.store("later", 3, kID)) << "the lock is free again once its holder is gone";
}

}  // namespace
