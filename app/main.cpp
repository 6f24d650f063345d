#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"
#include "platform/base/RunLoop.h"

#include <csignal>
#include <poll.h>
#include <sys/signalfd.h>
#include <unistd.h>

int main()
{
    // SIGINT and SIGTERM arrive as a readable fd in the loop rather than as handlers, so the
    // program ends between two pieces of work, in any mode, even with an alert up.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigprocmask(SIG_BLOCK, &stopSignals, nullptr);
    int signals = signalfd(-1, &stopSignals, SFD_NONBLOCK | SFD_CLOEXEC);
    if (signals < 0)
        base::fatal("cannot receive SIGINT and SIGTERM through a signalfd");

    auto& loop = base::RunLoop::main();
    loop.addSource(signals, POLLIN, base::RunLoop::Mode::Common, [&](short) {
        signalfd_siginfo info {};
        if (read(signals, &info, sizeof info) == ssize_t(sizeof info))
            base::diagnostic(info.ssi_signo == SIGINT ? "Ostrel stopping on SIGINT" : "Ostrel stopping on SIGTERM");
        loop.stop();
    });

    base::diagnostic("Ostrel Launching");
    auto defaults = base::Defaults::standard();
    loop.run();
    // Settings are written a moment after they change; the last ones go out now.
    defaults->synchronize();
    close(signals);
    return 0;
}
