// The hot-key recorder: what a session accepts, refuses with a beep and ends with, the buttons
// of each state, a disabled recorder, and its binding to a hot-key setting.
#include "command/KeyComboRecorderView.h"
#include "command/KeyComboRecorderViewBinding.h"
#include "core/DataModel.h"
#include "viewkit/PushButtonBrick.h"

#include "platform/base/Defaults.h"
#include "platform/base/KeyCodes.h"
#include "platform/base/RunLoop.h"
#include "platform/base/VirtualTime.h"
#include "platform/ui/Application.h"
#include "platform/ui/Beep.h"
#include "platform/ui/ControlLook.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/OffscreenBackend.h"
#include "tests/support/DrawnContrast.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace ostrel::test {

namespace {

using Code = base::KeyCode;
using State = RecorderState;
namespace Flag = ui::ModifierFlag;

class RecorderTest : public testing::Test {
protected:
    RecorderTest()
    {
        auto backend = std::make_unique<ui::OffscreenBackend>();
        m_backend = backend.get();
        m_app = ui::Application::create(std::move(backend));
        m_app->activate();
        window = ui::Window::create(ui::Rect(200, 200, 300, 80));
        auto wall = Wall::create();
        window->setContentView(wall);
        recorder = KeyComboRecorderView::create({}, ui::ControlSize::Regular);
        wall->addSubview(recorder);
        recorder->setTranslatesAutoresizingMaskIntoConstraints(true);
        recorder->setFrame(ui::Rect(40, 29, 220, 22));
        window->makeKeyAndOrderFront();
        window->layoutIfNeeded();
        other = ui::Window::create(ui::Rect(600, 200, 300, 80));
        other->orderFront();
    }
    ~RecorderTest() override
    {
        base::RunLoop::main().discardAll();
        recorder.reset();
        window.reset();
        other.reset();
        m_app.reset();
    }

    void press(Code code, std::uint32_t flags = 0, const std::string& characters = {})
    {
        m_backend->press(*window, static_cast<std::uint16_t>(code), characters, flags);
    }
    void modifiers(std::uint32_t flags)
    {
        m_backend->send(ui::Event::key(ui::Event::Type::FlagsChanged, window.get(), 0, {}, flags));
    }
    // A click at the middle of one of the recorder's parts, in its window.
    void clickOn(ui::View& part)
    {
        window->layoutIfNeeded();
        ui::Rect inWindow = part.convertRectTo(part.bounds(), nullptr);
        m_backend->click(*window, { inWindow.midX(), window->frame().height() - inWindow.midY() });
    }
    std::optional<KeyCombo> recorded(Code code, std::uint32_t flags)
    {
        recorder->startRecordingSession();
        press(code, flags);
        return recorder->keyCombo();
    }
    bool undoShown() { return !recorder->undoButtonBrick()->isHidden(); }
    bool clearShown() { return !recorder->deleteButtonBrick()->isHidden(); }

    base::VirtualTime clock;
    std::unique_ptr<ui::Application> m_app;
    ui::OffscreenBackend* m_backend { nullptr };
    std::shared_ptr<ui::Window> window;
    std::shared_ptr<ui::Window> other;
    std::shared_ptr<KeyComboRecorderView> recorder;
};

const KeyCombo kControlR { 15, 0x1000 };

}

TEST_F(RecorderTest, AcceptsCombinationsWithCommandControlOrOptionAndFunctionKeysAlone)
{
    EXPECT_EQ(recorded(Code::S, Flag::Control), KeyCombo(1, 0x1000));
    EXPECT_EQ(recorded(Code::N, Flag::Option | Flag::Command), KeyCombo(45, 0x900));
    EXPECT_EQ(recorded(Code::F5, 0), KeyCombo(0x60, 0));
    EXPECT_EQ(recorder->recorderState(), State::notRecordingPreviousShortcutExists);
    EXPECT_FALSE(recorder->isRecording()->value());
    EXPECT_EQ(recorder->title(), KeyCombo(0x60, 0).description());
}

TEST_F(RecorderTest, RefusedKeysBeepAndTheSessionGoesOn)
{
    recorder->setKeyCombo(kControlR);
    recorder->startRecordingSession();
    int beeps = ui::beepCount();
    press(Code::S);
    press(Code::S, Flag::Shift);
    press(Code::Escape, Flag::Shift);
    // A key the program has no name for.
    m_backend->press(*window, 0x0A, "", Flag::Command);
    EXPECT_EQ(ui::beepCount(), beeps + 4);
    EXPECT_TRUE(recorder->isRecording()->value());
    EXPECT_EQ(recorder->keyCombo(), kControlR);
    press(Code::K, Flag::Control | Flag::Option);
    EXPECT_EQ(recorder->keyCombo(), KeyCombo(0x28, 0x1800));
    EXPECT_EQ(ui::beepCount(), beeps + 4);
}

TEST_F(RecorderTest, ACombinationOfTheMainMenuIsRefusedAndTheClientHasTheLastWord)
{
    auto menu = ui::Menu::create();
    auto quit = ui::MenuItem::create("Quit Ostrel", {}, "q");
    quit->setKeyEquivalentModifierMask(Flag::Command);
    menu->addItem(quit);
    m_app->setMainMenu(menu);
    int beeps = ui::beepCount();
    EXPECT_FALSE(recorded(Code::Q, Flag::Command));
    EXPECT_EQ(ui::beepCount(), beeps + 1);
    EXPECT_EQ(recorder->recorderState(), State::recordingNoKeyPressedPreviousShortcutDoesNotExist);

    recorder->keyComboValidClientHandler = [](const KeyCombo& combo) { return combo.carbonKeyCode != 0x28; };
    press(Code::K, Flag::Command);
    EXPECT_EQ(ui::beepCount(), beeps + 2);
    press(Code::J, Flag::Command);
    EXPECT_EQ(recorder->keyCombo(), KeyCombo(0x26, 0x100));
}

TEST_F(RecorderTest, ButtonsAndTitlesFollowTheState)
{
    EXPECT_EQ(recorder->recorderState(), State::notRecordingPreviousShortcutDoesNotExist);
    EXPECT_EQ(recorder->title(), "Click to Record Shortcut");
    EXPECT_FALSE(undoShown());
    EXPECT_FALSE(clearShown());

    recorder->startRecordingSession();
    EXPECT_EQ(recorder->recorderState(), State::recordingNoKeyPressedPreviousShortcutDoesNotExist);
    EXPECT_EQ(recorder->title(), "Type Shortcut");
    EXPECT_FALSE(undoShown());
    EXPECT_TRUE(clearShown());

    modifiers(Flag::Control | Flag::Shift);
    EXPECT_EQ(recorder->recorderState(), State::recordingModifiersDownWaitingForKeyPress);
    EXPECT_EQ(recorder->title(), modifierSymbols(EventModifier::control | EventModifier::shift));
    EXPECT_TRUE(undoShown());
    EXPECT_FALSE(clearShown());
    modifiers(0);
    EXPECT_EQ(recorder->recorderState(), State::recordingNoKeyPressedPreviousShortcutDoesNotExist);

    press(Code::R, Flag::Control);
    EXPECT_EQ(recorder->recorderState(), State::notRecordingPreviousShortcutExists);
    EXPECT_EQ(recorder->title(), kControlR.description());
    EXPECT_FALSE(undoShown());
    EXPECT_TRUE(clearShown());

    recorder->startRecordingSession();
    EXPECT_EQ(recorder->recorderState(), State::recordingNoKeyPressedPreviousShortcutExists);
    EXPECT_EQ(recorder->title(), "Type New Shortcut");
    EXPECT_TRUE(undoShown());
    EXPECT_TRUE(clearShown());
}

TEST_F(RecorderTest, CancellingKeepsTheCombinationAndOnlyClearRemovesIt)
{
    std::vector<std::optional<KeyCombo>> told;
    recorder->keyComboChangeClientHandler = [&](const std::optional<KeyCombo>& combo) { told.push_back(combo); };
    recorder->setKeyCombo(kControlR);

    recorder->startRecordingSession();
    press(Code::Escape);
    EXPECT_FALSE(recorder->isRecording()->value()) << "Escape";
    EXPECT_EQ(recorder->keyCombo(), kControlR) << "Escape";

    recorder->startRecordingSession();
    clickOn(*recorder->undoButtonBrick());
    EXPECT_EQ(recorder->keyCombo(), kControlR) << "undo";

    recorder->startRecordingSession();
    clickOn(*recorder->keyComboButtonBrick());
    EXPECT_FALSE(recorder->isRecording()->value()) << "a click on the box during a session";
    EXPECT_EQ(recorder->keyCombo(), kControlR);

    recorder->startRecordingSession();
    recorder->startRecordingSession();
    EXPECT_FALSE(recorder->isRecording()->value()) << "a second press of the box";
    EXPECT_EQ(recorder->keyCombo(), kControlR);

    recorder->startRecordingSession();
    other->makeKeyWindow();
    EXPECT_FALSE(recorder->isRecording()->value()) << "the window lost the keyboard";
    EXPECT_EQ(recorder->keyCombo(), kControlR);
    window->makeKeyWindow();

    recorder->startRecordingSession();
    clickOn(*recorder->deleteButtonBrick());
    EXPECT_FALSE(recorder->isRecording()->value());
    EXPECT_EQ(recorder->keyCombo(), std::nullopt);
    EXPECT_EQ(recorder->recorderState(), State::notRecordingPreviousShortcutDoesNotExist);
    ASSERT_EQ(told.size(), 6u);
    EXPECT_EQ(told[4], kControlR);
    EXPECT_EQ(told[5], std::nullopt);

    // Backspace clears too: in a session, and on the box while it has the keyboard.
    recorder->setKeyCombo(kControlR);
    recorder->startRecordingSession();
    press(Code::Delete);
    EXPECT_FALSE(recorder->isRecording()->value()) << "Backspace in a session";
    EXPECT_EQ(recorder->keyCombo(), std::nullopt);
    recorder->setKeyCombo(kControlR);
    ASSERT_TRUE(window->makeFirstResponder(recorder->keyComboButtonBrick()));
    press(Code::Delete);
    EXPECT_EQ(recorder->keyCombo(), std::nullopt) << "Backspace on the box";
    EXPECT_FALSE(recorder->isRecording()->value()) << "and no session started";
    ASSERT_EQ(told.size(), 8u);
    EXPECT_EQ(told[7], std::nullopt);
}

TEST_F(RecorderTest, APressInAnotherWindowNeverCountsOnTheButtons)
{
    recorder->setKeyCombo(kControlR);
    recorder->startRecordingSession();
    // Where the clear button is in the recorder's window, but in the other window.
    ui::Rect clear = recorder->deleteButtonBrick()->convertRectTo(recorder->deleteButtonBrick()->bounds(), nullptr);
    m_backend->click(*other, { clear.midX(), window->frame().height() - clear.midY() });
    EXPECT_FALSE(recorder->isRecording()->value());
    EXPECT_EQ(recorder->keyCombo(), kControlR) << "taken for a click elsewhere, which keeps the combination";
}

TEST_F(RecorderTest, TheSessionSwallowsWhatItSeesAndLetsGoWhenItEnds)
{
    auto field = ui::TextField::create();
    field->setFrame(ui::Rect(4, 4, 30, 20));
    window->contentView()->addSubview(field);
    window->makeFirstResponder(field.get());
    recorder->startRecordingSession();
    press(Code::S, 0, "s");
    press(Code::K, Flag::Command, "k");
    EXPECT_EQ(field->stringValue(), "");
    EXPECT_FALSE(recorder->isRecording()->value());
    press(Code::S, 0, "s");
    EXPECT_EQ(field->stringValue(), "s") << "no monitor is left behind";
}

TEST_F(RecorderTest, PicturesOfEveryState)
{
    auto folder = std::filesystem::path(testing::TempDir()) / "ostrel-command-pictures";
    std::filesystem::create_directories(folder);
    auto small = KeyComboRecorderView::create({}, ui::ControlSize::Small);
    window->contentView()->addSubview(small);
    small->setTranslatesAutoresizingMaskIntoConstraints(true);
    small->setFrame(ui::Rect(40, 4, 150, 20));
    small->setKeyCombo(KeyCombo(35, 0x1200));
    auto picture = [&](const std::string& name) {
        window->display();
        window->writePng(folder / ("recorder-" + name + ".png"));
        // The middle of the box's title, in points from the window's top left.
        return window->pixelAt(150, 40);
    };
    auto idle = picture("3-idle-none");
    recorder->startRecordingSession();
    picture("0-recording-none");
    modifiers(Flag::Control | Flag::Option);
    picture("2-modifiers-down");
    press(Code::K, Flag::Control | Flag::Option);
    picture("4-idle-combination");
    recorder->startRecordingSession();
    small->startRecordingSession();
    picture("1-recording-over-combination");
    press(Code::Escape);
    recorder->setEnabled(false);
    picture("disabled");
    EXPECT_NE(idle, gfx::Color()) << "the box draws";
}

TEST_F(RecorderTest, ItsTitleReadsOnItsBoxInEveryState)
{
    // The program's dark look: text at 4.5:1, the prompt and the disabled title at 3:1.
    EXPECT_GE(drawnContrast(*recorder, 3), 3.0) << "\"Click to Record Shortcut\"";
    recorder->setKeyCombo(kControlR);
    EXPECT_GE(drawnContrast(*recorder, 3), 4.5) << "a recorded shortcut";
    recorder->startRecordingSession();
    EXPECT_GE(drawnContrast(*recorder, 3), 4.5) << "\"Type New Shortcut\"";
    press(Code::Escape);
    recorder->setEnabled(false);
    EXPECT_GE(drawnContrast(*recorder, 3), 3.0) << "disabled";
}

TEST_F(RecorderTest, ADisabledRecorderIgnoresPressesAndShowsNoButton)
{
    recorder->setKeyCombo(kControlR);
    recorder->setEnabled(false);
    EXPECT_FALSE(clearShown());
    clickOn(*recorder->keyComboButtonBrick());
    recorder->startRecordingSession();
    EXPECT_FALSE(recorder->isRecording()->value());
    EXPECT_EQ(recorder->titleColor(), ui::ControlLook::kSecondaryText);
    recorder->setKeyCombo(std::nullopt);
    EXPECT_EQ(recorder->title(), "") << "no prompt to click where clicking does nothing";
}

TEST_F(RecorderTest, BindingShowsTheSettingAndStoresWhatIsRecorded)
{
    auto store = base::Defaults::create("");
    auto variable = DataModel::KeyComboVariable::create(store, "showCommandPopOver", kControlR, std::optional<KeyCombo> {});
    auto binding = KeyComboRecorderViewBinding::create(recorder, variable);
    binding->activate();
    EXPECT_EQ(recorder->keyCombo(), kControlR);
    EXPECT_EQ(recorder->recorderState(), State::notRecordingPreviousShortcutExists);

    store->set("showCommandPopOver", std::string(R"({"carbonKeyCode":45,"carbonModifiers":2304})"));
    EXPECT_EQ(recorder->keyCombo(), KeyCombo(45, 0x900));

    recorder->startRecordingSession();
    press(Code::K, Flag::Control | Flag::Option);
    EXPECT_EQ(variable->value(), KeyCombo(0x28, 0x1800));
    EXPECT_EQ(store->string("showCommandPopOver"), R"({"carbonKeyCode":40,"carbonModifiers":6144})");

    recorder->startRecordingSession();
    press(Code::Escape);
    EXPECT_EQ(store->string("showCommandPopOver"), R"({"carbonKeyCode":40,"carbonModifiers":6144})");

    recorder->deleteKeyCombo();
    EXPECT_EQ(store->string("showCommandPopOver"), "null");

    binding->unbind();
    store->set("showCommandPopOver", std::string(R"({"carbonKeyCode":15,"carbonModifiers":4096})"));
    EXPECT_EQ(recorder->keyCombo(), std::nullopt);
}

TEST_F(RecorderTest, ABadSizeStopsTheProgram)
{
    EXPECT_DEATH(KeyComboRecorderView::create({}, ui::ControlSize::Mini), "size must either be regular or small");
}

}
