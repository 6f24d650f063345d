#include "command/MatchingItem.h"

#include "command/MatchingGroupItem.h"

namespace ostrel {

MatchingItem::MatchingItem(std::string title, std::vector<std::string> path, MatchingItemKind kind)
    : m_identifier(MatchingGroupItem::proposedIdentifierFor(title, path))
    , m_preciseMatchingString(std::move(title))
    , m_expandedMatchingStrings(std::move(path))
    , m_foldedTitle(m_preciseMatchingString)
    , m_kind(kind)
{
    m_foldedPath.reserve(m_expandedMatchingStrings.size());
    for (auto& element : m_expandedMatchingStrings)
        m_foldedPath.emplace_back(element);
}

std::string MatchingItem::byLineString() const
{
    return commonByLineString(m_expandedMatchingStrings);
}

std::string MatchingItem::commonByLineString(const std::vector<std::string>& path)
{
    std::string text;
    for (auto element = path.rbegin(); element != path.rend(); ++element) {
        if (element != path.rbegin())
            text += pathSeparator;
        text += *element;
    }
    return text;
}

}
