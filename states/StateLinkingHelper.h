#pragma once

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace ostrel {

class AppDelegate;
class BaseState;
class DataModel;
class MainController;
class StateMachine;

// Makes every screen, builds each once, links every named transition to its target screen and
// picks the first screen: the welcome wizard on the very first launch, the define screen on
// every later one. Start-up runs it as create() then, with the outlets set, awakeFromNib().
//
// Screens not built here come from the factories registered under their class names; until
// one is registered its screen is a placeholder with the same name and ways out.
class StateLinkingHelper {
public:
    using ScreenFactory = std::function<std::shared_ptr<BaseState>(DataModel&)>;

    // Registers the default settings (the main table, then the model's own) and makes the
    // screens. The model outlives the helper and its screens.
    static std::shared_ptr<StateLinkingHelper> create(DataModel& model);

    // Under a class name without the module ("TimeSliceRunningState"); the later one wins.
    static void registerScreenFactory(const std::string& screenClass, ScreenFactory factory);
    static void removeAllScreenFactories();

    // The outlets: set by start-up before awakeFromNib(), all required then.
    std::shared_ptr<StateMachine> stateMachine;
    std::shared_ptr<MainController> mainController;
    std::shared_ptr<AppDelegate> appDelegate;

    // Builds and links the screens and gives the state machine its first screen.
    void awakeFromNib();

    const std::shared_ptr<BaseState>& welcomeState() const { return screen(Slot::welcome); }
    const std::shared_ptr<BaseState>& welcomeStateCopyForPrepareTimedBreakState() const { return screen(Slot::welcomeForBreak); }
    const std::shared_ptr<BaseState>& welcomeStateCopyForInformalBreakState() const { return screen(Slot::welcomeForInformalBreak); }
    const std::shared_ptr<BaseState>& defineTimeSliceState() const { return screen(Slot::define); }
    const std::shared_ptr<BaseState>& timeSliceRunningState() const { return screen(Slot::running); }
    const std::shared_ptr<BaseState>& rateTimeSliceState() const { return screen(Slot::rate); }
    const std::shared_ptr<BaseState>& pausedState() const { return screen(Slot::paused); }
    const std::shared_ptr<BaseState>& prepareTimedBreakState() const { return screen(Slot::prepareBreak); }
    const std::shared_ptr<BaseState>& timedBreakRunningState() const { return screen(Slot::timedBreak); }
    const std::shared_ptr<BaseState>& informalBreakState() const { return screen(Slot::informalBreak); }
    const std::shared_ptr<BaseState>& softBreakState() const { return screen(Slot::softBreak); }

    enum class Slot {
        welcome,
        welcomeForBreak,
        welcomeForInformalBreak,
        define,
        running,
        rate,
        paused,
        prepareBreak,
        timedBreak,
        informalBreak,
        softBreak,
        count
    };
    const std::shared_ptr<BaseState>& screen(Slot slot) const { return m_screens[static_cast<std::size_t>(slot)]; }

private:
    explicit StateLinkingHelper(DataModel& model);
    std::shared_ptr<BaseState> makeScreen(Slot slot);
    int64_t launchCounter() const;

    DataModel* m_model { nullptr };
    std::array<std::shared_ptr<BaseState>, static_cast<std::size_t>(Slot::count)> m_screens;
};

}
