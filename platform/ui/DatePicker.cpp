#include "platform/ui/DatePicker.h"

#include "platform/base/Calendar.h"
#include "platform/base/KeyCodes.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/ui/ControlLook.h"
#include "platform/ui/Event.h"
#include "platform/ui/Window.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace ui {

namespace {
constexpr double kStepperWidth = 16;
constexpr double kInset = 5;
// How long typed digits keep adding to the same field.
constexpr double kTypingPause = 1.0;

// A day past its month's end becomes the month's last day.
void keepInMonth(const base::Calendar& calendar, base::DateComponents& c)
{
    base::DateComponents first = c;
    first.day = 1;
    base::DateComponents next = first;
    next.month = c.month % 12 + 1;
    next.year = c.year + (c.month == 12 ? 1 : 0);
    int days = static_cast<int>(std::lround((calendar.moment(next) - calendar.moment(first)) / 86400.0));
    c.day = std::min(c.day, days);
}

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
    setFocusesOnClick(true);
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
        // A year is set once all four digits are in; until then it shows what was typed.
        bool typingYear = !m_typed.empty() && m_selectedField == 0;
        out.push_back({ typingYear ? m_typed : std::to_string(c.year), Field::Year });
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
    m_typed.clear();
    m_selectedField = std::clamp(index, 0, static_cast<int>(fields().size()) - 1);
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

bool DatePicker::becomeFirstResponder()
{
    m_typed.clear();
    return Control::becomeFirstResponder();
}

bool DatePicker::setField(Field field, int value)
{
    base::Calendar calendar = base::Calendar::current();
    base::DateComponents c = calendar.components(m_value);
    switch (field) {
    case Field::Year:
        if (value < 1)
            return false;
        c.year = value;
        break;
    case Field::Month:
        if (value < 1 || value > 12)
            return false;
        c.month = value;
        break;
    case Field::Day:
        if (value < 1 || value > 31)
            return false;
        c.day = value;
        break;
    case Field::Hour:
        if (value > 23)
            return false;
        c.hour = value;
        break;
    case Field::Minute:
    case Field::Second:
        if (value > 59)
            return false;
        (field == Field::Minute ? c.minute : c.second) = value;
        break;
    }
    // A day past the month's end (the 31st typed into April) lands on its last day.
    keepInMonth(calendar, c);
    double before = m_value;
    setDateValue(calendar.moment(c));
    if (m_value != before)
        sendAction();
    return true;
}

void DatePicker::typeDigit(int digit, double timestamp)
{
    auto all = fields();
    if (all.empty() || !isEnabled())
        return;
    if (timestamp - m_typedAt > kTypingPause)
        m_typed.clear();
    m_typedAt = timestamp;
    Field field = all[static_cast<std::size_t>(std::clamp(m_selectedField, 0, static_cast<int>(all.size()) - 1))];
    std::size_t width = field == Field::Year ? 4 : 2;
    int most = field == Field::Year ? 9999 : field == Field::Month ? 12 : field == Field::Day ? 31 : field == Field::Hour ? 23 : 59;
    std::string typed = m_typed + static_cast<char>('0' + digit);
    // A digit that would make the field too big starts it again.
    if (std::stoi(typed) > most)
        typed = std::string(1, static_cast<char>('0' + digit));
    m_typed = typed;
    int value = std::stoi(typed);
    if (field == Field::Year) {
        setNeedsDisplay();
        if (typed.size() < width)
            return;
        setField(field, value);
    } else {
        setField(field, value);
        // Another digit could still follow: the field waits for it.
        if (typed.size() < width && value * 10 <= most) {
            setNeedsDisplay();
            return;
        }
    }
    bool last = m_selectedField + 1 >= static_cast<int>(all.size());
    if (last) {
        m_typed.clear();
        setNeedsDisplay();
    } else {
        selectField(m_selectedField + 1);
    }
}

void DatePicker::step(int units)
{
    if (!isEnabled())
        return;
    m_typed.clear();
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
        keepInMonth(calendar, c);
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
        break;
    }
    const std::string& typed = event.characters();
    bool plain = !(event.modifierFlags() & (ModifierFlag::Command | ModifierFlag::Control | ModifierFlag::Option));
    if (plain && typed.size() == 1 && std::isdigit(static_cast<unsigned char>(typed[0]))) {
        typeDigit(typed[0] - '0', event.timestamp());
        return;
    }
    // The separators the field shows, typed, go on to the next element.
    if (plain && typed.size() == 1 && std::string_view("-:/. ").find(typed[0]) != std::string_view::npos) {
        selectField(m_selectedField + 1);
        return;
    }
    Control::keyDown(event);
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
