#pragma once

#include "viewkit/BrickType.h"

#include "platform/ui/DatePicker.h"

#include <functional>
#include <memory>

namespace ostrel {

// A date picker that reports every new moment (seconds since the reference date).
class DatePickerBrick : public ui::DatePicker, public BrickType {
public:
    static std::shared_ptr<DatePickerBrick> create();

    std::function<void(double)> dateValueChangedFunc;

    void actionMethod();
    DatePickerBrick& small() override;
    void apply(const ControlSkin&) override { }

protected:
    DatePickerBrick();
};

}
