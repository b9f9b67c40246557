#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <thread>

#include "base/AtomicFile.h"
#include "base/Files.h"
#include "base/PropertyList.h"
#include "support/TemporaryDirectory.h"

namespace {

using base::AtomicFile;
using base::Files;
using base::PropertyList;
using base::Value;

class AtomicFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Files::createDirectories(directory_ / "nested").ok()); }

    testsupport::TemporaryDirectory temporary_;
    const std::filesystem::path& directory_ = temporary_.path();
};

// A document whose every part depends on `generation`, so a mix of two writes is detected.
Value document(std::int64_t generation) {
    Value::Array rows;
    for (int i = 0; i < 500; ++i) {
        rows.push_back(Value("row " + std::to_string(i) + " of " + std::to_string(generation)));
    }
    return Value(Value::Dictionary{{"generation", Value(generation)}, {"rows", Value(std::move(rows))}});
}

// Rewrites `path` until killed, alternating formats, and reports each completed write with
// one byte on `progress`.
[[noreturn]] void rewriteForever(const std::filesystem::path& path, int round, int progress) {
    for (std::int64_t step = 0;; ++step) {
        const auto format = step % 2 ? PropertyList::Format::Binary : PropertyList::Format::Xml;
        if (!PropertyList::writeFile(document(round * 1000 + step), path, format).ok()) ::_exit(1);
        if (::write(progress, "w", 1) != 1) ::_exit(1);
    }
}

TEST_F(AtomicFileTest, AKilledWriterLeavesTheOldOrTheNewFile) {
    const auto path = directory_ / "prefs.plist";
    ASSERT_TRUE(PropertyList::writeFile(document(0), path).ok());
    std::minstd_rand random(12345);
    std::set<std::int64_t> generationsSeen{0};
    for (int round = 1; round <= 12; ++round) {
        int progress[2];
        ASSERT_EQ(::pipe(progress), 0);
        const pid_t writer = ::fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) {
            ::close(progress[0]);
            rewriteForever(path, round, progress[1]);
        }
        ::close(progress[1]);
        // Once a write has completed, kill the writer at a random point of the following
        // ones (a write with its fsyncs takes tens of milliseconds on a disk).
        char completed;
        ASSERT_EQ(::read(progress[0], &completed, 1), 1) << "the writer failed";
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 60000));
        ::kill(writer, SIGKILL);
        ::close(progress[0]);
        int status = 0;
        ASSERT_EQ(::waitpid(writer, &status, 0), writer);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer failed on its own";

        auto read = PropertyList::readFile(path);
        ASSERT_TRUE(read.ok()) << "round " << round << ": " << read.error().description;
        const std::int64_t generation = read.value()["generation"].longLongValue();
        ASSERT_EQ(read.value(), document(generation)) << "round " << round;
        EXPECT_TRUE(generationsSeen.insert(generation).second) << "each round writes at least once";
    }
}

TEST_F(AtomicFileTest, ReplacesContentsAndKeepsPermissions) {
    const auto path = directory_ / "file";
    ASSERT_TRUE(AtomicFile::write(path, "first").ok());
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(AtomicFile::write(path, "second, longer").ok());
    EXPECT_EQ(Files::readFile(path).value(),
              base::Data({'s', 'e', 'c', 'o', 'n', 'd', ',', ' ', 'l', 'o', 'n', 'g', 'e', 'r'}));
    struct stat info;
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    ASSERT_TRUE(AtomicFile::write(path, "").ok());
    EXPECT_TRUE(Files::readFile(path).value().empty());
}

TEST_F(AtomicFileTest, AFailedReplacementRemovesItsTemporaryFile) {
    // A non-empty directory cannot be replaced by a file.
    const auto path = directory_ / "nested";
    ASSERT_TRUE(AtomicFile::write(path / "inside", "x").ok());
    auto result = AtomicFile::write(path, "contents");
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().domain, Files::kErrorDomain);
    EXPECT_EQ(Files::listDirectory(directory_).value(), std::vector<std::string>{"nested"});

    auto missingDirectory = AtomicFile::write(directory_ / "absent" / "file", "x");
    ASSERT_FALSE(missingDirectory.ok());
    EXPECT_EQ(missingDirectory.error().code, ENOENT);
}

TEST_F(AtomicFileTest, FilesReportErrorsAsResults) {
    EXPECT_TRUE(Files::exists(directory_ / "nested"));
    EXPECT_FALSE(Files::exists(directory_ / "missing"));
    ASSERT_TRUE(Files::createDirectories(directory_ / "a" / "b" / "c").ok());
    ASSERT_TRUE(Files::createDirectories(directory_ / "a" / "b").ok());  // already there
    ASSERT_TRUE(AtomicFile::write(directory_ / "a" / "z", "1").ok());
    ASSERT_TRUE(AtomicFile::write(directory_ / "a" / "m", "2").ok());
    EXPECT_EQ(Files::listDirectory(directory_ / "a").value(), (std::vector<std::string>{"b", "m", "z"}));

    auto notADirectory = Files::createDirectories(directory_ / "a" / "z" / "sub");
    EXPECT_FALSE(notADirectory.ok());
    EXPECT_EQ(Files::listDirectory(directory_ / "missing").error().code, ENOENT);
    EXPECT_EQ(Files::readFile(directory_ / "missing").error().code, ENOENT);
    EXPECT_EQ(Files::readFile(directory_ / "a").error().code, EISDIR);
    EXPECT_EQ(Files::readFile(directory_ / "a" / "z", 0).error().code, EFBIG);
    EXPECT_EQ(Files::remove(directory_ / "a" / "b").error().code, ENOTEMPTY);
    EXPECT_TRUE(Files::remove(directory_ / "a" / "z").ok());
    EXPECT_FALSE(Files::exists(directory_ / "a" / "z"));
    EXPECT_EQ(Files::remove(directory_ / "a" / "z").error().code, ENOENT);
    ASSERT_EQ(::mkfifo((directory_ / "fifo").c_str(), 0600), 0);
    EXPECT_EQ(Files::readFile(directory_ / "fifo").error().code, EINVAL);  // without waiting for a writer
    // Files whose size is unknown in advance are read whole.
    auto status = Files::readFile("/proc/self/status");
    ASSERT_TRUE(status.ok());
    EXPECT_GT(status.value().size(), 0u);
}

}  // namespace
