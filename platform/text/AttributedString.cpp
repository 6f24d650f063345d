#include "platform/text/AttributedString.h"

#include "platform/base/Diagnostics.h"
#include "platform/text/Unicode.h"

#include <algorithm>

namespace text {

AttributedString::AttributedString(std::u16string string, const Attributes& attributes)
    : m_string(std::move(string))
{
    if (!m_string.empty())
        m_runs.push_back({ m_string.size(), attributes });
}

AttributedString AttributedString::fromUtf8(std::string_view utf8, const Attributes& attributes)
{
    return AttributedString(toUtf16(utf8), attributes);
}

std::string AttributedString::utf8() const
{
    return toUtf8(m_string);
}

const Attributes& AttributedString::attributesAt(size_t index, Range* effectiveRange) const
{
    if (index >= m_string.size())
        base::fatal("AttributedString::attributesAt past the end");
    // From the nearer end, as splitAt walks.
    if (index > m_string.size() / 2) {
        size_t start = m_string.size();
        for (size_t i = m_runs.size(); i > 0;) {
            start -= m_runs[--i].length;
            if (index >= start) {
                if (effectiveRange)
                    *effectiveRange = { start, m_runs[i].length };
                return m_runs[i].attributes;
            }
        }
    }
    size_t start = 0;
    for (const auto& run : m_runs) {
        if (index < start + run.length) {
            if (effectiveRange)
                *effectiveRange = { start, run.length };
            return run.attributes;
        }
        start += run.length;
    }
    base::fatal("AttributedString runs do not cover the string");
}

Range AttributedString::clamped(Range range) const
{
    size_t location = std::min(range.location, m_string.size());
    return { location, std::min(range.length, m_string.size() - location) };
}

AttributedString AttributedString::substring(Range range) const
{
    range = clamped(range);
    AttributedString result;
    result.m_string = m_string.substr(range.location, range.length);
    size_t start = 0;
    for (const auto& run : m_runs) {
        size_t runEnd = start + run.length;
        size_t from = std::max(start, range.location);
        size_t to = std::min(runEnd, range.end());
        if (from < to)
            result.m_runs.push_back({ to - from, run.attributes });
        if (runEnd >= range.end())
            break;
        start = runEnd;
    }
    return result;
}

void AttributedString::append(const AttributedString& other)
{
    insert(m_string.size(), other);
}

void AttributedString::append(std::u16string_view string, const Attributes& attributes)
{
    if (string.empty())
        return;
    m_string.append(string);
    if (!m_runs.empty() && m_runs.back().attributes == attributes)
        m_runs.back().length += string.size();
    else
        m_runs.push_back({ string.size(), attributes });
}

void AttributedString::insert(size_t index, const AttributedString& other)
{
    replace({ index, 0 }, other);
}

size_t AttributedString::splitAt(size_t index)
{
    // Walked from the nearer end: typing and reading work at the end of long texts.
    size_t i = 0;
    size_t start = 0;
    if (index > m_string.size() / 2) {
        i = m_runs.size();
        start = m_string.size();
        while (i > 0 && start > index)
            start -= m_runs[--i].length;
    } else {
        while (i < m_runs.size() && start + m_runs[i].length <= index)
            start += m_runs[i++].length;
    }
    if (i == m_runs.size() || index == start)
        return i;
    Run tail { start + m_runs[i].length - index, m_runs[i].attributes };
    m_runs[i].length = index - start;
    m_runs.insert(m_runs.begin() + static_cast<std::ptrdiff_t>(i) + 1, std::move(tail));
    return i + 1;
}

void AttributedString::coalesce(size_t firstRun, size_t endRun)
{
    // Only the edited runs and their two neighbours can have become empty or equal.
    size_t from = firstRun > 0 ? firstRun - 1 : 0;
    size_t to = std::min(endRun + 1, m_runs.size());
    auto at = [this](size_t i) { return m_runs.begin() + static_cast<std::ptrdiff_t>(i); };
    for (size_t i = from; i < to;) {
        if (m_runs[i].length == 0) {
            m_runs.erase(at(i));
            --to;
        } else {
            ++i;
        }
    }
    for (size_t i = from; i + 1 < to;) {
        if (m_runs[i].attributes == m_runs[i + 1].attributes) {
            m_runs[i].length += m_runs[i + 1].length;
            m_runs.erase(at(i + 1));
            --to;
        } else {
            ++i;
        }
    }
}

void AttributedString::replace(Range range, const AttributedString& replacement)
{
    range = clamped(range);
    size_t first = splitAt(range.location);
    size_t last = splitAt(range.end());
    m_runs.erase(m_runs.begin() + static_cast<std::ptrdiff_t>(first), m_runs.begin() + static_cast<std::ptrdiff_t>(last));
    m_runs.insert(m_runs.begin() + static_cast<std::ptrdiff_t>(first), replacement.m_runs.begin(), replacement.m_runs.end());
    m_string.replace(range.location, range.length, replacement.m_string);
    coalesce(first, first + replacement.m_runs.size());
}

void AttributedString::replace(Range range, std::u16string_view plain)
{
    range = clamped(range);
    Attributes attributes;
    if (range.length > 0)
        attributes = attributesAt(range.location);
    else if (range.location > 0)
        attributes = attributesAt(range.location - 1);
    else if (!m_string.empty())
        attributes = attributesAt(0);
    // An attachment belongs to its one character; typed text over it must not inherit it.
    attributes.attachment.reset();
    replace(range, AttributedString(std::u16string(plain), attributes));
}

void AttributedString::setAttributes(Range range, const Attributes& attributes)
{
    updateAttributes(range, [&](Attributes& a) { a = attributes; });
}

void AttributedString::updateAttributes(Range range, const std::function<void(Attributes&)>& update)
{
    range = clamped(range);
    if (range.length == 0)
        return;
    size_t first = splitAt(range.location);
    size_t last = splitAt(range.end());
    for (size_t i = first; i < last; ++i)
        update(m_runs[i].attributes);
    coalesce(first, last);
}

std::vector<AttributedString> AttributedString::splitLines() const
{
    std::vector<AttributedString> lines;
    lines.reserve(100);
    // One walk over the runs alongside the lines keeps a long page linear.
    size_t run = 0;
    size_t runStart = 0;
    size_t position = 0;
    for (size_t i = 0; i <= m_string.size(); ++i) {
        if (i < m_string.size() && !isNewline(m_string[i]))
            continue;
        AttributedString line;
        line.m_string = m_string.substr(position, i - position);
        while (run < m_runs.size() && runStart + m_runs[run].length <= position) {
            runStart += m_runs[run].length;
            ++run;
        }
        for (size_t r = run, start = runStart; r < m_runs.size() && start < i; start += m_runs[r].length, ++r) {
            size_t from = std::max(start, position);
            size_t to = std::min(start + m_runs[r].length, i);
            if (from < to)
                line.m_runs.push_back({ to - from, m_runs[r].attributes });
        }
        lines.push_back(std::move(line));
        position = i + 1;
    }
    return lines;
}

}
