#include "platform/base/Json.h"

#include "platform/base/Base64.h"

#include <nlohmann/json.hpp>

namespace base {

namespace {
using nlohmann::json;

constexpr int kMaximumDepth = 256;

std::optional<Value> fromJson(const json& node, int depth)
{
    if (depth > kMaximumDepth)
        return std::nullopt;
    switch (node.type()) {
    case json::value_t::null:
        return Value();
    case json::value_t::boolean:
        return Value(node.get<bool>());
    case json::value_t::number_integer:
        return Value(node.get<std::int64_t>());
    case json::value_t::number_unsigned: {
        auto value = node.get<std::uint64_t>();
        if (value > std::uint64_t(INT64_MAX))
            return Value(double(value));
        return Value(std::int64_t(value));
    }
    case json::value_t::number_float:
        return Value(node.get<double>());
    case json::value_t::string:
        return Value(node.get<std::string>());
    case json::value_t::array: {
        Value::Array array;
        for (const auto& item : node) {
            auto value = fromJson(item, depth + 1);
            if (!value)
                return std::nullopt;
            array.push_back(std::move(*value));
        }
        return Value(std::move(array));
    }
    case json::value_t::object: {
        if (node.size() == 1 && node.contains("$data") && node["$data"].is_string()) {
            if (auto bytes = decodeBase64(node["$data"].get<std::string>()))
                return Value(std::move(*bytes));
        }
        if (node.size() == 1 && node.contains("$date") && node["$date"].is_number())
            return Value(Value::Date { node["$date"].get<double>() });
        Value::Dictionary dictionary;
        for (const auto& [key, item] : node.items()) {
            auto value = fromJson(item, depth + 1);
            if (!value)
                return std::nullopt;
            dictionary.emplace(key, std::move(*value));
        }
        return Value(std::move(dictionary));
    }
    default:
        return std::nullopt;
    }
}

json toJsonNode(const Value& value)
{
    switch (value.type()) {
    case Value::Type::Null:
        return nullptr;
    case Value::Type::Boolean:
        return *value.asBoolean();
    case Value::Type::Integer:
        return *value.asInteger();
    case Value::Type::Real:
        return *value.asReal();
    case Value::Type::String:
        return *value.asString();
    case Value::Type::Data:
        return json { { "$data", encodeBase64(*value.asData()) } };
    case Value::Type::Date:
        return json { { "$date", value.asDate()->seconds } };
    case Value::Type::Array: {
        json array = json::array();
        for (const auto& item : *value.asArray())
            array.push_back(toJsonNode(item));
        return array;
    }
    case Value::Type::Dictionary: {
        json object = json::object();
        for (const auto& [key, item] : *value.asDictionary())
            object[key] = toJsonNode(item);
        return object;
    }
    }
    return nullptr;
}
}

std::optional<Value> parseJson(std::string_view text, std::string* error)
{
    // The parser takes a NUL byte for the end of the text and would answer what came before
    // it, dropping the rest unseen; valid JSON holds none anywhere.
    if (auto nul = text.find('\0'); nul != std::string_view::npos) {
        if (error)
            *error = "not valid JSON (a NUL byte at byte " + std::to_string(nul) + ")";
        return std::nullopt;
    }
    json document = json::parse(text, nullptr, false);
    if (document.is_discarded()) {
        if (error)
            *error = "not valid JSON";
        return std::nullopt;
    }
    auto value = fromJson(document, 0);
    if (!value && error)
        *error = "JSON nested too deeply";
    return value;
}

std::string toJson(const Value& value, bool pretty)
{
    // Replacement keeps a string with broken UTF-8 writable instead of throwing.
    return toJsonNode(value).dump(pretty ? 2 : -1, ' ', false, json::error_handler_t::replace);
}

}
