#pragma once

#include "platform/text/AttributedString.h"

#include <optional>
#include <string>

namespace ui {

// One change a typing feature asks for: the range gets the replacement text, or, with a
// link, keeps its text and becomes a link to it.
struct TextSubstitution {
    text::Range range;
    std::u16string replacement;
    std::string link;

    bool operator==(const TextSubstitution&) const = default;
};

// What the smart typing features make of a text, worked out on the text alone so that a
// text view only applies the answer. `typed` is the index of the character just typed.
class TextSubstitutions {
public:
    // A straight quote typed becomes an opening one at the start of a word, a closing one
    // (or an apostrophe) elsewhere.
    static std::optional<TextSubstitution> smartQuote(const std::u16string& text, std::size_t typed);
    // "--" becomes "—" when a character other than a hyphen follows it; three hyphens or
    // more stay as they are.
    static std::optional<TextSubstitution> smartDash(const std::u16string& text, std::size_t typed);
    // A space, tab or line break typed after an address ("https://…", "www.…", "mailto:…")
    // makes the address a link; trailing punctuation stays outside it.
    static std::optional<TextSubstitution> smartLink(const text::AttributedString& text, std::size_t typed);
    // The word that ends where a space or punctuation was typed, for spelling correction.
    static std::optional<text::Range> wordBefore(const std::u16string& text, std::size_t typed);

    // Deleting a range between two spaces takes one of them along, and a space left before
    // punctuation goes too, so that one space stays between words.
    static text::Range smartDeleteRange(const std::u16string& text, text::Range range);
    // Pasting a word against a word adds the space between them: whether one goes before
    // and after what is inserted at `range`.
    struct Spacing {
        bool before { false };
        bool after { false };
    };
    static Spacing smartInsertSpacing(const std::u16string& text, text::Range range, const std::u16string& inserted);

    static bool isWordCharacter(char16_t c);
};

}
