#pragma once

#include "platform/text/AttributedString.h"
#include "platform/text/Document.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel {

// Fills a rich-text template whose tags are names between "‹" and "›". Every tag is found
// in the untouched template when it is set, so a value that happens to hold a tag's text
// (an objective reading "‹completed›") is never filled in turn.
class TemplateTextHelper {
public:
    // The template as RTF bytes; any earlier text is dropped. Bytes that are not RTF give
    // an empty template.
    void setData(std::string_view rtf);
    void setText(text::AttributedString text, text::DocumentAttributes attributes = {});

    // Replaces the first still unfilled place of the tag: a plain value takes the tag's own
    // formatting, a rich one keeps its own. A tag the template does not hold is ignored.
    void substitute(std::string_view value, std::string_view tag);
    void substitute(const text::AttributedString& value, std::string_view tag);
    void substituteRTFDData(std::string_view data, std::string_view tag);

    const text::AttributedString& text() const { return m_text; }
    // The current text as RTF, which carries no attachments, and as package data, which does.
    std::string data() const;
    std::string asRTFDData() const;

private:
    struct Slot {
        std::u16string name;
        text::Range range;
    };
    void findSlots();
    std::optional<size_t> takeSlot(std::string_view tag);
    void replaceSlot(size_t slot, const text::AttributedString* rich, std::u16string_view plain);

    text::AttributedString m_text;
    text::DocumentAttributes m_attributes;
    std::vector<Slot> m_slots;
};

}
