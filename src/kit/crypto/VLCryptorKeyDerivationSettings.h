#pragma once

#include <cstdint>

// How a key is derived from a password. The numeric codes are those of the reference
// cryptographic library: PBKDFAlgorithm 2 is PBKDF2; PRF 1 is HMAC-SHA1 (2 SHA-224,
// 3 SHA-256, 4 SHA-384, 5 SHA-512).
struct VLCryptorKeyDerivationSettings {
    std::uint64_t keySize = 32;
    std::uint64_t saltSize = 8;
    std::uint32_t PBKDFAlgorithm = 2;
    std::uint32_t PRF = 1;
    std::uint32_t rounds = 10000;
    // Format-2 containers derived their keys from a password cut to its UTF-16 length in bytes.
    bool hasV2Password = false;

    bool operator==(const VLCryptorKeyDerivationSettings&) const = default;
};
