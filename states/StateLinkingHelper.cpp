#include "states/StateLinkingHelper.h"

#include "states/DefineTimeSliceState.h"
#include "states/PlaceholderState.h"

#include "core/DataModel.h"
#include "core/DefaultsStorage.h"
#include "core/StateMachine.h"
#include "shell/AppDelegate.h"
#include "shell/LaunchManager.h"
#include "shell/MainController.h"

#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"

#include <vector>

namespace ostrel {

namespace {

using Slot = StateLinkingHelper::Slot;

struct Link {
    Slot source;
    const char* transition;
    Slot target;
};

// The screen graph of the whole program, in linking order.
const std::vector<Link>& links()
{
    static const std::vector<Link> table {
        { Slot::welcome, "next", Slot::define },
        { Slot::welcomeForBreak, "next", Slot::prepareBreak },
        { Slot::welcomeForInformalBreak, "next", Slot::informalBreak },
        { Slot::define, "next", Slot::running },
        { Slot::define, "timedBreak", Slot::timedBreak },
        { Slot::define, "welcome", Slot::welcome },
        { Slot::running, "elapsed", Slot::rate },
        { Slot::running, "aborted", Slot::rate },
        { Slot::running, "pause", Slot::paused },
        { Slot::running, "softBreak", Slot::softBreak },
        { Slot::running, "straightToBreak", Slot::prepareBreak },
        { Slot::running, "straightToNextTimeSlice", Slot::define },
        { Slot::softBreak, "aborted", Slot::rate },
        { Slot::softBreak, "elapsed", Slot::rate },
        { Slot::softBreak, "finish", Slot::rate },
        { Slot::softBreak, "straightToBreak", Slot::prepareBreak },
        { Slot::softBreak, "extend", Slot::running },
        { Slot::softBreak, "straightToNextTimeSlice", Slot::define },
        { Slot::paused, "continueTimeSlice", Slot::running },
        { Slot::paused, "abort", Slot::define },
        { Slot::paused, "finish", Slot::rate },
        { Slot::paused, "straightToBreak", Slot::prepareBreak },
        { Slot::paused, "straightToNextTimeSlice", Slot::define },
        { Slot::rate, "next", Slot::prepareBreak },
        { Slot::rate, "extend", Slot::running },
        { Slot::rate, "skipLogging", Slot::prepareBreak },
        { Slot::rate, "straightToNextTimeSlice", Slot::define },
        { Slot::prepareBreak, "next", Slot::timedBreak },
        { Slot::prepareBreak, "informalBreak", Slot::informalBreak },
        { Slot::prepareBreak, "nextTimeSlice", Slot::define },
        { Slot::prepareBreak, "welcome", Slot::welcomeForBreak },
        { Slot::informalBreak, "next", Slot::define },
        { Slot::informalBreak, "welcome", Slot::welcomeForInformalBreak },
        { Slot::timedBreak, "aborted", Slot::define },
        { Slot::timedBreak, "elapsed", Slot::define },
    };
    return table;
}

const char* screenClass(Slot slot)
{
    switch (slot) {
    case Slot::welcome:
    case Slot::welcomeForBreak:
    case Slot::welcomeForInformalBreak:
        return "WelcomeState";
    case Slot::define:
        return "DefineTimeSliceState";
    case Slot::running:
        return "TimeSliceRunningState";
    case Slot::rate:
        return "RateTimeSliceState";
    case Slot::paused:
        return "PausedState";
    case Slot::prepareBreak:
        return "PrepareTimedBreakState";
    case Slot::timedBreak:
        return "TimedBreakRunningState";
    case Slot::informalBreak:
        return "InformalBreakState";
    case Slot::softBreak:
        return "SoftBreakState";
    case Slot::count:
        break;
    }
    return "";
}

// A placeholder's ways out, the usual one first: the soft break's end and the rating's
// "next" before the rarer ones.
std::vector<std::string> transitionsOf(Slot slot)
{
    std::vector<std::string> names;
    for (const auto& link : links()) {
        if (link.source == slot)
            names.emplace_back(link.transition);
    }
    if (slot == Slot::softBreak)
        std::swap(names[0], names[1]);
    return names;
}

std::map<std::string, StateLinkingHelper::ScreenFactory>& factories()
{
    static auto* registered = new std::map<std::string, StateLinkingHelper::ScreenFactory>; // for the whole run
    return *registered;
}

// The order in which the screens are made and then built.
constexpr Slot kCreationOrder[] = { Slot::define, Slot::running, Slot::rate, Slot::paused, Slot::prepareBreak,
    Slot::timedBreak, Slot::informalBreak, Slot::welcome, Slot::welcomeForBreak, Slot::welcomeForInformalBreak,
    Slot::softBreak };
constexpr Slot kBuildOrder[] = { Slot::welcome, Slot::welcomeForInformalBreak, Slot::welcomeForBreak, Slot::define,
    Slot::running, Slot::rate, Slot::paused, Slot::prepareBreak, Slot::timedBreak, Slot::informalBreak,
    Slot::softBreak };

}

void StateLinkingHelper::registerScreenFactory(const std::string& screenClass, ScreenFactory factory)
{
    factories()[screenClass] = std::move(factory);
}

void StateLinkingHelper::removeAllScreenFactories() { factories().clear(); }

std::shared_ptr<StateLinkingHelper> StateLinkingHelper::create(DataModel& model)
{
    return std::shared_ptr<StateLinkingHelper>(new StateLinkingHelper(model));
}

StateLinkingHelper::StateLinkingHelper(DataModel& model)
    : m_model(&model)
{
    // Screens may read settings as they are made: every default is registered first.
    MainController::prepareDefaults();
    model.prepare();
    for (Slot slot : kCreationOrder)
        m_screens[static_cast<std::size_t>(slot)] = makeScreen(slot);
}

std::shared_ptr<BaseState> StateLinkingHelper::makeScreen(Slot slot)
{
    std::string name = screenClass(slot);
    if (slot == Slot::define)
        return DefineTimeSliceState::create(*m_model);
    auto found = factories().find(name);
    if (found != factories().end() && found->second) {
        if (auto made = found->second(*m_model))
            return made;
        base::diagnostic("StateLinkingHelper: the factory of " + name + " made nothing; a placeholder stands in");
    }
    return PlaceholderState::create(*m_model, name, transitionsOf(slot));
}

int64_t StateLinkingHelper::launchCounter() const
{
    if (appDelegate && appDelegate->launchManager) {
        auto& manager = *appDelegate->launchManager;
        return manager.defaultsStorageAPI()->getInteger(manager.launchCounterKey());
    }
    // The launch manager's own key, until the shell makes the manager.
    auto store = m_model->store();
    store->registerDefaults({ { "launchManagerLaunchCounter", 0 } });
    return store->integer("launchManagerLaunchCounter");
}

void StateLinkingHelper::awakeFromNib()
{
    if (!stateMachine || !appDelegate)
        base::fatal("StateLinkingHelper: woken without its state machine or application delegate");
    if (!MainController::sharedInstance())
        MainController::setSharedInstance(mainController);
    auto controller = MainController::sharedInstance();
    if (!controller)
        base::fatal("StateLinkingHelper: woken without a main controller");

    for (Slot slot : kBuildOrder)
        screen(slot)->build();

    stateMachine->setInitialState(launchCounter() != 0 ? screen(Slot::define) : screen(Slot::welcome));

    for (const auto& link : links())
        screen(link.source)->setValue(link.transition, Screen::TransitionTarget(screen(link.target)));

    controller->setPseudoAppDelegate(appDelegate.get());
}

}
