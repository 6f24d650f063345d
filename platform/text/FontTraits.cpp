#include "platform/text/FontTraits.h"

#include <array>

namespace text {

namespace {

struct Family {
    std::string_view name;
    std::array<std::string_view, 4> suffixes; // regular, bold, italic, bold italic
};

constexpr Family knownFamilies[] = {
    { "Helvetica", { "", "-Bold", "-Oblique", "-BoldOblique" } },
    { "Courier", { "", "-Bold", "-Oblique", "-BoldOblique" } },
    { "Times", { "-Roman", "-Bold", "-Italic", "-BoldItalic" } },
    { "Futura", { "-Medium", "-Bold", "-MediumItalic", "-BoldItalic" } },
};
constexpr std::array<std::string_view, 4> usualSuffixes { "", "-Bold", "-Italic", "-BoldItalic" };

std::string_view family(std::string_view name)
{
    auto dash = name.rfind('-');
    return dash == std::string_view::npos ? name : name.substr(0, dash);
}

std::string_view style(std::string_view name)
{
    auto dash = name.rfind('-');
    return dash == std::string_view::npos ? std::string_view {} : name.substr(dash + 1);
}

}

bool FontTraits::isBold(std::string_view postScriptName)
{
    return style(postScriptName).find("Bold") != std::string_view::npos;
}

bool FontTraits::isItalic(std::string_view postScriptName)
{
    auto s = style(postScriptName);
    return s.find("Italic") != std::string_view::npos || s.find("Oblique") != std::string_view::npos;
}

std::string FontTraits::withTraits(std::string_view postScriptName, bool bold, bool italic)
{
    if (isBold(postScriptName) == bold && isItalic(postScriptName) == italic)
        return std::string(postScriptName);
    std::string_view base = family(postScriptName);
    auto suffixes = usualSuffixes;
    for (const auto& known : knownFamilies) {
        if (known.name == base)
            suffixes = known.suffixes;
    }
    return std::string(base) + std::string(suffixes[(bold ? 1 : 0) + (italic ? 2 : 0)]);
}

bool FontTraits::isBold(const gfx::Font& font)
{
    return font.isSystem() ? font.weight >= gfx::FontWeight::semibold : isBold(font.postScriptName);
}

bool FontTraits::isItalic(const gfx::Font& font)
{
    return !font.isSystem() && isItalic(font.postScriptName);
}

gfx::Font FontTraits::withTraits(gfx::Font font, bool bold, bool italic)
{
    if (font.isSystem()) {
        if (bold != isBold(font))
            font.weight = bold ? gfx::FontWeight::bold : gfx::FontWeight::regular;
        return font;
    }
    font.postScriptName = withTraits(font.postScriptName, bold, italic);
    return font;
}

}
