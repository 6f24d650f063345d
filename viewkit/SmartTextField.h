#pragma once

#include "platform/ui/TextField.h"

#include <functional>
#include <memory>
#include <string>

namespace ostrel {

// A text field that hands its text to one closure on every edit and on Return. It has no
// width of its own: its constraints give it one.
class SmartTextField : public ui::TextField {
public:
    static std::shared_ptr<SmartTextField> create(std::string text = {});

    std::function<void(const std::string&)> textChangedAction;
    // Part of the class; nothing calls it.
    std::function<void()> buttonPressFunction;

    void textDidChange();
    void internalAction();

    ui::Size intrinsicContentSize() const override;

protected:
    explicit SmartTextField(std::string text);
};

}
