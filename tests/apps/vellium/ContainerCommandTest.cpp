// vellium seal / open, run as a user would: files, pipes, exit statuses and error lines.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "crypto/VLDecryptor.h"
#include "crypto/VLEncryptor.h"
#include "support/TemporaryDirectory.h"

namespace fs = std::filesystem;

namespace {

const std::string kKeyHex(64, '1');
const base::Data kKey(32, 0x11);
const base::Data kHMACKey{0xAB, 0xCD};

class ContainerCommand : public ::testing::Test {
protected:
    void SetUp() override {
        plaintext_.resize(200'000);  // several chunks
        for (std::size_t i = 0; i < plaintext_.size(); ++i)
            plaintext_[i] = static_cast<std::uint8_t>(i * 13 + (i >> 9));
        write("plain", plaintext_);
    }

    std::string path(const std::string& name) const { return (directory_ / name).string(); }

    void write(const std::string& name, const base::Data& bytes) const {
        std::ofstream(path(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    base::Data read(const std::string& name) const {
        std::ifstream file(path(name), std::ios::binary);
        return base::Data(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    std::string readText(const std::string& name) const {
        const base::Data bytes = read(name);
        return std::string(bytes.begin(), bytes.end());
    }

    // Runs `vellium ARGS` in the test directory through the shell (for redirections and
    // pipes), after the shell commands `before`; standard error of the whole line goes to the
    // file "err". Returns the exit status.
    int vellium(const std::string& arguments, const std::string& before = "") const {
        const std::string command =
            "cd '" + directory_.string() + "' && " + "{ " + before + VK_VELLIUM " " + arguments + "; } 2>err";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    // The tool's error output: exactly one line, returned without its line break.
    std::string errorLine() const {
        const std::string text = readText("err");
        EXPECT_TRUE(text.ends_with('\n'));
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
        return text.substr(0, text.find('\n'));
    }

    testsupport::TemporaryDirectory temporary_;
    const fs::path& directory_ = temporary_.path();
    base::Data plaintext_;
};

}  // namespace

TEST_F(ContainerCommand, SealsAndOpensThroughFilesAndPipes) {
    ASSERT_EQ(vellium("seal --password 'pässwörd' -i plain -o sealed"), 0);
    EXPECT_EQ(read("sealed").size(), 2 + 16 + 16 + (plaintext_.size() / 16 + 1) * 16 + 32);
    // What the tool seals, the kit opens, and the other way round.
    EXPECT_EQ(VLDecryptor::decryptData(read("sealed"), std::string("pässwörd")), plaintext_);
    write("kit-sealed", *VLEncryptor::encryptData(plaintext_, kVLCryptorAES256Settings, kKey, kHMACKey));
    ASSERT_EQ(vellium("open --key " + kKeyHex + " --hmac-key ABcd -i kit-sealed -o opened"), 0);
    EXPECT_EQ(read("opened"), plaintext_);

    ASSERT_EQ(vellium("seal --key " + kKeyHex + " --hmac-key abcd < plain | " VK_VELLIUM " open --key " +
                      kKeyHex + " --hmac-key abcd > piped"),
              0);
    EXPECT_EQ(read("piped"), plaintext_);
    ASSERT_EQ(vellium("open --password 'pässwörd' < sealed > redirected"), 0);
    EXPECT_EQ(read("redirected"), plaintext_);

    write("password", base::Data{'s', 'e', 'c', 'r', 'e', 't', '\n'});
    ASSERT_EQ(vellium("seal --password-file password < /dev/null > empty"), 0);
    EXPECT_EQ(read("empty").size(), 82u);
    EXPECT_EQ(VLDecryptor::decryptData(read("empty"), std::string("secret")), base::Data{});
}

TEST_F(ContainerCommand, NeverReleasesUnauthenticatedPlaintext) {
    ASSERT_EQ(vellium("seal --password pw -i plain -o sealed"), 0);
    base::Data tampered = read("sealed");
    tampered[tampered.size() / 2] ^= 0x40;  // deep in the ciphertext: earlier chunks still decrypt
    write("tampered", tampered);
    write("opened", base::Data{'o', 'l', 'd'});

    EXPECT_EQ(vellium("open --password pw -i tampered -o opened"), 1);
    EXPECT_NE(errorLine().find("authentication failed"), std::string::npos);
    EXPECT_EQ(readText("opened"), "old");  // untouched, and no temporary file left behind
    EXPECT_EQ(std::distance(fs::directory_iterator(directory_), fs::directory_iterator()), 5);

    EXPECT_EQ(vellium("open --password pw < tampered > out-file"), 1);
    EXPECT_TRUE(read("out-file").empty());
    EXPECT_EQ(vellium("open --password pw < tampered | cat > out-pipe"), 0);  // the status of cat
    EXPECT_TRUE(read("out-pipe").empty());
    EXPECT_EQ(vellium("open --password wrong < sealed > out-wrong"), 1);
    EXPECT_TRUE(read("out-wrong").empty());
    EXPECT_NE(errorLine().find("wrong password"), std::string::npos);
}

TEST_F(ContainerCommand, OpensToStandardOutputTheVeryBytesItAuthenticated) {
    ASSERT_EQ(vellium("seal --password pw -i plain -o sealed"), 0);
    // The shell reads a line written before the container, so standard input starts at the container.
    const std::string prefixed = "{ echo note; cat sealed; } > prefixed; exec < prefixed; read -r note; ";
    ASSERT_EQ(vellium("open --password pw > out", prefixed), 0) << readText("err");
    EXPECT_EQ(read("out"), plaintext_);
}

TEST_F(ContainerCommand, AFailureEscapingTheCommandLeavesNoTemporaryFile) {
    ASSERT_EQ(vellium("seal --password pw -i plain -o sealed"), 0);
    // No thread stack as big as this limit can be mapped, so the cryptor cannot start.
    const std::string starved = "ulimit -s 40000000000 || exit 77; ";
    for (const char* command :
         {"seal --password pw -i plain -o out", "open --password pw -i sealed -o out"}) {
        const int status = vellium(command, starved);
        if (status == 77) GTEST_SKIP() << "the stack limit cannot be raised";
        EXPECT_EQ(status, 1) << command;
        EXPECT_TRUE(errorLine().starts_with("vellium: "));
        EXPECT_EQ(std::distance(fs::directory_iterator(directory_), fs::directory_iterator()),
                  3);  // plain, sealed, err
    }
}

TEST_F(ContainerCommand, NamesTheCauseOfEachFailure) {
    write("version4", base::Data(100, 4));
    EXPECT_EQ(vellium("open --password pw -i version4"), 1);
    EXPECT_NE(errorLine().find("version byte 4"), std::string::npos);

    write("short", base::Data{3, 1, 0});
    EXPECT_EQ(vellium("open --password pw -i short"), 1);
    EXPECT_NE(errorLine().find("header"), std::string::npos);

    ASSERT_EQ(vellium("seal --password pw -i plain -o with-password"), 0);
    EXPECT_EQ(vellium("open --key " + kKeyHex + " --hmac-key 00 -i with-password"), 1);
    EXPECT_NE(errorLine().find("sealed with a password"), std::string::npos);

    EXPECT_EQ(vellium("open --password pw -i missing-file"), 1);
    EXPECT_NE(errorLine().find("missing-file"), std::string::npos);
}

TEST_F(ContainerCommand, RejectsBadOptionsWithUsage) {
    EXPECT_EQ(vellium("seal -i plain"), 2);
    EXPECT_EQ(vellium("seal --password a --key " + kKeyHex + " --hmac-key 00 -i plain"), 2);
    EXPECT_EQ(vellium("seal --key 1234 --hmac-key 00 -i plain"), 2);
    EXPECT_EQ(vellium("open --key " + kKeyHex + " --hmac-key xyz -i plain"), 2);
    EXPECT_EQ(vellium("seal --password '' -i plain"), 2);
}

TEST_F(ContainerCommand, StreamsInputsLargerThanItsWindowInBothDirections) {
    base::Data large((5 << 20) + 3);
    for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<std::uint8_t>(i ^ (i >> 13));
    write("large", large);
    ASSERT_EQ(vellium("seal --key " + kKeyHex + " --hmac-key abcd -i large -o sealed"), 0);
    EXPECT_EQ(VLDecryptor::decryptData(read("sealed"), kKey, kHMACKey), large);
    ASSERT_EQ(vellium("open --key " + kKeyHex + " --hmac-key abcd -i sealed -o opened"), 0);
    EXPECT_EQ(read("opened"), large);
    ASSERT_EQ(vellium("seal --password pw < large | " VK_VELLIUM " open --password pw > piped"), 0);
    EXPECT_EQ(read("piped"), large);
}
