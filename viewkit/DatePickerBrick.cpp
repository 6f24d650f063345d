#include "viewkit/DatePickerBrick.h"

namespace ostrel {

std::shared_ptr<DatePickerBrick> DatePickerBrick::create() { return std::shared_ptr<DatePickerBrick>(new DatePickerBrick); }

DatePickerBrick::DatePickerBrick()
    : ui::DatePicker(0, ui::DatePicker::YearMonthDay)
{
    setTranslatesAutoresizingMaskIntoConstraints(false);
    onAction = [this] { actionMethod(); };
}

void DatePickerBrick::actionMethod()
{
    if (auto report = dateValueChangedFunc)
        report(dateValue());
}

DatePickerBrick& DatePickerBrick::small()
{
    setControlSize(ui::ControlSize::Small);
    return *this;
}

}
