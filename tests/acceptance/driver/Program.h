#pragma once

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace ostrel::acceptance {

class Home;

// How a program ends: by its own exit code, or by a signal.
struct Exit {
    int code { -1 };
    int signal { 0 };

    bool cleanly() const { return signal == 0 && code == 0; }
    // "exit 0", "signal 9 (Killed)": what a failure message shows.
    std::string describe() const;
    bool operator==(const Exit&) const = default;
};

// What a run is started with beyond its home.
struct Launch {
    static Launch atSpeed(double clockSpeed)
    {
        Launch launch;
        launch.clockSpeed = clockSpeed;
        return launch;
    }

    // OSTREL_CLOCK_SPEED, so that a slice of minutes passes in seconds; none runs at real speed.
    std::optional<double> clockSpeed;
    std::vector<std::pair<std::string, std::string>> environment;
    std::vector<std::string> arguments;
    // The built program unless another is named.
    std::filesystem::path program;
    // Processes whose work the program waits on (its display's server): while they are
    // busy, so is it.
    std::vector<pid_t> waitsOn;
};

// The real program running as a child in a home of its own, with everything it writes to
// stdout and stderr collected line by line (diagnostic lines among them) and stamped with
// the time since start. Ending the object ends the program and whatever it started
// (SIGKILL to its process group).
class Program {
public:
    // The program of this build (app/ostrel).
    static std::filesystem::path built();

    // Nothing when the program could not be started at all.
    static std::unique_ptr<Program> start(const Home& home, const Launch& launch = {});
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    pid_t pid() const { return m_pid; }
    bool running();
    // Whether its threads sleep now, waiting for something to do: input it was given
    // before has been dealt with. A thread ready to run but waiting for the processor is not
    // idle, so a loaded machine only makes this come later. The processes it started count
    // too (a window manager run inside a session, a browser drawing a page).
    bool idle() const;
    // The same of processes of the road's (the program, its window manager, the display's
    // server) and those they started, all at one look.
    static bool asleep(const std::vector<pid_t>& processes);

    struct Line {
        double seconds { 0 }; // since start
        std::string text;
    };
    // The first line from the `from`th on that contains `text`, waiting for it up to
    // `seconds`, and on past them while the program is still at work, as one on a loaded
    // machine is; none once it sleeps or ends without it. With 0, a look at whether it came.
    std::optional<Line> waitForLine(const std::string& text, double seconds = 10, std::size_t from = 0);
    // The program's screen, by its class name ("DefineTimeSliceState"), once it is current:
    // the first such change from the `from`th line on, waited for as a line is.
    std::optional<Line> waitForScreen(const std::string& screen, double seconds = 10, std::size_t from = 0);
    // Whether that change comes within `seconds` of wall time, no later: for a screen that
    // must not come yet, or a look at whether it has (0).
    bool showsWithin(const std::string& screen, double seconds, std::size_t from = 0);
    std::vector<Line> lines() const;
    // Now, counted as its lines' `seconds` are.
    double secondsSinceStart() const;
    std::size_t lineCount() const;
    // Everything it said, one indented line each: for a failure's message.
    std::string transcript() const;

    // SIGTERM, then its end within `seconds`, or later while it is still at work then;
    // none while it still runs after that. The sanitizer's leak check at the end takes its
    // time on a loaded machine.
    std::optional<Exit> stop(double seconds = 30);
    // SIGKILL, as a crash or a power cut would end it.
    Exit kill();
    std::optional<Exit> waitForExit(double seconds);
    // Its end within `seconds`, or later while it is still at work then, as a sanitizer
    // build is in its leak check on a loaded machine; none while it sleeps without ending.
    std::optional<Exit> waitForEnd(double seconds);
    const std::optional<Exit>& exit() const { return m_exit; }

private:
    // Shared with the thread that reads it: a helper the program started may hold the
    // output open after the program itself has gone.
    struct Output {
        std::mutex mutex;
        std::condition_variable changed;
        std::vector<Line> lines;
        bool ended { false };
    };

    Program() = default;
    // The line within `seconds` of wall time, no later.
    std::optional<Line> lineWithin(const std::string& text, double seconds, std::size_t from);
    // Its main thread has ended, or it has gone: the rest follows, however slowly.
    bool ending() const;
    // Calls `waitFor(seconds)` in short steps while the program is at work, until it
    // answers true, the program sleeps or ends, or a bound of minutes passes.
    void waitWhileAtWork(const std::function<bool(double)>& waitFor);
    // Collects the program's end if it came (waiting for it when `block`): true once it has.
    bool reap(bool block);
    static void collect(int fd, std::chrono::steady_clock::time_point started, std::shared_ptr<Output> output);

    pid_t m_pid { -1 };
    std::vector<pid_t> m_waitsOn;
    std::chrono::steady_clock::time_point m_started;
    std::optional<Exit> m_exit;
    std::shared_ptr<Output> m_output { std::make_shared<Output>() };
};

}
