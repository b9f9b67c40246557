#pragma once

#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

#include "crypto/VLCryptorBuffer.h"

// A fixed set of output buffers shared by a cryptor's work queue, which fills them, and the
// queue that authenticates and delivers them, which hands them back. The fixed count bounds
// the memory of a stream whose consumer is slower than its cipher: the work queue waits for a
// buffer instead of piling up output.
class VLCryptorBufferPool {
public:
    explicit VLCryptorBufferPool(std::size_t count);
    VLCryptorBufferPool(const VLCryptorBufferPool&) = delete;
    VLCryptorBufferPool& operator=(const VLCryptorBufferPool&) = delete;

    // A free buffer, empty; blocks until one is handed back.
    VLCryptorBuffer* acquire();
    // Marks the buffer free, keeping its storage; wakes the work queue only if it waits.
    void release(VLCryptorBuffer* buffer);

private:
    std::vector<std::unique_ptr<VLCryptorBuffer>> buffers_;
    std::mutex mutex_;
    std::condition_variable released_;
    std::vector<VLCryptorBuffer*> free_;
    bool waiting_ = false;
};
