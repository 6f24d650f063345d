#include "log/StringToTokenArrayTransformer.h"

namespace ostrel {

base::Value StringToTokenArrayTransformer::transformedValue(const base::Value& value) const
{
    const std::string* text = value.asString();
    auto pieces = tokens(text ? std::optional<std::string>(*text) : std::nullopt);
    if (!pieces)
        return {};
    base::Value::Array array;
    for (auto& piece : *pieces)
        array.emplace_back(std::move(piece));
    return array;
}

base::Value StringToTokenArrayTransformer::reverseTransformedValue(const base::Value& value) const
{
    const base::Value::Array* array = value.asArray();
    if (!array)
        return std::string();
    std::vector<std::string> pieces;
    for (const auto& item : *array) {
        // Tokens are texts; anything else a field hands over cannot be a tag.
        if (const std::string* text = item.asString())
            pieces.push_back(*text);
    }
    return joined(pieces);
}

std::optional<std::vector<std::string>> StringToTokenArrayTransformer::tokens(const std::optional<std::string>& text)
{
    if (!text || text->empty())
        return std::nullopt;
    std::vector<std::string> pieces;
    size_t start = 0;
    while (true) {
        size_t comma = text->find(',', start);
        pieces.push_back(text->substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return pieces;
}

std::string StringToTokenArrayTransformer::joined(const std::optional<std::vector<std::string>>& tokens)
{
    std::string text;
    if (!tokens)
        return text;
    for (size_t i = 0; i < tokens->size(); ++i) {
        if (i > 0)
            text += ',';
        text += (*tokens)[i];
    }
    return text;
}

}
