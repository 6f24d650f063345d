#include "tests/acceptance/driver/Program.h"

#include "tests/acceptance/driver/Home.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace ostrel::acceptance {

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// This process's environment with the home's and the launch's settings over it: sanitizer
// options, PATH and the test display come through.
std::vector<std::string> environmentFor(const Home& home, const Launch& launch)
{
    std::map<std::string, std::string> variables;
    for (char** entry = environ; *entry; ++entry) {
        std::string text = *entry;
        auto equals = text.find('=');
        if (equals != std::string::npos)
            variables[text.substr(0, equals)] = text.substr(equals + 1);
    }
    for (const auto& [name, value] : home.environment())
        variables[name] = value;
    if (launch.clockSpeed)
        variables["OSTREL_CLOCK_SPEED"] = std::to_string(*launch.clockSpeed);
    for (const auto& [name, value] : launch.environment)
        variables[name] = value;
    std::vector<std::string> result;
    for (const auto& [name, value] : variables)
        result.push_back(name + "=" + value);
    return result;
}

std::vector<char*> pointers(std::vector<std::string>& texts)
{
    std::vector<char*> result;
    for (auto& text : texts)
        result.push_back(text.data());
    result.push_back(nullptr);
    return result;
}

Exit exitOf(int status)
{
    if (WIFSIGNALED(status))
        return { -1, WTERMSIG(status) };
    return { WEXITSTATUS(status), 0 };
}

}

std::string Exit::describe() const
{
    if (signal)
        return "signal " + std::to_string(signal) + " (" + strsignal(signal) + ")";
    return "exit " + std::to_string(code);
}

std::filesystem::path Program::built() { return OSTREL_PROGRAM; }

std::unique_ptr<Program> Program::start(const Home& home, const Launch& launch)
{
    std::filesystem::path path = launch.program.empty() ? built() : launch.program;
    std::vector<std::string> arguments { path.string() };
    arguments.insert(arguments.end(), launch.arguments.begin(), launch.arguments.end());
    std::vector<std::string> environment = environmentFor(home, launch);
    auto argv = pointers(arguments);
    auto envp = pointers(environment);
    int output[2];
    if (::pipe2(output, O_CLOEXEC) != 0)
        return nullptr;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDERR_FILENO);
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    // A group of its own, so that the helpers it starts end with it.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);

    std::unique_ptr<Program> program(new Program);
    program->m_waitsOn = launch.waitsOn;
    auto started = program->m_started = Clock::now();
    int failure = posix_spawn(&program->m_pid, argv[0], &actions, &attributes, argv.data(), envp.data());
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    ::close(output[1]);
    if (failure) {
        ::close(output[0]);
        return nullptr;
    }
    std::thread(collect, output[0], started, program->m_output).detach();
    return program;
}

void Program::collect(int fd, std::chrono::steady_clock::time_point started, std::shared_ptr<Output> output)
{
    std::string pending;
    char buffer[4096];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        pending.append(buffer, std::size_t(n));
        std::lock_guard lock(output->mutex);
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
            output->lines.push_back({ secondsSince(started), pending.substr(0, end) });
            pending.erase(0, end + 1);
        }
        output->changed.notify_all();
    }
    ::close(fd);
    std::lock_guard lock(output->mutex);
    if (!pending.empty())
        output->lines.push_back({ secondsSince(started), pending });
    output->ended = true;
    output->changed.notify_all();
}

Program::~Program()
{
    // Only a group still ours: one collected already may have given its number to anyone.
    if (m_pid > 0 && !m_exit) {
        ::kill(-m_pid, SIGKILL);
        reap(true);
    }
}

bool Program::reap(bool block)
{
    if (m_exit || m_pid <= 0)
        return true;
    // Seen ended but not collected yet, the program still holds its number: the helpers it
    // started go with it now, and only then is it collected.
    siginfo_t info {};
    int flags = WEXITED | WNOWAIT | (block ? 0 : WNOHANG);
    while (::waitid(P_PID, id_t(m_pid), &info, flags) < 0) {
        if (errno != EINTR)
            return false;
    }
    if (info.si_pid != m_pid)
        return false;
    ::kill(-m_pid, SIGKILL);
    int status = 0;
    while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) { }
    m_exit = exitOf(status);
    return true;
}

bool Program::running() { return !reap(false); }

namespace {

// The state letter and the parent of a process, from its stat line; none once it is gone.
std::optional<std::pair<char, pid_t>> stateOf(const std::filesystem::path& stat)
{
    std::ifstream in(stat);
    std::string line;
    if (!std::getline(in, line))
        return std::nullopt;
    // The state follows the name in brackets, which may hold anything; the parent follows it.
    auto close = line.rfind(')');
    if (close == std::string::npos || close + 2 >= line.size())
        return std::pair { 'R', pid_t(0) };
    pid_t parent = pid_t(std::strtol(line.c_str() + close + 3, nullptr, 10));
    return std::pair { line[close + 2], parent };
}

bool sleeping(char state)
{
    // A process that ended and waits to be reaped has nothing left to do either.
    return state == 'S' || state == 'Z' || state == 'X';
}

// Every thread of the process asleep: work handed to a thread of its own (the log read) is
// work under way. The audio threads wake every few milliseconds while a sound plays, whatever
// the program does, and are left out.
bool threadsSleep(pid_t process)
{
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator("/proc/" + std::to_string(process) + "/task", error)) {
        std::ifstream in(task.path() / "stat");
        std::string line;
        if (!std::getline(in, line))
            continue;
        auto open = line.find('('), close = line.rfind(')');
        if (open == std::string::npos || close == std::string::npos || close + 2 >= line.size())
            return false;
        if (line.compare(open + 1, 8, "SDLAudio") == 0)
            continue;
        if (!sleeping(line[close + 2]))
            return false;
    }
    return true;
}

}

bool Program::idle() const
{
    std::vector<pid_t> ours { m_pid };
    ours.insert(ours.end(), m_waitsOn.begin(), m_waitsOn.end());
    return asleep(ours);
}

bool Program::asleep(const std::vector<pid_t>& processes)
{
    // Every process's state and parent, so that the children of each are found in one pass.
    std::map<pid_t, std::pair<char, pid_t>> all;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        const std::string name = entry.path().filename().string();
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        if (auto state = stateOf(entry.path() / "stat"))
            all[pid_t(std::stol(name))] = *state;
    }
    std::vector<pid_t> waiting(processes.begin(), processes.end());
    while (!waiting.empty()) {
        pid_t process = waiting.back();
        waiting.pop_back();
        auto found = all.find(process);
        // Gone already: nothing left to do.
        if (found == all.end())
            continue;
        if (!sleeping(found->second.first) || !threadsSleep(process))
            return false;
        for (const auto& [child, state] : all)
            if (state.second == process)
                waiting.push_back(child);
    }
    return true;
}

std::optional<Program::Line> Program::lineWithin(const std::string& text, double seconds, std::size_t from)
{
    auto deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    std::unique_lock lock(m_output->mutex);
    std::optional<Line> found;
    m_output->changed.wait_until(lock, deadline, [&] {
        for (std::size_t i = from; i < m_output->lines.size(); ++i) {
            if (m_output->lines[i].text.find(text) != std::string::npos) {
                found = m_output->lines[i];
                return true;
            }
        }
        return m_output->ended;
    });
    return found;
}

double Program::secondsSinceStart() const { return secondsSince(m_started); }

namespace {

std::string screenShown(const std::string& screen) { return "now in new state: <Ostrel_4." + screen + ">"; }

}

std::optional<Program::Line> Program::waitForScreen(const std::string& screen, double seconds, std::size_t from)
{
    return waitForLine(screenShown(screen), seconds, from);
}

bool Program::showsWithin(const std::string& screen, double seconds, std::size_t from)
{
    return lineWithin(screenShown(screen), seconds, from).has_value();
}

std::vector<Program::Line> Program::lines() const
{
    std::lock_guard lock(m_output->mutex);
    return m_output->lines;
}

std::size_t Program::lineCount() const
{
    std::lock_guard lock(m_output->mutex);
    return m_output->lines.size();
}

std::string Program::transcript() const
{
    std::string all;
    for (const auto& line : lines())
        all += "\n  " + line.text;
    return all;
}

std::optional<Exit> Program::waitForExit(double seconds)
{
    auto deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    while (running()) {
        if (Clock::now() >= deadline)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return m_exit;
}

std::optional<Exit> Program::waitForEnd(double seconds)
{
    auto exit = waitForExit(seconds);
    // Still at work at the deadline, it is ending slowly, not stuck: the sanitizer's leak
    // check at the end reads every library's symbols, which a loaded machine draws out.
    if (!exit)
        waitWhileAtWork([&](double step) { return (exit = waitForExit(step)).has_value(); });
    return exit;
}

std::optional<Program::Line> Program::waitForLine(const std::string& text, double seconds, std::size_t from)
{
    auto found = lineWithin(text, seconds, from);
    if (!found && seconds > 0)
        waitWhileAtWork([&](double step) { return (found = lineWithin(text, step, from)).has_value() || !running(); });
    return found;
}

void Program::waitWhileAtWork(const std::function<bool(double)>& waitFor)
{
    // Given the time the work takes, within a bound. Asleep at two looks apart, not at one:
    // a process that ended between a look for its end and a look at its state seemed
    // asleep, and one ending in a moment's sleep seemed stuck.
    auto bound = Clock::now() + std::chrono::minutes(2);
    int asleepLooks = 0;
    while (Clock::now() < bound && !m_exit) {
        asleepLooks = idle() && !ending() ? asleepLooks + 1 : 0;
        if (asleepLooks == 2 || waitFor(0.5))
            return;
    }
}

bool Program::ending() const
{
    auto state = stateOf("/proc/" + std::to_string(m_pid) + "/stat");
    return !state || state->first == 'Z' || state->first == 'X';
}

std::optional<Exit> Program::stop(double seconds)
{
    if (running())
        ::kill(m_pid, SIGTERM);
    auto exit = waitForEnd(seconds);
    // Where a program that does not end is stuck, for whoever reads the failure.
    if (!exit && std::system("command -v gdb > /dev/null 2>&1") == 0) {
        std::string command = "gdb -p " + std::to_string(m_pid) + " -batch -ex 'thread apply all bt 25' 1>&2 2>/dev/null";
        [[maybe_unused]] int ignored = std::system(command.c_str());
    }
    return exit;
}

Exit Program::kill()
{
    if (running()) {
        ::kill(m_pid, SIGKILL);
        reap(true);
    }
    return m_exit.value_or(Exit {});
}

}
