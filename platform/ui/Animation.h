#pragma once

#include "platform/ui/Forward.h"

#include <cmath>
#include <functional>
#include <memory>

namespace base {
class Timer;
}

namespace ui {

enum class TimingFunction { Linear, EaseIn, EaseOut, EaseInEaseOut };

// A number moved from one value to another over a duration, on a common-mode timer so that
// it keeps moving during modal runs and menu tracking. A started animation keeps itself
// alive until it ends; its setter is called at every frame and last with the end value.
class Animation : public std::enable_shared_from_this<Animation> {
public:
    using Setter = std::function<void(double value)>;
    // finished is false when the animation was stopped before its end.
    using Completion = std::function<void(bool finished)>;

    static constexpr double kFrameInterval = 1.0 / 60;

    static std::shared_ptr<Animation> create(double duration, double from, double to, Setter setter);

    // A window's or a view's alpha, from its current value; the animation holds the window
    // or view weakly and ends quietly if it goes away.
    static std::shared_ptr<Animation> animateAlpha(const std::shared_ptr<Window>& window, double to, double duration,
        TimingFunction timing = TimingFunction::Linear, Completion completion = {});
    static std::shared_ptr<Animation> animateAlpha(const std::shared_ptr<View>& view, double to, double duration,
        TimingFunction timing = TimingFunction::Linear, Completion completion = {});

    void setTimingFunction(TimingFunction timing) { m_timing = timing; }
    // Out to the end value in the first half of the duration and back in the second.
    void setAutoreverses(bool autoreverses) { m_autoreverses = autoreverses; }
    void setCompletion(Completion completion) { m_completion = std::move(completion); }
    // For a setter that only needs whole steps of the value (an edge moving a pixel): it is
    // called once the value has moved by `step` since it was last called, at the turn of an
    // autoreversing animation and at the end, and the loop sleeps in between. 0 calls it at
    // every frame.
    void setStep(double step) { m_step = std::isfinite(step) && step > 0 ? step : 0; }

    void start();
    void stop();
    bool isRunning() const { return m_running; }

    // The value at a fraction 0…1 of the duration.
    double valueAt(double fraction) const;
    static double curve(TimingFunction timing, double t);

private:
    Animation(double duration, double from, double to, Setter setter);
    void tick();
    void finish(bool finished);
    // The value at the fraction reached now, handed to the setter; then the next frame.
    void advance(double fraction);
    // The first fraction after `from` at which the value is a step away from its value at
    // `from`, or the next turn or the end, whichever comes first.
    double nextStepFraction(double from) const;

    double m_duration { 0 };
    double m_from { 0 };
    double m_to { 0 };
    Setter m_setter;
    TimingFunction m_timing { TimingFunction::Linear };
    bool m_autoreverses { false };
    Completion m_completion;
    double m_step { 0 };
    double m_stepDue { 0 };
    bool m_running { false };
    double m_start { 0 };
    std::shared_ptr<base::Timer> m_timer;
};

}
