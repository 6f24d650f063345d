#pragma once

#include "states/ModernUIState.h"
#include "states/StateFragmentStackView.h"
#include "states/TimedState.h"

#include "core/StateMachine.h"
#include "viewkit/HideableFragmentWall.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/PushButtonBrick.h"

#include <functional>
#include <string>
#include <vector>

namespace ostrel::test {

// A modern screen for the bases' cases: an optional objective field, a hideable fragment on a
// key of its own, a status text, and buttons whose presses it records. It can leave by "next".
class PlainScreen : public ModernUIState {
public:
    static std::shared_ptr<PlainScreen> create(DataModel& model, std::string name = "PlainTestState")
    {
        return std::shared_ptr<PlainScreen>(new PlainScreen(model, std::move(name)));
    }
    std::string className() const override { return std::string(kModuleName) + "." + m_name; }
    std::string menuItemText() override { return statusText; }

    void build() override
    {
        createStackView();
        createAndInstallTitleFragment(m_name);
        if (withObjective)
            setupObjectiveTextView(true, objectiveHideable, true, std::nullopt, postfix);
        section = HideableFragmentWall::create("plainSectionHidden", false);
        LayoutConstraintMaker size(*section);
        size.height(sectionHeight);
        section->addConstraints(size.constraints());
        fragmentStackView()->addFragment(section);
    }
    std::shared_ptr<PushButtonBrick> addButton(const std::string& title, const std::string& key)
    {
        auto& factory = buttonWall()->factory();
        auto previous = factory.currentView();
        auto button = factory.pushButton(title, [this, title] { pressed.push_back(title); }, [previous](LayoutConstraintMaker& maker) {
            if (previous)
                maker.and_(*previous).place(ui::LayoutAttribute::Right, ui::LayoutAttribute::Left);
            else
                maker.container().place(ui::LayoutAttribute::Right, ui::LayoutAttribute::Right);
            maker.container().pin(ui::LayoutAttribute::CenterY, ui::LayoutAttribute::CenterY, 0);
        });
        button->setKeyEquivalent(key);
        return button;
    }

    double sectionHeight { 30 };
    bool withObjective { false };
    bool objectiveHideable { true };
    std::string postfix { "InPlainTestState" };
    std::string statusText;
    std::shared_ptr<HideableFragmentWall> section;
    std::vector<std::string> pressed;
    // When the main window was compressed by this screen's fragments.
    std::vector<double> compressions;
    TransitionTarget m_next;

protected:
    PlainScreen(DataModel& model, std::string name)
        : ModernUIState(model)
        , m_name(std::move(name))
    {
        exposeTransition("next", m_next);
    }
    void compressMainWindow() override
    {
        compressions.push_back(base::Time::now());
        ModernUIState::compressMainWindow();
    }

private:
    std::string m_name;
};

// A timed screen of a given length that records its per-second calls and its end, and may
// leave by "next" from a chosen tick.
class CountingScreen : public TimedState {
public:
    static std::shared_ptr<CountingScreen> create(DataModel& model, int64_t seconds)
    {
        return std::shared_ptr<CountingScreen>(new CountingScreen(model, seconds));
    }
    std::string className() const override { return std::string(kModuleName) + ".CountingTestState"; }
    int64_t duration() const override { return m_seconds; }
    bool shouldHideOnActivate() const override { return false; }
    std::string menuItemText() override { return remainingTimeText(); }

    void build() override { createStackView(); }
    void eachTick(int64_t elapsedSeconds) override
    {
        ++ticks;
        TimedState::eachTick(elapsedSeconds);
        if (leaveAtTick && ticks == *leaveAtTick)
            StateMachine::sharedStateMachine()->triggerTransition("next");
    }
    void handleTimerElapsed() override { ++ends; }

    int ticks { 0 };
    int ends { 0 };
    std::optional<int> leaveAtTick;
    TransitionTarget m_next;

private:
    CountingScreen(DataModel& model, int64_t seconds)
        : TimedState(model)
        , m_seconds(seconds)
    {
        exposeTransition("next", m_next);
    }
    int64_t m_seconds;
};

}
