#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "base/Result.h"
#include "base/Value.h"
#include "crypto/VLCryptorBuffer.h"
#include "crypto/VLCryptorSettings.h"

enum class VLCryptorOperation : std::uint32_t { Encrypt = 0, Decrypt = 1 };

// Status codes of the cipher, reported as error codes in kVLCryptorErrorDomain. The values are
// those of the reference cryptographic library, so codes read the same on every platform.
namespace VLCryptorStatus {
inline constexpr long ParamError = -4300;
inline constexpr long MemoryFailure = -4302;
inline constexpr long AlignmentError = -4303;
inline constexpr long DecodeError = -4304;
inline constexpr long Unimplemented = -4305;
inline constexpr long KeySizeError = -4310;
}  // namespace VLCryptorStatus

// The block cipher of a container: one direction, one key and IV, fed in pieces of any size.
class VLCryptorEngine {
public:
    // Fails with the cipher's status when the settings name an unsupported algorithm or mode,
    // or the key or IV has the wrong length.
    static base::Result<std::shared_ptr<VLCryptorEngine>> create(VLCryptorOperation operation,
                                                                 const VLCryptorSettings& settings,
                                                                 const base::Data& key, const base::Data& IV);
    ~VLCryptorEngine();
    VLCryptorEngine(const VLCryptorEngine&) = delete;
    VLCryptorEngine& operator=(const VLCryptorEngine&) = delete;

    // The bytes the cipher produces for `data`.
    base::Result<base::Data> addData(std::span<const std::uint8_t> data);
    // The last bytes: the padding block when encrypting, the unpadded tail when decrypting.
    base::Result<base::Data> finish();

    // As above, appending the output to `output` instead of returning it, so a caller that
    // keeps its own buffer pays no extra copy.
    base::Result<void> addData(std::span<const std::uint8_t> data, base::Data& output);
    base::Result<void> finish(base::Data& output);
    // As above, writing after the buffer's first `length` bytes and advancing it. The storage
    // grows only when it is too small, so a reused buffer is not cleared first.
    base::Result<void> addData(std::span<const std::uint8_t> data, VLCryptorBuffer& output);
    base::Result<void> finish(VLCryptorBuffer& output);

private:
    struct Cipher;
    explicit VLCryptorEngine(std::unique_ptr<Cipher> cryptor);
    // Runs the cipher over `data` into `storage` from `at` on, growing the storage as needed;
    // the count of bytes written.
    base::Result<std::size_t> update(std::span<const std::uint8_t> data, base::Data& storage, std::size_t at);
    base::Result<std::size_t> finalBlock(base::Data& storage, std::size_t at);

    std::unique_ptr<Cipher> cryptor_;
    base::Data buffer_;
};
