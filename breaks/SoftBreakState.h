#pragma once

#include "states/TimedState.h"

#include <memory>

namespace ostrel {

// Entered when a slice's time is up and the soft break is in use: up to 30 seconds for the
// user to stop working. An idle time above 3 seconds ends the slice quietly ("aborted");
// working through the 30 seconds ends it with the forced-break messages ("elapsed"); either
// way the rating follows, unless logging is always skipped. Meanwhile the slice can be
// extended by whole minutes. Every second spent here is a worked second of the slice.
class SoftBreakState final : public TimedState {
public:
    static constexpr int64_t kDuration = 30;

    static std::shared_ptr<SoftBreakState> create(DataModel& model);

    std::string className() const override { return std::string(kModuleName) + ".SoftBreakState"; }

    int64_t duration() const override { return kDuration; }
    void build() override;
    void activate() override;
    void eachTick(int64_t elapsedSeconds) override;
    void handleTimerElapsed() override;
    void handleTimerAborted() override;
    // The remaining time as "%02d:%02d".
    std::string menuItemText() override;
    void collectMatchingItems(MatchingItemCollector& collector) override;

    // The end command (hot key, menu item): as if the user had stopped working.
    void stopTimeSlice(const base::Sender& sender = {});
    // Back to the running slice, for exactly `minutes` more minutes.
    void extendTimeSliceBy(int64_t minutes);

protected:
    const base::ActionTable& actionTable() const override;

private:
    explicit SoftBreakState(DataModel& model);
    void buildSoftBreakSwitch();
    void buildExtensionRow();
    void buildButtons();
    // The end of the soft break; `forced` when the user worked through it.
    void end(bool forced);

    TransitionTarget m_finish;
    TransitionTarget m_extend;
    TransitionTarget m_straightToBreak;
    TransitionTarget m_straightToNextTimeSlice;
    ListenerToken m_fitWindowToken;
};

}
