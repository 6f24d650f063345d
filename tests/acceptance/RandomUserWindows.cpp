// The windows as a user handles them: a click on a title bar, a move by it, a resize from the
// corner, maximizing, the preferences, and an entry of the log book edited and saved (into a
// day file the road made read-only, so that the save is refused).
#include "RandomUser.h"

#include <cstdlib>
#include <filesystem>
#include <regex>

namespace ostrel::acceptance {

bool RandomUser::openNewestEntry(const Box& window)
{
    // The newest row's menu: its arrow stands 9 points in from the row's right edge, beside
    // the 12-point scroller; Edit… is its third item. Keys meant for a menu or an editor that
    // did not open would act on the window: the editor's coming is told by its buttons at
    // the window's bottom right, where the rows showed before.
    Box buttons { window.x + window.width - pixels(160), window.y + window.height - pixels(36), pixels(160), pixels(32) };
    auto before = desktop().settled(buttons);
    desktop().clickAt(window.x + window.width - pixels(21), window.y + pixels(43));
    // Scrolled by a wheel before, the rows show no arrow there.
    if (settle().menusShown() == 0)
        return false;
    for (const char* key : { "Down", "Down", "Return" })
        desktop().key(key);
    settle();
    auto after = desktop().settled(buttons);
    return before && after && !after->sameAs(*before);
}

RandomUser::Outcome RandomUser::clickTitleBar(const Scene& scene, Dice& dice)
{
    std::vector<const ProgramWindow*> titled;
    for (const auto& window : scene.windows)
        if (window.decorated() && !window.minimized)
            titled.push_back(&window);
    if (titled.empty()) {
        doing("a click on a title bar, with none shown");
        return std::nullopt;
    }
    const ProgramWindow& window = *titled[std::size_t(dice.below(int(titled.size())))];
    // On the title, clear of the window menu's icon at the left and the three buttons at the
    // right, each about as wide as the title bar is high (the window manager's font grows
    // with the screen's scale): the icon's menu would hold the pointer and the keyboard.
    int titleHeight = window.box.y - window.frame.y;
    int x = dice.between(window.frame.x + titleHeight + 10, window.frame.x + window.frame.width - 4 * titleHeight);
    int y = window.frame.y + titleHeight / 2;
    doing("click on the title bar of \"" + window.name + "\" at " + std::to_string(x) + "," + std::to_string(y));
    desktop().clickAt(x, y);
    return std::nullopt;
}

const ProgramWindow* RandomUser::mainWindowToHandle(const Scene& scene, const std::string& what)
{
    auto* main = scene.mainWindow();
    if (main && !main->minimized && !main->maximized)
        return main;
    doing(what + " of the main window, which is not shown or maximized");
    return nullptr;
}

namespace {

// Pixels a move by the title bar goes at least, across or down.
constexpr int kLeastMove = 8;

}

RandomUser::Outcome RandomUser::moveWindow(const Scene& scene, Dice& dice)
{
    auto* main = mainWindowToHandle(scene, "a move");
    if (!main)
        return std::nullopt;
    // By its title bar, to a place inside the work area: the user's hand keeps the window where
    // it can be reached, and whatever leaves the work area then is the program's doing.
    const Box& area = scene.workArea;
    int left = dice.between(area.x, area.x + area.width - main->frame.width);
    int top = dice.between(area.y, area.y + area.height - main->frame.height);
    int grabX = main->frame.x + std::max(30, main->frame.width / 2 - 40);
    int grabY = main->frame.y + (main->box.y - main->frame.y) / 2;
    int toX = grabX + left - main->frame.x, toY = grabY + top - main->frame.y;
    // Where another window of ours lies over the title bar, the drag would move that one.
    for (const auto& window : scene.windows) {
        const Box& over = window.frame;
        if (&window != main && !window.minimized && window.stackingOrder > main->stackingOrder && grabX >= over.x
            && grabY >= over.y && grabX < over.x + over.width && grabY < over.y + over.height) {
            doing("a move of the main window, whose title bar another window of ours covers");
            return std::nullopt;
        }
    }
    // A few pixels are a click to one window manager and a move to another, and to the same
    // one either by how its events came: a move the user means goes further.
    if (std::abs(left - main->frame.x) < kLeastMove && std::abs(top - main->frame.y) < kLeastMove) {
        doing("a move of the main window by a few pixels, not made");
        return std::nullopt;
    }
    doing("move the main window by its title bar from " + std::to_string(main->frame.x) + "," + std::to_string(main->frame.y)
        + " to " + std::to_string(left) + "," + std::to_string(top));
    mayMove();
    desktop().drag(grabX, grabY, toX, toY, 4);
    return std::nullopt;
}

RandomUser::Room RandomUser::roomToGrow(const ProgramWindow& window, const Box& area)
{
    int borderRight = window.frame.x + window.frame.width - (window.box.x + window.box.width);
    int borderBottom = window.frame.y + window.frame.height - (window.box.y + window.box.height);
    return { area.x + area.width - borderRight - window.box.x, area.y + area.height - borderBottom - window.box.y };
}

RandomUser::Outcome RandomUser::resizeWindow(const Scene& scene, Dice& dice)
{
    auto* main = mainWindowToHandle(scene, "a resize");
    if (!main)
        return std::nullopt;
    auto [roomAcross, roomDown] = roomToGrow(*main, scene.workArea);
    if (roomAcross < pixels(300) || roomDown < pixels(200)) {
        doing("a resize of the main window, which has no room to grow inside the work area");
        return std::nullopt;
    }
    int width = dice.between(pixels(300), roomAcross);
    int height = dice.between(pixels(200), roomDown);
    doing("resize the main window from " + std::to_string(main->box.width) + "\u00d7" + std::to_string(main->box.height)
        + " to " + std::to_string(width) + "\u00d7" + std::to_string(height));
    m_heights.clear();
    m_draggedHeightUnseen = true;
    desktop().resize(main->id, width, height);
    return std::nullopt;
}

RandomUser::Outcome RandomUser::maximize(const Scene& scene, Dice&)
{
    auto* main = scene.mainWindow();
    if (!main || main->minimized) {
        doing("maximizing the main window, which is not shown");
        return std::nullopt;
    }
    doing(main->maximized ? "the main window given back its size" : "the main window maximized");
    m_heights.clear();
    desktop().maximize(main->id);
    return std::nullopt;
}

RandomUser::Outcome RandomUser::openPreferences(const Scene& scene, Dice&)
{
    bool fromMain = scene.mainWindowHasKeyboard();
    doing(fromMain ? "Ctrl+, (the preferences)" : "Ctrl+, with the main window not holding the keyboard");
    desktop().key("ctrl+comma");
    // The preferences are waited for (the action's settling) as a user looks for them before
    // the next key: a hot key comes by another connection and a busy program may read it
    // before the Ctrl+, it got first.
    return std::nullopt;
}


namespace {

namespace fs = std::filesystem;

constexpr auto kWriteBits = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;

// "2026-12-31" of a day file of either naming.
std::string dayOf(const fs::path& file)
{
    std::smatch found;
    std::string name = file.filename().string();
    return std::regex_search(name, found, std::regex(R"(\d{4}-\d{2}-\d{2})")) ? found.str() : std::string();
}

}

void RandomUser::refuseSavesOfTheNewestDay()
{
    // As when another computer holds the synced file: the log book's save of an entry of that
    // day is refused, and the program tells so.
    auto days = m_home.dayFiles();
    if (days.empty())
        return;
    std::string newest = dayOf(days.back().path);
    for (const auto& day : days) {
        if (dayOf(day.path) != newest)
            continue;
        std::error_code ignored;
        fs::permissions(day.path, kWriteBits, fs::perm_options::remove, ignored);
        m_readOnly.push_back(day.path);
    }
}

RandomUser::~RandomUser()
{
    // Writable again, so that the home can be cleared away.
    for (const auto& path : m_readOnly) {
        std::error_code ignored;
        fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, ignored);
    }
}

RandomUser::Outcome RandomUser::editLogEntry(const Scene& scene, Dice&)
{
    auto* main = scene.mainWindow();
    auto hidden = m_home.setting("logBookPadHidden");
    bool open = hidden && hidden->is_boolean() && !hidden->get<bool>();
    if (!scene.quiet() || !scene.mainWindowHasKeyboard() || !open || main->box.width < pixels(820)) {
        doing("an entry of the log book edited, with the log book not in front");
        return std::nullopt;
    }
    const Box& window = main->box;
    // Save is at the editor's bottom right.
    doing("the newest entry of the log book edited and saved");
    if (!openNewestEntry(window)) {
        doing("its editor did not open");
        return std::nullopt;
    }
    desktop().type("changed");
    settle();
    desktop().clickAt(window.x + window.width - pixels(41), window.y + window.height - pixels(20));
    return std::nullopt;
}
}
