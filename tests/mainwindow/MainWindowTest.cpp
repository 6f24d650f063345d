// The main window: one pad at a time, compression, placement on one or two displays, the
// command button, closing and zooming.
#include "MainWindowFixture.h"

#include "mainwindow/MainWindowPlacement.h"
#include "mainwindow/NowAndLaterBoardManager.h"
#include "mainwindow/PadIcons.h"
#include "mainwindow/PadTable.h"

#include "core/KeyCombo.h"
#include "viewkit/HideableFragmentWall.h"
#include "viewkit/PushButtonBrick.h"

#include "platform/gfx/Archive.h"
#include "platform/ui/Screen.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TextField.h"

#include <cmath>

namespace ostrel::test {

namespace {

class MainWindowControllerTest : public MainWindowTest {
protected:
    bool open(std::size_t pad) { return !store().boolean(PadTable::pad(pad).hiddenKey); }
    int openPads()
    {
        int count = 0;
        for (std::size_t i = 0; i < PadTable::kCount; ++i)
            count += open(i);
        return count;
    }
    ui::Point topLeft() { return { window().frame().minX(), window().frame().maxY() }; }
    void setCompression(WindowCompressionMode mode) { store().set("windowCompressionMode", static_cast<int>(mode)); }
};

}

TEST_F(MainWindowControllerTest, PadButtonsOpenOnePadAtATime)
{
    auto& controller = mainWindow();
    EXPECT_TRUE(controller.areAllPadsClosed());
    EXPECT_FALSE(controller.padSelectorOnMainWall()->isHidden());
    controller.padButtonPressed(PadTable::kNow);
    EXPECT_TRUE(open(PadTable::kNow));
    EXPECT_TRUE(controller.padSelectorOnMainWall()->isHidden());
    controller.padButtonPressed(PadTable::kLogBook);
    EXPECT_TRUE(open(PadTable::kLogBook));
    EXPECT_EQ(openPads(), 1);
    controller.padButtonPressed(PadTable::kLogBook);
    EXPECT_EQ(openPads(), 0) << "the open pad's button closes it";
    EXPECT_FALSE(controller.padSelectorOnMainWall()->isHidden());

    controller.showPad("helpPadHidden");
    controller.showCurrentWeekStatisticsPad();
    EXPECT_EQ(openPads(), 1);
    EXPECT_TRUE(open(PadTable::kStatistics));
    EXPECT_EQ(store().integer("currentlyDisplayedStatistic"), 0);
    controller.closeAllPads();
    EXPECT_EQ(openPads(), 0);
}

TEST_F(MainWindowControllerTest, PadSectionVisibleMeansSomePadIsClosed)
{
    auto& controller = mainWindow();
    EXPECT_TRUE(controller.isPadSectionVisible());
    controller.showPad("nowPadHidden");
    EXPECT_TRUE(controller.isPadSectionVisible());
    for (const auto& key : MainWindowController::padStorageKeyPaths())
        store().set(key, false);
    EXPECT_FALSE(controller.isPadSectionVisible());
    EXPECT_FALSE(controller.areAllPadsClosed());
}

TEST_F(MainWindowControllerTest, AnOpenPadWidensTheWindowEvenWithoutCompression)
{
    setCompression(WindowCompressionMode::never);
    auto& controller = mainWindow();
    double top = window().frame().maxY();
    EXPECT_EQ(window().frame().width(), MainWindowController::kLeftColumnWidth);
    controller.showPad("nowPadHidden");
    EXPECT_GE(window().frame().width(), 840.0);
    EXPECT_EQ(window().frame().maxY(), top);
    controller.closeAllPads();
    EXPECT_GE(window().frame().width(), 840.0) << "without compression the window keeps its size";
}

TEST_F(MainWindowControllerTest, CompressionShrinksToTheContentKeepingTheTopEdge)
{
    setCompression(WindowCompressionMode::always);
    auto& controller = mainWindow();
    auto minimum = window().contentMinSize();
    window().setFrame(ui::Rect(100, 100, 900, 700));
    double top = window().frame().maxY();
    controller.compressWindow();
    EXPECT_EQ(window().frame().size, minimum);
    EXPECT_EQ(window().frame().maxY(), top);

    controller.showPad("laterPadHidden");
    controller.compressWindow();
    EXPECT_GE(window().frame().height(), MainWindowController::kOpenPadMinimumHeight);
    EXPECT_EQ(window().frame().width(), 840.0);
    EXPECT_EQ(window().frame().maxY(), top);

    int followed = 0;
    MainWindowHooks::shared().commandPopUpFollowsWindow = [&] { ++followed; };
    setCompression(WindowCompressionMode::onlyWhenSideBarIsClosed);
    controller.compressWindow();
    EXPECT_EQ(followed, 1);
    setCompression(WindowCompressionMode::never);
    window().setFrame(ui::Rect(100, 100, 1000, 800));
    controller.compressWindow();
    EXPECT_EQ(window().frame().size, ui::Size(1000, 800));
}

TEST_F(MainWindowControllerTest, WhileAPadIsOpenTheWindowKeepsTheRoomTheUserGaveIt)
{
    setCompression(WindowCompressionMode::onlyWhenSideBarIsClosed);
    auto& controller = mainWindow();
    controller.showPad("nowPadHidden");
    window().layoutIfNeeded();
    // Made larger by hand to read more of the pad.
    window().setFrame(ui::Rect(100, 250, 1100, 550));
    ui::Rect given = window().frame();

    FakeScreen shorter(120);
    controller.showState(shorter);
    EXPECT_EQ(window().frame().height(), given.height()) << "a shorter screen cut the pad down to the left column";
    EXPECT_EQ(window().frame().maxY(), given.maxY());
    EXPECT_EQ(window().frame().width(), window().contentMinSize().width) << "the width goes back to the least";
    given = window().frame();
    // Switched by a key, the Later pad is shown before the Now pad goes.
    store().set("laterPadHidden", false);
    store().set("nowPadHidden", true);
    controller.compressWindow();
    EXPECT_EQ(window().frame(), given) << "another pad is given the same room, and no more";

    // A screen taller than the window still gets its room, from the same top edge.
    FakeScreen taller(600);
    controller.showState(taller);
    window().layoutIfNeeded();
    EXPECT_EQ(window().frame().maxY(), given.maxY());
    EXPECT_GE(window().frame().height(), window().contentMinSize().height);

    // Maximized, another pad or screen leaves it maximized, at the size it has.
    window().platformDidZoom(true);
    window().platformDidResize({ 1280, 752 });
    ui::Rect maximized = window().frame();
    store().set("scratchPadHidden", false);
    store().set("laterPadHidden", true);
    controller.compressWindow();
    controller.showState(shorter);
    EXPECT_EQ(window().frame(), maximized);
    EXPECT_TRUE(window().isZoomed());
    // Every pad closed too: the window manager's size stands, or it went to the top left.
    controller.closeAllPads();
    controller.compressWindow();
    EXPECT_EQ(window().frame(), maximized);
    EXPECT_TRUE(window().isZoomed());
    window().platformDidZoom(false);
    window().platformDidResize(given.size);

    // With every pad closed it shrinks again, as the setting says.
    controller.showState(shorter);
    controller.closeAllPads();
    controller.compressWindow();
    EXPECT_EQ(window().frame().size, window().contentMinSize());
    EXPECT_EQ(window().frame().maxY(), given.maxY());
}

// Without compression too: the define screen after a break's tall one, the rate screen after
// extending; a height the user gave the window stays.
TEST_F(MainWindowControllerTest, EachScreenShowsAtItsOwnHeight)
{
    setCompression(WindowCompressionMode::never);
    auto& controller = mainWindow();
    FakeScreen tall(600), shorter(120);
    controller.showState(tall);
    window().layoutIfNeeded();
    double top = window().frame().maxY();
    ASSERT_EQ(window().frame().height(), window().contentMinSize().height);
    controller.showState(shorter);
    EXPECT_EQ(window().frame().height(), window().contentMinSize().height) << "the tall screen's height stayed";
    EXPECT_EQ(window().frame().maxY(), top);
    // Taller than the work area: the window was as tall as it could be, still the screen's own.
    FakeScreen taller(1200);
    controller.showState(taller);
    window().layoutIfNeeded();
    ASSERT_LT(window().frame().height(), window().contentMinSize().height);
    controller.showState(shorter);
    EXPECT_EQ(window().frame().height(), window().contentMinSize().height) << "the work area's height stayed";

    window().setFrame(ui::Rect(window().frame().minX(), top - 700, window().frame().width(), 700));
    controller.showState(tall);
    controller.showState(shorter);
    EXPECT_EQ(window().frame().height(), 700.0);

    // Maximized at the tall screen's height, the shorter one shown meanwhile (a break ended
    // by a command): given back the tall height, it takes the shorter one's, where it was
    // left, whichever of the size and the state the window manager tells first. A height the
    // user gave it stays.
    for (double left : { 0.0, 700.0 }) {
        for (bool sizeFirst : { true, false }) {
            controller.showState(tall);
            window().layoutIfNeeded();
            double height = left ? left : window().contentMinSize().height;
            window().setFrame(ui::Rect(window().frame().minX(), top - height, window().frame().width(), height));
            ui::Size givenBack = window().frame().size;
            window().platformDidZoom(true);
            window().platformDidResize({ 1024, 740 });
            controller.showState(shorter);
            ASSERT_TRUE(window().isZoomed());
            if (sizeFirst)
                window().platformDidResize(givenBack);
            window().platformDidZoom(false);
            if (!sizeFirst)
                window().platformDidResize(givenBack);
            window().layoutIfNeeded();
            EXPECT_EQ(window().frame().height(), left ? left : window().contentMinSize().height) << "left " << left << ", size first " << sizeFirst;
            EXPECT_EQ(window().frame().maxY(), top) << "left " << left << ", size first " << sizeFirst;
        }
    }

    // A pad open, with the compression a pad leaves alone: the define screen after a break
    // kept the break screen's height, empty space above its buttons.
    setCompression(WindowCompressionMode::onlyWhenSideBarIsClosed);
    controller.showPad("scratchPadHidden");
    controller.showState(shorter);
    double padOwn = std::max(window().contentMinSize().height, MainWindowController::kOpenPadMinimumHeight);
    ASSERT_EQ(window().frame().height(), 700.0) << "a height the user gave the window stays, a pad open";
    window().setFrame(ui::Rect(window().frame().minX(), top - padOwn, window().frame().width(), padOwn));
    controller.showState(tall);
    window().layoutIfNeeded();
    ASSERT_EQ(window().frame().height(), window().contentMinSize().height);
    controller.showState(shorter);
    EXPECT_EQ(window().frame().height(), padOwn) << "the tall screen's height stayed, a pad open";
    EXPECT_EQ(window().frame().maxY(), top);
}

TEST_F(MainWindowControllerTest, PadsSwitchedByKeyOrButtonAreNeverOpenTwoAtATime)
{
    setCompression(WindowCompressionMode::onlyWhenSideBarIsClosed);
    auto& controller = mainWindow();
    int mostOpen = 0;
    std::vector<base::Defaults::ObserverId> observers;
    for (const auto& key : MainWindowController::padStorageKeyPaths())
        observers.push_back(store().addObserver(key, [&](const std::string&) { mostOpen = std::max(mostOpen, openPads()); }));
    auto& pads = NowAndLaterBoardManager::sharedManager();
    pads.toggleScratchPad();
    window().platformDidZoom(true);
    window().platformDidResize({ 1024, 740 });
    ui::Rect maximized = window().frame();

    pads.toggleNowPad();
    EXPECT_TRUE(open(PadTable::kNow));
    controller.padButtonPressed(PadTable::kLater);
    pads.showScratchPad();
    controller.showPad("statsPadHidden");
    EXPECT_EQ(mostOpen, 1) << "shown beside the next for a moment, a pad made the window grow to hold both";
    EXPECT_TRUE(window().isZoomed());
    EXPECT_EQ(window().frame(), maximized);

    // Maximized narrower than a pad needs (a small screen), the window stays as it is.
    window().platformDidResize({ 800, 600 });
    maximized = window().frame();
    controller.showPad("logBookPadHidden");
    EXPECT_TRUE(window().isZoomed());
    EXPECT_EQ(window().frame(), maximized);
    for (auto id : observers)
        store().removeObserver(id);
}

TEST_F(MainWindowControllerTest, OnADisplayTooNarrowForBothAPadTakesTheColumnsPlace)
{
    // 1280 by 800 pixels at a scale of 2.
    backend().setScreens({ { ui::Rect(0, 0, 640, 400), ui::Rect(0, 0, 640, 372), "doubled", 2 } });
    setCompression(WindowCompressionMode::onlyWhenSideBarIsClosed);
    auto& controller = mainWindow();
    auto field = ui::TextField::create();
    controller.leftFragmentWall()->addSubview(field);
    window().makeFirstResponder(field.get());
    EXPECT_EQ(controller.commandPopUpAnchor(), controller.commandButton().get());

    controller.padButtonPressed(PadTable::kLogBook);
    window().layoutIfNeeded();
    EXPECT_LE(window().frame().width(), 640.0);
    EXPECT_EQ(controller.leftFragmentWall()->window(), nullptr) << "the column gave way";
    EXPECT_NE(window().firstResponder(), field.get()) << "keys typed would land in a field out of sight";
    EXPECT_EQ(controller.commandPopUpAnchor(), controller.contentWall().get());

    controller.padButtonPressed(PadTable::kLogBook);
    window().layoutIfNeeded();
    EXPECT_EQ(controller.leftFragmentWall()->window(), &window());
    EXPECT_EQ(controller.commandPopUpAnchor(), controller.commandButton().get());

    // Left by the right edge with the pad open, the window makes way for the wider column,
    // and comes back where it was left with the pad: it stayed pushed aside. The application
    // compresses the window at each change of the pads.
    std::vector<base::Defaults::ObserverId> compressions;
    for (const auto& key : MainWindowController::padStorageKeyPaths())
        compressions.push_back(store().addObserver(key, [&](const std::string&) { controller.compressWindow(); }));
    auto press = [&](std::size_t pad) {
        controller.padButtonPressed(pad);
        window().layoutIfNeeded();
    };
    auto toggle = [&] { press(PadTable::kLogBook); };
    toggle();
    double leftAt = 640 - window().frame().width() - 5;
    window().setFrameOrigin({ leftAt, window().frame().minY() });
    toggle();
    EXPECT_LE(window().frame().maxX(), 640.0) << "the column stands past the display's edge";
    toggle();
    EXPECT_EQ(window().frame().minX(), leftAt);
    // Moved by the user meanwhile, it stays where the user put it.
    toggle();
    window().setFrameOrigin({ 100, window().frame().minY() });
    toggle();
    EXPECT_EQ(window().frame().minX(), 100.0);
    toggle();
    // Switched from a pad to the wider Log Book and back, the same.
    press(PadTable::kNow);
    double nowWidth = window().frame().width();
    leftAt = 640 - nowWidth - 5;
    // As high as the display lets it, as the user may leave it: a pad taking the place of
    // another keeps that height.
    window().setFrame(ui::Rect(leftAt, 0, nowWidth, 360));
    press(PadTable::kLogBook);
    ASSERT_GT(window().frame().width(), nowWidth);
    press(PadTable::kNow);
    EXPECT_EQ(window().frame().minX(), leftAt);
    press(PadTable::kNow);
    for (auto id : compressions)
        store().removeObserver(id);

    // Opened and closed other than by its button (the menu's Help), the pad gives the column
    // back with the keyboard on the screen's field, not on nothing.
    m_screen.m_first = field;
    controller.showState(m_screen);
    controller.showPad("helpPadHidden");
    window().layoutIfNeeded();
    ASSERT_EQ(controller.leftFragmentWall()->window(), nullptr);
    controller.closeAllPads();
    window().layoutIfNeeded();
    EXPECT_EQ(controller.leftFragmentWall()->window(), &window());
    EXPECT_EQ(window().firstResponder(), field.get()) << "the column came back with the keyboard on nothing";

    // Where both fit, the pad opens beside the column.
    backend().setScreens({ { ui::Rect(0, 0, 1280, 800), ui::Rect(0, 0, 1280, 772), "laptop", 1 } });
    controller.showPad("nowPadHidden");
    window().layoutIfNeeded();
    EXPECT_EQ(controller.leftFragmentWall()->window(), &window());
    EXPECT_GE(window().frame().width(), 840.0);
}

TEST_F(MainWindowControllerTest, APadButtonLeavesTheKeyboardWhereTypingLands)
{
    auto field = ui::TextField::create();
    field->setFrame(ui::Rect(10, 10, 200, 24));
    m_screen.m_info->addSubview(field);
    m_screen.m_first = field;
    store().set("windowCompressionMode", int64_t(WindowCompressionMode::always));
    mainWindow().closeAllPads();
    mainWindow().showState(m_screen);
    window().layoutIfNeeded();
    ASSERT_EQ(window().firstResponder(), field.get());

    // Clicked, the Now pad's button opens the pad and goes from the window with the rest of
    // the header's: the keyboard was left with it, and typing landed nowhere.
    std::vector<ui::Button*> selectors;
    for (ui::View* view : mainWindow().padSelectorOnMainWall()->subtree())
        if (auto* button = dynamic_cast<ui::Button*>(view))
            selectors.push_back(button);
    ASSERT_EQ(selectors.size(), PadTable::kCount);
    ui::Rect inWindow = selectors[0]->convertRectTo(selectors[0]->bounds(), nullptr);
    backend().click(window(), ui::Point(inWindow.midX(), window().contentView()->bounds().height() - inWindow.midY()));
    window().layoutIfNeeded();
    ASSERT_FALSE(store().boolean("nowPadHidden"));
    type("Q");
    EXPECT_NE(nowText().string().find('Q'), std::string::npos) << "typing after opening the pad was lost";

    // The log book takes the Now pad's place: the keyboard goes back to the screen's field.
    mainWindow().padButtonPressed(3);
    window().layoutIfNeeded();
    type("c");
    EXPECT_EQ(field->stringValue(), "c");
}

TEST_F(MainWindowControllerTest, WithNoStoredPlaceTheWindowIsCentredBelowTheTop)
{
    auto& controller = mainWindow();
    ui::Rect visible = ui::Screen::main()->visibleFrame;
    ui::Size size = window().frame().size;
    EXPECT_EQ(topLeft(), ui::Point(visible.minX() + visible.width() * 0.5 - std::round(size.width * 0.5), visible.maxY() - std::round(size.height * 0.5)));
    EXPECT_EQ(controller.defaultPosition(), topLeft());
}

TEST_F(MainWindowControllerTest, AStoredPlaceThatIsNoNumberCountsAsNone)
{
    EXPECT_FALSE(MainWindowPlacement::storedTopLeft(std::nan(""), 500, true));
    EXPECT_FALSE(MainWindowPlacement::storedTopLeft(300, HUGE_VAL, false));
    EXPECT_FALSE(MainWindowPlacement::storedTopLeft(-1, -1, false));
    EXPECT_TRUE(MainWindowPlacement::storedTopLeft(-1, 300, false)) << "both must be unset for the status item's placing";
    EXPECT_FALSE(MainWindowPlacement::storedTopLeft(-1, 300, true)) << "either is enough when the window first shows";
}

TEST_F(MainWindowControllerTest, PlacesAreClampedIntoTheDisplayTheyOverlapMost)
{
    backend().setScreens({
        { ui::Rect(0, 0, 1440, 900), ui::Rect(0, 0, 1440, 868), "left", 1 },
        { ui::Rect(1440, 0, 1920, 1080), ui::Rect(1440, 0, 1920, 1050), "right", 1 },
    });
    auto& controller = mainWindow();
    ui::Size size = window().frame().size;

    store().set("topLeftX", 3300.0);
    store().set("topLeftY", 1200.0);
    // Mostly on the right display, partly past its right and top edges.
    EXPECT_EQ(controller.computeTopLeftPoint({ 0, 0 }), ui::Point(1440 + 1920 - size.width, 1050));

    store().set("topLeftX", 1100.0);
    store().set("topLeftY", 500.0);
    EXPECT_EQ(controller.computeTopLeftPoint({ 0, 0 }), ui::Point(1440 - size.width, 500)) << "more of it on the left one";

    store().set("topLeftX", -5000.0);
    store().set("topLeftY", -5000.0);
    EXPECT_EQ(controller.computeTopLeftPoint({ 0, 0 }), controller.defaultPosition()) << "off every display";

    // A click on the status item: 60 points to its left, on the display under it.
    EXPECT_EQ(controller.computeTopLeftPoint({ 2000, 1070 }), ui::Point(1940, 1050));
    controller.repositionMainWindowAccordingToSettingsWithHint({ 2000, 1000 });
    EXPECT_EQ(topLeft(), ui::Point(1940, 1000));
}

TEST_F(MainWindowControllerTest, MovesAreStoredOnceLaunchingHasFinished)
{
    auto& controller = mainWindow();
    EXPECT_TRUE(controller.ignoreMovementUpdates());
    window().setFrameOrigin({ 200, 150 });
    EXPECT_EQ(store().real("topLeftX"), -1.0);
    controller.setIgnoreMovementUpdates(false);
    window().setFrameOrigin({ 210, 160 });
    EXPECT_EQ(store().real("topLeftX"), 210.0);
    EXPECT_EQ(store().real("topLeftY"), 160.0 + window().frame().height());
    // Whole points, whatever the display's scale made of the place; fractions of older
    // settings are read rounded.
    window().setFrameOrigin({ 210.4, 160.5 });
    EXPECT_EQ(store().real("topLeftX"), 210.0);
    EXPECT_EQ(store().real("topLeftY"), std::round(160.5 + window().frame().height()));
    EXPECT_EQ(MainWindowPlacement::storedTopLeft(409.25, 717.2099609375, true), ui::Point(409, 717));
}

TEST_F(MainWindowControllerTest, MovesBeforeTheFirstPlacementAreNotStored)
{
    // The shell hears launching end before the first screen shows: the window's fitting and
    // placing are the program's own, and a first start stored where the fitting had left the
    // window instead of centring it.
    auto main = MainWindow::makeMainWindow(*m_model);
    main->controller()->setIgnoreMovementUpdates(false);
    main->window().makeKeyAndOrderFront();
    main->controller()->showState(m_screen);
    EXPECT_EQ(store().real("topLeftX"), -1.0);
    EXPECT_EQ(store().real("topLeftY"), -1.0);
    ui::Rect frame = main->window().frame();
    EXPECT_EQ(ui::Point(frame.minX(), frame.maxY()), main->controller()->defaultPosition());
    main->window().setFrameOrigin({ 210, 160 });
    EXPECT_EQ(store().real("topLeftX"), 210.0) << "the user's moves are";
}

TEST_F(MainWindowControllerTest, AWindowWidenedPastItsDisplayMovesBackLeft)
{
    mainWindow();
    ui::Rect visible = ui::Screen::main()->visibleFrame;
    window().setFrame(ui::Rect(visible.maxX() - 300, 100, 440, 500));
    EXPECT_EQ(window().frame().maxX(), visible.maxX());

    // Maximized by the window manager, whose new size can come before the new place: the
    // window is left to it, still maximized, rather than moved back (which gives back its size).
    window().orderFront();
    window().platformDidZoom(true);
    window().platformDidResize({ visible.width(), visible.height() });
    EXPECT_TRUE(window().isZoomed());
    EXPECT_EQ(window().frame().minX(), visible.maxX() - 440);
}

// On a 1280 × 800 display under a window manager with a 20-point title bar: a screen that
// grows (a wizard's long choice, the break preparation) moves the window up; one taller than
// the display scrolls between the title and the buttons, which stay in reach.
TEST_F(MainWindowControllerTest, AGrowingScreenMovesTheWindowUpAndATallOneScrolls)
{
    backend().setScreens({ { ui::Rect(0, 0, 1280, 800), ui::Rect(0, 0, 1280, 800), "small", 1 } });
    backend().setFrameExtents(ui::EdgeInsets { 20, 1, 5, 1 });
    auto& controller = mainWindow();
    controller.showState(m_screen);
    window().layoutIfNeeded();
    window().setFrameTopLeftPoint({ 420, 800 - 256 });
    auto inReach = [this] {
        ui::Rect frame = window().frame();
        return frame.maxY() + 20 <= 800 && frame.minY() - 5 >= 0 && frame.minX() >= 1;
    };

    FakeScreen longer(620);
    controller.showState(longer);
    window().layoutIfNeeded();
    EXPECT_TRUE(inReach());
    EXPECT_EQ(window().frame().size, window().contentMinSize()) << "shown whole";
    EXPECT_TRUE(controller.infoScrollView()->verticalScroller()->isHidden());

    FakeScreen tallest(1200);
    controller.showState(tallest);
    window().layoutIfNeeded();
    EXPECT_TRUE(inReach());
    EXPECT_EQ(window().frame().height(), 775);
    ui::Rect buttons = controller.buttonWallContainer()->convertRectTo(controller.buttonWallContainer()->bounds(), nullptr);
    EXPECT_GE(buttons.minY(), 0) << "the buttons show";
    auto& scroll = *controller.infoScrollView();
    EXPECT_FALSE(scroll.verticalScroller()->isHidden());
    EXPECT_EQ(tallest.m_info->frame().height(), 1200) << "the screen keeps its own layout";
    // The container counts up from its bottom.
    EXPECT_EQ(scroll.documentVisibleRect().maxY(), 1200) << "from the top";
    scroll.scrollToBottom();
    EXPECT_EQ(scroll.documentVisibleRect().minY(), 0);

    controller.showState(m_screen);
    window().layoutIfNeeded();
    EXPECT_EQ(window().frame().size, window().contentMinSize()) << "compressed back to a screen that fits";
    EXPECT_TRUE(scroll.verticalScroller()->isHidden());
    EXPECT_EQ(window().frame().maxY(), 800 - 256) << "pushed up, it comes back where it was left";

    // Moved by the user while pushed up, it stays where it was moved to.
    controller.showState(longer);
    window().layoutIfNeeded();
    window().setFrameOrigin({ 400, window().frame().minY() + 30 });
    double moved = window().frame().maxY();
    controller.showState(m_screen);
    window().layoutIfNeeded();
    EXPECT_EQ(window().frame().maxY(), moved);
}

TEST_F(MainWindowControllerTest, TheCommandButtonNamesItsShortcutAndRunsThePopUp)
{
    m_model->showCommandPopOverCombo->setValue(std::nullopt);
    auto& controller = mainWindow();
    EXPECT_EQ(controller.commandButton()->toolTip(), "Bring up the command interface (no keyboard shorcut set)");
    m_model->showCommandPopOverCombo->setValue(KeyCombo(15, 0x1000));
    EXPECT_EQ(controller.commandButton()->toolTip(), "Press Super+R to bring up the command interface");

    controller.commandButton()->performClick();
    ui::Button* ran = nullptr;
    MainWindowHooks::shared().runCommandPopUp = [&](ui::Button& button) { ran = &button; };
    controller.commandButton()->performClick();
    EXPECT_EQ(ran, controller.commandButton().get());
}

TEST_F(MainWindowControllerTest, ClosingHidesTheProgramAndFullScreenZooms)
{
    mainWindow();
    window().performClose();
    EXPECT_TRUE(ui::Application::shared()->isHidden());
    ui::Application::shared()->unhide();
    m_mainWindow->toggleFullScreen();
    EXPECT_TRUE(window().isZoomed());
    EXPECT_TRUE(window().tryToPerform("toggleFullScreen:")) << "the command reaches it along the chain";
    EXPECT_FALSE(window().isZoomed());
}

TEST_F(MainWindowControllerTest, ShowingAScreenPutsItsWallsInAndFocusesIt)
{
    auto& controller = mainWindow();
    FakeScreen next(300);
    controller.showState(next);
    EXPECT_EQ(next.m_info->superview(), controller.infoWallContainer().get());
    EXPECT_EQ(next.m_buttons->superview(), controller.buttonWallContainer().get());
    EXPECT_EQ(m_screen.m_info->superview(), nullptr) << "the screen before is gone";
    window().layoutIfNeeded();
    EXPECT_EQ(next.m_info->frame().size.height, 300.0);
}

// Counts how often the window draws it.
class DrawCounter : public ui::View {
public:
    DrawCounter() : ui::View(ui::Rect(0, 0, 10, 10)) { }
    void draw(gfx::GraphicsContext&, const ui::Rect&) override { ++draws; }
    int draws { 0 };
};

TEST_F(MainWindowControllerTest, FittedBeforeItShowsTheWindowIsDrawnOnceAsItShows)
{
    auto counter = std::make_shared<DrawCounter>();
    m_screen.m_info->addSubview(counter);
    m_mainWindow = MainWindow::makeMainWindow(*m_model);
    auto& shown = m_mainWindow->window();
    m_mainWindow->controller()->showState(m_screen);
    EXPECT_EQ(counter->draws, 0) << "drawn while fitted and compressed off the screen";
    ui::Size fitted = shown.frame().size;
    EXPECT_GE(fitted.height, 200.0) << "fitted to the screen's walls all the same";

    shown.makeKeyAndOrderFront();
    EXPECT_EQ(counter->draws, 1);
    EXPECT_EQ(shown.frame().size, fitted);

    // On the screen, a fit that grows it draws it at once.
    FakeScreen taller(fitted.height + 100);
    taller.m_info->addSubview(counter);
    m_mainWindow->controller()->showState(taller);
    EXPECT_GT(shown.frame().height(), fitted.height);
    EXPECT_GT(counter->draws, 1);
}

TEST_F(MainWindowControllerTest, AnUntouchedPadColourKeepsTheStandardIcon)
{
    EXPECT_FALSE(PadIcons::customTint(PadTable::kScratch)) << "the registered colour is untouched";
    store().set("scratchPadBackgroundColor", gfx::archiveColor(gfx::Color::rgb(0.929994, 0.863978, 1.0)));
    EXPECT_FALSE(PadIcons::customTint(PadTable::kScratch)) << "stored, but the registered one";
    store().set("scratchPadBackgroundColor", gfx::archiveColor(gfx::Color::rgb(0.3, 0.1, 0.1)));
    auto tint = PadIcons::customTint(PadTable::kScratch);
    ASSERT_TRUE(tint);
    EXPECT_NEAR(tint->saturation(), std::max(gfx::Color::rgb(0.3, 0.1, 0.1).saturation(), 0.5), 1e-6);
    EXPECT_NEAR(tint->brightness(), 0.5, 1e-6);
    EXPECT_FALSE(PadIcons::customTint(PadTable::kLogBook));
}

TEST_F(MainWindowControllerTest, LaterPadsComeThroughTheirHooks)
{
    std::string page;
    MainWindowHooks::shared().showHelpPage = [&](const std::string& name) { page = name; };
    auto stats = NiblessViewController::create([] { });
    MainWindowHooks::shared().makeStatsController = [&] { return stats; };
    auto& controller = mainWindow();
    EXPECT_EQ(controller.statsController(), stats);
    EXPECT_NE(controller.helpController(), nullptr);
    controller.nowPadController()->helpButton()->performClick();
    EXPECT_EQ(page, "fast_type_syntax.html");
}

TEST_F(MainWindowControllerTest, AnOpenPadShowsItsColour)
{
    mainWindow().showPad("nowPadHidden");
    window().display();
    // The Now pad's page, well inside its background.
    ui::Rect pad = mainWindow().nowPadController()->view()->frame();
    auto pixel = window().pixelAt(MainWindowController::kLeftColumnWidth + pad.width() / 2, window().frame().height() - 60);
    EXPECT_NEAR(pixel.blue, 0.8, 0.05);
    EXPECT_NEAR(pixel.red, 1.0, 0.05);
}

}
