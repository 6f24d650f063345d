#include "viewkit/SmartTextField.h"

namespace ostrel {

std::shared_ptr<SmartTextField> SmartTextField::create(std::string text)
{
    return std::shared_ptr<SmartTextField>(new SmartTextField(std::move(text)));
}

SmartTextField::SmartTextField(std::string text)
    : ui::TextField(std::move(text))
{
    setTranslatesAutoresizingMaskIntoConstraints(false);
    onAction = [this] { internalAction(); };
    onTextChange = [this] { textDidChange(); };
}

void SmartTextField::textDidChange()
{
    if (auto report = textChangedAction)
        report(stringValue());
}

void SmartTextField::internalAction()
{
    if (auto report = textChangedAction)
        report(stringValue());
}

ui::Size SmartTextField::intrinsicContentSize() const
{
    return { ui::View::kNoIntrinsicMetric, ui::TextField::intrinsicContentSize().height };
}

}
