#include <gtest/gtest.h>

#include "CryptorRecorder.h"
#include "ReferenceContainer.h"
#include "crypto/VLCryptorEngine.h"
#include "crypto/VLDecryptor.h"
#include "crypto/VLEncryptor.h"

using reference::bytes;

namespace {

const base::Data kEncryptionSalt = bytes({8, 7, 6, 5, 4, 3, 2, 1});
const base::Data kHMACSalt = bytes({9, 9, 9, 9, 1, 1, 1, 1});
const base::Data kIV(16, 0x5A);
const base::Data kKey(32, 0x11);
const base::Data kHMACKey(32, 0x22);
const base::Data kMessage{'s', 'e', 'a', 'l', 'e', 'd', ' ', 'u', 's',
                          'e', 'r', ' ', 'd', 'a', 't', 'a', '!'};

// One derivation round keeps the byte-by-byte sweeps fast; the format does not depend on it.
VLCryptorSettings fastSettings() {
    VLCryptorSettings settings = kVLCryptorAES256Settings;
    settings.keySettings.rounds = 1;
    settings.HMACKeySettings.rounds = 1;
    return settings;
}

// Feeds `container` to `decryptor` in pieces of `step` bytes and waits for the final call.
CryptorRecorder feed(const base::Data& container, std::size_t step,
                     const std::function<std::shared_ptr<VLDecryptor>(VLCryptor::Handler)>& make) {
    CryptorRecorder recorder;
    auto decryptor = make(recorder.handler());
    for (std::size_t at = 0; at < container.size(); at += step) {
        const std::size_t end = std::min(at + step, container.size());
        decryptor->addData(base::Data(container.begin() + at, container.begin() + end));
    }
    decryptor->finish();
    recorder.waitForFinal();
    return recorder;
}

auto withPassword(const std::string& password, std::optional<VLCryptorSettings> settings = std::nullopt) {
    return [=](VLCryptor::Handler handler) {
        auto decryptor = VLDecryptor::create(password, std::move(handler));
        if (settings) decryptor->setSettings(*settings);
        return decryptor;
    };
}

auto withKeys(std::optional<base::Data> HMACKey = kHMACKey) {
    return [=](VLCryptor::Handler handler) { return VLDecryptor::create(kKey, HMACKey, std::move(handler)); };
}

}  // namespace

TEST(VLDecryptor, OpensWhatTheEncryptorSeals) {
    for (std::size_t size : {0u, 1u, 15u, 16u, 17u, 4096u}) {
        const base::Data plaintext(size, static_cast<std::uint8_t>(size));
        auto sealed = VLEncryptor::encryptData(plaintext, kVLCryptorAES256Settings, kKey, kHMACKey);
        ASSERT_TRUE(sealed);
        EXPECT_EQ(VLDecryptor::decryptData(*sealed, kKey, kHMACKey), plaintext) << "size " << size;
    }
    auto sealed = VLEncryptor::encryptData(kMessage, kVLCryptorAES256Settings, "correct horse");
    EXPECT_EQ(VLDecryptor::decryptData(*sealed, std::string("correct horse")), kMessage);
}

TEST(VLDecryptor, ByteAtATimeEqualsWhole) {
    const base::Data plaintext(300, 0xA5);
    const base::Data container =
        reference::passwordContainer(3, "pw", kEncryptionSalt, kHMACSalt, kIV, plaintext, 1);
    for (std::size_t step : {std::size_t{1}, std::size_t{3}, std::size_t{31}, std::size_t{32},
                             std::size_t{33}, container.size()}) {
        CryptorRecorder recorder = feed(container, step, withPassword("pw", fastSettings()));
        EXPECT_FALSE(recorder.state->error) << "step " << step;
        EXPECT_EQ(recorder.all(), plaintext) << "step " << step;
    }
}

TEST(VLDecryptor, EverySingleByteChangeFailsWithoutFinalPlaintext) {
    const base::Data container =
        reference::passwordContainer(3, "pw", kEncryptionSalt, kHMACSalt, kIV, kMessage, 1);
    ASSERT_EQ(VLDecryptor::decryptData(container, fastSettings(), std::string("pw")), kMessage);

    for (std::size_t at = 0; at < container.size(); ++at) {
        for (std::uint8_t flip : {0x01, 0x80}) {
            base::Data altered = container;
            altered[at] ^= flip;
            CryptorRecorder recorder = feed(altered, 7, withPassword("pw", fastSettings()));
            SCOPED_TRACE("byte " + std::to_string(at) + " flip " + std::to_string(flip));
            ASSERT_TRUE(recorder.state->error);
            EXPECT_TRUE(recorder.state->finalChunk.empty());
            const long code = recorder.state->error->code;
            if (at == 0 && altered[0] != 2) {
                EXPECT_EQ(code, kVLCryptorUnknownHeader);
                EXPECT_EQ(recorder.state->error->description, "Unknown header");
            } else if (at == 1 && (altered[1] & 1) == 0) {
                EXPECT_EQ(code, kVLCryptorMissingKey);
                EXPECT_FALSE(recorder.state->error->description.empty());
            } else {
                EXPECT_EQ(code, kVLCryptorHMACMismatch);
                EXPECT_EQ(recorder.state->error->description, "HMAC Mismatch");
            }
        }
    }
}

TEST(VLDecryptor, EverySingleByteChangeOfAKeyContainerFails) {
    auto container = VLEncryptor::encryptData(kMessage, kVLCryptorAES256Settings, kKey, kHMACKey);
    ASSERT_TRUE(container);
    for (std::size_t at = 0; at < container->size(); ++at) {
        base::Data altered = *container;
        altered[at] ^= 0x01;
        base::Error error;
        EXPECT_FALSE(VLDecryptor::decryptData(altered, kKey, kHMACKey, &error)) << "byte " << at;
        // 3 -> 2 keeps a valid version, and options bit 0 names a password container.
        const long expected = at == 0   ? kVLCryptorHMACMismatch
                              : at == 1 ? kVLCryptorKeysAndPasswordSet
                                        : kVLCryptorHMACMismatch;
        EXPECT_EQ(error.code, expected) << "byte " << at;
    }
}

TEST(VLDecryptor, UnknownVersionsAndShortInput) {
    for (std::uint8_t version : {0, 1, 4, 255}) {
        base::Data container = *VLEncryptor::encryptData(kMessage, kVLCryptorAES256Settings, kKey, kHMACKey);
        container[0] = version;
        base::Error error;
        EXPECT_FALSE(VLDecryptor::decryptData(container, kKey, kHMACKey, &error));
        EXPECT_EQ(error, (base::Error{kVLCryptorErrorDomain, kVLCryptorUnknownHeader, "Unknown header"}));
    }
    // A stream that ends inside the header has opened nothing: an error, not empty plaintext.
    for (std::size_t size : {0u, 1u, 2u, 17u}) {
        base::Error error;
        EXPECT_FALSE(VLDecryptor::decryptData(base::Data(size, 3), kKey, kHMACKey, &error)) << size;
        EXPECT_EQ(error.code, kVLCryptorUnknownHeader);
    }
    // A whole header with a tag cut short fails authentication.
    base::Data container = *VLEncryptor::encryptData(kMessage, kVLCryptorAES256Settings, kKey, kHMACKey);
    container.resize(container.size() - 1);
    base::Error error;
    EXPECT_FALSE(VLDecryptor::decryptData(container, kKey, kHMACKey, &error));
    EXPECT_EQ(error.code, kVLCryptorHMACMismatch);
}

TEST(VLDecryptor, Version2PasswordsOpenOnlyWithTheTruncatedBytes) {
    const std::string password = "p\xC3\xA4ssw\xC3\xB6rd";  // 10 bytes, 8 UTF-16 units
    const base::Data truncated =
        reference::passwordContainer(2, "p\xC3\xA4ssw\xC3\xB6", kEncryptionSalt, kHMACSalt, kIV, kMessage);
    const base::Data whole =
        reference::passwordContainer(2, password, kEncryptionSalt, kHMACSalt, kIV, kMessage);
    EXPECT_EQ(VLDecryptor::decryptData(truncated, password), kMessage);
    base::Error error;
    EXPECT_FALSE(VLDecryptor::decryptData(whole, password, &error));
    EXPECT_EQ(error.code, kVLCryptorHMACMismatch);
    // Version 3 uses every byte.
    const base::Data v3 =
        reference::passwordContainer(3, password, kEncryptionSalt, kHMACSalt, kIV, kMessage);
    EXPECT_EQ(VLDecryptor::decryptData(v3, password), kMessage);
}

TEST(VLDecryptor, KeysWithoutHMACKeyTakeEverythingAfterTheHeaderAsCiphertext) {
    const base::Data container =
        reference::concat({bytes({3, 0}), kIV, reference::aes256cbc(kKey, kIV, kMessage)});
    EXPECT_EQ(VLDecryptor::decryptData(container, kKey, std::nullopt), kMessage);
    CryptorRecorder recorder = feed(container, 1, withKeys(std::nullopt));
    EXPECT_EQ(recorder.all(), kMessage);
    // With a tag appended, that tag is ciphertext too and the padding no longer checks out.
    base::Error error;
    auto tagged = VLEncryptor::encryptData(kMessage, kVLCryptorAES256Settings, kKey, kHMACKey);
    EXPECT_FALSE(VLDecryptor::decryptData(*tagged, kKey, std::nullopt, &error));
    EXPECT_EQ(error.code, VLCryptorStatus::DecodeError);
}

TEST(VLDecryptor, KeyHoldingDecryptorRefusesPasswordContainers) {
    const base::Data container =
        reference::passwordContainer(3, "pw", kEncryptionSalt, kHMACSalt, kIV, kMessage, 1);
    CryptorRecorder recorder = feed(container, 5, withKeys());
    ASSERT_TRUE(recorder.state->error);
    EXPECT_EQ(recorder.state->error->code, kVLCryptorKeysAndPasswordSet);
    EXPECT_EQ(recorder.state->error->description, "Both password and the key (1) or HMACKey (1) are set.");
    base::Error error;
    EXPECT_FALSE(VLDecryptor::decryptData(container, kKey, std::nullopt, &error));
    EXPECT_EQ(error.description, "Both password and the key (1) or HMACKey (0) are set.");
}

TEST(VLDecryptor, ReleasesPlaintextOnlyAsTheStreamGoesAndFinishesOnce) {
    auto container = VLEncryptor::encryptData(base::Data(5000, 7), kVLCryptorAES256Settings, kKey, kHMACKey);
    CryptorRecorder recorder;
    auto decryptor = VLDecryptor::create(kKey, kHMACKey, recorder.handler());
    decryptor->addData(*container);
    decryptor->finish();
    decryptor->finish();
    decryptor->addData(base::Data(64, 0));
    recorder.waitForFinal();
    decryptor.reset();
    EXPECT_EQ(recorder.state->finalCalls, 1);
    EXPECT_EQ(recorder.state->callsAfterFinal, 0);
    EXPECT_FALSE(recorder.state->error);
    EXPECT_EQ(recorder.all(), base::Data(5000, 7));
}
