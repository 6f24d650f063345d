#include "platform/base/PropertyList.h"

#include "platform/base/Base64.h"
#include "platform/base/Files.h"
#include "platform/base/Time.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <pugixml.hpp>
#include <sstream>

namespace base {

namespace {
constexpr int kMaximumDepth = 256;

std::optional<Value::Date> parseIsoDate(const std::string& text)
{
    std::tm parts {};
    int year, month, day, hour = 0, minute = 0, second = 0;
    if (std::sscanf(text.c_str(), "%d-%d-%dT%d:%d:%dZ", &year, &month, &day, &hour, &minute, &second) < 3)
        return std::nullopt;
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_sec = second;
    return Value::Date { double(timegm(&parts)) - Time::kUnixOffset };
}

std::string formatIsoDate(Value::Date date)
{
    std::time_t unix = std::time_t(std::floor(date.seconds + Time::kUnixOffset));
    std::tm parts {};
    gmtime_r(&unix, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return text;
}

std::optional<Value> fromNode(const pugi::xml_node& node, int depth, std::string* error)
{
    auto fail = [&](std::string message) -> std::optional<Value> {
        if (error)
            *error = std::move(message);
        return std::nullopt;
    };
    if (depth > kMaximumDepth)
        return fail("property list nested too deeply");
    std::string name = node.name();
    if (name == "string")
        return Value(std::string(node.text().get()));
    if (name == "integer") {
        Value text(std::string(node.text().get()));
        if (auto number = text.toInteger())
            return Value(*number);
        return fail("unreadable integer");
    }
    if (name == "real") {
        Value text(std::string(node.text().get()));
        if (auto number = text.toDouble())
            return Value(*number);
        return fail("unreadable real");
    }
    if (name == "true")
        return Value(true);
    if (name == "false")
        return Value(false);
    if (name == "data") {
        if (auto bytes = decodeBase64(node.text().get()))
            return Value(std::move(*bytes));
        return fail("unreadable data");
    }
    if (name == "date") {
        if (auto date = parseIsoDate(node.text().get()))
            return Value(*date);
        return fail("unreadable date");
    }
    if (name == "array") {
        Value::Array array;
        for (auto child : node.children()) {
            if (child.type() != pugi::node_element)
                continue;
            auto value = fromNode(child, depth + 1, error);
            if (!value)
                return std::nullopt;
            array.push_back(std::move(*value));
        }
        return Value(std::move(array));
    }
    if (name == "dict") {
        Value::Dictionary dictionary;
        std::optional<std::string> key;
        for (auto child : node.children()) {
            if (child.type() != pugi::node_element)
                continue;
            if (std::string(child.name()) == "key") {
                key = child.text().get();
                continue;
            }
            if (!key)
                return fail("dictionary value without key");
            auto value = fromNode(child, depth + 1, error);
            if (!value)
                return std::nullopt;
            dictionary[*key] = std::move(*value);
            key.reset();
        }
        return Value(std::move(dictionary));
    }
    return fail("unknown property list element <" + name + ">");
}

void appendNode(pugi::xml_node parent, const Value& value)
{
    switch (value.type()) {
    case Value::Type::Null:
        parent.append_child("string");
        break;
    case Value::Type::Boolean:
        parent.append_child(*value.asBoolean() ? "true" : "false");
        break;
    case Value::Type::Integer:
        parent.append_child("integer").text().set(std::to_string(*value.asInteger()).c_str());
        break;
    case Value::Type::Real: {
        std::ostringstream text;
        text.precision(17);
        text << *value.asReal();
        parent.append_child("real").text().set(text.str().c_str());
        break;
    }
    case Value::Type::String:
        parent.append_child("string").text().set(value.asString()->c_str());
        break;
    case Value::Type::Data:
        parent.append_child("data").text().set(encodeBase64(*value.asData()).c_str());
        break;
    case Value::Type::Date:
        parent.append_child("date").text().set(formatIsoDate(*value.asDate()).c_str());
        break;
    case Value::Type::Array: {
        auto array = parent.append_child("array");
        for (const auto& item : *value.asArray())
            appendNode(array, item);
        break;
    }
    case Value::Type::Dictionary: {
        auto dict = parent.append_child("dict");
        for (const auto& [key, item] : *value.asDictionary()) {
            dict.append_child("key").text().set(key.c_str());
            appendNode(dict, item);
        }
        break;
    }
    }
}
}

std::optional<Value> parsePropertyList(std::string_view xml, std::string* error)
{
    pugi::xml_document document;
    auto result = document.load_buffer(xml.data(), xml.size(), pugi::parse_default & ~pugi::parse_wnorm_attribute);
    if (!result) {
        if (error)
            *error = std::string("not a property list: ") + result.description();
        return std::nullopt;
    }
    auto root = document.child("plist");
    if (!root) {
        if (error)
            *error = "not a property list: no <plist> element";
        return std::nullopt;
    }
    for (auto child : root.children()) {
        if (child.type() == pugi::node_element)
            return fromNode(child, 0, error);
    }
    if (error)
        *error = "empty property list";
    return std::nullopt;
}

std::optional<Value> readPropertyList(const std::filesystem::path& path, std::string* error)
{
    // The property lists read are the program's own resources, all small.
    constexpr std::size_t limit = 16 << 20;
    auto bytes = files::readBytes(path, limit, error);
    if (!bytes)
        return std::nullopt;
    return parsePropertyList(*bytes, error);
}

std::string toPropertyListXml(const Value& value)
{
    pugi::xml_document document;
    auto declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    auto plist = document.append_child("plist");
    plist.append_attribute("version") = "1.0";
    appendNode(plist, value);
    std::ostringstream out;
    document.save(out, "\t", pugi::format_default, pugi::encoding_utf8);
    return out.str();
}

}
