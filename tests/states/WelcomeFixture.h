#pragma once

#include "states/StateLinkingHelper.h"
#include "states/WelcomeState.h"

#include "viewkit/Wall.h"

#include "core/DataModel.h"
#include "core/StateMachine.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/MainWindowController.h"
#include "shell/AppDelegate.h"
#include "shell/MainController.h"
#include "tests/support/TemporaryHome.h"

#include "platform/base/AlertPresenter.h"
#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"
#include "platform/base/VirtualTime.h"
#include "platform/desktop/Opener.h"
#include "platform/media/AudioOutput.h"
#include "platform/media/RecordingSink.h"
#include "platform/ui/Application.h"
#include "platform/ui/OffscreenBackend.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace ostrel {
class PushButtonBrick;
}

namespace ostrel::test {

// Every view of class T under `root`, depth first in drawing order.
template<typename T>
std::vector<T*> viewsOf(ui::View& root)
{
    std::vector<T*> found;
    for (const auto& child : root.subviews()) {
        if (auto* match = dynamic_cast<T*>(child.get()))
            found.push_back(match);
        auto deeper = viewsOf<T>(*child);
        found.insert(found.end(), deeper.begin(), deeper.end());
    }
    return found;
}

// The whole program started on a fresh settings file in a temporary home, offscreen, with
// the welcome screens in the wiring. What the wizard makes heard or seen is recorded: sounds
// and speech go to a recording audio output, banners to the journal as
// "banner <title>|<description>" beside "sound <name>", "loop <name>" and "speech <text>".
class WelcomeTest : public testing::Test {
protected:
    WelcomeTest();
    ~WelcomeTest() override;

    // Start-up as the program runs it; `launches` 0 is the very first launch.
    void startUp(int64_t launches = 0);

    std::shared_ptr<WelcomeState> welcome(StateLinkingHelper::Slot slot = StateLinkingHelper::Slot::welcome) const;
    std::shared_ptr<Screen> current() const { return machine->currentState(); }
    base::Defaults& store() { return *m_store; }
    DataModel& model() { return *m_model; }
    ui::Window& window() { return appDelegate->mainWindow->window(); }
    MainWindowController& mainWindowController() { return *appDelegate->mainWindow->controller(); }

    // The screen's four choice pop-ups, top to bottom.
    std::vector<PopUpButtonBrick*> popUps(WelcomeState& screen) const;
    // Picks an item as the user does: the pop-up selects it and runs its action.
    void choose(PopUpButtonBrick& popUp, int index);
    // The visible wrapping texts of the screen, top to bottom.
    std::vector<std::string> explanations(WelcomeState& screen);
    // The push button of that title under `root`, or none.
    PushButtonBrick* button(ui::View& root, const std::string& title);

    // Every setting stored in the settings file, as the next launch would read it.
    base::Value::Dictionary storedSettings();
    // The journal so far, and cleared.
    std::vector<std::string> heard();
    // A picture into OSTREL_SCREEN_PICTURES when set, else the test's temporary folder.
    void writePicture(const std::string& name);

    TemporaryHome home;
    base::VirtualTime clock;
    std::shared_ptr<base::Defaults> m_store;
    std::unique_ptr<DataModel> m_model;
    std::unique_ptr<ui::Application> m_app;
    std::shared_ptr<MainController> mainController;
    std::shared_ptr<AppDelegate> appDelegate;
    std::shared_ptr<StateMachine> machine;
    std::shared_ptr<StateLinkingHelper> helper;
    std::shared_ptr<media::RecordingSink> sink;
    std::vector<std::string> journal;
    std::vector<std::string> diagnostics;

private:
    void drainSounds();

    std::size_t m_soundEventsSeen { 0 };
    base::AlertPresenter::Handler m_previousAlerts;
    desktop::Opener::Launcher m_previousLauncher;
    base::DiagnosticSink m_previousSink;
};

}
