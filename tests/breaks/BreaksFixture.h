#pragma once

#include "states/BaseState.h"
#include "states/StateLinkingHelper.h"

#include "core/DataModel.h"
#include "core/StateMachine.h"
#include "shell/AppDelegate.h"
#include "shell/MainController.h"
#include "tests/support/RecordedEvents.h"
#include "tests/support/TemporaryHome.h"

#include "platform/base/AlertPresenter.h"
#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"
#include "platform/base/VirtualTime.h"
#include "platform/desktop/Opener.h"
#include "platform/ui/Application.h"
#include "platform/ui/OffscreenBackend.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ui {
class TextField;
class View;
}

namespace ostrel {
class ScreenFadingHelper;
class TimedState;
}

namespace ostrel::test {

// What some text fields read the first time the window draws the view they sit in: a screen's
// read-outs must be right in the first frame that shows it, not a refresh later.
class FirstSight {
public:
    FirstSight(ui::View& holder, std::vector<std::shared_ptr<ui::TextField>> fields);
    ~FirstSight();
    FirstSight(const FirstSight&) = delete;
    FirstSight& operator=(const FirstSight&) = delete;

    // Empty until the window has drawn the holder.
    const std::vector<std::string>& seen() const { return *m_seen; }

private:
    std::shared_ptr<std::vector<std::string>> m_seen;
    std::shared_ptr<ui::View> m_witness;
};

// One event a break screen posted, or one banner, one script call.
using Posted = PostedEvent;

// The program as start-up makes it, on an offscreen desktop and a virtual clock: main
// controller, application delegate with an idle time the case sets, state machine, the
// wiring with the break screens in place and the main window, launched on the define screen.
// The break screens' events, the banners and the user script's calls are recorded instead of
// sounding, showing or running; the soft-break cues leave their names in the diagnostics.
class BreaksTest : public testing::Test {
protected:
    BreaksTest();
    ~BreaksTest() override;

    void startUp();

    // The way from the define screen (or wherever placeholders lead) to a break screen.
    void reachPrepareTimedBreak();
    void reachTimedBreak();
    void reachInformalBreak();
    void reachSoftBreak();
    // Fires a transition of the current screen.
    void fire(const std::string& transition);

    template<typename T>
    std::shared_ptr<T> screen(StateLinkingHelper::Slot slot) const
    {
        return std::dynamic_pointer_cast<T>(helper->screen(slot));
    }
    std::shared_ptr<Screen> current() const { return machine->currentState(); }
    std::string currentName() const;

    // Virtual time passes, firing every timer due on the way.
    void wait(double seconds);
    // The computer sleeps: the clock jumps and the timers fire once on waking.
    void sleepFor(double seconds);
    // Idle time as the activity monitor's next poll will read it.
    void setIdleSeconds(double seconds);

    std::vector<Posted> eventsNamed(const std::string& name) const;
    // The soft-break cue names among the diagnostics, in order ("playTock()" …).
    std::vector<std::string> cues() const;
    bool diagnosed(const std::string& part) const;

    base::Defaults& store() { return *m_store; }
    DataModel& model() { return *m_model; }
    ui::OffscreenBackend& backend() { return *m_backend; }
    ui::Window& window();
    std::string statusTitle() const;
    std::vector<std::string> statusMenuTitles() const;

    // Covers on this many fake displays, with a front window the case can see given back.
    std::shared_ptr<ScreenFadingHelper> installCovers(int displays);
    // A look for the eye: into OSTREL_SCREEN_PICTURES when set, else the test's temporary folder.
    void writePicture(ui::Window& shown, const std::string& name);
    void click(ui::View& view);
    // Whether the fragment holding the view is in its screen's stack, not detached from it.
    static bool isShown(const ui::View& view);
    // Every entry the current screen offers the command pop-up, by title, in order.
    std::vector<std::string> entryTitles();
    // Runs the entry of that title; false when there is none.
    bool runEntry(const std::string& title);

    TemporaryHome home;
    base::VirtualTime clock;
    std::shared_ptr<base::Defaults> m_store;
    std::unique_ptr<DataModel> m_model;
    std::unique_ptr<ui::Application> m_app;
    ui::OffscreenBackend* m_backend { nullptr };
    uint64_t idleNanoseconds { 0 };
    std::shared_ptr<MainController> mainController;
    std::shared_ptr<AppDelegate> appDelegate;
    std::shared_ptr<StateMachine> machine;
    std::shared_ptr<StateLinkingHelper> helper;
    std::vector<std::string> diagnostics;
    std::vector<std::vector<std::string>> scriptCalls;
    std::vector<std::string> helpPages;
    std::vector<unsigned long> givenBackTheFront;

private:
    base::AlertPresenter::Handler m_previousAlerts;
    desktop::Opener::Launcher m_previousLauncher;
    base::DiagnosticSink m_previousSink;
};

}
