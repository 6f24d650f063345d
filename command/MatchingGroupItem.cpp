#include "command/MatchingGroupItem.h"

namespace ostrel {

std::shared_ptr<MatchingGroupItem> MatchingGroupItem::create(std::string name, std::vector<std::string> path)
{
    return std::shared_ptr<MatchingGroupItem>(new MatchingGroupItem(std::move(name), std::move(path)));
}

MatchingGroupItem::MatchingGroupItem(std::string name, std::vector<std::string> path)
    : MatchingItem(std::move(name), std::move(path), MatchingItemKind::group)
{
}

std::string MatchingGroupItem::byLineString() const
{
    auto& path = expandedMatchingStrings();
    if (path.empty())
        return "Group";
    // Unlike the other entries, a nested group's by-line starts with the separator.
    std::string text;
    for (auto element = path.rbegin(); element != path.rend(); ++element)
        text += pathSeparator + *element;
    return text;
}

std::string MatchingGroupItem::proposedIdentifierFor(const std::string& preciseMatchingString,
    const std::vector<std::string>& expandedMatchingStrings)
{
    std::string identifier = preciseMatchingString;
    for (auto& element : expandedMatchingStrings)
        identifier += ">" + element;
    return identifier;
}

}
