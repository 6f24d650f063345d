#include "command/MatchingItemList.h"

#include "command/MatchingItem.h"
#include "command/MatchingText.h"
#include "platform/base/Diagnostics.h"

#include <algorithm>
#include <optional>

namespace ostrel {

void MatchingItemList::publishUpdate()
{
    m_updatePublisher->setValue({});
}

void MatchingItemList::setSelectedMatchedItemIndex(int index)
{
    m_selectedMatchedItemIndex = index;
    publishUpdate();
}

void MatchingItemList::setIndexOfFirstResultBeingShown(int index)
{
    m_indexOfFirstResultBeingShown = index;
    publishUpdate();
}

void MatchingItemList::setNumberOfDisplayedMatches(int count)
{
    m_numberOfDisplayedMatches = count;
    publishUpdate();
}

bool MatchingItemList::itemExists(int index) const
{
    return index >= 0 && static_cast<std::size_t>(index) < m_matchingItems.size();
}

bool MatchingItemList::moreItemsAtTheBottom() const
{
    return m_indexOfFirstResultBeingShown + m_numberOfDisplayedMatches < static_cast<int>(m_matchingItems.size());
}

void MatchingItemList::moveDisplayedRangeUp()
{
    if (m_indexOfFirstResultBeingShown < 1)
        return;
    setIndexOfFirstResultBeingShown(m_indexOfFirstResultBeingShown - 1);
    // The selection fell off the bottom row: follow it up.
    if (m_indexOfFirstResultBeingShown + m_numberOfDisplayedMatches == m_selectedMatchedItemIndex)
        setSelectedMatchedItemIndex(m_selectedMatchedItemIndex - 1);
}

void MatchingItemList::moveDisplayedRangeDown()
{
    if (!moreItemsAtTheBottom())
        return;
    setIndexOfFirstResultBeingShown(m_indexOfFirstResultBeingShown + 1);
    setSelectedMatchedItemIndex(std::max(m_selectedMatchedItemIndex, m_indexOfFirstResultBeingShown));
}

void MatchingItemList::moveCursorUp()
{
    setSelectedMatchedItemIndex(std::max(m_selectedMatchedItemIndex - 1, 0));
    if (m_selectedMatchedItemIndex < m_indexOfFirstResultBeingShown)
        setIndexOfFirstResultBeingShown(m_selectedMatchedItemIndex);
}

void MatchingItemList::moveCursorDown()
{
    setSelectedMatchedItemIndex(std::min(m_selectedMatchedItemIndex + 1, static_cast<int>(m_matchingItems.size()) - 1));
    // The selection becomes the bottom row whenever it is past the first window.
    if (m_selectedMatchedItemIndex > m_numberOfDisplayedMatches - 1)
        setIndexOfFirstResultBeingShown(m_selectedMatchedItemIndex - m_numberOfDisplayedMatches + 1);
}

std::shared_ptr<MatchingItem> MatchingItemList::currentMatch() const
{
    // The selection may point nowhere after moving the cursor in an empty result list.
    if (!itemExists(m_selectedMatchedItemIndex))
        return nullptr;
    return m_matchingItems[static_cast<std::size_t>(m_selectedMatchedItemIndex)];
}

void MatchingItemList::drillIntoCurrentGroup()
{
    auto group = currentMatch();
    if (!group || group->kind() != MatchingItemKind::group)
        return;
    auto crumbs = group->expandedMatchingStrings();
    crumbs.push_back(group->preciseMatchingString());
    m_currentlyActiveBreadCrumbs = std::move(crumbs);
    setIndexOfFirstResultBeingShown(0);
    setSelectedMatchedItemIndex(0);
    m_currentSearchString.clear();
    findMatches();
    publishUpdate();
}

void MatchingItemList::drillOutOfCurrentGroup()
{
    std::optional<std::string> groupLeft;
    if (!m_currentlyActiveBreadCrumbs.empty()) {
        groupLeft = m_currentlyActiveBreadCrumbs.back();
        m_currentlyActiveBreadCrumbs.pop_back();
    }
    setIndexOfFirstResultBeingShown(0);
    setSelectedMatchedItemIndex(0);
    findMatches();
    if (!groupLeft)
        return;
    // Land on the group just left, so that drilling back in is one key away.
    auto found = std::find_if(m_matchingItems.begin(), m_matchingItems.end(),
        [&](auto& item) { return item->preciseMatchingString() == *groupLeft; });
    if (found != m_matchingItems.end())
        setSelectedMatchedItemIndex(static_cast<int>(found - m_matchingItems.begin()));
}

bool MatchingItemList::isInsideBreadCrumbs(const std::vector<std::string>& path) const
{
    return path.size() >= m_currentlyActiveBreadCrumbs.size()
        && std::equal(m_currentlyActiveBreadCrumbs.begin(), m_currentlyActiveBreadCrumbs.end(), path.begin());
}

MatchingItemList::Items MatchingItemList::filterMatches(const Items& proposedMatchingItems) const
{
    Items kept;
    for (auto& item : proposedMatchingItems) {
        if (isInsideBreadCrumbs(item->expandedMatchingStrings()))
            kept.push_back(item);
    }
    return kept;
}

MatchingCriteria MatchingItemList::prepareMatchingCriteria() const
{
    base::fatal("need to override prepareMatchingCriteria");
}

void MatchingItemList::findMatches()
{
    m_matchingItems = m_itemScoreEvaluator.evaluate(
        filterMatches(m_allMatchingOptionsAsMatchingItems), prepareMatchingCriteria());
    setSelectedMatchedItemIndex(0);
    setIndexOfFirstResultBeingShown(0);
    publishUpdate();
}

void MatchingItemList::startWithEmptySearchTerm()
{
    m_currentSearchString.clear();
    findMatches();
}

void MatchingItemList::addToSearchTerm(const std::string& text)
{
    m_currentSearchString += text;
    findMatches();
}

void MatchingItemList::removeLastCharacterFromSearchTerm()
{
    m_currentSearchString = removingLastCharacter(m_currentSearchString);
    findMatches();
}

bool MatchingItemList::dismissDialogBeforeExecution() const
{
    auto item = currentMatch();
    return item && item->dismissBeforeExecution();
}

void MatchingItemList::executeCurrent(bool prepareForNext)
{
    // Hold the entry: running it may regather the list and drop the entries of this opening.
    auto item = currentMatch();
    if (!item)
        return;
    if (m_delegate && item->dismissBeforeExecution())
        dismissCommandPopUp();
    item->execute();
    if (prepareForNext)
        item->prepareForNext();
}

}
