// A second process that watches change notices:
//   notice_watcher NAME STOP   prints "ready" once subscribed, then one line "NAME" per NAME
//                              received, and exits when STOP arrives (status 3: not in 20 s).
#include <chrono>
#include <cstdio>
#include <string>

#include "base/DistributedNotificationCenter.h"
#include "base/RunLoop.h"

int main(int argc, char** argv) {
    using namespace std::chrono_literals;
    if (argc != 3) {
        std::fprintf(stderr, "usage: notice_watcher NAME STOP\n");
        return 2;
    }
    auto& center = base::DistributedNotificationCenter::defaultCenter();
    auto watched = center.addObserver(argv[1], [](const base::Notification& notification) {
        std::printf("%s\n", notification.name.c_str());
        std::fflush(stdout);
    });
    auto stop = center.addObserver(argv[2], [](const base::Notification&) { base::RunLoop::main().stop(); });
    if (!watched || !stop) return 1;
    std::printf("ready\n");
    std::fflush(stdout);
    bool gaveUp = false;
    base::RunLoop::main().postDelayed(20s, [&] {
        gaveUp = true;
        base::RunLoop::main().stop();
    });
    base::RunLoop::main().run();
    return gaveUp ? 3 : 0;
}
