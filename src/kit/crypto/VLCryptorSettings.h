#pragma once

#include <cstdint>

#include "crypto/VLCryptorKeyDerivationSettings.h"

// The cipher, MAC and key-derivation parameters of a container. The numeric codes are those
// of the reference cryptographic library: algorithm 0 is AES; options bit 0 is PKCS#7 padding
// and bit 1 ECB mode (CBC otherwise); HMACAlgorithm 0 is SHA-1, 1 MD5, 2 SHA-256, 3 SHA-384,
// 4 SHA-512, 5 SHA-224.
struct VLCryptorSettings {
    std::uint32_t algorithm = 0;
    std::uint64_t blockSize = 16;
    std::uint64_t IVSize = 16;
    std::uint32_t options = 1;
    std::uint32_t HMACAlgorithm = 2;
    std::uint64_t HMACLength = 32;
    VLCryptorKeyDerivationSettings keySettings;
    VLCryptorKeyDerivationSettings HMACKeySettings;

    bool operator==(const VLCryptorSettings&) const = default;
};

// AES-256-CBC with PKCS#7 padding, HMAC-SHA256, keys by PBKDF2-HMAC-SHA1 with 10000 rounds
// and 8-byte salts: the parameters of the container format.
inline constexpr VLCryptorSettings kVLCryptorAES256Settings{};
