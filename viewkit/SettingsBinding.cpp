#include "viewkit/SettingsBinding.h"

#include "core/RTFHelper.h"
#include "core/ValueTransformers.h"

#include "platform/base/Defaults.h"
#include "platform/ui/Button.h"
#include "platform/ui/PopUpButton.h"
#include "platform/ui/Slider.h"
#include "platform/ui/TextField.h"
#include "platform/ui/TextFormatter.h"
#include "platform/ui/TextView.h"
#include "platform/ui/TokenField.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace ostrel {

namespace {

std::vector<std::shared_ptr<SettingsBinding>>& bindings()
{
    static auto* all = new std::vector<std::shared_ptr<SettingsBinding>>; // for the whole run
    return *all;
}

std::string keyOf(const std::string& keyPath)
{
    constexpr std::string_view controllerPrefix = "values.";
    return keyPath.starts_with(controllerPrefix) ? keyPath.substr(controllerPrefix.size()) : keyPath;
}

std::string textOf(const base::Value& value)
{
    if (auto* text = value.asString())
        return *text;
    if (auto* integer = value.asInteger())
        return std::to_string(*integer);
    if (auto* real = value.asReal()) {
        if (std::isfinite(*real) && std::trunc(*real) == *real && std::fabs(*real) < 1e15)
            return std::to_string(static_cast<long long>(*real));
        return std::to_string(*real);
    }
    if (auto* boolean = value.asBoolean())
        return *boolean ? "1" : "0";
    return {};
}

}

void SettingsBinding::bind(ui::View& control, BindingName name, std::shared_ptr<base::Defaults> store, const std::string& keyPath,
    SettingsBindingOptions options)
{
    unbind(control, name);
    std::shared_ptr<SettingsBinding> binding(new SettingsBinding(control, name, std::move(store), keyOf(keyPath), std::move(options)));
    bindings().push_back(binding);
    binding->start();
}

void SettingsBinding::unbind(ui::View& control, BindingName name)
{
    auto& all = bindings();
    // Those whose control went are dropped on the way.
    std::vector<std::shared_ptr<SettingsBinding>> gone;
    for (auto it = all.begin(); it != all.end();) {
        if ((*it)->m_control.expired() || (*it)->matches(control, name)) {
            gone.push_back(std::move(*it));
            it = all.erase(it);
        } else {
            ++it;
        }
    }
}

bool SettingsBinding::isBound(const ui::View& control, BindingName name) { return boundKey(control, name).has_value(); }

std::optional<std::string> SettingsBinding::boundKey(const ui::View& control, BindingName name)
{
    for (const auto& binding : bindings()) {
        if (binding->matches(control, name))
            return binding->m_key;
    }
    return std::nullopt;
}

SettingsBinding::SettingsBinding(ui::View& control, BindingName name, std::shared_ptr<base::Defaults> store, std::string key,
    SettingsBindingOptions options)
    : m_control(control.weak_from_this())
    , m_name(name)
    , m_store(std::move(store))
    , m_key(std::move(key))
    , m_options(std::move(options))
{
    m_transformer = m_options.valueTransformer;
    if (!m_transformer && !m_options.valueTransformerName.empty())
        m_transformer = ValueTransformer::named(m_options.valueTransformerName);
}

SettingsBinding::~SettingsBinding()
{
    if (m_observer)
        m_store->removeObserver(m_observer);
    unhookControl();
}

bool SettingsBinding::matches(const ui::View& control, BindingName name) const
{
    auto held = m_control.lock();
    return held && held.get() == &control && m_name == name;
}

void SettingsBinding::start()
{
    std::weak_ptr<SettingsBinding> weakSelf = weak_from_this();
    m_observer = m_store->addObserver(m_key, [weakSelf](const std::string&) {
        if (auto self = weakSelf.lock(); self && !self->m_writing)
            self->showStoredValue();
    });
    hookControl();
    showStoredValue();
}

void SettingsBinding::hookControl()
{
    auto control = m_control.lock();
    if (!control)
        return;
    std::weak_ptr<SettingsBinding> weakSelf = weak_from_this();
    auto chained = [weakSelf](std::function<void()> previous) {
        return [weakSelf, previous = std::move(previous)] {
            if (auto self = weakSelf.lock())
                self->storeControlValue();
            if (previous)
                previous();
        };
    };
    if (auto* textView = dynamic_cast<ui::TextView*>(control.get())) {
        m_hook = Hook::textViewChange;
        m_previousTextChange = textView->onTextChange;
        textView->onTextChange = chained(m_previousTextChange);
    } else if (auto* field = dynamic_cast<ui::TextField*>(control.get())) {
        if (m_options.continuouslyUpdatesValue) {
            m_hook = Hook::textChange;
            m_previousTextChange = field->onTextChange;
            field->onTextChange = chained(m_previousTextChange);
        } else {
            m_hook = Hook::actionAndEndEditing;
            m_previousAction = field->onAction;
            m_previousEndEditing = field->onEndEditing;
            field->onAction = chained(m_previousAction);
            field->onEndEditing = chained(m_previousEndEditing);
        }
    } else if (auto* other = dynamic_cast<ui::Control*>(control.get())) {
        m_hook = Hook::action;
        m_previousAction = other->onAction;
        other->onAction = chained(m_previousAction);
    }
}

void SettingsBinding::unhookControl()
{
    auto control = m_control.lock();
    if (!control)
        return;
    switch (m_hook) {
    case Hook::none:
        break;
    case Hook::action:
        static_cast<ui::Control&>(*control).onAction = m_previousAction;
        break;
    case Hook::textChange:
        static_cast<ui::TextField&>(*control).onTextChange = m_previousTextChange;
        break;
    case Hook::actionAndEndEditing: {
        auto& field = static_cast<ui::TextField&>(*control);
        field.onAction = m_previousAction;
        field.onEndEditing = m_previousEndEditing;
        break;
    }
    case Hook::textViewChange:
        static_cast<ui::TextView&>(*control).onTextChange = m_previousTextChange;
        break;
    }
    m_hook = Hook::none;
}

void SettingsBinding::showStoredValue()
{
    auto control = m_control.lock();
    if (!control)
        return;
    base::Value stored = m_store->object(m_key).value_or(base::Value());
    writeControl(*control, m_transformer ? m_transformer->transformedValue(stored) : stored);
}

void SettingsBinding::storeControlValue()
{
    auto control = m_control.lock();
    if (!control)
        return;
    base::Value shown = readControl(*control);
    base::Value value = m_transformer ? m_transformer->reverseTransformedValue(shown) : shown;
    m_writing = true;
    m_store->set(m_key, std::move(value));
    m_writing = false;
}

base::Value SettingsBinding::readControl(ui::View& control) const
{
    switch (m_name) {
    case BindingName::data:
        if (auto* textView = dynamic_cast<ui::TextView*>(&control))
            return RTFHelper::sharedInstance().rtfdDataFromAttributedString(textView->textStorage());
        return {};
    case BindingName::selectedIndex:
        if (auto* popUp = dynamic_cast<ui::PopUpButton*>(&control))
            return popUp->indexOfSelectedItem();
        return {};
    case BindingName::selectedTag:
        if (auto* popUp = dynamic_cast<ui::PopUpButton*>(&control)) {
            auto* item = popUp->selectedItem();
            return item ? base::Value(item->tag()) : base::Value();
        }
        return {};
    case BindingName::value:
        break;
    }
    if (auto* slider = dynamic_cast<ui::Slider*>(&control))
        return slider->doubleValue();
    if (auto* tokens = dynamic_cast<ui::TokenField*>(&control)) {
        base::Value::Array array;
        for (auto& token : tokens->tokens())
            array.push_back(std::move(token));
        return array;
    }
    if (auto* field = dynamic_cast<ui::TextField*>(&control)) {
        // A number setting edited as text stays a number while the text is one.
        auto stored = m_store->object(m_key);
        if (stored && (stored->asInteger() || stored->asReal())) {
            if (auto number = ui::IntegerFormatter::parse(field->stringValue()))
                return static_cast<long long>(*number);
        }
        return field->stringValue();
    }
    if (auto* button = dynamic_cast<ui::Button*>(&control))
        return button->state() == ui::ControlStateValue::On;
    return {};
}

void SettingsBinding::writeControl(ui::View& control, const base::Value& value) const
{
    switch (m_name) {
    case BindingName::data:
        if (auto* textView = dynamic_cast<ui::TextView*>(&control)) {
            std::optional<base::Value::Data> data;
            if (auto* bytes = value.asData())
                data = *bytes;
            textView->setAttributedString(
                RTFHelper::sharedInstance().attributedStringFromData(data).value_or(text::AttributedString {}));
        }
        return;
    case BindingName::selectedIndex:
        if (auto* popUp = dynamic_cast<ui::PopUpButton*>(&control))
            popUp->selectItemAt(static_cast<int>(value.toInteger().value_or(-1)));
        return;
    case BindingName::selectedTag:
        if (auto* popUp = dynamic_cast<ui::PopUpButton*>(&control)) {
            auto tag = value.toInteger();
            if (!tag || !popUp->selectItemWithTag(static_cast<int>(*tag)))
                popUp->selectItemAt(-1);
        }
        return;
    case BindingName::value:
        break;
    }
    if (auto* slider = dynamic_cast<ui::Slider*>(&control)) {
        slider->setDoubleValue(value.toDouble().value_or(0));
        return;
    }
    if (auto* field = dynamic_cast<ui::TextField*>(&control)) {
        if (value.isNull() && m_options.nullPlaceholder)
            field->setPlaceholder(*m_options.nullPlaceholder);
        if (auto* tokens = dynamic_cast<ui::TokenField*>(&control)) {
            std::vector<std::string> shown;
            if (auto* array = value.asArray()) {
                for (const auto& item : *array) {
                    if (auto* text = item.asString())
                        shown.push_back(*text);
                }
            } else if (auto* text = value.asString()) {
                shown = ui::TokenField::split(*text);
            }
            tokens->setTokens(shown);
            return;
        }
        field->setStringValue(textOf(value));
        return;
    }
    if (auto* button = dynamic_cast<ui::Button*>(&control))
        button->setState(value.toBoolean().value_or(false) ? ui::ControlStateValue::On : ui::ControlStateValue::Off);
}

}
