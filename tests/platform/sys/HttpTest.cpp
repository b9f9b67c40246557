#include <gtest/gtest.h>

#include <optional>
#include <thread>

#include "support/RepositoryServer.h"
#include "support/TemporaryDirectory.h"
#include "sys/Http.h"

namespace {

using namespace std::chrono_literals;
using sys::Http;
using Code = Http::ErrorCode;
using testsupport::RepositoryServer;

class HttpTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        directory_ = new testsupport::TemporaryDirectory;
        directory_->write("root/depictions/tweak/changelog.plist", std::string(5000, 'a') + "end");
    }
    static void TearDownTestSuite() { delete directory_; }
    void TearDown() override { Http::setCAFile({}); }

    static std::filesystem::path certificates() { return directory_->path() / "certificates"; }
    static std::filesystem::path root() { return directory_->path() / "root"; }

    // Turns the main loop until the completion has run, as an interface would while it waits.
    static base::Result<Http::Body> fetch(sys::HttpRequest request) {
        std::optional<base::Result<Http::Body>> outcome;
        const auto caller = std::this_thread::get_id();
        Http::get(std::move(request), [&](base::Result<Http::Body> result) {
            EXPECT_EQ(std::this_thread::get_id(), caller);
            outcome = std::move(result);
        });
        for (auto deadline = std::chrono::steady_clock::now() + 60s;
             !outcome && std::chrono::steady_clock::now() < deadline;)
            base::RunLoop::main().runFor(20ms);
        if (!outcome) return base::Error{"test", 0, "no completion"};
        return std::move(*outcome);
    }

    static sys::HttpRequest request(std::string url) {
        sys::HttpRequest request;
        request.url = std::move(url);
        return request;
    }

    static testsupport::TemporaryDirectory* directory_;
};
testsupport::TemporaryDirectory* HttpTest::directory_ = nullptr;

TEST_F(HttpTest, DownloadsATrustedDocumentGzipped) {
    RepositoryServer server(certificates(), "files", root());
    ASSERT_TRUE(server.started());
    Http::setCAFile(server.caFile());
    const auto body = fetch(request(server.url("/depictions/tweak/changelog.plist")));
    ASSERT_TRUE(body) << body.error().description;
    EXPECT_EQ(std::string(body.value().begin(), body.value().end()), std::string(5000, 'a') + "end");
    EXPECT_EQ(Http::pendingCount(), 0);
}

// Each failure is its own error code with a one-line description naming the address.
TEST_F(HttpTest, FailuresAreNamedErrors) {
    struct Case {
        const char* mode;
        const char* path;
        bool trustServer;
        std::size_t maxBytes;
        std::chrono::milliseconds connectTimeout, totalTimeout;
        Code expected;
    };
    const std::size_t cap = 1024 * 1024;
    const Case cases[] = {
        {"files", "/missing.plist", true, cap, 10s, 30s, Code::HttpStatus},
        {"files", "/depictions/tweak/changelog.plist", false, cap, 10s, 30s, Code::Tls},
        {"files", "/depictions/tweak/changelog.plist", true, 4096, 10s, 30s, Code::TooLarge},
        {"huge", "/", true, cap, 10s, 30s, Code::TooLarge},
        {"loop", "/a", true, cap, 10s, 30s, Code::TooManyRedirects},
        {"plain", "/a", true, cap, 10s, 30s, Code::RefusedRedirect},
        {"silent", "/", true, cap, 1s, 30s, Code::TimedOut},
        {"trickle", "/", true, cap, 10s, 2s, Code::TimedOut},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + c.path);
        RepositoryServer server(certificates(), c.mode, root());
        ASSERT_TRUE(server.started());
        Http::setCAFile(c.trustServer ? server.caFile() : std::filesystem::path());
        const sys::HttpRequest request{server.url(c.path), c.maxBytes, c.connectTimeout, c.totalTimeout};
        const auto body = fetch(request);
        ASSERT_FALSE(body);
        EXPECT_EQ(body.error().domain, Http::kErrorDomain);
        EXPECT_EQ(body.error().code, static_cast<long>(c.expected)) << body.error().description;
        EXPECT_EQ(body.error().description.find('\n'), std::string::npos);
        EXPECT_NE(body.error().description.find(request.url), std::string::npos);
    }
}

TEST_F(HttpTest, OnlyHttpsAddressesAreFetched) {
    for (const char* url : {"http://127.0.0.1:1/x", "ftp://127.0.0.1/x", "127.0.0.1/x", ""}) {
        const auto body = fetch(request(url));
        ASSERT_FALSE(body) << url;
        EXPECT_EQ(body.error().code, static_cast<long>(Code::InvalidAddress)) << url;
    }
}

TEST_F(HttpTest, ACancelledDownloadNeverCompletes) {
    RepositoryServer server(certificates(), "trickle", root());
    ASSERT_TRUE(server.started());
    Http::setCAFile(server.caFile());
    bool completed = false;
    auto task = Http::get(request(server.url("/")), [&](base::Result<Http::Body>) { completed = true; });
    base::RunLoop::main().runFor(300ms);
    task->cancel();
    for (auto deadline = std::chrono::steady_clock::now() + 20s;
         Http::pendingCount() > 0 && std::chrono::steady_clock::now() < deadline;)
        base::RunLoop::main().runFor(20ms);
    EXPECT_EQ(Http::pendingCount(), 0);
    EXPECT_FALSE(completed);
}

}  // namespace
