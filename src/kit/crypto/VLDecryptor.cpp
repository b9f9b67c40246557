#include "crypto/VLDecryptor.h"

#include "crypto/VLCryptorDataHelpers.h"
#include "crypto/VLCryptorEngine.h"
#include "crypto/VLCryptorHMAC.h"
#include "crypto/VLInternalInconsistencyException.h"

namespace {

constexpr std::uint8_t kOptionPassword = 0x01;
constexpr std::size_t kPreambleSize = 2;

std::optional<base::Data> opened(const std::shared_ptr<VLDecryptor>& decryptor,
                                 const VLCryptorSettings* settings, const base::Data& data,
                                 base::Error* error) {
    if (settings) decryptor->setSettings(*settings);
    return VLCryptor::synchronousResultForCryptor(decryptor, data, error);
}

// The final handler call of a synchronous operation replaces this one.
void ignoreOutput(VLCryptor&, base::Data&) {}

}  // namespace

VLDecryptor::VLDecryptor(Handler handler) : VLCryptor(std::move(handler)) {}
VLDecryptor::~VLDecryptor() = default;

std::optional<base::Data> VLDecryptor::decryptData(const base::Data& data,
                                                   const std::optional<std::string>& password,
                                                   base::Error* error) {
    return opened(create(password, ignoreOutput), nullptr, data, error);
}

std::optional<base::Data> VLDecryptor::decryptData(const base::Data& data, const base::Data& encryptionKey,
                                                   const std::optional<base::Data>& HMACKey,
                                                   base::Error* error) {
    return opened(create(encryptionKey, HMACKey, ignoreOutput), nullptr, data, error);
}

std::optional<base::Data> VLDecryptor::decryptData(const base::Data& data, const VLCryptorSettings& settings,
                                                   const std::optional<std::string>& password,
                                                   base::Error* error) {
    return opened(create(password, ignoreOutput), &settings, data, error);
}

std::optional<base::Data> VLDecryptor::decryptData(const base::Data& data, const VLCryptorSettings& settings,
                                                   const base::Data& encryptionKey,
                                                   const std::optional<base::Data>& HMACKey,
                                                   base::Error* error) {
    return opened(create(encryptionKey, HMACKey, ignoreOutput), &settings, data, error);
}

std::shared_ptr<VLDecryptor> VLDecryptor::create(const base::Data& encryptionKey,
                                                 const std::optional<base::Data>& HMACKey, Handler handler) {
    std::shared_ptr<VLDecryptor> decryptor(new VLDecryptor(std::move(handler)));
    decryptor->encryptionKey_ = encryptionKey;
    decryptor->HMACKey_ = HMACKey;
    return decryptor;
}

std::shared_ptr<VLDecryptor> VLDecryptor::create(const std::optional<std::string>& password,
                                                 Handler handler) {
    VLInternalInconsistencyException::require(password.has_value(), "aPassword != nil");
    std::shared_ptr<VLDecryptor> decryptor(new VLDecryptor(std::move(handler)));
    decryptor->password_ = password;
    return decryptor;
}

void VLDecryptor::addData(base::Data data) {
    if (finished_ || finishRequested_) return;

    // 1. Until the header is complete, collect the bytes and try to parse them.
    if (!engine_) {
        inData_.insert(inData_.end(), data.begin(), data.end());
        consumeHeaderFromData(inData_);
        if (!engine_) return;
        data = std::exchange(inData_, {});
    }

    // 2. The rest goes to the work queue whole; the last HMACLength bytes of the stream (the
    // tag, if it ends there) are held back there, from the cipher and the MAC alike.
    if (!data.empty()) queueInput(std::move(data));
}

void VLDecryptor::finish() {
    if (finished_ || finishRequested_) return;
    finishRequested_ = true;
    runOnQueue(this, [](VLDecryptor& self) { self.finishOnQueue(); });
}

bool VLDecryptor::updateOptionsForPreamble(std::span<const std::uint8_t, 2> preamble) {
    switch (preamble[0]) {
        case 2:
            settings_.keySettings.hasV2Password = true;
            settings_.HMACKeySettings.hasV2Password = true;
            options_ = preamble[1];
            return true;
        case 3:
            options_ = preamble[1];
            return true;
        default:
            return false;
    }
}

void VLDecryptor::consumeHeaderFromData(base::Data& data) {
    if (finished_ || engine_ || data.size() < kPreambleSize) return;
    if (!updateOptionsForPreamble(std::span<const std::uint8_t, 2>(data.data(), 2))) {
        fail(kVLCryptorUnknownHeader, "Unknown header");
        return;
    }
    const bool withPassword = (options_ & kOptionPassword) != 0;
    const std::size_t saltsSize =
        withPassword ? settings_.keySettings.saltSize + settings_.HMACKeySettings.saltSize : 0;
    const std::size_t headerSize = kPreambleSize + saltsSize + settings_.IVSize;
    if (data.size() < headerSize) return;

    base::Data header = vl_consumeToIndex(data, headerSize);
    auto next = header.cbegin() + kPreambleSize;
    auto take = [&next](std::size_t count) {
        base::Data bytes(next, next + static_cast<std::ptrdiff_t>(count));
        next += static_cast<std::ptrdiff_t>(count);
        return bytes;
    };

    if (withPassword) {
        if (encryptionKey_ || HMACKey_) {
            fail(kVLCryptorKeysAndPasswordSet, "Both password and the key (" +
                                                   std::to_string(encryptionKey_ ? 1 : 0) + ") or HMACKey (" +
                                                   std::to_string(HMACKey_ ? 1 : 0) + ") are set.");
            return;
        }
        const base::Data encryptionSalt = take(settings_.keySettings.saltSize);
        const base::Data HMACSalt = take(settings_.HMACKeySettings.saltSize);
        auto [encryptionKey, HMACKey] = keysForPassword(*password_, encryptionSalt, settings_.keySettings,
                                                        HMACSalt, settings_.HMACKeySettings);
        encryptionKey_ = std::move(encryptionKey);
        HMACKey_ = std::move(HMACKey);
        password_.reset();
    } else if (!encryptionKey_) {
        fail(kVLCryptorMissingKey, "The data was sealed with a key, but only a password is set.");
        return;
    }
    startDecrypting(header, take(settings_.IVSize));
}

void VLDecryptor::startDecrypting(const base::Data& header, const base::Data& IV) {
    auto engine = VLCryptorEngine::create(VLCryptorOperation::Decrypt, settings_, *encryptionKey_, IV);
    encryptionKey_.reset();
    if (!engine) {
        cleanupAndNotifyWithError(engine.error());
        return;
    }
    if (HMACKey_) {
        HMAC_ = VLCryptorHMAC::create(settings_.HMACAlgorithm, *HMACKey_);
        HMACKey_.reset();
        if (!HMAC_) {
            fail(VLCryptorStatus::ParamError, {});
            return;
        }
        HMACLength_ = settings_.HMACLength;
        cipherTail_.setLength(HMACLength_);
        MACTail_.setLength(HMACLength_);
        if (!hasV1HMAC_) HMAC_->update(header);
    }
    engine_ = std::move(engine).value();
}

void VLDecryptor::consumeInput(base::Data& piece) {
    if (stopped_) return;
    VLCryptorBuffer& output = pendingOutput();
    std::optional<base::Error> failure;
    cipherTail_.feed(piece, [&](std::span<const std::uint8_t> bytes) {
        if (failure) return;
        if (auto status = engine_->addData(bytes, output); !status) failure = status.error();
    });
    if (failure) {
        stopWithError(std::move(*failure));
        return;
    }
    if (HMAC_) output.MACInput.push_back(std::move(piece));
}

void VLDecryptor::finishOnQueue() {
    if (stopped_) return;
    if (!engine_) {
        // The stream ended inside the header: nothing was opened.
        fail(kVLCryptorUnknownHeader, "Unknown header");
        return;
    }
    // The tag is checked before the output still held here goes out: plaintext the work queue
    // holds at the end (all of it, when the stream was fed faster than it was opened) is
    // released only once it is authentic.
    VLCryptorBuffer& last = pendingOutput();
    bool authentic = true;
    afterAuthentication([&] {
        authenticate(last);
        if (HMAC_) authentic = vl_isEqualInConsistentTime(HMAC_->finish(HMACLength_), cipherTail_.held());
    });
    if (!authentic) {
        fail(kVLCryptorHMACMismatch, "HMAC Mismatch");
        return;
    }
    if (auto status = engine_->finish(last); !status) {
        stopWithError(status.error());
        return;
    }
    stopped_ = true;
    takePendingAsFinalOutput();
    cleanupAndNotifyWithError(std::nullopt);
}

void VLDecryptor::fail(long code, std::string description) {
    stopWithError(base::Error{kVLCryptorErrorDomain, code, std::move(description)});
}
