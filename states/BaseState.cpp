#include "states/BaseState.h"

#include "states/CommandPopUpAccess.h"

#include "attention/ZRNotificationCenter.h"
#include "command/MatchingItem.h"
#include "command/MatchingItemCollector.h"
#include "core/DataModel.h"
#include "core/StateMachine.h"
#include "core/ZrLog.h"
#include "shell/MainController.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/Wall.h"

#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"
#include "platform/ui/Button.h"
#include "platform/ui/StatusItem.h"

#include <limits>

namespace ostrel {

namespace {

int32_t eventNumber(int64_t number, const std::string& event)
{
    if (number < std::numeric_limits<int32_t>::min() || number > std::numeric_limits<int32_t>::max())
        base::fatal(event + ": " + std::to_string(number) + " does not fit the event's 32 bits");
    return static_cast<int32_t>(number);
}

MainController& mainController()
{
    auto controller = MainController::sharedInstance();
    if (!controller)
        base::fatal("BaseState: no main controller to show the screen");
    return *controller;
}

}

BaseState::BaseState(DataModel& model)
    : m_model(&model)
    , m_infoWall(Wall::create())
    , m_buttonWall(Wall::create(ui::Rect(0, 0, 440, 34)))
{
    m_infoWall->setIdentifier("InfoWall");
    m_buttonWall->setIdentifier("ButtonWall");
    LayoutConstraintMaker size(*m_buttonWall);
    size.width(440).height(34);
    m_buttonWall->addConstraints(size.constraints());
}

BaseState::~BaseState() = default;

void BaseState::activate()
{
    setSuperClassCalledFlag(true);
    performActivationNotification();
    updateMenuItem();
    bool popUpWasRunning = CommandPopUpAccess::isRunning();
    if (popUpWasRunning)
        CommandPopUpAccess::dismiss();
    mainController().activateView();
    // Reopened so that it lists the entries of the screen now shown.
    if (popUpWasRunning)
        CommandPopUpAccess::runOnCommandButton();
}

void BaseState::deactivate()
{
    setSuperClassCalledFlag(true);
    performDeactivationNotification();
    if (m_hideAppWhenActivating)
        mainController().hide(shared_from_this());
}

void BaseState::performActivationNotification() { postEvent("start", 0, 0); }

void BaseState::performDeactivationNotification() { postEvent("end", 0, 0); }

void BaseState::postEvent(const std::string& suffix, int64_t value, int64_t maxValue) const
{
    std::string event = className() + "." + suffix;
    ZRNotificationCenter::sharedNotificationCenter().triggerNotificationForEvent(event, eventNumber(value, event),
        eventNumber(maxValue, event));
}

bool BaseState::fireTransition(const std::string& transition) const
{
    auto machine = StateMachine::sharedStateMachine();
    if (!machine)
        base::fatal(className() + ": no state machine to fire " + transition);
    if (!isCurrent()) {
        zr_log("%s: left already, \"%s\" not fired", className().c_str(), transition.c_str());
        return false;
    }
    machine->triggerTransition(transition);
    return true;
}

bool BaseState::isCurrent() const
{
    auto machine = StateMachine::sharedStateMachine();
    return machine && machine->currentState().get() == this;
}

void BaseState::updateMenuItem()
{
    std::string text = menuItemText();
    // The time stands clear of the icon.
    std::string title = text.empty() ? text : " " + text;
    auto item = mainController().item();
    auto* button = item ? item->button() : nullptr;
    if (!button)
        return;
    button->setTitle(title);
    button->setState(menuItemState());
}

void BaseState::simulateDefaultButtonPress()
{
    // Every Return button, not only the first; a click may change the wall, so walk a copy.
    auto subviews = m_buttonWall->subviews();
    bool pressed = false;
    for (const auto& view : subviews) {
        auto* button = dynamic_cast<ui::Button*>(view.get());
        if (button && button->buttonType() == ui::ButtonType::MomentaryPushIn && button->keyEquivalent() == "\r") {
            button->performClick();
            pressed = true;
        }
    }
    // A screen without a Return button (the soft break) still does what its pop-up shows as
    // the default choice, whose key (Ctrl+Return) brings the user here.
    if (pressed)
        return;
    MatchingItemCollector collector(*model().store());
    collectMatchingItems(collector);
    for (const auto& item : collector.matchingItems()) {
        if (item->kind() == MatchingItemKind::defaultChoice) {
            item->execute();
            return;
        }
    }
}

}
