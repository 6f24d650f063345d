// Alerts and menus that must answer, and keys that must do only what they are for: Ctrl+Q
// twice, Ctrl+W on an alert, Return and Escape once the log book's entry editor closed, and a
// click outside an open menu (on the window, on the status item).
#include "RandomUser.h"

#include <algorithm>

namespace ostrel::acceptance {

namespace {

const std::string kQuitQuestion = "Are you sure you want to quit Ostrel?";
const std::string kAlertAnswersRule = "an alert is asked once and answers its keys";
const std::string kEditorKeysRule = "the keys after the entry editor act on the log book";
const std::string kMenuRule = "a click outside an open menu closes it";

// The alerts of ours that show the question.
int alertsAsking(const Scene& scene, const std::string& question)
{
    return int(std::count_if(scene.windows.begin(), scene.windows.end(), [&](const ProgramWindow& window) {
        return !window.minimized && Scene::isAlert(window) && window.name == question;
    }));
}

// The screens on which seconds worked are not logged yet: quitting asks first.
bool asksBeforeQuitting(const std::string& screen)
{
    return screen == "TimeSliceRunningState" || screen == "PausedState" || screen == "SoftBreakState" || screen == "RateTimeSliceState";
}

bool questionWithKeyboard(const Scene& scene)
{
    for (const auto& window : scene.windows)
        if (window.name == kQuitQuestion && scene.focused == window.id)
            return true;
    return false;
}

}

int RandomUser::screenChanges() const
{
    int changes = 0;
    for (const auto& line : m_program->lines())
        changes += line.text.find("now in new state:") != std::string::npos;
    return changes;
}

RandomUser::Outcome RandomUser::askToQuit(const Scene& scene, int presses, const std::string& answer)
{
    std::string how = presses > 1 ? "Ctrl+Q twice" : "Ctrl+Q";
    if (!scene.quiet() || !scene.mainWindowHasKeyboard() || !asksBeforeQuitting(m_screenName)) {
        doing(how + " for the quit question, with the main window not in front or nothing to ask about");
        return std::nullopt;
    }
    doing(presses > 1 ? how + ", as a user who thinks the first was lost" : how + ", for the quit question");
    for (int i = 0; i < presses; ++i)
        desktop().key("ctrl+q");
    // A slice ended already without a second worked quits without asking, and starts again.
    auto asked = [this](const Scene& now) { return !m_program->running() || alertsAsking(now, kQuitQuestion) > 0; };
    if (auto broken = expectScene(asked, kAlertAnswersRule, how + " quits or asks", 10))
        return broken;
    if (!m_program->running())
        return std::nullopt;
    settle();
    Scene now = look();
    if (alertsAsking(now, kQuitQuestion) != 1)
        return Broken { kAlertAnswersRule, "the quit question",
            how + " shows the quit question " + std::to_string(alertsAsking(now, kQuitQuestion)) + " times: " + now.describe() };
    if (auto broken = expectScene(questionWithKeyboard, kAlertAnswersRule, how + " leaves the quit question with the keyboard"))
        return broken;
    // Escape and Ctrl+W are its Cancel: the question goes, the program stays.
    doing(answer + " in the quit question");
    desktop().key(answer);
    return expectScene([](const Scene& after) { return alertsAsking(after, kQuitQuestion) == 0 && after.mainWindowHasKeyboard(); },
        kAlertAnswersRule, answer + " in the quit question after " + how + " closes it, the main window holding the keyboard");
}

RandomUser::Outcome RandomUser::quitTwice(const Scene& scene, Dice&) { return askToQuit(scene, 2, "Escape"); }

RandomUser::Outcome RandomUser::ctrlWOnAlert(const Scene& scene, Dice&) { return askToQuit(scene, 1, "ctrl+w"); }

RandomUser::Outcome RandomUser::keysAfterEntryEditor(const Scene& scene, Dice& dice)
{
    auto* main = scene.mainWindow();
    auto hidden = m_home.setting("logBookPadHidden");
    bool open = hidden && hidden->is_boolean() && !hidden->get<bool>();
    bool logged = !m_home.dayFiles().empty();
    if (!scene.quiet() || !scene.mainWindowHasKeyboard() || !open || !logged || main->box.width < pixels(820)) {
        doing("keys after the entry editor, with the log book not in front or empty");
        return std::nullopt;
    }
    const Box& window = main->box;
    bool byEscape = dice.below(2) == 0;
    doing("the newest entry of the log book opened in the editor");
    if (!openNewestEntry(window)) {
        doing("its editor did not open");
        return std::nullopt;
    }
    doing(byEscape ? "Escape in the entry editor" : "its Save button");
    if (byEscape)
        desktop().key("Escape");
    else
        desktop().clickAt(window.x + window.width - pixels(41), window.y + window.height - pixels(20));
    settle();
    int changes = screenChanges();
    // The keyboard is back on the table: Return opens the row's editor again, and starts
    // nothing; Escape then closes that editor, and the program stays.
    doing("Return after the entry editor closed");
    desktop().key("Return");
    settle();
    if (screenChanges() != changes)
        return Broken { kEditorKeysRule, "Return", "Return after the entry editor closed went on to " + m_screenName };
    doing("Escape after that");
    desktop().key("Escape");
    settle();
    if (auto broken = expectScene([](const Scene& now) { return now.mainWindowHasKeyboard(); }, kEditorKeysRule,
            "Escape closing the entry editor Return opened again leaves the program shown, holding the keyboard", 5))
        return broken;
    return std::nullopt;
}

RandomUser::Outcome RandomUser::clickOutsideMenu(const Scene& scene, Dice& dice)
{
    auto* main = scene.mainWindow();
    auto* strip = scene.statusStrip();
    if (!scene.quiet() || !scene.mainWindowHasKeyboard() || !strip) {
        doing("a click outside an open menu, with the main window not in front");
        return std::nullopt;
    }
    doing("F10 for the window's menu");
    desktop().key("F10");
    if (expectScene([](const Scene& now) { return now.menusShown() > 0; }, kMenuRule, "F10 opens the window's menu", 5)) {
        doing("F10 opened no menu");
        return std::nullopt;
    }
    int changes = screenChanges();
    bool onTheStatusItem = dice.below(2) == 0;
    const Box& window = main->box;
    // The lower right of the window, away from the menu at its top left: a click there went
    // on to whatever control is there, a pull-down opening its menu over the open one.
    doing(onTheStatusItem ? "a click on the status item with the menu open" : "a click on the window beside the open menu");
    if (onTheStatusItem)
        desktop().clickAt(strip->box.x + strip->box.width - pixels(16), strip->box.midY());
    else
        desktop().clickAt(window.x + window.width * 3 / 4, window.y + window.height * 3 / 4);
    if (auto broken = expectScene([](const Scene& now) { return now.menusShown() == 0; }, kMenuRule,
            "a click outside the open menu closes it and opens no other", 5))
        return broken;
    if (screenChanges() != changes)
        return Broken { kMenuRule, "the click that closed the menu", "the click that closed the menu went on to " + m_screenName };
    return expectMainWindowWithKeyboard("the click that closed the menu");
}

}
