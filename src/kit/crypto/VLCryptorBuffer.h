#pragma once

#include <cstddef>
#include <vector>

#include "base/Value.h"

// One chunk of output on its way from the work queue to the handler (internal to the cryptors).
// `bytes` is storage: only its first `length` bytes are output. It keeps its size between
// uses, so refilling it never zero-fills memory the cipher is about to overwrite anyway.
struct VLCryptorBuffer {
    base::Data bytes;
    std::size_t length = 0;
    // The input the MAC reads when it is not the output (decryption reads the ciphertext);
    // held here until the MAC has run.
    std::vector<base::Data> MACInput;

    bool empty() const { return length == 0 && MACInput.empty(); }
};
