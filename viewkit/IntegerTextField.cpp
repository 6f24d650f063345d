#include "viewkit/IntegerTextField.h"

namespace ostrel {

std::shared_ptr<IntegerTextField> IntegerTextField::create() { return std::shared_ptr<IntegerTextField>(new IntegerTextField); }

std::shared_ptr<IntegerTextField> IntegerTextField::integerTextField(std::int32_t initialValue,
    std::optional<std::int64_t> minValue, std::optional<std::int64_t> maxValue)
{
    auto field = create();
    field->setTranslatesAutoresizingMaskIntoConstraints(false);
    field->setWraps(false);
    field->setSelectable(true);
    auto formatter = std::make_shared<IntegerValidatingNumberFormatter>();
    if (maxValue)
        formatter->setMaximum(maxValue);
    if (minValue)
        formatter->setMinimum(minValue);
    field->setNumberFormatter(std::move(formatter));
    field->setIntegerValue(initialValue);
    field->setAlignment(gfx::TextAlignment::right);
    return field;
}

IntegerTextField::IntegerTextField()
    : ui::TextField({})
{
    onCommand = [this](ui::TextCommand command) { return control(command); };
    onTextChange = [this] { controlTextDidChange(); };
}

void IntegerTextField::setNumberFormatter(std::shared_ptr<IntegerValidatingNumberFormatter> formatter)
{
    m_numberFormatter = formatter;
    setFormatter(std::move(formatter));
}

void IntegerTextField::runReturnKeyFunction()
{
    if (auto action = returnKeyActionFunction)
        action();
}

bool IntegerTextField::increment()
{
    if (!m_numberFormatter || !m_numberFormatter->maximum())
        return false;
    std::int64_t value = integerValue();
    if (value >= *m_numberFormatter->maximum())
        return true;
    setIntegerValue(value + 1);
    if (m_callsReturnKeyFunctionOnTextHasChanged)
        runReturnKeyFunction();
    return true;
}

bool IntegerTextField::decrement()
{
    if (!m_numberFormatter || !m_numberFormatter->minimum())
        return false;
    std::int64_t value = integerValue();
    if (value <= *m_numberFormatter->minimum())
        return true;
    setIntegerValue(value - 1);
    if (m_callsReturnKeyFunctionOnTextHasChanged)
        runReturnKeyFunction();
    return true;
}

void IntegerTextField::controlTextDidChange()
{
    if (m_callsReturnKeyFunctionOnTextHasChanged)
        runReturnKeyFunction();
}

bool IntegerTextField::control(ui::TextCommand command)
{
    switch (command) {
    case ui::TextCommand::MoveUp:
        return increment();
    case ui::TextCommand::MoveDown:
        return decrement();
    case ui::TextCommand::InsertNewline:
        if (!returnKeyActionFunction)
            return false;
        if (m_numberFormatter && m_numberFormatter->minimum() && integerValue() < *m_numberFormatter->minimum())
            setIntegerValue(*m_numberFormatter->minimum());
        runReturnKeyFunction();
        return true;
    case ui::TextCommand::Cancel:
        break;
    }
    return false;
}

bool IntegerTextField::resignFirstResponder()
{
    if (m_callsReturnKeyFunctionOnResigningFirstResponder)
        runReturnKeyFunction();
    ui::TextField::resignFirstResponder();
    // The field never refuses to let the keyboard go.
    return true;
}

}
