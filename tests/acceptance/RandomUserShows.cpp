// Hiding and showing the program, and its command pop-up: what a user does with a program
// that lives beside the work, and what each way must come to when nothing else is in the way.
#include "RandomUser.h"

namespace ostrel::acceptance {

namespace {

// What the pop-up is asked for: commands and options of every screen, and the global ones;
// and, now and then, the commands that take a slice on through its rating to the break's
// preparation, whose screens grow the window.
const char* const kCommandWords[] = { "start", "break", "hide", "now", "later", "scratch", "log book", "stat", "close all",
    "soft", "compact", "skip", "add log", "parse", "abort", "pause", "continue", "timed", "informal", "help" };
const char* const kOnwardWords[] = { "finish", "log time", "skip logging" };

const std::string kHideRule = "a hide takes the program's windows off the screen";
const std::string kShowRule = "a show brings the main window back with the keyboard";
const std::string kPopUpRule = "the pop-up hot key shows the command pop-up with the keyboard";

}

RandomUser::Toggle RandomUser::toggleFrom(const Scene& scene)
{
    // Only where nothing else shows is it plain what the program should do: a window of its
    // own in front may keep the hot keys or the keyboard for itself.
    if (!scene.quiet())
        return Toggle::Unknown;
    if (scene.mainWindowHasKeyboard())
        return Toggle::Hides;
    if (!scene.mainWindowShown())
        return Toggle::Shows;
    return Toggle::Unknown;
}

RandomUser::Outcome RandomUser::expectToggled(Toggle toggle, const std::string& how)
{
    // A break or a slice that ends on its own meanwhile shows its next screen, wherever the
    // user's step had put the window a moment before: on a loaded machine the two meet.
    if (toggle == Toggle::Hides)
        return expectScene([this](const Scene& scene) { return !scene.mainWindowShown() || movedOn(); }, kHideRule,
            how + " with the main window holding the keyboard hides the program");
    if (toggle == Toggle::Shows)
        return expectMainWindowWithKeyboard(how + " with the program hidden", true);
    return std::nullopt;
}

RandomUser::Outcome RandomUser::expectMainWindowWithKeyboard(const std::string& how, bool orMovedOn)
{
    return expectScene([this, orMovedOn](const Scene& scene) { return scene.mainWindowHasKeyboard() || (orMovedOn && movedOn()); },
        kShowRule, how + " shows the main window holding the keyboard");
}

RandomUser::Outcome RandomUser::expectPopUp(const std::string& how)
{
    // A screen shown on its own meanwhile (a break that ended) takes the keyboard for its field.
    return expectScene(
        [this](const Scene& scene) { return (scene.mainWindowShown() && scene.popUpWithKeyboard()) || movedOn(); },
        kPopUpRule, how + " shows the main window and over it the command pop-up, holding the keyboard");
}

RandomUser::Outcome RandomUser::pressEscape(const Scene& scene, Dice&)
{
    doing(scene.mainWindowHasKeyboard() ? "Escape in the main window" : "Escape");
    desktop().key("Escape");
    return std::nullopt;
}

RandomUser::Outcome RandomUser::closeWindow(const Scene& scene, Dice&)
{
    const ProgramWindow* front = nullptr;
    for (const auto& window : scene.windows) {
        if (window.decorated() && !window.minimized && (!front || window.stackingOrder > front->stackingOrder))
            front = &window;
    }
    if (!front) {
        doing("the close button, with no titled window shown");
        return std::nullopt;
    }
    bool main = front == scene.mainWindow();
    doing(main ? "the main window's close button" : "the close button of \"" + front->name + "\"");
    desktop().askToClose(front->id);
    // Closing the main window hides the program; closing another leaves the keyboard with us.
    if (main)
        return expectToggled(toggleFrom(scene), "the close button");
    return m_widened && scene.focused == front->id ? expectKeyboardWithUs("the close button of \"" + front->name + "\"")
                                                   : std::nullopt;
}

RandomUser::Outcome RandomUser::clickStatusItem(const Scene& scene, Dice&)
{
    auto* strip = scene.statusStrip();
    if (!strip) {
        doing("a click on the status item, with no strip shown");
        return std::nullopt;
    }
    Toggle toggle = toggleFrom(scene);
    doing(toggle == Toggle::Hides ? "a click on the status item with the program in front"
            : toggle == Toggle::Shows ? "a click on the status item with the program hidden"
                                      : "a click on the status item");
    clickTheStatusItem(*strip);
    return expectToggled(toggle, "a click on the status item");
}

RandomUser::Outcome RandomUser::bringToFrontKey(const Scene& scene, Dice&)
{
    Toggle toggle = toggleFrom(scene);
    doing(toggle == Toggle::Hides ? "the bring-to-front key (Ctrl+Shift+Alt+O) with the program in front"
            : toggle == Toggle::Shows ? "the bring-to-front key (Ctrl+Shift+Alt+O) with the program hidden"
                                      : "the bring-to-front key (Ctrl+Shift+Alt+O)");
    desktop().key("ctrl+shift+alt+o");
    return expectToggled(toggle, "the bring-to-front key");
}

RandomUser::Outcome RandomUser::popUpHotKey(const Scene& scene, Dice&)
{
    bool quiet = scene.quiet();
    bool hidden = !scene.mainWindowShown();
    doing(!quiet ? "Super+R (the command pop-up)"
            : hidden ? "Super+R (the command pop-up) with the program hidden"
                     : "Super+R (the command pop-up) with nothing else shown");
    desktop().key("super+r");
    return quiet ? expectPopUp(hidden ? "Super+R with the program hidden" : "Super+R") : std::nullopt;
}

RandomUser::Outcome RandomUser::popUpCommand(const Scene& scene, Dice& dice)
{
    std::string word = kCommandWords[dice.below(int(std::size(kCommandWords)))];
    int ending = dice.below(5);
    bool onward = dice.below(3) == 0;
    std::string onwardWord = kOnwardWords[dice.below(int(std::size(kOnwardWords)))];
    if (!onward)
        return runCommand(scene, word, ending < 3 ? "Return" : ending == 3 ? "Down Return" : "Escape");
    // On through the screens that follow, each by its command, as far as the break's preparation.
    std::vector<std::string> words { onwardWord };
    if (m_screenName == "DefineTimeSliceState")
        words = { "start", "finish", "skip logging" };
    else if (m_screenName == "TimeSliceRunningState" || m_screenName == "PausedState")
        words = { "finish", "skip logging" };
    else if (m_screenName == "RateTimeSliceState")
        words = { "skip logging" };
    Scene now = scene;
    for (const auto& each : words) {
        if (auto broken = runCommand(now, each, "Return"))
            return broken;
        now = settle();
    }
    return std::nullopt;
}

RandomUser::Outcome RandomUser::runCommand(const Scene& scene, const std::string& word, const std::string& keys)
{
    bool quiet = scene.quiet();
    doing("Super+R, \"" + word + "\", " + keys + (quiet && !scene.mainWindowShown() ? " with the program hidden" : ""));
    desktop().key("super+r");
    // Typed once the pop-up could show, as a user looks before typing.
    if (!quiet)
        settle();
    else if (auto broken = expectPopUp(!scene.mainWindowShown() ? "Super+R with the program hidden" : "Super+R"))
        return broken;
    desktop().type(word);
    // Options that hide or show a screen's sections, or make it compact, give it another height.
    if (keys.find("Return") != std::string::npos && (word == "hide" || word == "compact" || word == "soft"))
        m_heights.clear();
    for (const char* key : { "Down", "Return", "Escape" }) {
        if (keys.find(key) != std::string::npos)
            desktop().key(key);
    }
    return std::nullopt;
}

}
