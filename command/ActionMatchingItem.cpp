#include "command/ActionMatchingItem.h"

namespace ostrel {

std::shared_ptr<ActionMatchingItem> ActionMatchingItem::create(std::string preciseString,
    std::vector<std::string> expandedStrings, MatchingItemKind kind, std::function<void()> executableFunc)
{
    return std::shared_ptr<ActionMatchingItem>(new ActionMatchingItem(
        std::move(preciseString), std::move(expandedStrings), kind, std::move(executableFunc)));
}

ActionMatchingItem::ActionMatchingItem(std::string preciseString, std::vector<std::string> expandedStrings,
    MatchingItemKind kind, std::function<void()> executableFunc)
    : MatchingItem(std::move(preciseString), std::move(expandedStrings), kind)
    , m_executableFunc(std::move(executableFunc))
{
}

std::string ActionMatchingItem::byLineString() const
{
    if (isActionKind(kind()))
        return "Action";
    return MatchingItem::byLineString();
}

void ActionMatchingItem::execute()
{
    if (m_executableFunc)
        m_executableFunc();
}

}
