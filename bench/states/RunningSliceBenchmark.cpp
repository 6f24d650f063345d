// A time slice counting for a minute of real time: what it costs with the main window
// hidden (as the running screen leaves it) and with the window shown, in processor time and
// wake-ups. The slice runs in a child process that the parent samples from /proc, under an
// X server of its own unless OSTREL_BACKEND=offscreen. Each figure is printed beside its
// target, for reading; none of them fails the run.
#include "bench/app/ProcessMeter.h"
#include "bench/states/SliceProcess.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

void row(const std::string& figure, const std::string& value, const std::string& target)
{
    std::printf("  %-44s %-19s %s\n", figure.c_str(), target.c_str(), value.c_str());
    std::fflush(stdout);
}

std::string format(const char* pattern, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

void measured(const std::string& how, const std::optional<bench::Usage>& usage, const std::string& cpuTarget)
{
    if (!usage) {
        row("a slice counting, " + how, "not measured: the slice's process ended", cpuTarget);
        return;
    }
    row("a slice counting, " + how, format("%.3f %% of a core", usage->cpuPercent), cpuTarget);
    row("", format("%.2f wake-ups per second", usage->wakeUpsPerSecond), how == "window hidden" ? "<= 1.2 wake-ups/s" : "");
}

void order(int pipe, char what) { [[maybe_unused]] auto written = write(pipe, &what, 1); }

}

int main()
{
    bool offscreen = std::getenv("OSTREL_BACKEND") && std::string(std::getenv("OSTREL_BACKEND")) == "offscreen";
    // On an X server of its own, never on the developer's desktop.
    if (!offscreen && !std::getenv("OSTREL_BENCH_STATES_DISPLAY")) {
        setenv("OSTREL_BENCH_STATES_DISPLAY", "1", 1);
        std::string self = fs::read_symlink("/proc/self/exe");
        execl(OSTREL_WITH_DISPLAY, OSTREL_WITH_DISPLAY, self.c_str(), static_cast<char*>(nullptr));
        std::perror("bench_states: cannot start a display of its own");
        return 1;
    }
    // Nothing of the developer's session: no tray, no banners, no locale of theirs.
    setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/ostrel-bench-bus", 1);
    setenv("LC_ALL", "C.UTF-8", 1);

    int orders[2];
    if (pipe(orders) != 0) {
        std::perror("bench_states: pipe");
        return 1;
    }
    // The slice's own lines (diagnostics, the notification handlers' reports) go to a file,
    // so that the table stays readable.
    fs::path log = fs::temp_directory_path() / "ostrel-bench-states.log";
    std::fflush(stdout);
    pid_t slice = fork();
    if (slice == 0) {
        close(orders[1]);
        if (FILE* file = std::fopen(log.c_str(), "w")) {
            dup2(fileno(file), STDOUT_FILENO);
            dup2(fileno(file), STDERR_FILENO);
        }
        _exit(bench::runSlice(orders[0]));
    }
    close(orders[0]);

    std::printf("A running slice (%s), measured from /proc for 30 s hidden and 30 s shown; its lines in %s\n",
        offscreen ? "offscreen" : "under Xvfb", log.c_str());
    std::printf("  %-44s %-19s %s\n", "figure", "target", "measured");
    // Start-up and the first layouts are not counting.
    std::this_thread::sleep_for(std::chrono::seconds(3));
    measured("window hidden", bench::measure(slice, 30), "<= 0.1 %");
    order(orders[1], 's');
    std::this_thread::sleep_for(std::chrono::seconds(2));
    measured("window shown", bench::measure(slice, 30), "<= 0.3 %");

    order(orders[1], 'q');
    close(orders[1]);
    int status = 0;
    for (int i = 0; i < 50 && waitpid(slice, &status, WNOHANG) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (waitpid(slice, &status, WNOHANG) == 0) {
        kill(slice, SIGKILL);
        waitpid(slice, &status, 0);
    }
    return 0;
}
