#pragma once

// What every road starts from: a fresh home, the test display, and the program started in
// that home as often as the road needs. Whatever the program said is shown when a road
// fails, and the road's screenshots stay in the build folder to be looked at.
#include "tests/acceptance/driver/Desktop.h"
#include "tests/acceptance/driver/Eventually.h"
#include "tests/acceptance/driver/Home.h"
#include "tests/acceptance/driver/Program.h"
#include "tests/acceptance/driver/TestDisplay.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ostrel::acceptance {

class Road : public testing::Test {
private:
    // First, so that it goes last: the programs and the desktop's connection end before their
    // display does.
    std::unique_ptr<TestDisplay> m_ownDisplay;

protected:
    void TearDown() override;

    // The road on a screen of its own (its size and dpi) rather than the test display's;
    // called before anything starts on a display.
    void onScreen(const ScreenSetting& screen);

    // The X server of the road's own screen, or of the test display started beside it.
    std::optional<pid_t> displayServer() const;
    // Whether these programs (the program, its window manager) and the display's server all
    // sleep now, with nothing of what they were given left to do.
    bool asleep(std::vector<const Program*> programs) const;

    // The program, started in this road's home; a failed start fails the road.
    Program& start(const Launch& launch = {});
    // A user who has been here before, with these settings besides (Home::returningUser).
    Program& startReturning(const nlohmann::json& settings = nlohmann::json::object(), const Launch& launch = {});
    // Stops the last one started with SIGTERM and answers how it ended ("exit 0").
    std::string stop();

    // The program's main window once its first frame is on the screen; the road ends here
    // when it never shows.
    WindowId mainWindow(Program& program, double seconds = 20);

    // The test display; the road fails when there is none or no xdotool to play the user.
    Desktop& desktop();
    // The first shown window of that name (see Desktop::waitForWindow), waited for.
    std::optional<WindowId> window(const std::string& name, double seconds = 20);

    // The command pop-up through its global hot key, waited for until it holds the keyboard
    // (what a user sees before typing into it); then `letters` typed and Return pressed.
    bool openCommandPopUp();
    bool runCommand(const std::string& letters);

    // Where a shown window stands; the road ends here when it is gone.
    Box frameOf(WindowId window);
    Box frameOfScreen();

    // The whole screen, or one window, now; kept as screenshots/<Suite.Road>/<nn>-<step>.png.
    std::optional<Screenshot> shot(const std::string& step);
    std::optional<Screenshot> shot(const std::string& step, WindowId window);
    // The same once the picture holds still: what the program drew for the step, not a
    // frame caught between two.
    std::optional<Screenshot> stillShot(const std::string& step, WindowId window);
    std::optional<Screenshot> stillShot(const std::string& step, const Box& box);

    // A picture taken otherwise, kept as the step's screenshot; a missing one fails the road.
    std::optional<Screenshot> keep(const std::string& step, std::optional<Screenshot> picture);

    Home m_home;
    std::vector<std::unique_ptr<Program>> m_runs;

private:

    std::unique_ptr<Desktop> m_desktop;
    int m_shots { 0 };
    mutable std::optional<pid_t> m_testDisplayServer;
};

}
