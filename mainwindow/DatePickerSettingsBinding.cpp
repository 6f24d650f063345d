#include "mainwindow/DatePickerSettingsBinding.h"

#include "core/ValueTransformers.h"

#include "platform/base/Defaults.h"
#include "platform/ui/DatePicker.h"

#include <cmath>

namespace ostrel {

namespace {

std::string keyOf(const std::string& keyPath)
{
    constexpr std::string_view controllerPrefix = "values.";
    return keyPath.starts_with(controllerPrefix) ? keyPath.substr(controllerPrefix.size()) : keyPath;
}

}

std::shared_ptr<DatePickerSettingsBinding> DatePickerSettingsBinding::bind(const std::shared_ptr<ui::DatePicker>& picker,
    std::shared_ptr<base::Defaults> store, const std::string& valueKeyPath, Limit limit, const std::string& limitKeyPath,
    std::shared_ptr<const ValueTransformer> transformer)
{
    std::shared_ptr<DatePickerSettingsBinding> binding(new DatePickerSettingsBinding);
    binding->m_picker = picker;
    binding->m_store = std::move(store);
    binding->m_transformer = std::move(transformer);
    binding->m_valueKey = keyOf(valueKeyPath);
    binding->m_limitKey = keyOf(limitKeyPath);
    binding->m_limit = limit;

    std::weak_ptr<DatePickerSettingsBinding> weak = binding;
    auto reshow = [weak](const std::string&) {
        if (auto self = weak.lock())
            self->showStoredValues();
    };
    binding->m_valueObserver = binding->m_store->addObserver(binding->m_valueKey, reshow);
    binding->m_limitObserver = binding->m_store->addObserver(binding->m_limitKey, reshow);
    if (picker) {
        binding->m_previousAction = picker->onAction;
        binding->m_hooked = true;
        picker->onAction = [weak, previous = binding->m_previousAction] {
            if (auto self = weak.lock())
                self->storePickedDate();
            if (previous)
                previous();
        };
    }
    binding->showStoredValues();
    return binding;
}

DatePickerSettingsBinding::~DatePickerSettingsBinding() { unbind(); }

void DatePickerSettingsBinding::unbind()
{
    if (m_store) {
        m_store->removeObserver(m_valueObserver);
        m_store->removeObserver(m_limitObserver);
    }
    if (auto picker = m_picker.lock(); picker && m_hooked)
        picker->onAction = m_previousAction;
    m_hooked = false;
    m_picker.reset();
    m_store.reset();
}

std::optional<double> DatePickerSettingsBinding::storedDate(const std::string& key) const
{
    auto stored = m_store->object(key);
    if (!stored)
        return std::nullopt;
    base::Value shown = m_transformer ? m_transformer->transformedValue(*stored) : *stored;
    if (auto* date = shown.asDate(); date && std::isfinite(date->seconds))
        return date->seconds;
    return std::nullopt;
}

void DatePickerSettingsBinding::showStoredValues()
{
    auto picker = m_picker.lock();
    if (!picker || !m_store)
        return;
    auto value = storedDate(m_valueKey);
    auto limit = storedDate(m_limitKey);
    if (value && limit && (m_limit == Limit::maxDate ? *limit < *value : *limit > *value))
        limit.reset();
    auto setLimit = [&](std::optional<double> moment) {
        m_limit == Limit::maxDate ? picker->setMaxDate(moment) : picker->setMinDate(moment);
    };
    // The old limit goes first: it must not clamp the date now shown.
    setLimit(std::nullopt);
    if (value)
        picker->setDateValue(*value);
    setLimit(limit);
}

void DatePickerSettingsBinding::storePickedDate()
{
    auto picker = m_picker.lock();
    if (!picker || !m_store)
        return;
    base::Value picked = base::Value::Date { picker->dateValue() };
    base::Value stored = m_transformer ? m_transformer->reverseTransformedValue(picked) : picked;
    if (stored.isNull())
        return;
    m_store->set(m_valueKey, std::move(stored));
}

}
