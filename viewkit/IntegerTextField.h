#pragma once

#include "viewkit/IntegerValidatingNumberFormatter.h"

#include "platform/ui/TextField.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace ostrel {

// A field for a whole number: the up and down arrows step it within its formatter's bounds,
// and Return (first raising a number below the minimum to it) runs the return-key closure.
// It is its own delegate: it takes the field's onCommand and onTextChange.
class IntegerTextField : public ui::TextField {
public:
    static std::shared_ptr<IntegerTextField> create();
    // A single-line, right-aligned field holding `initialValue`, with a new formatter bounded
    // by the limits given (without a maximum the formatter has none; its minimum is 0 unless given).
    static std::shared_ptr<IntegerTextField> integerTextField(std::int32_t initialValue,
        std::optional<std::int64_t> minValue = std::nullopt, std::optional<std::int64_t> maxValue = std::nullopt);

    std::function<void()> returnKeyActionFunction;

    bool callsReturnKeyFunctionOnResigningFirstResponder() const { return m_callsReturnKeyFunctionOnResigningFirstResponder; }
    void setCallsReturnKeyFunctionOnResigningFirstResponder(bool calls) { m_callsReturnKeyFunctionOnResigningFirstResponder = calls; }
    bool callsReturnKeyFunctionOnTextHasChanged() const { return m_callsReturnKeyFunctionOnTextHasChanged; }
    void setCallsReturnKeyFunctionOnTextHasChanged(bool calls) { m_callsReturnKeyFunctionOnTextHasChanged = calls; }
    const std::shared_ptr<IntegerValidatingNumberFormatter>& numberFormatter() const { return m_numberFormatter; }
    void setNumberFormatter(std::shared_ptr<IntegerValidatingNumberFormatter> formatter);

    // Up arrow: true when handled (also at the maximum, where nothing changes); false without
    // a formatter or a maximum, leaving the key to the field.
    bool increment();
    bool decrement();
    void controlTextDidChange();
    // The field's editing commands, offered here first: true when handled.
    bool control(ui::TextCommand command);

    bool resignFirstResponder() override;

protected:
    IntegerTextField();

private:
    void runReturnKeyFunction();

    bool m_callsReturnKeyFunctionOnResigningFirstResponder { false };
    bool m_callsReturnKeyFunctionOnTextHasChanged { false };
    std::shared_ptr<IntegerValidatingNumberFormatter> m_numberFormatter;
};

}
