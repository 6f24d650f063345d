#include "Scene.h"

#include <algorithm>

namespace ostrel::acceptance {

namespace {

const std::string kProgramName = "Ostrel";

std::string text(const Box& box)
{
    return std::to_string(box.x) + "," + std::to_string(box.y) + " " + std::to_string(box.width) + "\u00d7"
        + std::to_string(box.height);
}

bool intersects(const Box& a, const Box& b)
{
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

Box titleBarOf(const ProgramWindow& window)
{
    return { window.frame.x, window.frame.y, window.frame.width, window.box.y - window.frame.y };
}

}

Scene Scene::look(Desktop& desktop, pid_t program, const Box& screen)
{
    Scene scene;
    scene.screen = screen;
    scene.workArea = desktop.workArea().value_or(screen);
    scene.windows = desktop.windowsOf(program);
    scene.focused = desktop.focusedWindow();
    return scene;
}

const ProgramWindow* Scene::mainWindow() const
{
    const ProgramWindow* main = nullptr;
    for (const auto& window : windows) {
        if (window.decorated() && window.name == kProgramName
            && (!main || window.box.width * window.box.height > main->box.width * main->box.height))
            main = &window;
    }
    return main;
}

bool Scene::mainWindowShown() const
{
    auto* main = mainWindow();
    return main && !main->minimized;
}

bool Scene::mainWindowHasKeyboard() const
{
    auto* main = mainWindow();
    return main && !main->minimized && focused == main->id;
}

const ProgramWindow* Scene::statusStrip() const
{
    for (const auto& window : windows) {
        // A row of an icon (and a time) at the very top right, above everything.
        bool dock = std::find(window.kinds.begin(), window.kinds.end(), "DOCK") != window.kinds.end();
        if (window.managed && !window.decorated() && (window.alwaysOnTop || dock) && window.box.y <= screen.y + 16
            && window.box.x + window.box.width >= screen.x + screen.width - 16 && window.box.height <= 64
            && window.box.width <= 400)
            return &window;
    }
    return nullptr;
}

const ProgramWindow* Scene::popUpWithKeyboard() const
{
    auto* strip = statusStrip();
    for (const auto& window : windows) {
        if (&window != strip && !window.decorated() && focused == window.id)
            return &window;
    }
    return nullptr;
}

std::vector<const ProgramWindow*> Scene::modalWindows() const
{
    std::vector<const ProgramWindow*> modal;
    auto* main = mainWindow();
    for (const auto& window : windows) {
        if (&window != main && !window.minimized && (window.modal || (window.decorated() && window.name != kProgramName)))
            modal.push_back(&window);
    }
    return modal;
}

const ProgramWindow* Scene::ownerOf(const ProgramWindow& modal) const
{
    if (modal.transientFor) {
        for (const auto& window : windows)
            if (window.id == *modal.transientFor)
                return &window;
    }
    return mainWindow();
}

bool Scene::quiet() const
{
    auto* main = mainWindow();
    auto* strip = statusStrip();
    if (main && main->minimized)
        return false;
    return std::all_of(windows.begin(), windows.end(), [&](const ProgramWindow& window) {
        return &window == main || &window == strip;
    });
}

bool Scene::isNote(const ProgramWindow& window)
{
    return !window.decorated() && std::find(window.kinds.begin(), window.kinds.end(), "NOTIFICATION") != window.kinds.end();
}

bool Scene::noteShown() const
{
    return std::any_of(windows.begin(), windows.end(), [](const ProgramWindow& window) { return !window.minimized && isNote(window); });
}

int Scene::menusShown() const
{
    return int(std::count_if(windows.begin(), windows.end(), [](const ProgramWindow& window) {
        return !window.minimized && std::find(window.kinds.begin(), window.kinds.end(), "POPUP_MENU") != window.kinds.end();
    }));
}

const ProgramWindow* Scene::front() const
{
    auto* strip = statusStrip();
    const ProgramWindow* front = nullptr;
    for (const auto& window : windows) {
        if (window.managed && !window.minimized && &window != strip && (!front || window.stackingOrder > front->stackingOrder))
            front = &window;
    }
    return front;
}

bool Scene::keyboardWithUs() const
{
    return focused && std::any_of(windows.begin(), windows.end(), [&](const ProgramWindow& window) {
        return window.id == *focused && !window.minimized;
    });
}

bool Scene::isAlert(const ProgramWindow& window)
{
    const std::string& title = window.name;
    return window.decorated() && title != kProgramName && !title.empty()
        && (title.ends_with('.') || title.ends_with('?') || title.ends_with('!'));
}

std::string Scene::describe() const
{
    auto* main = mainWindow();
    auto* strip = statusStrip();
    std::string all = "work area " + text(workArea);
    for (const auto& window : windows) {
        std::string role = &window == main ? "main window"
            : &window == strip             ? "status strip"
            : window.name.empty()          ? "untitled window"
                                           : "window \"" + window.name + "\"";
        all += "; " + role + " " + text(window.box);
        if (window.decorated())
            all += " (frame " + text(window.frame) + ")";
        if (window.minimized)
            all += " minimized";
        if (!window.kinds.empty())
            all += " (" + window.kinds.front() + ")";
        if (focused == window.id)
            all += " with the keyboard";
    }
    return all;
}

namespace {

std::string nameOf(const Scene& scene, const ProgramWindow& window)
{
    if (&window == scene.mainWindow())
        return "the main window";
    if (&window == scene.statusStrip())
        return "the status strip";
    if (window.name.empty())
        return window.alwaysOnTop ? "an untitled window above the others (the command pop-up or a menu)" : "an untitled window";
    return "the window \"" + window.name + "\"";
}

// A user must be able to grab a window by its title bar and reach its bottom row (where its
// buttons are) and the frame's edge below it, and see the whole of it across.
void outsideTheWorkArea(const Scene& scene, std::vector<Broken>& broken)
{
    const Box& area = scene.workArea;
    for (const auto& window : scene.windows) {
        bool coversTheScreen = window.box.x <= scene.screen.x && window.box.y <= scene.screen.y
            && window.box.width >= scene.screen.width && window.box.height >= scene.screen.height;
        if (!window.managed || window.minimized || window.reservesSpace || window.fullScreen || coversTheScreen)
            continue;
        std::string where, edge;
        if (window.frame.y < area.y) {
            edge = "its title bar above the work area";
            where = "its top (the title bar's) at y = " + std::to_string(window.frame.y) + ", above the work area";
        } else if (window.frame.y + window.frame.height > area.y + area.height) {
            edge = "its bottom edge below the work area";
            where = "its frame's bottom at y = " + std::to_string(window.frame.y + window.frame.height) + ", below the work area";
        } else if (window.box.x < area.x) {
            edge = "its left edge outside the work area";
            where = "its left edge at x = " + std::to_string(window.box.x) + ", left of the work area";
        } else if (window.box.x + window.box.width > area.x + area.width) {
            edge = "its right edge outside the work area";
            where = "its right edge at x = " + std::to_string(window.box.x + window.box.width) + ", right of the work area";
        }
        if (!where.empty())
            broken.push_back({ kWorkAreaRule, nameOf(scene, window) + " with " + edge,
                nameOf(scene, window) + " stands at " + text(window.frame) + " with " + where + " " + text(area) });
    }
}

void stripOverATitleBar(const Scene& scene, std::vector<Broken>& broken)
{
    auto* strip = scene.statusStrip();
    if (!strip)
        return;
    for (const auto& window : scene.windows) {
        if (window.decorated() && !window.minimized && intersects(strip->box, titleBarOf(window)))
            broken.push_back({ "the status strip covers no title bar", nameOf(scene, window),
                "the strip at " + text(strip->box) + " lies over the title bar of " + nameOf(scene, window) + " at "
                    + text(titleBarOf(window)) + (window.maximized ? " (maximized)" : "") });
    }
}

void modalBelowItsOwner(const Scene& scene, std::vector<Broken>& broken)
{
    for (auto* modal : scene.modalWindows()) {
        auto* owner = scene.ownerOf(*modal);
        if (owner && owner != modal && !owner->minimized && modal->stackingOrder < owner->stackingOrder)
            broken.push_back({ "a modal window is above its owner", nameOf(scene, *modal),
                nameOf(scene, *modal) + " is stacked below " + nameOf(scene, *owner) + ", which it blocks" });
    }
}

// What is meant to float above and not take a tile (a note, the pop-up, the cover, an alert)
// says so to any window manager by its kind, not by a state one manager happens to honour.
void withoutItsKind(const Scene& scene, std::vector<Broken>& broken)
{
    const std::string rule = "every window of ours carries its kind (_NET_WM_WINDOW_TYPE)";
    for (const auto& window : scene.windows) {
        if (!window.managed || window.minimized)
            continue;
        auto is = [&](const char* kind) { return std::find(window.kinds.begin(), window.kinds.end(), kind) != window.kinds.end(); };
        std::string wanted;
        bool right = true;
        if (&window == scene.statusStrip()) {
            wanted = "DOCK";
            right = is("DOCK");
        } else if (&window == scene.mainWindow()) {
            wanted = "NORMAL";
            right = is("NORMAL");
        } else if (Scene::isAlert(window)) {
            wanted = "DIALOG with WM_TRANSIENT_FOR";
            right = is("DIALOG") && window.transientFor;
        } else if (!window.decorated()) {
            wanted = "a kind other than NORMAL (a note, the pop-up, the cover)";
            right = !window.kinds.empty() && !is("NORMAL");
        } else {
            wanted = "a kind";
            right = !window.kinds.empty();
        }
        if (!right)
            broken.push_back({ rule, nameOf(scene, window),
                nameOf(scene, window) + " is " + (window.kinds.empty() ? std::string("of no kind") : window.kinds.front())
                    + (Scene::isAlert(window) && !window.transientFor ? ", transient for no window" : "") + "; it should be "
                    + wanted });
    }
}

// Keys typed while a modal window shows go to it: never to the window it blocks.
void keyboardOnABlockedWindow(const Scene& scene, std::vector<Broken>& broken)
{
    for (auto* modal : scene.modalWindows()) {
        auto* owner = scene.ownerOf(*modal);
        if (owner && owner != modal && scene.focused == owner->id)
            broken.push_back({ "a modal window holds the keyboard, not its owner", nameOf(scene, *modal),
                nameOf(scene, *owner) + " holds the keyboard while " + nameOf(scene, *modal) + " blocks it" });
    }
}

// A menu (a window that places itself) opens inside the work area, shifted or flipped.
void menuOutsideTheWorkArea(const Scene& scene, std::vector<Broken>& broken)
{
    const Box& area = scene.workArea;
    for (const auto& window : scene.windows) {
        const Box& box = window.box;
        if (window.managed || window.minimized || window.reservesSpace || &window == scene.statusStrip()
            || box.width >= scene.screen.width)
            continue;
        if (box.x < area.x || box.y < area.y || box.x + box.width > area.x + area.width || box.y + box.height > area.y + area.height)
            broken.push_back({ "a menu opens inside the work area", nameOf(scene, window),
                nameOf(scene, window) + " stands at " + text(box) + ", not inside the work area " + text(area) });
    }
}

}

std::vector<Broken> brokenRules(const Scene& scene)
{
    std::vector<Broken> broken;
    outsideTheWorkArea(scene, broken);
    stripOverATitleBar(scene, broken);
    modalBelowItsOwner(scene, broken);
    withoutItsKind(scene, broken);
    keyboardOnABlockedWindow(scene, broken);
    menuOutsideTheWorkArea(scene, broken);
    return broken;
}

}
