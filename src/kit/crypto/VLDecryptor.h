#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>

#include "crypto/VLCryptor.h"
#include "crypto/VLCryptorSettings.h"
#include "crypto/VLCryptorTail.h"

// Opens containers of versions 2 and 3. The header is parsed on the caller's thread as the
// bytes arrive; everything after it except the last HMACLength bytes (the tag, once the
// stream ends) is decrypted on the work queue. finish checks the tag before it releases the
// last block: on a mismatch the final handler call carries error 1 and no data.
//
// Intermediate chunks are plaintext that has not been authenticated yet; a caller that must
// not act on unauthenticated data keeps them until the final call reports success.
class VLDecryptor : public VLCryptor {
public:
    // Synchronous opening: the plaintext, or nothing with `*error` set. The settings variants
    // use `settings` instead of kVLCryptorAES256Settings.
    [[nodiscard]] static std::optional<base::Data> decryptData(const base::Data& data,
                                                               const std::optional<std::string>& password,
                                                               base::Error* error = nullptr);
    [[nodiscard]] static std::optional<base::Data> decryptData(const base::Data& data,
                                                               const base::Data& encryptionKey,
                                                               const std::optional<base::Data>& HMACKey,
                                                               base::Error* error = nullptr);
    [[nodiscard]] static std::optional<base::Data> decryptData(const base::Data& data,
                                                               const VLCryptorSettings& settings,
                                                               const std::optional<std::string>& password,
                                                               base::Error* error = nullptr);
    [[nodiscard]] static std::optional<base::Data> decryptData(const base::Data& data,
                                                               const VLCryptorSettings& settings,
                                                               const base::Data& encryptionKey,
                                                               const std::optional<base::Data>& HMACKey,
                                                               base::Error* error = nullptr);

    // For key containers. Without an HMAC key nothing is authenticated and every byte after
    // the header is taken as ciphertext.
    static std::shared_ptr<VLDecryptor> create(const base::Data& encryptionKey,
                                               const std::optional<base::Data>& HMACKey, Handler handler);
    // For password containers. Precondition: a password (it may be empty).
    static std::shared_ptr<VLDecryptor> create(const std::optional<std::string>& password, Handler handler);
    ~VLDecryptor() override;

    void addData(base::Data data) override;
    void finish() override;

    // Set before the first addData; a version-2 header marks both key derivations hasV2Password.
    const VLCryptorSettings& settings() const { return settings_; }
    void setSettings(const VLCryptorSettings& settings) { settings_ = settings; }
    // A tag that leaves the header out (the format before version 2).
    bool hasV1HMAC() const { return hasV1HMAC_; }
    void setHasV1HMAC(bool hasV1HMAC) { hasV1HMAC_ = hasV1HMAC; }

    // Parses and removes the header from the front of `data` once all of it is there, then
    // sets up the engine and the HMAC; ends the operation on a bad header.
    void consumeHeaderFromData(base::Data& data);
    // Takes the version and options bytes; false for an unknown version.
    bool updateOptionsForPreamble(std::span<const std::uint8_t, 2> preamble);

private:
    explicit VLDecryptor(Handler handler);
    void startDecrypting(const base::Data& header, const base::Data& IV);
    // The piece is kept for the MAC, which reads it on the other queue.
    void consumeInput(base::Data& piece) override;
    void finishOnQueue();
    void fail(long code, std::string description);

    base::Data inData_;         // the header, until it is complete
    VLCryptorTail cipherTail_;  // the work queue's
    // Set by finish on the caller's thread: later data must not touch the header state the
    // work queue is about to read.
    bool finishRequested_ = false;
    bool hasV1HMAC_ = false;
    std::optional<base::Data> encryptionKey_;
    std::optional<base::Data> HMACKey_;
    std::optional<std::string> password_;
    VLCryptorSettings settings_ = kVLCryptorAES256Settings;
};
