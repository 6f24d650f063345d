#pragma once

#include "platform/ui/Control.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ui {

// A date and time shown as a text field of elements with a stepper beside it. A click picks
// an element; the arrow keys or the stepper move it, typed digits set it (a field full or a
// separator typed goes on to the next); every change reports through onAction. Moments are
// seconds since 2001-01-01 UTC, shown in local time.
class DatePicker : public Control {
public:
    enum Element : unsigned { YearMonthDay = 1u << 0, HourMinute = 1u << 1, HourMinuteSecond = 1u << 2 };
    enum class Field { Year, Month, Day, Hour, Minute, Second };

    static std::shared_ptr<DatePicker> create(double moment = 0, unsigned elements = HourMinute);

    double dateValue() const { return m_value; }
    void setDateValue(double moment);
    unsigned elements() const { return m_elements; }
    void setElements(unsigned elements);
    std::optional<double> minDate() const { return m_min; }
    void setMinDate(std::optional<double> moment);
    std::optional<double> maxDate() const { return m_max; }
    void setMaxDate(std::optional<double> moment);

    // The fields shown, in order, and the one the arrows move.
    std::vector<Field> fields() const;
    int selectedField() const { return m_selectedField; }
    void selectField(int index);
    // Moves the selected field by whole units, as the stepper does, and reports.
    void step(int units);
    // The text the field shows, as "2026-12-06 09:05".
    std::string text() const;

    Size intrinsicContentSize() const override;
    std::optional<double> firstBaselineOffsetFromTop() const override;
    void mouseDown(const Event& event) override;
    void keyDown(const Event& event) override;
    bool passesReturnToDefaultButton() const override { return true; }
    bool becomeFirstResponder() override;

protected:
    DatePicker(double moment, unsigned elements);
    void drawOwnLook(gfx::GraphicsContext& context) override;

private:
    struct Piece {
        std::string text;
        std::optional<Field> field;
    };
    std::vector<Piece> pieces() const;
    double clamp(double moment) const;
    // A digit typed into the selected field; a separator typed moves on.
    void typeDigit(int digit, double timestamp);
    bool setField(Field field, int value);
    Rect stepperRect() const;

    double m_value { 0 };
    unsigned m_elements { HourMinute };
    std::optional<double> m_min;
    std::optional<double> m_max;
    int m_selectedField { 0 };
    // The digits typed into the selected field so far, and when the last one came.
    std::string m_typed;
    double m_typedAt { 0 };
};

}
