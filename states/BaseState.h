#pragma once

#include "core/Screen.h"
#include "mainwindow/ShownState.h"
#include "shell/ShellState.h"

#include <cstdint>
#include <memory>
#include <string>

namespace ostrel {

class DataModel;
class Wall;

// The root of every screen: the content column (info wall) and the row of push buttons the
// main window shows for it, the start and end events, the status item's text, and what the
// shell asks of the current screen (the default button, whether quitting needs the user's
// word, the pop-up's entries). Screens are made once by the wiring, built once, and then
// activated and deactivated by the state machine any number of times.
class BaseState : public Screen, public ShownState, public ShellState, public std::enable_shared_from_this<BaseState> {
public:
    // The module the event names start with, as the object runtime would name the classes.
    static constexpr const char* kModuleName = "Ostrel_4";

    ~BaseState() override;

    std::shared_ptr<Wall> infoWall() override { return m_infoWall; }
    std::shared_ptr<Wall> buttonWall() override { return m_buttonWall; }
    std::shared_ptr<ui::View> firstResponder() override { return m_firstResponder; }
    void setFirstResponder(std::shared_ptr<ui::View> view) { m_firstResponder = std::move(view); }
    // When set, leaving the screen hides the program. Nothing sets it; kept for the settings
    // of screens to come.
    bool hideAppWhenActivating() const { return m_hideAppWhenActivating; }
    void setHideAppWhenActivating(bool hide) { m_hideAppWhenActivating = hide; }

    // Builds the screen's interface; once, before the first activation.
    virtual void build() { }
    void activate() override;
    void deactivate() override;

    virtual void performActivationNotification();
    virtual void performDeactivationNotification();

    // The status item's text and button state while the screen is current.
    virtual std::string menuItemText() { return {}; }
    virtual int menuItemState() { return 0; }
    void updateMenuItem();

    void simulateDefaultButtonPress() override;
    bool shouldConfirmTerminationWithUser() override { return false; }
    void collectMatchingItems(MatchingItemCollector&) override { }
    void closeOtherPopUps(PopUpKind) override { }

    // "Ostrel_4." followed by the screen's class: the event names' first part.
    std::string className() const override = 0;
    std::string description() const override { return "<" + className() + ">"; }

    DataModel& model() const { return *m_model; }

    // Asks the state machine to follow the named transition out of this screen, while it is
    // the current one: a command or tick of a screen already left (a second Return queued
    // behind the first) moves nothing. True when it fired. Without a state machine it is a
    // programming error.
    bool fireTransition(const std::string& transition) const;
    // Whether the state machine stands on this screen now.
    bool isCurrent() const;

protected:
    // Not owned: the model outlives every screen.
    explicit BaseState(DataModel& model);

    // Hands "<class>.<suffix>" with the two numbers to the notification centre. Numbers
    // beyond 32 bits are a programming error.
    void postEvent(const std::string& suffix, int64_t value, int64_t maxValue) const;

private:
    DataModel* m_model { nullptr };
    std::shared_ptr<Wall> m_infoWall;
    std::shared_ptr<Wall> m_buttonWall;
    std::shared_ptr<ui::View> m_firstResponder;
    bool m_hideAppWhenActivating { false };
};

}
