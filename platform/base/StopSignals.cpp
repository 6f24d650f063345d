#include "platform/base/StopSignals.h"

#include "platform/base/Diagnostics.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace base {

namespace {

// The write end the handler reaches: a signal may arrive on any thread, so it only writes a
// byte, which is all a handler may safely do, and the main loop does the rest.
std::atomic<int> s_writeEnd { -1 };

void noteSignal(int signal)
{
    int saved = errno;
    int fd = s_writeEnd.load();
    if (fd >= 0) {
        unsigned char byte = static_cast<unsigned char>(signal);
        [[maybe_unused]] auto written = write(fd, &byte, 1);
    }
    errno = saved;
}

constexpr int kSignalCount = 3;
struct sigaction s_previous[kSignalCount];
// SIGHUP: the terminal that started us closed, which leaves typed text as much at risk as a
// SIGTERM does.
constexpr int kSignals[kSignalCount] = { SIGINT, SIGTERM, SIGHUP };

}

std::unique_ptr<StopSignals> StopSignals::install(Handler handler)
{
    if (s_writeEnd.load() >= 0) {
        diagnostic("stop signals are heard already: a second listener is not installed");
        return nullptr;
    }
    int ends[2];
    if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
        diagnostic(std::string("cannot hear SIGINT, SIGTERM and SIGHUP: ") + std::strerror(errno));
        return nullptr;
    }
    auto signals = std::unique_ptr<StopSignals>(new StopSignals);
    signals->m_fd = ends[0];
    signals->m_writeFd = ends[1];
    signals->m_handler = std::move(handler);
    s_writeEnd = ends[1];
    struct sigaction action {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < kSignalCount; ++i) {
        sigaction(kSignals[i], &action, &s_previous[i]);
        // Started under nohup: the user asked that a closed terminal not end us.
        if (kSignals[i] == SIGHUP && s_previous[i].sa_handler == SIG_IGN)
            sigaction(SIGHUP, &s_previous[i], nullptr);
    }
    StopSignals* self = signals.get();
    signals->m_source = RunLoop::main().addSource(ends[0], POLLIN, RunLoop::Mode::Common, [self](short) {
        // One at a time: the handler may end this instance, and another pending one keeps
        // the pipe readable.
        unsigned char byte = 0;
        if (read(self->m_fd, &byte, 1) == 1 && self->m_handler)
            self->m_handler(int(byte));
    });
    return signals;
}

StopSignals::~StopSignals()
{
    for (int i = 0; i < kSignalCount; ++i)
        sigaction(kSignals[i], &s_previous[i], nullptr);
    s_writeEnd = -1;
    RunLoop::main().removeSource(m_source);
    close(m_fd);
    close(m_writeFd);
}

const char* StopSignals::name(int signal)
{
    switch (signal) {
    case SIGINT:
        return "SIGINT";
    case SIGTERM:
        return "SIGTERM";
    case SIGHUP:
        return "SIGHUP";
    default:
        return "a signal";
    }
}

}
