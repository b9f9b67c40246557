#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "base/Value.h"

// Holds back the last few bytes of a stream from whoever consumes it (internal to the
// cryptors). The decryptor cannot know which bytes are the tag until the stream ends, so the
// cipher and the MAC each read the ciphertext through one of these, set to the tag's length:
// both pass on the same bytes, and at the end the cipher's holds the tag. Nothing is
// allocated per piece.
class VLCryptorTail {
public:
    void setLength(std::size_t length) {
        bytes_.resize(length);
        held_ = 0;
    }

    // Calls `consume` (synchronously) with every byte of `data` that is no longer among the
    // last `length` bytes of the stream, in stream order, in at most two spans.
    template <typename Consume>
    void feed(std::span<const std::uint8_t> data, Consume&& consume) {
        const std::size_t length = bytes_.size();
        if (held_ + data.size() <= length) {
            std::copy(data.begin(), data.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(held_));
            held_ += data.size();
            return;
        }
        // 1. Pass on what leaves the tail: first the oldest held bytes, then the front of data.
        const std::size_t release = held_ + data.size() - length;
        const std::size_t fromHeld = std::min(release, held_);
        if (fromHeld != 0) consume(std::span<const std::uint8_t>(bytes_.data(), fromHeld));
        if (release > fromHeld) consume(data.first(release - fromHeld));
        // 2. The tail is what remains of the held bytes followed by the end of data.
        const std::size_t kept = held_ - fromHeld;
        if (kept != 0) std::memmove(bytes_.data(), bytes_.data() + fromHeld, kept);
        const auto rest = data.subspan(release - fromHeld);
        std::copy(rest.begin(), rest.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(kept));
        held_ = length;
    }

    // The bytes held back: the whole tail, or all of a stream shorter than it.
    base::Data held() const {
        return base::Data(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(held_));
    }

private:
    base::Data bytes_;
    std::size_t held_ = 0;
};
