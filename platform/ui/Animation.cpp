#include "platform/ui/Animation.h"

#include "platform/base/Time.h"
#include "platform/base/Timer.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"

#include <algorithm>
#include <cmath>

namespace ui {

std::shared_ptr<Animation> Animation::create(double duration, double from, double to, Setter setter)
{
    return std::shared_ptr<Animation>(new Animation(duration, from, to, std::move(setter)));
}

Animation::Animation(double duration, double from, double to, Setter setter)
    // A duration that is no finite number would never end and keep the loop awake: such an
    // animation jumps to its end.
    : m_duration(std::isfinite(duration) ? std::max(0.0, duration) : 0)
    , m_from(from)
    , m_to(to)
    , m_setter(std::move(setter))
{
}

namespace {

// Alpha of anything with alphaValue()/setAlphaValue(), held weakly.
template<class T>
std::shared_ptr<Animation> animateAlphaOf(const std::shared_ptr<T>& target, double to, double duration,
    TimingFunction timing, Animation::Completion completion)
{
    std::weak_ptr<T> weak = target;
    auto animation = Animation::create(duration, target->alphaValue(), to, [weak](double value) {
        if (auto t = weak.lock())
            t->setAlphaValue(value);
    });
    animation->setTimingFunction(timing);
    animation->setCompletion(std::move(completion));
    animation->start();
    return animation;
}

}

std::shared_ptr<Animation> Animation::animateAlpha(const std::shared_ptr<Window>& window, double to, double duration,
    TimingFunction timing, Completion completion)
{
    return animateAlphaOf(window, to, duration, timing, std::move(completion));
}

std::shared_ptr<Animation> Animation::animateAlpha(const std::shared_ptr<View>& view, double to, double duration,
    TimingFunction timing, Completion completion)
{
    return animateAlphaOf(view, to, duration, timing, std::move(completion));
}

double Animation::curve(TimingFunction timing, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    switch (timing) {
    case TimingFunction::Linear:
        return t;
    case TimingFunction::EaseIn:
        return t * t * t;
    case TimingFunction::EaseOut: {
        double u = 1 - t;
        return 1 - u * u * u;
    }
    case TimingFunction::EaseInEaseOut:
        return t < 0.5 ? 4 * t * t * t : 1 - 4 * (1 - t) * (1 - t) * (1 - t);
    }
    return t;
}

double Animation::valueAt(double fraction) const
{
    fraction = std::clamp(fraction, 0.0, 1.0);
    double t = fraction;
    if (m_autoreverses)
        t = fraction <= 0.5 ? fraction * 2 : (1 - fraction) * 2;
    return m_from + (m_to - m_from) * curve(m_timing, t);
}

void Animation::start()
{
    if (m_running)
        return;
    m_running = true;
    m_start = base::Time::now();
    m_stepDue = 0;
    if (m_duration <= 0) {
        finish(true);
        return;
    }
    auto self = shared_from_this();
    if (m_step <= 0)
        m_timer = base::Timer::create(kFrameInterval, true, base::RunLoop::Mode::Common, [self](base::Timer&) { self->tick(); });
    advance(0);
}

void Animation::tick()
{
    // A step's timer may wake a hair before its moment by rounding: the moment counts.
    double fraction = std::max((base::Time::now() - m_start) / m_duration, m_stepDue);
    if (fraction >= 1) {
        finish(true);
        return;
    }
    advance(fraction);
}

void Animation::advance(double fraction)
{
    if (m_setter)
        m_setter(valueAt(fraction));
    // The setter may have stopped it.
    if (m_step <= 0 || !m_running)
        return;
    // Never sooner than a frame: steps are no finer than frames would be.
    m_stepDue = std::min(std::max(nextStepFraction(fraction), fraction + kFrameInterval / m_duration), 1.0);
    auto self = shared_from_this();
    m_timer = base::Timer::createAt(m_start + m_stepDue * m_duration, 0, false, base::RunLoop::Mode::Common,
        [self](base::Timer&) { self->tick(); });
}

double Animation::nextStepFraction(double from) const
{
    // Out and back are each one way; a single course is one way throughout.
    double end = m_autoreverses && from < 0.5 ? 0.5 : 1.0;
    double heard = valueAt(from);
    if (std::abs(valueAt(end) - heard) < m_step)
        return end;
    double before = from, after = end;
    while (after - before > 1e-9) {
        double middle = (before + after) / 2;
        (std::abs(valueAt(middle) - heard) >= m_step ? after : before) = middle;
    }
    return after;
}

void Animation::stop()
{
    if (m_running)
        finish(false);
}

void Animation::finish(bool finished)
{
    m_running = false;
    if (m_timer) {
        m_timer->invalidate();
        m_timer.reset();
    }
    if (finished && m_setter)
        m_setter(valueAt(1));
    // The completion may start another animation on the same property; let it.
    if (auto completion = std::move(m_completion)) {
        m_completion = {};
        completion(finished);
    }
}

}
