#include "Road.h"

#include <cstdio>
#include <stdexcept>

namespace ostrel::acceptance {

namespace {

std::filesystem::path shotFolder()
{
    auto* test = testing::UnitTest::GetInstance()->current_test_info();
    return std::filesystem::path(OSTREL_SCREENSHOTS) / (std::string(test->test_suite_name()) + "." + test->name());
}

}

void Road::TearDown()
{
    if (!HasFailure())
        return;
    for (std::size_t i = 0; i < m_runs.size(); ++i) {
        auto& run = *m_runs[i];
        std::string ending = run.exit() ? run.exit()->describe() : "still running";
        std::fprintf(stderr, "--- run %zu of the program (pid %d, %s) said:%s\n", i + 1, int(run.pid()), ending.c_str(),
            run.transcript().c_str());
    }
    if (m_shots)
        std::fprintf(stderr, "--- screenshots in %s\n", shotFolder().c_str());
}

Program& Road::start(const Launch& launch)
{
    auto program = Program::start(m_home, launch);
    // Thrown, so that the road ends here with this as its failure.
    if (!program)
        throw std::runtime_error("the program " + (launch.program.empty() ? Program::built() : launch.program).string()
            + " could not be started");
    m_runs.push_back(std::move(program));
    return *m_runs.back();
}

std::string Road::stop()
{
    if (m_runs.empty())
        return "never started";
    auto exit = m_runs.back()->stop();
    return exit ? exit->describe() : "still running 10 s after SIGTERM";
}

Desktop& Road::desktop()
{
    if (!m_desktop) {
        m_desktop = std::make_unique<Desktop>();
        if (!m_desktop->ok())
            ADD_FAILURE() << "no X display: roads run on the test display (make test)";
        else if (!Desktop::hasHands())
            ADD_FAILURE() << "xdotool is not installed (scripts/install-deps adds it)";
    }
    return *m_desktop;
}

std::optional<WindowId> Road::window(const std::string& name, double seconds)
{
    return desktop().waitForWindow(name, seconds);
}

std::optional<Screenshot> Road::shot(const std::string& step) { return keep(step, desktop().capture()); }

std::optional<Screenshot> Road::shot(const std::string& step, WindowId window)
{
    return keep(step, desktop().capture(window));
}

std::optional<Screenshot> Road::keep(const std::string& step, std::optional<Screenshot> picture)
{
    if (!picture) {
        ADD_FAILURE() << "no screenshot for " << step;
        return picture;
    }
    // A road run again replaces its pictures rather than mixing with the last run's.
    if (m_shots++ == 0)
        std::filesystem::remove_all(shotFolder());
    char number[8];
    std::snprintf(number, sizeof number, "%02d-", m_shots);
    if (!picture->savePng(shotFolder() / (number + step + ".png")))
        ADD_FAILURE() << "could not keep the screenshot " << step;
    return picture;
}

}
