#pragma once

#include <chrono>
#include <cstddef>
#include <string>

namespace sys {

// One HTTPS GET: the address and the bounds the download must stay within.
struct HttpRequest {
    std::string url;
    // Bytes of the (decoded) body; a longer body fails the request as too large.
    std::size_t maxBytes = 1024 * 1024;
    // Until the TCP and TLS handshakes are done.
    std::chrono::milliseconds connectTimeout = std::chrono::seconds(10);
    // The whole exchange, redirects included.
    std::chrono::milliseconds totalTimeout = std::chrono::seconds(30);
};

}  // namespace sys
