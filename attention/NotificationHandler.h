#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace ostrel {

// The base of the handlers the notification centre hands its events to. Handlers keep no
// state: they read their settings at the moment of the event.
class NotificationHandler {
public:
    virtual ~NotificationHandler() = default;

    // value: seconds elapsed on the screen's clock; maxValue: its total seconds.
    virtual bool handleNotificationWithValue(int32_t value, int32_t maxValue);

    // Fills "<MinutesLeft>", "<MinutesElapsed>", "<MinutesTotal>", their "ValueOnly" forms
    // and "<CurrentObjective>"; a missing text stays missing.
    static std::optional<std::string> performSpeechTagSubstitution(const std::optional<std::string>& text,
        int32_t value, int32_t maxValue);

    // The plain text of the objective's stored rich text, read as a rich-text package and
    // failing that as rich text; none when neither gives any text.
    static std::optional<std::string> currentObjectiveText();

    // The two numbers' difference as the 32-bit arithmetic of the events gives it.
    static int32_t secondsLeft(int32_t value, int32_t maxValue);
    // A reminder is due on a second that is a whole multiple of its interval, never at the
    // start or the end; an interval of 0 never fires (and divides nothing).
    static bool reminderIsDue(bool on, int64_t interval, int32_t value, int32_t maxValue);

    // A banner from the title, description and sticky settings, with the tags filled in.
    static void displayBanner(const char* titleKey, const char* descriptionKey, const char* stickyKey, int32_t value,
        int32_t maxValue);

protected:
    // The keys of a handler that acts once per event.
    struct AnnouncementKeys {
        const char* soundOnKey;
        const char* soundKey;
        const char* soundVolumeKey;
        const char* speechOnKey;
        const char* speechTextKey;
        const char* growlOnKey;
        const char* growlTextKey;
        const char* growlDescriptionKey;
        const char* growlStickyKey;
    };
    // Sound, speech and banner as their switches say; answers the spoken text, which the
    // caller hands to the script whatever the switches say.
    static std::string announce(const AnnouncementKeys& keys, int32_t value, int32_t maxValue);
};

}
