#include <gtest/gtest.h>

#include "CryptorRecorder.h"
#include "ReferenceContainer.h"
#include "crypto/VLCryptorEngine.h"
#include "crypto/VLDecryptor.h"
#include "crypto/VLEncryptor.h"
#include "crypto/VLInternalInconsistencyException.h"

using reference::bytes;

namespace {

const base::Data kEncryptionSalt = bytes({0, 1, 2, 3, 4, 5, 6, 7});
const base::Data kHMACSalt = bytes({1, 2, 3, 4, 5, 6, 7, 8});
const base::Data kIV = bytes({2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0, 1});
const base::Data kKey(32, 0x11);
const base::Data kHMACKey(32, 0x22);

base::Data sampleText(std::size_t size) {
    base::Data data(size);
    for (std::size_t i = 0; i < size; ++i) data[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return data;
}

std::string preconditionText(const std::function<void()>& call) {
    try {
        call();
    } catch (const VLInternalInconsistencyException& exception) {
        return exception.what();
    }
    return "(nothing thrown)";
}

}  // namespace

TEST(VLEncryptor, EmptyMessagesHaveTheFormatsMinimumSizes) {
    auto withPassword = VLEncryptor::encryptData({}, kVLCryptorAES256Settings, "secret");
    ASSERT_TRUE(withPassword);
    EXPECT_EQ(withPassword->size(), 82u);
    EXPECT_EQ((*withPassword)[0], kVLCryptorFileVersion);
    EXPECT_EQ((*withPassword)[1], 1);

    auto withKeys = VLEncryptor::encryptData({}, kVLCryptorAES256Settings, kKey, kHMACKey);
    ASSERT_TRUE(withKeys);
    EXPECT_EQ(withKeys->size(), 66u);
    EXPECT_EQ((*withKeys)[1], 0);

    auto withoutHMAC = VLEncryptor::encryptData({}, kVLCryptorAES256Settings, kKey, std::nullopt);
    ASSERT_TRUE(withoutHMAC);
    EXPECT_EQ(withoutHMAC->size(), 34u);
}

TEST(VLEncryptor, PasswordContainerMatchesTheFormatByteForByte) {
    for (std::size_t size : {0u, 1u, 16u, 100u}) {
        const base::Data plaintext = sampleText(size);
        auto sealed = VLEncryptor::encryptData(plaintext, kVLCryptorAES256Settings, "thepassword", kIV,
                                               kEncryptionSalt, kHMACSalt);
        ASSERT_TRUE(sealed);
        EXPECT_EQ(*sealed,
                  reference::passwordContainer(3, "thepassword", kEncryptionSalt, kHMACSalt, kIV, plaintext))
            << "size " << size;
    }
}

TEST(VLEncryptor, KeyContainerMatchesTheFormatByteForByte) {
    const base::Data plaintext = sampleText(33);
    auto sealed = VLEncryptor::encryptData(plaintext, kVLCryptorAES256Settings, kKey, kHMACKey, kIV);
    ASSERT_TRUE(sealed);
    const base::Data body =
        reference::concat({bytes({3, 0}), kIV, reference::aes256cbc(kKey, kIV, plaintext)});
    EXPECT_EQ(*sealed, reference::concat({body, reference::hmacSHA256(kHMACKey, body)}));
}

TEST(VLEncryptor, StreamingInPiecesOrNoneGivesTheSameContainer) {
    for (std::size_t size : {0u, 1000u}) {  // finishing without data still writes the header
        const base::Data plaintext = sampleText(size);
        CryptorRecorder recorder;
        auto encryptor =
            VLEncryptor::create(kVLCryptorAES256Settings, kKey, kHMACKey, kIV, recorder.handler());
        for (std::size_t at = 0; at < plaintext.size(); at += 77) {
            encryptor->addData(
                base::Data(plaintext.begin() + at, plaintext.begin() + std::min(at + 77, plaintext.size())));
        }
        encryptor->finish();
        recorder.waitForFinal();
        EXPECT_EQ(recorder.all(),
                  *VLEncryptor::encryptData(plaintext, kVLCryptorAES256Settings, kKey, kHMACKey, kIV));
        EXPECT_FALSE(recorder.state->error);
    }
}

TEST(VLEncryptor, HandlerRunsOnTheResponseQueueAndFinishesOnce) {
    CryptorRecorder recorder;
    auto encryptor = VLEncryptor::create(kVLCryptorAES256Settings, kKey, kHMACKey, recorder.handler());
    encryptor->addData(sampleText(10));
    encryptor->addData(sampleText(40));
    encryptor->finish();
    recorder.waitForFinal();
    // Ignored once finished.
    encryptor->addData(sampleText(10));
    encryptor->finish();
    encryptor.reset();  // the queues drain before the cryptor goes

    std::lock_guard lock(recorder.state->mutex);
    EXPECT_EQ(recorder.state->finalCalls, 1);
    EXPECT_EQ(recorder.state->callsAfterFinal, 0);
    // Steps still queued behind one share its chunk (the final one too), so there may be
    // fewer calls than steps.
    ASSERT_GE(recorder.state->threads.size(), 1u);
    ASSERT_LE(recorder.state->threads.size(), 3u);
    for (auto id : recorder.state->threads) {
        EXPECT_NE(id, std::this_thread::get_id());
        EXPECT_EQ(id, recorder.state->threads.front());
    }
    EXPECT_EQ(recorder.all().size(), 2 + 16 + 64u + 32);
}

TEST(VLEncryptor, RefusedKeyReportsThroughTheHandlerAndGivesNoEncryptor) {
    CryptorRecorder recorder;
    auto encryptor =
        VLEncryptor::create(kVLCryptorAES256Settings, base::Data(5, 1), kHMACKey, kIV, recorder.handler());
    EXPECT_EQ(encryptor, nullptr);
    recorder.waitForFinal();
    ASSERT_TRUE(recorder.state->error);
    EXPECT_EQ(recorder.state->error->code, VLCryptorStatus::KeySizeError);
    EXPECT_EQ(recorder.state->error->domain, kVLCryptorErrorDomain);

    base::Error error;
    EXPECT_FALSE(VLEncryptor::encryptData({1}, kVLCryptorAES256Settings, base::Data(5, 1), kHMACKey, &error));
    EXPECT_EQ(error.code, VLCryptorStatus::KeySizeError);
}

TEST(VLEncryptor, ViolatedPreconditionsThrowWithTheConditionText) {
    const auto handler = [](VLCryptor&, base::Data&) {};
    const auto settings = kVLCryptorAES256Settings;
    EXPECT_EQ(preconditionText([&] { VLEncryptor::create(settings, std::string(), handler); }),
              "Invalid parameter not satisfying: aPassword.length > 0");
    EXPECT_EQ(preconditionText([&] {
                  VLEncryptor::create(settings, "pw", std::nullopt, kEncryptionSalt, kHMACSalt, handler);
              }),
              "Invalid parameter not satisfying: anIV");
    EXPECT_EQ(
        preconditionText([&] { VLEncryptor::create(settings, "pw", kIV, std::nullopt, kHMACSalt, handler); }),
        "Invalid parameter not satisfying: anEncryptionSalt");
    EXPECT_EQ(preconditionText(
                  [&] { VLEncryptor::create(settings, "pw", kIV, kEncryptionSalt, std::nullopt, handler); }),
              "Invalid parameter not satisfying: anHMACSalt");
    EXPECT_EQ(preconditionText([&] { VLEncryptor::create(settings, kKey, kHMACKey, nullptr); }),
              "Invalid parameter not satisfying: aHandler");
    EXPECT_EQ(preconditionText([&] { VLDecryptor::create(std::optional<std::string>(), handler); }),
              "Invalid parameter not satisfying: aPassword != nil");
    EXPECT_EQ(preconditionText([&] { VLCryptor::create(nullptr); }),
              "Invalid parameter not satisfying: aHandler");
}

TEST(VLEncryptor, KeyDerivationWithVersion2PasswordsCutsToUTF16Length) {
    // "pässwörd" is 10 UTF-8 bytes but 8 UTF-16 units; "a😀" is 5 bytes and 3 units.
    auto v2 = kVLCryptorAES256Settings.keySettings;
    v2.hasV2Password = true;
    EXPECT_EQ(VLCryptor::keyForPassword("p\xC3\xA4ssw\xC3\xB6rd", kEncryptionSalt, v2),
              reference::pbkdf2("p\xC3\xA4ssw\xC3\xB6", kEncryptionSalt));
    EXPECT_EQ(VLCryptor::keyForPassword("a\xF0\x9F\x98\x80", kEncryptionSalt, v2),
              reference::pbkdf2("a\xF0\x9F", kEncryptionSalt));
    EXPECT_EQ(VLCryptor::keyForPassword("p\xC3\xA4ssw\xC3\xB6rd", kEncryptionSalt,
                                        kVLCryptorAES256Settings.keySettings),
              reference::pbkdf2("p\xC3\xA4ssw\xC3\xB6rd", kEncryptionSalt));
}
