#include "platform/base/Diagnostics.h"

#include <csignal>

int main()
{
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigprocmask(SIG_BLOCK, &stopSignals, nullptr);
    base::diagnostic("Ostrel Launching");
    int received = 0;
    sigwait(&stopSignals, &received);
    base::diagnostic("Ostrel stopping");
    return 0;
}
