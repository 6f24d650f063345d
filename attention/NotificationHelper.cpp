#include "attention/NotificationHelper.h"

#include "attention/OstrelNotificationSystem.h"
#include "attention/ScreenFadingHelper.h"
#include "attention/ScriptLauncher.h"
#include "attention/SoundManager.h"
#include "attention/SpeechManager.h"
#include "drawing/BreakTimeStyleKit.h"

#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"

namespace ostrel {

namespace {

base::Defaults& settings()
{
    return *base::Defaults::standard();
}

struct TickKeys {
    const char* on;
    const char* sound;
    const char* volume;
};
constexpr TickKeys kFirstTick { "softBreakFirstSoundOn", "softBreakFirstSound", "softBreakFirstSoundVolume" };
constexpr TickKeys kSecondTick { "softBreakSecondSoundOn", "softBreakSecondSound", "softBreakSecondSoundVolume" };
constexpr TickKeys kTock { "softBreakThirdSoundOn", "softBreakThirdSound", "softBreakThirdSoundVolume" };

bool playIfOn(const TickKeys& keys)
{
    if (!settings().boolean(keys.on))
        return false;
    SoundManager::sharedManager().playSoundWithPrivateName(settings().string(keys.sound).value_or(""),
        float(settings().real(keys.volume)));
    return true;
}

struct MessageKeys {
    const char* speechOn;
    const char* speechText;
    const char* growlOn;
    const char* growlText;
    const char* growlDescription;
    const char* growlSticky;
};

// The texts go out as stored: no tags are filled in here.
void speakAndDisplay(const MessageKeys& keys)
{
    if (settings().boolean(keys.speechOn)) {
        if (auto text = settings().string(keys.speechText))
            SpeechManager::sharedManager().speakString(*text);
    }
    if (settings().boolean(keys.growlOn)) {
        OstrelNotificationSystem::sharedNotifier().displayNotification(settings().string(keys.growlText),
            settings().string(keys.growlDescription), 0, settings().boolean(keys.growlSticky));
    }
}

}

NotificationHelper& NotificationHelper::instance()
{
    static NotificationHelper* helper = new NotificationHelper; // kept for the whole run
    return *helper;
}

void NotificationHelper::flashIfChosen(Cue cue)
{
    auto choice = settings().integer("softBreakScreenFlashingChoice");
    bool flash = choice == 3 || (choice == 1 && cue == Cue::Tock);
    if (!flash)
        return;
    ScreenFadingHelper::shared().quickFadeAllScreens(BreakTimeStyleKit::flashColor(), 0.2);
}

void NotificationHelper::playFirstTick()
{
    base::diagnostic("playFirstTick()");
    playIfOn(kFirstTick);
    flashIfChosen(Cue::Tick);
}

void NotificationHelper::playSecondTick()
{
    base::diagnostic("playSecondTick()");
    playIfOn(kSecondTick);
    flashIfChosen(Cue::Tick);
}

void NotificationHelper::playTock()
{
    base::diagnostic("playTock()");
    playIfOn(kTock);
    flashIfChosen(Cue::Tock);
}

void NotificationHelper::playIntermediateTick()
{
    base::diagnostic("playIntermediateTick()");
    if (!playIfOn(kFirstTick))
        playIfOn(kSecondTick);
    flashIfChosen(Cue::Tick);
}

void NotificationHelper::speakAndDisplayUserStillActiveMessages()
{
    base::diagnostic("speakAndDisplayUserStillActiveMessages()");
    speakAndDisplay({ "speechSoftBreakUserStillActiveOn", "speechSoftBreakUserStillActiveText",
        "growlSoftBreakUserStillActiveOn", "growlSoftBreakUserStillActiveText",
        "growlSoftBreakUserStillActiveDescription", "growlSoftBreakUserStillActiveSticky" });
}

void NotificationHelper::speakAndDisplayIntermediaryMessages()
{
    base::diagnostic("speakAndDisplayIntermediaryMessages()");
    speakAndDisplay({ "speechSoftBreakIntermediaryOn", "speechSoftBreakIntermediaryText",
        "growlSoftBreakIntermediaryOn", "growlSoftBreakIntermediaryText", "growlSoftBreakIntermediaryDescription",
        "growlSoftBreakIntermediaryStick" });
}

void NotificationHelper::speakAndDisplayForcedBreakMessages()
{
    base::diagnostic("speakAndDisplayForcedBreakMessages()");
    speakAndDisplay({ "speechSoftBreakFinalOn", "speechSoftBreakFinalText", "growlSoftBreakFinalOn",
        "growlSoftBreakFinalText", "growlSoftBreakFinalDescription", "growlSoftBreakFinalStick" });
}

void NotificationHelper::executeEndOfTimeSliceScript()
{
    // Only a text is handed to the script: without one in the settings (none stored and none
    // registered, or a number or flag in its place) no script is called.
    auto value = settings().object("speechSoftBreakFinalText");
    if (const auto* text = value ? value->asString() : nullptr)
        ScriptLauncher::sharedScriptLauncher().executeEventHandlerWithoutResult("time_slice_elapsed", *text);
}

}
