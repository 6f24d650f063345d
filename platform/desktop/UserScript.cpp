#include "platform/desktop/UserScript.h"

#include "platform/base/Diagnostics.h"
#include "platform/base/RunLoop.h"
#include "platform/base/Timer.h"
#include "platform/desktop/ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <memory>
#include <poll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace desktop {

namespace {

struct Run {
    std::string name;
    int pidfd { -1 };
    base::RunLoop::SourceId source { 0 };
    std::shared_ptr<base::Timer> deadline;
    bool killed { false };
};

std::map<pid_t, Run>& runs()
{
    static std::map<pid_t, Run> table;
    return table;
}

int openPidfd(pid_t pid)
{
#ifdef SYS_pidfd_open
    return int(syscall(SYS_pidfd_open, pid, 0));
#else
    errno = ENOSYS;
    return -1;
#endif
}

void report(const Run& run, int status)
{
    if (run.killed)
        base::diagnostic("User script " + run.name + " did not end within 10 seconds and was stopped");
    else if (WIFSIGNALED(status))
        base::diagnostic("User script " + run.name + " ended by signal " + std::to_string(WTERMSIG(status)));
    else if (WIFEXITED(status) && WEXITSTATUS(status) != 0)
        base::diagnostic("User script " + run.name + " failed with status " + std::to_string(WEXITSTATUS(status)));
}

// Collects the run if it has ended (or, with `block`, once it has).
void collect(pid_t pid, bool block)
{
    auto found = runs().find(pid);
    if (found == runs().end())
        return;
    int status = 0;
    pid_t done;
    do {
        done = waitpid(pid, &status, block ? 0 : WNOHANG);
    } while (done < 0 && errno == EINTR);
    if (done == 0)
        return;
    Run run = std::move(found->second);
    runs().erase(found);
    if (run.source)
        base::RunLoop::main().removeSource(run.source);
    if (run.pidfd >= 0)
        close(run.pidfd);
    if (run.deadline)
        run.deadline->invalidate();
    if (done > 0)
        report(run, status);
}

void stopHungRun(pid_t pid)
{
    collect(pid, false);
    auto found = runs().find(pid);
    if (found == runs().end())
        return;
    found->second.killed = true;
    found->second.deadline.reset();
    // The script leads a process group of its own, so whatever it started goes with it.
    kill(-pid, SIGKILL);
    kill(pid, SIGKILL);
    // Without a pidfd nobody else will notice the end; it comes at once after SIGKILL.
    if (found->second.pidfd < 0)
        collect(pid, true);
}

}

bool UserScript::run(const std::filesystem::path& file, const std::vector<std::string>& arguments)
{
    std::error_code error;
    if (!std::filesystem::exists(file, error))
        return false;

    std::vector<std::string> argv { file.string() };
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    auto spawned = ChildProcess::spawn(argv, { .silent = false, .ownProcessGroup = true }, "User script " + file.string() + " cannot be run");
    if (!spawned)
        return false;
    pid_t pid = *spawned;

    Run& run = runs()[pid];
    run.name = file.filename().string();
    run.pidfd = openPidfd(pid);
    if (run.pidfd >= 0) {
        run.source = base::RunLoop::main().addSource(run.pidfd, POLLIN, base::RunLoop::Mode::Common,
            [pid](short) { collect(pid, false); });
    }
    run.deadline = base::Timer::create(kTimeLimit, false, base::RunLoop::Mode::Common,
        [pid](base::Timer&) { stopHungRun(pid); });
    return true;
}

std::size_t UserScript::runningCount()
{
    // Runs without a pidfd are only noticed here.
    std::vector<pid_t> unwatched;
    for (auto& [pid, run] : runs()) {
        if (run.pidfd < 0)
            unwatched.push_back(pid);
    }
    for (pid_t pid : unwatched)
        collect(pid, false);
    return runs().size();
}

void UserScript::waitForAll()
{
    while (!runs().empty())
        collect(runs().begin()->first, true);
}

}
