#include "crypto/VLEncryptor.h"

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

VLEncryptor::VLEncryptor(Handler handler) : VLCryptor(std::move(handler)) {}
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
    base::Data bytes{kVLCryptorFileVersion, options_};
    if (options_ & kOptionPassword) {
        bytes.insert(bytes.end(), encryptionSalt_.begin(), encryptionSalt_.end());
        bytes.insert(bytes.end(), HMACSalt_.begin(), HMACSalt_.end());
    }
    bytes.insert(bytes.end(), IV_.begin(), IV_.end());
    return bytes;
}

void VLEncryptor::addData(base::Data data) {
    if (finished_) return;
    runOnQueue(this, [data = std::move(data)](VLEncryptor& self) { self.encryptChunk(data); });
}

void VLEncryptor::finish() {
    if (finished_) return;
    runOnQueue(this, [](VLEncryptor& self) { self.finishOnQueue(); });
}

void VLEncryptor::writeHeaderIfNeeded() {
    if (haveWrittenHeader_) return;
    haveWrittenHeader_ = true;
    outData_ = header();
}

void VLEncryptor::encryptChunk(const base::Data& data) {
    if (finished_) return;
    writeHeaderIfNeeded();
    // The ciphertext is written straight into the output buffer.
    if (auto status = engine_->addData(data, outData_); !status) {
        cleanupAndNotifyWithError(status.error());
        return;
    }
    deliverAuthenticatedOutput();
}

void VLEncryptor::deliverAuthenticatedOutput() {
    if (!HMAC_) {
        deliverOutput();
        return;
    }
    // The MAC runs on the response queue after the handler call, while this queue encrypts the
    // next chunk. It reads a copy, since the handler may take the output away. Two copies
    // alternate: while this one is written, the MAC may still be reading the previous one;
    // the one before that is done, as it ran ahead of the previous step's handler call.
    base::Data& copy = MACInput_[nextMACInput_];
    nextMACInput_ ^= 1;
    copy.assign(outData_.begin(), outData_.end());
    deliverOutput();
    responseQueue_->async([self = std::static_pointer_cast<VLEncryptor>(shared_from_this()), &copy] {
        self->HMAC_->update(copy);
    });
}

void VLEncryptor::finishOnQueue() {
    if (finished_) return;
    // A stream finished without any data still gets its header, so it stays a container.
    writeHeaderIfNeeded();
    auto status = engine_->finish(outData_);
    if (HMAC_) {
        // Queued behind the MAC's pending updates.
        base::Data tag;
        responseQueue_->sync([&] {
            HMAC_->update(outData_);
            tag = HMAC_->finish(HMACLength_);
        });
        outData_.insert(outData_.end(), tag.begin(), tag.end());
    }
    cleanupAndNotifyWithError(status ? std::nullopt : std::optional<base::Error>(status.error()));
}
