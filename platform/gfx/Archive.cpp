#include "platform/gfx/Archive.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <nlohmann/json.hpp>

namespace gfx {

namespace {

using Json = nlohmann::json;

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

std::optional<Json> parse(std::string_view text)
{
    Json json = Json::parse(text.begin(), text.end(), nullptr, false);
    if (json.is_discarded() || !json.is_object())
        return std::nullopt;
    return json;
}

std::optional<double> finiteNumber(const Json& value)
{
    if (!value.is_number())
        return std::nullopt;
    double number = value.get<double>();
    if (!std::isfinite(number))
        return std::nullopt;
    return number;
}

}

std::string archiveColor(const Color& color)
{
    Json json;
    json["color"] = { color.red, color.green, color.blue, color.alpha };
    return json.dump();
}

std::optional<Color> unarchiveColor(std::string_view archive)
{
    auto json = parse(archive);
    if (!json)
        return std::nullopt;
    auto found = json->find("color");
    if (found == json->end() || !found->is_array() || found->size() != 4)
        return std::nullopt;
    std::array<double, 4> components {};
    for (size_t i = 0; i < 4; ++i) {
        auto number = finiteNumber((*found)[i]);
        if (!number)
            return std::nullopt;
        components[i] = std::clamp(*number, 0.0, 1.0);
    }
    return Color { components[0], components[1], components[2], components[3] };
}

std::string archiveFont(const Font& font)
{
    Json json;
    json["font"] = font.postScriptName;
    json["size"] = font.pointSize;
    for (auto [weight, name] : kWeightNames) {
        if (weight == font.weight)
            json["weight"] = name;
    }
    json["digits"] = font.monospacedDigits ? "monospaced" : "proportional";
    return json.dump();
}

std::optional<Font> unarchiveFont(std::string_view archive)
{
    auto json = parse(archive);
    if (!json)
        return std::nullopt;
    auto name = json->find("font");
    auto size = json->find("size");
    if (name == json->end() || !name->is_string() || size == json->end())
        return std::nullopt;
    Font font;
    font.postScriptName = name->get<std::string>();
    if (font.postScriptName.empty() || font.postScriptName.size() > kLongestFontName)
        return std::nullopt;
    auto points = finiteNumber(*size);
    if (!points || *points <= 0 || *points > kLargestFontSize)
        return std::nullopt;
    font.pointSize = *points;

    // Weight and digit style came later than name and size: absent means the plain font.
    if (auto weight = json->find("weight"); weight != json->end()) {
        if (!weight->is_string())
            return std::nullopt;
        auto known = std::find_if(kWeightNames.begin(), kWeightNames.end(),
            [&](const auto& entry) { return weight->get<std::string>() == entry.second; });
        if (known == kWeightNames.end())
            return std::nullopt;
        font.weight = known->first;
    }
    if (auto digits = json->find("digits"); digits != json->end()) {
        if (*digits == "monospaced")
            font.monospacedDigits = true;
        else if (*digits != "proportional")
            return std::nullopt;
    }
    return font;
}

}
