#include "tests/attention/AttentionTestSupport.h"

#include "attention/ZRNotificationCenter.h"
#include "core/Clock.h"
#include "core/DataModel.h"
#include "core/SmartScheduler.h"
#include "core/TimedStateMachineModule.h"

#include "platform/base/RunLoop.h"

#include <gmock/gmock.h>

namespace ostrel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

constexpr const char* kSliceTime = "Ostrel_4.TimeSliceRunningState.time";
constexpr const char* kSliceStart = "Ostrel_4.TimeSliceRunningState.start";
constexpr const char* kSliceElapsed = "Ostrel_4.TimeSliceRunningState.elapsed";
constexpr const char* kBreakTime = "Ostrel_4.TimedBreakRunningState.time";

// A running slice as its screen posts its events, counted by the core's own module on
// virtual time: "start" on activation, "time" every second, "elapsed" at the end.
class RunningSlice final : public TimedStateType {
public:
    RunningSlice(ZRNotificationCenter& centre, int32_t total, std::function<void(int32_t left)> afterEvent)
        : m_centre(centre)
        , m_total(total)
        , m_afterEvent(std::move(afterEvent))
    {
    }

    int64_t duration() const override { return m_total; }
    void execute(Event event) override
    {
        if (event == Event::oneTick && m_elapsed < m_total) {
            ++m_elapsed;
            post(kSliceTime);
        } else if (event == Event::elapsed) {
            // The last second ends the slice rather than ticking.
            m_elapsed = m_total;
            m_done = true;
            post(kSliceElapsed);
        }
    }
    void start() { post(kSliceStart); }
    bool done() const { return m_done; }

private:
    void post(const char* event)
    {
        m_centre.triggerNotificationForEvent(event, m_elapsed, m_total);
        m_afterEvent(m_total - m_elapsed);
    }

    ZRNotificationCenter& m_centre;
    int32_t m_total;
    int32_t m_elapsed { 0 };
    bool m_done { false };
    std::function<void(int32_t)> m_afterEvent;
};

class EventHandlersTest : public AttentionTest {
protected:
    void SetUp() override
    {
        AttentionTest::SetUp();
        m_centre = ZRNotificationCenter::create();
    }

    // Runs a whole slice; every output is noted with the seconds left when it happened.
    void runSlice(int32_t total)
    {
        auto slice = std::make_shared<RunningSlice>(*m_centre, total, [this](int32_t left) {
            for (auto& entry : take())
                m_timeline.push_back(std::to_string(left) + " " + entry);
        });
        slice->start();
        auto module = TimedStateMachineModule::create(slice);
        base::RunLoop::main().runUntil([&] { return slice->done(); });
        module->scheduler->timer->stop();
        module->scheduler->timer = nullptr;
    }

    std::vector<std::string> timeline(const std::string& kind)
    {
        std::vector<std::string> result;
        for (auto& entry : m_timeline) {
            if (entry.find(" " + kind + " ") != std::string::npos)
                result.push_back(entry);
        }
        return result;
    }

    void tick(const char* event, int32_t value, int32_t maxValue) { m_centre->triggerNotificationForEvent(event, value, maxValue); }

    std::unique_ptr<ZRNotificationCenter> m_centre;
    std::vector<std::string> m_timeline;
};

TEST_F(EventHandlersTest, ATwentyFiveMinuteSliceWithDefaultSettingsFollowsTheSchedule)
{
    runSlice(1500);

    EXPECT_THAT(timeline("banner"),
        ElementsAre("1500 banner Starting Time Slice|", "1200 banner 20 minutes left|", "900 banner 15 minutes left|",
            "600 banner Only 10 minutes left|", "300 banner Only 5 minutes left|", "180 banner Only 3 minutes left|",
            "60 banner Only one minute left|", "0 banner Time Slice Elapsed|"));

    // The reminder every two minutes, but not on the warning second at 600; the soft break
    // (on by default) ticks at one second left, and the end sounds the alarm.
    EXPECT_THAT(timeline("sound"),
        ElementsAre("1440 sound clock1", "1320 sound clock1", "1200 sound clock1", "1080 sound clock1",
            "960 sound clock1", "840 sound clock1", "720 sound clock1", "480 sound clock1", "360 sound clock1",
            "240 sound clock1", "120 sound clock1", "1 sound morse", "0 sound alarm_clock"));

    std::vector<std::string> scripts { "1500 script time_slice_start|Starting Time Slice" };
    const std::map<int, std::string> warnings { { 600, "Only 10 minutes left" }, { 300, "Only 5 minutes left" },
        { 180, "Only 3 minutes left" }, { 60, "Only one minute left" } };
    for (int left = 1470; left > 0; left -= 30) {
        auto warning = warnings.find(left);
        std::string text = warning != warnings.end() ? warning->second : std::to_string(left / 60) + " minutes left";
        scripts.push_back(std::to_string(left) + " script time_slice_in_progress|" + text + "|" + std::to_string(left));
    }
    scripts.push_back("0 script time_slice_elapsed|Time Slice Elapsed");
    EXPECT_THAT(timeline("script"), ElementsAreArray(scripts));

    EXPECT_THAT(timeline("dim"), IsEmpty());
    EXPECT_THAT(timeline("speech"), IsEmpty());
}

TEST_F(EventHandlersTest, WithoutTheSoftBreakTheScreensDimTwoSecondsBeforeTheEndAndNoTickPlays)
{
    DataModel::shared().store()->set("shouldUseSoftBreak", false);
    for (int32_t value = 1495; value < 1500; ++value)
        tick(kSliceTime, value, 1500);
    EXPECT_THAT(take(), ElementsAre("dim 2 0.6"));

    DataModel::shared().store()->set("shouldUseSoftBreak", true);
    for (int32_t value = 1495; value < 1500; ++value)
        tick(kSliceTime, value, 1500);
    EXPECT_THAT(take(), ElementsAre("sound morse"));
}

TEST_F(EventHandlersTest, ASliceAsLongAsAWarningTimeGetsNoSuchWarningAtItsStart)
{
    tick(kSliceTime, 0, 600);
    tick(kSliceTime, 0, 180);
    EXPECT_THAT(entries("banner"), IsEmpty());
    tick(kSliceTime, 120, 180);
    EXPECT_THAT(entries("banner"), ElementsAre("banner Only one minute left|"));
}

TEST_F(EventHandlersTest, AWarningWithAllItsOutputsOffFallsThroughToTheReminders)
{
    settings().set("growlWarningOn", false);
    settings().set("growlReminderInterval", 60);
    tick(kSliceTime, 1200, 1500);
    EXPECT_THAT(take(), ElementsAre("script time_slice_in_progress|Only 5 minutes left|300", "banner 5 minutes left|",
                            "script time_slice_in_progress|5 minutes left|300"));

    settings().set("warningSoundOn", true);
    tick(kSliceTime, 1200, 1500);
    EXPECT_THAT(take(), ElementsAre("sound clock1", "script time_slice_in_progress|Only 5 minutes left|300"));
}

TEST_F(EventHandlersTest, RemindersFollowTheirSettingsAndAnIntervalOfZeroNeverFires)
{
    settings().set("speechReminderOn", true);
    settings().set("speechReminderInterval", 0);
    settings().set("soundReminderInterval", 0);
    settings().set("growlReminderInterval", "not a number");
    for (int32_t value = 1; value < 1500; value += 7)
        tick(kSliceTime, value, 1500);
    EXPECT_THAT(entries("speech"), IsEmpty());
    tick(kSliceTime, 1260, 1500);
    EXPECT_THAT(take(), ElementsAre("script time_slice_in_progress|4 minutes left|240"));

    // 240 seconds left are a whole multiple of -120 as much as of 120.
    settings().set("soundReminderInterval", -120);
    tick(kSliceTime, 1260, 1500);
    EXPECT_THAT(take(), ElementsAre("sound clock1", "script time_slice_in_progress|4 minutes left|240"));

    settings().set("soundReminderInterval", 80);
    settings().set("countDownSound", "woodblock");
    settings().set("soundReminderVolume", 0.25);
    tick(kSliceTime, 1260, 1500);
    EXPECT_THAT(take(), ElementsAre("sound woodblock", "script time_slice_in_progress|4 minutes left|240"));
    EXPECT_FLOAT_EQ(m_sink->eventsOf(media::VoiceEvent::Kind::Started).back().volume, 0.25f);
}

TEST_F(EventHandlersTest, TheTimedBreakCallsTheScriptEverySecondAndDimsBeforeItsEnd)
{
    settings().set("breakGrowlReminderOn", true);
    settings().set("breakGrowlReminderInterval", 120);
    for (int32_t value = 1; value <= 300; ++value)
        tick(kBreakTime, value, 300);
    auto all = take();
    EXPECT_EQ(std::count_if(all.begin(), all.end(), [](auto& e) { return e.starts_with("script timed_break_in_progress|"); }), 300);
    EXPECT_EQ(all[0], "script timed_break_in_progress|Your break will end in 4 minutes|299");
    EXPECT_THAT(all, ::testing::Contains("banner Your break will end in 2 minutes|"));
    EXPECT_THAT(all, ::testing::Contains("dim 2 0.6"));
    EXPECT_THAT(all, ::testing::Contains("script timed_break_in_progress|Your break will end in 0 minutes|0"));
}

TEST_F(EventHandlersTest, EndHandlersCallTheScriptEvenWithEveryOutputOff)
{
    for (auto key : { "endSoundOn", "growlEndOn", "breakEndSoundOn", "breakGrowlEndOn", "growlStoppedOn", "growlPausedOn" })
        settings().set(key, false);
    tick(kSliceElapsed, 1500, 1500);
    tick("Ostrel_4.TimeSliceRunningState.paused", 100, 1500);
    tick("Ostrel_4.TimeSliceRunningState.stopped", 100, 1500);
    tick("Ostrel_4.TimedBreakRunningState.end", 300, 300);
    EXPECT_THAT(take(), ElementsAre("script time_slice_elapsed|Time Slice Elapsed", "script time_slice_paused|Time Slice Paused",
                            "script time_slice_was_stopped|Time Slice Stopped", "script timed_break_end|Timed break finished"));
}

TEST_F(EventHandlersTest, OncePerEventHandlersUseTheirOwnKeys)
{
    settings().set("pausedSoundOn", true);
    settings().set("pausedSound", "gong");
    settings().set("speechPausedOn", true);
    settings().set("speechPausedText", "Paused after <MinutesElapsed>");
    settings().set("growlPausedSticky", true);
    settings().set("growlPausedDescription", "<MinutesLeftValueOnly> to go");
    tick("Ostrel_4.TimeSliceRunningState.paused", 120, 600);
    EXPECT_THAT(take(), ElementsAre("sound gong", "speech Paused after 2 minutes", "banner Time Slice Paused|8 to go|sticky",
                            "script time_slice_paused|Paused after 2 minutes"));
    EXPECT_TRUE(logged("--> spokenText") == false);

    settings().set("breakStartSoundOn", true);
    tick("Ostrel_4.TimedBreakRunningState.start", 0, 300);
    EXPECT_THAT(take(), ElementsAre("sound sosumi", "banner Starting Timed Break|", "script timed_break_start|Starting Timed Break"));

    tick(kSliceStart, 0, 900);
    EXPECT_THAT(take(), ElementsAre("banner Starting Time Slice|", "script time_slice_start|Starting Time Slice"));
    EXPECT_TRUE(logged("--> spokenText as passed to Apple Script: Starting Time Slice"));
}

TEST_F(EventHandlersTest, MuteSilencesSoundsAndSpeechButNotBannersOrTheScript)
{
    settings().set("mute", true);
    settings().set("speechWarningOn", true);
    settings().set("warningSoundOn", true);
    tick(kSliceTime, 1200, 1500);
    tick(kSliceElapsed, 1500, 1500);
    EXPECT_THAT(take(), ElementsAre("banner Only 5 minutes left|", "script time_slice_in_progress|Only 5 minutes left|300",
                            "banner Time Slice Elapsed|", "script time_slice_elapsed|Time Slice Elapsed"));
    EXPECT_TRUE(m_sink->events().empty());
}

TEST_F(EventHandlersTest, UnknownSoundNamesInTheSettingsAreLoggedAndPlayNothing)
{
    settings().set("endSound", "no_such_sound");
    settings().set("startSoundOn", true);
    settings().set("startSound", "");
    tick(kSliceStart, 0, 1500);
    tick(kSliceElapsed, 1500, 1500);
    EXPECT_THAT(entries("sound"), IsEmpty());
    EXPECT_TRUE(logged("could not find sound no_such_sound in sound library"));
}

}
}
