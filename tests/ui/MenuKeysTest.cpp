#include "UiFixture.h"

#include "platform/base/KeyCodes.h"
#include "platform/base/Timer.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MenuBarView.h"
#include "platform/ui/MenuView.h"
#include "platform/ui/PopUpButton.h"

using namespace ui;
using base::KeyCode;
using Mode = base::RunLoop::Mode;

namespace {

class MenuKeysTest : public UiTest {
protected:
    // Runs the steps inside the menu's tracking run, once its window is up.
    void whenShown(Menu& menu, std::function<void(Window&)> steps)
    {
        m_steps = base::Timer::create(0.2, true, Mode::Common, [&menu, steps](base::Timer& timer) {
            if (Window* window = menu.trackingWindow()) {
                timer.invalidate();
                steps(*window);
            }
        });
    }
    void press(Window& window, KeyCode key, const std::string& characters = {})
    {
        backend().press(window, static_cast<std::uint16_t>(key), characters);
    }
    static MenuItem* highlighted(Window& window) { return static_cast<MenuView*>(window.contentView())->highlightedItem(); }

    std::shared_ptr<base::Timer> m_steps;
};

std::shared_ptr<PopUpButton> ratings()
{
    auto popUp = PopUpButton::create();
    popUp->addItems({ "I felt distracted", "My focus was good", "I felt highly focused", "I experienced \"flow\"" });
    popUp->selectItemAt(2);
    popUp->setFrame(Rect(40, 100, 180, 24));
    return popUp;
}

}

TEST_F(MenuKeysTest, APopUpOpenedByAClickKeepsItsValueOnReturn)
{
    auto w = window(300, 200);
    auto popUp = ratings();
    w->contentView()->addSubview(popUp);
    int actions = 0;
    popUp->onAction = [&] { ++actions; };
    MenuItem* underPointer = nullptr;
    Point rowOnScreen;
    whenShown(*popUp->menu(), [&](Window& menuWindow) {
        // The display tells the new window of the pointer, which has not moved, in coordinates
        // over the first row (as of a place the window had before it was moved).
        Rect first = popUp->menu()->trackingRectOfItem(popUp->itemAt(0));
        backend().send(Event::mouse(Event::Type::MouseMoved, &menuWindow, Point(first.midX(), menuWindow.frame().height() - first.midY())));
        underPointer = highlighted(menuWindow);
        Rect row = popUp->menu()->trackingRectOfItem(popUp->itemAt(2));
        rowOnScreen = menuWindow.convertPointToScreen(Point(row.midX(), menuWindow.frame().height() - row.midY()));
        press(menuWindow, KeyCode::Return, "\r");
    });
    // A click on the lower part of the button, where the first row would be if the menu were
    // shown at the button before moving over it.
    backend().click(*w, Point(100, 200 - 100 - 20));
    EXPECT_EQ(underPointer, popUp->itemAt(2)) << "the checked item is highlighted under the pointer";
    EXPECT_NEAR(rowOnScreen.y, w->convertPointToScreen(Point(0, 112)).y, 12) << "its row lies over the button";
    EXPECT_EQ(popUp->indexOfSelectedItem(), 2);
    EXPECT_EQ(actions, 1);
}

TEST_F(MenuKeysTest, ThePointerHighlightsOnceItMoves)
{
    auto w = window(300, 200);
    auto popUp = ratings();
    w->contentView()->addSubview(popUp);
    whenShown(*popUp->menu(), [&](Window& menuWindow) {
        Rect first = popUp->menu()->trackingRectOfItem(popUp->itemAt(0));
        backend().moveMouse(menuWindow, first.center());
        press(menuWindow, KeyCode::Return, "\r");
    });
    popUp->popUpMenu();
    EXPECT_EQ(popUp->indexOfSelectedItem(), 0);
}

TEST_F(MenuKeysTest, HomeEndAndTypedLettersMoveTheHighlight)
{
    auto w = window(300, 200);
    auto popUp = ratings();
    popUp->itemAt(3)->setEnabled(false);
    w->contentView()->addSubview(popUp);
    std::vector<MenuItem*> seen;
    whenShown(*popUp->menu(), [&](Window& menuWindow) {
        press(menuWindow, KeyCode::End);
        seen.push_back(highlighted(menuWindow));
        press(menuWindow, KeyCode::Home);
        seen.push_back(highlighted(menuWindow));
        // "I f" finds "I felt distracted" first; "I felt h" goes on to the highly focused one.
        for (char c : std::string("I felt h"))
            press(menuWindow, c == ' ' ? KeyCode::Space : KeyCode::A, std::string(1, c));
        seen.push_back(highlighted(menuWindow));
        // After a pause typing starts afresh.
        clock.advance(2);
        press(menuWindow, KeyCode::M, "m");
        seen.push_back(highlighted(menuWindow));
        press(menuWindow, KeyCode::Escape, "\x1b");
    });
    popUp->popUpMenu();
    EXPECT_EQ(seen, (std::vector<MenuItem*> { popUp->itemAt(2), popUp->itemAt(0), popUp->itemAt(2), popUp->itemAt(1) }))
        << "End stops at the last enabled item";
    EXPECT_EQ(popUp->indexOfSelectedItem(), 2) << "Escape changes nothing";
}

TEST_F(MenuKeysTest, ShortcutsShowWithLinuxNames)
{
    auto menu = Menu::create();
    menu->addItem("Save", nullptr, "s")->setKeyEquivalentModifierMask(ModifierFlag::Command | ModifierFlag::Shift);
    menu->addItem("Bring to Front", nullptr, "f12")->setKeyEquivalentModifierMask(ModifierFlag::Control);
    std::vector<std::string> texts;
    for (const auto& item : menu->items())
        texts.push_back(MenuView::shortcutText(*item));
    EXPECT_EQ(texts, (std::vector<std::string> { "Ctrl+Shift+S", "Super+F12" }));

    // A key equivalent that names a key answers that key.
    int runs = 0;
    menu->itemAt(1)->onAction = [&](MenuItem&) { ++runs; };
    auto w = window();
    EXPECT_TRUE(menu->performKeyEquivalent(Event::key(Event::Type::KeyDown, w.get(), static_cast<std::uint16_t>(KeyCode::F12), "", ModifierFlag::Control)));
    EXPECT_EQ(runs, 1);
}

TEST_F(MenuKeysTest, F10OpensTheWindowsMenuBarAndTheArrowsWalkIntoAndOutOfSubmenus)
{
    // A window's menu bar of one title, as the main window has, with a submenu in its menu.
    auto file = Menu::create("File");
    int exports = 0;
    file->addItem("Add Log Entry");
    file->addItem("Export Log as CSV\u2026", [&](MenuItem&) { ++exports; });
    auto all = Menu::create("All");
    all->addItem("Preferences\u2026");
    all->addItem("File")->setSubmenu(file);
    int helps = 0;
    all->addItem("Help", [&](MenuItem&) { ++helps; });
    auto bar = Menu::create();
    bar->addItem("\u2630")->setSubmenu(all);
    auto w = window(300, 200);
    auto barView = MenuBarView::create(bar);
    barView->setFrame(Rect(0, 170, 300, 22));
    w->contentView()->addSubview(barView);

    std::vector<std::string> seen;
    auto title = [](Window& level) {
        MenuItem* item = static_cast<MenuView*>(level.contentView())->highlightedItem();
        return item ? item->title() : std::string("none");
    };
    whenShown(*all, [&](Window& menuWindow) {
        seen.push_back(title(menuWindow));
        press(menuWindow, KeyCode::DownArrow);
        press(menuWindow, KeyCode::RightArrow);
        Window* sub = file->trackingWindow();
        seen.push_back(sub ? title(*sub) : "no submenu");
        press(menuWindow, KeyCode::DownArrow);
        seen.push_back(sub ? title(*sub) : "no submenu");
        press(menuWindow, KeyCode::LeftArrow);
        seen.push_back(file->trackingWindow() ? "still open" : "closed");
        seen.push_back(title(menuWindow));
        press(menuWindow, KeyCode::Return, "\r");
        sub = file->trackingWindow();
        seen.push_back(sub ? title(*sub) : "no submenu");
        press(menuWindow, KeyCode::DownArrow);
        press(menuWindow, KeyCode::Return, "\r");
    });
    backend().press(*w, static_cast<std::uint16_t>(KeyCode::F10), "");
    EXPECT_EQ(seen, (std::vector<std::string> { "Preferences\u2026", "Add Log Entry", "Export Log as CSV\u2026", "closed", "File", "Add Log Entry" }));
    EXPECT_EQ(exports, 1) << "Return runs a submenu's item";
    EXPECT_EQ(helps, 0);
}

// A submenu that the pointer opened closes on Escape as one the keys opened does, one level
// at a time; a click outside an open menu closes it and goes no further; and a menu popped
// up while another is open (the status menu over the window's) closes that one first.
TEST_F(MenuKeysTest, EscapeClosesOneLevelAClickOutsideClosesTheMenuAndOneMenuShowsAtATime)
{
    auto file = Menu::create("File");
    file->addItem("Add Log Entry");
    auto all = Menu::create("All");
    all->addItem("Preferences\u2026");
    all->addItem("File")->setSubmenu(file);
    auto w = window(300, 200);
    auto gear = PopUpButton::create(true);
    gear->addItems({ "", "Tags" });
    gear->setFrame(Rect(40, 40, 60, 24));
    w->contentView()->addSubview(gear);

    std::vector<std::string> seen;
    auto look = [&](const std::string& step) {
        seen.push_back(step + ": " + (all->trackingWindow() ? "menu" : "no menu") + (file->trackingWindow() ? " and submenu" : "")
            + (gear->menu()->isTracking() ? ", the gear's" : ""));
    };
    whenShown(*all, [&](Window& menuWindow) {
        Rect row = all->trackingRectOfItem(all->itemAt(1));
        backend().moveMouse(menuWindow, row.center());
        // Into the submenu the pointer opened, onto its item.
        if (Window* sub = file->trackingWindow())
            backend().moveMouse(*sub, file->trackingRectOfItem(file->itemAt(0)).center());
        look("pointed into File");
        press(menuWindow, KeyCode::Escape, "\x1b");
        look("Escape");
        press(menuWindow, KeyCode::Escape, "\x1b");
    });
    // A menu Escape left open is closed by hand a while later, as a fault.
    auto guard = base::Timer::create(10, false, Mode::Common, [&](base::Timer&) {
        look("still open");
        all->cancelTracking();
    });
    all->popUp(nullptr, Point(40, 160), w->contentView());
    guard->invalidate();
    look("after Escape again");

    whenShown(*all, [&](Window&) { backend().click(*w, Point(70, 200 - 52)); });
    all->popUp(nullptr, Point(40, 160), w->contentView());
    look("clicked on the gear");

    // The window manager gives the window the keyboard for the click before the click itself
    // comes: that click too only closes the menu. One made after it opens the gear's menu.
    whenShown(*all, [&](Window&) {
        backend().setDisplayTime(2000);
        w->makeKeyWindow();
    });
    all->popUp(nullptr, Point(40, 160), w->contentView());
    auto clickAt = [&](std::uint32_t time) {
        whenShown(*gear->menu(), [&](Window&) {
            look("a click on the gear at " + std::to_string(time));
            gear->menu()->cancelTracking();
        });
        app().setInputTime(time);
        backend().click(*w, Point(70, 200 - 52));
        m_steps->invalidate();
    };
    clickAt(1990);
    clickAt(2010);

    whenShown(*all, [&](Window&) {
        base::RunLoop::main().post([&] {
            look("the gear's menu over it");
            gear->menu()->cancelTracking();
        });
        gear->popUpMenu();
    });
    all->popUp(nullptr, Point(40, 160), w->contentView());
    look("both closed");
    EXPECT_EQ(seen, (std::vector<std::string> { "pointed into File: menu and submenu", "Escape: menu", "after Escape again: no menu", "clicked on the gear: no menu",
                        "a click on the gear at 2010: no menu, the gear's", "the gear's menu over it: no menu, the gear's", "both closed: no menu" }));
}

// A focused pop-up opens its menu on Space, Up, Down and Alt+Down; Return goes on to the
// window's default button, as from a slider. A pull-down is a button: Return opens it.
TEST_F(MenuKeysTest, AFocusedPopUpOpensOnSpaceAndTheArrowsAndLeavesReturnToTheDefaultButton)
{
    auto w = window(300, 200);
    auto popUp = ratings();
    w->contentView()->addSubview(popUp);
    auto start = Button::create("Let's Get Started");
    start->setKeyEquivalent("\r");
    start->setFrame(Rect(180, 10, 110, 24));
    int started = 0;
    start->onAction = [&] { ++started; };
    w->contentView()->addSubview(start);
    auto gear = PopUpButton::create(true);
    gear->addItems({ "", "Tags" });
    gear->setFrame(Rect(40, 40, 60, 24));
    w->contentView()->addSubview(gear);

    auto opensOn = [&](PopUpButton& button, KeyCode key, std::uint32_t modifiers) {
        bool opened = false;
        whenShown(*button.menu(), [&](Window& menuWindow) {
            opened = true;
            press(menuWindow, KeyCode::Escape, "\x1b");
        });
        w->makeFirstResponderWithRing(&button);
        std::string characters = key == KeyCode::Space ? " " : key == KeyCode::Return ? "\r" : "";
        backend().press(*w, static_cast<std::uint16_t>(key), characters, modifiers);
        m_steps->invalidate();
        return opened;
    };
    EXPECT_TRUE(opensOn(*popUp, KeyCode::Space, 0));
    EXPECT_TRUE(opensOn(*popUp, KeyCode::DownArrow, 0));
    EXPECT_TRUE(opensOn(*popUp, KeyCode::UpArrow, 0));
    EXPECT_TRUE(opensOn(*popUp, KeyCode::DownArrow, ModifierFlag::Option));
    EXPECT_EQ(started, 0);
    EXPECT_FALSE(opensOn(*popUp, KeyCode::Return, 0));
    EXPECT_EQ(started, 1) << "Return on the pop-up presses the default button";
    EXPECT_EQ(popUp->indexOfSelectedItem(), 2);
    EXPECT_TRUE(opensOn(*gear, KeyCode::Return, 0));
    EXPECT_EQ(started, 1);
}
