#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/Result.h"
#include "base/RunLoop.h"
#include "sys/HttpRequest.h"
#include "sys/HttpTask.h"

namespace sys {

// HTTPS downloads over libcurl, for documents the interface waits for (the changelog).
//
// Each request runs on a thread of its own and its completion is posted to the run loop the
// caller names (the main loop by default), so the interface never blocks on the network.
// TLS verification is always on, against the system's CA store or the one CA file a host
// program names (tests name their own self-signed certificate). Only https is spoken, on the
// first request and on every redirect (at most five); gzip and deflate bodies are accepted
// and the size cap applies to the decoded body, so a compressed bomb is cut off too.
//
// Failures are `base::Error`s in `kErrorDomain` with an `ErrorCode` and a one-line description.
class Http {
public:
    static constexpr const char* kErrorDomain = "sys.Http";
    enum class ErrorCode : long {
        InvalidAddress = 1,  // not an https URL
        TimedOut,
        TooLarge,
        Tls,              // handshake failed or the certificate is not trusted
        HttpStatus,       // the server answered with a status outside 200-299
        RefusedRedirect,  // a redirect to a scheme other than https
        TooManyRedirects,
        Connection,  // name look-up, refused connection, reset, bad response
    };
    using Body = std::vector<std::uint8_t>;
    using Completion = std::function<void(base::Result<Body>)>;

    // Starts `request`; `completion` runs on `loop` (which must outlive the download) unless
    // the returned task is cancelled first.
    static std::shared_ptr<HttpTask> get(HttpRequest request, Completion completion,
                                         base::RunLoop& loop = base::RunLoop::main());

    // The CA bundle that verifies servers; empty (the default) means the system's store.
    static void setCAFile(std::filesystem::path file);
    static std::filesystem::path caFile();

    // Downloads started whose completion has not yet been delivered (or dropped on cancel).
    static int pendingCount();

private:
    static base::Result<Body> perform(const HttpRequest& request, const HttpTask& task);
};

}  // namespace sys
