#include "states/WelcomeState.h"

#include "mainwindow/MainWindowController.h"
#include "states/MainWindowAccess.h"

#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// What the four profile choices turn into. Each table holds each key once; the steps and the
// tables within a step run in a fixed order, and where two write the same key the later wins.
namespace ostrel {

namespace {

using Table = std::vector<std::pair<const char*, base::Value>>;

void write(base::Defaults& store, const Table& table)
{
    for (const auto& [key, value] : table)
        store.set(key, value);
}

void writeAll(base::Defaults& store, const std::vector<const char*>& keys, bool value)
{
    for (const char* key : keys)
        store.set(key, value);
}

void configureVisualNotifications(base::Defaults& store)
{
    write(store, {
                     { "growlStartOn", false },
                     { "growlReminderOn", true },
                     { "growlWarningOn", true },
                     { "growlEndOn", false },
                     { "growlPausedOn", false },
                     { "growlStoppedOn", false },
                     { "growlBreakStartOn", false },
                 });
}

void switchOffAllVoiceNotifications(base::Defaults& store)
{
    writeAll(store,
        { "speechStartOn", "speechReminderOn", "speechWarningOn", "speechEndOn", "speechPausedOn", "speechStoppedOn",
            "speechBreakStartOn", "breakSpeechReminderOn", "breakSpeechEndOn" },
        false);
}

void switchOffAllSoundNotifications(base::Defaults& store)
{
    writeAll(store,
        { "breakEndSoundOn", "soundReminderOn", "endSoundOn", "startSoundOn", "warningSoundOn", "pausedSoundOn",
            "breakSoundReminderOn", "breakStartSoundOn", "stoppedSoundOn" },
        false);
}

void configureVoiceNotifications(base::Defaults& store)
{
    writeAll(store, { "speechReminderOn", "speechWarningOn", "speechEndOn", "breakSpeechEndOn" }, true);
}

void configureSomeSounds(base::Defaults& store)
{
    writeAll(store, { "breakEndSoundOn", "soundReminderOn", "endSoundOn" }, true);
}

// How the soft break signals itself: three sounds (for "some" and "voice"), or, silent,
// every tick flashing all screens (for "none").
void writeSoftBreakSignal(base::Defaults& store, bool withSounds)
{
    write(store, {
                     { "softBreakScreenFlashingChoice", int64_t(withSounds ? 0 : 3) },
                     { "softBreakFirstSoundOn", withSounds },
                     { "softBreakSecondSoundOn", withSounds },
                     { "softBreakThirdSoundOn", withSounds },
                 });
}

void switchSoftBreakToSound(base::Defaults& store) { writeSoftBreakSignal(store, true); }

void configureTechnique(base::Defaults& store, bool pomodoro)
{
    write(store, {
                     { "durationInSeconds", int64_t(pomodoro ? 1500 : 1200) },
                     { "primingOption", pomodoro },
                     { "breadcrumbsOption", pomodoro },
                     { "startWithBreakOption", pomodoro },
                     { "breakDurationControlAlternative", pomodoro ? "pomodoroStyle" : "default" },
                     { "doNotLogOption", pomodoro },
                     { "informalBreakOption", pomodoro },
                 });
}

enum Density { veryCompact, balanced, verbose };

// Which optional views every screen shows, one column per density, grouped by the screen
// that reads the keys.
struct InterfaceRow {
    const char* key;
    std::array<bool, 3> value;
};

const std::vector<InterfaceRow>& interfaceTable()
{
    static const std::vector<InterfaceRow> rows {
        // Define screen.
        { "halfHeightObjectiveTextView", { true, true, true } },
        { "hideTagEditor", { true, false, false } },
        { "hideCalendarEvents", { true, false, false } },
        { "hideBubbles", { true, false, false } },
        { "hideDurationAndEndDate", { true, false, false } },
        { "startWithBreakOption", { true, false, false } },
        // Running screen.
        { "halfHeightObjectiveTextViewInTimeSliceRunningState", { true, true, true } },
        { "hideTagEditorInTimeSliceRunningState", { true, false, false } },
        { "hideBubblesInTSRunningState", { true, false, false } },
        { "hideRemainingAndTotalInRunningState", { true, false, false } },
        { "hideElapsedAndEndTimeInRunningState", { true, false, false } },
        { "hideContinuousSoundInTimeSliceRunningState", { true, false, false } },
        // Paused screen.
        { "halfHeightObjectiveTextViewInPausedState", { true, true, true } },
        { "hideTagEditorInPausedState", { true, false, false } },
        // Rate screen.
        { "halfHeightObjectiveTextViewInRateTimeSliceState", { true, true, true } },
        { "hideTagEditorInRateTimeSliceState", { true, false, false } },
        { "breadcrumbsOption", { true, false, false } },
        { "primingOption", { true, false, false } },
        { "doNotLogOption", { true, false, false } },
        { "extendTimeSliceFragmentOptionInRateTimeSliceStep", { true, false, false } },
        { "rateTimeSliceStateAutomaticallySwitchToWeeklyStatistic", { false, true, true } },
        // Break preparation.
        { "objectiveTextFieldInPrepareTimedBreakState", { true, true, false } },
        { "halfHeightObjectiveTextViewInPrepareTimedBreakState", { true, true, true } },
        { "hideTagEditorInPrepareTimedBreakState", { true, false, false } },
        { "hideCalendarEventsInPrepareTimedBreak", { true, false, false } },
        { "hideBubblesInPrepareTimedBreakState", { true, false, false } },
        { "hideDurationAndEndDateForTimedBreak", { true, false, false } },
        { "lockScreenOption", { true, false, false } },
        { "straightToNextTimeSliceOption", { true, true, false } },
        { "informalBreakOption", { true, false, false } },
        // Timed break.
        { "hideBubblesInTBRunningState", { true, false, false } },
        { "hideDurationAndEndDateInTimedBreak", { true, false, false } },
        { "hideRemainingAndTotalInTimedBreak", { true, false, false } },
        // Informal break.
        { "objectiveTextFieldInInformalBreakState", { false, false, true } },
        { "halfHeightObjectiveTextViewInInformalBreakState", { true, true, true } },
        { "hideTagEditorInInformalBreakState", { true, false, false } },
        { "automaticEndToInformalBreak", { false, true, true } },
    };
    return rows;
}

void switchToInterface(base::Defaults& store, Density density)
{
    for (const auto& row : interfaceTable())
        store.set(row.key, row.value[density]);
}

void switchToVeryCompactInterface(base::Defaults& store) { switchToInterface(store, veryCompact); }
void switchToBalancedInterface(base::Defaults& store) { switchToInterface(store, balanced); }
void switchToVerboseInterface(base::Defaults& store) { switchToInterface(store, verbose); }

}

void WelcomeState::createInitialConfigurationBasedOnSettings()
{
    auto& store = *model().store();

    auto technique = store.string("techniqueProfileChoice");
    if (technique == "pomodoro" || technique == "ostrel")
        configureTechnique(store, technique == "pomodoro");

    auto notifications = store.string("notificationProfileChoice");
    if (notifications == "some") {
        configureVisualNotifications(store);
        switchOffAllVoiceNotifications(store);
        switchOffAllSoundNotifications(store);
        configureSomeSounds(store);
        switchSoftBreakToSound(store);
    } else if (notifications == "voice") {
        configureVisualNotifications(store);
        switchOffAllSoundNotifications(store);
        switchOffAllVoiceNotifications(store);
        configureVoiceNotifications(store);
        switchSoftBreakToSound(store);
    } else if (notifications == "none") {
        configureVisualNotifications(store);
        switchOffAllSoundNotifications(store);
        switchOffAllVoiceNotifications(store);
        writeSoftBreakSignal(store, false);
    }

    auto continuousSound = store.string("continuousSoundProfileChoice");
    if (continuousSound == "none") {
        store.set("continuousSoundOn", false);
        store.set("hideContinuousSoundInTimeSliceRunningState", true);
    } else if (continuousSound == "pinkNoise" || continuousSound == "pomodoro") {
        store.set("continuousSoundOn", true);
        store.set("continuousSound", continuousSound == "pomodoro" ? "clock1_c" : "pink_noise");
        store.set("hideContinuousSoundInTimeSliceRunningState", false);
    }

    const std::string& compressionKey = model().windowCompressionMode->storageKey();
    auto compactness = store.string("compactnessProfileChoice");
    if (compactness == "balanced" || compactness == "verbose") {
        store.set(compressionKey, int64_t(WindowCompressionMode::onlyWhenSideBarIsClosed));
        if (compactness == "balanced")
            switchToBalancedInterface(store);
        else
            switchToVerboseInterface(store);
    } else {
        store.set(compressionKey, int64_t(WindowCompressionMode::always));
        // A name no pad has: every pad closes.
        if (auto* mainWindow = MainWindowAccess::controller())
            mainWindow->hideAllPadsExcept("dummy");
        else
            base::diagnostic("WelcomeState: no main window whose pads to close");
        switchToVeryCompactInterface(store);
    }

    // The ticking sound already reminds: the reminder and warning ticks would only add to it.
    if (store.string("continuousSoundProfileChoice") == "pomodoro" && store.string("notificationProfileChoice") == "some") {
        store.set("warningSoundOn", false);
        store.set("soundReminderOn", false);
    }

    store.synchronize();
}

}
