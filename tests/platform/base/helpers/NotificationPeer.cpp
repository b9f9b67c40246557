// A second process for the distributed notification tests.
//   notification_peer post NAME          posts NAME with every type of user info
//   notification_peer echo NAME REPLY    prints "ready" once subscribed to NAME, then
//                                        re-posts the first NAME it receives as REPLY,
//                                        with the same user info
// Gives up with status 3 when nothing arrives within 20 seconds.
#include <chrono>
#include <cstdio>
#include <string>

#include "base/DistributedNotificationCenter.h"
#include "helpers/EveryTypeUserInfo.h"

int main(int argc, char** argv) {
    using namespace std::chrono_literals;
    const std::string mode = argc > 1 ? argv[1] : "";
    auto& center = base::DistributedNotificationCenter::defaultCenter();
    if (mode == "post" && argc == 3) {
        if (!center.connect()) return 1;
        center.post(argv[2], testing_support::everyTypeUserInfo());
        return 0;
    }
    if (mode == "echo" && argc == 4) {
        const std::string reply = argv[3];
        auto observation = center.addObserver(argv[2], [&](const base::Notification& notification) {
            center.post(reply, notification.userInfo);
            base::RunLoop::main().stop();
        });
        if (!observation) return 1;
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
    std::fprintf(stderr, "usage: notification_peer post NAME | echo NAME REPLY\n");
    return 2;
}
