#include "platform/ui/DatePicker.h"

#include "platform/base/Calendar.h"
#include "platform/base/KeyCodes.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/ui/ControlLook.h"
#include "platform/ui/Event.h"
#include "platform/ui/Window.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace ui {

namespace {
constexpr double kStepperWidth = 16;
constexpr double kInset = 5;

std::string twoDigits(int value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", value);
    return buffer;
}
}

std::shared_ptr<DatePicker> DatePicker::create(double moment, unsigned elements)
{
    return std::shared_ptr<DatePicker>(new DatePicker(moment, elements));
}

DatePicker::DatePicker(double moment, unsigned elements)
    : Control({})
    , m_value(std::isfinite(moment) ? moment : 0)
    , m_elements(elements ? elements : HourMinute)
{
}

double DatePicker::clamp(double moment) const
{
    if (m_min)
        moment = std::max(moment, *m_min);
    if (m_max)
        moment = std::min(moment, *m_max);
    return moment;
}

void DatePicker::setDateValue(double moment)
{
    if (!std::isfinite(moment))
        return;
    m_value = clamp(moment);
    setNeedsDisplay();
}

void DatePicker::setElements(unsigned elements)
{
    m_elements = elements ? elements : HourMinute;
    m_selectedField = 0;
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

void DatePicker::setMinDate(std::optional<double> moment)
{
    m_min = moment;
    m_value = clamp(m_value);
}

void DatePicker::setMaxDate(std::optional<double> moment)
{
    m_max = moment;
    m_value = clamp(m_value);
}

std::vector<DatePicker::Piece> DatePicker::pieces() const
{
    base::DateComponents c = base::Calendar::current().components(m_value);
    std::vector<Piece> out;
    if (m_elements & YearMonthDay) {
        out.push_back({ std::to_string(c.year), Field::Year });
        out.push_back({ "-", std::nullopt });
        out.push_back({ twoDigits(c.month), Field::Month });
        out.push_back({ "-", std::nullopt });
        out.push_back({ twoDigits(c.day), Field::Day });
    }
    if (m_elements & (HourMinute | HourMinuteSecond)) {
        if (!out.empty())
            out.push_back({ " ", std::nullopt });
        out.push_back({ twoDigits(c.hour), Field::Hour });
        out.push_back({ ":", std::nullopt });
        out.push_back({ twoDigits(c.minute), Field::Minute });
        if (m_elements & HourMinuteSecond) {
            out.push_back({ ":", std::nullopt });
            out.push_back({ twoDigits(c.second), Field::Second });
        }
    }
    return out;
}

std::vector<DatePicker::Field> DatePicker::fields() const
{
    std::vector<Field> out;
    for (const auto& piece : pieces())
        if (piece.field)
            out.push_back(*piece.field);
    return out;
}

std::string DatePicker::text() const
{
    std::string out;
    for (const auto& piece : pieces())
        out += piece.text;
    return out;
}

void DatePicker::selectField(int index)
{
    m_selectedField = std::clamp(index, 0, static_cast<int>(fields().size()) - 1);
    setNeedsDisplay();
}

void DatePicker::step(int units)
{
    if (!isEnabled())
        return;
    auto all = fields();
    if (all.empty())
        return;
    Field field = all[static_cast<std::size_t>(std::clamp(m_selectedField, 0, static_cast<int>(all.size()) - 1))];
    base::Calendar calendar = base::Calendar::current();
    double moment = m_value;
    switch (field) {
    case Field::Second:
        moment += units;
        break;
    case Field::Minute:
        moment += 60.0 * units;
        break;
    case Field::Hour:
        moment += 3600.0 * units;
        break;
    case Field::Day:
        moment = calendar.addingDays(units, moment);
        break;
    case Field::Month:
    case Field::Year: {
        base::DateComponents c = calendar.components(moment);
        int months = c.year * 12 + (c.month - 1) + (field == Field::Year ? 12 * units : units);
        c.year = months / 12;
        c.month = months % 12 + 1;
        // The 31st moved into a shorter month lands on its last day.
        base::DateComponents first = c;
        first.day = 1;
        base::DateComponents next = first;
        next.month = c.month % 12 + 1;
        next.year = c.year + (c.month == 12 ? 1 : 0);
        int days = static_cast<int>(std::lround((calendar.moment(next) - calendar.moment(first)) / 86400.0));
        c.day = std::min(c.day, days);
        moment = calendar.moment(c);
        break;
    }
    }
    double before = m_value;
    setDateValue(moment);
    if (m_value != before)
        sendAction();
}

std::optional<double> DatePicker::firstBaselineOffsetFromTop() const
{
    // The digits' baseline, so a label beside the picker reads on the same line.
    double height = bounds().height() > 0 ? bounds().height() : intrinsicContentSize().height;
    return ControlLook::labelBaseline(font(), height);
}

Size DatePicker::intrinsicContentSize() const
{
    Size size = ControlLook::labelSize(text(), font());
    return { size.width + 2 * kInset + kStepperWidth + 6, std::max(22.0, size.height + 6) };
}

Rect DatePicker::stepperRect() const
{
    return Rect(bounds().maxX() - kStepperWidth, 0, kStepperWidth, bounds().height());
}

void DatePicker::mouseDown(const Event& event)
{
    if (!isEnabled())
        return;
    Point point = convertPointFrom(event.locationInWindow(), nullptr);
    if (stepperRect().contains(point)) {
        step(point.y < bounds().midY() ? 1 : -1);
        return;
    }
    double x = kInset;
    int fieldIndex = 0;
    for (const auto& piece : pieces()) {
        double width = ControlLook::labelSize(piece.text, font()).width;
        if (piece.field) {
            if (point.x < x + width) {
                selectField(fieldIndex);
                return;
            }
            ++fieldIndex;
        }
        x += width;
    }
    selectField(fieldIndex - 1);
}

void DatePicker::keyDown(const Event& event)
{
    switch (static_cast<base::KeyCode>(event.keyCode())) {
    case base::KeyCode::UpArrow:
        step(1);
        return;
    case base::KeyCode::DownArrow:
        step(-1);
        return;
    case base::KeyCode::LeftArrow:
        selectField(m_selectedField - 1);
        return;
    case base::KeyCode::RightArrow:
        selectField(m_selectedField + 1);
        return;
    default:
        Control::keyDown(event);
    }
}

void DatePicker::drawOwnLook(gfx::GraphicsContext& context)
{
    Rect field(0, 0, bounds().width() - kStepperWidth - 3, bounds().height());
    ControlLook::drawBezel(context, field, 4, ControlLook::kField);
    double x = kInset;
    int fieldIndex = 0;
    bool focused = acceptsFirstResponder() && window() && window()->firstResponder() == this;
    for (const auto& piece : pieces()) {
        double width = ControlLook::labelSize(piece.text, font()).width;
        Rect r(x, 0, width, bounds().height());
        bool selected = piece.field && fieldIndex == m_selectedField && focused;
        if (selected) {
            context.setFillColor(ControlLook::kAccent);
            context.fillRect(r.insetBy(0, 4));
        }
        ControlLook::drawLabel(piece.text, r, font(), selected ? gfx::colors::white : ControlLook::kText,
            gfx::TextAlignment::left);
        if (piece.field)
            ++fieldIndex;
        x += width;
    }
    Rect stepper = stepperRect();
    ControlLook::drawBezel(context, stepper, 4, ControlLook::kFace);
    ControlLook::drawChevron(context, stepper, ControlLook::kText, true);
}

}
