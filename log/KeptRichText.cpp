#include "log/KeptRichText.h"

#include <algorithm>
#include <mutex>

namespace ostrel {

namespace {
// A file whose runs all differ (a link in every entry) is not searched in the square of its
// size: past this many, further attributes are only compared with the latest ones.
constexpr std::size_t kSharedSearched = 32;
// How many sets of attributes the whole log shares at most.
constexpr std::size_t kCommonKept = 64;

// Fonts, colours and paragraph styles repeat across the whole log, day after day, so those
// are shared by every file; a link or an attachment hardly repeats outside its own day.
std::shared_ptr<const text::Attributes> common(const text::Attributes& attributes)
{
    if (!attributes.link.empty() || attributes.attachment)
        return nullptr;
    static std::mutex mutex;
    static std::vector<std::shared_ptr<const text::Attributes>> kept;
    std::lock_guard lock(mutex);
    for (const auto& one : kept) {
        if (*one == attributes)
            return one;
    }
    if (kept.size() >= kCommonKept)
        return nullptr;
    kept.push_back(std::make_shared<const text::Attributes>(attributes));
    return kept.back();
}
}

std::shared_ptr<const text::Attributes> SharedAttributes::share(const text::Attributes& attributes)
{
    std::size_t searched = std::min(m_made.size(), kSharedSearched);
    for (std::size_t i = m_made.size(); i > m_made.size() - searched; --i) {
        if (*m_made[i - 1] == attributes)
            return m_made[i - 1];
    }
    auto shared = common(attributes);
    m_made.push_back(shared ? std::move(shared) : std::make_shared<const text::Attributes>(attributes));
    return m_made.back();
}

KeptRichText::KeptRichText(const text::AttributedString& text, SharedAttributes* shared, bool keepCharacters)
    : m_keepsCharacters(keepCharacters)
{
    if (keepCharacters && !text.empty())
        m_characters = std::make_unique<std::u16string>(text.string());
    const auto& runs = text.runs();
    if (runs.empty())
        return;
    m_runs = std::make_unique<Run[]>(runs.size());
    m_runCount = std::uint32_t(runs.size());
    for (std::size_t i = 0; i < runs.size(); ++i) {
        m_runs[i].length = std::uint32_t(runs[i].length);
        m_runs[i].attributes = shared ? shared->share(runs[i].attributes) : std::make_shared<const text::Attributes>(runs[i].attributes);
    }
}

void KeptRichText::keepCharacters(std::u16string characters)
{
    m_characters = characters.empty() ? nullptr : std::make_unique<std::u16string>(std::move(characters));
    m_keepsCharacters = true;
}

text::AttributedString KeptRichText::attributedString() const
{
    return attributedString(m_characters ? std::u16string_view(*m_characters) : std::u16string_view {});
}

text::AttributedString KeptRichText::attributedString(std::u16string_view characters) const
{
    text::AttributedString text;
    std::size_t at = 0;
    for (std::uint32_t i = 0; i < m_runCount; ++i) {
        text.append(characters.substr(std::min(at, characters.size()), m_runs[i].length), *m_runs[i].attributes);
        at += m_runs[i].length;
    }
    return text;
}

}
