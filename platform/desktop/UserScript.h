#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace desktop {

// A program of the user's, run as an executable with the arguments as its argv, never
// through a shell: the arguments carry the user's own text. A run does not wait for the
// program and reads nothing back; several runs may be in flight at once. A run that has not
// ended after kTimeLimit seconds is killed with everything it started. Every failure is
// logged and goes no further.
class UserScript {
public:
    static constexpr double kTimeLimit = 10;

    // False when nothing started: a missing file quietly, anything else with a logged line.
    static bool run(const std::filesystem::path& file, const std::vector<std::string>& arguments);

    // Runs started and not yet collected.
    static std::size_t runningCount();

    // Blocks until every run has ended and has been collected (tests and shutdown).
    static void waitForAll();
};

}
