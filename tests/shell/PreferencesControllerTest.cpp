#include "tests/shell/PreferencesFixture.h"

#include "shell/HelpHooks.h"
#include "shell/MainController.h"
#include "shell/SmartAppDelegate.h"
#include "core/SettingsArchive.h"
#include "viewkit/SettingsBinding.h"

#include "platform/base/KeyCodes.h"
#include "platform/gfx/Archive.h"
#include "platform/ui/Button.h"
#include "platform/ui/Event.h"
#include "platform/ui/FontPanel.h"
#include "platform/ui/PopUpButton.h"
#include "platform/ui/TabView.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Toolbar.h"
#include "platform/ui/Window.h"

#include <algorithm>

namespace ostrel::test {
namespace {

std::size_t rowOf(const std::string& popUpButton) { return preferencesSoundRowNamed(popUpButton); }

std::string selectedTabIdentifier(ui::TabView& tabs)
{
    auto* item = tabs.selectedItem();
    auto* identifier = item ? std::any_cast<std::string>(&item->identifier()) : nullptr;
    return identifier ? *identifier : std::string();
}

class QuitWatcher final : public SmartAppDelegate {
public:
    static std::shared_ptr<QuitWatcher> create() { return make<QuitWatcher>(); }
};

TEST_F(PreferencesTest, RunSetsUpAndRestores)
{
    settings->set("mute", true);
    settings->set("continuousSoundOn", true);
    hotKeys->registerAllHotKeys();
    ASSERT_EQ(desktopHotKeys->registered().size(), 4u);
    auto& noise = WhiteNoiseMachine::continuousSoundMachine();
    noise.playSubjectToSettings();
    settings->set("mute", true);
    int earlierReceiverHeard = 0;
    ui::FontPanel::shared().setPicked([&](const gfx::Font&) { ++earlierReceiverHeard; });
    auto controller = makeController();

    bool ran = false;
    runWhile(*controller, [&] {
        ran = true;
        EXPECT_TRUE(controller->window().isVisible());
        EXPECT_FALSE(SoundManager::sharedManager().allSoundsAreMuted()) << "previews must be heard";
        EXPECT_TRUE(controller->allSoundsWereMutedAtStart());
        EXPECT_TRUE(desktopHotKeys->registered().empty()) << "the recorders may take any combination";
        EXPECT_FALSE(noise.isPlaying());
        takeStartedSounds();

        settings->set("endSoundVolume", 0.5);
        settings->set("countDownSound", "clock2");
        settings->set("soundReminderVolume", 0.25);
        EXPECT_EQ(takeStartedSounds().size(), 2u) << "each volume change plays its row's sound";
        EXPECT_EQ(sink->events().back().volume, 0.25f);

        settings->set("continuousSoundVolume", 0.75);
        auto sample = sink->events().back();
        EXPECT_FALSE(sample.loop) << "the continuous row previews a sample, not the loop";

        std::size_t before = sink->events().size();
        settings->set("speechReminderVolume", 0.5);
        bool spoke = std::any_of(sink->events().begin() + static_cast<std::ptrdiff_t>(before), sink->events().end(),
            [](const media::VoiceEvent& event) { return event.label.find("Hello.") != std::string::npos; });
        EXPECT_TRUE(spoke);

        controller->chooseDefaultFont();
        ui::FontPanel::shared().pickSize(17);
        EXPECT_EQ(padDefaultFont(*settings).pointSize, 17) << "the font panel reports to the window";
    });
    ASSERT_TRUE(ran);
    EXPECT_TRUE(SoundManager::sharedManager().allSoundsAreMuted());
    EXPECT_EQ(desktopHotKeys->registered().size(), 4u);
    EXPECT_FALSE(controller->window().isVisible());
    ui::FontPanel::shared().pickSize(19);
    EXPECT_EQ(earlierReceiverHeard, 1) << "and to whom it reported before, once the window is closed";
    EXPECT_EQ(padDefaultFont(*settings).pointSize, 17);
    ui::FontPanel::shared().close();
    ui::FontPanel::shared().setPicked({});

    settings->set("mute", false);
    noise.playSubjectToSettings();
    EXPECT_TRUE(noise.isPlaying()) << "the machine is free again";
    takeStartedSounds();
    settings->set("endSoundVolume", 1.0);
    EXPECT_TRUE(takeStartedSounds().empty()) << "no previews once the window is closed";
}

TEST_F(PreferencesTest, RunRestoresWhenTheProgramIsToldToQuit)
{
    settings->set("mute", true);
    auto watcher = QuitWatcher::create();
    installHelpHooks(watcher.get());
    std::optional<bool> mutedAtQuit;
    watcher->willTerminateCallbackList.push_back(
        [&](SmartAppDelegate&, const ui::Notification&) { mutedAtQuit = SoundManager::sharedManager().allSoundsAreMuted(); });
    ui::Application::shared()->setDelegate(watcher.get());

    auto controller = makeController();
    base::RunLoop::main().post([] { ui::Application::shared()->terminate(); });
    controller->run();

    ASSERT_TRUE(mutedAtQuit.has_value());
    EXPECT_TRUE(*mutedAtQuit) << "the user's choice is back before the program ends";
    EXPECT_TRUE(SoundManager::sharedManager().allSoundsAreMuted());
    EXPECT_EQ(settings->object("mute"), std::optional(base::Value(true)));
    ui::Application::shared()->setDelegate(nullptr);
    // The stop the quit asked of the loop is spent here, not in the next case.
    base::RunLoop::main().runUntil(base::Time::now());
}

TEST_F(PreferencesTest, StoredNamesAndDevicesMissingFromTheListsSelectNothingAndStay)
{
    settings->set("endSound", "no_such_sound");
    settings->set("soundOutputDevice", "unplugged-device");
    settings->set("countDownSound", "clock2");
    auto controller = makeController();
    runWhile(*controller, [&] {
        EXPECT_EQ(controller->soundPopUpButton(rowOf("endSoundPopUpButton"))->indexOfSelectedItem(), -1);
        EXPECT_EQ(controller->soundOutputDevicePopUpButton()->indexOfSelectedItem(), -1);
        auto& reminders = SoundManager::sharedManager().reminderSoundsPrivateNames();
        auto clock2 = std::find(reminders.begin(), reminders.end(), "clock2") - reminders.begin();
        EXPECT_EQ(controller->soundPopUpButton(rowOf("soundPopUpButton"))->indexOfSelectedItem(), clock2);
    });
    EXPECT_EQ(settings->string("endSound"), "no_such_sound");
    EXPECT_EQ(settings->string("soundOutputDevice"), "unplugged-device");
}

TEST_F(PreferencesTest, ChoosingASoundStoresItsPrivateNameAndPlaysIt)
{
    auto controller = makeController();
    runWhile(*controller, [&] {
        auto* popUp = controller->soundPopUpButton(rowOf("breakEndSoundPopUpButton"));
        const auto& names = SoundManager::sharedManager().endSoundsPrivateNames();
        auto gong = std::find(names.begin(), names.end(), "gong") - names.begin();
        takeStartedSounds();
        popUp->selectItemAt(static_cast<int>(gong));
        ASSERT_TRUE(popUp->onAction);
        popUp->onAction();
        EXPECT_EQ(settings->string("breakEndSound"), "gong");
        auto started = takeStartedSounds();
        ASSERT_FALSE(started.empty());
        EXPECT_NE(started.back().find("gong"), std::string::npos) << started.back();

        controller->soundOutputDevicePopUpButton()->selectItemAt(0);
        controller->soundOutputDevicePopUpButton()->onAction();
        EXPECT_EQ(settings->string("soundOutputDevice"), SoundManager::kDefaultOutputDeviceUID);
        EXPECT_EQ(takeStartedSounds().size(), 1u) << "the count-down sound, on the chosen device";
    });
}

TEST_F(PreferencesTest, TheNotificationTableHasTwoTallUnselectableGroupRows)
{
    auto controller = makeController();
    controller->window();
    auto& table = *controller->notificationTable();
    ASSERT_EQ(controller->numberOfRows(table), 11);
    EXPECT_EQ(controller->objectValueForRow(0), "Time Slice");
    EXPECT_EQ(controller->objectValueForRow(7), "Timed Break");
    EXPECT_EQ(controller->objectValueForRow(3), " will elapse soon");
    for (int row = 0; row < 11; ++row) {
        bool group = row == 0 || row == 7;
        EXPECT_EQ(controller->isGroupRow(table, row), group) << row;
        EXPECT_EQ(controller->heightOfRow(table, row), group ? 21 : 19) << row;
        EXPECT_EQ(controller->shouldSelectRow(table, row), !group) << row;
        EXPECT_FALSE(controller->shouldEditTableColumn(row));
    }
    table.selectRow(7);
    EXPECT_EQ(table.selectedRow(), 1) << "the registered row stays chosen";
    auto& backend = static_cast<ui::OffscreenBackend&>(ui::Application::shared()->backend());
    controller->window().orderFront();
    ui::Rect elapsed = table.convertRectTo(table.rectOfRow(4), nullptr);
    backend.click(controller->window(), { elapsed.midX(), controller->window().frame().height() - elapsed.midY() });
    EXPECT_EQ(table.selectedRow(), 4) << "a click chooses the event";
    EXPECT_EQ(settings->integer("notificationPreferencesTableIndex"), 4);
    table.selectRow(8);
    EXPECT_EQ(settings->integer("notificationPreferencesTableIndex"), 8);
}

TEST_F(PreferencesTest, ANegativeStoredTableIndexSelectsNothing)
{
    settings->set("notificationPreferencesTableIndex", -3);
    auto controller = makeController();
    controller->window();
    auto& table = *controller->notificationTable();
    EXPECT_EQ(table.selectedRow(), -1);
    EXPECT_EQ(settings->integer("notificationPreferencesTableIndex"), -3) << "the damaged value is left for the user to mend";
    settings->set("notificationPreferencesTableIndex", 4);
    EXPECT_EQ(table.selectedRow(), 4);
    auto* shown = controller->notificationDetailTabView()->selectedItem();
    ASSERT_TRUE(shown);
    EXPECT_EQ(std::any_cast<int>(shown->identifier()), 4);
}

TEST_F(PreferencesTest, DamagedFontAndColourSettingsPreviewTheRegisteredOnes)
{
    settings->set("textColor", "not a colour");
    settings->set("defaultFont", base::Value(42));
    auto controller = makeController();
    runWhile(*controller, [&] {
        auto* preview = controller->fontPreviewTextView();
        EXPECT_EQ(preview->stringValue(), "Helvetica 12 pt");
        EXPECT_EQ(preview->textColor(), gfx::colors::black);
        EXPECT_TRUE(loggedLineContaining("text color could not be deserialized"));

        settings->set("textColor", gfx::archiveColor(gfx::Color::rgb(0.2, 0.4, 0.6)));
        EXPECT_EQ(preview->textColor(), gfx::Color::rgb(0.2, 0.4, 0.6)) << "the preview follows the colour";
        controller->changeFont(gfx::Font::named("Courier", 15));
        EXPECT_EQ(preview->stringValue(), "Courier 15 pt");
        controller->resetFonts();
        EXPECT_EQ(preview->stringValue(), "Helvetica 12 pt");
        controller->resetColors();
        EXPECT_FALSE(settings->hasStoredValue("textColor"));
        EXPECT_EQ(preview->textColor(), gfx::colors::black);
    });
}

TEST_F(PreferencesTest, PanesSwitchAndTheUpdatePaneJoinsTheToolbarOnce)
{
    settings->set("preferencesTabViewItemIdentifier", "no such pane");
    auto controller = makeController();
    controller->window();
    auto& toolbar = *controller->toolbar();
    EXPECT_EQ(selectedTabIdentifier(*controller->tabView()), "Notifications") << "a damaged pane name shows the first pane";
    EXPECT_FALSE(toolbar.itemWithIdentifier(PreferencesController::kSoftwareUpdatePane));
    runWhile(*controller, [&] {
        auto count = std::count_if(toolbar.items().begin(), toolbar.items().end(),
            [](const auto& item) { return item->itemIdentifier() == PreferencesController::kSoftwareUpdatePane; });
        EXPECT_EQ(count, 1);
        EXPECT_EQ(toolbar.items()[toolbar.items().size() - 2]->itemIdentifier(), PreferencesController::kSoftwareUpdatePane);
        EXPECT_TRUE(toolbar.performClick("Shortcuts"));
        EXPECT_EQ(settings->string("preferencesTabViewItemIdentifier"), "Shortcuts");
        EXPECT_EQ(toolbar.selectedItemIdentifier(), "Shortcuts");
        EXPECT_EQ(selectedTabIdentifier(*controller->tabView()), "Shortcuts");
    });
    runWhile(*controller, [&] {
        auto count = std::count_if(toolbar.items().begin(), toolbar.items().end(),
            [](const auto& item) { return item->itemIdentifier() == PreferencesController::kSoftwareUpdatePane; });
        EXPECT_EQ(count, 1) << "a second run adds no second update item";
        EXPECT_EQ(selectedTabIdentifier(*controller->tabView()), "Shortcuts") << "the window opens on the last pane";
    });
}

TEST_F(PreferencesTest, AskedAgainWhileOpenTheWindowComesForwardOnTheAskedPane)
{
    auto main = MainController::create();
    auto controller = makeController();
    runWhile(*controller, [&] {
        EXPECT_EQ(PreferencesController::running(), controller);
        main->tryToPerform("showPreferencesDialogWithDistractionPanePreselected:");
        EXPECT_EQ(ui::Application::shared()->modalWindow(), &controller->window()) << "no second window runs";
        EXPECT_EQ(selectedTabIdentifier(*controller->tabView()), "Distractions");
        EXPECT_EQ(controller->toolbar()->selectedItemIdentifier(), "Distractions");
    });
    EXPECT_FALSE(PreferencesController::running());
}

TEST_F(PreferencesTest, ReturnClosesTheWindow)
{
    auto controller = makeController();
    bool closedByReturn = false;
    base::RunLoop::main().post([&] {
        auto& window = controller->window();
        window.makeFirstResponder(nullptr);
        window.keyDown(ui::Event::key(ui::Event::Type::KeyDown, &window, static_cast<std::uint16_t>(base::KeyCode::Return), "\r"));
        closedByReturn = true;
    });
    controller->run();
    EXPECT_TRUE(closedByReturn);
    EXPECT_FALSE(controller->window().isVisible());
}

TEST_F(PreferencesTest, EscapeClosesTheWindow)
{
    auto controller = makeController();
    bool sent = false;
    base::RunLoop::main().post([&] {
        auto& window = controller->window();
        window.makeFirstResponder(nullptr);
        auto escape = [&window](std::uint32_t modifiers) {
            window.keyDown(ui::Event::key(ui::Event::Type::KeyDown, &window, static_cast<std::uint16_t>(base::KeyCode::Escape),
                "\x1b", modifiers));
        };
        escape(ui::ModifierFlag::Shift);
        EXPECT_TRUE(window.isVisible()) << "Shift+Escape is no close";
        escape(0);
        sent = true;
    });
    controller->run();
    EXPECT_TRUE(sent);
    EXPECT_FALSE(controller->window().isVisible());
    EXPECT_FALSE(PreferencesController::running());
}

TEST_F(PreferencesTest, MenusAndPanelsWorkWhileTheWindowRunsAndOrdinaryWindowsWait)
{
    auto& backend = static_cast<ui::OffscreenBackend&>(ui::Application::shared()->backend());
    auto windowWithButton = [](int level, int& presses) {
        auto window = ui::Window::create(ui::Rect(600, 300, 120, 60));
        window->setLevel(level);
        auto button = ui::Button::create("Press");
        button->setFrame(ui::Rect(10, 10, 100, 30));
        button->onAction = [&presses] { ++presses; };
        auto content = ui::View::create(ui::Rect(0, 0, 120, 60));
        content->addSubview(button);
        window->setContentView(content);
        window->orderFront();
        return window;
    };
    int panelPresses = 0;
    int ordinaryPresses = 0;
    auto controller = makeController();
    runWhile(*controller, [&] {
        auto panel = windowWithButton(ui::WindowLevel::Floating, panelPresses);
        auto ordinary = windowWithButton(ui::WindowLevel::Normal, ordinaryPresses);
        backend.click(*panel, { 60, 25 });
        backend.click(*ordinary, { 60, 25 });
    });
    EXPECT_EQ(panelPresses, 1) << "a panel the window opens (fonts, colours, a pop-up's menu) takes clicks";
    EXPECT_EQ(ordinaryPresses, 0) << "the main window waits until the preferences are closed";
}

TEST_F(PreferencesTest, TheDocklessCheckBoxSwitchesAsTheMenusDoAskingAndQuitting)
{
    auto controller = makeController();
    controller->window();
    auto* box = controller->docklessCheckbox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->state(), ui::ControlStateValue::Off);

    answers = { { 1, false } };
    box->performClick();
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].message, "Run Ostrel as a dockless application with no main menu and no dock tile?");
    EXPECT_FALSE(settings->boolean("dockless")) << "\"Cancel\" changes nothing";
    EXPECT_EQ(box->state(), ui::ControlStateValue::Off) << "the box shows the stored mode";
    EXPECT_FALSE(ui::Application::shared()->isTerminating());

    box->performClick();
    ASSERT_EQ(alerts.size(), 3u);
    EXPECT_EQ(alerts[2].message, "Setting changed.");
    EXPECT_TRUE(settings->boolean("dockless"));
    EXPECT_EQ(box->state(), ui::ControlStateValue::On);
    EXPECT_TRUE(ui::Application::shared()->isTerminating());
}

TEST_F(PreferencesTest, EveryChoiceOfTheWindowIsBoundToItsKey)
{
    auto controller = makeController();
    // Every view of the window, those of the pages not shown included.
    std::vector<ui::View*> views;
    std::vector<ui::View*> roots { controller->window().contentView() };
    while (!roots.empty()) {
        ui::View* root = roots.back();
        roots.pop_back();
        for (ui::View* view : root->subtree()) {
            views.push_back(view);
            if (auto* tabs = dynamic_cast<ui::TabView*>(view))
                for (const auto& item : tabs->items())
                    if (item.get() != tabs->selectedItem())
                        roots.push_back(item->view());
        }
    }
    // A sample of keys from every pane: each has a control that shows its stored value.
    for (const char* key : { "warning5MinutesOn", "growlReminderSticky", "speechBreakStartOn", "dimBeforeEndOfTimedBreak",
             "clickMovesWindowBelowIcon", "automaticallyBringDefineTimeSliceToFrontAfterLunch", "smartDashes",
             "thingsIntegrationMoveToLogBook", "SUEnableAutomaticChecks", "automaticallyCloseAllFinderWindows", "whiteColor" }) {
        bool found = std::any_of(views.begin(), views.end(), [key](ui::View* view) {
            return SettingsBinding::boundKey(*view, BindingName::value) == std::optional<std::string>(key);
        });
        EXPECT_TRUE(found) << key;
    }
}

}
}
