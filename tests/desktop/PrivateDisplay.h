#pragma once

#include <csignal>
#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/prctl.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace desktop::test {

// An X server of the test's own (Xvfb), for cases that need a window manager or change the
// root window: the shared test display stays as every other test expects it. Its programs
// end with the test process, even when a test crashes.
class PrivateDisplay {
public:
    PrivateDisplay()
    {
        int ready[2];
        if (pipe(ready) != 0)
            return;
        // Xvfb picks a free display number and writes it to the descriptor once it listens.
        m_server = start({ "Xvfb", "-displayfd", std::to_string(ready[1]), "-screen", "0", "800x600x24", "-nolisten",
            "tcp" });
        close(ready[1]);
        std::string number;
        char c = 0;
        while (m_server && read(ready[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(ready[0]);
        if (!number.empty())
            m_name = ":" + number;
    }
    ~PrivateDisplay()
    {
        for (pid_t pid : { m_windowManager, m_server }) {
            if (pid) {
                kill(pid, SIGTERM);
                waitpid(pid, nullptr, 0);
            }
        }
    }
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

    // Empty when Xvfb could not be started.
    const std::string& name() const { return m_name; }

    // Starts evilwm, a tiny window manager that keeps _NET_ACTIVE_WINDOW; false when it is
    // not installed.
    bool startWindowManager()
    {
        m_windowManager = start({ "evilwm", "--display", m_name, "--fn", "fixed" });
        return m_windowManager != 0;
    }

private:
    static pid_t start(const std::vector<std::string>& argv)
    {
        std::vector<char*> pointers;
        for (const auto& argument : argv)
            pointers.push_back(const_cast<char*>(argument.c_str()));
        pointers.push_back(nullptr);
        pid_t parent = getpid();
        int found[2];
        if (pipe2(found, O_CLOEXEC) != 0)
            return 0;
        pid_t pid = fork();
        if (pid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            if (getppid() != parent)
                _exit(127);
            execvp(pointers[0], pointers.data());
            // Tells the parent that the program is missing: the pipe closes on exec otherwise.
            char failed = 1;
            (void)!write(found[1], &failed, 1);
            _exit(127);
        }
        close(found[1]);
        char failed = 0;
        bool missing = pid < 0 || read(found[0], &failed, 1) == 1;
        close(found[0]);
        if (missing && pid > 0)
            waitpid(pid, nullptr, 0);
        return missing ? 0 : pid;
    }

    pid_t m_server { 0 };
    pid_t m_windowManager { 0 };
    std::string m_name;
};

}
