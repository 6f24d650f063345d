#include "viewkit/TimeControlBottomView.h"

#include "viewkit/BezierPathUtility.h"
#include "viewkit/OstrelControlSkin.h"
#include "viewkit/QuarterHours.h"
#include "viewkit/StandardLabel.h"

#include "core/Clock.h"
#include "core/DateHelper.h"

#include "platform/base/Calendar.h"
#include "platform/base/DateFormat.h"

#include <algorithm>
#include <cstdio>

namespace ostrel {

namespace {

constexpr double kBubbleWidth = 60;
constexpr double kBubbleHeight = 25;

std::string shortTime(double date)
{
    return base::DateFormat::formatStyled(date, base::DateFormat::Style::None, base::DateFormat::Style::Short);
}

}

std::shared_ptr<TimeControlBottomView> TimeControlBottomView::create(ui::Rect frame) { return make<TimeControlBottomView>(frame); }

TimeControlBottomView::TimeControlBottomView(ui::Rect frame)
    : ui::View(frame)
{
}

const base::ActionTable& TimeControlBottomView::actionTable() const
{
    static const auto table
        = base::ActionTable::of<TimeControlBottomView>({ { "bubbleClicked:", &TimeControlBottomView::bubbleClickedAction } });
    return table;
}

std::shared_ptr<ui::TextField> TimeControlBottomView::addLabel(const std::string& title, ui::Rect frame)
{
    auto label = standardLabel(title);
    label->setTranslatesAutoresizingMaskIntoConstraints(true);
    label->setFrame(frame);
    addSubview(label);
    return label;
}

void TimeControlBottomView::build()
{
    // Bubbles along the top edge, their arrows pointing up at the slider; the fields below,
    // counted from the bottom so the panel may be as tall as its owner likes.
    double top = frame().height();
    for (auto* bubble : { &m_bubble1, &m_bubble2, &m_bubble3, &m_bubble4 }) {
        *bubble = BubbleViewWithArrowOnTop::create(ui::Rect(0, top - kBubbleHeight - 1, kBubbleWidth, kBubbleHeight));
        addSubview(*bubble);
    }
    const gfx::Font& digits = OstrelControlSkin::shared().proportionalDigitsFont();
    m_durationTextField = AttributedLabel::create("00");
    m_durationTextField->setTranslatesAutoresizingMaskIntoConstraints(true);
    m_durationTextField->setAlignment(gfx::TextAlignment::right);
    m_durationTextField->setFont(digits);
    m_durationTextField->setFrame(ui::Rect(8, 8, 40, 32));
    addSubview(m_durationTextField);
    m_minutesField = addLabel("Minutes", ui::Rect(52, 12, 60, 18));
    addLabel("Ends:", ui::Rect(120, 12, 40, 18));
    m_endDateField = AttributedLabel::create("");
    m_endDateField->setTranslatesAutoresizingMaskIntoConstraints(true);
    m_endDateField->setFont(digits);
    m_endDateField->setFrame(ui::Rect(160, 8, 150, 32));
    addSubview(m_endDateField);
    addLabel("Motivation:", ui::Rect(320, 24, 80, 18))->setAlignment(gfx::TextAlignment::right);
    m_motivationTextField = addLabel("Normal", ui::Rect(404, 24, 70, 18));
    addLabel("Resistance:", ui::Rect(320, 4, 80, 18))->setAlignment(gfx::TextAlignment::right);
    m_resistanceTextField = addLabel("Normal", ui::Rect(404, 4, 70, 18));
}

void TimeControlBottomView::awakeFromNib()
{
    m_offset = 7.0;
    for (auto* bubble : bubbles())
        bubble->setGradient(BezierPathUtility::purpleGradient());
}

std::vector<BubbleViewWithArrowOnTop*> TimeControlBottomView::bubbles() const
{
    return { m_bubble1.get(), m_bubble2.get(), m_bubble3.get(), m_bubble4.get() };
}

std::int64_t TimeControlBottomView::duration() const { return DataModel::shared().durationInMinutes(); }

std::int64_t TimeControlBottomView::durationInSeconds() const { return DataModel::shared().durationInSeconds(); }

void TimeControlBottomView::registerListener()
{
    DataModel::shared().addDurationListener(std::static_pointer_cast<TimeControlBottomView>(shared_from_this()));
}

void TimeControlBottomView::setDurationInMinutes(std::int64_t minutes) { DataModel::shared().setDurationInMinutes(minutes); }

void TimeControlBottomView::setFieldsHidden(bool hidden)
{
    std::initializer_list<ui::TextField*> fields { m_durationTextField.get(), m_endDateField.get(), m_motivationTextField.get(),
        m_resistanceTextField.get(), m_minutesField.get() };
    for (auto* field : fields) {
        if (field)
            field->setHidden(hidden);
    }
}

void TimeControlBottomView::prepare()
{
    for (auto* bubble : bubbles())
        bubble->setHidden(true);
    setFieldsHidden(true);
}

void TimeControlBottomView::activate()
{
    registerListener();
    setFieldsHidden(false);
}

void TimeControlBottomView::attemptToSetDurationTo(std::int64_t minutes)
{
    setDurationInMinutes(std::clamp(minutes, minSliderValue(), maxSliderValue()));
}

double TimeControlBottomView::computedEndDate() const { return Clock::nowAsDate() + static_cast<double>(duration()) * 60; }

void TimeControlBottomView::updateTotalDurationField()
{
    char text[32];
    std::snprintf(text, sizeof text, "%02lld", static_cast<long long>(duration()));
    m_durationTextField->setStringValue(text);
}

void TimeControlBottomView::updateState()
{
    if (auto linked = m_linkedTopView.lock())
        linked->updateState();
    updateTotalDurationField();
    std::int64_t minutes = duration();
    m_endDateField->setAttributedStringValue(DateHelper::sharedHelper().formatDateAsTimeWithAmPmIfAppropriate(computedEndDate()));
    if (m_motivationTextField)
        m_motivationTextField->setStringValue(minutes >= 30 ? "High" : minutes < 20 ? "Low" : "Normal");
    if (m_resistanceTextField)
        m_resistanceTextField->setStringValue(minutes < 20 ? "High" : minutes < 30 ? "Normal" : "Low");
    updateOtherFields();
    positionBubbleViews();
    setNeedsDisplay();
}

void TimeControlBottomView::positionBubbleViews()
{
    m_totalWidth = frame().width();
    m_tickDelta = (m_totalWidth - 14) / static_cast<double>(maxSliderValue() - minSliderValue());
    double now = Clock::nowAsDate();
    std::int64_t first = minutesToFirstQuarterHour(now, minSliderValue());

    std::int64_t* durations[] = { &m_bubble1Duration, &m_bubble2Duration, &m_bubble3Duration, &m_bubble4Duration };
    double* dates[] = { &m_firstDate, &m_secondDate, &m_thirdDate, &m_fourthDate };
    auto all = bubbles();
    double centre = m_offset + static_cast<double>(first - minSliderValue()) * m_tickDelta;
    for (std::size_t k = 0; k < all.size(); ++k) {
        *durations[k] = first + kMinutesBetweenQuarterHours * static_cast<std::int64_t>(k);
        *dates[k] = now + static_cast<double>(*durations[k]) * 60;
        BubbleViewWithArrowOnTop& bubble = *all[k];
        bubble.setTitle(shortTime(*dates[k]));
        ui::Rect frame = bubble.frame();
        frame.origin.x = centre + static_cast<double>(kMinutesBetweenQuarterHours * static_cast<std::int64_t>(k)) * m_tickDelta - frame.width() / 2;
        bubble.setFrame(frame);
        bubble.setMiddleX(frame.width() / 2);
    }

    ui::Rect firstFrame = m_bubble1->frame();
    if (firstFrame.minX() < 0) {
        m_bubble1->setMiddleX(firstFrame.width() / 2 + firstFrame.minX());
        firstFrame.origin.x = 0;
        m_bubble1->setFrame(firstFrame);
    }
    ui::Rect lastFrame = m_bubble4->frame();
    if (lastFrame.maxX() > m_totalWidth) {
        m_bubble4->setMiddleX(lastFrame.width() / 2 + (lastFrame.maxX() - m_totalWidth));
        lastFrame.origin.x = m_totalWidth - lastFrame.width();
        m_bubble4->setFrame(lastFrame);
    }
    m_bubble1->setHidden(false);
    m_bubble2->setHidden(false);
    m_bubble3->setHidden(false);
    m_bubble4->setHidden(m_bubble4Duration > maxSliderValue());
}

void TimeControlBottomView::bubbleClicked(const BubbleViewWithArrowOnTop& bubble)
{
    // The archive's panel only told which bubble it was; here a click asks for its minutes.
    std::int64_t durations[] = { m_bubble1Duration, m_bubble2Duration, m_bubble3Duration, m_bubble4Duration };
    auto all = bubbles();
    for (std::size_t k = 0; k < all.size(); ++k) {
        if (all[k] == &bubble) {
            attemptToSetDurationTo(durations[k]);
            return;
        }
    }
}

void TimeControlBottomView::bubbleClickedAction(const base::Sender& sender)
{
    if (auto* bubble = std::any_cast<BubbleViewWithArrowOnTop*>(&sender); bubble && *bubble)
        bubbleClicked(**bubble);
}

}
