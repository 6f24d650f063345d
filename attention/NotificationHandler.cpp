#include "attention/NotificationHandler.h"

#include "attention/OstrelNotificationSystem.h"
#include "attention/ScriptLauncher.h"
#include "attention/SoundManager.h"
#include "attention/SpeechManager.h"
#include "core/DataModel.h"

#include "platform/base/Defaults.h"
#include "platform/text/Rtf.h"
#include "platform/text/Rtfd.h"

#include <cstdio>

namespace ostrel {

namespace {

void replaceAll(std::string& text, const std::string& tag, const std::string& replacement)
{
    for (auto at = text.find(tag); at != std::string::npos; at = text.find(tag, at + replacement.size()))
        text.replace(at, tag.size(), replacement);
}

std::string minutes(int64_t seconds)
{
    if (seconds == 60)
        return "one minute";
    return std::to_string(seconds / 60) + " minutes";
}

}

bool NotificationHandler::handleNotificationWithValue(int32_t, int32_t)
{
    return true;
}

std::optional<std::string> NotificationHandler::currentObjectiveText()
{
    auto data = DataModel::shared().objectiveData();
    std::string_view bytes(reinterpret_cast<const char*>(data.data()), data.size());
    for (auto read : { &text::Rtfd::fromData, &text::Rtf::read }) {
        if (auto document = read(bytes); document && !document->text.string().empty())
            return document->text.utf8();
    }
    return std::nullopt;
}

int32_t NotificationHandler::secondsLeft(int32_t value, int32_t maxValue)
{
    // Wraps as 32-bit arithmetic does, without the undefined overflow of signed ints.
    return int32_t(uint32_t(maxValue) - uint32_t(value));
}

bool NotificationHandler::reminderIsDue(bool on, int64_t interval, int32_t value, int32_t maxValue)
{
    return on && value != 0 && value != maxValue && interval != 0 && secondsLeft(value, maxValue) % interval == 0;
}

std::optional<std::string> NotificationHandler::performSpeechTagSubstitution(const std::optional<std::string>& text,
    int32_t value, int32_t maxValue)
{
    if (!text)
        return std::nullopt;
    std::string result = *text;
    int32_t left = secondsLeft(value, maxValue);
    replaceAll(result, "<MinutesLeft>", minutes(left));
    replaceAll(result, "<MinutesElapsed>", minutes(value));
    replaceAll(result, "<MinutesTotal>", minutes(maxValue));
    replaceAll(result, "<MinutesLeftValueOnly>", std::to_string(left / 60));
    replaceAll(result, "<MinutesElapsedValueOnly>", std::to_string(value / 60));
    replaceAll(result, "<MinutesTotalValueOnly>", std::to_string(maxValue / 60));
    // Last, so that tag-like text in the objective stays as the user wrote it.
    if (result.find("<CurrentObjective>") != std::string::npos) {
        if (auto objective = currentObjectiveText())
            replaceAll(result, "<CurrentObjective>", *objective);
    }
    return result;
}

void NotificationHandler::displayBanner(const char* titleKey, const char* descriptionKey, const char* stickyKey,
    int32_t value, int32_t maxValue)
{
    auto& defaults = *base::Defaults::standard();
    OstrelNotificationSystem::sharedNotifier().displayNotification(
        performSpeechTagSubstitution(defaults.string(titleKey), value, maxValue),
        performSpeechTagSubstitution(defaults.string(descriptionKey), value, maxValue), 0, defaults.boolean(stickyKey));
}

std::string NotificationHandler::announce(const AnnouncementKeys& keys, int32_t value, int32_t maxValue)
{
    auto& defaults = *base::Defaults::standard();
    bool soundOn = defaults.boolean(keys.soundOnKey);
    bool speechOn = defaults.boolean(keys.speechOnKey);
    bool growlOn = defaults.boolean(keys.growlOnKey);
    float volume = float(defaults.real(keys.soundVolumeKey));

    if (soundOn)
        SoundManager::sharedManager().playSoundWithPrivateName(defaults.string(keys.soundKey).value_or(""), volume);
    auto spokenText = performSpeechTagSubstitution(defaults.string(keys.speechTextKey), value, maxValue);
    if (speechOn && spokenText)
        SpeechManager::sharedManager().speakString(*spokenText);
    if (growlOn)
        displayBanner(keys.growlTextKey, keys.growlDescriptionKey, keys.growlStickyKey, value, maxValue);
    return spokenText.value_or("");
}

}
