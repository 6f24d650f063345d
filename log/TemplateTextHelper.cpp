#include "log/TemplateTextHelper.h"

#include "platform/text/Rtf.h"
#include "platform/text/Rtfd.h"
#include "platform/text/Unicode.h"

namespace ostrel {

namespace {

constexpr char16_t kOpen = u'\u2039';
constexpr char16_t kClose = u'\u203A';

}

void TemplateTextHelper::setData(std::string_view rtf)
{
    auto document = text::Rtf::read(rtf);
    if (document)
        setText(std::move(document->text), document->attributes);
    else
        setText({});
}

void TemplateTextHelper::setText(text::AttributedString text, text::DocumentAttributes attributes)
{
    m_text = std::move(text);
    m_attributes = std::move(attributes);
    findSlots();
}

void TemplateTextHelper::findSlots()
{
    m_slots.clear();
    const std::u16string& string = m_text.string();
    size_t at = 0;
    while ((at = string.find(kOpen, at)) != std::u16string::npos) {
        size_t end = at + 1;
        while (end < string.size() && string[end] != kOpen && string[end] != kClose && !text::isNewline(string[end]))
            ++end;
        if (end < string.size() && string[end] == kClose) {
            m_slots.push_back({ string.substr(at + 1, end - at - 1), { at, end - at + 1 } });
            at = end + 1;
        } else {
            at = end;
        }
    }
}

std::optional<size_t> TemplateTextHelper::takeSlot(std::string_view tag)
{
    std::u16string name = text::toUtf16(tag);
    for (size_t i = 0; i < m_slots.size(); ++i) {
        if (m_slots[i].name == name)
            return i;
    }
    return std::nullopt;
}

void TemplateTextHelper::replaceSlot(size_t slot, const text::AttributedString* rich, std::u16string_view plain)
{
    text::Range range = m_slots[slot].range;
    size_t newLength = rich ? rich->length() : plain.size();
    if (rich)
        m_text.replace(range, *rich);
    else
        m_text.replace(range, plain);
    m_slots.erase(m_slots.begin() + std::ptrdiff_t(slot));
    // Places after the filled one move by the difference in length; values are never
    // searched, so nothing inside them is taken for a tag.
    for (auto& other : m_slots) {
        if (other.range.location > range.location)
            other.range.location = other.range.location + newLength - range.length;
    }
}

void TemplateTextHelper::substitute(std::string_view value, std::string_view tag)
{
    if (auto slot = takeSlot(tag))
        replaceSlot(*slot, nullptr, text::toUtf16(value));
}

void TemplateTextHelper::substitute(const text::AttributedString& value, std::string_view tag)
{
    if (auto slot = takeSlot(tag))
        replaceSlot(*slot, &value, {});
}

void TemplateTextHelper::substituteRTFDData(std::string_view data, std::string_view tag)
{
    auto document = text::Rtfd::fromData(data);
    substitute(document ? document->text : text::AttributedString {}, tag);
}

std::string TemplateTextHelper::data() const { return text::Rtf::write(m_text, m_attributes); }

std::string TemplateTextHelper::asRTFDData() const { return text::Rtfd::data(m_text, m_attributes); }

}
