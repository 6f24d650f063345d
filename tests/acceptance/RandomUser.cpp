#include "RandomUser.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace ostrel::acceptance {

namespace {

using Clock = std::chrono::steady_clock;

const std::string kFirstScreen = "DefineTimeSliceState";
// The road's key to bring the program back: Ctrl+Shift+Alt+O.
const char* const kBringToFront = "{\"carbonKeyCode\":31,\"carbonModifiers\":2816}";

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

void pause(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

// How long the program, the window manager and the display must all sleep at once before a
// look counts. All asleep at one moment, nothing is on its way between them (a process
// written to is woken at once); what could still come is what the program keeps for a moment
// after input (a row of the pop-up runs 100 ms after its click).
constexpr double kQuietSeconds = 0.12;
// A display that never settles is not waited for beyond this: the rules' patience tells.
constexpr double kSettleLimit = 60;

}

std::optional<std::uint32_t> seedGivenByHand()
{
    const char* given = std::getenv("OSTREL_ROAD_SEED");
    if (!given || !*given)
        return std::nullopt;
    if (std::string(given) == "random")
        return std::random_device {}();
    return std::uint32_t(std::strtoul(given, nullptr, 10));
}

Budget budgetByHand()
{
    const char* given = std::getenv("OSTREL_ROAD_ACTIONS");
    if (given && *given)
        return Budget { std::nullopt, std::max(1, int(std::strtol(given, nullptr, 10))) };
    return Budget { 120 };
}

std::string RandomUser::drive(std::uint32_t seed, const ScreenSetting& screen, Budget budget)
{
    std::printf("random-input road seed: %u on %s (OSTREL_ROAD_SEED=%u runs it again)\n", seed, screen.describe().c_str(),
        seed);
    std::fflush(stdout);
    RecordProperty("seed", std::to_string(seed));
    m_seed = seed;
    m_started = Clock::now();
    m_screen = screen;
    m_screenBox = { 0, 0, screen.width, screen.height };
    m_scale = screen.dpi / 96.0;
    onScreen(screen);
    // Breaks and extensions longer than the road: what it sees follows from what it did, not
    // from how long a loaded machine took to do it.
    furnish({ { "bringToFrontKeyCombo", kBringToFront }, { "startWithBreakDurationInMinutes", 10 },
        { "timeSliceExtensionDurationInMinutes", 10 } });
    refuseSavesOfTheNewestDay();
    underAWindowManager(true, m_managerName);
    m_launch.environment = m_environment;
    m_windowManager = m_runs.empty() ? nullptr : m_runs.back().get();

    doing("the program's start");
    m_program = &start(m_launch);
    ++m_starts;
    // A returning user's program starts on the define screen, and says so only when it leaves it.
    m_screenName = kFirstScreen;
    if (!m_program->waitForLine("first frame of \"Ostrel\"", 60))
        return "the main window never showed (seed " + std::to_string(seed) + " on " + screen.describe() + ")";
    settle();
    checkRules();

    std::mt19937 run(seed);
    auto started = Clock::now();
    while ((!budget.seconds || secondsSince(started) < *budget.seconds) && m_actions < budget.actions) {
        Dice dice(run());
        nextAction();
        act(dice);
    }
    shot("after driving");
    std::printf("random-input road: %d actions, %d probes typed, %d probes put off, %d start(s), %zu fault(s)\n",
        m_actions, m_probes, m_probesSkipped, m_starts, m_faults.size());
    std::printf("  (%.0f s of driving, %.0f s of it waiting for the display to settle)\n", secondsSince(started), m_settling);
    nextAction();
    doing("SIGTERM at the end");
    if (m_program->running()) {
        auto exit = m_program->stop(20);
        if (!exit)
            record({ "the program ends on SIGTERM", "SIGTERM", "it was still running 20 s after SIGTERM" });
        else if (!exit->cleanly())
            record({ "the program ends on SIGTERM", "SIGTERM", "SIGTERM ended it with " + exit->describe() });
    } else if (!m_program->exit()->cleanly()) {
        record({ "the program stays up", "its end", "it ended with " + m_program->exit()->describe() });
    }
    readLines();
    std::string all;
    for (const auto& fault : m_faults)
        all += (all.empty() ? "" : "\n\n") + fault;
    return all;
}

void RandomUser::doing(const std::string& step)
{
    std::printf("  %6.1f s #%d %s\n", secondsSince(m_started), m_actions, step.c_str());
    std::fflush(stdout);
    m_action += (m_action.empty() ? "" : "; ") + step;
    m_screensAtStep = m_program ? screenChanges() : 0;
}

void RandomUser::nextAction()
{
    if (!m_action.empty()) {
        // One line an action, without times: two runs of a seed print the same lines.
        std::printf("trace #%d: %s\n", m_actions, m_action.c_str());
        std::fflush(stdout);
        m_recent.push_back("#" + std::to_string(m_actions) + " " + m_action);
    }
    if (m_recent.size() > 8)
        m_recent.pop_front();
    m_action.clear();
    ++m_actions;
}

void RandomUser::record(const Broken& broken)
{
    // A fault is told once, by the first action that showed it: a window left off the screen
    // is not a new fault at every action after.
    if (!m_known.insert(broken.invariant + "\n" + broken.subject).second)
        return;
    std::string text = "FAULT " + std::to_string(m_faults.size() + 1) + ": " + broken.invariant + "\n  broken by action #"
        + std::to_string(m_actions) + " (" + m_action + "), seed " + std::to_string(m_seed) + " on " + m_screen.describe()
        + ":\n  " + broken.detail;
    if (!m_recent.empty()) {
        text += "\n  the actions before it:";
        for (const auto& before : m_recent)
            text += "\n    " + before;
    }
    text += "\n  the program's windows: " + look().describe();
    std::printf("%s\n", text.c_str());
    std::fflush(stdout);
    shot("fault " + std::to_string(m_faults.size() + 1) + " at action " + std::to_string(m_actions));
    m_faults.push_back(text);
}

void RandomUser::act(Dice& dice)
{
    struct Weighted {
        int weight;
        Gesture gesture;
    };
    // The first gestures, as the seeds found before drive them; the later ones after them.
    static const std::vector<Weighted> first = { { 12, &RandomUser::click }, { 5, &RandomUser::drag },
        { 5, &RandomUser::wheel }, { 13, &RandomUser::pressKey }, { 6, &RandomUser::typeText },
        { 4, &RandomUser::pressEscape }, { 4, &RandomUser::closeWindow }, { 5, &RandomUser::clickStatusItem },
        { 5, &RandomUser::bringToFrontKey }, { 6, &RandomUser::popUpHotKey }, { 6, &RandomUser::popUpCommand },
        { 5, &RandomUser::padHotKey }, { 3, &RandomUser::styleButton }, { 3, &RandomUser::clickTitleBar },
        { 3, &RandomUser::moveWindow }, { 3, &RandomUser::resizeWindow }, { 2, &RandomUser::maximize },
        { 2, &RandomUser::openPreferences }, { 3, &RandomUser::editLogEntry }, { 8, &RandomUser::probe } };
    static const std::vector<Weighted> widened = [] {
        auto all = first;
        all.insert(all.end(), { { 2, &RandomUser::minimize }, { 3, &RandomUser::closeByKeys }, { 1, &RandomUser::quitByKeys },
            { 3, &RandomUser::popUpThenAnotherProgram }, { 2, &RandomUser::deletePageThenOwner },
            { 3, &RandomUser::statusMenuWhileHidden }, { 1, &RandomUser::quitTwice }, { 1, &RandomUser::ctrlWOnAlert },
            { 2, &RandomUser::keysAfterEntryEditor }, { 2, &RandomUser::clickOutsideMenu } });
        return all;
    }();
    const auto& gestures = m_widened ? widened : first;
    int total = 0;
    for (const auto& entry : gestures)
        total += entry.weight;
    int roll = dice.below(total);
    Gesture chosen = gestures[0].gesture;
    for (const auto& entry : gestures) {
        if (roll < entry.weight) {
            chosen = entry.gesture;
            break;
        }
        roll -= entry.weight;
    }
    // What the gesture decides from, once the program has dealt with the action before: a
    // look at one moment of a slow machine would show it halfway and take another turn.
    Scene before = settled();
    // Not part of the trace: what the gesture saw, for telling why two runs went apart.
    std::printf("  seen: %s\n", before.describe().c_str());
    // A program that ended meanwhile keeps no promise: its end is told (or its new start
    // noted) below, not as a window that never showed or a key that went nowhere.
    if (auto broken = (this->*chosen)(before, dice); broken && m_program->running())
        record(*broken);
    else if (broken)
        doing("the program ended before it could keep its promise");
    settle();
    checkRules();
    keepRunning();
    if (m_widened && m_program->running())
        checkPlace(settled());
}

void RandomUser::keepRunning()
{
    if (m_program->running())
        return readLines();
    readLines();
    auto ended = *m_program->exit();
    if (!ended.cleanly())
        record({ "the program stays up", "its end", "it ended with " + ended.describe() });
    // Ended cleanly, it saved where its window stood and opens there again; a crash saved
    // nothing. A maximized window stood where the window manager had put it, and that is
    // where it opens, at its own size.
    if (!ended.cleanly() || m_lastSeenMaximized)
        mayMove();
    for (const char* key : { "topLeftX", "topLeftY" }) {
        // Read as the program reads it, a number: 839.0 is the pixel 839.
        auto saved = m_home.setting(key);
        double pixels = saved && saved->is_number() ? saved->get<double>() * m_scale : 0.5;
        if (m_widened && saved && std::abs(pixels - std::round(pixels)) > 1e-6)
            record({ "what the program writes, it reads", key,
                std::string("\"") + key + "\" is saved as " + saved->dump() + ", not a whole number of pixels" });
    }
    // Quit as a user may (or crashed): started again, as a user would. The road sends no
    // signal before its end: one heard is told, as it came from outside.
    auto lines = m_program->lines();
    bool signalled = std::any_of(lines.begin(), lines.end(),
        [](const Program::Line& line) { return line.text.find("stopping on SIG") != std::string::npos; });
    doing(!ended.cleanly() ? "the program started again"
            : signalled    ? "the program, stopped by a signal from outside the road, started again"
                           : "the program, quit, started again");
    m_program = &start(m_launch);
    ++m_starts;
    m_linesRead = 0;
    m_statusClicksWaiting = 0;
    m_saysHidden.reset();
    m_screenName = kFirstScreen;
    // The program keeps its window's place across runs, not a size the user dragged it to:
    // a new start shows each screen at its own height again.
    m_heights.clear();
    m_draggedHeightUnseen = false;
    m_draggedHeight.reset();
    // From the sixth start on, the mailing list's prompt comes before the main window: the
    // road's next actions answer it.
    auto first = firstWindowShown(60);
    if (!first)
        record({ "the program stays up", "a new start", "started again, it showed no window of its own" });
    else if (*first != "Ostrel")
        doing("\"" + *first + "\" shows first");
    settle();
}

std::optional<std::string> RandomUser::firstWindowShown(double seconds)
{
    // The status strip's frame comes first and has no title.
    const std::string marker = "first frame of \"";
    std::optional<std::string> title;
    eventually(
        [&] {
            for (const auto& line : m_program->lines()) {
                auto at = line.text.find(marker);
                auto end = at == std::string::npos ? at : line.text.find('"', at + marker.size());
                if (end != std::string::npos && end > at + marker.size()) {
                    title = line.text.substr(at + marker.size(), end - at - marker.size());
                    return true;
                }
            }
            return !m_program->running();
        },
        seconds);
    return title;
}

Scene RandomUser::look() { return Scene::look(desktop(), m_program->pid(), m_screenBox); }

Scene RandomUser::settle()
{
    struct Counted {
        double& total;
        Clock::time_point since { Clock::now() };
        ~Counted() { total += secondsSince(since); }
    } counted { m_settling };
    // Until the program, the window manager and the display have dealt with what they were
    // given (a program busy reading its logs takes the keys of the last action only now) and
    // a look after a quiet while shows what the look before it showed. Bounded by their
    // sleeping, not by the clock: a loaded machine only makes it come later.
    auto started = Clock::now();
    waitForQuiet(started);
    Scene last = look();
    bool notesHeld = false;
    while (secondsSince(started) < kSettleLimit) {
        waitForQuiet(started);
        Scene now = look();
        if (now == last && !now.noteShown()) {
            m_settled = now;
            return now;
        }
        // A note goes by itself a moment later, at a time of the program's clock, not of the
        // road's: what shows after it is what is decided from. The rules hold for it meanwhile.
        if (now == last && !notesHeld && m_holdsRules) {
            notesHeld = true;
            Scene notes = now;
            std::erase_if(notes.windows, [](const ProgramWindow& window) { return !Scene::isNote(window); });
            for (const auto& each : brokenRules(notes))
                record(each);
        }
        last = now;
    }
    m_settled.reset();
    return last;
}

Scene RandomUser::settled()
{
    // Settled a moment ago, with no input since and everything asleep still: the same scene.
    if (m_settled && asleepNow()) {
        Scene now = look();
        if (now == *m_settled)
            return now;
    }
    return settle();
}

void RandomUser::waitForQuiet(Clock::time_point started)
{
    auto quietSince = Clock::now();
    while (secondsSince(started) < kSettleLimit && secondsSince(quietSince) < kQuietSeconds) {
        pause(20);
        if (!asleepNow())
            quietSince = Clock::now();
    }
}

void RandomUser::readLines()
{
    auto lines = m_program->lines();
    for (; m_linesRead < lines.size(); ++m_linesRead) {
        const std::string& text = lines[m_linesRead].text;
        for (const char* report : { "ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:" }) {
            if (text.find(report) != std::string::npos)
                record({ "the sanitizers keep quiet", text, text });
        }
        // Where the program tells its hidden flag: its hide command and its bring-to-front key.
        if (text.find("(actual hidden = 1)") != std::string::npos || text.find("application is hidden: 1") != std::string::npos)
            m_saysHidden = text;
        else if (text.find("(actual hidden = 0)") != std::string::npos)
            record({ "the program's hidden flag matches whether its windows are mapped", "a hide that stays unhidden",
                "asked to hide while active, it says it is not hidden: \"" + text + "\"" });
        else if (text.find("applicationDidBecomeActive") != std::string::npos || text.find("hidden -> activate") != std::string::npos)
            m_saysHidden.reset();
        if (text.find("is not a usable value") != std::string::npos)
            record({ "what the program writes, it reads", text, "the program refused a setting: \"" + text + "\"" });
        // A click on the status item is dealt with on a later turn of the program's loop, after
        // the modal window it was made over (the preferences) closed: it may put the window
        // below the item then.
        if (text.find("OstrelStatusItemButtonController leftButtonDown") != std::string::npos) {
            m_statusClicksWaiting = std::max(0, m_statusClicksWaiting - 1);
            mayMove();
        }
        if (auto at = text.find("now in new state: <Ostrel_4."); at != std::string::npos)
            m_screenName = text.substr(at + 28, text.find_first_of(":>", at + 28) - at - 28);
    }
}

std::vector<Broken> RandomUser::brokenNow(const Scene& scene)
{
    readLines();
    auto broken = brokenRules(scene);
    // The main window grows and shrinks with its screen: one screen's window out of reach is
    // a fault of its own, not the one another screen showed before.
    for (auto& each : broken) {
        if (each.invariant == kWorkAreaRule && each.subject.starts_with("the main window"))
            each.subject += " on " + m_screenName;
    }
    if (m_saysHidden && scene.mainWindowShown())
        broken.push_back({ "the program's hidden flag matches whether its windows are mapped", "the main window",
            "the program said \"" + *m_saysHidden + "\" and its main window still shows" });
    std::erase_if(broken, [&](const Broken& each) { return m_known.count(each.invariant + "\n" + each.subject) != 0; });
    return broken;
}

void RandomUser::checkRules()
{
    // A window manager and a loaded machine take their time: a rule broken for a moment,
    // between two steps of the program, is not yet a fault; one still broken after that is.
    auto broken = brokenNow(look());
    auto started = Clock::now();
    for (int asleep = 0; !broken.empty() && !waitedEnough(started, 8, asleep);) {
        pause(200);
        broken = brokenNow(look());
    }
    for (const auto& each : broken)
        record(each);
}

RandomUser::Outcome RandomUser::expectScene(
    const std::function<bool(const Scene&)>& holds, const std::string& rule, const std::string& wanted, double seconds)
{
    // A promise found broken before is not waited for again, only for the program to deal
    // with the action: the road's time goes elsewhere, and the next step of a gesture (an
    // Escape after Super+R) does not overtake this one.
    if (m_known.count(rule + "\n" + wanted)) {
        settle();
        return std::nullopt;
    }
    // Judged once the program has dealt with the action: a look at once may still show the
    // scene from before it (the alert a Ctrl+W is about to take away still holding the keys).
    Scene now = settle();
    auto started = Clock::now();
    for (int asleep = 0; !holds(now); now = look()) {
        if (waitedEnough(started, seconds, asleep))
            return Broken { rule, wanted,
                wanted + ", and after " + std::to_string(int(secondsSince(started))) + " s, the program idle, it is not so" };
        pause(100);
    }
    return std::nullopt;
}

bool RandomUser::asleepNow() const { return asleep({ m_program, m_windowManager }); }

bool RandomUser::waitedEnough(std::chrono::steady_clock::time_point started, double seconds, int& asleep) const
{
    // A starved machine only delays the program: the road gives up after `seconds` only once
    // it has seen the program and the window manager asleep a few times since, with nothing
    // left to do (a program that draws its clock every second sleeps in between); after a
    // minute in any case.
    double waited = secondsSince(started);
    if (waited > seconds && asleepNow())
        ++asleep;
    return asleep >= 5 || waited > 60;
}

RandomUser::Outcome RandomUser::click(const Scene& scene, Dice& dice)
{
    auto* target = scene.front();
    Box box = target ? target->box : m_screenBox;
    int x = box.x + dice.below(box.width), y = box.y + dice.below(box.height);
    // Anywhere on a screen with none of our windows in front: on the status item too, whose
    // click shows the window below it.
    auto* strip = scene.statusStrip();
    bool onTheStatusItem = strip && x >= strip->box.x && y >= strip->box.y && x < strip->box.x + strip->box.width
        && y < strip->box.y + strip->box.height;
    doing("click at " + std::to_string(x) + "," + std::to_string(y) + (onTheStatusItem ? " (the status item)" : ""));
    if (onTheStatusItem)
        ++m_statusClicksWaiting;
    desktop().clickAt(x, y);
    return std::nullopt;
}

void RandomUser::clickTheStatusItem(const ProgramWindow& strip)
{
    // The icon at the strip's right end; a show by it brings the window below it.
    ++m_statusClicksWaiting;
    desktop().clickAt(strip.box.x + strip.box.width - pixels(16), strip.box.midY());
}

RandomUser::Outcome RandomUser::drag(const Scene& scene, Dice& dice)
{
    auto* target = scene.front();
    Box box = target ? target->box : m_screenBox;
    Box frame = target ? target->frame : m_screenBox;
    int x = box.x + dice.below(box.width), y = box.y + dice.below(box.height);
    // The main window moves with a drag of its background: by no more than keeps it inside
    // the work area, as the user's hand would.
    const Box& area = scene.workArea;
    int toX = x + dice.between(area.x - frame.x, area.x + area.width - frame.x - frame.width);
    int toY = y + dice.between(area.y - frame.y, area.y + area.height - frame.y - frame.height);
    toX = std::clamp(toX, 0, m_screenBox.width - 1);
    toY = std::clamp(toY, 0, m_screenBox.height - 1);
    doing("drag from " + std::to_string(x) + "," + std::to_string(y) + " to " + std::to_string(toX) + "," + std::to_string(toY));
    // A drag of the window's background moves it.
    mayMove();
    desktop().drag(x, y, toX, toY, 1 + dice.below(5));
    return std::nullopt;
}

RandomUser::Outcome RandomUser::wheel(const Scene& scene, Dice& dice)
{
    auto* target = scene.front();
    Box box = target ? target->box : m_screenBox;
    int x = box.x + dice.below(box.width), y = box.y + dice.below(box.height);
    int notches = dice.below(2) ? 1 + dice.below(6) : -(1 + dice.below(6));
    doing("wheel " + std::to_string(notches) + " at " + std::to_string(x) + "," + std::to_string(y));
    desktop().wheel(x, y, notches);
    return std::nullopt;
}

RandomUser::Outcome RandomUser::pressKey(const Scene&, Dice& dice)
{
    std::string keys = std::string(kRandomModifiers[dice.below(int(std::size(kRandomModifiers)))])
        + kRandomKeys[dice.below(int(std::size(kRandomKeys)))];
    // Undo and redo, as often as any key.
    if (dice.below(6) == 0)
        keys = dice.below(2) ? "ctrl+z" : "ctrl+shift+z";
    doing("key " + keys);
    desktop().key(keys);
    return std::nullopt;
}

RandomUser::Outcome RandomUser::typeText(const Scene&, Dice& dice)
{
    std::string text = kRandomTexts[dice.below(int(std::size(kRandomTexts)))];
    std::string shown;
    for (char c : text)
        shown += c == '\n' ? std::string("\\n") : std::string(1, c);
    doing("type \"" + shown + "\"");
    desktop().type(text);
    return std::nullopt;
}

}
