#pragma once

// A user nobody could script, on the program itself: seeded random clicks, drags, wheel turns,
// keys and typing, besides what users do to a desktop program all day: hide it and show it
// again (Escape, the close button, the status item, the bring-to-front key), the command
// pop-up by its hot key, the pads and their B / i / U / S buttons and toolbars, undo and redo,
// moving, resizing, maximizing and minimizing windows, the preferences, the status menu,
// Ctrl+W and Ctrl+Q. After every action it checks what must hold whatever came before
// (Scene.h), that the program's hidden flag, where it tells it, matches its windows, that a
// window nobody moved stands where it was left and that each screen keeps its own height;
// now and then it types a probe into a text field and looks for it in the field's file. A rule broken is a fault of the program, named with the action that
// broke it and the seed that drove there (OSTREL_ROAD_SEED drives it again); the road goes on
// and lists every fault it found, each once.
#include "MainWindowHome.h"
#include "Scene.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>

namespace ostrel::acceptance {

// Keys as xdotool names them, the modifiers they come with, and texts typed at once.
inline const char* const kRandomKeys[] = { "a", "b", "x", "1", "minus", "apostrophe", "space", "Return", "BackSpace",
    "Delete", "Tab", "Escape", "Home", "End", "Prior", "Next", "Left", "Right", "Up", "Down", "period", "asterisk",
    "plus", "z", "u", "i", "c", "v", "q", "F4" };
inline const char* const kRandomModifiers[] = { "", "", "", "ctrl+", "shift+", "alt+", "ctrl+shift+" };
inline const char* const kRandomTexts[] = { "done'", "--", "\n* ", "Call the bank--", "1. ", "word ",
    "\u00e9t\u00e9 \U0001F600" };

// How long a road drives: no more than so many actions, and by hand for so many seconds. The
// test command counts actions alone, so that a slow machine drives a seed as far as a quick one.
struct Budget {
    std::optional<double> seconds;
    int actions { 1 << 30 };
};

// The seed of a run by hand: OSTREL_ROAD_SEED when it holds one, a new one when it says
// "random"; none when it is not set, as in the test command, whose cases drive seeds of their own.
std::optional<std::uint32_t> seedGivenByHand();
// How far a run by hand drives: OSTREL_ROAD_ACTIONS actions when set (a seed driven again as
// far as it went before), else two minutes.
Budget budgetByHand();

class RandomUser : public MainWindowHome {
protected:
    ~RandomUser() override;

    // Drives the program on that screen from a seed; empty when every rule held, the
    // program stayed up, ended cleanly on SIGTERM and the sanitizers said nothing, else the
    // faults found.
    std::string drive(std::uint32_t seed, const ScreenSetting& screen, Budget budget);
    // The road as it was before it checked anything but the program's end, on the test
    // display, for the seeds it found faults with then (RandomInputRoad.cpp).
    std::string driveAsBefore(std::uint32_t seed, const std::filesystem::path& program, int actions);

    // The window manager the road drives under: openbox unless told otherwise (xfwm4).
    std::string m_managerName { "openbox" };
    // The program's environment besides the road's own (a locale).
    std::vector<std::pair<std::string, std::string>> m_environment;
    // The gestures and probes added since the first replay seeds were found; off for those
    // seeds, so that each drives again the actions it found its fault with.
    bool m_widened { true };
    // Whether the rules are held (not by the road as it was before it held any).
    bool m_holdsRules { true };

private:
    // The numbers one action is made of: each action takes its own generator, seeded from
    // the run's, so that a seed drives the same actions whatever the program did.
    class Dice {
    public:
        explicit Dice(std::uint32_t seed)
            : m_random(seed)
        {
        }
        int below(int n) { return int(m_random() % unsigned(std::max(1, n))); }
        // Between two bounds, both included; the lower one when they cross.
        int between(int low, int high) { return high <= low ? low : low + below(high - low + 1); }

    private:
        std::mt19937 m_random;
    };
    using Outcome = std::optional<Broken>;
    using Gesture = Outcome (RandomUser::*)(const Scene&, Dice&);

    // One action and whatever it promises, then the rules once the display settled.
    void act(Dice& dice);
    // The program started again where the user quit it (or it crashed: a fault).
    void keepRunning();
    // The title of the first window of its own the program showed; none when it showed none
    // within so many seconds.
    std::optional<std::string> firstWindowShown(double seconds);
    // A step of the action under way, for the log and a failure's message.
    void doing(const std::string& step);
    // The action done kept among the last few, and the count moved on.
    void nextAction();
    // Keeps a fault not found before in this run, with the action that found it.
    void record(const Broken& broken);

    // The gestures, each from the scene before it.
    Outcome click(const Scene& scene, Dice& dice);
    Outcome drag(const Scene& scene, Dice& dice);
    Outcome wheel(const Scene& scene, Dice& dice);
    Outcome pressKey(const Scene& scene, Dice& dice);
    Outcome typeText(const Scene& scene, Dice& dice);
    Outcome pressEscape(const Scene& scene, Dice& dice);
    Outcome closeWindow(const Scene& scene, Dice& dice);
    Outcome clickStatusItem(const Scene& scene, Dice& dice);
    Outcome bringToFrontKey(const Scene& scene, Dice& dice);
    Outcome popUpHotKey(const Scene& scene, Dice& dice);
    Outcome popUpCommand(const Scene& scene, Dice& dice);
    // Super+R from that scene, the word typed and the keys pressed in the pop-up.
    Outcome runCommand(const Scene& scene, const std::string& word, const std::string& keys);
    Outcome padHotKey(const Scene& scene, Dice& dice);
    Outcome styleButton(const Scene& scene, Dice& dice);
    Outcome clickTitleBar(const Scene& scene, Dice& dice);
    Outcome moveWindow(const Scene& scene, Dice& dice);
    Outcome resizeWindow(const Scene& scene, Dice& dice);
    Outcome maximize(const Scene& scene, Dice& dice);
    Outcome openPreferences(const Scene& scene, Dice& dice);
    Outcome editLogEntry(const Scene& scene, Dice& dice);
    // Where the keys go and what a window does when its kin close or hide (RandomUserFocus.cpp).
    Outcome minimize(const Scene& scene, Dice& dice);
    Outcome closeByKeys(const Scene& scene, Dice& dice);
    Outcome quitByKeys(const Scene& scene, Dice& dice);
    Outcome popUpThenAnotherProgram(const Scene& scene, Dice& dice);
    Outcome deletePageThenOwner(const Scene& scene, Dice& dice);
    Outcome statusMenuWhileHidden(const Scene& scene, Dice& dice);
    // Alerts asked once and answering, keys after the entry editor, a click outside a menu (RandomUserAlerts.cpp).
    Outcome quitTwice(const Scene& scene, Dice& dice);
    Outcome ctrlWOnAlert(const Scene& scene, Dice& dice);
    Outcome keysAfterEntryEditor(const Scene& scene, Dice& dice);
    Outcome clickOutsideMenu(const Scene& scene, Dice& dice);
    Outcome askToQuit(const Scene& scene, int presses, const std::string& answer);
    int screenChanges() const;
    // The newest log book entry opened in its editor, by its row's menu, in the main window:
    // whether it opened.
    bool openNewestEntry(const Box& window);
    // Whether the program went on to another screen of its own since the step began.
    bool movedOn() const { return screenChanges() != m_screensAtStep; }
    Outcome expectKeyboardWithUs(const std::string& how);
    // A pad's toolbar button: 0 the new sheet "+", 1 next, 2 previous, 3 delete, 4 help.
    std::pair<int, int> toolbarButton(const ProgramWindow& main, int which) const;
    // An action that may put the main window elsewhere: where it stands next is its place.
    void mayMove() { m_mayMove = true; }
    // A left click on the status item's icon, counted until the program tells it dealt with it.
    void clickTheStatusItem(const ProgramWindow& strip);
    // The main window where it was left, and each screen's height its own (RandomUserFocus.cpp).
    void checkPlace(const Scene& scene);
    // The main window where a user can move or resize it; none (and the action told) else.
    const ProgramWindow* mainWindowToHandle(const Scene& scene, const std::string& what);
    // The newest day's log files made read-only (RandomUserWindows.cpp).
    void refuseSavesOfTheNewestDay();
    Outcome probe(const Scene& scene, Dice& dice);

    // What a hide or a show from a quiet scene must come to (RandomUserShows.cpp).
    enum class Toggle { Hides, Shows, Unknown };
    static Toggle toggleFrom(const Scene& scene);
    Outcome expectToggled(Toggle toggle, const std::string& how);
    Outcome expectPopUp(const std::string& how);
    // The main window shown holding the keyboard; with `orMovedOn`, or a screen the program
    // went on to by itself meanwhile decided what shows.
    Outcome expectMainWindowWithKeyboard(const std::string& how, bool orMovedOn = false);
    // Until the scene satisfies `holds`; else the rule, with what shows instead.
    Outcome expectScene(const std::function<bool(const Scene&)>& holds, const std::string& rule,
        const std::string& wanted, double seconds = 10);

    // A text field a probe can be typed into, shown in the main window (RandomUserProbe.cpp).
    struct Field {
        std::string name;
        Box box;
        // Its B, i, U and S buttons, in that order.
        std::vector<std::pair<int, int>> styleButtons;
        // The pad's folder; empty for the objective.
        std::string padFolder;
    };
    std::optional<Field> fieldIn(const Scene& scene, bool padFirst);
    // Whether the main window shows the screens' column: not where a pad open takes its place.
    bool columnShown() const;
    bool onTheScreen(const Box& box) const;
    // The field's text as the program keeps it on disk (settings, pad pages).
    std::vector<std::string> textsOf(const Field& field) const;
    // Whether the text stands in the objective or any pad's page.
    bool landedAnywhere(const std::string& expected) const;
    // What a user does between putting the caret in a field and typing on: `told` says what,
    // `expected` gets what it typed that must stand right before the probe, `goesTo` the
    // field that has the keyboard after it, as the Parts say.
    Outcome interlude(int which, const Field& field, std::string& told, std::string& expected, Field& goesTo);
    // Whether the current screen's first responder is its objective field, and the field a
    // show through the screen (the bring-to-front key and command, a second launch) gives the
    // keyboard to, the field being where it was.
    bool screenFocusesItsObjective() const;
    Field focusedByAShow(const Field& field) const;
    Outcome hideByTheKey();

    // The display now; the same once the program, the window manager and the display slept a
    // while and two looks around it agree: what any decision that reads the screen reads.
    Scene look();
    Scene settle();
    // The scene the last settle() came to when nothing stirred since (no input was given in
    // between); else settle().
    Scene settled();
    void waitForQuiet(std::chrono::steady_clock::time_point started);
    // Whether the program, the window manager and the display all sleep now, and whether a
    // wait begun then has been long enough (the sleeps seen since it could end counted in
    // `asleep`).
    bool asleepNow() const;
    bool waitedEnough(std::chrono::steady_clock::time_point started, double seconds, int& asleep) const;
    // The rules, and the hidden flag against the windows, given time to come right.
    void checkRules();
    std::vector<Broken> brokenNow(const Scene& scene);
    // Reads what the program said since the last look: its hidden flag, its screen, the
    // sanitizers.
    void readLines();

    int pixels(double points) const { return int(points * m_scale + 0.5); }
    // How wide and high a window's content can grow, its top left kept, as a drag of its
    // bottom right corner inside the work area would take it.
    struct Room {
        int across;
        int down;
    };
    static Room roomToGrow(const ProgramWindow& window, const Box& area);

    std::vector<std::filesystem::path> m_readOnly;
    std::uint32_t m_seed { 0 };
    std::chrono::steady_clock::time_point m_started;
    std::vector<std::string> m_faults;
    std::set<std::string> m_known;

    Launch m_launch;
    Program* m_program { nullptr };
    Program* m_windowManager { nullptr };
    ScreenSetting m_screen;
    Box m_screenBox;
    double m_scale { 1 };
    int m_actions { 0 };
    int m_starts { 0 };
    int m_probes { 0 };
    int m_probesSkipped { 0 };
    // The steps of the action under way, and the last few actions before it.
    std::string m_action;
    // How many screens the program had shown when the last step began.
    int m_screensAtStep { 0 };
    std::deque<std::string> m_recent;
    std::size_t m_linesRead { 0 };
    // The line in which the program last said it hid, while no activation came after it.
    std::optional<std::string> m_saysHidden;
    std::string m_screenName;
    // Where the main window's frame was left, and whether the action under way may move it.
    std::optional<std::pair<int, int>> m_leftAt;
    bool m_mayMove { false };
    // Where the user had left the main window before a wider screen or pad pushed it back
    // inside the work area: a narrower one brings it back there.
    std::optional<std::pair<int, int>> m_pushedFrom;
    // Clicks on the status item the program has not dealt with yet: made while a modal window
    // showed, each hides or shows the program once that window closes.
    int m_statusClicksWaiting { 0 };
    // Whether the main window was last seen maximized: quit so, it opens where it stood.
    bool m_lastSeenMaximized { false };
    // Each screen's height as it first showed, by the screen and the window's width.
    std::map<std::string, int> m_heights;
    // The height the user dragged the window to, as first seen after the drag: the screens
    // after it keep it until one needs more, and from then on each shows at its own again.
    bool m_draggedHeightUnseen { false };
    std::optional<int> m_draggedHeight;
    std::optional<Scene> m_settled;
    double m_settling { 0 };
    // Another program's window, for the length of a gesture.
    std::optional<WindowId> m_otherProgram;
};

}
