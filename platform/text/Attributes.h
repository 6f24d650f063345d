#pragma once

#include "platform/gfx/Color.h"
#include "platform/gfx/Font.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace text {

// A span of text in UTF-16 code units.
struct Range {
    size_t location { 0 };
    size_t length { 0 };

    constexpr size_t end() const { return location + length; }
    bool operator==(const Range&) const = default;
};

enum class Alignment { Natural, Left, Center, Right, Justified };

// Paragraph formatting. `textLists` holds the marker format of each nesting level, outermost
// first ("{disc}", "({decimal})", "➤"); the markers themselves are ordinary characters of the
// text, typed in by the pads' list shortcuts.
struct ParagraphStyle {
    Alignment alignment { Alignment::Natural };
    std::vector<std::string> textLists;

    bool operator==(const ParagraphStyle&) const = default;
};

// A file carried by the text at one U+FFFC character. The contents are shared: the same
// picture copied between pages is not duplicated in memory.
struct Attachment {
    std::string fileName;
    std::shared_ptr<const std::string> contents;

    static Attachment make(std::string fileName, std::string contents)
    {
        return { std::move(fileName), std::make_shared<const std::string>(std::move(contents)) };
    }
    const std::string& data() const;

    bool operator==(const Attachment& other) const
    {
        return fileName == other.fileName && data() == other.data();
    }
};

constexpr char16_t attachmentCharacter = 0xFFFC;

// The character attributes of one run. An absent font or colour means "the reader's default",
// which a writer leaves unsaid. Underline and strike-through are 0 for none and 1 for a
// single line; RTF keeps only whether there is one.
struct Attributes {
    std::optional<gfx::Font> font;
    std::optional<gfx::Color> foreground;
    int underline { 0 };
    int strikethrough { 0 };
    std::string link;
    ParagraphStyle paragraph;
    std::optional<Attachment> attachment;

    bool operator==(const Attributes&) const = default;
};

}
