#include "attention/TimeSliceNotificationHandlers.h"

#include "attention/NotificationHelper.h"
#include "attention/DimmingManager.h"
#include "attention/ScriptLauncher.h"
#include "attention/SoundManager.h"
#include "attention/SpeechManager.h"
#include "attention/WhiteNoiseMachine.h"
#include "core/DataModel.h"
#include "core/ZrLog.h"

#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"

#include <algorithm>

namespace ostrel {

namespace {

base::Defaults& settings()
{
    return *base::Defaults::standard();
}

std::string text(const char* key)
{
    return settings().string(key).value_or("");
}

float volume(const char* key)
{
    return float(settings().real(key));
}

// The dimming windows get an opacity they can use, whatever the setting holds.
float dimmingAlpha()
{
    return float(std::clamp(settings().real("dimmingAlpha"), 0.0, 1.0));
}

struct ReminderKeys {
    const char* speechOn;
    const char* speechInterval;
    const char* speechText;
    const char* soundOn;
    const char* soundInterval;
    const char* sound;
    const char* soundVolume;
    const char* growlOn;
    const char* growlInterval;
    const char* growlText;
    const char* growlDescription;
    const char* growlSticky;
};

// The reminders of slice and break alike; answers the reminder text.
std::string remind(const ReminderKeys& keys, int32_t value, int32_t maxValue)
{
    using H = NotificationHandler;
    auto& d = settings();
    auto reminderText = H::performSpeechTagSubstitution(d.string(keys.speechText), value, maxValue).value_or("");
    if (H::reminderIsDue(d.boolean(keys.speechOn), d.integer(keys.speechInterval), value, maxValue))
        SpeechManager::sharedManager().speakString(reminderText);
    if (H::reminderIsDue(d.boolean(keys.soundOn), d.integer(keys.soundInterval), value, maxValue))
        SoundManager::sharedManager().playSoundWithPrivateName(text(keys.sound), volume(keys.soundVolume));
    if (H::reminderIsDue(d.boolean(keys.growlOn), d.integer(keys.growlInterval), value, maxValue))
        H::displayBanner(keys.growlText, keys.growlDescription, keys.growlSticky, value, maxValue);
    return reminderText;
}

}

bool TimeSliceRunningNotificationHandler::warn(int32_t value, int32_t maxValue)
{
    struct Warning {
        int32_t seconds;
        const char* key;
    };
    static constexpr Warning warnings[] = { { 600, "warning10MinutesOn" }, { 300, "warning5MinutesOn" },
        { 180, "warning3MinutesOn" }, { 60, "warning1MinuteOn" } };
    int32_t r = secondsLeft(value, maxValue);
    bool due = false;
    for (auto& warning : warnings)
        due = due || (r == warning.seconds && settings().boolean(warning.key) && maxValue != warning.seconds);
    if (!due)
        return false;

    bool soundOn = settings().boolean("warningSoundOn");
    if (soundOn)
        SoundManager::sharedManager().playSoundWithPrivateName(text("warningSound"), volume("warningSoundVolume"));
    auto warningText = performSpeechTagSubstitution(text("speechWarningText"), value, maxValue).value_or("");
    bool speechOn = settings().boolean("speechWarningOn");
    if (speechOn)
        SpeechManager::sharedManager().speakString(warningText);
    bool growlOn = settings().boolean("growlWarningOn");
    if (growlOn)
        displayBanner("growlWarningText", "growlWarningDescription", "growlWarningSticky", value, maxValue);
    ScriptLauncher::sharedScriptLauncher().executeEventHandlerWithoutResult("time_slice_in_progress", warningText, r);
    // A warning that produced nothing leaves the second to the reminders.
    return growlOn || soundOn || speechOn;
}

bool TimeSliceRunningNotificationHandler::handleNotificationWithValue(int32_t value, int32_t maxValue)
{
    if (warn(value, maxValue))
        return true;

    int32_t r = secondsLeft(value, maxValue);
    auto reminderText = remind({ "speechReminderOn", "speechReminderInterval", "speechReminderText", "soundReminderOn",
                                   "soundReminderInterval", "countDownSound", "soundReminderVolume", "growlReminderOn",
                                   "growlReminderInterval", "growlReminderText", "growlReminderDescription",
                                   "growlReminderSticky" },
        value, maxValue);
    if (r % 30 == 0)
        ScriptLauncher::sharedScriptLauncher().executeEventHandlerWithoutResult("time_slice_in_progress", reminderText, r);

    bool softBreak = DataModel::shared().shouldUseSoftBreak();
    int64_t dimDuration = settings().integer("endOfTimeSliceDimDuration");
    if (!softBreak && dimDuration == r && settings().boolean("dimBeforeEndOfTimeSlice"))
        DimmingManager::sharedManager().startBlackOutWithDuration(dimDuration, dimmingAlpha());
    if (r == 1 && softBreak)
        NotificationHelper::instance().playFirstTick();
    return true;
}

bool TimeSliceStartNotificationHandler::handleNotificationWithValue(int32_t value, int32_t maxValue)
{
    if (settings().boolean("continuousSoundOn"))
        WhiteNoiseMachine::continuousSoundMachine().playSubjectToSettings();
    auto spokenText = announce({ "startSoundOn", "startSound", "startSoundVolume", "speechStartOn", "speechStartText",
                                   "growlStartOn", "growlStartText", "growlStartDescription", "growlStartSticky" },
        value, maxValue);
    base::diagnostic("--> spokenText as passed to Apple Script: " + spokenText);
    ScriptLauncher::sharedScriptLauncher().executeEventHandlerWithoutResult("time_slice_start", spokenText);
    return true;
}

bool TimeSliceElapsedNotificationHandler::handleNotificationWithValue(int32_t value, int32_t maxValue)
{
    zr_log("%s handling notification.", className());
    WhiteNoiseMachine::continuousSoundMachine().stopPlaying();
    auto spokenText = announce({ soundOnKey(), soundKey(), soundVolumeKey(), speechOnKey(), speechTextKey(),
                                   growlOnKey(), growlTextKey(), growlDescriptionKey(), growlStickyKey() },
        value, maxValue);
    ScriptLauncher::sharedScriptLauncher().executeEventHandlerWithoutResult(eventHandlerName(), spokenText);
    return true;
}

bool TimedBreakNotificationHandler::handleNotificationWithValue(int32_t value, int32_t maxValue)
{
    int32_t r = secondsLeft(value, maxValue);
    auto reminderText = remind({ "breakSpeechReminderOn", "breakSpeechReminderInterval", "breakSpeechReminderText",
                                   "breakSoundReminderOn", "breakSoundReminderInterval", "breakCountDownSound",
                                   "breakSoundReminderVolume", "breakGrowlReminderOn", "breakGrowlReminderInterval",
                                   "breakGrowlReminderText", "breakGrowlReminderDescription",
                                   "breakGrowlReminderSticky" },
        value, maxValue);
    ScriptLauncher::sharedScriptLauncher().executeEventHandlerWithoutResult("timed_break_in_progress", reminderText, r);

    int64_t dimDuration = settings().integer("endOfTimedBreakDimDuration");
    if (dimDuration == r && settings().boolean("dimBeforeEndOfTimedBreak"))
        DimmingManager::sharedManager().startBlackOutWithDuration(dimDuration, dimmingAlpha());
    return true;
}

bool TimedBreakStartNotificationHandler::handleNotificationWithValue(int32_t value, int32_t maxValue)
{
    auto spokenText = announce({ "breakStartSoundOn", "breakStartSound", "breakStartSoundVolume",
                                   "speechBreakStartOn", "speechBreakStartText", "growlBreakStartOn",
                                   "growlBreakStartText", "growlBreakStartDescription", "growlBreakStartSticky" },
        value, maxValue);
    ScriptLauncher::sharedScriptLauncher().executeEventHandlerWithoutResult("timed_break_start", spokenText);
    return true;
}

bool TimedBreakEndNotificationHandler::handleNotificationWithValue(int32_t value, int32_t maxValue)
{
    auto spokenText = announce({ "breakEndSoundOn", "breakEndSound", "breakEndSoundVolume", "breakSpeechEndOn",
                                   "breakSpeechEndText", "breakGrowlEndOn", "breakGrowlEndText",
                                   "breakGrowlEndDescription", "breakGrowlEndSticky" },
        value, maxValue);
    ScriptLauncher::sharedScriptLauncher().executeEventHandlerWithoutResult("timed_break_end", spokenText);
    return true;
}

}
