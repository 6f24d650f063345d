#pragma once

#include "platform/base/Defaults.h"
#include "command/MatchingItem.h"

#include <functional>
#include <memory>
#include <type_traits>

namespace ostrel {

// Cycles a setting through several values of one type (texts, in practice).
template<typename Stored>
class GenericMultiStateOptionMatchingItem final : public MatchingItem {
public:
    using NextStateFunc = std::function<Stored(const Stored&)>;
    using DescriptionFunc = std::function<std::string(const Stored&)>;

    // Without a path the entry files itself under the options group of its kind.
    static std::shared_ptr<GenericMultiStateOptionMatchingItem> create(base::Defaults& defaults,
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
            defaults, std::move(title), std::move(expandedStrings), kind, std::move(defaultsStorageKey),
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
            m_defaults->set(m_defaultsStorageKey, m_nextState(*value));
    }

private:
    GenericMultiStateOptionMatchingItem(base::Defaults& defaults, std::string title,
        std::vector<std::string> path, MatchingItemKind kind, std::string defaultsStorageKey,
        NextStateFunc nextStateFunc, DescriptionFunc describe)
        : MatchingItem(std::move(title), std::move(path), kind)
        , m_defaults(&defaults)
        , m_defaultsStorageKey(std::move(defaultsStorageKey))
        , m_nextState(std::move(nextStateFunc))
        , m_describe(std::move(describe))
    {
    }

    // Exactly our type: a number is not a text here, whatever the lenient reads would make of it.
    std::optional<Stored> storedValue() const
    {
        auto object = m_defaults->object(m_defaultsStorageKey);
        if (!object)
            return std::nullopt;
        const Stored* value = nullptr;
        if constexpr (std::is_same_v<Stored, std::string>)
            value = object->asString();
        else if constexpr (std::is_same_v<Stored, bool>)
            value = object->asBoolean();
        else if constexpr (std::is_same_v<Stored, std::int64_t>)
            value = object->asInteger();
        else if constexpr (std::is_same_v<Stored, double>)
            value = object->asReal();
        else
            static_assert(!sizeof(Stored), "not a type the defaults store");
        return value ? std::optional<Stored>(*value) : std::nullopt;
    }

    // Non-owning: the defaults outlive every gathering of entries.
    base::Defaults* m_defaults { nullptr };
    std::string m_defaultsStorageKey;
    NextStateFunc m_nextState;
    DescriptionFunc m_describe;
};

}
