#include "tests/attention/AttentionTestSupport.h"

#include "attention/NotificationHandler.h"
#include "attention/ZRNotificationCenter.h"
#include "core/DataModel.h"

#include "platform/text/Rtf.h"
#include "platform/text/Rtfd.h"

#include <gmock/gmock.h>

namespace ostrel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct CountingHandler : NotificationHandler {
    std::vector<std::pair<int32_t, int32_t>> calls;
    bool handleNotificationWithValue(int32_t value, int32_t maxValue) override
    {
        calls.emplace_back(value, maxValue);
        return true;
    }
};

std::string substituted(const std::string& text, int32_t value, int32_t maxValue)
{
    return NotificationHandler::performSpeechTagSubstitution(text, value, maxValue).value_or("<none>");
}

class NotificationCenterTest : public AttentionTest { };

TEST_F(NotificationCenterTest, EventsReachOnlyTheHandlerOfTheirExactName)
{
    auto centre = ZRNotificationCenter::create();
    for (auto name : { "TimedBreakRunningState.elapsed", "Ostrel_4.TimeSliceRunningState.end",
             "Ostrel_4.SoftBreakState.time", "ostrel_4.timeslicerunningstate.start", "" })
        EXPECT_TRUE(centre->triggerNotificationForEvent(name, 10, 20));
    EXPECT_THAT(take(), IsEmpty());

    EXPECT_TRUE(centre->triggerNotificationForEvent("Ostrel_4.TimedBreakRunningState.start", 0, 300));
    EXPECT_THAT(take(), ElementsAre("banner Starting Timed Break|", "script timed_break_start|Starting Timed Break"));
}

TEST_F(NotificationCenterTest, ASecondHandlerForANameReplacesTheFirst)
{
    auto centre = ZRNotificationCenter::create();
    auto first = std::make_shared<CountingHandler>();
    auto second = std::make_shared<CountingHandler>();
    centre->addNotificationHandler(first, "Ostrel_4.TimeSliceRunningState.start");
    centre->addNotificationHandler(second, "Ostrel_4.TimeSliceRunningState.start");
    EXPECT_TRUE(centre->triggerNotificationForEvent("Ostrel_4.TimeSliceRunningState.start", 3, 900));
    EXPECT_THAT(first->calls, IsEmpty());
    EXPECT_THAT(second->calls, ElementsAre(std::pair(3, 900)));
    EXPECT_THAT(take(), IsEmpty());

    centre->addNotificationHandler(nullptr, "Ostrel_4.TimeSliceRunningState.start");
    EXPECT_TRUE(centre->triggerNotificationForEvent("Ostrel_4.TimeSliceRunningState.start", 3, 900));
    EXPECT_EQ(second->calls.size(), 1u);
}

TEST_F(NotificationCenterTest, MinuteTagsUseTheSingularOnlyForExactlySixtySeconds)
{
    EXPECT_EQ(substituted("<MinutesLeft> left", 0, 600), "10 minutes left");
    EXPECT_EQ(substituted("<MinutesTotal>, <MinutesElapsed>", 0, 600), "10 minutes, 0 minutes");
    EXPECT_EQ(substituted("Only <MinutesLeft> left", 540, 600), "Only one minute left");
    EXPECT_EQ(substituted("<MinutesLeftValueOnly>", 540, 600), "1");
    EXPECT_EQ(substituted("<MinutesLeft>", 481, 600), "1 minutes");
    EXPECT_EQ(substituted("<MinutesElapsed> of <MinutesTotal>", 60, 60), "one minute of one minute");
    EXPECT_EQ(substituted("<MinutesLeft> <MinutesElapsed> <MinutesTotal> <MinutesLeftValueOnly> "
                          "<MinutesElapsedValueOnly> <MinutesTotalValueOnly>",
                  0, 0),
        "0 minutes 0 minutes 0 minutes 0 0 0");
    EXPECT_EQ(substituted("<MinutesLeft>, <MinutesLeft>!", 0, 7200), "120 minutes, 120 minutes!");
    EXPECT_EQ(substituted("no tags here", 5, 10), "no tags here");
    EXPECT_EQ(NotificationHandler::performSpeechTagSubstitution(std::nullopt, 0, 600), std::nullopt);
}

TEST_F(NotificationCenterTest, NumbersAtTheEdgesOfThirtyTwoBitsDoNotOverflow)
{
    EXPECT_EQ(substituted("<MinutesLeftValueOnly>", INT32_MIN, INT32_MAX), "0");
    EXPECT_EQ(substituted("<MinutesLeftValueOnly>", -60, INT32_MAX), std::to_string(int32_t(INT32_MIN + 59) / 60));
    EXPECT_EQ(NotificationHandler::secondsLeft(INT32_MAX, INT32_MIN), 1);
    EXPECT_FALSE(NotificationHandler::reminderIsDue(true, 0, 10, 20));
    EXPECT_TRUE(NotificationHandler::reminderIsDue(true, -1, 10, INT32_MIN + 10));
    EXPECT_FALSE(NotificationHandler::reminderIsDue(true, INT64_MIN, 10, 20));
    EXPECT_TRUE(NotificationHandler::reminderIsDue(true, 5, 10, 20));
}

TEST_F(NotificationCenterTest, TheObjectiveIsFilledInLastAndOnlyWhenItHasText)
{
    auto store = [](const std::string& bytes) { DataModel::shared().setObjective(base::Value::Data(bytes.begin(), bytes.end())); };
    store("");
    EXPECT_EQ(substituted("Now: <CurrentObjective>", 0, 60), "Now: <CurrentObjective>");
    store("neither a package nor rich text");
    EXPECT_EQ(substituted("Now: <CurrentObjective>", 0, 60), "Now: <CurrentObjective>");

    store(text::Rtfd::data(text::AttributedString::fromUtf8("Write <MinutesLeft> report")));
    EXPECT_EQ(substituted("<MinutesLeft> for <CurrentObjective>", 0, 120), "2 minutes for Write <MinutesLeft> report");

    store(text::Rtf::write(text::AttributedString::fromUtf8("Plain rich text")));
    EXPECT_EQ(substituted("<CurrentObjective>!", 0, 60), "Plain rich text!");
}

}
}
