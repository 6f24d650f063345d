#pragma once

#include "core/KVOResponder.h"
#include "core/ListenerList.h"

#include "platform/base/Defaults.h"
#include "platform/base/Value.h"

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
class StraightVariable final : public ReadWriteVariableType<T> {
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
    ListenerToken addHotListener(Listener listener) override
    {
        auto token = m_changeListeners.add(listener);
        listener(m_privateValue);
        return token;
    }
    ListenerToken addColdListener(Listener listener) override { return m_changeListeners.add(std::move(listener)); }

private:
    explicit StraightVariable(T initialValue)
        : m_privateValue(std::move(initialValue))
    {
    }
    ListenerList<T> m_changeListeners;
    T m_privateValue;
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

// Enumerations stored by their integer raw value: RawValueTraits<T> gives rawValue(T) and
// fromRawValue(int64_t), none for a raw value that names no case.
template<typename T>
struct RawValueTraits;

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

// Values stored as JSON text: JsonTraits<T> gives encode (none when it cannot) and decode.
template<typename T>
struct JsonTraits;

template<typename T>
struct JsonCoding {
    static constexpr bool synchronizesOnWrite = false;
    static constexpr bool readsStoredText = true;
    static std::optional<base::Value> encodeIfPossible(const T& value)
    {
        auto text = JsonTraits<T>::encode(value);
        return text ? std::optional<base::Value>(base::Value(*text)) : std::nullopt;
    }
    static base::Value encode(const T& value) { return encodeIfPossible(value).value_or(base::Value()); }
    static std::optional<T> decode(const base::Value& stored)
    {
        auto* text = stored.asString();
        return text ? JsonTraits<T>::decode(*text) : std::nullopt;
    }
};

// An observable value that lives only in the settings store under one key. It registers
// its own default when it is made, keeps no copy of the value, and hears every write of
// its key, whoever made it.
template<typename T, typename Coding = PlainCoding<T>>
class UserDefaultsVariable final : public ReadWriteVariableType<T> {
public:
    using typename ReadOnlyVariableType<T>::Listener;

    // `nilValue` is what a missing or unreadable stored value reads as; by default the
    // initial value.
    static std::shared_ptr<UserDefaultsVariable> create(std::shared_ptr<base::Defaults> store, std::string storageKey,
        const T& initialValue, std::optional<T> nilValue = std::nullopt)
    {
        std::shared_ptr<UserDefaultsVariable> variable(
            new UserDefaultsVariable(std::move(store), std::move(storageKey), nilValue.value_or(initialValue)));
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
        return Coding::decode(*stored).value_or(m_nilValue);
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

    ListenerToken addHotListener(Listener listener) override
    {
        auto token = m_changeListeners.add(listener);
        listener(value());
        return token;
    }
    ListenerToken addColdListener(Listener listener) override { return m_changeListeners.add(std::move(listener)); }

private:
    UserDefaultsVariable(std::shared_ptr<base::Defaults> store, std::string storageKey, T nilValue)
        : m_store(std::move(store))
        , m_storageKey(std::move(storageKey))
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
    T m_nilValue;
    ListenerList<T> m_changeListeners;
    // Last, so that the observation ends before the listeners go.
    std::shared_ptr<KVOResponder> m_internalKVOResponder;
};

template<typename T>
using RawRepresentableUserDefaultsVariable = UserDefaultsVariable<T, RawCoding<T>>;

template<typename T>
using CodableUserDefaultsVariable = UserDefaultsVariable<T, JsonCoding<T>>;

// Any read-write variable behind one type, for bindings and panes that only need the value.
template<typename T>
class AnyReadWriteVariable final : public ReadWriteVariableType<T> {
public:
    using typename ReadOnlyVariableType<T>::Listener;

    explicit AnyReadWriteVariable(std::shared_ptr<ReadWriteVariableType<T>> variable)
        : m_variable(std::move(variable))
    {
    }

    T value() const override { return m_variable->value(); }
    void setValue(const T& value) override { m_variable->setValue(value); }
    ListenerToken addHotListener(Listener listener) override { return m_variable->addHotListener(std::move(listener)); }
    ListenerToken addColdListener(Listener listener) override { return m_variable->addColdListener(std::move(listener)); }

private:
    std::shared_ptr<ReadWriteVariableType<T>> m_variable;
};

}
