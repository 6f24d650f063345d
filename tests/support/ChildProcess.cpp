#include "tests/support/ChildProcess.h"

#include <cerrno>
#include <cstddef>
#include <grp.h>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <pwd.h>
#include <system_error>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ostrel::test {

int runInChild(const std::function<int()>& body)
{
    pid_t child = ::fork();
    if (child < 0)
        return -1;
    if (child == 0)
        ::_exit(body());
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    return status;
}

int runUnprivileged(const std::filesystem::path& folder, const std::function<int()>& body)
{
    if (::geteuid() != 0)
        return runInChild(body);
    // Looked up before the fork: the child of a threaded program keeps to plain system calls.
    const passwd* nobody = ::getpwnam("nobody");
    if (!nobody || nobody->pw_uid == 0)
        return -1;
    uid_t user = nobody->pw_uid;
    gid_t group = nobody->pw_gid;
    std::error_code error;
    if (::lchown(folder.c_str(), user, group) != 0)
        return -1;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, error)) {
        if (::lchown(entry.path().c_str(), user, group) != 0)
            return -1;
    }
    if (error)
        return -1;
    return runInChild([&] {
        if (::setgroups(0, nullptr) != 0 || ::setgid(group) != 0 || ::setuid(user) != 0 || ::geteuid() == 0)
            return 125;
        return body();
    });
}

bool refuseRenameFlags(unsigned flags)
{
#if defined(__x86_64__)
    constexpr unsigned arch = AUDIT_ARCH_X86_64;
#elif defined(__aarch64__)
    constexpr unsigned arch = AUDIT_ARCH_AARCH64;
#else
    return false;
#endif
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, arch, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_renameat2, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        // The flags are the fifth argument; their low word is all there is of them.
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[4])),
        BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, flags, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | (EINVAL & SECCOMP_RET_DATA)),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    sock_fprog program { static_cast<unsigned short>(sizeof filter / sizeof filter[0]), filter };
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

}
