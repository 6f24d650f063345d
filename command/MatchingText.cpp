#include "command/MatchingText.h"

#include <algorithm>
#include <memory>

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/normalizer2.h>
#include <unicode/unistr.h>

namespace ostrel {

namespace {

// A carriage return joins a following line feed into one character, so it leaves the fast path.
bool isPlainAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(),
        [](char c) { return static_cast<unsigned char>(c) < 0x80 && c != '\r'; });
}

icu::UnicodeString folded(std::string_view utf8)
{
    auto text = icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
    text.toLower(icu::Locale::getRoot());
    UErrorCode status = U_ZERO_ERROR;
    auto* nfc = icu::Normalizer2::getNFCInstance(status);
    if (U_SUCCESS(status)) {
        auto composed = nfc->normalize(text, status);
        if (U_SUCCESS(status))
            return composed;
    }
    return text;
}

// Making a break iterator costs far more than using one, and ranking runs on every keystroke.
icu::BreakIterator* characterBreaks()
{
    thread_local std::unique_ptr<icu::BreakIterator> iterator = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::BreakIterator> made(
            icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
        return U_SUCCESS(status) ? std::move(made) : nullptr;
    }();
    return iterator.get();
}

// Character starts in UTF-16 units, plus the end.
std::vector<int32_t> characterStarts(const icu::UnicodeString& text)
{
    std::vector<int32_t> starts;
    auto* breaks = characterBreaks();
    if (!breaks) {
        // Without ICU's break data, fall back to code points rather than fail.
        for (int32_t i = 0; i < text.length(); i = text.moveIndex32(i, 1))
            starts.push_back(i);
        starts.push_back(text.length());
        return starts;
    }
    breaks->setText(text);
    for (int32_t at = breaks->first(); at != icu::BreakIterator::DONE; at = breaks->next())
        starts.push_back(at);
    if (starts.empty())
        starts.push_back(0);
    return starts;
}

}

FoldedText::FoldedText(std::string_view utf8)
{
    if (isPlainAscii(utf8)) {
        m_text.assign(utf8);
        for (auto& c : m_text)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        return;
    }
    auto text = folded(utf8);
    auto starts = characterStarts(text);
    m_boundaries.push_back(0);
    for (std::size_t i = 0; i + 1 < starts.size(); ++i) {
        text.tempSubStringBetween(starts[i], starts[i + 1]).toUTF8String(m_text);
        m_boundaries.push_back(static_cast<std::uint32_t>(m_text.size()));
    }
}

std::size_t FoldedText::length() const
{
    return m_boundaries.empty() ? m_text.size() : m_boundaries.size() - 1;
}

std::string_view FoldedText::character(std::size_t index) const
{
    if (m_boundaries.empty())
        return std::string_view(m_text).substr(index, 1);
    return std::string_view(m_text).substr(m_boundaries[index], m_boundaries[index + 1] - m_boundaries[index]);
}

bool FoldedText::isBoundary(std::size_t byteOffset) const
{
    if (m_boundaries.empty())
        return byteOffset <= m_text.size();
    return std::binary_search(m_boundaries.begin(), m_boundaries.end(), static_cast<std::uint32_t>(byteOffset));
}

bool FoldedText::hasPrefix(const FoldedText& other) const
{
    return m_text.starts_with(other.m_text) && isBoundary(other.m_text.size());
}

bool FoldedText::contains(const FoldedText& other) const
{
    for (auto at = m_text.find(other.m_text); at != std::string::npos; at = m_text.find(other.m_text, at + 1)) {
        if (isBoundary(at) && isBoundary(at + other.m_text.size()))
            return true;
    }
    return false;
}

std::string removingLastCharacter(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    if (isPlainAscii(utf8))
        return std::string(utf8.substr(0, utf8.size() - 1));
    auto text = icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
    auto starts = characterStarts(text);
    std::string result;
    auto lastStart = starts.size() >= 2 ? starts[starts.size() - 2] : 0;
    text.tempSubString(0, lastStart).toUTF8String(result);
    return result;
}

}
