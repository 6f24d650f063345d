#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace base {

// A property-list value: what settings, property lists and JSON documents hold.
class Value {
public:
    using Array = std::vector<Value>;
    using Dictionary = std::map<std::string, Value>;
    using Data = std::vector<std::uint8_t>;
    // A moment as seconds since 2001-01-01 00:00:00 UTC.
    struct Date {
        double seconds { 0 };
        bool operator==(const Date&) const = default;
    };
    enum class Type { Null, Boolean, Integer, Real, String, Data, Date, Array, Dictionary };

    Value() = default;
    Value(bool value) : m_storage(value) { }
    Value(int value) : m_storage(std::int64_t(value)) { }
    Value(long value) : m_storage(std::int64_t(value)) { }
    Value(long long value) : m_storage(std::int64_t(value)) { }
    Value(double value) : m_storage(value) { }
    Value(const char* value) : m_storage(std::string(value)) { }
    Value(std::string value) : m_storage(std::move(value)) { }
    Value(Data value) : m_storage(std::move(value)) { }
    Value(Date value) : m_storage(value) { }
    Value(Array value) : m_storage(std::move(value)) { }
    Value(Dictionary value) : m_storage(std::move(value)) { }

    Type type() const { return Type(m_storage.index()); }
    bool isNull() const { return type() == Type::Null; }
    bool isNumber() const { return type() == Type::Integer || type() == Type::Real || type() == Type::Boolean; }

    // Exact access: null when the value is of another type.
    const bool* asBoolean() const { return std::get_if<bool>(&m_storage); }
    const std::int64_t* asInteger() const { return std::get_if<std::int64_t>(&m_storage); }
    const double* asReal() const { return std::get_if<double>(&m_storage); }
    const std::string* asString() const { return std::get_if<std::string>(&m_storage); }
    const Data* asData() const { return std::get_if<Data>(&m_storage); }
    const Date* asDate() const { return std::get_if<Date>(&m_storage); }
    const Array* asArray() const { return std::get_if<Array>(&m_storage); }
    const Dictionary* asDictionary() const { return std::get_if<Dictionary>(&m_storage); }
    Array* asArray() { return std::get_if<Array>(&m_storage); }
    Dictionary* asDictionary() { return std::get_if<Dictionary>(&m_storage); }

    // Lenient reads, as settings are read: numbers from numeric text, Booleans from
    // "YES"/"true"/numbers. None when nothing sensible can be made of the value.
    std::optional<bool> toBoolean() const;
    std::optional<std::int64_t> toInteger() const;
    std::optional<double> toDouble() const;

    // The member of a dictionary, or null.
    const Value* find(const std::string& key) const;

    bool operator==(const Value&) const = default;

private:
    std::variant<std::monostate, bool, std::int64_t, double, std::string, Data, Date, Array, Dictionary> m_storage;
};

}
