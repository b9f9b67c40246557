#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "base/Error.h"
#include "base/Value.h"
#include "crypto/VLCryptor.h"

// Drives a cryptor over a file descriptor in large blocks, handing each chunk of output to a
// sink. Reading, the cryptor's two queues and the sink (which runs on the response queue)
// overlap; the reader stops while more than kWindow bytes it has read have not come out of the
// sink yet, so memory stays bounded whatever the size of the input.
class ContainerStream {
public:
    static constexpr std::size_t kChunkSize = 256 * 1024;
    static constexpr std::size_t kWindow = 4 * kChunkSize;

    // Receives output on the cryptor's response queue; returns false to stop (a write failed).
    using Sink = std::function<bool(const base::Data& chunk)>;
    // Makes the cryptor, given the handler it must use.
    using Factory = std::function<std::shared_ptr<VLCryptor>(VLCryptor::Handler handler)>;

    struct Outcome {
        std::optional<base::Error> error;  // the cryptor's error, if it failed
        std::string ioFailure;             // a read or write failure, if any
        std::optional<std::uint8_t> firstByte;
        std::uint64_t bytesRead = 0;
    };

    // `progressLabel` names the operation in the progress line shown on a terminal for
    // inputs over 64 MiB.
    // One line naming the cause of a failed outcome; empty when it succeeded.
    static std::string describeFailure(const Outcome& outcome);

    static Outcome run(const Factory& factory, int inputFd, const Sink& sink,
                       const std::string& progressLabel);
};
