#pragma once

#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace desktop {

// Starts another program directly, never through a shell: argv[0] is the program (looked up
// on PATH when it has no slash), the rest reach it as they are. The child reads nothing of
// ours (standard input is /dev/null) and inherits no descriptor beyond standard output and
// error, since what it starts may outlive us.
struct ChildProcess {
    struct Options {
        // Standard output and error go to /dev/null too.
        bool silent { false };
        // Its own process group, with default signal handling, so it can be stopped as a whole.
        bool ownProcessGroup { false };
    };

    // The child's id, or none when it could not be started, logged as `failureLine`
    // followed by the reason.
    static std::optional<pid_t> spawn(const std::vector<std::string>& argv, const Options& options,
        const std::string& failureLine);
};

}
