#include "crypto/VLEncryptor.h"

#include <algorithm>

#include "crypto/VLCryptorEngine.h"
#include "crypto/VLCryptorHMAC.h"
#include "crypto/VLInternalInconsistencyException.h"

namespace {

constexpr std::uint8_t kOptionPassword = 0x01;

// Sealing synchronously needs a handler before there is a cryptor; this one only remembers
// a failure reported while the encryptor is being set up.
struct SetupFailure {
    std::shared_ptr<std::optional<base::Error>> error = std::make_shared<std::optional<base::Error>>();

    VLCryptor::Handler handler() const {
        return [error = error](VLCryptor& cryptor, base::Data&) {
            if (cryptor.finished()) *error = cryptor.error();
        };
    }
};

std::optional<base::Data> sealed(const std::shared_ptr<VLEncryptor>& encryptor, const SetupFailure& setup,
                                 const base::Data& data, base::Error* error) {
    if (!encryptor) {
        if (error && *setup.error) *error = **setup.error;
        return std::nullopt;
    }
    return VLCryptor::synchronousResultForCryptor(encryptor, data, error);
}

}  // namespace

VLEncryptor::VLEncryptor(Handler handler) : VLCryptor(std::move(handler)) { MACReadsOutput_ = true; }
VLEncryptor::~VLEncryptor() = default;

std::optional<base::Data> VLEncryptor::encryptData(const base::Data& data, const VLCryptorSettings& settings,
                                                   const std::string& password, base::Error* error) {
    SetupFailure setup;
    return sealed(create(settings, password, setup.handler()), setup, data, error);
}

std::optional<base::Data> VLEncryptor::encryptData(const base::Data& data, const VLCryptorSettings& settings,
                                                   const std::string& password,
                                                   const std::optional<base::Data>& IV,
                                                   const std::optional<base::Data>& encryptionSalt,
                                                   const std::optional<base::Data>& HMACSalt,
                                                   base::Error* error) {
    SetupFailure setup;
    return sealed(create(settings, password, IV, encryptionSalt, HMACSalt, setup.handler()), setup, data,
                  error);
}

std::optional<base::Data> VLEncryptor::encryptData(const base::Data& data, const VLCryptorSettings& settings,
                                                   const base::Data& encryptionKey,
                                                   const std::optional<base::Data>& HMACKey,
                                                   base::Error* error) {
    SetupFailure setup;
    return sealed(create(settings, encryptionKey, HMACKey, setup.handler()), setup, data, error);
}

std::optional<base::Data> VLEncryptor::encryptData(const base::Data& data, const VLCryptorSettings& settings,
                                                   const base::Data& encryptionKey,
                                                   const std::optional<base::Data>& HMACKey,
                                                   const std::optional<base::Data>& IV, base::Error* error) {
    SetupFailure setup;
    return sealed(create(settings, encryptionKey, HMACKey, IV, setup.handler()), setup, data, error);
}

std::shared_ptr<VLEncryptor> VLEncryptor::create(const VLCryptorSettings& settings,
                                                 const std::string& password, Handler handler) {
    return create(settings, password, randomDataOfLength(settings.IVSize),
                  randomDataOfLength(settings.keySettings.saltSize),
                  randomDataOfLength(settings.HMACKeySettings.saltSize), std::move(handler));
}

std::shared_ptr<VLEncryptor> VLEncryptor::create(const VLCryptorSettings& settings,
                                                 const std::string& password,
                                                 const std::optional<base::Data>& IV,
                                                 const std::optional<base::Data>& encryptionSalt,
                                                 const std::optional<base::Data>& HMACSalt, Handler handler) {
    VLInternalInconsistencyException::require(!password.empty(), "aPassword.length > 0");
    VLInternalInconsistencyException::require(IV.has_value(), "anIV");
    VLInternalInconsistencyException::require(encryptionSalt.has_value(), "anEncryptionSalt");
    VLInternalInconsistencyException::require(HMACSalt.has_value(), "anHMACSalt");

    const auto [encryptionKey, HMACKey] =
        keysForPassword(password, *encryptionSalt, settings.keySettings, *HMACSalt, settings.HMACKeySettings);
    auto encryptor = create(settings, encryptionKey, HMACKey, IV, std::move(handler));
    if (!encryptor) return nullptr;
    encryptor->options_ |= kOptionPassword;
    encryptor->encryptionSalt_ = *encryptionSalt;
    encryptor->HMACSalt_ = *HMACSalt;
    return encryptor;
}

std::shared_ptr<VLEncryptor> VLEncryptor::create(const VLCryptorSettings& settings,
                                                 const base::Data& encryptionKey,
                                                 const std::optional<base::Data>& HMACKey, Handler handler) {
    return create(kVLCryptorAES256Settings, encryptionKey, HMACKey, randomDataOfLength(settings.IVSize),
                  std::move(handler));
}

std::shared_ptr<VLEncryptor> VLEncryptor::create(const VLCryptorSettings& settings,
                                                 const base::Data& encryptionKey,
                                                 const std::optional<base::Data>& HMACKey,
                                                 const std::optional<base::Data>& IV, Handler handler) {
    VLInternalInconsistencyException::require(IV.has_value(), "anIV");
    std::shared_ptr<VLEncryptor> encryptor(new VLEncryptor(std::move(handler)));
    if (!encryptor->start(settings, encryptionKey, HMACKey, *IV)) return nullptr;
    return encryptor;
}

bool VLEncryptor::start(const VLCryptorSettings& settings, const base::Data& encryptionKey,
                        const std::optional<base::Data>& HMACKey, const base::Data& IV) {
    IV_ = IV;
    if (HMACKey) {
        HMAC_ = VLCryptorHMAC::create(settings.HMACAlgorithm, *HMACKey);
        if (!HMAC_) {
            cleanupAndNotifyWithError(base::Error{kVLCryptorErrorDomain, VLCryptorStatus::ParamError, {}});
            return false;
        }
        HMACLength_ = settings.HMACLength;
    }
    auto engine = VLCryptorEngine::create(VLCryptorOperation::Encrypt, settings, encryptionKey, IV);
    if (!engine) {
        cleanupAndNotifyWithError(engine.error());
        return false;
    }
    engine_ = std::move(engine).value();
    return true;
}

base::Data VLEncryptor::header() const {
    // Sized once and filled in place: version, options, the two salts with a password, the IV.
    const bool password = options_ & kOptionPassword;
    const std::size_t salts = password ? encryptionSalt_.size() + HMACSalt_.size() : 0;
    base::Data bytes(2 + salts + IV_.size());
    bytes[0] = kVLCryptorFileVersion;
    bytes[1] = options_;
    auto out = bytes.begin() + 2;
    if (password) {
        out = std::copy(encryptionSalt_.begin(), encryptionSalt_.end(), out);
        out = std::copy(HMACSalt_.begin(), HMACSalt_.end(), out);
    }
    std::copy(IV_.begin(), IV_.end(), out);
    return bytes;
}

void VLEncryptor::addData(base::Data data) {
    if (finished_) return;
    queueInput(std::move(data));
}

void VLEncryptor::finish() {
    if (finished_) return;
    runOnQueue(this, [](VLEncryptor& self) { self.finishOnQueue(); });
}

void VLEncryptor::writeHeaderIfNeeded() {
    if (haveWrittenHeader_) return;
    haveWrittenHeader_ = true;
    // The header is output like the ciphertext, so the MAC reads it with the first buffer.
    const base::Data bytes = header();
    VLCryptorBuffer& output = pendingOutput();
    if (output.bytes.size() < output.length + bytes.size()) output.bytes.resize(output.length + bytes.size());
    std::copy(bytes.begin(), bytes.end(), output.bytes.begin() + static_cast<std::ptrdiff_t>(output.length));
    output.length += bytes.size();
}

void VLEncryptor::consumeInput(base::Data& data) {
    if (stopped_) return;
    writeHeaderIfNeeded();
    if (auto status = engine_->addData(data, pendingOutput()); !status) stopWithError(status.error());
}

void VLEncryptor::finishOnQueue() {
    if (stopped_) return;
    stopped_ = true;
    // A stream finished without any data still gets its header, so it stays a container.
    writeHeaderIfNeeded();
    VLCryptorBuffer& last = pendingOutput();
    auto status = engine_->finish(last);
    if (!status) {
        stopWithError(status.error());
        return;
    }
    base::Data tag;
    afterAuthentication([&] {
        authenticate(last);
        if (HMAC_) tag = HMAC_->finish(HMACLength_);
    });
    takePendingAsFinalOutput();
    outData_.insert(outData_.end(), tag.begin(), tag.end());
    cleanupAndNotifyWithError(std::nullopt);
}
