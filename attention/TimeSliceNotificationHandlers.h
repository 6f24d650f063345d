#pragma once

#include "attention/NotificationHandler.h"

namespace ostrel {

// Every second of a running slice: the minute warnings, the reminders, the script, the
// dimming before the end and the first soft-break tick.
class TimeSliceRunningNotificationHandler : public NotificationHandler {
public:
    bool handleNotificationWithValue(int32_t value, int32_t maxValue) override;

private:
    // True when the warning ended the second's work.
    static bool warn(int32_t value, int32_t maxValue);
};

class TimeSliceStartNotificationHandler : public TimeSliceRunningNotificationHandler {
public:
    bool handleNotificationWithValue(int32_t value, int32_t maxValue) override;
};

// The end of a slice; the paused and stopped handlers share its procedure with keys of
// their own.
class TimeSliceElapsedNotificationHandler : public TimeSliceRunningNotificationHandler {
public:
    bool handleNotificationWithValue(int32_t value, int32_t maxValue) override;

    virtual const char* className() const { return "TimeSliceElapsedNotificationHandler"; }
    virtual const char* soundOnKey() const { return "endSoundOn"; }
    virtual const char* soundKey() const { return "endSound"; }
    virtual const char* soundVolumeKey() const { return "endSoundVolume"; }
    virtual const char* speechOnKey() const { return "speechEndOn"; }
    virtual const char* speechTextKey() const { return "speechEndText"; }
    virtual const char* growlOnKey() const { return "growlEndOn"; }
    virtual const char* growlTextKey() const { return "growlEndText"; }
    virtual const char* growlDescriptionKey() const { return "growlEndDescription"; }
    virtual const char* growlStickyKey() const { return "growlEndSticky"; }
    virtual const char* eventHandlerName() const { return "time_slice_elapsed"; }
};

class TimeSlicePausedNotificationHandler : public TimeSliceElapsedNotificationHandler {
public:
    const char* className() const override { return "TimeSlicePausedNotificationHandler"; }
    const char* soundOnKey() const override { return "pausedSoundOn"; }
    const char* soundKey() const override { return "pausedSound"; }
    const char* soundVolumeKey() const override { return "pausedSoundVolume"; }
    const char* speechOnKey() const override { return "speechPausedOn"; }
    const char* speechTextKey() const override { return "speechPausedText"; }
    const char* growlOnKey() const override { return "growlPausedOn"; }
    const char* growlTextKey() const override { return "growlPausedText"; }
    const char* growlDescriptionKey() const override { return "growlPausedDescription"; }
    const char* growlStickyKey() const override { return "growlPausedSticky"; }
    const char* eventHandlerName() const override { return "time_slice_paused"; }
};

class TimeSliceAbortedNotificationHandler : public TimeSliceElapsedNotificationHandler {
public:
    const char* className() const override { return "TimeSliceAbortedNotificationHandler"; }
    const char* soundOnKey() const override { return "stoppedSoundOn"; }
    const char* soundKey() const override { return "stoppedSound"; }
    const char* soundVolumeKey() const override { return "stoppedSoundVolume"; }
    const char* speechOnKey() const override { return "speechStoppedOn"; }
    const char* speechTextKey() const override { return "speechStoppedText"; }
    const char* growlOnKey() const override { return "growlStoppedOn"; }
    const char* growlTextKey() const override { return "growlStoppedText"; }
    const char* growlDescriptionKey() const override { return "growlStoppedDescription"; }
    const char* growlStickyKey() const override { return "growlStoppedSticky"; }
    const char* eventHandlerName() const override { return "time_slice_was_stopped"; }
};

// Every second of a timed break: its reminders, the script and the dimming before the end.
class TimedBreakNotificationHandler : public TimeSliceRunningNotificationHandler {
public:
    bool handleNotificationWithValue(int32_t value, int32_t maxValue) override;
};

class TimedBreakStartNotificationHandler : public TimedBreakNotificationHandler {
public:
    bool handleNotificationWithValue(int32_t value, int32_t maxValue) override;
};

class TimedBreakEndNotificationHandler : public TimedBreakNotificationHandler {
public:
    bool handleNotificationWithValue(int32_t value, int32_t maxValue) override;
};

}
