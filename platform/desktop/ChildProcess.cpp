#include "platform/desktop/ChildProcess.h"

#include "platform/base/Diagnostics.h"

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

extern char** environ;

namespace desktop {

std::optional<pid_t> ChildProcess::spawn(const std::vector<std::string>& argv, const Options& options,
    const std::string& failureLine)
{
    if (argv.empty())
        return std::nullopt;
    std::vector<char*> pointers;
    for (const auto& argument : argv)
        pointers.push_back(const_cast<char*>(argument.c_str()));
    pointers.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (options.silent) {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    }
    // Not every library marks its files close-on-exec.
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    if (options.ownProcessGroup) {
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
        posix_spawnattr_setpgroup(&attributes, 0);
        sigset_t none, all;
        sigemptyset(&none);
        sigfillset(&all);
        posix_spawnattr_setsigmask(&attributes, &none);
        posix_spawnattr_setsigdefault(&attributes, &all);
    }

    pid_t pid = 0;
    int failure = argv[0].find('/') == std::string::npos
        ? posix_spawnp(&pid, pointers[0], &actions, &attributes, pointers.data(), environ)
        : posix_spawn(&pid, pointers[0], &actions, &attributes, pointers.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (failure) {
        base::diagnostic(failureLine + ": " + std::strerror(failure));
        return std::nullopt;
    }
    return pid;
}

}
