#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "base/Semaphore.h"
#include "crypto/VLCryptor.h"

// Records what a cryptor hands its handler and lets a test wait for the final call.
struct CryptorRecorder {
    struct State {
        std::mutex mutex;
        base::Data intermediate;  // every chunk before the final call
        base::Data finalChunk;
        std::optional<base::Error> error;
        int finalCalls = 0;
        int callsAfterFinal = 0;
        std::vector<std::thread::id> threads;
        base::Semaphore finished;
    };
    std::shared_ptr<State> state = std::make_shared<State>();

    VLCryptor::Handler handler() const {
        return [state = state](VLCryptor& cryptor, base::Data& chunk) {
            std::lock_guard lock(state->mutex);
            state->threads.push_back(std::this_thread::get_id());
            if (state->finalCalls > 0) ++state->callsAfterFinal;
            if (!cryptor.finished()) {
                state->intermediate.insert(state->intermediate.end(), chunk.begin(), chunk.end());
                return;
            }
            ++state->finalCalls;
            state->finalChunk = std::move(chunk);
            state->error = cryptor.error();
            state->finished.signal();
        };
    }

    void waitForFinal() const {
        ASSERT_TRUE(state->finished.waitFor(std::chrono::seconds(30))) << "no final handler call";
    }
    base::Data all() const {
        base::Data out = state->intermediate;
        out.insert(out.end(), state->finalChunk.begin(), state->finalChunk.end());
        return out;
    }
};
