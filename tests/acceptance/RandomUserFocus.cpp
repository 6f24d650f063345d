// Where the keys go when windows come and go: a window minimized by its title bar's button,
// Ctrl+W and Ctrl+Q, the pop-up left for another program, the delete-page alert and a click
// on the window it blocks, the status menu while the program is hidden; and where the main
// window stands after an action that did not move it.
#include "RandomUser.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace ostrel::acceptance {

namespace {

const std::string kKeyboardRule = "a closed window leaves the keyboard with a window of ours";
const std::string kAlertRule = "a modal window or alert that opened is mapped, above its owner and holds the keyboard";
const std::string kStatusMenuRule = "every status-menu item works with the program hidden";

bool inside(const Box& box, const Box& area)
{
    return box.x >= area.x && box.y >= area.y && box.x + box.width <= area.x + area.width
        && box.y + box.height <= area.y + area.height;
}

bool contains(const Box& box, int x, int y) { return x >= box.x && y >= box.y && x < box.x + box.width && y < box.y + box.height; }

// A modal window of ours shown, holding the keyboard, above the window it blocks.
const ProgramWindow* modalWithKeyboard(const Scene& scene)
{
    for (auto* modal : scene.modalWindows()) {
        auto* owner = scene.ownerOf(*modal);
        if (scene.focused == modal->id && (!owner || owner == modal || owner->stackingOrder < modal->stackingOrder))
            return modal;
    }
    return nullptr;
}

}

std::pair<int, int> RandomUser::toolbarButton(const ProgramWindow& main, int which) const
{
    // A row of 18-point buttons at the pad's bottom right, 11 points above its bottom edge,
    // from the right: "+", next, previous, delete, help.
    return { main.box.x + main.box.width - pixels(12 + 18 * which), main.box.y + main.box.height - pixels(21) };
}

RandomUser::Outcome RandomUser::expectKeyboardWithUs(const std::string& how)
{
    // A click on the status item made while the window showed is dealt with once it closed,
    // and hides or shows the program as that click does.
    if (m_statusClicksWaiting > 0) {
        doing("a click on the status item waited for it");
        return std::nullopt;
    }
    return expectScene([](const Scene& scene) { return scene.keyboardWithUs(); }, kKeyboardRule,
        how + " leaves the keyboard with a window of ours");
}

RandomUser::Outcome RandomUser::minimize(const Scene& scene, Dice&)
{
    auto* main = scene.mainWindow();
    auto* strip = scene.statusStrip();
    if (!scene.quiet() || !main || main->maximized || !strip) {
        doing("the main window minimized, with other windows in the way or none to minimize");
        return std::nullopt;
    }
    doing("the main window minimized by its title bar's button");
    desktop().minimize(main->id);
    if (settle().mainWindowShown()) {
        doing("the window manager left it shown");
        return std::nullopt;
    }
    doing("a click on the status item with the main window minimized");
    clickTheStatusItem(*strip);
    return expectMainWindowWithKeyboard("one click on the status item with the main window minimized");
}

RandomUser::Outcome RandomUser::closeByKeys(const Scene& scene, Dice&)
{
    auto* front = scene.front();
    bool ours = scene.keyboardWithUs();
    doing(ours && front && front->id == scene.focused && front != scene.mainWindow() ? "Ctrl+W in \"" + front->name + "\""
                                                                                      : "Ctrl+W");
    desktop().key("ctrl+w");
    if (!ours || !front || scene.focused != front->id)
        return std::nullopt;
    if (front == scene.mainWindow())
        return expectToggled(toggleFrom(scene), "Ctrl+W");
    return front->decorated() ? expectKeyboardWithUs("Ctrl+W closing \"" + front->name + "\"") : std::nullopt;
}

RandomUser::Outcome RandomUser::quitByKeys(const Scene& scene, Dice&)
{
    doing(scene.keyboardWithUs() ? "Ctrl+Q" : "Ctrl+Q, the keyboard elsewhere");
    desktop().key("ctrl+q");
    // A quit the program asks about is answered by the road's next actions; one it does
    // starts the program again (keepRunning), where it was.
    return std::nullopt;
}

RandomUser::Outcome RandomUser::popUpThenAnotherProgram(const Scene& scene, Dice&)
{
    if (!scene.quiet() || !scene.mainWindowShown()) {
        doing("the pop-up then a click into another program, with other windows in the way");
        return std::nullopt;
    }
    // Another program's window in a corner the main window leaves free, or none.
    Box other { 0, m_screenBox.height - pixels(90), pixels(160), pixels(80) };
    doing("another program's window opened");
    m_otherProgram = desktop().openOtherProgramsWindow("Another Program", other);
    if (!m_otherProgram)
        return std::nullopt;
    struct Closer {
        RandomUser& road;
        ~Closer()
        {
            road.desktop().destroy(*road.m_otherProgram);
            road.m_otherProgram.reset();
        }
    } closer { *this };
    doing("Super+R over it");
    desktop().key("super+r");
    if (auto broken = expectPopUp("Super+R over another program"))
        return broken;
    Scene withPopUp = settle();
    auto* popUp = withPopUp.popUpWithKeyboard();
    auto where = desktop().frame(*m_otherProgram);
    if (!popUp || !where)
        return std::nullopt;
    // Where the pop-up is not, nor any window of ours.
    int x = where->x + where->width / 2, y = where->y + where->height / 2;
    for (const auto& window : withPopUp.windows) {
        if (!window.minimized && contains(window.frame, x, y)) {
            doing("a click into another program, put off: a window of ours covers it");
            return std::nullopt;
        }
    }
    doing("a click into another program with the pop-up open");
    desktop().clickAt(x, y);
    settle();
    // The pop-up closes and the keyboard stays where the user clicked, also a while after.
    auto stays = [&](const Scene& now) { return now.focused == *m_otherProgram && !now.popUpWithKeyboard(); };
    if (auto broken = expectScene(stays, "a click into another program leaves the keyboard there",
            "a click into another program with the pop-up open leaves the keyboard there"))
        return broken;
    if (Scene after = settle(); !stays(after))
        return Broken { "a click into another program leaves the keyboard there", "the pop-up left by a click elsewhere",
            "a click into another program with the pop-up open gave it the keyboard, then the program took it back: "
                + after.describe() };
    return std::nullopt;
}

RandomUser::Outcome RandomUser::deletePageThenOwner(const Scene& scene, Dice&)
{
    auto field = fieldIn(scene, true);
    auto* main = scene.mainWindow();
    if (!field || field->padFolder.empty() || !scene.quiet() || !main || !scene.mainWindowHasKeyboard()) {
        doing("a pad's delete button, with no pad in front");
        return std::nullopt;
    }
    std::size_t pages = m_home.padPages(field->padFolder).size();
    // A pad's only page cannot be deleted: its button is disabled.
    if (pages < 2) {
        doing("a pad's delete button, with one page only");
        return std::nullopt;
    }
    auto [x, y] = toolbarButton(*main, 3);
    doing("the delete button of " + field->name);
    desktop().clickAt(x, y);
    auto alertUp = [](const Scene& now) { return modalWithKeyboard(now) != nullptr; };
    if (auto broken = expectScene(alertUp, kAlertRule, "the delete button's alert shows above the main window with the keyboard"))
        return broken;
    doing("a click on the main window, which the alert blocks");
    desktop().clickAt(main->box.x + main->box.width / 4, main->box.y + main->box.height / 2);
    settle();
    if (auto broken = expectScene(alertUp, kAlertRule, "a click on the window an alert blocks leaves the alert in front with the keyboard"))
        return broken;
    doing("Escape in the alert");
    desktop().key("Escape");
    if (auto broken = expectScene([](const Scene& now) { return now.quiet() && now.keyboardWithUs(); }, kKeyboardRule,
            "Escape closing the delete alert leaves the keyboard with the main window"))
        return broken;
    if (m_home.padPages(field->padFolder).size() != pages)
        return Broken { "an alert's Escape cancels", field->name,
            "the delete alert answered by Escape changed " + field->name + " from " + std::to_string(pages) + " pages to "
                + std::to_string(m_home.padPages(field->padFolder).size()) };
    return std::nullopt;
}

RandomUser::Outcome RandomUser::statusMenuWhileHidden(const Scene& scene, Dice& dice)
{
    struct Item {
        const char* typed;
        const char* name;
    };
    static const Item items[] = { { "pref", "Preferences\u2026" }, { "run", "Run As \u2026 Application\u2026" },
        { "show", "Show Ostrel" } };
    const Item& item = items[dice.below(int(std::size(items)))];
    auto* strip = scene.statusStrip();
    if (!scene.quiet() || !strip) {
        doing("a status-menu item, with other windows in the way or no status item");
        return std::nullopt;
    }
    int iconX = strip->box.x + strip->box.width - pixels(16), iconY = strip->box.midY();
    if (scene.mainWindowShown()) {
        doing("the program hidden by the bring-to-front key");
        desktop().key("ctrl+shift+alt+o");
        if (settle().mainWindowShown()) {
            doing("it stayed shown");
            return std::nullopt;
        }
    }
    doing(std::string("\"") + item.name + "\" from the status menu with the program hidden");
    desktop().rightClickAt(iconX, iconY);
    settle();
    desktop().type(item.typed);
    desktop().key("Return");
    // It shows the program as the bring-to-front command does: the main window, with the
    // keyboard; the others show a window of their own.
    if (std::string(item.typed) == "show")
        return expectMainWindowWithKeyboard("\"Show Ostrel\" from the status menu with the program hidden");
    // Preferences or the dock-less alert: shown, above what it blocks, holding the keyboard.
    auto up = [](const Scene& now) {
        return std::any_of(now.windows.begin(), now.windows.end(), [&](const ProgramWindow& window) {
            return !window.minimized && window.decorated() && &window != now.mainWindow() && now.focused == window.id;
        });
    };
    if (auto broken = expectScene(up, kStatusMenuRule,
            std::string("\"") + item.name + "\" from the status menu with the program hidden shows its window with the keyboard"))
        return broken;
    doing("Escape, and the window closed");
    desktop().key("Escape");
    for (const auto& window : settle().windows)
        if (window.decorated() && !window.minimized && window.name != "Ostrel")
            desktop().askToClose(window.id);
    if (Scene now = settle(); now.mainWindowShown() || !now.quiet())
        return std::nullopt;
    doing("a click on the status item, after the status menu's window");
    clickTheStatusItem(*strip);
    return expectMainWindowWithKeyboard("one click on the status item after a status-menu item with the program hidden");
}

namespace {

// The screens' column, in points.
constexpr int kColumnWidth = 440;

}

void RandomUser::checkPlace(const Scene& scene)
{
    auto* main = scene.mainWindow();
    if (!main || main->minimized)
        return;
    m_lastSeenMaximized = main->maximized;
    if (main->maximized)
        return;
    std::pair<int, int> at { main->frame.x, main->frame.y };
    // Within a point is where it was: the program keeps its window's place in whole points,
    // and a place left at a half point (a pixel of a scale of 2 the user dropped it on) goes
    // to the nearest whole one at the window's next change.
    auto withinAPoint = [&](std::pair<int, int> a, std::pair<int, int> b) {
        return std::abs(a.first - b.first) < m_scale && std::abs(a.second - b.second) < m_scale;
    };
    bool moved = m_leftAt && !withinAPoint(at, *m_leftAt);
    if (moved) {
        // Where it was left, it would still fit in the work area: only an action that may move
        // it did. Grown past the work area there (a pad opened, all pads closed while hidden),
        // it was rightly moved in, and stands there until it fits where the user had left it.
        // Pushed twice (a pad shown, then a wider one), it comes back as near to the first
        // place as the work area lets it: part of the way is no fault.
        Box there { m_leftAt->first, m_leftAt->second, main->frame.width, main->frame.height };
        bool back = m_pushedFrom && withinAPoint(at, *m_pushedFrom);
        auto between = [&](int value, int from, int to) {
            return value >= std::min(from, to) - m_scale && value <= std::max(from, to) + m_scale;
        };
        bool partWayBack = m_pushedFrom && between(at.first, m_leftAt->first, m_pushedFrom->first)
            && between(at.second, m_leftAt->second, m_pushedFrom->second);
        if (!inside(there, scene.workArea))
            m_pushedFrom = m_pushedFrom.value_or(*m_leftAt);
        else if (back || m_mayMove)
            m_pushedFrom.reset();
        else if (!partWayBack)
            record({ "a window no action moved keeps its place", "the main window",
                "the main window was left at " + std::to_string(m_leftAt->first) + "," + std::to_string(m_leftAt->second)
                    + " and stands at " + std::to_string(at.first) + "," + std::to_string(at.second) + " on " + m_screenName });
    }
    if (!m_leftAt || moved || m_mayMove)
        m_leftAt = at;
    m_mayMove = false;
    // Each screen its own height, whatever screen showed before it in the same window width;
    // a window narrower than the column shows a pad in the column's place, at the pad's height.
    if (main->box.width < pixels(kColumnWidth))
        return;
    std::string key = m_screenName + " " + std::to_string(main->box.width) + " px wide";
    if (std::exchange(m_draggedHeightUnseen, false))
        m_draggedHeight = main->box.height;
    auto [known, fresh] = m_heights.emplace(key, main->box.height);
    if (fresh || known->second == main->box.height)
        return;
    if (m_draggedHeight && known->second == *m_draggedHeight) {
        // The dragged height given up for a screen that needed more (while hidden, as a rated
        // slice went through the break's preparation): each screen at its own height again.
        m_draggedHeight.reset();
        m_heights.clear();
        m_heights.emplace(key, main->box.height);
        return;
    }
    record({ "each screen's window height is that screen's own", "the main window on " + key,
        "the main window on " + key + " was " + std::to_string(known->second) + " px high and is "
            + std::to_string(main->box.height) + " px now" });
    known->second = main->box.height;
}

}
