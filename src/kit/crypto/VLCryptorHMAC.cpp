#include "crypto/VLCryptorHMAC.h"

#include <openssl/core_names.h>
#include <openssl/evp.h>
#include <openssl/params.h>

namespace {

const char* digestName(std::uint32_t algorithm) {
    switch (algorithm) {
        case 0:
            return "SHA1";
        case 1:
            return "MD5";
        case 2:
            return "SHA256";
        case 3:
            return "SHA384";
        case 4:
            return "SHA512";
        case 5:
            return "SHA224";
        default:
            return nullptr;
    }
}

// The MAC implementation is fetched once; fetching it per container costs a provider look-up.
EVP_MAC* hmacImplementation() {
    static EVP_MAC* const mac = EVP_MAC_fetch(nullptr, OSSL_MAC_NAME_HMAC, nullptr);
    return mac;
}

}  // namespace

struct VLCryptorHMAC::Context {
    EVP_MAC_CTX* mac = nullptr;
    ~Context() { EVP_MAC_CTX_free(mac); }
};

VLCryptorHMAC::VLCryptorHMAC(std::unique_ptr<Context> context) : context_(std::move(context)) {}
VLCryptorHMAC::~VLCryptorHMAC() = default;

std::unique_ptr<VLCryptorHMAC> VLCryptorHMAC::create(std::uint32_t algorithm, const base::Data& key) {
    const char* digest = digestName(algorithm);
    if (!digest || !hmacImplementation()) return nullptr;
    auto context = std::make_unique<Context>();
    context->mac = EVP_MAC_CTX_new(hmacImplementation());
    if (!context->mac) return nullptr;
    OSSL_PARAM parameters[] = {
        OSSL_PARAM_construct_utf8_string(OSSL_MAC_PARAM_DIGEST, const_cast<char*>(digest), 0),
        OSSL_PARAM_construct_end(),
    };
    // An empty key is a valid HMAC key; give the MAC a real pointer so it is not taken as "no key".
    static const std::uint8_t kNoBytes[1] = {0};
    if (EVP_MAC_init(context->mac, key.empty() ? kNoBytes : key.data(), key.size(), parameters) != 1)
        return nullptr;
    return std::unique_ptr<VLCryptorHMAC>(new VLCryptorHMAC(std::move(context)));
}

void VLCryptorHMAC::update(std::span<const std::uint8_t> data) {
    if (!data.empty()) EVP_MAC_update(context_->mac, data.data(), data.size());
}

base::Data VLCryptorHMAC::finish(std::size_t length) {
    base::Data tag(EVP_MAX_MD_SIZE);
    std::size_t written = 0;
    // A failed MAC yields no tag, which never matches a stored one.
    if (EVP_MAC_final(context_->mac, tag.data(), &written, tag.size()) != 1) return {};
    tag.resize(written);
    tag.resize(length);
    return tag;
}
