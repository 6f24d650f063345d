#include "log/KeptRichText.h"

#include <algorithm>

namespace ostrel {

namespace {
// A file whose runs all differ (a link in every entry) is not searched in the square of its
// size: past this many, further attributes are only compared with the latest ones.
constexpr std::size_t kSharedSearched = 32;
}

std::shared_ptr<const text::Attributes> SharedAttributes::share(const text::Attributes& attributes)
{
    std::size_t searched = std::min(m_made.size(), kSharedSearched);
    for (std::size_t i = m_made.size(); i > m_made.size() - searched; --i) {
        if (*m_made[i - 1] == attributes)
            return m_made[i - 1];
    }
    m_made.push_back(std::make_shared<const text::Attributes>(attributes));
    return m_made.back();
}

KeptRichText::KeptRichText(const text::AttributedString& text, SharedAttributes* shared)
    : m_string(text.string())
{
    const auto& runs = text.runs();
    m_runs.reserve(runs.size());
    for (const auto& run : runs) {
        auto attributes = shared ? shared->share(run.attributes) : std::make_shared<const text::Attributes>(run.attributes);
        m_runs.push_back({ std::uint32_t(run.length), std::move(attributes) });
    }
}

text::AttributedString KeptRichText::attributedString() const
{
    text::AttributedString text;
    std::u16string_view string = m_string;
    std::size_t at = 0;
    for (const auto& run : m_runs) {
        text.append(string.substr(at, run.length), *run.attributes);
        at += run.length;
    }
    return text;
}

}
