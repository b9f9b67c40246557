// Device services: enumerating and sorting the installed applications (2,000 desktop
// entries), and working out the reachability flags of an address.
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "pickers/PrivateAppList.h"
#include "sys/ApplicationWorkspace.h"
#include "sys/NetworkReachability.h"

namespace {

constexpr int kEntries = 2000;

// 2,000 entries in a temporary XDG data tree: names of mixed case, some without a name and
// a few hidden services, written before GIO first reads the directories.
std::filesystem::path writeDesktopEntries() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vk-bench-XXXXXX").string();
    const std::filesystem::path root = ::mkdtemp(pattern.data());
    const auto applications = root / "system/applications";
    std::filesystem::create_directories(applications);
    const char* words[] = {"mail", "Maps", "notes", "Camera", "clock", "Weather", "files", "Terminal"};
    for (int i = 0; i < kEntries; ++i) {
        const std::string id =
            i % 100 == 0 ? "com.apple.siri" + std::to_string(i) : "org.bench.App" + std::to_string(i);
        std::ofstream entry(applications / (id + ".desktop"));
        entry << "[Desktop Entry]\nType=Application\nExec=true\n";
        if (i % 17 != 0) entry << "Name=" << words[(i * 7) % 8] << " " << (i * 7919) % kEntries << "\n";
    }
    ::setenv("XDG_DATA_DIRS", (root / "system").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (root / "home").c_str(), 1);
    return root;
}

void BM_EnumerateAndSortApplications(benchmark::State& state) {
    auto list = PrivateAppList::sharedInstance();
    std::size_t count = 0;
    for (auto _ : state) {
        auto apps = list->allApps();
        count = apps.size();
        benchmark::DoNotOptimize(apps);
    }
    state.counters["apps"] = static_cast<double>(count);
}
BENCHMARK(BM_EnumerateAndSortApplications)->Unit(benchmark::kMillisecond);

// The two halves of the above: reading the entries, and sorting the records.
void BM_EnumerateApplications(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(sys::ApplicationWorkspace::allApplications());
}
BENCHMARK(BM_EnumerateApplications)->Unit(benchmark::kMillisecond);

void BM_SortApplications(benchmark::State& state) {
    auto list = PrivateAppList::sharedInstance();
    const auto apps = list->allApps();
    for (auto _ : state) benchmark::DoNotOptimize(list->sortArray(apps));
}
BENCHMARK(BM_SortApplications)->Unit(benchmark::kMillisecond);

void reachabilityFlags(benchmark::State& state, const char* text) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    inet_pton(AF_INET, text, &address.sin_addr);
    auto target = sys::NetworkReachability::createWithAddress(reinterpret_cast<const sockaddr&>(address));
    if (!target) {
        state.SkipWithError("no routing socket");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(target->flags());
}

// An address reached through the default route (a route look-up and a link query; a
// documentation address, so nothing is ever sent to it), and one of the machine's own.
void BM_ReachabilityFlagsRoutedAddress(benchmark::State& state) { reachabilityFlags(state, "198.51.100.7"); }
BENCHMARK(BM_ReachabilityFlagsRoutedAddress)->Unit(benchmark::kMicrosecond);

void BM_ReachabilityFlagsLocalAddress(benchmark::State& state) { reachabilityFlags(state, "127.0.0.1"); }
BENCHMARK(BM_ReachabilityFlagsLocalAddress)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    const auto fixture = writeDesktopEntries();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(fixture);
    return 0;
}
