#include "tests/states/WelcomeFixture.h"

#include "attention/WhiteNoiseMachine.h"
#include "mainwindow/PadTable.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <array>
#include <map>

namespace ostrel::test {

namespace {

using Settings = std::map<std::string, base::Value>;

const std::vector<std::string> kVisual { "growlStartOn", "growlReminderOn", "growlWarningOn", "growlEndOn",
    "growlPausedOn", "growlStoppedOn", "growlBreakStartOn" };
const std::vector<std::string> kSpeech { "speechStartOn", "speechReminderOn", "speechWarningOn", "speechEndOn",
    "speechPausedOn", "speechStoppedOn", "speechBreakStartOn", "breakSpeechReminderOn", "breakSpeechEndOn" };
const std::vector<std::string> kSounds { "breakEndSoundOn", "soundReminderOn", "endSoundOn", "startSoundOn",
    "warningSoundOn", "pausedSoundOn", "breakSoundReminderOn", "breakStartSoundOn", "stoppedSoundOn" };
const std::vector<std::string> kWorkflowOptions { "primingOption", "breadcrumbsOption", "startWithBreakOption",
    "doNotLogOption", "informalBreakOption" };

// Every key of `keys` on, the rest of `all` off.
Settings onlyOn(const std::vector<std::string>& all, const std::vector<std::string>& keys)
{
    Settings settings;
    for (const auto& key : all)
        settings[key] = std::find(keys.begin(), keys.end(), key) != keys.end();
    return settings;
}

Settings merged(std::initializer_list<Settings> parts)
{
    Settings all;
    for (const auto& part : parts) {
        for (const auto& [key, value] : part)
            all[key] = value;
    }
    return all;
}

std::vector<std::string> keysOf(std::initializer_list<std::vector<std::string>> lists)
{
    std::vector<std::string> keys;
    for (const auto& list : lists)
        keys.insert(keys.end(), list.begin(), list.end());
    return keys;
}

struct ProfileCase {
    const char* name;
    // Technique, compactness, notifications, continuous sound; null leaves the registered default.
    std::array<base::Value, 4> choices;
    Settings expected;
    // Keys the application must leave unwritten.
    std::vector<std::string> untouched;
};

const std::vector<ProfileCase>& profileCases()
{
    static const std::vector<ProfileCase> cases {
        { "registered defaults", {},
            merged({ { { "durationInSeconds", int64_t(1200) }, { "breakDurationControlAlternative", "default" },
                         { "softBreakScreenFlashingChoice", int64_t(0) }, { "softBreakFirstSoundOn", true },
                         { "softBreakSecondSoundOn", true }, { "softBreakThirdSoundOn", true },
                         { "continuousSoundOn", false }, { "windowCompressionMode", int64_t(1) },
                         { "hideContinuousSoundInTimeSliceRunningState", true }, { "hideTagEditor", true },
                         { "objectiveTextFieldInInformalBreakState", false }, { "automaticEndToInformalBreak", false },
                         { "rateTimeSliceStateAutomaticallySwitchToWeeklyStatistic", false } },
                onlyOn(kVisual, { "growlReminderOn", "growlWarningOn" }), onlyOn(kSpeech, {}),
                onlyOn(kSounds, { "breakEndSoundOn", "soundReminderOn", "endSoundOn" }),
                onlyOn(kWorkflowOptions, kWorkflowOptions) }),
            { "continuousSound" } },
        { "pomodoro, balanced", {{ "pomodoro", "balanced", {}, {} }},
            merged({ { { "durationInSeconds", int64_t(1500) }, { "breakDurationControlAlternative", "pomodoroStyle" },
                         { "windowCompressionMode", int64_t(2) }, { "hideTagEditor", false },
                         { "halfHeightObjectiveTextView", true }, { "objectiveTextFieldInPrepareTimedBreakState", true },
                         { "straightToNextTimeSliceOption", true }, { "objectiveTextFieldInInformalBreakState", false },
                         { "automaticEndToInformalBreak", true } },
                onlyOn(kWorkflowOptions, {}) }),
            {} },
        { "verbose differs from balanced in three keys", {{ {}, "verbose", {}, {} }},
            { { "objectiveTextFieldInPrepareTimedBreakState", false }, { "straightToNextTimeSliceOption", false },
                { "objectiveTextFieldInInformalBreakState", true }, { "windowCompressionMode", int64_t(2) } },
            {} },
        { "pink noise, very compact", {{ {}, "veryCompact", {}, "pinkNoise" }},
            { { "continuousSoundOn", true }, { "continuousSound", "pink_noise" },
                { "hideContinuousSoundInTimeSliceRunningState", true } },
            {} },
        { "no sound, verbose", {{ {}, "verbose", {}, "none" }},
            { { "continuousSoundOn", false }, { "hideContinuousSoundInTimeSliceRunningState", false } },
            { "continuousSound" } },
        { "ticking with some sounds", {{ {}, "balanced", "some", "pomodoro" }},
            merged({ { { "continuousSoundOn", true }, { "continuousSound", "clock1_c" },
                         { "hideContinuousSoundInTimeSliceRunningState", false } },
                onlyOn(kSounds, { "breakEndSoundOn", "endSoundOn" }) }),
            {} },
        { "ticking with voice", {{ {}, {}, "voice", "pomodoro" }},
            merged({ onlyOn(kSounds, {}),
                onlyOn(kSpeech, { "speechReminderOn", "speechWarningOn", "speechEndOn", "breakSpeechEndOn" }),
                { { "softBreakScreenFlashingChoice", int64_t(0) }, { "softBreakThirdSoundOn", true } } }),
            {} },
        { "only visual notifications", {{ {}, {}, "none", {} }},
            merged({ onlyOn(kVisual, { "growlReminderOn", "growlWarningOn" }), onlyOn(kSpeech, {}),
                onlyOn(kSounds, {}),
                { { "softBreakScreenFlashingChoice", int64_t(3) }, { "softBreakFirstSoundOn", false },
                    { "softBreakSecondSoundOn", false }, { "softBreakThirdSoundOn", false } } }),
            {} },
        // Choices of another kind (a number, a Boolean) read as the registered ones; these
        // are texts that name no choice.
        { "unknown choices", {{ "1500", "compact", "loud", "true" }},
            merged({ { { "windowCompressionMode", int64_t(1) }, { "hideTagEditor", true } },
                onlyOn(kWorkflowOptions, kWorkflowOptions), { { "hideContinuousSoundInTimeSliceRunningState", true } } }),
            keysOf({ { "durationInSeconds", "breakDurationControlAlternative", "softBreakScreenFlashingChoice",
                         "softBreakFirstSoundOn", "continuousSoundOn", "continuousSound" },
                kVisual, kSpeech, kSounds }) },
    };
    return cases;
}

const char* const kChoiceKeys[] = { "techniqueProfileChoice", "compactnessProfileChoice", "notificationProfileChoice",
    "continuousSoundProfileChoice" };

class ProfileApplicationTest : public WelcomeTest {
protected:
    void SetUp() override
    {
        // The continuous-sound machine puts a sound the library does not know back to its
        // default; these cases are about what the profile writes.
        WhiteNoiseMachine::setContinuousSoundMachine(nullptr);
        startUp(0);
        // One pad open, as a user may have left it before re-running the wizard.
        mainWindowController().showPad("statsPadHidden");
    }
    void apply(const ProfileCase& profile)
    {
        for (std::size_t i = 0; i < 4; ++i) {
            if (!profile.choices[i].isNull())
                store().set(kChoiceKeys[i], profile.choices[i]);
        }
        welcome()->createInitialConfigurationBasedOnSettings();
    }
    bool allPadsClosed()
    {
        for (const auto& pad : PadTable::pads()) {
            if (!store().boolean(pad.hiddenKey))
                return false;
        }
        return true;
    }
};

TEST_F(ProfileApplicationTest, EachProfileWritesItsSettingsWithTheirTypes)
{
    for (const auto& profile : profileCases()) {
        SCOPED_TRACE(profile.name);
        // A fresh settings file for every profile.
        for (const char* key : kChoiceKeys)
            store().remove(key);
        for (const auto& [key, value] : profile.expected)
            store().remove(key);
        for (const auto& key : profile.untouched)
            store().remove(key);
        apply(profile);
        for (const auto& [key, value] : profile.expected) {
            auto stored = store().object(key);
            ASSERT_TRUE(stored && store().hasStoredValue(key)) << key;
            EXPECT_EQ(*stored, value) << key;
        }
        for (const auto& key : profile.untouched)
            EXPECT_FALSE(store().hasStoredValue(key)) << key;
    }
}

// Which optional views each screen shows, by density: very compact, balanced, verbose.
const std::vector<std::string> kInterfaceKeys { "halfHeightObjectiveTextView", "hideTagEditor", "hideCalendarEvents",
    "hideBubbles", "hideDurationAndEndDate", "startWithBreakOption", "halfHeightObjectiveTextViewInTimeSliceRunningState",
    "hideTagEditorInTimeSliceRunningState", "hideBubblesInTSRunningState", "hideRemainingAndTotalInRunningState",
    "hideElapsedAndEndTimeInRunningState", "hideContinuousSoundInTimeSliceRunningState",
    "halfHeightObjectiveTextViewInPausedState", "hideTagEditorInPausedState",
    "halfHeightObjectiveTextViewInRateTimeSliceState", "hideTagEditorInRateTimeSliceState", "breadcrumbsOption",
    "primingOption", "doNotLogOption", "extendTimeSliceFragmentOptionInRateTimeSliceStep",
    "rateTimeSliceStateAutomaticallySwitchToWeeklyStatistic", "objectiveTextFieldInPrepareTimedBreakState",
    "halfHeightObjectiveTextViewInPrepareTimedBreakState", "hideTagEditorInPrepareTimedBreakState",
    "hideCalendarEventsInPrepareTimedBreak", "hideBubblesInPrepareTimedBreakState", "hideDurationAndEndDateForTimedBreak",
    "lockScreenOption", "straightToNextTimeSliceOption", "informalBreakOption", "hideBubblesInTBRunningState",
    "hideDurationAndEndDateInTimedBreak", "hideRemainingAndTotalInTimedBreak", "objectiveTextFieldInInformalBreakState",
    "halfHeightObjectiveTextViewInInformalBreakState", "hideTagEditorInInformalBreakState", "automaticEndToInformalBreak" };

// Half-height fields everywhere; a few keys of their own; every other view shown only when
// not very compact.
bool interfaceValue(const std::string& key, int density)
{
    static const std::map<std::string, std::array<bool, 3>> exceptions {
        { "objectiveTextFieldInPrepareTimedBreakState", { true, true, false } },
        { "straightToNextTimeSliceOption", { true, true, false } },
        { "objectiveTextFieldInInformalBreakState", { false, false, true } },
        { "rateTimeSliceStateAutomaticallySwitchToWeeklyStatistic", { false, true, true } },
        { "automaticEndToInformalBreak", { false, true, true } },
    };
    if (key.rfind("halfHeight", 0) == 0)
        return true;
    if (auto found = exceptions.find(key); found != exceptions.end())
        return found->second[std::size_t(density)];
    return density == 0;
}

TEST_F(ProfileApplicationTest, EachDensityWritesEveryInterfaceKey)
{
    ASSERT_EQ(kInterfaceKeys.size(), 37u);
    const char* densities[] = { "veryCompact", "balanced", "verbose" };
    for (int density = 0; density < 3; ++density) {
        SCOPED_TRACE(densities[density]);
        for (const auto& key : kInterfaceKeys)
            store().remove(key);
        store().set("compactnessProfileChoice", densities[density]);
        welcome()->createInitialConfigurationBasedOnSettings();
        for (const auto& key : kInterfaceKeys) {
            auto stored = store().object(key);
            ASSERT_TRUE(stored && store().hasStoredValue(key)) << key;
            EXPECT_EQ(*stored, base::Value(interfaceValue(key, density))) << key;
        }
    }
}

TEST_F(ProfileApplicationTest, VeryCompactClosesEveryPadWhileTheOtherDensitiesLeaveThemAlone)
{
    ASSERT_FALSE(allPadsClosed());
    store().set("compactnessProfileChoice", "balanced");
    welcome()->createInitialConfigurationBasedOnSettings();
    EXPECT_FALSE(store().boolean("statsPadHidden"));
    store().set("compactnessProfileChoice", "veryCompact");
    welcome()->createInitialConfigurationBasedOnSettings();
    EXPECT_TRUE(allPadsClosed());
}

TEST_F(ProfileApplicationTest, ApplyingTwiceChangesNothing)
{
    for (const auto& profile : profileCases()) {
        SCOPED_TRACE(profile.name);
        apply(profile);
        auto once = storedSettings();
        apply(profile);
        EXPECT_EQ(storedSettings(), once);
    }
}

}

}
