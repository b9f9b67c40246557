#pragma once

#include <memory>
#include <optional>
#include <string>

#include "crypto/VLCryptor.h"
#include "crypto/VLCryptorSettings.h"

// Seals data in the container format, with keys given directly or derived from a password.
// The header goes out with the first output; finish appends the last block and the HMAC.
class VLEncryptor : public VLCryptor {
public:
    // Synchronous sealing: the whole container, or nothing with `*error` set.
    [[nodiscard]] static std::optional<base::Data> encryptData(const base::Data& data,
                                                               const VLCryptorSettings& settings,
                                                               const std::string& password,
                                                               base::Error* error = nullptr);
    [[nodiscard]] static std::optional<base::Data> encryptData(
        const base::Data& data, const VLCryptorSettings& settings, const std::string& password,
        const std::optional<base::Data>& IV, const std::optional<base::Data>& encryptionSalt,
        const std::optional<base::Data>& HMACSalt, base::Error* error = nullptr);
    [[nodiscard]] static std::optional<base::Data> encryptData(const base::Data& data,
                                                               const VLCryptorSettings& settings,
                                                               const base::Data& encryptionKey,
                                                               const std::optional<base::Data>& HMACKey,
                                                               base::Error* error = nullptr);
    [[nodiscard]] static std::optional<base::Data> encryptData(const base::Data& data,
                                                               const VLCryptorSettings& settings,
                                                               const base::Data& encryptionKey,
                                                               const std::optional<base::Data>& HMACKey,
                                                               const std::optional<base::Data>& IV,
                                                               base::Error* error = nullptr);

    // With a password: a random IV and random salts. Precondition: a non-empty password.
    static std::shared_ptr<VLEncryptor> create(const VLCryptorSettings& settings, const std::string& password,
                                               Handler handler);
    // With a password, IV and salts. Preconditions: a non-empty password, an IV, both salts.
    static std::shared_ptr<VLEncryptor> create(const VLCryptorSettings& settings, const std::string& password,
                                               const std::optional<base::Data>& IV,
                                               const std::optional<base::Data>& encryptionSalt,
                                               const std::optional<base::Data>& HMACSalt, Handler handler);
    // With keys and a random IV of the settings' IVSize; the container itself always uses
    // kVLCryptorAES256Settings. No HMAC key, no HMAC.
    static std::shared_ptr<VLEncryptor> create(const VLCryptorSettings& settings,
                                               const base::Data& encryptionKey,
                                               const std::optional<base::Data>& HMACKey, Handler handler);
    // With keys and an IV. Precondition: an IV. When the cipher refuses the key or IV the
    // handler gets the error and no encryptor is returned.
    static std::shared_ptr<VLEncryptor> create(const VLCryptorSettings& settings,
                                               const base::Data& encryptionKey,
                                               const std::optional<base::Data>& HMACKey,
                                               const std::optional<base::Data>& IV, Handler handler);
    ~VLEncryptor() override;

    void addData(base::Data data) override;
    void finish() override;
    // Version, options, the salts (password containers only), then the IV.
    base::Data header() const;

private:
    explicit VLEncryptor(Handler handler);
    // Sets up the HMAC and the engine; false (after the final handler call) on failure.
    bool start(const VLCryptorSettings& settings, const base::Data& encryptionKey,
               const std::optional<base::Data>& HMACKey, const base::Data& IV);
    void writeHeaderIfNeeded();
    // Encrypts a chunk (the header goes before the first).
    void consumeInput(base::Data& data) override;
    void finishOnQueue();

    bool haveWrittenHeader_ = false;
    base::Data encryptionSalt_;
    base::Data HMACSalt_;
    base::Data IV_;
};
