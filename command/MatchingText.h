#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel {

// A text as matching sees it: lower-cased (root locale, full case mapping), composed, and cut
// into user-perceived characters, so that "é" typed one way matches "é" written the other and
// counts as one character.
class FoldedText {
public:
    explicit FoldedText(std::string_view utf8);

    const std::string& text() const { return m_text; }
    bool empty() const { return m_text.empty(); }
    // In user-perceived characters.
    std::size_t length() const;
    std::string_view character(std::size_t index) const;

    // Both compare whole characters only: a match never ends inside one.
    bool hasPrefix(const FoldedText& other) const;
    bool contains(const FoldedText& other) const;

private:
    bool isBoundary(std::size_t byteOffset) const;

    std::string m_text;
    // Byte offsets of the character starts plus the end; empty when every byte is a character
    // (plain ASCII, the common case, which needs no ICU at all).
    std::vector<std::uint32_t> m_boundaries;
};

// The text without its last user-perceived character.
std::string removingLastCharacter(std::string_view utf8);

}
