#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "base/Value.h"

// A running HMAC over the bytes of a container (internal to the cryptors).
class VLCryptorHMAC {
public:
    // `algorithm` uses the codes of VLCryptorSettings::HMACAlgorithm; an unknown code or a
    // key the MAC refuses gives no instance.
    static std::unique_ptr<VLCryptorHMAC> create(std::uint32_t algorithm, const base::Data& key);
    ~VLCryptorHMAC();
    VLCryptorHMAC(const VLCryptorHMAC&) = delete;
    VLCryptorHMAC& operator=(const VLCryptorHMAC&) = delete;

    void update(std::span<const std::uint8_t> data);
    // The tag cut or zero-extended to `length` bytes (empty if the MAC failed); the MAC cannot
    // be updated afterwards.
    base::Data finish(std::size_t length);

private:
    struct Context;
    explicit VLCryptorHMAC(std::unique_ptr<Context> context);
    std::unique_ptr<Context> context_;
};
