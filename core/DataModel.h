#pragma once

#include "core/KeyCombo.h"
#include "core/Variables.h"

#include "platform/base/Value.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ostrel {

enum class TimeScale { oneHour = 0, oneAndAHalfHour = 1, twoHours = 2, fortyFiveMinutes = 3 };
enum class WindowCompressionMode { never = 0, always = 1, onlyWhenSideBarIsClosed = 2 };

template<>
struct RawValueTraits<TimeScale> {
    static int64_t rawValue(TimeScale scale) { return static_cast<int64_t>(scale); }
    static std::optional<TimeScale> fromRawValue(int64_t raw);
};

template<>
struct RawValueTraits<WindowCompressionMode> {
    static int64_t rawValue(WindowCompressionMode mode) { return static_cast<int64_t>(mode); }
    static std::optional<WindowCompressionMode> fromRawValue(int64_t raw);
};

// Told when a duration setting changes; asks the model for the new value itself.
class ValueChangeListener {
public:
    virtual ~ValueChangeListener() = default;
    virtual void valueHasChanged() = 0;
};

// The one model of the current work: durations, Pomodoro breaks, objective and tags, the
// rating of the slice just finished, the hot-key settings. Almost everything lives in the
// settings store and is read afresh on every call.
class DataModel {
public:
    using KeyComboVariable = CodableUserDefaultsVariable<std::optional<KeyCombo>>;

    // The program's model over the standard settings store, made on first use.
    static DataModel& shared();
    // A model over a store of one's own (tests).
    static std::unique_ptr<DataModel> create(std::shared_ptr<base::Defaults> store);
    ~DataModel();

    // Registers the model's own defaults and starts telling the duration listeners.
    void prepare();

    std::shared_ptr<KeyComboVariable> bringToFrontKeyCombo;
    std::shared_ptr<KeyComboVariable> showCommandPopOverCombo;
    std::shared_ptr<KeyComboVariable> startTimeSliceKeyCombo;
    std::shared_ptr<KeyComboVariable> pauseTimeSliceKeyCombo;
    std::shared_ptr<KeyComboVariable> endTimeSliceKeyCombo;
    std::shared_ptr<KeyComboVariable> startTimedBreakKeyCombo;
    std::shared_ptr<KeyComboVariable> focusNowPadKeyCombo;
    std::shared_ptr<KeyComboVariable> focusLaterPadKeyCombo;
    std::shared_ptr<KeyComboVariable> focusScratchPadKeyCombo;
    std::shared_ptr<KeyComboVariable> readObjectiveAloudKeyCombo;
    std::shared_ptr<RawRepresentableUserDefaultsVariable<TimeScale>> timeSliceTimeScale;
    std::shared_ptr<RawRepresentableUserDefaultsVariable<WindowCompressionMode>> windowCompressionMode;
    std::shared_ptr<UserDefaultsVariable<bool>> completedVariable;
    std::shared_ptr<UserDefaultsVariable<int64_t>> focusLevelVariable;
    std::shared_ptr<UserDefaultsVariable<bool>> lockScreenDuringBreakVariable;
    std::shared_ptr<UserDefaultsVariable<bool>> disableObjectiveEditingForTwoSecondsAfterActivation;

    bool useOneTimeOnlyBreakDurationThisTimeOnly { false };
    int64_t oneTimeOnlyBreakDuration { 20 };
    int64_t pomodoroSlots { 4 };

    // Durations in seconds; a stored value outside 0 … 86,400 reads as the nearest bound.
    int64_t durationInSeconds() const;
    int64_t durationInMinutes() const;
    void setDurationInSeconds(int64_t seconds);
    void setDurationInMinutes(int64_t minutes);
    int64_t breakDurationInSeconds() const;
    int64_t breakDurationInMinutes() const;
    void setBreakDurationInSeconds(int64_t seconds);
    void setBreakDurationInMinutes(int64_t minutes);

    int64_t currentTimeSliceExtensionDurationInSeconds() const { return m_currentTimeSliceExtensionDurationInSeconds; }
    void setCurrentTimeSliceExtensionDuration(int64_t seconds) { m_currentTimeSliceExtensionDurationInSeconds = seconds; }
    void resetCurrentTimeSliceExtensionDuration() { m_currentTimeSliceExtensionDurationInSeconds = 0; }

    bool useDefaultBreakDurationControl() const;
    bool usePomodoroStyleBreakDurationControl() const;
    void nextBreakDurationControlAlternative();

    int64_t computedPomodoroCounter() const;
    int64_t computedPomodoroBreakDurationBasedOnCurrentSettings() const; // minutes
    void resetPomodoroCounter() { m_pomodoroCounter = 0; }
    void incrementPomodoroCounter() { ++m_pomodoroCounter; }
    void setPomodoroCounter(int64_t value) { m_pomodoroCounter = value; }

    // Pomodoro break lengths in minutes; increments stop at 60, decrements at 2.
    int64_t firstPomodoroBreakDurationInMinutes() const;
    int64_t secondPomodoroBreakDurationInMinutes() const;
    int64_t thirdPomodoroBreakDurationInMinutes() const;
    int64_t fourthPomodoroBreakDurationInMinutes() const;
    void incrementFirstPomodoroBreakDurationInMinutes();
    void incrementSecondPomodoroBreakDurationInMinutes();
    void incrementThirdPomodoroBreakDurationInMinutes();
    void incrementFourthPomodoroBreakDurationInMinutes();
    void decrementFirstPomodoroBreakDurationInMinutes();
    void decrementSecondPomodoroBreakDurationInMinutes();
    void decrementThirdPomodoroBreakDurationInMinutes();
    void decrementFourthPomodoroBreakDurationInMinutes();
    bool thirdPomodoroBreakEnabled() const;
    bool fourthPomodoroBreakEnabled() const;

    // Held weakly: a listener that has gone is skipped. Nothing is called at once.
    void addDurationListener(const std::shared_ptr<ValueChangeListener>& listener);
    void addBreakDurationListener(const std::shared_ptr<ValueChangeListener>& listener);

    bool completed() const;
    // The focus level 0 … 3; a stored value outside reads as the nearest level.
    int64_t focusRating() const;
    std::string tags() const;
    void setTags(const std::string& tags);
    // The objective as rich-text package data; when none is stored, an empty text in the
    // pads' font and colour is stored and answered.
    base::Value::Data objectiveData();
    void setObjective(const base::Value::Data& data);

    bool endInformalBreakForLunch() const;
    bool endInformalBreakForBreakfast() const;
    bool endInformalBreakAutomatically() const;
    bool endInformalBreakAutomaticallyAfterInactivity() const;
    bool lockScreenDuringBreak() const;
    int64_t statsMode() const;
    void setStatsMode(int64_t tagValue);
    bool useOmnifocusContextAsTag() const;
    bool useOmnifocusEstimatedTimeAsDuration() const;
    bool useThingsTags() const;
    bool shouldHideOnTimeSliceRunningActivation() const;
    bool shouldHideOnTimedBreakActivation() const;
    bool shouldUseSoftBreak() const;
    bool shouldAlwaysSkipLogging() const;
    bool shouldAlwaysSkipAllBreaks() const;

    const std::shared_ptr<base::Defaults>& store() const { return m_store; }

private:
    // Keeps a listener without keeping it alive; one whose listener went away stays in its
    // list and is skipped.
    struct WeakListenerWrapper {
        std::weak_ptr<ValueChangeListener> listener;
    };

    explicit DataModel(std::shared_ptr<base::Defaults> store);
    bool boolean(const char* key) const;
    int64_t pomodoroMinutes(const char* key) const;
    void incrementPomodoroMinutes(const char* key);
    void decrementPomodoroMinutes(const char* key);
    void tell(const std::vector<WeakListenerWrapper>& listeners);

    std::shared_ptr<base::Defaults> m_store;
    std::vector<WeakListenerWrapper> m_durationListeners;
    std::vector<WeakListenerWrapper> m_breakDurationListeners;
    int64_t m_currentTimeSliceExtensionDurationInSeconds { 0 };
    int64_t m_pomodoroCounter { 0 };
    std::vector<uint64_t> m_observerIds;
};

}
