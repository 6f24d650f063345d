#pragma once

#include "core/KVOResponder.h"
#include "core/ListenerList.h"

#include "platform/base/Defaults.h"
#include "platform/base/Value.h"
#include "platform/gfx/Color.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace ostrel {

// Every observable value offers two ways of listening: a hot listener is called at once
// with the current value and then on every change; a cold listener only on later changes.
// Both answer a token: the listener stays registered for as long as the token lives.
template<typename T>
class ReadOnlyVariableType {
public:
    using Listener = std::function<void(const T&)>;
    virtual ~ReadOnlyVariableType() = default;
    virtual T value() const = 0;
    [[nodiscard]] virtual ListenerToken addHotListener(Listener listener) = 0;
    [[nodiscard]] virtual ListenerToken addColdListener(Listener listener) = 0;
};

template<typename T>
class ReadWriteVariableType : public ReadOnlyVariableType<T> {
public:
    virtual void setValue(const T& value) = 0;
};

// An observable value kept in memory. Every write notifies, even of an equal value.
template<typename T>
class StraightVariable : public ReadWriteVariableType<T> {
public:
    using typename ReadOnlyVariableType<T>::Listener;

    static std::shared_ptr<StraightVariable> create(T initialValue)
    {
        return std::shared_ptr<StraightVariable>(new StraightVariable(std::move(initialValue)));
    }

    T value() const override { return m_privateValue; }
    void setValue(const T& value) override
    {
        m_privateValue = value;
        m_changeListeners.notify(m_privateValue);
    }
    ListenerToken addHotListener(Listener listener) override { return m_changeListeners.addHot(std::move(listener), m_privateValue); }
    ListenerToken addColdListener(Listener listener) override { return m_changeListeners.add(std::move(listener)); }

protected:
    explicit StraightVariable(T initialValue)
        : m_privateValue(std::move(initialValue))
    {
    }

private:
    ListenerList<T> m_changeListeners;
    T m_privateValue;
};

// Enumerations stored by their integer raw value: RawValueTraits<T> gives rawValue(T) and
// fromRawValue(int64_t), none for a raw value that names no case.
template<typename T>
struct RawValueTraits;

// A value of an enumeration in memory that can also be read and written by its raw value.
// A raw value that names no case changes nothing and tells nobody: the value stays one of
// the enumeration's.
template<typename T>
class RawRepresentableStraightVariable final : public StraightVariable<T> {
public:
    static std::shared_ptr<RawRepresentableStraightVariable> create(T initialValue)
    {
        return std::shared_ptr<RawRepresentableStraightVariable>(new RawRepresentableStraightVariable(std::move(initialValue)));
    }

    int64_t rawValue() const { return RawValueTraits<T>::rawValue(this->value()); }
    void setRawValue(int64_t rawValue)
    {
        if (auto value = RawValueTraits<T>::fromRawValue(rawValue))
            this->setValue(*value);
    }

private:
    explicit RawRepresentableStraightVariable(T initialValue)
        : StraightVariable<T>(std::move(initialValue))
    {
    }
};

// How a settings variable keeps its value in the store. A coding reads whatever the store
// holds as outside input: anything it cannot make sense of reads as the variable's fallback.
template<typename T>
struct PlainCoding {
    static constexpr bool synchronizesOnWrite = true;
    static constexpr bool readsStoredText = false;
    static base::Value encode(const T& value) { return base::Value(value); }
    static std::optional<T> decode(const base::Value& stored);
};

template<>
inline std::optional<bool> PlainCoding<bool>::decode(const base::Value& stored)
{
    return stored.toBoolean();
}

template<>
inline std::optional<int64_t> PlainCoding<int64_t>::decode(const base::Value& stored)
{
    return stored.toInteger();
}

template<>
inline std::optional<double> PlainCoding<double>::decode(const base::Value& stored)
{
    return stored.toDouble();
}

template<>
inline std::optional<std::string> PlainCoding<std::string>::decode(const base::Value& stored)
{
    if (auto* text = stored.asString())
        return *text;
    return std::nullopt;
}

template<typename T>
struct RawCoding {
    static constexpr bool synchronizesOnWrite = false;
    static constexpr bool readsStoredText = false;
    static base::Value encode(const T& value) { return base::Value(static_cast<long long>(RawValueTraits<T>::rawValue(value))); }
    static std::optional<T> decode(const base::Value& stored)
    {
        auto raw = stored.toInteger();
        return raw ? RawValueTraits<T>::fromRawValue(*raw) : std::nullopt;
    }
};

// Values stored as JSON text: JsonTraits<T> gives encode (none when it cannot) and decode
// (none for text that is no T).
template<typename T>
struct JsonTraits;

template<typename T>
struct JsonCoding {
    static constexpr bool synchronizesOnWrite = false;
    static constexpr bool readsStoredText = true;
    // Made once for every variable of T, with their default settings.
    static constexpr auto encoder = &JsonTraits<T>::encode;
    static constexpr auto decoder = &JsonTraits<T>::decode;
    static std::optional<base::Value> encodeIfPossible(const T& value)
    {
        auto text = encoder(value);
        return text ? std::optional<base::Value>(base::Value(*text)) : std::nullopt;
    }
    static base::Value encode(const T& value) { return encodeIfPossible(value).value_or(base::Value()); }
    static std::optional<T> decode(const base::Value& stored)
    {
        auto* text = stored.asString();
        return text ? decoder(*text) : std::nullopt;
    }
};

// An optional value as JSON text, none written as JSON null: JsonTraits<std::optional<T>>
// codes it. Whatever does not read as a T (no text at all, text that is no JSON, null)
// reads as none, never as the registered value.
template<typename T>
struct NillableJsonCoding : JsonCoding<std::optional<T>> {
    static std::optional<T> nilValue() { return std::nullopt; }
    static std::optional<std::optional<T>> decode(const base::Value& stored)
    {
        auto* text = stored.asString();
        std::optional<T> decoded;
        if (text)
            decoded = JsonCoding<std::optional<T>>::decoder(*text).value_or(std::nullopt);
        return std::optional<std::optional<T>>(std::in_place, std::move(decoded));
    }
};

// An observable value that lives only in the settings store under one key. It registers
// its own default when it is made, keeps no copy of the value, and hears every write of
// its key, whoever made it.
template<typename T, typename Coding = PlainCoding<T>>
class UserDefaultsVariable final : public ReadWriteVariableType<T> {
public:
    using typename ReadOnlyVariableType<T>::Listener;
    // Makes a value of what the store holds; none for what it cannot.
    using Converter = std::function<std::optional<T>(const base::Value& stored)>;

    // `nilValue` is what a missing or unreadable stored value reads as; by default the
    // coding's own (none, for a nillable variable), else the initial value. The converter
    // is the coding's reading unless one is given.
    static std::shared_ptr<UserDefaultsVariable> create(std::shared_ptr<base::Defaults> store, std::string storageKey,
        const T& initialValue, std::optional<T> nilValue = std::nullopt, Converter converter = {})
    {
        if (!nilValue) {
            if constexpr (requires { Coding::nilValue(); })
                nilValue.emplace(Coding::nilValue());
        }
        if (!converter)
            converter = [](const base::Value& stored) { return Coding::decode(stored); };
        std::shared_ptr<UserDefaultsVariable> variable(new UserDefaultsVariable(
            std::move(store), std::move(storageKey), nilValue ? *nilValue : initialValue, std::move(converter)));
        variable->defaultValue(initialValue);
        auto* self = variable.get();
        self->m_internalKVOResponder = KVOResponder::create(self->m_storageKey, self->m_store, false,
            [self](base::Defaults&, const std::string&) { self->m_changeListeners.notify(self->value()); });
        return variable;
    }

    const std::string& storageKey() const { return m_storageKey; }

    T value() const override
    {
        // JSON text that is no text, or does not decode, reads as the nil value, never as
        // the default; every other kind reads a value of the wrong kind as its default.
        auto stored = Coding::readsStoredText ? m_store->storedObject(m_storageKey) : std::nullopt;
        if (!stored)
            stored = m_store->object(m_storageKey);
        if (!stored)
            return m_nilValue;
        return m_converter(*stored).value_or(m_nilValue);
    }

    // Listeners hear of it through the store, as of any other write of the key.
    void setValue(const T& value) override
    {
        if constexpr (requires { Coding::encodeIfPossible(value); }) {
            auto encoded = Coding::encodeIfPossible(value);
            if (!encoded)
                return;
            m_store->set(m_storageKey, *encoded);
        } else {
            m_store->set(m_storageKey, Coding::encode(value));
        }
        if constexpr (Coding::synchronizesOnWrite)
            m_store->synchronize();
    }

    ListenerToken addHotListener(Listener listener) override { return m_changeListeners.addHot(std::move(listener), value()); }
    ListenerToken addColdListener(Listener listener) override { return m_changeListeners.add(std::move(listener)); }

private:
    UserDefaultsVariable(std::shared_ptr<base::Defaults> store, std::string storageKey, T nilValue, Converter converter)
        : m_store(std::move(store))
        , m_storageKey(std::move(storageKey))
        , m_converter(std::move(converter))
        , m_nilValue(std::move(nilValue))
    {
    }

    void defaultValue(const T& initialValue)
    {
        if constexpr (requires { Coding::encodeIfPossible(initialValue); }) {
            if (auto encoded = Coding::encodeIfPossible(initialValue))
                m_store->registerDefaults({ { m_storageKey, *encoded } });
        } else {
            m_store->registerDefaults({ { m_storageKey, Coding::encode(initialValue) } });
        }
    }

    std::shared_ptr<base::Defaults> m_store;
    std::string m_storageKey;
    Converter m_converter;
    T m_nilValue;
    ListenerList<T> m_changeListeners;
    // Last, so that the observation ends before the listeners go.
    std::shared_ptr<KVOResponder> m_internalKVOResponder;
};

template<typename T>
using RawRepresentableUserDefaultsVariable = UserDefaultsVariable<T, RawCoding<T>>;

template<typename T>
using CodableUserDefaultsVariable = UserDefaultsVariable<T, JsonCoding<T>>;

template<typename T>
using NillableCodableUserDefaultsVariable = UserDefaultsVariable<std::optional<T>, NillableJsonCoding<T>>;

// Any read-write variable behind one type, for bindings and panes that only need the value.
// Its four closures hold the variable; everything it does is the variable's doing.
template<typename T>
class AnyReadWriteVariable final : public ReadWriteVariableType<T> {
public:
    using typename ReadOnlyVariableType<T>::Listener;

    explicit AnyReadWriteVariable(std::shared_ptr<ReadWriteVariableType<T>> variable)
        : _value_getter([variable] { return variable->value(); })
        , _value_setter([variable](const T& value) { variable->setValue(value); })
        , _addHotListener([variable](Listener listener) { return variable->addHotListener(std::move(listener)); })
        , _addColdListener([variable](Listener listener) { return variable->addColdListener(std::move(listener)); })
    {
    }

    T value() const override { return _value_getter(); }
    void setValue(const T& value) override { _value_setter(value); }
    ListenerToken addHotListener(Listener listener) override { return _addHotListener(std::move(listener)); }
    ListenerToken addColdListener(Listener listener) override { return _addColdListener(std::move(listener)); }

private:
    // The names the variables' description gives them.
    std::function<T()> _value_getter;
    std::function<void(const T&)> _value_setter;
    std::function<ListenerToken(Listener)> _addHotListener;
    std::function<ListenerToken(Listener)> _addColdListener;
};

// A colour setting, kept as the settings keep colours (the archive text of gfx/Archive.h)
// under its key, with the last value read at hand. It follows every write of the key,
// whoever made it; an archive that does not read gives the initial value, with a logged
// line.
class ColorReadWriteDefaultVariable final : public ReadWriteVariableType<gfx::Color> {
public:
    static std::shared_ptr<ColorReadWriteDefaultVariable> create(std::shared_ptr<base::Defaults> store,
        std::string storageKey, const gfx::Color& initialValue);

    const std::string& storageKey() const { return m_storageKey; }

    gfx::Color value() const override { return m_privateValue; }
    // Listeners hear of it through the store, as of any other write of the key.
    void setValue(const gfx::Color& value) override;
    ListenerToken addHotListener(Listener listener) override { return m_changeListeners.addHot(std::move(listener), m_privateValue); }
    ListenerToken addColdListener(Listener listener) override { return m_changeListeners.add(std::move(listener)); }

private:
    ColorReadWriteDefaultVariable(std::shared_ptr<base::Defaults> store, std::string storageKey, const gfx::Color& initialValue);
    gfx::Color readStoredValue() const;

    std::shared_ptr<base::Defaults> m_store;
    const std::string m_storageKey;
    gfx::Color m_initialValue;
    ListenerList<gfx::Color> m_changeListeners;
    gfx::Color m_privateValue;
    // Last, so that the observation ends before the listeners go.
    std::shared_ptr<KVOResponder> m_internalKVOResponder;
};

// A value worked out from two variables (`first`, `second`, each a shared pointer to a
// variable) by `expression`, worked out again whenever either changes; its listeners are
// told each time, in the order they were added. It holds both variables, and hears them
// only while it lives.
template<typename T, typename A, typename B>
class CombinedVariable final : public ReadOnlyVariableType<T> {
public:
    using typename ReadOnlyVariableType<T>::Listener;
    using Expression = std::function<T(const A& first, const B& second)>;

    static std::shared_ptr<CombinedVariable> create(A first, B second, Expression expression)
    {
        std::shared_ptr<CombinedVariable> variable(new CombinedVariable(std::move(first), std::move(second), std::move(expression)));
        std::weak_ptr<CombinedVariable> weak = variable;
        auto changed = [weak](const auto&) {
            if (auto self = weak.lock())
                self->callListeners();
        };
        variable->m_firstToken = variable->m_first->addColdListener(changed);
        variable->m_secondToken = variable->m_second->addColdListener(changed);
        return variable;
    }

    const A& first() const { return m_first; }
    const B& second() const { return m_second; }

    T value() const override { return m_expression(m_first, m_second); }
    ListenerToken addHotListener(Listener listener) override { return m_changeListeners.addHot(std::move(listener), value()); }
    ListenerToken addColdListener(Listener listener) override { return m_changeListeners.add(std::move(listener)); }

private:
    CombinedVariable(A first, B second, Expression expression)
        : m_first(std::move(first))
        , m_second(std::move(second))
        , m_expression(std::move(expression))
    {
    }

    void callListeners() const { m_changeListeners.notify(value()); }

    ListenerList<T> m_changeListeners;
    A m_first;
    B m_second;
    const Expression m_expression;
    ListenerToken m_firstToken;
    ListenerToken m_secondToken;
};

}
