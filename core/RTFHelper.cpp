#include "core/RTFHelper.h"

#include "platform/text/Rtf.h"
#include "platform/text/Rtfd.h"

#include <string_view>

namespace ostrel {

namespace {

std::string_view bytes(const RTFHelper::Data& data)
{
    return { reinterpret_cast<const char*>(data.data()), data.size() };
}

RTFHelper::Data toData(const std::string& bytes)
{
    return { bytes.begin(), bytes.end() };
}

// No data reads as an empty text; data the reader cannot make sense of as none.
template<typename Reader>
std::optional<text::AttributedString> readText(const std::optional<RTFHelper::Data>& data, Reader read)
{
    if (!data)
        return text::AttributedString();
    if (auto document = read(bytes(*data)))
        return std::move(document->text);
    return std::nullopt;
}

}

RTFHelper& RTFHelper::sharedInstance()
{
    static RTFHelper helper;
    return helper;
}

RTFHelper::Data RTFHelper::rtfdDataFromAttributedString(const text::AttributedString& text) const
{
    return toData(text::Rtfd::data(text));
}

std::optional<text::AttributedString> RTFHelper::attributedStringFromRTFData(const std::optional<Data>& data) const
{
    return readText(data, &text::Rtf::read);
}

std::optional<text::AttributedString> RTFHelper::attributedStringFromData(const std::optional<Data>& data) const
{
    // Package data, or plain RTF: parsing an objective out of plain text stores the latter
    // under the same key, and it must read back rather than be lost.
    if (data && bytes(*data).starts_with("{\\rtf"))
        return attributedStringFromRTFData(data);
    return readText(data, &text::Rtfd::fromData);
}

RTFHelper::Data RTFHelper::rtfdDataFrom(const std::string& string, const gfx::Font& font, const gfx::Color& textColor) const
{
    text::DocumentAttributes attributes;
    attributes.font = font;
    attributes.foreground = textColor;
    return toData(text::Rtfd::data(text::AttributedString::fromUtf8(string), attributes));
}

text::AttributedString RTFHelper::rtfdTextObjectFromFile(const std::optional<std::filesystem::path>& path) const
{
    if (!path)
        return {};
    if (auto document = text::Rtfd::readFile(*path))
        return std::move(document->text);
    return {};
}

RTFHelper::Data RTFHelper::rtfdDataFromFile(const std::optional<std::filesystem::path>& path) const
{
    return rtfdDataFromAttributedString(rtfdTextObjectFromFile(path));
}

std::vector<text::AttributedString> RTFHelper::cutUpIntoAttributedStringLines(const std::optional<Data>& data) const
{
    if (!data)
        return {};
    auto document = text::Rtfd::fromData(bytes(*data));
    if (!document)
        return {};
    return document->text.splitLines();
}

}
