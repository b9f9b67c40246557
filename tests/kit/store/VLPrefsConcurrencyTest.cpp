// Several writers using the store at once, and writers killed halfway.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <thread>

#include "PrefsTestRoot.h"
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

TEST_F(VLPrefsConcurrencyTest, AWriterKilledMidWriteLeavesAParseableFile) {
    VLPrefsManager prefs;
    prefs.setObject("kept", "Foreign", kID);
    std::string large(64 * 1024, 'v');  // long writes widen the window for the kill
    for (int round = 0; round < 12; ++round) {
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            VLPrefsManager writer;
            for (int i = 0;; ++i) writer.setObject(large + std::to_string(i), "Large", kID);
        }
        // Let the child get going: wait until it has replaced the file at least once.
        base::Value seen = fileContent(kID);
        while (fileContent(kID) == seen) std::this_thread::yield();
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);

        base::Value file = fileContent(kID);
        ASSERT_TRUE(file.asDictionary()) << "round " << round;
        EXPECT_EQ(file["Foreign"], base::Value("kept"));
        EXPECT_TRUE(file["Large"].asString());
    }
    // The lock died with the writer: the store still writes.
    prefs.setBool(true, "after", kID);
    EXPECT_TRUE(prefs.boolForKey("after", false, kID));
}

}  // namespace
