#include "shell/DefaultSettings.h"

#include "core/SettingsArchive.h"

#include "platform/base/Defaults.h"
#include "platform/base/Paths.h"
#include "platform/gfx/Archive.h"

namespace ostrel {

namespace {

DefaultOutputDeviceProvider& deviceProvider()
{
    static DefaultOutputDeviceProvider provider;
    return provider;
}

void add(base::Value::Dictionary& table, std::initializer_list<std::pair<const char*, base::Value>> entries)
{
    for (auto& [key, value] : entries)
        table.insert_or_assign(key, value);
}

// The older form of one hot key: code, Carbon modifier mask and the combination's type.
void addHotKey(base::Value::Dictionary& table, const std::string& root, int keyCode, int modifiers)
{
    table.insert_or_assign(root + "SwiftKeyCode", keyCode);
    table.insert_or_assign(root + "SwiftModifierKeys", modifiers);
    table.insert_or_assign(root + "ComboType", "keyModifierCombo");
}

base::Value expandedPath(const char* path)
{
    return base::paths::expandTilde(path).string();
}

}

void setDefaultOutputDeviceProvider(DefaultOutputDeviceProvider provider)
{
    deviceProvider() = std::move(provider);
}

base::Value::Dictionary mainDefaultSettings()
{
    base::Value::Dictionary t;

    // Timings and warnings.
    add(t, { { "warning10MinutesOn", true }, { "warning5MinutesOn", true }, { "warning3MinutesOn", true },
               { "warning1MinuteOn", true }, { "dimmingAlpha", 0.6 }, { "dimBeforeEndOfTimeSlice", true },
               { "endOfTimeSliceDimDuration", 2.5 }, { "dimBeforeEndOfTimedBreak", true },
               { "endOfTimedBreakDimDuration", 2.5 } });

    // Sounds of the time slice, soft break, pause and stop, timed break and outside slices.
    add(t, { { "startSoundOn", false }, { "startSound", "sosumi" }, { "startSoundVolume", 1.0 },
               { "countDownSound", "clock1" }, { "soundReminderOn", true }, { "soundReminderInterval", 120 },
               { "soundReminderVolume", 1.0 }, { "continuousSoundOn", false }, { "continuousSoundVolume", 1.0 },
               { "continuousSound", "pink_noise" }, { "warningSoundVolume", 1.0 }, { "warningSoundOn", false },
               { "warningSound", "clock1" }, { "endSoundVolume", 1.0 }, { "endSoundOn", true },
               { "endSound", "alarm_clock" } });
    add(t, { { "softBreakFirstSoundVolume", 1.0 }, { "softBreakFirstSoundOn", true },
               { "softBreakFirstSound", "morse" }, { "softBreakSecondSoundVolume", 1.0 },
               { "softBreakSecondSoundOn", true }, { "softBreakSecondSound", "morse" },
               { "softBreakThirdSoundVolume", 1.0 }, { "softBreakThirdSoundOn", true },
               { "softBreakThirdSound", "pop" }, { "softBreakScreenFlashingChoice", 0 } });
    add(t, { { "pausedSoundVolume", 1.0 }, { "pausedSoundOn", false }, { "pausedSound", "sosumi" },
               { "stoppedSoundVolume", 1.0 }, { "stoppedSoundOn", false }, { "stoppedSound", "sosumi" } });
    add(t, { { "breakStartSoundOn", false }, { "breakStartSound", "sosumi" }, { "breakStartSoundVolume", 1.0 },
               { "breakSoundReminderInterval", 300 }, { "breakSoundReminderOn", false },
               { "breakSoundReminderVolume", 1.0 }, { "breakCountDownSound", "clock1" }, { "breakEndSoundOn", true },
               { "breakEndSound", "alarm_clock" }, { "breakEndSoundVolume", 1.0 } });
    add(t, { { "standaloneSound", "pink_noise" }, { "standaloneSoundOn", false }, { "standaloneVolume", 1.0 } });
    if (auto& provider = deviceProvider()) {
        if (auto device = provider())
            t.insert_or_assign("soundOutputDevice", *device);
    }
    add(t, { { "mute", false }, { "speechReminderVolume", 1.0 } });

    // Spoken prompts and visual notifications.
    add(t, { { "speechStartText", "Starting Time Slice" }, { "speechStartOn", false },
               { "growlStartText", "Starting Time Slice" }, { "growlStartDescription", "" },
               { "growlStartSticky", false }, { "growlStartOn", true } });
    add(t, { { "speechReminderText", "<MinutesLeft> left" }, { "speechReminderOn", false },
               { "speechReminderInterval", 300 }, { "growlReminderText", "<MinutesLeft> left" },
               { "growlReminderDescription", "" }, { "growlReminderOn", true }, { "growlReminderSticky", false },
               { "growlReminderInterval", 300 } });
    add(t, { { "speechWarningText", "Only <MinutesLeft> left" }, { "speechWarningOn", false },
               { "growlWarningText", "Only <MinutesLeft> left" }, { "growlWarningDescription", "" },
               { "growlWarningOn", true }, { "growlWarningSticky", false } });
    add(t, { { "speechEndText", "Time Slice Elapsed" }, { "speechEndOn", false },
               { "growlEndText", "Time Slice Elapsed" }, { "growlEndDescription", "" }, { "growlEndOn", true },
               { "growlEndSticky", false } });
    add(t, { { "speechSoftBreakUserStillActiveText", "The break will start as soon as you stop working." },
               { "speechSoftBreakUserStillActiveOn", false },
               { "growlSoftBreakUserStillActiveText", "Your Break will start in 30 seconds\u2026" },
               { "growlSoftBreakUserStillActiveDescription", "\u2026or as soon as you stop working." },
               { "growlSoftBreakUserStillActiveOn", true }, { "growlSoftBreakUserStillActiveSticky", false } });
    add(t, { { "speechSoftBreakIntermediaryText", "The break will start automatically in 15 seconds." },
               { "speechSoftBreakIntermediaryOn", false }, { "growlSoftBreakIntermediaryOn", true },
               { "growlSoftBreakIntermediaryText", "Your Break will start in 15 seconds\u2026" },
               { "growlSoftBreakIntermediaryDescription", "\u2026or as soon as you stop working." },
               { "growlSoftBreakIntermediaryStick", false } });
    add(t, { { "speechSoftBreakFinalOn", false }, { "speechSoftBreakFinalText", "Time Slice Elapsed" },
               { "growlSoftBreakFinalText", "Time Slice Elapsed" }, { "growlSoftBreakFinalDescription", "" },
               { "growlSoftBreakFinalOn", false }, { "growlSoftBreakFinalStick", false } });
    add(t, { { "speechPausedText", "Time Slice Paused" }, { "speechPausedOn", false },
               { "growlPausedText", "Time Slice Paused" }, { "growlPausedDescription", "" },
               { "growlPausedOn", true }, { "growlPausedSticky", false } });
    add(t, { { "speechStoppedText", "Time Slice Stopped" }, { "speechStoppedOn", false },
               { "growlStoppedText", "Time Slice Stopped" }, { "growlStoppedDescription", "" },
               { "growlStoppedOn", true }, { "growlStoppedSticky", false } });
    add(t, { { "speechBreakStartText", "Starting Timed Break" }, { "speechBreakStartOn", false },
               { "growlBreakStartText", "Starting Timed Break" }, { "growlBreakStartDescription", "" },
               { "growlBreakStartOn", true }, { "growlBreakStartSticky", false } });
    add(t, { { "breakSpeechReminderText", "Your break will end in <MinutesLeft>" },
               { "breakSpeechReminderOn", false }, { "breakSpeechReminderInterval", 300 },
               { "breakGrowlReminderText", "Your break will end in <MinutesLeft>" },
               { "breakGrowlReminderDescription", "" }, { "breakGrowlReminderSticky", false },
               { "breakGrowlReminderOn", false }, { "breakGrowlReminderInterval", 300 } });
    add(t, { { "breakSpeechEndText", "Timed break finished" }, { "breakSpeechEndOn", false },
               { "breakGrowlEndText", "Timed break finished" }, { "breakGrowlEndDescription", "" },
               { "breakGrowlEndOn", true }, { "breakGrowlEndSticky", false } });
    add(t, { { "notificationEngine", 1 }, { "notificationPosition", 3 } });

    // Hot keys in the older form (Carbon key code and modifier mask).
    addHotKey(t, "now", 45, 2304);
    addHotKey(t, "later", 37, 2304);
    addHotKey(t, "scratch", 35, 2304);
    addHotKey(t, "readObjectiveAloud", 31, 2816);
    addHotKey(t, "startTimeSlice", 1, 2304);
    addHotKey(t, "pauseTimeSlice", 32, 2304);
    addHotKey(t, "endTimeSlice", 14, 2304);
    addHotKey(t, "startTimedBreak", 11, 2304);
    addHotKey(t, "toggleInterface", 15, 4096);

    // Objectives, windows and screens.
    base::Value::Array excluded;
    for (auto* path : { "/Applications/OmniFocus.app", "/Applications/The Hit List.app", "/Applications/Things.app",
             "/Applications/Things beta.app" })
        excluded.push_back(base::Value::Dictionary { { "path", path } });
    add(t, { { "IdleStateWhatsNextSelection", 0 }, { "automaticallyCloseAllFinderWindows", false },
               { "recentObjectivesListCopyTags", true }, { "defaultObjectivesListCopyTags", true },
               { "excludeApplicationsList", excluded }, { "topLeftX", -1.0 }, { "topLeftY", -1.0 },
               { "promptPlacement", 2 }, { "halfHeightObjectiveTextView", true }, { "windowCompressionMode", 0 },
               { "objectiveTextFieldInPrepareTimedBreakState", false }, { "timeSliceInfoTabViewIndex", 0 },
               { "timeSliceExtensionInfoTabViewIndex", 0 }, { "filtering", false },
               { "automaticallyBringDefineTimeSliceToFrontAfterInactivity", false },
               { "automaticallyBringDefineTimeSliceToFrontAfterOneHour", false },
               { "automaticallyBringDefineTimeSliceToFrontAfterLunch", false },
               { "automaticallyBringDefineTimeSliceToFrontAfterBreakfast", false }, { "menubarIconChoice", 0 },
               { "clickMovesWindowBelowIcon", true }, { "dockless", false } });

    // Pads and text.
    add(t, { { "insertBreadcrumbTemplate", true }, { "insertPrimingTemplate", true },
               { "continuousSpellChecking", true }, { "automaticSpellingCorrection", false },
               { "textReplacement", true }, { "grammarChecking", false }, { "smartLinks", true },
               { "smartQuotes", true }, { "smartDashes", true }, { "smartInsertAndDelete", true },
               { "dataDetectorsOn", false }, { "currentPadIndex", 0 },
               { "nowPadBackgroundColor", gfx::archiveColor(registeredColors::nowPadBackground) },
               { "laterPadBackgroundColor", gfx::archiveColor(registeredColors::laterPadBackground) },
               { "scratchPadBackgroundColor", gfx::archiveColor(registeredColors::scratchPadBackground) },
               { "objectiveBackgroundColor", gfx::archiveColor(registeredColors::objectiveBackground) },
               { "nowAndLaterBoardAlpha", 1.0 }, { "textColor", gfx::archiveColor(padTextColorDefault) },
               { "defaultFont", gfx::archiveFont(padFontDefault) } });

    // Translucent panel appearance.
    add(t, { { "fillWhite", 0.14363636 }, { "strokeWhite", 0.16545455 }, { "fillAlpha", 0.5290909 },
               { "strokeAlpha", 0.089090906 }, { "whiteColor", true }, { "HUDGradientStart", 0.0 },
               { "HUDGradientRange", 0.0 } });

    // Task managers.
    add(t, { { "omnifocusIntegration", true }, { "theHitListIntegration", true },
               { "thingsIntegrationToDoCompletion", true }, { "thingsIntegrationMoveToLogBook", true },
               { "showTheHitListIntegrationAutoHideMessage", true }, { "showThingsIntegrationAutoHideMessage", true } });

    // Statistics, export and log folder.
    add(t, { { "currentlyDisplayedStatistic", 0 }, { "statsRadioButtonChoice", 0 }, { "statsDateMode", 0 },
               { "statsFromDate", "2000-01-01" }, { "statsToDate", "2020-01-01" },
               { "exportAsCSVPath", expandedPath("~/Desktop/Ostrel Log.csv") }, { "dropboxSync", false },
               { "dropboxLocation", expandedPath("~/Dropbox/") }, { "loggerIsOn", true } });

    // Updates, preferences window and start-up.
    add(t, { { "SUScheduledCheckInterval", 86400 }, { "SUEnableAutomaticChecks", true },
               { "preferencesTabViewItemIdentifier", "Notifications" }, { "notificationPreferencesTableIndex", 1 },
               { "debug_speed", 0 }, { "debug_menu", false }, { "experimentalBehavioursAreOn", false },
               { "firstLaunch", true }, { "variation", "D" } });
    return t;
}

std::map<std::string, base::Defaults::Range> mainSettingRanges()
{
    // Volumes, opacities and whites run from 0 to 1; an interval of seconds is never less than
    // none, and one of 0 silences its reminder.
    std::map<std::string, base::Defaults::Range> ranges;
    for (const auto& [key, value] : mainDefaultSettings()) {
        if (!value.isNumber() || value.asBoolean())
            continue;
        if (key.ends_with("Volume") || key.ends_with("Alpha") || key.ends_with("White"))
            ranges[key] = { 0, 1 };
        else if (key.ends_with("Interval"))
            ranges[key] = { 0, 366.0 * 86400 };
    }
    return ranges;
}

void prepareDefaults()
{
    auto store = base::Defaults::standard();
    store->registerDefaults(mainDefaultSettings());
    store->registerRanges(mainSettingRanges());
}

}
