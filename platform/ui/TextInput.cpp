#include "platform/ui/TextInput.h"

#include "platform/base/Utf8.h"
#include "platform/gfx/TextLayout.h"

#include <algorithm>

namespace ui {

namespace {
bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

std::size_t characterCount(const std::string& text)
{
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) { return !isContinuationByte(c); }));
}
}

Composition Composition::sanitized() const
{
    Composition clean;
    clean.text = gfx::displayableText(text);
    std::size_t length = characterCount(clean.text);
    clean.cursor = std::min(cursor, length);
    clean.selectionLength = std::min(selectionLength, length - clean.cursor);
    return clean;
}

std::size_t Composition::byteOffset(std::size_t characters) const
{
    std::size_t at = 0;
    for (std::size_t counted = 0; at < text.size() && counted < characters; ++counted) {
        ++at;
        while (at < text.size() && isContinuationByte(text[at]))
            ++at;
    }
    return at;
}

std::size_t Composition::utf16Offset(std::size_t characters) const
{
    return base::toUtf16(std::string_view(text).substr(0, byteOffset(characters))).size();
}

}
