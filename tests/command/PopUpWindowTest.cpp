// The command pop-up as a user drives it: opening and closing, typing with and without
// pauses, Return, arrows, clicks on rows and elsewhere, window placement and redraws.
#include "PopUpFixture.h"

#include "command/KeyComboStaticLabel.h"
#include "command/OstrelMatchingLineFragment.h"
#include "viewkit/SmartTextField.h"

#include "platform/ui/Menu.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/Popover.h"
#include "platform/ui/Screen.h"

namespace ostrel::test {

namespace {

using Code = base::KeyCode;
namespace Flag = ui::ModifierFlag;

// An entry that leaves the pop-up open and tells what was asked of it.
class RecordingItem final : public MatchingItem {
public:
    static std::shared_ptr<RecordingItem> create(std::string title, std::vector<std::string>& log)
    {
        return std::shared_ptr<RecordingItem>(new RecordingItem(std::move(title), log));
    }
    void execute() override { m_log->push_back("execute " + displayString()); }
    void prepareForNext() override { m_log->push_back("prepareForNext " + displayString()); }

private:
    RecordingItem(std::string title, std::vector<std::string>& log)
        : MatchingItem(std::move(title), { "Actions" }, MatchingItemKind::firstAction)
        , m_log(&log)
    {
    }
    std::vector<std::string>* m_log;
};

}

class PopUpWindowTest : public PopUpTest {
protected:
    // A screen offering twelve commands whose titles all match "zebra", in order.
    void zebraScreen()
    {
        environment.screen = [this](MatchingItemCollector& collector) {
            for (int i = 1; i <= 12; ++i) {
                auto title = "Zebra " + std::string(i < 10 ? "0" : "") + std::to_string(i);
                collector.addFirstAction(title, std::nullopt, [this, title] { executed.push_back(title); });
            }
        };
    }
    // A click at the middle of a row of the pop-up.
    void clickRow(std::size_t row)
    {
        auto& fragment = *controller().matchingFragments().at(row);
        ui::Rect rect = fragment.convertRectTo(fragment.bounds(), nullptr);
        backend().click(shownWindow(), { rect.midX(), shownWindow().frame().height() - rect.midY() });
    }

    std::vector<std::string> executed;
};

TEST_F(PopUpWindowTest, RunOpensUnderTheButtonAndASecondRunCloses)
{
    m_app->deactivate();
    open();
    EXPECT_TRUE(m_app->isActive()) << "the application comes to the front";
    EXPECT_TRUE(controller().isRunning());
    ASSERT_NE(controller().popover(), nullptr);
    EXPECT_TRUE(controller().popover()->isShown());
    EXPECT_EQ(m_app->keyWindow(), controller().popover()->window()) << "the keyboard goes to the search line";
    EXPECT_EQ(environment.calls.front(), "closeOtherPopUps") << "the screen closes its own popovers first";
    EXPECT_EQ(searchLine(), "Start typing to filter entries..");

    open();
    EXPECT_FALSE(controller().isRunning()) << "a second press closes";
    EXPECT_EQ(controller().popover(), nullptr);

    open();
    m_app->deactivate();
    open();
    EXPECT_TRUE(m_app->isActive());
    EXPECT_TRUE(controller().isRunning()) << "coming back to the front leaves an open pop-up open";
}

// Asked for while the program is hidden (the hot key after Escape or the close button): the
// program shows again with the pop-up open on it, typing lands in the pop-up, and once the
// pop-up goes the host has the keyboard again and the program hides as before.
TEST_F(PopUpWindowTest, AskedForWhileHiddenThePopUpShowsAndTypingLandsInIt)
{
    for (int round = 0; round < 2; ++round) {
        m_app->hide();
        ASSERT_FALSE(host->isVisible());
        open();
        EXPECT_FALSE(m_app->isHidden()) << "round " << round;
        EXPECT_TRUE(host->isVisible());
        ASSERT_NE(controller().popover(), nullptr);
        EXPECT_TRUE(controller().popover()->isShown()) << "round " << round;
        EXPECT_EQ(m_app->keyWindow(), controller().popover()->window());
        type("ze");
        EXPECT_EQ(list().currentSearchString(), "ze");
        press(Code::Escape, "\x1b");
        EXPECT_FALSE(controller().isRunning());
        EXPECT_EQ(m_app->keyWindow(), host.get()) << "the keyboard goes back where it was";
    }
}

TEST_F(PopUpWindowTest, ShortcutsCloseThePopUpAndStillWork)
{
    int quits = 0;
    auto menu = ui::Menu::create();
    auto quit = ui::MenuItem::create("Quit", [&](ui::MenuItem&) { ++quits; }, "q");
    quit->setKeyEquivalentModifierMask(Flag::Command);
    menu->addItem(quit);
    m_app->setMainMenu(menu);
    open();
    press(Code::Q, "q", Flag::Command);
    EXPECT_FALSE(controller().isRunning());
    EXPECT_EQ(quits, 1) << "the shortcut went on to the menu";

    for (auto flags : { Flag::Option, Flag::Control }) {
        open();
        auto event = ui::Event::key(ui::Event::Type::KeyDown, &shownWindow(), static_cast<std::uint16_t>(Code::X), "x", flags);
        EXPECT_TRUE(controller().handleKeyStroke(event).has_value());
        EXPECT_FALSE(controller().isRunning());
    }
    open();
    press(Code::X, "X", Flag::Shift);
    EXPECT_TRUE(controller().isRunning()) << "Shift alone is typing";
    EXPECT_EQ(list().currentSearchString(), "X");
}

TEST_F(PopUpWindowTest, EscapeClosesAndIsSwallowed)
{
    open();
    auto escape = ui::Event::key(ui::Event::Type::KeyDown, &shownWindow(), static_cast<std::uint16_t>(Code::Escape), "\x1b");
    EXPECT_FALSE(controller().handleKeyStroke(escape).has_value());
    EXPECT_FALSE(controller().isRunning());
    EXPECT_EQ(controller().localEventMonitor(), nullptr);
}

TEST_F(PopUpWindowTest, APauseOfASecondStartsANewSearch)
{
    open();
    type("l");
    wait(1.0);
    type("o");
    EXPECT_EQ(list().currentSearchString(), "o");
    type("c");
    EXPECT_EQ(list().currentSearchString(), "oc");

    wait(0.5);
    type("k");
    EXPECT_EQ(list().currentSearchString(), "ock") << "half a second is no pause";
}

TEST_F(PopUpWindowTest, AnArrowAfterAPauseEmptiesTheSearchWithoutSearching)
{
    open();
    type("help");
    settle();
    auto firstRow = rowTitle(0);
    wait(1.0);
    press(Code::DownArrow);
    settle();
    EXPECT_EQ(list().currentSearchString(), "");
    EXPECT_EQ(searchLine(), "Start typing to filter entries..");
    EXPECT_EQ(rowTitle(0), firstRow) << "the rows still show the earlier results";
}

TEST_F(PopUpWindowTest, ReturnEntersGroupsAndRunsCommands)
{
    std::vector<std::string> log;
    environment.screen = [&](MatchingItemCollector& collector) { collector.append(RecordingItem::create("Stay Open", log)); };
    open();
    type("tools");
    press(Code::Return, "\r");
    EXPECT_EQ(list().currentlyActiveBreadCrumbs(), std::vector<std::string> { "Tools" });
    EXPECT_EQ(list().currentSearchString(), "");
    settle();
    EXPECT_EQ(controller().drillDownLabel()->stringValue(), " \u2192 Tools");
    press(Code::Delete);
    EXPECT_EQ(list().currentlyActiveBreadCrumbs(), std::vector<std::string> { "Tools" }) << "Delete does not leave the group";
    press(Code::LeftArrow);
    EXPECT_TRUE(list().currentlyActiveBreadCrumbs().empty());
    EXPECT_EQ(selectedTitle(), "Tools") << "back on the group just left";

    wait(1.0);
    type("stay open");
    press(Code::Return, "\r", Flag::Shift);
    EXPECT_EQ(log, (std::vector<std::string> { "execute Stay Open", "prepareForNext Stay Open" }));
    press(Code::KeypadEnter, "\r");
    EXPECT_EQ(log.size(), 3u);
    EXPECT_TRUE(controller().isRunning());
}

TEST_F(PopUpWindowTest, AnOptionFlipsWhileThePopUpStaysOpen)
{
    environment.memory->set("shouldUseSoftBreak", true);
    open();
    type("use soft");
    settle();
    ASSERT_EQ(rowTitle(0), "Use Soft Break");
    auto& row = static_cast<OstrelMatchingLineFragment&>(*controller().matchingFragments()[0]);
    EXPECT_EQ(row.rightAlignedTextField()->stringValue(), "On");
    press(Code::Return, "\r");
    EXPECT_EQ(environment.memory->boolean("shouldUseSoftBreak"), false);
    EXPECT_EQ(row.rightAlignedTextField()->stringValue(), "Off") << "at once, before any redraw";
    EXPECT_TRUE(controller().isRunning());
}

TEST_F(PopUpWindowTest, ACommandThatAsksForItClosesThePopUpBeforeItRuns)
{
    bool openWhileRunning = true;
    environment.screen = [&](MatchingItemCollector& collector) {
        collector.addDefaultChoice("Start Time Slice", std::nullopt, [&] { openWhileRunning = controller().isRunning(); });
    };
    open();
    press(Code::Return, "\r");
    EXPECT_FALSE(openWhileRunning);
    EXPECT_FALSE(controller().isRunning());
    EXPECT_FALSE(m_app->isHidden()) << "the application pop-up does not hide the application";
}

TEST_F(PopUpWindowTest, TabSpaceAndOtherScriptsAreTypedControlCharactersAreNot)
{
    open();
    press(Code::Tab, "\t");
    press(Code::Space, " ");
    press(Code::A, "\u00e9");
    press(Code::Digit1, "\u00bd");
    press(Code::F5, "\x10");
    press(Code::D, "\x04");
    EXPECT_EQ(list().currentSearchString(), "\t \u00e9\u00bd");
    m_app->sendEvent(ui::Event::key(ui::Event::Type::KeyDown, &shownWindow(), 0x0A, "x"));
    EXPECT_EQ(list().currentSearchString(), "\t \u00e9\u00bd") << "a key without a name is swallowed";
}

TEST_F(PopUpWindowTest, AClickOnARowRunsItsEntryATenthOfASecondLater)
{
    zebraScreen();
    open();
    type("zebra");
    ASSERT_EQ(list().matchingItems().size(), 12u);
    for (int i = 0; i < 5; ++i)
        list().moveDisplayedRangeDown();
    EXPECT_EQ(list().indexOfFirstResultBeingShown(), 4);
    settle();
    clickRow(2);
    EXPECT_EQ(list().selectedMatchedItemIndex(), 6);
    wait(0.09);
    EXPECT_TRUE(executed.empty());
    wait(0.02);
    EXPECT_EQ(executed, std::vector<std::string> { "Zebra 07" });
    EXPECT_FALSE(controller().isRunning());
}

TEST_F(PopUpWindowTest, AClickOnAGroupRowEntersIt)
{
    open();
    settle();
    for (std::size_t row = 0; row < 8; ++row) {
        if (rowTitle(row) == "Help") {
            clickRow(row);
            break;
        }
    }
    wait(0.11);
    EXPECT_EQ(list().currentlyActiveBreadCrumbs(), std::vector<std::string> { "Help" });
    EXPECT_TRUE(controller().isRunning());
}

TEST_F(PopUpWindowTest, AClickOutsideClosesAndTheCommandButtonDoesNotReopen)
{
    open();
    settle();
    backend().click(*host, { 300, 50 });
    EXPECT_FALSE(controller().isRunning());

    open();
    ASSERT_TRUE(controller().isRunning());
    ui::Rect button = commandButton->convertRectTo(commandButton->bounds(), nullptr);
    backend().click(*host, { button.midX(), host->frame().height() - button.midY() });
    EXPECT_FALSE(controller().isRunning()) << "the click closed it and never reached the button";

    open();
    controller().upArrow()->setEnabled(true);
    ui::Rect arrow = controller().upArrow()->convertRectTo(controller().upArrow()->bounds(), nullptr);
    backend().click(shownWindow(), { arrow.midX(), shownWindow().frame().height() - arrow.midY() });
    EXPECT_TRUE(controller().isRunning()) << "a click inside the pop-up goes to what is there";
}

TEST_F(PopUpWindowTest, TheScrollButtonsMoveTheRowsAndDimAtTheEnds)
{
    zebraScreen();
    open();
    type("zebra");
    settle();
    EXPECT_FALSE(controller().upArrow()->isEnabled());
    EXPECT_EQ(controller().upArrow()->alphaValue(), 0.5);
    EXPECT_TRUE(controller().downArrow()->isEnabled());
    controller().downArrow()->performClick();
    settle();
    EXPECT_EQ(rowTitle(0), "Zebra 02");
    EXPECT_TRUE(controller().upArrow()->isEnabled());
    EXPECT_EQ(controller().upArrow()->alphaValue(), 1.0);
}

TEST_F(PopUpWindowTest, OnAShortDisplayFewerRowsShowAndTheRestScrollIn)
{
    zebraScreen();
    open();
    double whole = shownWindow().frame().height();
    ASSERT_EQ(list().numberOfDisplayedMatches(), 8);
    controller().dismissDialog();

    // A display 400 points high (800 pixels at a scale of 2) under a 28-point strip.
    auto screens = ui::Screen::screens();
    backend().setScreens({ { ui::Rect(0, 0, 640, 400), ui::Rect(0, 0, 640, 372), "doubled", 2 } });
    open();
    int rows = list().numberOfDisplayedMatches();
    EXPECT_LT(rows, 8);
    EXPECT_GE(rows, 3);
    EXPECT_LE(shownWindow().frame().height(), 372.0);
    EXPECT_LT(shownWindow().frame().height(), whole);
    // It fits the room beside its button, so it hangs from the button, arrow and all.
    ui::Rect button = commandButton->convertRectTo(commandButton->bounds(), nullptr);
    button.origin = host->convertPointToScreen(button.origin);
    ui::Rect popover = controller().popover()->window()->frame();
    EXPECT_TRUE(popover.maxY() == button.minY() || popover.minY() == button.maxY())
        << "the popover at " << popover.minY() << "…" << popover.maxY() << ", its button at " << button.minY() << "…" << button.maxY();
    type("zebra");
    settle();
    // Typed text is larger than the prompt: every row still shows whole.
    ui::Rect content = shownWindow().contentView()->frame();
    for (int i = 0; i < rows; ++i) {
        auto& row = *controller().matchingFragments().at(std::size_t(i));
        ui::Rect frame = row.convertRectTo(row.bounds(), nullptr);
        EXPECT_FALSE(row.isHiddenOrHasHiddenAncestor()) << "row " << i;
        EXPECT_TRUE(frame.minY() >= content.minY() && frame.maxY() <= content.maxY()) << "row " << i << " at " << frame.minY() << "…" << frame.maxY();
    }
    for (int i = 0; i < rows; ++i)
        press(Code::DownArrow);
    settle();
    EXPECT_EQ(rowTitle(std::size_t(rows) - 1), "Zebra " + std::string(rows + 1 < 10 ? "0" : "") + std::to_string(rows + 1))
        << "the selection moving past the last row shown scrolls the list";
    controller().dismissDialog();

    backend().setScreens(screens);
    open();
    EXPECT_EQ(list().numberOfDisplayedMatches(), 8) << "on a tall display again, every row";
    EXPECT_EQ(shownWindow().frame().height(), whole);
}

TEST_F(PopUpWindowTest, WithItsButtonOutOfSightThePopUpOpensAsAWindow)
{
    commandButton->setHidden(true);
    open();
    EXPECT_TRUE(controller().isRunning());
    EXPECT_FALSE(controller().popover() && controller().popover()->isShown());
    EXPECT_TRUE(popUpWindow->isVisible());
    EXPECT_TRUE(popUpWindow->isKeyWindow()) << "typing lands in it";
    type("zz");
    EXPECT_EQ(list().currentSearchString(), "zz");
    controller().dismissDialog();
    commandButton->setHidden(false);
    open();
    EXPECT_TRUE(controller().popover()->isShown());
}

TEST_F(PopUpWindowTest, WindowModeSitsTwoThirdsUpTheFirstDisplay)
{
    EXPECT_EQ(PopUpWindowContentViewController::windowOrigin(ui::Rect(0, 0, 1440, 875), ui::Size(400, 300)), ui::Point(520, 433));
    EXPECT_EQ(PopUpWindowContentViewController::windowOrigin(ui::Rect(100, 50, 1001, 601), ui::Size(400, 300)), ui::Point(401, 301));
    EXPECT_EQ(PopUpWindowContentViewController::windowOrigin(ui::Rect(0, 0, 640, 372), ui::Size(400, 372)), ui::Point(120, 0))
        << "as high as the display: on it, not two thirds up";
    EXPECT_EQ(PopUpWindowContentViewController::windowOrigin(ui::Rect(0, 0, 640, 300), ui::Size(400, 372)), ui::Point(120, -72))
        << "higher than the display: its top on it";

    controller().run(false, nullptr, true);
    auto& window = *popUpWindow;
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.isKeyWindow());
    EXPECT_EQ(window.level(), ui::WindowLevel::AboveAll);
    auto visible = ui::Screen::screens().front().visibleFrame;
    EXPECT_EQ(window.frame().origin, PopUpWindowContentViewController::windowOrigin(visible, window.frame().size));
    type("zz");
    EXPECT_EQ(list().currentSearchString(), "zz");
    host->makeKeyWindow();
    EXPECT_FALSE(controller().isRunning()) << "the window closes when it loses the keyboard";

    open();
    EXPECT_TRUE(controller().popover()->isShown()) << "and the content moves back into a popover";
    EXPECT_FALSE(window.isVisible());
}

TEST_F(PopUpWindowTest, ListChangesRedrawOnceAfterAFiftiethOfASecond)
{
    open();
    settle();
    type("ab");
    wait(0.02);
    type("c");
    wait(0.045);
    EXPECT_EQ(searchLine(), "Start typing to filter entries..") << "nothing redrawn while changes come";
    wait(0.01);
    EXPECT_EQ(searchLine(), "abc");
}

TEST_F(PopUpWindowTest, PicturesOfThePopUp)
{
    environment.screen = [](MatchingItemCollector& collector) {
        collector.addDefaultChoice("Start Time Slice", KeyCombo(1, 0x1000), [] { });
        collector.addFirstAlternative("Take a Break", std::nullopt, [] { });
        collector.addSecondAction("Add One Minute", KeyCombo(35, 0x1200), [] { }, false);
    };
    open();
    settle();
    writePicture("popup-top-level");
    type("use soft");
    settle();
    writePicture("popup-typed");
    wait(1.0);
    press(Code::Escape);
    open();
    type("tools");
    press(Code::Return, "\r");
    settle();
    writePicture("popup-in-group");
    type("qqqq");
    settle();
    writePicture("popup-no-match");
    EXPECT_EQ(rowTitle(0), "No Match");
}

}
