#pragma once

#include "platform/text/Attributes.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace text {

// A string with runs of attributes. Every index and length is in UTF-16 code units; runs
// always cover the whole string, and neighbouring runs never carry equal attributes.
class AttributedString {
public:
    struct Run {
        size_t length { 0 };
        Attributes attributes;
        bool operator==(const Run&) const = default;
    };

    static constexpr size_t npos = std::u16string::npos;

    AttributedString() = default;
    explicit AttributedString(std::u16string string, const Attributes& attributes = {});
    static AttributedString fromUtf8(std::string_view utf8, const Attributes& attributes = {});

    const std::u16string& string() const { return m_string; }
    std::string utf8() const;
    size_t length() const { return m_string.size(); }
    bool empty() const { return m_string.empty(); }
    const std::vector<Run>& runs() const { return m_runs; }

    // The attributes at an index (which must be below length()) and the whole run that
    // carries them.
    const Attributes& attributesAt(size_t index, Range* effectiveRange = nullptr) const;

    AttributedString substring(Range range) const;
    void append(const AttributedString& other);
    void append(std::u16string_view string, const Attributes& attributes);
    void insert(size_t index, const AttributedString& other);
    void replace(Range range, const AttributedString& replacement);
    // Plain text takes on the formatting found at the start of the replaced range (or of the
    // character before it when the range is empty), as a filled-in template field does.
    void replace(Range range, std::u16string_view plain);
    void erase(Range range) { replace(range, AttributedString {}); }

    void setAttributes(Range range, const Attributes& attributes);
    void updateAttributes(Range range, const std::function<void(Attributes&)>& update);

    size_t find(std::u16string_view needle, size_t from = 0) const { return m_string.find(needle, from); }

    // One piece per line, cut at every character of the newline set: "a\r\nb" gives "a", ""
    // and "b", and a trailing newline gives a final empty line.
    std::vector<AttributedString> splitLines() const;

    bool operator==(const AttributedString&) const = default;

private:
    // Splits the run that holds `index` so that a run starts there; returns that run's slot
    // (runs().size() when index is the end).
    size_t splitAt(size_t index);
    void coalesce(size_t firstRun, size_t endRun);
    Range clamped(Range range) const;

    std::u16string m_string;
    std::vector<Run> m_runs;
};

}
