#pragma once

// What every road starts from: a fresh home, the test display, and the program started in
// that home as often as the road needs. Whatever the program said is shown when a road
// fails, and the road's screenshots stay in the build folder to be looked at.
#include "tests/acceptance/driver/Desktop.h"
#include "tests/acceptance/driver/Eventually.h"
#include "tests/acceptance/driver/Home.h"
#include "tests/acceptance/driver/Program.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ostrel::acceptance {

class Road : public testing::Test {
protected:
    void TearDown() override;

    // The program, started in this road's home; a failed start fails the road.
    Program& start(const Launch& launch = {});
    // Stops the last one started with SIGTERM and answers how it ended ("exit 0").
    std::string stop();

    // The test display; the road fails when there is none or no xdotool to play the user.
    Desktop& desktop();
    // The first shown window of that name (see Desktop::waitForWindow), waited for.
    std::optional<WindowId> window(const std::string& name, double seconds = 20);

    // The whole screen, or one window, now; kept as screenshots/<Suite.Road>/<nn>-<step>.png.
    std::optional<Screenshot> shot(const std::string& step);
    std::optional<Screenshot> shot(const std::string& step, WindowId window);

    Home m_home;
    std::vector<std::unique_ptr<Program>> m_runs;

private:
    std::optional<Screenshot> keep(const std::string& step, std::optional<Screenshot> picture);

    std::unique_ptr<Desktop> m_desktop;
    int m_shots { 0 };
};

}
