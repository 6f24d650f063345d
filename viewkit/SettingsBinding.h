#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace base {
class Defaults;
class Value;
}

namespace ui {
class View;
}

namespace ostrel {

class ValueTransformer;

// What of a control a settings binding ties to the key.
enum class BindingName {
    // A slider's number, a field's text (a token field's tokens), a button's on state.
    value,
    // A text view's rich text, as package data.
    data,
    // A pop-up button's selection, by index or by the chosen item's tag.
    selectedIndex,
    selectedTag,
};

struct SettingsBindingOptions {
    // A transformer registered under this name (ValueTransformer::named), unless one is given.
    std::string valueTransformerName;
    std::shared_ptr<const ValueTransformer> valueTransformer;
    // Fields write on every edit instead of on Return and when editing ends.
    bool continuouslyUpdatesValue { false };
    // Kept with the binding; our fields have no validation of their own to run.
    bool validatesImmediately { false };
    // Shown in a field whose value is null.
    std::optional<std::string> nullPlaceholder;
};

// Ties one property of a control to a key of a settings store, both ways: the control shows
// the key's value (through the transformer, when there is one) now and after every write of
// the key, and the user's changes write the key (through the reverse transformation). The
// control keeps its own closure: the binding hooks in before it and puts it back on unbind.
// The binding lives while its control does (it holds the control weakly) or until unbind;
// it never reaches a freed control. Main thread only.
class SettingsBinding : public std::enable_shared_from_this<SettingsBinding> {
public:
    // "values.X" names key X, as the shared defaults controller's key paths do. Binding the
    // same name of a control again replaces the earlier binding.
    static void bind(ui::View& control, BindingName name, std::shared_ptr<base::Defaults> store, const std::string& keyPath,
        SettingsBindingOptions options = {});
    static void unbind(ui::View& control, BindingName name);
    static bool isBound(const ui::View& control, BindingName name);
    // The key a control's binding writes, or none.
    static std::optional<std::string> boundKey(const ui::View& control, BindingName name);

    ~SettingsBinding();
    SettingsBinding(const SettingsBinding&) = delete;
    SettingsBinding& operator=(const SettingsBinding&) = delete;

private:
    SettingsBinding(ui::View& control, BindingName name, std::shared_ptr<base::Defaults> store, std::string key,
        SettingsBindingOptions options);
    void start();
    void hookControl();
    void unhookControl();
    void showStoredValue();
    void storeControlValue();
    base::Value readControl(ui::View& control) const;
    void writeControl(ui::View& control, const base::Value& value) const;
    bool matches(const ui::View& control, BindingName name) const;

    std::weak_ptr<ui::View> m_control;
    BindingName m_name { BindingName::value };
    std::shared_ptr<base::Defaults> m_store;
    std::string m_key;
    SettingsBindingOptions m_options;
    std::shared_ptr<const ValueTransformer> m_transformer;
    std::uint64_t m_observer { 0 };
    // While we write the key, its observer call is our own echo.
    bool m_writing { false };
    // The control's own closures from before the binding, run after it and put back by unbind.
    std::function<void()> m_previousAction;
    std::function<void()> m_previousTextChange;
    std::function<void()> m_previousEndEditing;
    enum class Hook { none, action, textChange, actionAndEndEditing, textViewChange } m_hook { Hook::none };
};

}
