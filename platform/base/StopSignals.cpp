#include "platform/base/StopSignals.h"

#include "platform/base/Diagnostics.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <poll.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace base {

namespace {

sigset_t stopSet()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    return set;
}

}

std::unique_ptr<StopSignals> StopSignals::install(Handler handler)
{
    sigset_t set = stopSet();
    // Blocked before the descriptor exists, so that one arriving in between waits for it.
    if (sigprocmask(SIG_BLOCK, &set, nullptr) != 0) {
        diagnostic(std::string("cannot block SIGINT and SIGTERM: ") + std::strerror(errno));
        return nullptr;
    }
    int fd = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    if (fd < 0) {
        diagnostic(std::string("cannot receive SIGINT and SIGTERM through a signalfd: ") + std::strerror(errno));
        sigprocmask(SIG_UNBLOCK, &set, nullptr);
        return nullptr;
    }
    auto signals = std::unique_ptr<StopSignals>(new StopSignals);
    signals->m_fd = fd;
    signals->m_handler = std::move(handler);
    StopSignals* self = signals.get();
    signals->m_source = RunLoop::main().addSource(fd, POLLIN, RunLoop::Mode::Common, [self](short) {
        // One at a time: the handler may end this instance, and another pending one makes
        // the descriptor ready again.
        signalfd_siginfo info {};
        if (read(self->m_fd, &info, sizeof info) == ssize_t(sizeof info) && self->m_handler)
            self->m_handler(int(info.ssi_signo));
    });
    return signals;
}

StopSignals::~StopSignals()
{
    RunLoop::main().removeSource(m_source);
    if (m_fd >= 0)
        close(m_fd);
    sigset_t set = stopSet();
    sigprocmask(SIG_UNBLOCK, &set, nullptr);
}

const char* StopSignals::name(int signal)
{
    switch (signal) {
    case SIGINT:
        return "SIGINT";
    case SIGTERM:
        return "SIGTERM";
    default:
        return "a signal";
    }
}

}
