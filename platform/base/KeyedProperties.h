#pragma once

#include "platform/base/Observable.h"

#include <any>
#include <functional>
#include <map>
#include <string>
#include <typeinfo>
#include <vector>

namespace base {

// Named properties an object chooses to expose, read and written by name as std::any: how
// a screen's transition targets are found by transition name, and how observed values are
// read by key. Not reflection: only what the class exposes exists.
//
// Asking for a name the class never exposed, or storing a value of the wrong type, is a
// programming error and stops the program with the name in the message.
class KeyedProperties : public Observable {
public:
    KeyedProperties() = default;
    // The exposed accessors point into this very object, so it is never copied.
    KeyedProperties(const KeyedProperties&) = delete;
    KeyedProperties& operator=(const KeyedProperties&) = delete;

    bool hasProperty(const std::string& key) const { return m_properties.contains(key); }
    std::vector<std::string> propertyNames() const;

    std::any value(const std::string& key) const;
    template<class T>
    T valueAs(const std::string& key) const
    {
        std::any held = value(key);
        if (auto* typed = std::any_cast<T>(&held))
            return *typed;
        typeMismatch(key, held.type(), typeid(T));
    }

    // Stores the value and tells the key's observers.
    void setValue(const std::string& key, std::any value);

protected:
    using Getter = std::function<std::any()>;
    using Setter = std::function<void(const std::any&)>;

    // A property with no setter is read-only.
    void exposeProperty(std::string key, Getter get, Setter set = {});

    // Exposes a data member as a read-write property of its own type.
    template<class T>
    void exposeMember(std::string key, T& member)
    {
        exposeProperty(
            key, [&member] { return std::any(member); },
            [key, &member](const std::any& value) {
                if (auto* typed = std::any_cast<T>(&value))
                    member = *typed;
                else
                    typeMismatch(key, typeid(T), value.type());
            });
    }

private:
    struct Property {
        Getter get;
        Setter set;
    };
    [[noreturn]] static void typeMismatch(const std::string& key, const std::type_info& propertyType,
        const std::type_info& usedAs);

    std::map<std::string, Property, std::less<>> m_properties;
};

}
