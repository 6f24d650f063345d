#pragma once

// The main window's home as the layout crash was found in: a year of logs, three pad pages
// and the window low on the screen as some starts left it, under a window manager where one
// is installed. Roads of the main window start from it.
#include "Road.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <string>

namespace ostrel::acceptance {

class MainWindowHome : public Road {
protected:
    // Writes the logs, the pages and a returning user's settings with `settings` over them.
    void furnish(const nlohmann::json& settings = nlohmann::json::object());
    // Openbox, when installed; roads run without one elsewhere. With `keysForProgramsOnly`
    // it binds no keys of its own (its window menu, desktop switching, moving by keys) and
    // takes no double click on a title bar: a road's random keys and clicks then reach the
    // program, and only the road's own moves move a window.
    // `name` "xfwm4" starts that one instead, in a D-Bus session of its own as Xfce's does.
    void underAWindowManager(bool keysForProgramsOnly = false, const std::string& name = "openbox");
    // The first line in which a sanitizer reported something; none when they kept quiet.
    static std::optional<std::string> sanitizerReport(const Program& program);
};

}
