#include "crypto/VLCryptorBufferPool.h"

VLCryptorBufferPool::VLCryptorBufferPool(std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        buffers_.push_back(std::make_unique<VLCryptorBuffer>());
        free_.push_back(buffers_.back().get());
    }
}

VLCryptorBuffer* VLCryptorBufferPool::acquire() {
    std::unique_lock lock(mutex_);
    while (free_.empty()) {
        waiting_ = true;
        released_.wait(lock);
        waiting_ = false;
    }
    VLCryptorBuffer* buffer = free_.back();
    free_.pop_back();
    return buffer;
}

void VLCryptorBufferPool::release(VLCryptorBuffer* buffer) {
    buffer->length = 0;
    buffer->MACInput.clear();
    bool waiting = false;
    {
        std::lock_guard lock(mutex_);
        free_.push_back(buffer);
        waiting = waiting_;
    }
    if (waiting) released_.notify_one();
}
