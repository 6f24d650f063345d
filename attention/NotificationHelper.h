#pragma once

namespace ostrel {

// The soft break's cues: two ticks before the end of the slice, a tock when the break is
// forced, optional flashes of every screen, and the messages telling the user that the
// break starts as soon as they stop working. Each cue reads its settings when it runs.
class NotificationHelper {
public:
    static NotificationHelper& instance();

    void playFirstTick();
    void playSecondTick();
    void playTock();
    // The first tick's sound when it is on, else the second's.
    void playIntermediateTick();

    void speakAndDisplayUserStillActiveMessages();
    void speakAndDisplayIntermediaryMessages();
    void speakAndDisplayForcedBreakMessages();

    void executeEndOfTimeSliceScript();

private:
    NotificationHelper() = default;
    enum class Cue { Tick, Tock };
    void flashIfChosen(Cue cue);
};

}
