#pragma once

// The encrypted container: a streaming encryptor and decryptor for format version 3 (version 2
// is read too).
//
//   version (1) | options (1) | [encryption salt (8) | HMAC salt (8)] | IV (16) | ciphertext | HMAC (32)
//
// Options bit 0 says the keys were derived from a password with the two salts. The ciphertext
// is AES-256-CBC with PKCS#7 padding; the HMAC-SHA256 covers every byte before it.
//
// A cryptor is created with a handler, then fed with any number of addData calls and one
// finish. Each cryptor owns a serial work queue, on which the data and finish steps run in
// call order, and a serial response queue, on which the handler is called, in order. The
// handler receives zero or more intermediate chunks and exactly one final call, with
// finished() set and error() possibly set. addData and finish return at once.
//
// Data handed to addData joins a list the work queue takes whole: while it is busy, later
// chunks join the list without a task or a wake-up of their own, and it runs one task for
// all of them.
//
// The stream is a pipeline over a few pooled output buffers: the work queue runs the cipher
// into a buffer and hands it to the response queue, which feeds the MAC and calls the handler,
// then returns the buffer. The two overlap; the work queue waits only when every buffer is out,
// so a slow handler slows the stream without piling up output. While more steps are queued
// behind it, the work queue fills a buffer with several of them (up to kHandOffSize), so small
// chunks cost few hand-offs. With nothing more queued, what it holds goes out at once if the
// other queue is idle; if that queue is still busy with earlier buffers, the work queue keeps
// filling the buffer, and the other queue asks for it once it has caught up. A cipher faster
// than the MAC (opening) thus hands off large buffers instead of waiting for a free one after
// every chunk. finish is the only step that waits for the other queue, to complete the MAC.
//
// A response queue given with setResponseQueue (before the first addData) gets only the
// handler calls: the MAC stays on the cryptor's own queue, and each chunk then costs one more
// hand-off between the two. A cryptor may be released on any thread, its own queues' too.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/Error.h"
#include "base/SerialQueue.h"
#include "base/Value.h"
#include "crypto/VLCryptorBufferPool.h"
#include "crypto/VLCryptorKeyDerivationSettings.h"
#include "crypto/VLCryptorTail.h"

class VLCryptorEngine;
class VLCryptorHMAC;

// The format version this kit writes.
inline constexpr std::uint8_t kVLCryptorFileVersion = 3;
// The domain of every error a cryptor reports.
inline constexpr const char kVLCryptorErrorDomain[] = "com.vellium.VLCryptorErrorDomain";

// Error codes in kVLCryptorErrorDomain; any other code is a cipher status (VLCryptorStatus).
enum VLCryptorErrorCode : long {
    kVLCryptorHMACMismatch = 1,   // "HMAC Mismatch"
    kVLCryptorUnknownHeader = 2,  // "Unknown header"
    // A password container given to a decryptor that holds keys.
    kVLCryptorKeysAndPasswordSet = 3,
    // A key container given to a decryptor that holds only a password.
    kVLCryptorMissingKey = 4,
};

class VLCryptor : public std::enable_shared_from_this<VLCryptor> {
public:
    // Called with the cryptor and a chunk of output. The handler may take the chunk by moving
    // from it; what it leaves is discarded after the call, and the cryptor reuses the buffer
    // when it was left in place.
    using Handler = std::function<void(VLCryptor& cryptor, base::Data& data)>;

    // A cryptor that produces nothing; the base of VLEncryptor and VLDecryptor.
    // Precondition: a handler.
    static std::shared_ptr<VLCryptor> create(Handler handler);
    virtual ~VLCryptor();
    VLCryptor(const VLCryptor&) = delete;
    VLCryptor& operator=(const VLCryptor&) = delete;

    // `keySize` bytes derived from the password by PBKDF2. The password bytes are its UTF-8
    // encoding, or, with hasV2Password, the first N of them, N being its UTF-16 length.
    // Throws VLInternalInconsistencyException if the derivation fails.
    static base::Data keyForPassword(std::string_view password, const base::Data& salt,
                                     const VLCryptorKeyDerivationSettings& settings);
    // Bytes from the system's secure random source; throws VLInternalInconsistencyException
    // if it fails.
    static base::Data randomDataOfLength(std::size_t length);
    // Feeds all of `data` to `cryptor`, finishes it and waits for its final handler call. The
    // cryptor's handler and response queue are replaced. Returns the whole output, or nothing
    // with `*error` set.
    [[nodiscard]] static std::optional<base::Data> synchronousResultForCryptor(
        const std::shared_ptr<VLCryptor>& cryptor, base::Data data, base::Error* error = nullptr);

    // Both do nothing in the base and are ignored once the cryptor has finished.
    virtual void addData(base::Data data);
    virtual void finish();
    // Records the error, marks the cryptor finished and makes the final handler call with
    // outData, after every chunk handed off before; waits for that call. The handler is
    // dropped afterwards.
    void cleanupAndNotifyWithError(std::optional<base::Error> error);
    bool hasHMAC() const { return HMACLength_ != 0; }
    // Blocks until every step queued so far has run and its handler calls have returned, so a
    // producer can keep one chunk in flight. Never call it from the handler.
    void waitForQueuedWork();

    bool finished() const { return finished_.load(); }
    // Read it in or after the final handler call.
    const std::optional<base::Error>& error() const { return error_; }
    std::uint8_t options() const { return options_; }
    std::size_t HMACLength() const { return HMACLength_; }
    const std::shared_ptr<base::SerialQueue>& responseQueue() const { return responseQueue_; }
    // Set these before the first addData.
    void setResponseQueue(std::shared_ptr<base::SerialQueue> responseQueue);
    void setHandler(Handler handler);

protected:
    explicit VLCryptor(Handler handler);

    // The encryption and HMAC keys of a password container. The two derivations are
    // independent and dominate the cost of a small container, so they run side by side.
    static std::pair<base::Data, base::Data> keysForPassword(
        std::string_view password, const base::Data& encryptionSalt,
        const VLCryptorKeyDerivationSettings& keySettings, const base::Data& HMACSalt,
        const VLCryptorKeyDerivationSettings& HMACKeySettings);
    // Runs `step` on the work queue with the cryptor kept alive until it has run, then hands
    // off the output it left unless more steps are queued behind it.
    template <typename Self, typename Step>
    void runOnQueue(Self* self, Step step) {
        queuedSteps_.fetch_add(1, std::memory_order_relaxed);
        queue_->async([keep = std::static_pointer_cast<Self>(self->shared_from_this()),
                       step = std::move(step)]() mutable {
            keep->queuedSteps_.fetch_sub(1, std::memory_order_relaxed);
            step(*keep);
            keep->handOffOutputIfDue();
        });
    }

    // Queues the piece (even empty) for consumeInput on the work queue, behind every
    // step queued before; a task is posted only when none is waiting to take them.
    void queueInput(base::Data piece);
    // Runs on the work queue for every queued piece, in order; may move from it.
    virtual void consumeInput(base::Data& piece);

    // The rest are for the work queue only.
    // The buffer the current step writes into, taken from the pool (waiting) if there is none.
    VLCryptorBuffer& pendingOutput();
    // Moves the pending buffer's output into outData, for the final call, and frees it.
    void takePendingAsFinalOutput();
    // Ends the stream with `error`, dropping undelivered output.
    void stopWithError(base::Error error);
    // Runs `task` on the cryptor's own queue after everything handed off so far has been
    // authenticated, and waits for it.
    void afterAuthentication(const std::function<void()>& task);
    // Feeds the MAC with what `buffer` holds for it; on the cryptor's own queue.
    void authenticate(const VLCryptorBuffer& buffer);

    std::atomic<bool> finished_{false};
    std::uint8_t options_ = 0;
    std::shared_ptr<base::SerialQueue> responseQueue_;
    std::shared_ptr<VLCryptorEngine> engine_;
    base::Data outData_;
    std::shared_ptr<base::SerialQueue> queue_;
    std::size_t HMACLength_ = 0;
    std::optional<base::Error> error_;
    Handler handler_;
    std::unique_ptr<VLCryptorHMAC> HMAC_;
    // The encryptor authenticates its output; the decryptor what each buffer's MACInput holds.
    bool MACReadsOutput_ = false;
    // What the MAC holds back of its input when that is not the output (the tag, if the
    // stream ends there); the cryptor's own queue's.
    VLCryptorTail MACTail_;
    // Set by the work queue once the stream has ended there: later steps do nothing.
    bool stopped_ = false;

public:
    // The most a buffer collects before it is handed off while more steps are queued.
    static constexpr std::size_t kHandOffSize = 256 * 1024;

private:
    static constexpr std::size_t kPoolSize = 3;

    void handOffOutputIfDue(bool moreQueued = false);
    void handOff();
    void consumeQueuedInput();
    void authenticateAndDeliver(VLCryptorBuffer* buffer);
    void deliver(VLCryptorBuffer* buffer);
    void makeFinalCall();

    // Every task on the queues holds the cryptor, so none runs once it is destroyed.
    VLCryptorBufferPool pool_{kPoolSize};
    // The queue the cryptor made as its response queue; it keeps the MAC when the caller
    // installs another.
    std::shared_ptr<base::SerialQueue> ownQueue_;
    VLCryptorBuffer* pending_ = nullptr;
    std::atomic<std::size_t> queuedSteps_{0};
    // Pieces from addData not taken by the work queue yet, and whether a task to take them is
    // queued; guarded by inputMutex_. `taken_` is the work queue's: it keeps its capacity.
    std::mutex inputMutex_;
    std::vector<base::Data> input_;
    bool inputTaskQueued_ = false;
    std::vector<base::Data> taken_;
    // Buffers handed off and not yet delivered.
    std::atomic<std::size_t> handedOff_{0};
    // Set by the work queue while it keeps a partial buffer for want of an idle other queue;
    // whichever side clears it hands that buffer off.
    std::atomic<bool> holding_{false};
};
