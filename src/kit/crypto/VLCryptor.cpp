#include "crypto/VLCryptor.h"

#include <openssl/evp.h>
#include <openssl/rand.h>

#include <cerrno>
#include <climits>
#include <future>
#include <span>

#include "base/Semaphore.h"
#include "crypto/VLCryptorEngine.h"
#include "crypto/VLCryptorHMAC.h"
#include "crypto/VLInternalInconsistencyException.h"

namespace {

constexpr std::uint32_t kPBKDF2 = 2;

const EVP_MD* prfDigest(std::uint32_t prf) {
    switch (prf) {
        case 1:
            return EVP_sha1();
        case 2:
            return EVP_sha224();
        case 3:
            return EVP_sha256();
        case 4:
            return EVP_sha384();
        case 5:
            return EVP_sha512();
        default:
            return nullptr;
    }
}

// The length of UTF-8 text in UTF-16 code units: one per character, two for those beyond
// U+FFFF (four-byte sequences). Stray bytes count one each.
std::size_t utf16Length(std::string_view text) {
    std::size_t units = 0;
    for (unsigned char byte : text) {
        if ((byte & 0xC0) == 0x80) continue;  // continuation byte
        units += byte >= 0xF0 ? 2 : 1;
    }
    return units;
}

}  // namespace

VLCryptor::VLCryptor(Handler handler)
    : responseQueue_(std::make_shared<base::SerialQueue>("vellium.cryptor.response")),
      queue_(std::make_shared<base::SerialQueue>("vellium.cryptor.work")),
      handler_(std::move(handler)),
      ownQueue_(responseQueue_) {
    VLInternalInconsistencyException::require(static_cast<bool>(handler_), "aHandler");
}

VLCryptor::~VLCryptor() = default;

std::shared_ptr<VLCryptor> VLCryptor::create(Handler handler) {
    return std::shared_ptr<VLCryptor>(new VLCryptor(std::move(handler)));
}

base::Data VLCryptor::keyForPassword(std::string_view password, const base::Data& salt,
                                     const VLCryptorKeyDerivationSettings& settings) {
    if (settings.hasV2Password) password = password.substr(0, utf16Length(password));
    const EVP_MD* digest = prfDigest(settings.PRF);
    const bool supported = settings.PBKDFAlgorithm == kPBKDF2 && digest && settings.rounds > 0 &&
                           settings.rounds <= INT_MAX && password.size() <= INT_MAX &&
                           salt.size() <= INT_MAX && settings.keySize <= INT_MAX;
    if (!supported) {
        throw VLInternalInconsistencyException("Unable to create AES key for password: " +
                                               std::to_string(-4300));
    }
    base::Data key(settings.keySize);
    static const char kNoBytes[1] = {0};
    static const unsigned char kNoSalt[1] = {0};
    if (PKCS5_PBKDF2_HMAC(password.empty() ? kNoBytes : password.data(), static_cast<int>(password.size()),
                          salt.empty() ? kNoSalt : salt.data(), static_cast<int>(salt.size()),
                          static_cast<int>(settings.rounds), digest, static_cast<int>(key.size()),
                          key.data()) != 1) {
        throw VLInternalInconsistencyException("Unable to create AES key for password: " +
                                               std::to_string(-4308));
    }
    return key;
}

std::pair<base::Data, base::Data> VLCryptor::keysForPassword(
    std::string_view password, const base::Data& encryptionSalt,
    const VLCryptorKeyDerivationSettings& keySettings, const base::Data& HMACSalt,
    const VLCryptorKeyDerivationSettings& HMACKeySettings) {
    auto HMACKey =
        std::async(std::launch::async, [&] { return keyForPassword(password, HMACSalt, HMACKeySettings); });
    base::Data encryptionKey;
    try {
        encryptionKey = keyForPassword(password, encryptionSalt, keySettings);
    } catch (...) {
        HMACKey.wait();  // it reads the caller's arguments
        throw;
    }
    return {std::move(encryptionKey), HMACKey.get()};
}

base::Data VLCryptor::randomDataOfLength(std::size_t length) {
    base::Data bytes(length);
    if (length > INT_MAX)
        throw VLInternalInconsistencyException("Unable to generate random bytes: " + std::to_string(EINVAL));
    errno = 0;
    if (length > 0 && RAND_bytes(bytes.data(), static_cast<int>(length)) != 1) {
        throw VLInternalInconsistencyException("Unable to generate random bytes: " + std::to_string(errno));
    }
    return bytes;
}

std::optional<base::Data> VLCryptor::synchronousResultForCryptor(const std::shared_ptr<VLCryptor>& cryptor,
                                                                 base::Data data, base::Error* error) {
    if (!cryptor) {
        if (error) *error = base::Error{kVLCryptorErrorDomain, VLCryptorStatus::ParamError, {}};
        return std::nullopt;
    }
    // 1. A semaphore and an empty result. The handler co-owns the semaphore: signal() may
    // still be running in it when the waiting caller has already returned.
    auto done = std::make_shared<base::Semaphore>();
    base::Data result;
    std::optional<base::Error> failure;

    // 2. Collect every chunk; the final call records the outcome and wakes the caller.
    cryptor->setHandler([&result, &failure, done](VLCryptor& finishedCryptor, base::Data& chunk) {
        if (result.empty()) {
            result = std::move(chunk);
        } else {
            result.insert(result.end(), chunk.begin(), chunk.end());
        }
        if (finishedCryptor.finished()) {
            failure = finishedCryptor.error();
            done->signal();
        }
    });

    // 3. A fresh response queue, all the data, then finish.
    cryptor->setResponseQueue(std::make_shared<base::SerialQueue>("vellium.cryptor.response"));
    cryptor->addData(std::move(data));
    cryptor->finish();

    // 4. Wait for the final call.
    done->wait();
    if (failure) {
        if (error) *error = *failure;
        return std::nullopt;
    }
    return result;
}

void VLCryptor::addData(base::Data) {}

void VLCryptor::finish() {}

void VLCryptor::cleanupAndNotifyWithError(std::optional<base::Error> error) {
    // Recorded on the queue that makes the call, so intermediate calls still queued ahead of
    // it see the cryptor unfinished.
    const auto finalCall = [this, &error] {
        error_ = std::move(error);
        finished_ = true;
        makeFinalCall();
    };
    if (responseQueue_ == ownQueue_) {
        ownQueue_->sync(finalCall);
    } else {
        ownQueue_->sync([this, &finalCall] { responseQueue_->sync(finalCall); });
    }
}

void VLCryptor::makeFinalCall() {
    if (handler_) handler_(*this, outData_);
    outData_.clear();
    // Dropped outside the call so the final call is the last one the handler ever gets.
    handler_ = nullptr;
}

void VLCryptor::waitForQueuedWork() {
    queue_->sync([] {});
    ownQueue_->sync([] {});
    if (responseQueue_ != ownQueue_) responseQueue_->sync([] {});
}

VLCryptorBuffer& VLCryptor::pendingOutput() {
    if (!pending_) pending_ = pool_.acquire();
    return *pending_;
}

void VLCryptor::queueInput(base::Data piece) {
    bool post = false;
    {
        std::lock_guard lock(inputMutex_);
        input_.push_back(std::move(piece));
        post = !std::exchange(inputTaskQueued_, true);
    }
    if (post) runOnQueue(this, [](VLCryptor& self) { self.consumeQueuedInput(); });
}

void VLCryptor::consumeInput(base::Data&) {}

void VLCryptor::consumeQueuedInput() {
    {
        std::lock_guard lock(inputMutex_);
        taken_.swap(input_);
        inputTaskQueued_ = false;
    }
    // A long list fills several buffers: each goes out once full.
    for (std::size_t i = 0; i < taken_.size(); ++i) {
        consumeInput(taken_[i]);
        if (i + 1 < taken_.size()) handOffOutputIfDue(true);
    }
    taken_.clear();
}

void VLCryptor::handOffOutputIfDue(bool moreQueued) {
    // A buffer that holds no output yet keeps its MAC input until it does.
    if (!pending_ || pending_->length == 0) return;
    if (pending_->length < kHandOffSize) {
        if (moreQueued || queuedSteps_.load(std::memory_order_relaxed) != 0) return;
        // Buffers still on their way mean the other queue is busy: keep filling this one. The
        // flag is raised before the count is read again, and the other queue lowers the count
        // before it reads the flag, so one of the two sees the other and hands the buffer off.
        if (handedOff_.load() != 0) {
            holding_.store(true);
            if (handedOff_.load() != 0 || !holding_.exchange(false)) return;
        }
    }
    handOff();
}

void VLCryptor::handOff() {
    handedOff_.fetch_add(1);
    ownQueue_->async([keep = shared_from_this(), buffer = std::exchange(pending_, nullptr)] {
        keep->authenticateAndDeliver(buffer);
    });
}

void VLCryptor::authenticateAndDeliver(VLCryptorBuffer* buffer) {
    authenticate(*buffer);
    if (responseQueue_ == ownQueue_) {
        deliver(buffer);
        return;
    }
    responseQueue_->async([keep = shared_from_this(), buffer] { keep->deliver(buffer); });
}

void VLCryptor::deliver(VLCryptorBuffer* buffer) {
    buffer->bytes.resize(buffer->length);
    if (handler_) handler_(*this, buffer->bytes);
    pool_.release(buffer);
    // Caught up: ask the work queue for the buffer it kept meanwhile.
    if (handedOff_.fetch_sub(1) == 1 && holding_.exchange(false)) {
        queue_->async([keep = shared_from_this()] { keep->handOffOutputIfDue(); });
    }
}

void VLCryptor::authenticate(const VLCryptorBuffer& buffer) {
    if (!HMAC_) return;
    if (MACReadsOutput_) {
        HMAC_->update(std::span<const std::uint8_t>(buffer.bytes.data(), buffer.length));
        return;
    }
    for (const base::Data& piece : buffer.MACInput)
        MACTail_.feed(piece, [this](std::span<const std::uint8_t> bytes) { HMAC_->update(bytes); });
}

void VLCryptor::afterAuthentication(const std::function<void()>& task) { ownQueue_->sync(task); }

void VLCryptor::takePendingAsFinalOutput() {
    if (!pending_) return;
    // Swapped, not copied: the pool keeps whatever storage outData had.
    outData_.swap(pending_->bytes);
    outData_.resize(pending_->length);
    pool_.release(std::exchange(pending_, nullptr));
}

void VLCryptor::stopWithError(base::Error error) {
    stopped_ = true;
    if (pending_) pool_.release(std::exchange(pending_, nullptr));
    outData_.clear();
    cleanupAndNotifyWithError(std::move(error));
}

void VLCryptor::setResponseQueue(std::shared_ptr<base::SerialQueue> responseQueue) {
    responseQueue_ = std::move(responseQueue);
}

void VLCryptor::setHandler(Handler handler) {
    VLInternalInconsistencyException::require(static_cast<bool>(handler), "aHandler");
    handler_ = std::move(handler);
}
