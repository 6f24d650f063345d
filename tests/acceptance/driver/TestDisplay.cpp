#include "tests/acceptance/driver/TestDisplay.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// Last, as Xlib's macros would otherwise rewrite names in the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

extern char** environ;

namespace ostrel::acceptance {

namespace {

// The display number Xvfb writes once it takes connections; empty when it never does.
std::string readDisplayNumber(int fd)
{
    std::string number;
    pollfd wanted { fd, POLLIN, 0 };
    // A loaded machine may take a while to start a server; none takes a minute.
    while (::poll(&wanted, 1, 60000) > 0) {
        char c = 0;
        ssize_t n = ::read(fd, &c, 1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0 || c == '\n')
            break;
        number += c;
    }
    return number;
}

bool askForDpi(const std::string& display, int dpi)
{
    Display* connection = XOpenDisplay(display.c_str());
    if (!connection)
        return false;
    // What xrdb would leave: the desktop's resources, read by the program as it starts.
    std::string resources = "Xft.dpi:\t" + std::to_string(dpi) + "\n";
    XChangeProperty(connection, DefaultRootWindow(connection), XA_RESOURCE_MANAGER, XA_STRING, 8, PropModeReplace,
        reinterpret_cast<const unsigned char*>(resources.data()), int(resources.size()));
    XSync(connection, False);
    XCloseDisplay(connection);
    return true;
}

}

std::string ScreenSetting::describe() const
{
    std::string text = std::to_string(width) + "\u00d7" + std::to_string(height);
    return dpi == 96 ? text : text + " at " + std::to_string(dpi) + " dpi";
}

std::unique_ptr<TestDisplay> TestDisplay::start(const ScreenSetting& screen)
{
    int number[2];
    if (::pipe2(number, O_CLOEXEC) != 0)
        return nullptr;
    // The server writes its number to descriptor 3; -noreset keeps the resources set below
    // when the last client lets go between the road's steps.
    std::vector<std::string> arguments { "Xvfb", "-displayfd", "3", "-screen", "0",
        std::to_string(screen.width) + "x" + std::to_string(screen.height) + "x24", "-nolisten", "tcp", "-noreset" };
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, number[1], 3);
    posix_spawn_file_actions_addclosefrom_np(&actions, 4);
    std::unique_ptr<TestDisplay> display(new TestDisplay);
    int failure = posix_spawnp(&display->m_server, "Xvfb", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(number[1]);
    if (failure) {
        ::close(number[0]);
        display->m_server = -1;
        return nullptr;
    }
    std::string given = readDisplayNumber(number[0]);
    ::close(number[0]);
    if (given.empty())
        return nullptr;
    display->m_name = ":" + given;
    if (screen.dpi != 96 && !askForDpi(display->m_name, screen.dpi))
        return nullptr;
    if (const char* previous = std::getenv("DISPLAY"))
        display->m_previous = previous;
    ::setenv("DISPLAY", display->m_name.c_str(), 1);
    return display;
}

TestDisplay::~TestDisplay()
{
    if (!m_name.empty()) {
        if (m_previous)
            ::setenv("DISPLAY", m_previous->c_str(), 1);
        else
            ::unsetenv("DISPLAY");
    }
    if (m_server > 0) {
        ::kill(m_server, SIGTERM);
        int status = 0;
        while (::waitpid(m_server, &status, 0) < 0 && errno == EINTR) { }
    }
}

}
