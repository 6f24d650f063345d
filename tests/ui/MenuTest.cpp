#include "UiFixture.h"

#include "platform/base/KeyCodes.h"
#include "platform/base/Timer.h"
#include "platform/ui/Menu.h"
#include "platform/ui/PopUpButton.h"

using namespace ui;
using base::KeyCode;
using Mode = base::RunLoop::Mode;

namespace {

// A responder that performs one action and counts it.
class Performer : public base::Responder {
public:
    int performed { 0 };
    void perform(const base::Sender&) { ++performed; }

protected:
    const base::ActionTable& actionTable() const override
    {
        static const auto table = base::ActionTable::of<Performer>({ { "startTimeSlice:", &Performer::perform } });
        return table;
    }
};

class MenuTest : public UiTest {
protected:
    // Clicks a menu's item once its tracking window is up (the click comes from inside the
    // tracking run, as the user's would).
    void clickItemWhenShown(Menu& menu, std::function<MenuItem*()> item)
    {
        m_clicker = base::Timer::create(0.5, true, Mode::Common, [this, &menu, item](base::Timer& timer) {
            Window* window = menu.trackingWindow();
            if (!window)
                return;
            timer.invalidate();
            Rect row = menu.trackingRectOfItem(item());
            backend().click(*window, row.center());
        });
    }
    std::shared_ptr<base::Timer> m_clicker;
};

TEST_F(MenuTest, ItemsAreEnabledByTheirValidationAndTheirAction)
{
    auto menu = Menu::create();
    MenuItem* plain = menu->addItem("Plain");
    MenuItem* checked = menu->addItem("Validated");
    bool allow = false;
    checked->validate = [&](MenuItem&) { return allow; };
    auto byName = MenuItem::createWithAction("Start", "startTimeSlice:");
    menu->addItem(byName);
    menu->addItem(MenuItem::separator());

    EXPECT_TRUE(menu->isItemEnabled(*plain));
    EXPECT_FALSE(menu->isItemEnabled(*checked));
    EXPECT_FALSE(menu->isItemEnabled(*byName)) << "nobody performs the action yet";
    EXPECT_FALSE(menu->isItemEnabled(*menu->itemAt(3)));
    allow = true;
    Performer performer;
    app().setNextResponder(&performer);
    EXPECT_TRUE(menu->isItemEnabled(*checked));
    EXPECT_TRUE(menu->isItemEnabled(*byName));
    EXPECT_TRUE(menu->performActionForItemAt(2));
    EXPECT_EQ(performer.performed, 1);

    plain->setEnabled(false);
    EXPECT_FALSE(menu->performActionForItemAt(0));
    menu->setAutoenablesItems(false);
    checked->validate = [](MenuItem&) { return false; };
    EXPECT_TRUE(menu->isItemEnabled(*checked)) << "without auto-enabling only the item's own flag counts";
    app().setNextResponder(nullptr);
}

TEST_F(MenuTest, ItemsMoveBetweenMenusAndKeepTheirPlace)
{
    auto a = Menu::create();
    auto b = Menu::create();
    auto item = MenuItem::create("One");
    a->addItem(item);
    a->addItem("Two");
    b->insertItem(item, 99);
    EXPECT_EQ(a->numberOfItems(), 1u);
    EXPECT_EQ(item->menu(), b.get());
    a->insertItem(MenuItem::separator(), 0);
    EXPECT_EQ(a->indexOfItemWithTitle("Two"), 1);
    a->removeAllItems();
    b->removeItem(item.get());
    EXPECT_EQ(item->menu(), nullptr);
    EXPECT_EQ(a->numberOfItems() + b->numberOfItems(), 0u);
}

TEST_F(MenuTest, MainMenuShortcutsRunBeforeTheWindow)
{
    auto main = Menu::create();
    auto file = MenuItem::create("File");
    file->setSubmenu(Menu::create("File"));
    int saved = 0;
    file->submenu()->addItem("Save", [&](MenuItem&) { ++saved; }, "s");
    MenuItem* disabled = file->submenu()->addItem("Print", [&](MenuItem&) { ++saved; }, "p");
    disabled->setEnabled(false);
    main->addItem(file);
    app().setMainMenu(main);
    auto w = window();
    backend().press(*w, static_cast<std::uint16_t>(KeyCode::S), "s", ModifierFlag::Command);
    backend().press(*w, static_cast<std::uint16_t>(KeyCode::S), "s");
    backend().press(*w, static_cast<std::uint16_t>(KeyCode::P), "p", ModifierFlag::Command);
    EXPECT_EQ(saved, 1);
    app().setMainMenu(nullptr);
}

TEST_F(MenuTest, PoppedUpMenuTracksWhileCommonModeTimersFire)
{
    auto w = window(300, 200);
    auto menu = Menu::create();
    std::string chosen;
    menu->addItem("First", [&](MenuItem& item) { chosen = item.title(); });
    menu->addItem(MenuItem::separator());
    MenuItem* second = menu->addItem("Second", [&](MenuItem& item) { chosen = item.title(); });

    int commonTicks = 0;
    int defaultTicks = 0;
    auto common = base::Timer::create(0.1, true, Mode::Common, [&](base::Timer&) { ++commonTicks; });
    auto plain = base::Timer::create(0.1, true, Mode::Default, [&](base::Timer&) { ++defaultTicks; });
    clickItemWhenShown(*menu, [&] { return second; });

    auto result = menu->popUp(nullptr, Point(10, 10), w->contentView());
    EXPECT_EQ(result.get(), second);
    EXPECT_EQ(chosen, "Second");
    EXPECT_GE(commonTicks, 4);
    EXPECT_EQ(defaultTicks, 0) << "default-mode timers wait while a menu is tracked";
    EXPECT_FALSE(menu->isTracking());
    EXPECT_TRUE(w->isKeyWindow()) << "the window that had the keyboard gets it back";
    common->invalidate();
    plain->invalidate();
}

TEST_F(MenuTest, EscapeDismissesAndArrowsChoose)
{
    auto menu = Menu::create();
    int runs = 0;
    menu->addItem("Disabled", [&](MenuItem&) { ++runs; })->setEnabled(false);
    menu->addItem("Enabled", [&](MenuItem&) { ++runs; });
    auto keys = [&](std::vector<KeyCode> codes) {
        return base::Timer::create(0.2, false, Mode::Common, [&menu, this, codes](base::Timer&) {
            for (KeyCode code : codes)
                backend().press(*menu->trackingWindow(), static_cast<std::uint16_t>(code), "");
        });
    };
    auto escape = keys({ KeyCode::Escape });
    EXPECT_EQ(menu->popUp(nullptr, Point(100, 500), nullptr), nullptr);
    auto down = keys({ KeyCode::DownArrow, KeyCode::Return });
    EXPECT_EQ(menu->popUp(nullptr, Point(100, 500), nullptr).get(), menu->itemAt(1)) << "the disabled item is skipped";
    EXPECT_EQ(runs, 1);
}

// The status menu is refreshed by a timer while it may be open: a highlighted item that
// left the menu is no longer chosen by Return.
TEST_F(MenuTest, ItemsReplacedWhileTrackedLeaveNoHighlightBehind)
{
    auto menu = Menu::create();
    int runs = 0;
    menu->addItem("25:00 remaining", [&](MenuItem&) { ++runs; });
    auto steps = base::Timer::create(0.2, true, Mode::Common, [&, step = 0](base::Timer&) mutable {
        Window* tracked = menu->trackingWindow();
        if (!tracked)
            return;
        switch (step++) {
        case 0:
            backend().press(*tracked, static_cast<std::uint16_t>(KeyCode::DownArrow), "");
            break;
        case 1:
            menu->removeAllItems();
            menu->addItem("24:59 remaining", [&](MenuItem&) { ++runs; });
            break;
        case 2:
            backend().press(*tracked, static_cast<std::uint16_t>(KeyCode::Return), "");
            break;
        case 3:
            backend().press(*tracked, static_cast<std::uint16_t>(KeyCode::DownArrow), "");
            backend().press(*tracked, static_cast<std::uint16_t>(KeyCode::Return), "");
            break;
        }
    });
    auto chosen = menu->popUp(nullptr, Point(100, 500), nullptr);
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(chosen->title(), "24:59 remaining");
    EXPECT_EQ(runs, 1);
    steps->invalidate();
}

TEST_F(MenuTest, AnOpenSubmenuOutlivesTheItemThatHeldIt)
{
    auto menu = Menu::create();
    auto sounds = Menu::create();
    sounds->addItem("Rain");
    Menu* shown = sounds.get();
    menu->addItem("Sounds")->setSubmenu(std::move(sounds));
    auto steps = base::Timer::create(0.2, true, Mode::Common, [&, step = 0](base::Timer&) mutable {
        Window* tracked = menu->trackingWindow();
        if (!tracked)
            return;
        switch (step++) {
        case 0:
            backend().press(*tracked, static_cast<std::uint16_t>(KeyCode::DownArrow), "");
            EXPECT_TRUE(shown->isTracking());
            break;
        case 1:
            menu->removeAllItems();
            menu->addItem("Quiet");
            break;
        case 2:
            backend().press(*tracked, static_cast<std::uint16_t>(KeyCode::Escape), "");
            break;
        }
    });
    EXPECT_EQ(menu->popUp(nullptr, Point(100, 500), nullptr), nullptr);
    steps->invalidate();
}

TEST_F(MenuTest, EscapeInASubmenuClosesThatLevelOnly)
{
    auto menu = Menu::create();
    menu->addItem("Sounds")->setSubmenu(Menu::create());
    menu->itemAt(0)->submenu()->addItem("Rain");
    // Into the submenu, Escape, and the menu is still there for a second Escape.
    bool openAfterOneEscape = false;
    auto steps = base::Timer::create(0.2, true, Mode::Common, [&, step = 0](base::Timer&) mutable {
        Window* tracked = menu->trackingWindow();
        if (!tracked)
            return;
        openAfterOneEscape = openAfterOneEscape || step == 2;
        for (KeyCode key : step++ == 0 ? std::vector { KeyCode::DownArrow, KeyCode::RightArrow } : std::vector { KeyCode::Escape })
            backend().press(*tracked, static_cast<std::uint16_t>(key), "");
    });
    EXPECT_EQ(menu->popUp(nullptr, Point(100, 500), nullptr), nullptr);
    EXPECT_TRUE(openAfterOneEscape);
    steps->invalidate();
}

TEST_F(MenuTest, PopUpButtonSelectsWhatIsChosenAndTellsItsDelegate)
{
    struct Opening : MenuDelegate {
        int opened { 0 };
        void menuWillOpen(Menu&) override { ++opened; }
    } delegate;
    auto w = window(300, 200);
    auto popUp = PopUpButton::create();
    popUp->addItems({ "of 2 minutes", "of 5 minutes", "of 10 minutes" });
    popUp->addItem("of 5 minutes");
    EXPECT_EQ(popUp->itemTitles(), (std::vector<std::string> { "of 2 minutes", "of 10 minutes", "of 5 minutes" }));
    popUp->menu()->setDelegate(&delegate);
    popUp->setFrame(Rect(10, 150, 150, 24));
    w->contentView()->addSubview(popUp);
    EXPECT_EQ(popUp->titleOfSelectedItem(), "of 2 minutes");
    int reports = 0;
    popUp->onAction = [&] { ++reports; };
    clickItemWhenShown(*popUp->menu(), [&] { return popUp->itemAt(1); });
    backend().click(*w, Point(20, 30));
    EXPECT_EQ(popUp->indexOfSelectedItem(), 1);
    EXPECT_EQ(popUp->title(), "of 10 minutes");
    EXPECT_EQ(popUp->itemAt(1)->state(), ControlStateValue::On);
    EXPECT_EQ(popUp->itemAt(0)->state(), ControlStateValue::Off);
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(delegate.opened, 1);
    popUp->menu()->setDelegate(nullptr);
}

TEST_F(MenuTest, PullDownButtonShowsItsFirstItemAsTitle)
{
    auto w = window(300, 200);
    auto pullDown = PopUpButton::create(true);
    pullDown->addItems({ "Tags", "work", "home" });
    pullDown->setFrame(Rect(10, 150, 100, 24));
    w->contentView()->addSubview(pullDown);
    EXPECT_EQ(pullDown->title(), "Tags");
    std::string picked;
    pullDown->itemAt(2)->onAction = [&](MenuItem& item) { picked = item.title(); };
    clickItemWhenShown(*pullDown->menu(), [&] { return pullDown->itemAt(2); });
    pullDown->popUpMenu();
    EXPECT_EQ(picked, "home");
    EXPECT_EQ(pullDown->title(), "Tags") << "a pull-down keeps its title";
    EXPECT_EQ(pullDown->indexOfSelectedItem(), -1);
    EXPECT_FALSE(pullDown->itemAt(0)->isHidden());
}

}
