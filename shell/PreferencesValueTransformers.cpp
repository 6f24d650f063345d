#include "shell/PreferencesValueTransformers.h"

#include "core/RTFHelper.h"

#include "platform/text/AttributedString.h"

#include <cstdint>
#include <filesystem>
#include <memory>

namespace ostrel {

namespace {

std::optional<std::int64_t> wholeNumber(const base::Value& value)
{
    if (!value.isNumber())
        return std::nullopt;
    return value.toInteger();
}

}

base::Value IntToIndexSetTransformer::indexSetValue(const std::set<int>& indexes)
{
    base::Value::Array array;
    for (int index : indexes)
        array.push_back(index);
    return array;
}

std::set<int> IntToIndexSetTransformer::indexSet(const base::Value& value)
{
    std::set<int> indexes;
    if (auto* array = value.asArray()) {
        for (const auto& element : *array) {
            auto number = wholeNumber(element);
            if (number && *number >= 0 && *number <= INT32_MAX)
                indexes.insert(static_cast<int>(*number));
        }
    }
    return indexes;
}

base::Value IntToIndexSetTransformer::transformedValue(const base::Value& value) const
{
    auto number = wholeNumber(value);
    if (!number)
        return {};
    auto index = static_cast<std::int32_t>(*number);
    if (index < 0)
        return indexSetValue({});
    return indexSetValue({ index });
}

base::Value IntToIndexSetTransformer::reverseTransformedValue(const base::Value& value) const
{
    auto indexes = indexSet(value);
    if (indexes.empty())
        return {};
    return *indexes.begin();
}

base::Value AttributedStringTransformer::transformedValue(const base::Value& value) const
{
    auto* text = value.asString();
    if (!text)
        return {};
    return RTFHelper::sharedInstance().rtfdDataFromAttributedString(text::AttributedString::fromUtf8(*text));
}

base::Value AttributedStringTransformer::reverseTransformedValue(const base::Value& value) const
{
    auto* data = value.asData();
    if (!data)
        return {};
    auto text = RTFHelper::sharedInstance().attributedStringFromData(*data);
    if (!text)
        return {};
    return text->utf8();
}

std::string PathToAppNameTransformer::appName(const std::string& path)
{
    return std::filesystem::path(path).stem().string();
}

base::Value PathToAppNameTransformer::transformedValue(const base::Value& value) const
{
    auto* path = value.asString();
    if (!path)
        return {};
    return appName(*path);
}

base::Value PathToAppNameTransformer::reverseTransformedValue(const base::Value&) const { return {}; }

void registerPreferencesValueTransformers()
{
    ValueTransformer::setValueTransformer(std::make_shared<IntToIndexSetTransformer>(), "IntToIndexSetTransformer");
    ValueTransformer::setValueTransformer(std::make_shared<AttributedStringTransformer>(), "AttributedStringTransformer");
    ValueTransformer::setValueTransformer(std::make_shared<PathToAppNameTransformer>(), "PathToAppNameTransformer");
}

}
