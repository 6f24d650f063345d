#include "viewkit/ReadoutLayer.h"

#include "drawing/CountDownStyleKit.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace ostrel {

namespace {

constexpr std::string_view kTimeLeft = "timeLeft";

}

std::shared_ptr<ReadoutLayer> ReadoutLayer::create(ui::Rect frame)
{
    return std::shared_ptr<ReadoutLayer>(new ReadoutLayer(frame));
}

ReadoutLayer::ReadoutLayer(ui::Rect frame)
    : ui::View(frame)
{
}

void ReadoutLayer::setTimeLeft(double timeLeft)
{
    m_timeLeft = timeLeft;
    if (m_animation)
        m_animation->stop();
    m_animation = actionForKey(kTimeLeft);
    if (m_animation)
        m_animation->start();
    else
        setPresentationTimeLeft(timeLeft);
}

void ReadoutLayer::setPresentationTimeLeft(double value)
{
    m_presentationTimeLeft = value;
    if (needsDisplayForKey(kTimeLeft))
        setNeedsDisplay();
}

bool ReadoutLayer::needsDisplayForKey(std::string_view key) { return key == kTimeLeft; }

std::shared_ptr<ui::Animation> ReadoutLayer::actionForKey(std::string_view key)
{
    if (key != kTimeLeft)
        return nullptr;
    std::weak_ptr<ReadoutLayer> weakSelf = std::static_pointer_cast<ReadoutLayer>(shared_from_this());
    auto animation = ui::Animation::create(kAnimationDuration, m_presentationTimeLeft, m_timeLeft, [weakSelf](double value) {
        if (auto self = weakSelf.lock())
            self->setPresentationTimeLeft(value);
    });
    animation->setTimingFunction(ui::TimingFunction::Linear);
    return animation;
}

std::string ReadoutLayer::readOutText(double timeLeft)
{
    // Out of range (or no number at all) must not reach the conversion.
    double clamped = std::isnan(timeLeft) ? 0 : std::clamp(std::trunc(timeLeft), -32768.0, 32767.0);
    auto t = static_cast<std::int16_t>(clamped);
    int m = t / 60;
    int s = t - 60 * m;
    char text[32];
    std::snprintf(text, sizeof text, "%02d\u2032%02d\u2033", m, s);
    return text;
}

void ReadoutLayer::display()
{
    std::string text = readOutText(m_presentationTimeLeft);
    if (m_contents && text == m_contentsText)
        return;
    m_contentsText = std::move(text);
    m_contents = CountDownStyleKit::imageOfReadOut(m_contentsText);
}

void ReadoutLayer::draw(gfx::GraphicsContext& context, const ui::Rect& dirtyRect)
{
    ui::View::draw(context, dirtyRect);
    display();
    if (m_contents)
        m_contents->draw(ui::Rect({ 0, 0 }, m_contents->size()));
}

}
