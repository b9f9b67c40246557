#include "TerminationSignals.h"

#include <pthread.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

TerminationSignals::TerminationSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    ::pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    descriptor_ = ::signalfd(-1, &signals, SFD_CLOEXEC | SFD_NONBLOCK);
}

TerminationSignals::~TerminationSignals() {
    if (loop_) loop_->cancel(watch_);
    if (descriptor_ >= 0) ::close(descriptor_);
}

void TerminationSignals::stopOnArrival(base::RunLoop& loop) {
    if (descriptor_ < 0 || loop_) return;
    loop_ = &loop;
    watch_ = loop.watchReadable(descriptor_, [&loop] { loop.stop(); });
}
