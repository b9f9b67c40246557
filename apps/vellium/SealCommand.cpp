// vellium seal: encrypts standard input (or -i IN) into a container on standard output (or -o OUT).
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>

#include "Command.h"
#include "ContainerOptions.h"
#include "ContainerStream.h"
#include "OutputFile.h"
#include "crypto/VLEncryptor.h"

namespace {

int openInput(const std::optional<std::string>& path) {
    if (!path) return STDIN_FILENO;
    const int fd = open(path->c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw ContainerFailure("cannot open " + *path + ": " + std::strerror(errno));
    return fd;
}

int seal(const ContainerOptions& options) {
    if (options.password && options.password->empty()) throw UsageError("the password is empty");
    const int input = openInput(options.inputPath);
    OutputFile output(options.outputPath.value_or(""));
    auto factory = [&](VLCryptor::Handler handler) -> std::shared_ptr<VLCryptor> {
        if (options.password)
            return VLEncryptor::create(kVLCryptorAES256Settings, *options.password, std::move(handler));
        return VLEncryptor::create(kVLCryptorAES256Settings, options.key, options.HMACKey,
                                   std::move(handler));
    };
    const auto outcome = ContainerStream::run(
        factory, input, [&](const base::Data& chunk) { return output.write(chunk); }, "sealed");
    if (input != STDIN_FILENO) close(input);
    if (const std::string failure = ContainerStream::describeFailure(outcome); !failure.empty()) {
        throw ContainerFailure(failure);
    }
    output.commit();
    return 0;
}

}  // namespace

int runSeal(std::span<const std::string> arguments) {
    try {
        return seal(ContainerOptions::parse(arguments));
    } catch (const ContainerFailure& failure) {
        std::cerr << "vellium: seal: " << failure.what() << "\n";
        return 1;
    }
}
