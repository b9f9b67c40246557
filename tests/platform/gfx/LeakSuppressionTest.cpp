// The suppressions for the font libraries' process-lifetime caches must not hide leaks of our
// own: a clean render exits cleanly under LeakSanitizer, and each forgotten object fails it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

struct ProbeRun {
    int exitCode = -1;
    std::string output;
};

ProbeRun runProbe(const std::string& mode) {
    std::string command =
        std::string("G_SLICE=always-malloc ASAN_OPTIONS=fast_unwind_on_malloc=0:detect_leaks=1 ") +
        "LSAN_OPTIONS=suppressions=" + GFX_LSAN_SUPPRESSIONS + " " + GFX_LEAK_PROBE + " " + mode + " 2>&1";
    ProbeRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 4096> buffer;
    while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe))
        run.output.append(buffer.data(), n);
    int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST(LeakSuppression, CleanRenderPassesAndEachForgottenObjectIsReported) {
    if (!kAddressSanitizer) GTEST_SKIP() << "needs an AddressSanitizer build";
    ProbeRun clean = runProbe("clean");
    EXPECT_EQ(clean.exitCode, 0) << clean.output;
    ProbeRun leaky = runProbe("leak");
    EXPECT_NE(leaky.exitCode, 0);
    EXPECT_NE(leaky.output.find("LeakSanitizer: detected memory leaks"), std::string::npos);
    // Each forgotten object is reported with the function that made it.
    for (const char* culprit : {"leakTextLayout", "leakPangoLayout", "leakSurface"}) {
        EXPECT_NE(leaky.output.find(culprit), std::string::npos) << culprit << "\n" << leaky.output;
    }
}

}  // namespace
