#pragma once

#include <filesystem>
#include <functional>

namespace ostrel::test {

// Crash tests: what a process leaves behind when it is killed midway is only seen from
// another one. The body runs in a forked child, whose exit code it answers; the result is
// the wait status (WIFSIGNALED and so on), or -1 when no child could be made. The child
// ends with _exit, so nothing of the test program runs twice.
int runInChild(const std::function<int()>& body);

// As runInChild, but the body runs without privilege: as root (as CI runs) the child first
// hands `folder` and all in it to the user nobody and becomes nobody, so that permission bits hold for it;
// as anyone else it stays who it is. The wait status, or -1 when there is no nobody here.
int runUnprivileged(const std::filesystem::path& folder, const std::function<int()>& body);

// In a child only: from now on renameat2() with any of `flags` fails with EINVAL, as on a
// file system that lacks them (FUSE and network ones). False when the filter could not be
// installed.
bool refuseRenameFlags(unsigned flags);

}
