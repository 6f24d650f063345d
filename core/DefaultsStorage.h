#pragma once

#include "platform/base/Value.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>

namespace base {
class Defaults;
}

namespace ostrel {

// The settings behind a small interface, so that logic keeping counters, dates and flags in
// the settings can run against an in-memory twin.
class DefaultsStorageAPI {
public:
    using Array = base::Value::Array;
    virtual ~DefaultsStorageAPI() = default;

    // Overloads by kind, as the stored kind matters to whoever reads it back.
    virtual void registerDefault(double value, const std::string& key) = 0;
    virtual void store(double value, const std::string& key) = 0;
    virtual double getTimeInterval(const std::string& key) const = 0;
    virtual void registerDefault(int64_t value, const std::string& key) = 0;
    virtual void store(int64_t value, const std::string& key) = 0;
    virtual int64_t getInteger(const std::string& key) const = 0;
    virtual void registerDefault(bool value, const std::string& key) = 0;
    virtual void store(bool value, const std::string& key) = 0;
    virtual bool getBoolean(const std::string& key) const = 0;
    virtual void registerDefault(const Array& value, const std::string& key) = 0;
    virtual void store(const Array& value, const std::string& key) = 0;
    virtual std::optional<Array> getArray(const std::string& key) const = 0;
    // Whether the key has any value, stored or registered.
    virtual bool defined(const std::string& key) const = 0;

    // A plain literal such as 0 would fit an integer, a time interval and a flag alike: it
    // is an integer. Text would quietly turn into a flag, so it is refused.
    void registerDefault(int value, const std::string& key) { registerDefault(int64_t { value }, key); }
    void store(int value, const std::string& key) { store(int64_t { value }, key); }
    void registerDefault(const char*, const std::string&) = delete;
    void store(const char*, const std::string&) = delete;
};

// The program's settings store; every registration and store is synchronised at once.
class StandardUserDefaultsStorage final : public DefaultsStorageAPI {
public:
    explicit StandardUserDefaultsStorage(std::shared_ptr<base::Defaults> defaults);
    using DefaultsStorageAPI::registerDefault;
    using DefaultsStorageAPI::store;

    void registerDefault(double value, const std::string& key) override;
    void store(double value, const std::string& key) override;
    double getTimeInterval(const std::string& key) const override;
    void registerDefault(int64_t value, const std::string& key) override;
    void store(int64_t value, const std::string& key) override;
    int64_t getInteger(const std::string& key) const override;
    void registerDefault(bool value, const std::string& key) override;
    void store(bool value, const std::string& key) override;
    bool getBoolean(const std::string& key) const override;
    void registerDefault(const Array& value, const std::string& key) override;
    void store(const Array& value, const std::string& key) override;
    std::optional<Array> getArray(const std::string& key) const override;
    bool defined(const std::string& key) const override;

private:
    void registerValue(const std::string& key, base::Value value);
    void storeValue(const std::string& key, base::Value value);
    std::shared_ptr<base::Defaults> m_store;
};

// The in-memory twin: a missing key, or one holding another kind, reads as -1.0, -1 or false.
// A registered default, as in the real settings, never replaces a value already there.
class TestDefaultsStorage final : public DefaultsStorageAPI {
public:
    using DefaultsStorageAPI::registerDefault;
    using DefaultsStorageAPI::store;
    void registerDefault(double value, const std::string& key) override { registerEntry(key, value); }
    void store(double value, const std::string& key) override { m_defaultsDictionary[key] = value; }
    double getTimeInterval(const std::string& key) const override { return get<double>(key, -1.0); }
    void registerDefault(int64_t value, const std::string& key) override { registerEntry(key, value); }
    void store(int64_t value, const std::string& key) override { m_defaultsDictionary[key] = value; }
    int64_t getInteger(const std::string& key) const override { return get<int64_t>(key, -1); }
    void registerDefault(bool value, const std::string& key) override { registerEntry(key, value); }
    void store(bool value, const std::string& key) override { m_defaultsDictionary[key] = value; }
    bool getBoolean(const std::string& key) const override { return get<bool>(key, false); }
    void registerDefault(const Array& value, const std::string& key) override { registerEntry(key, value); }
    void store(const Array& value, const std::string& key) override { m_defaultsDictionary[key] = value; }
    std::optional<Array> getArray(const std::string& key) const override;
    bool defined(const std::string& key) const override { return m_defaultsDictionary.contains(key); }

private:
    using Entry = std::variant<double, int64_t, bool, Array>;
    void registerEntry(const std::string& key, Entry value) { m_defaultsDictionary.try_emplace(key, std::move(value)); }
    template<typename T>
    T get(const std::string& key, T missing) const
    {
        auto found = m_defaultsDictionary.find(key);
        if (found == m_defaultsDictionary.end())
            return missing;
        auto* value = std::get_if<T>(&found->second);
        return value ? *value : missing;
    }
    std::map<std::string, Entry> m_defaultsDictionary;
};

}
