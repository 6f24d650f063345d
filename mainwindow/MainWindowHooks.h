#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {
class Button;
}

namespace ostrel {

class NiblessViewController;
class ObjectiveTextView;

// What an OmniFocus task dropped on a pad carries for us.
struct OmniFocusTask {
    std::int64_t estimatedMinutes { 0 };
    std::vector<std::string> contextNames;
};

// Where the main window reaches parts of the program built after it (the command pop-up,
// the shell, the help and statistics pads). Start-up fills them; until then the command and
// help buttons do nothing, the statistics and help pads are empty walls, an OmniFocus drop
// inserts its text only and objective views get no inactive highlight.
class MainWindowHooks {
public:
    static MainWindowHooks& shared();

    // The command button was pressed: the command pop-up runs anchored on it.
    std::function<void(ui::Button& commandButton)> runCommandPopUp;
    // The window just changed its frame to compress: an open command pop-up follows its button.
    std::function<void()> commandPopUpFollowsWindow;
    // Shows a help page by file name in the help pad.
    std::function<void(const std::string& page)> showHelpPage;
    // The controllers whose views fill the statistics and help pads, made once with the window.
    std::function<std::shared_ptr<NiblessViewController>()> makeStatsController;
    std::function<std::shared_ptr<NiblessViewController>()> makeHelpController;
    // The XML of a dragged OmniFocus task read; none when it does not read.
    std::function<std::optional<OmniFocusTask>(std::string_view xml)> parseOmniFocusTask;
    // Run on every objective view as it is made (its inactive highlight).
    std::function<void(ObjectiveTextView&)> prepareObjectiveTextView;

    // Every hook empty again (tests).
    void reset() { *this = MainWindowHooks(); }

private:
    MainWindowHooks() = default;
};

}
