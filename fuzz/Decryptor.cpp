// Random bytes fed to the container decryptor, in random-sized pieces, with keys (with and
// without an HMAC key) or a password: it must end with a final handler call, never crash
// or hang.
//
// Input: mode byte, piece-size byte, then the container bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "crypto/VLDecryptor.h"

namespace {

const base::Data kKey(32, 0x11);
const base::Data kHMACKey(32, 0x22);

std::shared_ptr<VLDecryptor> makeDecryptor(std::uint8_t mode, VLCryptor::Handler handler) {
    switch (mode % 3) {
        case 0:
            return VLDecryptor::create(kKey, kHMACKey, std::move(handler));
        case 1:
            return VLDecryptor::create(kKey, std::nullopt, std::move(handler));
        default: {
            auto decryptor = VLDecryptor::create(std::string("pw"), std::move(handler));
            // One derivation round keeps the target fast; parsing does not depend on it.
            VLCryptorSettings settings = kVLCryptorAES256Settings;
            settings.keySettings.rounds = 1;
            settings.HMACKeySettings.rounds = 1;
            decryptor->setSettings(settings);
            return decryptor;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::uint8_t mode = data[0];
    const std::size_t piece = std::size_t{data[1]} + 1;
    data += 2;
    size -= 2;

    int finalCalls = 0;
    auto decryptor = makeDecryptor(mode, [&finalCalls](VLCryptor& cryptor, base::Data&) {
        if (cryptor.finished()) ++finalCalls;
    });
    for (std::size_t at = 0; at < size; at += piece) {
        const std::size_t end = at + piece < size ? at + piece : size;
        decryptor->addData(base::Data(data + at, data + end));
    }
    decryptor->finish();
    decryptor->waitForQueuedWork();
    if (finalCalls != 1 || !decryptor->finished()) std::abort();
    return 0;
}
