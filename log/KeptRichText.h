#pragma once

#include "platform/text/AttributedString.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ostrel {

// Hands out one shared copy of each distinct set of attributes met while reading one file,
// the same copy for every file where there is no link or attachment in them: objectives
// mostly repeat the same few fonts and colours, and a copy for every run of ten years of
// objectives was most of what the log held in memory. One reader, one thread.
class SharedAttributes {
public:
    std::shared_ptr<const text::Attributes> share(const text::Attributes& attributes);

private:
    std::vector<std::shared_ptr<const text::Attributes>> m_made;
};

// A rich text as the log keeps it for every record: the characters, and per run its length
// and attributes shared with the other runs that carry equal ones. Turned back into an
// AttributedString for whoever shows or edits it.
class KeptRichText {
public:
    KeptRichText() = default;
    // Without `shared`, each run gets attributes of its own. Without `keepCharacters`, only
    // the runs are kept, and whoever keeps the same characters elsewhere hands them back.
    explicit KeptRichText(const text::AttributedString& text, SharedAttributes* shared = nullptr, bool keepCharacters = true);

    bool keepsCharacters() const { return m_keepsCharacters; }
    void keepCharacters(std::u16string characters);
    text::AttributedString attributedString() const;
    text::AttributedString attributedString(std::u16string_view characters) const;

private:
    struct Run {
        std::uint32_t length { 0 };
        std::shared_ptr<const text::Attributes> attributes;
    };

    // Held through pointers and a count, for every record of ten years has one: the
    // characters are mostly kept elsewhere, and the runs never change once kept.
    std::unique_ptr<std::u16string> m_characters;
    std::unique_ptr<Run[]> m_runs;
    std::uint32_t m_runCount { 0 };
    bool m_keepsCharacters { true };
};

}
