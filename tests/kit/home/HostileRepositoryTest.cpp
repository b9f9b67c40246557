// The home screen's changelog download against misbehaving servers on 127.0.0.1: while it is
// pending the main run loop keeps turning (timers fire, frames are drawn), the memory the
// download may hold stays within its cap, and asking for the changelog shows the alert.
#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "HomeScreenFixture.h"
#include "home/VLChangelogViewController.h"
#include "host/HeadlessHost.h"
#include "support/RepositoryServer.h"
#include "sys/Http.h"
#include "ui/AlertController.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kUnderAddressSanitizer = true;
#else
constexpr bool kUnderAddressSanitizer = false;
#endif

using namespace std::chrono_literals;

// Resident memory of this process, in bytes.
long residentBytes() {
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * ::sysconf(_SC_PAGESIZE);
}

class HostileRepositoryTest : public HomeScreenFixture {
protected:
    void TearDown() override {
        sys::Http::setCAFile({});
        HomeScreenFixture::TearDown();
    }
};

TEST_F(HostileRepositoryTest, TheScreenStaysAliveAndShowsTheAlert) {
    testsupport::TemporaryDirectory certificates;
    struct Case {
        const char* mode;
        bool trusted;
    };
    const Case cases[] = {{"silent", true}, {"trickle", true}, {"huge", true},
                          {"files", false}, {"loop", true},    {"plain", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        testsupport::RepositoryServer server(certificates.path(), c.mode);
        ASSERT_TRUE(server.started());
        VLPackageRepository::setBaseAddress(server.url(""));
        sys::Http::setCAFile(c.trusted ? server.caFile() : std::filesystem::path());
        home = std::make_shared<DemoHomeScreen>();
        const long before = residentBytes();
        open();
        // Three real seconds of frames while the download is pending or failing.
        int frames = 0;
        for (auto end = std::chrono::steady_clock::now() + 3s; std::chrono::steady_clock::now() < end;) {
            base::RunLoop::main().runFor(16ms);
            host::HeadlessHost::render(*window, 1.0);
            ++frames;
            std::this_thread::sleep_for(5ms);
        }
        // A download on the main thread would block it for the whole 10 s connect time-out and
        // give one frame; a loaded machine under the sanitizers still draws several a second.
        EXPECT_GT(frames, 5);
        // AddressSanitizer keeps freed memory in quarantine (up to 256 MiB), so only a plain
        // build can hold the growth to what a capped download may use.
        if (!kUnderAddressSanitizer) {
            EXPECT_LT(residentBytes() - before, 48L * 1024 * 1024);
        }
        EXPECT_FALSE(home->changelogArray());
        home->presentChangelogVC();
        settle();
        auto alert = std::dynamic_pointer_cast<ui::AlertController>(home->presentedViewController());
        ASSERT_TRUE(alert);
        EXPECT_EQ(alert->title(), "😕");
        home->dismiss(false);
        navigation->popViewController(false);
        settle();
    }
    home.reset();
    // The abandoned downloads are cancelled with their screens and end within about a second.
    for (auto end = std::chrono::steady_clock::now() + 20s;
         sys::Http::pendingCount() > 0 && std::chrono::steady_clock::now() < end;) {
        std::this_thread::sleep_for(20ms);
        base::RunLoop::main().runUntilIdle();
    }
    EXPECT_EQ(sys::Http::pendingCount(), 0);
}

TEST_F(HostileRepositoryTest, ATrustedRepositoryGivesTheChangelogSheet) {
    testsupport::TemporaryDirectory certificates;
    testsupport::TemporaryDirectory repository;
    repository.write("depictions/demo/changelog.plist", testsupport::readFile(VK_EXAMPLE_CHANGELOG));
    testsupport::RepositoryServer server(certificates.path(), "files", repository.path());
    ASSERT_TRUE(server.started());
    VLPackageRepository::setBaseAddress(server.url(""));
    sys::Http::setCAFile(server.caFile());
    open();
    for (auto end = std::chrono::steady_clock::now() + 20s;
         !home->changelogArray() && std::chrono::steady_clock::now() < end;) {
        std::this_thread::sleep_for(20ms);
        base::RunLoop::main().runUntilIdle();
    }
    ASSERT_TRUE(home->changelogArray());
    EXPECT_EQ(home->changelogArray()->size(), 4u);
    home->presentChangelogVC();
    settle();
    EXPECT_TRUE(std::dynamic_pointer_cast<VLChangelogViewController>(home->presentedViewController()));
}

}  // namespace
