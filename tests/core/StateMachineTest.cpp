#include "core/StateMachine.h"

#include "core/ZrLog.h"
#include "platform/base/Diagnostics.h"

#include "tests/core/CapturedLog.h"

#include <gtest/gtest.h>
#include <vector>

namespace ostrel {
namespace {

class TestScreen : public Screen {
public:
    explicit TestScreen(std::string name, std::vector<std::string>* journal)
        : m_name(std::move(name))
        , m_journal(journal)
    {
        exposeTransition("next", next);
        exposeTransition("aborted", aborted);
        exposeTransition("extend", extend);
        exposeTransition("pause", pause);
    }
    bool callsSuperOnActivate { true };
    bool callsSuperOnDeactivate { true };
    TransitionTarget next, aborted, extend, pause;

    void activate() override
    {
        m_journal->push_back("activate " + m_name);
        if (callsSuperOnActivate)
            setSuperClassCalledFlag(true);
    }
    void deactivate() override
    {
        m_journal->push_back("deactivate " + m_name);
        if (callsSuperOnDeactivate)
            setSuperClassCalledFlag(true);
    }
    std::string description() const override { return "<" + m_name + ">"; }
    std::string className() const override { return m_name + "State"; }

    void startTimeSlice(const base::Sender&) { m_journal->push_back("startTimeSlice: on " + m_name); }

protected:
    const base::ActionTable& actionTable() const override
    {
        static const auto table
            = base::ActionTable::of<TestScreen>({ { "startTimeSlice:", &TestScreen::startTimeSlice } });
        return table;
    }

private:
    std::string m_name;
    std::vector<std::string>* m_journal;
};

struct Screens {
    std::vector<std::string> journal;
    std::shared_ptr<TestScreen> define = std::make_shared<TestScreen>("Define", &journal);
    std::shared_ptr<TestScreen> running = std::make_shared<TestScreen>("Running", &journal);
    std::shared_ptr<StateMachine> machine = StateMachine::create();

    Screens()
    {
        define->next = running;
        running->aborted = define;
        running->extend = running;
        machine->setInitialState(define);
    }
};

TEST(StateMachine, StartActivatesTheInitialScreenQuietlyAndPutsItInTheChain)
{
    test::CapturedLog log(true);
    Screens s;
    s.machine->start();
    EXPECT_EQ(s.journal, std::vector<std::string> { "activate Define" });
    EXPECT_EQ(s.machine->currentState(), s.define);
    EXPECT_EQ(s.machine->nextResponder(), s.define.get());
    EXPECT_TRUE(log.lines.empty());
}

TEST(StateMachine, CommandsReachTheCurrentScreenThroughTheChain)
{
    Screens s;
    s.machine->start();
    s.machine->triggerTransition("next");
    s.journal.clear();
    EXPECT_TRUE(s.machine->tryToPerform("startTimeSlice:"));
    EXPECT_FALSE(s.machine->tryToPerform("stopTimeSlice:"));
    EXPECT_EQ(s.journal, std::vector<std::string> { "startTimeSlice: on Running" });
    EXPECT_EQ(s.machine->nextResponder(), s.running.get());
}

TEST(StateMachine, TransitionSwitchesByNameAndLogsTwoLines)
{
    test::CapturedLog log(true);
    Screens s;
    s.machine->start();
    s.journal.clear();
    s.machine->triggerTransition("next");
    EXPECT_EQ(s.journal, (std::vector<std::string> { "deactivate Define", "activate Running" }));
    EXPECT_EQ(s.machine->currentState(), s.running);
    ASSERT_EQ(log.lines.size(), 2u);
    EXPECT_EQ(log.lines[0], "StateMachine: trigger transition: next of state: <Define>");
    EXPECT_EQ(log.lines[1], "StateMachine: now in new state: <Running>");
}

TEST(StateMachine, TransitionToItselfDeactivatesAndReactivates)
{
    Screens s;
    s.machine->setInitialState(s.running);
    s.machine->start();
    s.journal.clear();
    s.machine->triggerTransition("extend");
    EXPECT_EQ(s.journal, (std::vector<std::string> { "deactivate Running", "activate Running" }));
}

TEST(StateMachine, SharedInstanceIsTheWokenOne)
{
    auto machine = StateMachine::create();
    machine->awakeFromNib();
    EXPECT_EQ(StateMachine::sharedStateMachine(), machine);
}

TEST(StateMachineDeathTest, MissingTargetIsAProgrammingError)
{
    Screens s;
    s.machine->start();
    EXPECT_DEATH(s.machine->triggerTransition("pause"),
        "\\[StateMachine triggerTransition: 'pause'\\] - transition target state is not defined!");
    EXPECT_DEATH(s.machine->triggerTransition("nonsense"), "no property named 'nonsense'");
}

TEST(StateMachineDeathTest, ForgottenBaseClassCallsNameTheClass)
{
    Screens s;
    s.define->callsSuperOnDeactivate = false;
    s.machine->start();
    EXPECT_DEATH(s.machine->triggerTransition("next"), "DefineState class does not call \\[super deactivate\\] correctly");

    Screens t;
    t.running->callsSuperOnActivate = false;
    t.machine->start();
    EXPECT_DEATH(t.machine->triggerTransition("next"), "RunningState class does not call \\[super activate\\] correctly");
}

}
}
