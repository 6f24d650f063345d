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
    // Technique, compactness, notifications, continuous sound; none leaves the registered default.
    std::array<const char*, 4> choices;
    Settings expected;
    // Keys the application must leave unwritten.
    std::vector<std::string> untouched;
};

const std::vector<ProfileCase>& profileCases()
{
    static const std::vector<ProfileCase> cases {
        { "registered defaults", { nullptr, nullptr, nullptr, nullptr },
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
        { "pomodoro, balanced", { "pomodoro", "balanced", nullptr, nullptr },
            merged({ { { "durationInSeconds", int64_t(1500) }, { "breakDurationControlAlternative", "pomodoroStyle" },
                         { "windowCompressionMode", int64_t(2) }, { "hideTagEditor", false },
                         { "halfHeightObjectiveTextView", true }, { "objectiveTextFieldInPrepareTimedBreakState", true },
                         { "straightToNextTimeSliceOption", true }, { "objectiveTextFieldInInformalBreakState", false },
                         { "automaticEndToInformalBreak", true } },
                onlyOn(kWorkflowOptions, {}) }),
            {} },
        { "verbose differs from balanced in three keys", { nullptr, "verbose", nullptr, nullptr },
            { { "objectiveTextFieldInPrepareTimedBreakState", false }, { "straightToNextTimeSliceOption", false },
                { "objectiveTextFieldInInformalBreakState", true }, { "windowCompressionMode", int64_t(2) } },
            {} },
        { "pink noise, very compact", { nullptr, "veryCompact", nullptr, "pinkNoise" },
            { { "continuousSoundOn", true }, { "continuousSound", "pink_noise" },
                { "hideContinuousSoundInTimeSliceRunningState", true } },
            {} },
        { "no sound, verbose", { nullptr, "verbose", nullptr, "none" },
            { { "continuousSoundOn", false }, { "hideContinuousSoundInTimeSliceRunningState", false } },
            { "continuousSound" } },
        { "ticking with some sounds", { nullptr, "balanced", "some", "pomodoro" },
            merged({ { { "continuousSoundOn", true }, { "continuousSound", "clock1_c" },
                         { "hideContinuousSoundInTimeSliceRunningState", false } },
                onlyOn(kSounds, { "breakEndSoundOn", "endSoundOn" }) }),
            {} },
        { "ticking with voice", { nullptr, nullptr, "voice", "pomodoro" },
            merged({ onlyOn(kSounds, {}),
                onlyOn(kSpeech, { "speechReminderOn", "speechWarningOn", "speechEndOn", "breakSpeechEndOn" }),
                { { "softBreakScreenFlashingChoice", int64_t(0) }, { "softBreakThirdSoundOn", true } } }),
            {} },
        { "only visual notifications", { nullptr, nullptr, "none", nullptr },
            merged({ onlyOn(kVisual, { "growlReminderOn", "growlWarningOn" }), onlyOn(kSpeech, {}),
                onlyOn(kSounds, {}),
                { { "softBreakScreenFlashingChoice", int64_t(3) }, { "softBreakFirstSoundOn", false },
                    { "softBreakSecondSoundOn", false }, { "softBreakThirdSoundOn", false } } }),
            {} },
        { "unknown choices", { "Pomodoro", "compact", "loud", "brown noise" },
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
            if (profile.choices[i])
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
