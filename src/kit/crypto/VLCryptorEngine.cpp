#include "crypto/VLCryptorEngine.h"

#include <openssl/evp.h>

#include <climits>

#include "crypto/VLCryptor.h"

namespace {

constexpr std::uint32_t kAlgorithmAES = 0;
constexpr std::uint32_t kOptionPKCS7Padding = 1;
constexpr std::uint32_t kOptionECBMode = 2;
constexpr std::size_t kAESBlockSize = 16;
// EVP takes int lengths: larger inputs go through in slices of this size.
constexpr std::size_t kMaximumSlice = std::size_t{1} << 30;

base::Error statusError(long status) { return base::Error{kVLCryptorErrorDomain, status, {}}; }

const EVP_CIPHER* aesCipher(std::size_t keySize, bool ecb) {
    switch (keySize) {
        case 16:
            return ecb ? EVP_aes_128_ecb() : EVP_aes_128_cbc();
        case 24:
            return ecb ? EVP_aes_192_ecb() : EVP_aes_192_cbc();
        case 32:
            return ecb ? EVP_aes_256_ecb() : EVP_aes_256_cbc();
        default:
            return nullptr;
    }
}

}  // namespace

struct VLCryptorEngine::Cipher {
    EVP_CIPHER_CTX* context = EVP_CIPHER_CTX_new();
    VLCryptorOperation operation = VLCryptorOperation::Encrypt;
    bool padding = true;
    // Bytes fed so far modulo the block size: tells a truncated input from a bad padding.
    std::size_t fedModulo = 0;

    ~Cipher() { EVP_CIPHER_CTX_free(context); }
};

VLCryptorEngine::VLCryptorEngine(std::unique_ptr<Cipher> cryptor) : cryptor_(std::move(cryptor)) {}
VLCryptorEngine::~VLCryptorEngine() = default;

base::Result<std::shared_ptr<VLCryptorEngine>> VLCryptorEngine::create(VLCryptorOperation operation,
                                                                       const VLCryptorSettings& settings,
                                                                       const base::Data& key,
                                                                       const base::Data& IV) {
    if (settings.algorithm != kAlgorithmAES) return statusError(VLCryptorStatus::Unimplemented);
    if ((settings.options & ~(kOptionPKCS7Padding | kOptionECBMode)) != 0) {
        return statusError(VLCryptorStatus::ParamError);
    }
    const bool ecb = (settings.options & kOptionECBMode) != 0;
    const EVP_CIPHER* cipher = aesCipher(key.size(), ecb);
    if (!cipher) return statusError(VLCryptorStatus::KeySizeError);
    if (!ecb && IV.size() != kAESBlockSize) return statusError(VLCryptorStatus::ParamError);

    auto cryptor = std::make_unique<Cipher>();
    if (!cryptor->context) return statusError(VLCryptorStatus::MemoryFailure);
    cryptor->operation = operation;
    cryptor->padding = (settings.options & kOptionPKCS7Padding) != 0;
    const int encrypt = operation == VLCryptorOperation::Encrypt ? 1 : 0;
    if (EVP_CipherInit_ex(cryptor->context, cipher, nullptr, key.data(), ecb ? nullptr : IV.data(),
                          encrypt) != 1) {
        return statusError(VLCryptorStatus::ParamError);
    }
    EVP_CIPHER_CTX_set_padding(cryptor->context, cryptor->padding ? 1 : 0);
    return std::shared_ptr<VLCryptorEngine>(new VLCryptorEngine(std::move(cryptor)));
}

namespace {

// Makes room for `count` bytes after `at`; grows only, so reused storage is not cleared.
void ensureRoom(base::Data& storage, std::size_t at, std::size_t count) {
    if (storage.size() < at + count) storage.resize(at + count);
}

}  // namespace

base::Result<std::size_t> VLCryptorEngine::update(std::span<const std::uint8_t> data, base::Data& storage,
                                                  std::size_t at) {
    // The cipher may release up to one buffered block more than it is given.
    ensureRoom(storage, at, data.size() + kAESBlockSize);
    std::size_t produced = 0;
    while (!data.empty()) {
        const std::size_t slice = std::min(data.size(), kMaximumSlice);
        int written = 0;
        if (EVP_CipherUpdate(cryptor_->context, storage.data() + at + produced, &written, data.data(),
                             static_cast<int>(slice)) != 1) {
            return statusError(VLCryptorStatus::ParamError);
        }
        produced += static_cast<std::size_t>(written);
        cryptor_->fedModulo = (cryptor_->fedModulo + slice) % kAESBlockSize;
        data = data.subspan(slice);
    }
    return produced;
}

base::Result<std::size_t> VLCryptorEngine::finalBlock(base::Data& storage, std::size_t at) {
    ensureRoom(storage, at, kAESBlockSize);
    int written = 0;
    if (EVP_CipherFinal_ex(cryptor_->context, storage.data() + at, &written) != 1) {
        const bool misaligned = cryptor_->fedModulo != 0 &&
                                (cryptor_->operation == VLCryptorOperation::Decrypt || !cryptor_->padding);
        return statusError(misaligned ? VLCryptorStatus::AlignmentError : VLCryptorStatus::DecodeError);
    }
    return static_cast<std::size_t>(written);
}

base::Result<void> VLCryptorEngine::addData(std::span<const std::uint8_t> data, base::Data& output) {
    const std::size_t start = output.size();
    auto produced = update(data, output, start);
    output.resize(produced ? start + produced.value() : start);
    if (!produced) return produced.error();
    return {};
}

base::Result<void> VLCryptorEngine::finish(base::Data& output) {
    const std::size_t start = output.size();
    auto produced = finalBlock(output, start);
    output.resize(produced ? start + produced.value() : start);
    if (!produced) return produced.error();
    return {};
}

base::Result<void> VLCryptorEngine::addData(std::span<const std::uint8_t> data, VLCryptorBuffer& output) {
    auto produced = update(data, output.bytes, output.length);
    if (!produced) return produced.error();
    output.length += produced.value();
    return {};
}

base::Result<void> VLCryptorEngine::finish(VLCryptorBuffer& output) {
    auto produced = finalBlock(output.bytes, output.length);
    if (!produced) return produced.error();
    output.length += produced.value();
    return {};
}

base::Result<base::Data> VLCryptorEngine::addData(std::span<const std::uint8_t> data) {
    buffer_.clear();
    if (auto status = addData(data, buffer_); !status) return status.error();
    return buffer_;
}

base::Result<base::Data> VLCryptorEngine::finish() {
    buffer_.clear();
    if (auto status = finish(buffer_); !status) return status.error();
    return buffer_;
}
