#include "Road.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace ostrel::acceptance {

namespace {

std::filesystem::path shotFolder()
{
    auto* test = testing::UnitTest::GetInstance()->current_test_info();
    // A folder of their own for copies of one road run side by side.
    const char* root = std::getenv("OSTREL_ROAD_SHOTS");
    return std::filesystem::path(root && *root ? root : OSTREL_SCREENSHOTS)
        / (std::string(test->test_suite_name()) + "." + test->name());
}

}

void Road::TearDown()
{
    // What each run said, beside the road's pictures: two runs of a road that went apart are
    // told apart by it, failed or not.
    if (m_shots) {
        for (std::size_t i = 0; i < m_runs.size(); ++i)
            std::ofstream(shotFolder() / ("run-" + std::to_string(i + 1) + ".txt")) << m_runs[i]->transcript() << "\n";
    }
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

void Road::onScreen(const ScreenSetting& screen)
{
    if (m_desktop || !m_runs.empty())
        throw std::logic_error("a road's screen is chosen before anything runs on a display");
    m_ownDisplay = TestDisplay::start(screen);
    if (!m_ownDisplay)
        throw std::runtime_error("no X server of " + screen.describe() + " could be started");
}

bool Road::asleep(std::vector<const Program*> programs) const
{
    std::vector<pid_t> ours;
    for (const Program* program : programs)
        if (program)
            ours.push_back(program->pid());
    if (auto server = displayServer())
        ours.push_back(*server);
    return Program::asleep(ours);
}

std::optional<pid_t> Road::displayServer() const
{
    if (m_ownDisplay && m_ownDisplay->server() > 0)
        return m_ownDisplay->server();
    // The test display: the server scripts/with-test-display started beside this process.
    if (m_testDisplayServer)
        return m_testDisplayServer;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        if (!std::getline(stat, line) || line.find("(Xvfb)") == std::string::npos)
            continue;
        auto close = line.rfind(')');
        if (close + 3 < line.size() && std::strtol(line.c_str() + close + 3, nullptr, 10) == long(::getppid()))
            return m_testDisplayServer = pid_t(std::strtol(line.c_str(), nullptr, 10));
    }
    return std::nullopt;
}

Program& Road::start(const Launch& launch)
{
    Launch withDisplay = launch;
    if (auto server = displayServer())
        withDisplay.waitsOn.push_back(*server);
    auto program = Program::start(m_home, withDisplay);
    // Thrown, so that the road ends here with this as its failure.
    if (!program)
        throw std::runtime_error("the program " + (launch.program.empty() ? Program::built() : launch.program).string()
            + " could not be started");
    m_runs.push_back(std::move(program));
    return *m_runs.back();
}

Program& Road::startReturning(const nlohmann::json& settings, const Launch& launch)
{
    auto all = Home::returningUser();
    all.update(settings);
    m_home.writeSettings(all);
    return start(launch);
}

WindowId Road::mainWindow(Program& program, double seconds)
{
    // Note windows and screen covers carry the program's name too: the main window is the
    // largest that does not cover the whole screen.
    auto screen = desktop().capture();
    int screenArea = screen ? screen->width() * screen->height() : 0;
    std::optional<WindowId> main;
    eventually(
        [&] {
            int largest = 0;
            for (auto shown : desktop().shownWindows("^Ostrel$")) {
                auto box = desktop().frame(shown);
                int area = box ? box->width * box->height : 0;
                if (box && area > largest && area < screenArea && box->width >= 300) {
                    largest = area;
                    main = shown;
                }
            }
            return main.has_value();
        },
        seconds);
    if (!main || !program.waitForLine("first frame of \"Ostrel\"", seconds))
        throw std::runtime_error("the main window never showed");
    return *main;
}

std::string Road::stop()
{
    if (m_runs.empty())
        return "never started";
    auto exit = m_runs.back()->stop();
    return exit ? exit->describe() : "still running 30 s after SIGTERM";
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

bool Road::openCommandPopUp()
{
    auto before = desktop().focusedWindow();
    if (!desktop().key("super+r"))
        return false;
    // The program comes forward first, its main window taking the keyboard for a moment;
    // the pop-up's own window has no name, and holds the keyboard two looks in a row.
    std::optional<WindowId> seen;
    return eventually([&] {
        auto now = desktop().focusedWindow();
        auto named = desktop().shownWindows("^Ostrel$");
        bool popUp = now && now != before && std::find(named.begin(), named.end(), *now) == named.end()
            && desktop().frame(*now);
        bool settled = popUp && seen == now;
        seen = popUp ? now : std::nullopt;
        return settled;
    });
}

bool Road::runCommand(const std::string& letters)
{
    if (!openCommandPopUp()) {
        ADD_FAILURE() << "the command pop-up did not open";
        shot("no pop-up for " + letters);
        return false;
    }
    auto popUp = desktop().focusedWindow();
    if (!desktop().type(letters) || !desktop().key("Return"))
        return false;
    // Done once the pop-up has handed the keyboard on.
    if (eventually([&] { return desktop().focusedWindow() != popUp; }))
        return true;
    ADD_FAILURE() << "the command pop-up stayed after " << letters;
    shot("pop-up stayed after " + letters);
    return false;
}

Box Road::frameOf(WindowId window)
{
    auto box = desktop().frame(window);
    if (!box)
        throw std::runtime_error("the window " + std::to_string(window) + " is gone");
    return *box;
}

Box Road::frameOfScreen()
{
    auto screen = desktop().capture();
    if (!screen)
        throw std::runtime_error("the screen cannot be read");
    return { 0, 0, screen->width(), screen->height() };
}

std::optional<Screenshot> Road::shot(const std::string& step) { return keep(step, desktop().capture()); }

std::optional<Screenshot> Road::shot(const std::string& step, WindowId window)
{
    return keep(step, desktop().capture(window));
}

std::optional<Screenshot> Road::stillShot(const std::string& step, WindowId window)
{
    auto picture = desktop().waitForStill(window);
    if (!picture)
        ADD_FAILURE() << "the window never held still for " << step;
    return keep(step, picture ? picture : desktop().capture(window));
}

std::optional<Screenshot> Road::stillShot(const std::string& step, const Box& box)
{
    auto picture = desktop().waitForStill(box);
    if (!picture)
        ADD_FAILURE() << "the screen never held still for " << step;
    return keep(step, picture ? picture : desktop().capture(box));
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
