// Post-to-receive latency of a distributed notification between two processes.
//
// The program starts a copy of itself as an echo peer that re-posts every "ping" as a
// "pong" with the same user info, then times ping-pong round trips on the session bus.
// Each iteration's time is half a round trip: one post-to-receive hop, including the
// bus daemon's routing and the receiver's run-loop wake-up. Run it under
// dbus-run-session.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "base/DistributedNotificationCenter.h"

extern char** environ;

namespace {

using namespace std::chrono_literals;

std::string gPing;
std::string gPong;

int runEchoPeer(const std::string& ping, const std::string& pong) {
    auto& center = base::DistributedNotificationCenter::defaultCenter();
    auto observation = center.addObserver(
        ping, [&](const base::Notification& notification) { center.post(pong, notification.userInfo); });
    if (!observation) return 1;
    std::printf("ready\n");
    std::fflush(stdout);
    base::RunLoop::main().run();  // until killed
    return 0;
}

void measureRoundTrips(benchmark::State& state, const base::Value& userInfo) {
    auto& center = base::DistributedNotificationCenter::defaultCenter();
    base::RunLoop& loop = base::RunLoop::main();
    bool answered = false;
    auto observation = center.addObserver(gPong, [&](const base::Notification&) {
        answered = true;
        loop.stop();
    });
    if (!observation) {
        state.SkipWithError(observation.error().description.c_str());
        return;
    }
    for (auto _ : state) {
        answered = false;
        const auto guard = loop.postDelayed(5s, [&] { loop.stop(); });
        const auto start = std::chrono::steady_clock::now();
        center.post(gPing, userInfo);
        loop.run();
        const auto roundTrip = std::chrono::steady_clock::now() - start;
        loop.cancel(guard);
        if (!answered) {
            state.SkipWithError("the echo peer did not answer");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(roundTrip).count() / 2);
    }
}

void BM_PostToReceive_NoUserInfo(benchmark::State& state) { measureRoundTrips(state, base::Value()); }

void BM_PostToReceive_TwoStrings(benchmark::State& state) {
    base::Value userInfo;
    userInfo.set("tweakName", base::Value("Vellium Example"));
    userInfo.set("plistName", base::Value("Styles"));
    measureRoundTrips(state, userInfo);
}

BENCHMARK(BM_PostToReceive_NoUserInfo)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PostToReceive_TwoStrings)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--echo-peer") == 0) return runEchoPeer(argv[2], argv[3]);

    gPing = "com.vellium.bench/Ping." + std::to_string(getpid());
    gPong = "com.vellium.bench/Pong." + std::to_string(getpid());
    if (auto connected = base::DistributedNotificationCenter::defaultCenter().connect(); !connected) {
        std::fprintf(stderr, "bench_DistributedNotification: %s; run under dbus-run-session\n",
                     connected.error().description.c_str());
        return 1;
    }

    int pipeFds[2];
    if (pipe(pipeFds) != 0) return 1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    char self[] = "/proc/self/exe";
    char flag[] = "--echo-peer";
    char* peerArguments[] = {self, flag, gPing.data(), gPong.data(), nullptr};
    pid_t peer = -1;
    const int spawned = posix_spawn(&peer, self, &actions, nullptr, peerArguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    char ready[6] = {};
    if (spawned != 0 || read(pipeFds[0], ready, 5) != 5 || std::strcmp(ready, "ready") != 0) {
        std::fprintf(stderr, "bench_DistributedNotification: the echo peer did not start\n");
        return 1;
    }

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    kill(peer, SIGTERM);
    waitpid(peer, nullptr, 0);
    close(pipeFds[0]);
    return 0;
}
