#pragma once

#include "command/CommandSettings.h"
#include "command/MatchingItem.h"

#include <functional>
#include <memory>

namespace ostrel {

// Cycles a setting through several values of one type (texts, in practice).
template<typename Value>
class GenericMultiStateOptionMatchingItem final : public MatchingItem {
public:
    using NextStateFunc = std::function<Value(const Value&)>;
    using DescriptionFunc = std::function<std::string(const Value&)>;

    // Without a path the entry files itself under the options group of its kind.
    static std::shared_ptr<GenericMultiStateOptionMatchingItem> create(CommandSettings& settings,
        std::string title, std::vector<std::string> expandedStrings, MatchingItemKind kind,
        std::string defaultsStorageKey, NextStateFunc nextStateFunc, DescriptionFunc userReadableStateDescriptonFunc)
    {
        if (expandedStrings.empty()) {
            if (kind == MatchingItemKind::globalOption)
                expandedStrings = { "Global Options" };
            else if (kind == MatchingItemKind::stateOption)
                expandedStrings = { "State-Specific Options" };
        }
        return std::shared_ptr<GenericMultiStateOptionMatchingItem>(new GenericMultiStateOptionMatchingItem(
            settings, std::move(title), std::move(expandedStrings), kind, std::move(defaultsStorageKey),
            std::move(nextStateFunc), std::move(userReadableStateDescriptonFunc)));
    }

    const std::string& defaultsStorageKey() const { return m_defaultsStorageKey; }

    // "dummy" when the key holds nothing of our type: there is nothing sensible to describe.
    std::string userReadableStateDescription() const
    {
        auto value = storedValue();
        return value && m_describe ? m_describe(*value) : "dummy";
    }

    // A key holding nothing of our type is left alone rather than overwritten with a guess.
    void execute() override
    {
        if (auto value = storedValue(); value && m_nextState)
            m_settings->set(m_defaultsStorageKey, m_nextState(*value));
    }

private:
    GenericMultiStateOptionMatchingItem(CommandSettings& settings, std::string title,
        std::vector<std::string> path, MatchingItemKind kind, std::string defaultsStorageKey,
        NextStateFunc nextStateFunc, DescriptionFunc describe)
        : MatchingItem(std::move(title), std::move(path), kind)
        , m_settings(&settings)
        , m_defaultsStorageKey(std::move(defaultsStorageKey))
        , m_nextState(std::move(nextStateFunc))
        , m_describe(std::move(describe))
    {
    }

    std::optional<Value> storedValue() const
    {
        auto object = m_settings->object(m_defaultsStorageKey);
        if (object)
            if (auto* value = std::get_if<Value>(&*object))
                return *value;
        return std::nullopt;
    }

    // Non-owning: the settings outlive every gathering of entries.
    CommandSettings* m_settings { nullptr };
    std::string m_defaultsStorageKey;
    NextStateFunc m_nextState;
    DescriptionFunc m_describe;
};

}
