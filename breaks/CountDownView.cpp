#include "breaks/CountDownView.h"

#include "breaks/PixelSteps.h"
#include "breaks/ProportionValueProvider.h"

#include "core/Clock.h"
#include "drawing/CountDownStyleKit.h"

#include "platform/gfx/GraphicsContext.h"
#include "platform/ui/Animation.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace ostrel {

namespace {

// A wedge grown by no more than this is drawn again over the sliver it grew by alone, with
// this much around it.
constexpr double kSliverDegrees = 10;
constexpr double kSliverMargin = 4;
// Seconds of the break by which `timeLeft` moves at a time, when something else paces the wedge.
constexpr double kTimeLeftStep = 0.5;

}

std::shared_ptr<SliceLayer> SliceLayer::create(ui::Rect frame) { return std::shared_ptr<SliceLayer>(new SliceLayer(frame)); }

SliceLayer::SliceLayer(ui::Rect frame)
    : ui::View(frame)
{
}

void SliceLayer::setTimeLeft(double timeLeft)
{
    m_timeLeft = timeLeft;
    display();
}

void SliceLayer::display()
{
    if (!window())
        return;
    double proportion = 0;
    if (auto provider = m_proportionValueProvider.lock())
        proportion = provider->currentProportion();
    else if (m_totalTime > 0)
        proportion = 1 - m_timeLeft / m_totalTime;
    if (!std::isfinite(proportion))
        proportion = 0;
    double endAngle = 90 - 360 * proportion;
    // Its edge creeps a few pixels a second along the rim: drawn again once the rim has moved
    // a whole pixel, not at every fraction of one.
    if (m_contents && std::abs(endAngle - m_endAngle) < visibleTurn(*this, rimRadius()))
        return;
    bool small = m_contents && std::abs(endAngle - m_endAngle) <= kSliverDegrees;
    double previous = std::exchange(m_endAngle, endAngle);
    m_contents = CountDownStyleKit::imageOfSlice(frame().size, 90, endAngle);
    // The wedge grows by a sliver at a time: only the sliver is drawn again, with the part of
    // the ring over it, where the whole dial once was, a dozen times a second.
    if (small)
        setNeedsDisplayInRect(sliverBetween(previous, endAngle));
    else
        setNeedsDisplay();
}

double SliceLayer::rimRadius() const
{
    // The wedge's circle lies 40 points inside the layer's sides.
    return std::max(0.0, bounds().width() / 2 - 40);
}

ui::Rect SliceLayer::sliverBetween(double fromAngle, double toAngle) const
{
    ui::Rect area = bounds();
    double centreX = area.midX(), centreY = area.midY();
    double radius = std::max(area.width(), area.height()) / 2;
    double left = centreX, right = centreX, bottom = centreY, top = centreY;
    for (double angle : { fromAngle, toAngle }) {
        double radians = angle * std::numbers::pi / 180;
        double x = centreX + radius * std::cos(radians);
        double y = radius * std::sin(radians);
        left = std::min(left, x);
        right = std::max(right, x);
        // Whichever way up the view counts, the rim's point and its mirror image are both in.
        bottom = std::min({ bottom, centreY + y, centreY - y });
        top = std::max({ top, centreY + y, centreY - y });
    }
    // The arc between the two rim points bulges past them by a point at most; the edges are
    // smoothed over a point or two more.
    return ui::Rect(left, bottom, right - left, top - bottom).insetBy(-kSliverMargin, -kSliverMargin).intersection(area);
}

bool SliceLayer::clipMeetsWedge(const gfx::GraphicsContext& context) const
{
    ui::Rect area = bounds();
    // The wedge's ellipse sits a point below the centre; its edges are smoothed over a
    // point at most.
    double centreX = area.midX(), centreY = area.midY() - 1;
    double reach = rimRadius() + 1;
    double sweep = 90 - m_endAngle;
    if (!(sweep > 0))
        return false;
    for (ui::Rect part : context.clipRectangles()) {
        part = part.insetBy(-1, -1);
        double dx = std::max({ part.minX() - centreX, 0.0, centreX - part.maxX() });
        double dy = std::max({ part.minY() - centreY, 0.0, centreY - part.maxY() });
        if (dx * dx + dy * dy > reach * reach)
            continue;
        if (sweep >= 360 || part.contains({ centreX, centreY }))
            return true;
        // The directions the part lies in, seen from the centre: less than half a turn.
        double middle = std::atan2(part.midY() - centreY, part.midX() - centreX) * 180 / std::numbers::pi;
        double least = 0, most = 0;
        for (double x : { part.minX(), part.maxX() }) {
            for (double y : { part.minY(), part.maxY() }) {
                double off = std::remainder(std::atan2(y - centreY, x - centreX) * 180 / std::numbers::pi - middle, 360.0);
                least = std::min(least, off);
                most = std::max(most, off);
            }
        }
        // The wedge turns from its end angle up to twelve o'clock.
        auto around = [](double degrees) { return std::fmod(std::fmod(degrees, 360.0) + 360.0, 360.0); };
        double from = middle + least;
        if (around(from - m_endAngle) <= sweep || around(m_endAngle - from) <= most - least)
            return true;
    }
    return false;
}

void SliceLayer::draw(gfx::GraphicsContext& context, const ui::Rect&)
{
    // One white wedge: a picture of its own first would copy the whole dial at each sliver.
    // The ring's band around it is drawn again a pixel at a time, in parts that mostly miss
    // the wedge; clipped to those that meet it, it cost more than drawn in all of them.
    if (m_contents && clipMeetsWedge(context))
        m_contents->drawDirectly(bounds());
}

std::shared_ptr<ContentsLayer> ContentsLayer::create(ui::Rect frame)
{
    return std::shared_ptr<ContentsLayer>(new ContentsLayer(frame));
}

ContentsLayer::ContentsLayer(ui::Rect frame)
    : ui::View(frame)
{
}

void ContentsLayer::setContents(std::shared_ptr<gfx::Image> contents)
{
    m_contents = std::move(contents);
    m_coverage.keepFor(m_contents, bounds(), 1 / pixelInPoints(*this));
    setNeedsDisplay();
}

int ContentsLayer::stepOf(double scale) const
{
    // Whole steps from rest, a hair's width of rounding taken as the step reached.
    double steps = (scale - 1) / visibleScaleStep();
    return std::isfinite(steps) ? static_cast<int>(std::floor(std::clamp(steps, -1e6, 1e6) + 1e-6)) : 0;
}

double ContentsLayer::scaleAt(int step) const { return 1 + step * visibleScaleStep(); }

void ContentsLayer::setScale(double scale)
{
    m_scale = scale;
    int step = stepOf(scale);
    // The pulsing ring's edge moves a few points in seconds: drawn again at every frame of
    // its animation, the rest screen cost a third of a core. Drawn once its edge moved a
    // pixel, over the band the ring covers before and after, not the dial's whole square.
    if (step == m_step)
        return;
    if (!needsDisplay())
        m_parts.clear();
    // A picture kept for another display scale or size is no picture of this one.
    m_coverage.keepFor(m_contents, bounds(), 1 / pixelInPoints(*this));
    int before = std::exchange(m_step, step);
    for (const ui::Rect& part : m_coverage.partsCovered(m_coverage.coveredAt(before, scaleAt(before)), m_coverage.coveredAt(step, scaleAt(step)))) {
        m_partsAround = m_parts.empty() ? part : m_partsAround.unionWith(part);
        m_parts.push_back(part);
    }
    if (!m_parts.empty())
        setNeedsDisplayInRect(m_partsAround);
    else
        setNeedsDisplay(); // nothing rasterised to go by
}

std::vector<ui::Rect> ContentsLayer::changedParts() const
{
    // Asked to be drawn whole since (new contents, a new place): the whole it is.
    if (m_parts.empty() || dirtyRect() != m_partsAround)
        return { dirtyRect() };
    return m_parts;
}

double ContentsLayer::visibleScaleStep() const
{
    double edge = std::max(bounds().width(), bounds().height()) / 2;
    return edge > 0 ? pixelInPoints(*this) / edge : 1;
}

void ContentsLayer::draw(gfx::GraphicsContext& context, const ui::Rect&)
{
    m_parts.clear();
    if (!m_contents)
        return;
    m_coverage.keepFor(m_contents, bounds(), context.baseScale());
    if (m_coverage.drawIn(context, m_step, scaleAt(m_step)))
        return;
    ui::Rect area = bounds();
    double width = area.width() * m_scale;
    double height = area.height() * m_scale;
    m_contents->drawDirectly(ui::Rect(area.midX() - width / 2, area.midY() - height / 2, width, height));
}

std::shared_ptr<CountDownView> CountDownView::create(ui::Rect frame)
{
    return std::shared_ptr<CountDownView>(new CountDownView(frame));
}

CountDownView::CountDownView(ui::Rect frame)
    : ui::View(frame)
    , m_sliceLayer(SliceLayer::create())
    , m_circleLayer(ContentsLayer::create())
{
}

CountDownView::~CountDownView() { stopAnimations(); }

void CountDownView::setUp()
{
    if (m_layerHierarchyCreated)
        return;
    m_layerHierarchyCreated = true;
    ui::Rect area = bounds();
    m_sliceLayer->setFrame(area);
    m_sliceLayer->setProportionValueProvider(m_proportionValueProvider.lock());
    addSubview(m_sliceLayer);
    m_circleLayer->setFrame(area);
    ui::Size ring { area.width() - 2 * m_circleInset, area.height() - 2 * m_circleInset };
    m_circleLayer->setContents(CountDownStyleKit::imageOfOuterCircle(ring));
    addSubview(m_circleLayer);
}

void CountDownView::animate(double totalSeconds)
{
    setUp();
    m_sliceLayer->setTotalTime(totalSeconds);
    stopAnimations();
    pulse(kPulseRepeats);

    std::weak_ptr<SliceLayer> slice = m_sliceLayer;
    m_timeLeftAnimation = ui::Animation::create(Clock::translateDurationForSystemClock(totalSeconds), totalSeconds, 0,
        [slice](double timeLeft) {
            if (auto layer = slice.lock())
                layer->setTimeLeft(timeLeft);
        });
    // It only paces the wedge's drawing: it wakes when the rim has moved a pixel. The rest
    // screen's refresh moves a wedge that follows the break itself, at its own pixels;
    // then `timeLeft` need only keep within half a second.
    double pixelStep = totalSeconds * visibleTurn(*m_sliceLayer, m_sliceLayer->rimRadius()) / 360;
    m_timeLeftAnimation->setStep(m_proportionValueProvider.expired() ? pixelStep : std::max(pixelStep, kTimeLeftStep));
    m_timeLeftAnimation->start();
}

void CountDownView::pulse(int repeatsLeft)
{
    if (repeatsLeft <= 0)
        return;
    std::weak_ptr<ContentsLayer> circle = m_circleLayer;
    // Out and back: one pulse is twice the time of one direction.
    m_pulse = ui::Animation::create(Clock::translateDurationForSystemClock(2 * kPulseSeconds), 1.0, kPulseScale, [circle](double scale) {
        if (auto layer = circle.lock())
            layer->setScale(scale);
    });
    m_pulse->setAutoreverses(true);
    m_pulse->setTimingFunction(ui::TimingFunction::EaseInEaseOut);
    // A frame for each pixel the ring's edge moves, five a second on the average, where
    // sixty a second moved it by a fraction of one.
    m_pulse->setStep(m_circleLayer->visibleScaleStep());
    std::weak_ptr<ui::View> weakSelf = weak_from_this();
    m_pulse->setCompletion([weakSelf, repeatsLeft](bool finished) {
        auto self = std::static_pointer_cast<CountDownView>(weakSelf.lock());
        if (self && finished)
            self->pulse(repeatsLeft - 1);
    });
    m_pulse->start();
}

void CountDownView::stopAnimations()
{
    if (auto pulse = std::exchange(m_pulse, nullptr))
        pulse->stop();
    if (auto timeLeft = std::exchange(m_timeLeftAnimation, nullptr))
        timeLeft->stop();
}

void CountDownView::draw(gfx::GraphicsContext& context, const ui::Rect&)
{
    context.save();
    context.setFillColor(gfx::Color::rgb(0, 0, 0));
    context.fillRect(bounds());
    context.restore();
}

}
