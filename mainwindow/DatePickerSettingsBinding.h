#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace base {
class Defaults;
}

namespace ui {
class DatePicker;
}

namespace ostrel {

class ValueTransformer;

// Ties a date picker to two settings keys that hold dates in some stored form (day texts,
// through a transformer to dates): the picker shows and writes the first key, and the
// second is its earliest or latest date. Both are shown again whenever either changes.
// Whatever the settings hold, the program goes on: a stored value that names no date
// leaves the picker's date as it is, or sets no limit; a limit on the wrong side of the
// stored date is left off, so that the picker shows the stored date and the user can mend
// either. The binding holds the picker weakly and ends with unbind or its own end.
class DatePickerSettingsBinding : public std::enable_shared_from_this<DatePickerSettingsBinding> {
public:
    enum class Limit { minDate, maxDate };

    // "values.X" names key X, as the shared defaults controller's key paths do.
    static std::shared_ptr<DatePickerSettingsBinding> bind(const std::shared_ptr<ui::DatePicker>& picker,
        std::shared_ptr<base::Defaults> store, const std::string& valueKeyPath, Limit limit,
        const std::string& limitKeyPath, std::shared_ptr<const ValueTransformer> transformer);
    ~DatePickerSettingsBinding();
    DatePickerSettingsBinding(const DatePickerSettingsBinding&) = delete;
    DatePickerSettingsBinding& operator=(const DatePickerSettingsBinding&) = delete;

    // The picker gets its own action back and no longer follows the settings.
    void unbind();

private:
    DatePickerSettingsBinding() = default;
    void showStoredValues();
    void storePickedDate();
    std::optional<double> storedDate(const std::string& key) const;

    std::weak_ptr<ui::DatePicker> m_picker;
    std::shared_ptr<base::Defaults> m_store;
    std::shared_ptr<const ValueTransformer> m_transformer;
    std::string m_valueKey;
    std::string m_limitKey;
    Limit m_limit { Limit::maxDate };
    std::uint64_t m_valueObserver { 0 };
    std::uint64_t m_limitObserver { 0 };
    std::function<void()> m_previousAction;
    bool m_hooked { false };
};

}
