#pragma once

// Builds containers straight from OpenSSL primitives, independently of the kit's classes, so
// the tests can check the kit's bytes against the format rather than against itself.

#include <openssl/evp.h>
#include <openssl/hmac.h>

#include <string>

#include "base/Value.h"

namespace reference {

inline base::Data bytes(std::initializer_list<int> values) {
    base::Data out;
    for (int v : values) out.push_back(static_cast<std::uint8_t>(v));
    return out;
}

inline base::Data concat(std::initializer_list<base::Data> parts) {
    base::Data out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

inline base::Data pbkdf2(const std::string& password, const base::Data& salt, int rounds = 10000) {
    base::Data key(32);
    PKCS5_PBKDF2_HMAC(password.data(), static_cast<int>(password.size()), salt.data(),
                      static_cast<int>(salt.size()), rounds, EVP_sha1(), 32, key.data());
    return key;
}

inline base::Data aes256cbc(const base::Data& key, const base::Data& iv, const base::Data& plaintext) {
    base::Data out(plaintext.size() + 16);
    EVP_CIPHER_CTX* context = EVP_CIPHER_CTX_new();
    int n = 0, m = 0;
    EVP_EncryptInit_ex(context, EVP_aes_256_cbc(), nullptr, key.data(), iv.data());
    EVP_EncryptUpdate(context, out.data(), &n, plaintext.data(), static_cast<int>(plaintext.size()));
    EVP_EncryptFinal_ex(context, out.data() + n, &m);
    EVP_CIPHER_CTX_free(context);
    out.resize(static_cast<std::size_t>(n + m));
    return out;
}

inline base::Data hmacSHA256(const base::Data& key, const base::Data& message) {
    base::Data tag(32);
    unsigned length = 32;
    HMAC(EVP_sha256(), key.data(), static_cast<int>(key.size()), message.data(), message.size(), tag.data(),
         &length);
    return tag;
}

// version | 1 | salts | IV | ciphertext | tag, with keys from `passwordBytes`.
inline base::Data passwordContainer(std::uint8_t version, const std::string& passwordBytes,
                                    const base::Data& encryptionSalt, const base::Data& HMACSalt,
                                    const base::Data& iv, const base::Data& plaintext, int rounds = 10000) {
    const base::Data header = concat({bytes({version, 1}), encryptionSalt, HMACSalt, iv});
    const base::Data body =
        concat({header, aes256cbc(pbkdf2(passwordBytes, encryptionSalt, rounds), iv, plaintext)});
    return concat({body, hmacSHA256(pbkdf2(passwordBytes, HMACSalt, rounds), body)});
}

}  // namespace reference
