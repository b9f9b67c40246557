#include <gtest/gtest.h>

#include <future>

#include "CryptorRecorder.h"
#include "ReferenceContainer.h"
#include "crypto/VLDecryptor.h"
#include "crypto/VLEncryptor.h"

namespace {

const base::Data kKey(32, 0x31);
const base::Data kHMACKey(32, 0x32);
const base::Data kIV(16, 0x33);

base::Data sampleText(std::size_t size) {
    base::Data data(size);
    for (std::size_t i = 0; i < size; ++i) data[i] = static_cast<std::uint8_t>(i * 29 + (i >> 11));
    return data;
}

base::Data referenceContainer(const base::Data& plaintext) {
    const base::Data body =
        reference::concat({reference::bytes({3, 0}), kIV, reference::aes256cbc(kKey, kIV, plaintext)});
    return reference::concat({body, reference::hmacSHA256(kHMACKey, body)});
}

// Feeds `input` in pieces of `step` bytes, finishes at once and waits for the final call.
void feed(VLCryptor& cryptor, const base::Data& input, std::size_t step, const CryptorRecorder& recorder) {
    for (std::size_t at = 0; at < input.size(); at += step) {
        const auto begin = input.begin() + static_cast<std::ptrdiff_t>(at);
        cryptor.addData(
            base::Data(begin, begin + static_cast<std::ptrdiff_t>(std::min(step, input.size() - at))));
    }
    cryptor.finish();
    recorder.waitForFinal();
}

std::shared_ptr<VLCryptor> encryptor(const CryptorRecorder& recorder) {
    return VLEncryptor::create(kVLCryptorAES256Settings, kKey, kHMACKey, kIV, recorder.handler());
}

std::shared_ptr<VLCryptor> decryptor(const CryptorRecorder& recorder) {
    return VLDecryptor::create(kKey, kHMACKey, recorder.handler());
}

}  // namespace

TEST(VLCryptorStreaming, PiecesOfAnySizeSealTheFormatsBytesAndOpenThemAgain) {
    // Single bytes; odd pieces over more than one hand-off; pieces bigger than a hand-off.
    const std::pair<std::size_t, std::size_t> cases[] = {
        {1, 40'000}, {15, 600'001}, {1 << 20, (3 << 20) + 7}};
    for (auto [step, size] : cases) {
        SCOPED_TRACE("pieces of " + std::to_string(step));
        const base::Data plaintext = sampleText(size);
        CryptorRecorder sealed, opened;
        feed(*encryptor(sealed), plaintext, step, sealed);
        EXPECT_EQ(sealed.all(), referenceContainer(plaintext));
        feed(*decryptor(opened), sealed.all(), step, opened);
        EXPECT_EQ(opened.all(), plaintext);
        for (const auto& recorder : {sealed, opened}) {
            EXPECT_FALSE(recorder.state->error);
            EXPECT_EQ(recorder.state->finalCalls, 1);
        }
    }
}

TEST(VLCryptorStreaming, TamperedStreamsFailAtFinishWithoutFinalPlaintext) {
    const base::Data container = referenceContainer(sampleText(1 << 20));
    auto flip = [&](std::size_t at) {
        base::Data altered = container;
        altered[at] ^= 0x04;
        return altered;
    };
    base::Data truncated(container.begin(), container.end() - 16);
    for (const base::Data& altered :
         {flip(40), flip(container.size() / 2), flip(container.size() - 1), truncated}) {
        CryptorRecorder recorder;
        feed(*decryptor(recorder), altered, 64 << 10, recorder);
        ASSERT_TRUE(recorder.state->error);
        EXPECT_EQ(recorder.state->error->code, kVLCryptorHMACMismatch);
        EXPECT_TRUE(recorder.state->finalChunk.empty());
        EXPECT_EQ(recorder.state->callsAfterFinal, 0);
    }
}

TEST(VLCryptorStreaming, AnInstalledResponseQueueGetsEveryCallInOrderWithFinishLast) {
    const base::Data plaintext = sampleText(700'000);
    auto queue = std::make_shared<base::SerialQueue>("test.response");
    std::thread::id queueThread;
    queue->sync([&] { queueThread = std::this_thread::get_id(); });
    CryptorRecorder sealed, opened;
    for (auto [cryptor, input, recorder] :
         {std::tuple(encryptor(sealed), plaintext, sealed),
          std::tuple(decryptor(opened), referenceContainer(plaintext), opened)}) {
        cryptor->setResponseQueue(queue);
        feed(*cryptor, input, 10'000, recorder);
        EXPECT_EQ(recorder.state->callsAfterFinal, 0);
        for (auto id : recorder.state->threads) EXPECT_EQ(id, queueThread);
    }
    EXPECT_EQ(sealed.all(), referenceContainer(plaintext));
    EXPECT_EQ(opened.all(), plaintext);
}

TEST(VLCryptorStreaming, ReleasedMidStreamItDrainsWithoutAFinalCall) {
    CryptorRecorder recorder;
    auto cryptor = encryptor(recorder);
    for (int i = 0; i < 20; ++i) cryptor->addData(sampleText(300'000));
    const std::weak_ptr<VLCryptor> watched = cryptor;
    cryptor.reset();  // its queued steps hold it until they have run
    while (!watched.expired()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::lock_guard lock(recorder.state->mutex);
    EXPECT_EQ(recorder.state->finalCalls, 0);
    EXPECT_GT(recorder.state->intermediate.size(), 0u);
}

TEST(VLCryptorStreaming, OutputKeptWhileTheHandlerIsBusyFollowsOnceItReturns) {
    // The handler holds its first call while a second piece arrives; the output of that piece
    // must still come out once the handler returns, with no more input and no finish.
    const base::Data plaintext = sampleText(8192);
    const base::Data container = referenceContainer(plaintext);
    struct Case {
        bool seal;
        const base::Data& input;
        std::size_t firstPiece;
        std::size_t secondPiece;
        // The least output due before finish: the cipher may keep one block back.
        std::size_t due;
    };
    const Case cases[] = {
        {true, plaintext, 4096, 4096, 34 + 8192 - 16},
        {false, container, 34 + 4096, 4096, 4096 + 4096 - 32 - 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seal ? "sealing" : "opening");
        CryptorRecorder recorder;
        std::promise<void> entered, release;
        std::shared_future<void> released = release.get_future().share();
        bool first = true;
        VLCryptor::Handler gated = [&, record = recorder.handler()](VLCryptor& cryptor, base::Data& chunk) {
            if (std::exchange(first, false)) {
                entered.set_value();
                released.wait();
            }
            record(cryptor, chunk);
        };
        auto cryptor = c.seal ? VLEncryptor::create(kVLCryptorAES256Settings, kKey, kHMACKey, kIV, gated)
                              : std::shared_ptr<VLCryptor>(VLDecryptor::create(kKey, kHMACKey, gated));
        auto piece = [&](std::size_t from, std::size_t size) {
            const auto begin = c.input.begin() + static_cast<std::ptrdiff_t>(from);
            return base::Data(begin, begin + static_cast<std::ptrdiff_t>(size));
        };
        cryptor->addData(piece(0, c.firstPiece));
        entered.get_future().wait();
        cryptor->addData(piece(c.firstPiece, c.secondPiece));
        // Lets the work queue reach the second piece while the first is still with the handler.
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        release.set_value();
        for (int wait = 0; wait < 10'000; ++wait) {
            {
                std::lock_guard lock(recorder.state->mutex);
                if (recorder.state->intermediate.size() >= c.due) break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        {
            std::lock_guard lock(recorder.state->mutex);
            EXPECT_GE(recorder.state->intermediate.size(), c.due);
        }
        const std::size_t fed = c.firstPiece + c.secondPiece;
        cryptor->addData(piece(fed, c.input.size() - fed));
        cryptor->finish();
        recorder.waitForFinal();
        EXPECT_TRUE(recorder.all() == (c.seal ? container : plaintext));
    }
}
