#include "platform/gfx/Archive.h"

#include "platform/base/Json.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace gfx {

namespace {

using base::Value;

// Sizes beyond this are certainly damage, not a wish; pango would allocate for them.
constexpr double kLargestFontSize = 4096;
constexpr size_t kLongestFontName = 256;

constexpr std::array<std::pair<FontWeight, const char*>, 9> kWeightNames { {
    { FontWeight::ultraLight, "ultraLight" },
    { FontWeight::thin, "thin" },
    { FontWeight::light, "light" },
    { FontWeight::regular, "regular" },
    { FontWeight::medium, "medium" },
    { FontWeight::semibold, "semibold" },
    { FontWeight::bold, "bold" },
    { FontWeight::heavy, "heavy" },
    { FontWeight::black, "black" },
} };

std::optional<Value> parse(std::string_view text)
{
    auto json = base::parseJson(text);
    if (!json || !json->asDictionary())
        return std::nullopt;
    return json;
}

// A number written as a number: never a Boolean or numeric text.
std::optional<double> finiteNumber(const Value* value)
{
    if (!value)
        return std::nullopt;
    if (auto integer = value->asInteger())
        return double(*integer);
    if (auto real = value->asReal(); real && std::isfinite(*real))
        return *real;
    return std::nullopt;
}

const std::string* text(const Value* value)
{
    return value ? value->asString() : nullptr;
}

}

std::string archiveColor(const Color& color)
{
    return base::toJson(Value::Dictionary {
        { "color", Value::Array { color.red, color.green, color.blue, color.alpha } },
    });
}

std::optional<Color> unarchiveColor(std::string_view archive)
{
    auto json = parse(archive);
    if (!json)
        return std::nullopt;
    const Value* found = json->find("color");
    const Value::Array* array = found ? found->asArray() : nullptr;
    if (!array || array->size() != 4)
        return std::nullopt;
    std::array<double, 4> components {};
    for (size_t i = 0; i < 4; ++i) {
        auto number = finiteNumber(&(*array)[i]);
        if (!number)
            return std::nullopt;
        components[i] = std::clamp(*number, 0.0, 1.0);
    }
    return Color { components[0], components[1], components[2], components[3] };
}

std::string archiveFont(const Font& font)
{
    Value::Dictionary json {
        { "font", font.postScriptName },
        { "size", font.pointSize },
        { "digits", font.monospacedDigits ? "monospaced" : "proportional" },
    };
    for (auto [weight, name] : kWeightNames) {
        if (weight == font.weight)
            json["weight"] = name;
    }
    return base::toJson(json);
}

std::optional<Font> unarchiveFont(std::string_view archive)
{
    auto json = parse(archive);
    if (!json)
        return std::nullopt;
    const std::string* name = text(json->find("font"));
    if (!name)
        return std::nullopt;
    Font font;
    font.postScriptName = *name;
    if (font.postScriptName.empty() || font.postScriptName.size() > kLongestFontName)
        return std::nullopt;
    auto points = finiteNumber(json->find("size"));
    if (!points || *points <= 0 || *points > kLargestFontSize)
        return std::nullopt;
    font.pointSize = *points;

    // Weight and digit style came later than name and size: absent means the plain font.
    if (const Value* weightValue = json->find("weight")) {
        const std::string* weight = text(weightValue);
        if (!weight)
            return std::nullopt;
        auto known = std::find_if(kWeightNames.begin(), kWeightNames.end(),
            [&](const auto& entry) { return *weight == entry.second; });
        if (known == kWeightNames.end())
            return std::nullopt;
        font.weight = known->first;
    }
    if (const Value* digitsValue = json->find("digits")) {
        const std::string* digits = text(digitsValue);
        if (digits && *digits == "monospaced")
            font.monospacedDigits = true;
        else if (!digits || *digits != "proportional")
            return std::nullopt;
    }
    return font;
}

}
