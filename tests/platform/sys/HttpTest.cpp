#include "sys/Http.h"

#include <gtest/gtest.h>

#include <optional>
#include <thread>

#include "support/RepositoryServer.h"
#include "support/TemporaryDirectory.h"

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

    static testsupport::TemporaryDirectory* directory_;
};
testsupport::TemporaryDirectory* HttpTest::directory_ = nullptr;

TEST_F(HttpTest, DownloadsATrustedDocumentGzipped) {
    RepositoryServer server(certificates(), "files", root());
    ASSERT_TRUE(server.started());
    Http::setCAFile(server.caFile());
    const auto body = fetch({server.url("/depictions/tweak/changelog.plist")});
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
        sys::HttpRequest bounds;
        Code expected;
    };
    const Case cases[] = {
        {"files", "/missing.plist", true, {}, Code::HttpStatus},
        {"files", "/depictions/tweak/changelog.plist", false, {}, Code::Tls},
        {"files", "/depictions/tweak/changelog.plist", true, {.maxBytes = 4096}, Code::TooLarge},
        {"huge", "/", true, {}, Code::TooLarge},
        {"loop", "/a", true, {}, Code::TooManyRedirects},
        {"plain", "/a", true, {}, Code::RefusedRedirect},
        {"silent", "/", true, {.connectTimeout = 1s}, Code::TimedOut},
        {"trickle", "/", true, {.totalTimeout = 2s}, Code::TimedOut},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + c.path);
        RepositoryServer server(certificates(), c.mode, root());
        ASSERT_TRUE(server.started());
        Http::setCAFile(c.trustServer ? server.caFile() : std::filesystem::path());
        sys::HttpRequest request = c.bounds;
        request.url = server.url(c.path);
        const auto body = fetch(request);
        ASSERT_FALSE(body);
        EXPECT_EQ(body.error().domain, Http::kErrorDomain);
        EXPECT_EQ(body.error().code, static_cast<long>(c.expected)) << body.error().description;
        EXPECT_EQ(body.error().description.find('\n'), std::string::npos);
        EXPECT_NE(body.error().description.find(request.url), std::string::npos);
    }
}

TEST_F(HttpTest, OnlyHttpsAddressesAreFetched) {
    for (const char* url : {"http://127.0.0.1:1/x", "ftp://127.0.0.1/x", "127.0.0.1/x", "", "https:///x"}) {
        const auto body = fetch({url});
        ASSERT_FALSE(body) << url;
        EXPECT_EQ(body.error().code, static_cast<long>(Code::InvalidAddress)) << url;
    }
}

TEST_F(HttpTest, ACancelledDownloadNeverCompletes) {
    RepositoryServer server(certificates(), "trickle", root());
    ASSERT_TRUE(server.started());
    Http::setCAFile(server.caFile());
    bool completed = false;
    auto task = Http::get({server.url("/")}, [&](base::Result<Http::Body>) { completed = true; });
    base::RunLoop::main().runFor(300ms);
    task->cancel();
    for (auto deadline = std::chrono::steady_clock::now() + 20s;
         Http::pendingCount() > 0 && std::chrono::steady_clock::now() < deadline;)
        base::RunLoop::main().runFor(20ms);
    EXPECT_EQ(Http::pendingCount(), 0);
    EXPECT_FALSE(completed);
}

}  // namespace
