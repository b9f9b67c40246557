#include "ContainerOptions.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "ArgumentList.h"
#include "Command.h"

namespace {

// Removes a short option `-x VALUE` from `words`; the long forms go through ArgumentList.
std::optional<std::string> takeShortOption(std::vector<std::string>& words, std::string_view flag) {
    for (auto it = words.begin(); it != words.end(); ++it) {
        if (*it != flag) continue;
        if (it + 1 == words.end()) throw UsageError(std::string(flag) + " needs a value");
        std::string value = *(it + 1);
        words.erase(it, it + 2);
        return value;
    }
    return std::nullopt;
}

base::Data parseHex(const std::string& text, const char* option) {
    auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    if (text.empty() || text.size() % 2 != 0) {
        throw UsageError(std::string(option) + " needs an even number of hexadecimal digits");
    }
    base::Data bytes;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = digit(text[i]), low = digit(text[i + 1]);
        if (high < 0 || low < 0) throw UsageError(std::string(option) + " is not hexadecimal");
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return bytes;
}

// The file's contents without one trailing line break, so `echo secret > F` works.
std::string readPasswordFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw ContainerFailure("cannot read password file " + path + ": " + std::strerror(errno));
    std::string password((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (password.ends_with('\n')) password.pop_back();
    if (password.ends_with('\r')) password.pop_back();
    return password;
}

}  // namespace

ContainerOptions ContainerOptions::parse(std::span<const std::string> arguments) {
    std::vector<std::string> words(arguments.begin(), arguments.end());
    ContainerOptions options;
    options.inputPath = takeShortOption(words, "-i");
    options.outputPath = takeShortOption(words, "-o");

    ArgumentList list(words);
    const auto passwordFile = list.takeOption("password-file");
    const auto password = list.takeOption("password");
    const auto key = list.takeOption("key");
    const auto HMACKey = list.takeOption("hmac-key");
    list.expectEnd();

    const int credentials = (passwordFile ? 1 : 0) + (password ? 1 : 0) + (key || HMACKey ? 1 : 0);
    if (credentials != 1)
        throw UsageError("give exactly one of --password-file, --password or --key with --hmac-key");
    if (key || HMACKey) {
        if (!key || !HMACKey) throw UsageError("--key and --hmac-key go together");
        options.key = parseHex(*key, "--key");
        if (options.key.size() != 32) throw UsageError("--key needs 64 hexadecimal digits (a 256-bit key)");
        options.HMACKey = parseHex(*HMACKey, "--hmac-key");
    } else {
        options.password = passwordFile ? readPasswordFile(*passwordFile) : *password;
    }
    return options;
}
