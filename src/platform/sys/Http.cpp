#include "sys/Http.h"

#include <curl/curl.h>

#include <mutex>
#include <thread>

namespace sys {
namespace {

constexpr int kMaxRedirects = 5;

std::mutex caFileMutex;
std::filesystem::path configuredCAFile;
std::atomic<int> pending{0};

void initialiseCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

base::Error makeError(Http::ErrorCode code, const std::string& url, const std::string& what) {
    return {Http::kErrorDomain, static_cast<long>(code), url + ": " + what};
}

// Only an absolute https URL with a host is fetched; libcurl would otherwise guess a scheme.
bool isHttpsAddress(const std::string& url) {
    CURLU* parsed = curl_url();
    bool https = false;
    if (curl_url_set(parsed, CURLUPART_URL, url.c_str(), 0) == CURLUE_OK) {
        char* scheme = nullptr;
        char* host = nullptr;
        https = curl_url_get(parsed, CURLUPART_SCHEME, &scheme, 0) == CURLUE_OK &&
                curl_url_get(parsed, CURLUPART_HOST, &host, 0) == CURLUE_OK &&
                std::string(scheme) == "https" && host[0] != '\0';
        curl_free(scheme);
        curl_free(host);
    }
    curl_url_cleanup(parsed);
    return https;
}

bool isTlsFailure(CURLcode code) {
    switch (code) {
        case CURLE_PEER_FAILED_VERIFICATION:
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_SSL_CACERT_BADFILE:
        case CURLE_SSL_CERTPROBLEM:
        case CURLE_SSL_CIPHER:
        case CURLE_SSL_ISSUER_ERROR:
        case CURLE_SSL_INVALIDCERTSTATUS:
        case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
        case CURLE_SSL_CRL_BADFILE:
        case CURLE_SSL_ENGINE_INITFAILED:
        case CURLE_SSL_ENGINE_NOTFOUND:
        case CURLE_SSL_ENGINE_SETFAILED:
            return true;
        default:
            return false;
    }
}

struct Transfer {
    const HttpRequest& request;
    const HttpTask& task;
    Http::Body body;
    bool tooLarge = false;
};

size_t appendBody(char* data, size_t size, size_t count, void* context) {
    auto& transfer = *static_cast<Transfer*>(context);
    const size_t bytes = size * count;
    if (transfer.body.size() + bytes > transfer.request.maxBytes) {
        transfer.tooLarge = true;
        return 0;  // anything short of `bytes` makes libcurl stop with a write error
    }
    transfer.body.insert(transfer.body.end(), data, data + bytes);
    return bytes;
}

int checkCancelled(void* context, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<Transfer*>(context)->task.isCancelled() ? 1 : 0;
}

void configure(CURL* curl, Transfer& transfer, const std::filesystem::path& caFile, char* errorText) {
    const HttpRequest& request = transfer.request;
    curl_easy_setopt(curl, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, static_cast<long>(kMaxRedirects));
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!caFile.empty()) curl_easy_setopt(curl, CURLOPT_CAINFO, caFile.c_str());
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(request.connectTimeout.count()));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(request.totalTimeout.count()));
    // A declared length over the cap fails before any byte of the body arrives.
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(request.maxBytes));
    curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "VelliumKit");
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, appendBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, checkCancelled);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
}

base::Error describeFailure(CURLcode code, const Transfer& transfer, const char* errorText) {
    const HttpRequest& request = transfer.request;
    using Code = Http::ErrorCode;
    const std::string detail = errorText[0] != '\0' ? errorText : curl_easy_strerror(code);
    if (transfer.tooLarge || code == CURLE_FILESIZE_EXCEEDED)
        return makeError(Code::TooLarge, request.url,
                         "larger than " + std::to_string(request.maxBytes) + " bytes");
    if (code == CURLE_OPERATION_TIMEDOUT)
        return makeError(Code::TimedOut, request.url, "timed out (" + detail + ")");
    if (isTlsFailure(code)) return makeError(Code::Tls, request.url, "TLS failure: " + detail);
    // The first address was checked to be https, so an unsupported scheme came from a redirect.
    if (code == CURLE_UNSUPPORTED_PROTOCOL)
        return makeError(Code::RefusedRedirect, request.url,
                         "refused a redirect away from https (" + detail + ")");
    if (code == CURLE_TOO_MANY_REDIRECTS)
        return makeError(Code::TooManyRedirects, request.url,
                         "more than " + std::to_string(kMaxRedirects) + " redirects");
    return makeError(Code::Connection, request.url, detail);
}

}  // namespace

std::shared_ptr<HttpTask> Http::get(HttpRequest request, Completion completion, base::RunLoop& loop) {
    auto task = std::make_shared<HttpTask>();
    ++pending;
    std::thread([request = std::move(request), completion = std::move(completion), task, &loop]() mutable {
        auto result = std::make_shared<base::Result<Body>>(perform(request, *task));
        loop.post([completion = std::move(completion), task, result] {
            --pending;
            if (!task->isCancelled()) completion(std::move(*result));
        });
    }).detach();
    return task;
}

base::Result<Http::Body> Http::perform(const HttpRequest& request, const HttpTask& task) {
    if (!isHttpsAddress(request.url))
        return makeError(ErrorCode::InvalidAddress, request.url, "not an https address");
    initialiseCurlOnce();
    CURL* curl = curl_easy_init();
    if (curl == nullptr) return makeError(ErrorCode::Connection, request.url, "libcurl could not start");
    Transfer transfer{request, task, {}, false};
    char errorText[CURL_ERROR_SIZE] = {};
    configure(curl, transfer, caFile(), errorText);
    const CURLcode code = curl_easy_perform(curl);
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_cleanup(curl);
    if (code != CURLE_OK) return describeFailure(code, transfer, errorText);
    if (status < 200 || status > 299)
        return makeError(ErrorCode::HttpStatus, request.url, "HTTP status " + std::to_string(status));
    return std::move(transfer.body);
}

void Http::setCAFile(std::filesystem::path file) {
    std::lock_guard lock(caFileMutex);
    configuredCAFile = std::move(file);
}

std::filesystem::path Http::caFile() {
    std::lock_guard lock(caFileMutex);
    return configuredCAFile;
}

int Http::pendingCount() { return pending; }

}  // namespace sys
