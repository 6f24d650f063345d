#pragma once

#include "command/ItemScoreEvaluator.h"
#include "command/MatchingCriteria.h"
#include "core/Variables.h"

#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace ostrel {

class MatchingItem;
class MatchingItemListDelegate;

// The model behind the command pop-up: every entry gathered at opening, the search text, the
// entered group (the bread crumbs), the ranked results, the selection and the window of
// displayed rows. Every change is published to the listeners, synchronously.
class MatchingItemList {
public:
    using Items = std::vector<std::shared_ptr<MatchingItem>>;

    MatchingItemList() = default;
    virtual ~MatchingItemList() = default;
    MatchingItemList(const MatchingItemList&) = delete;
    MatchingItemList& operator=(const MatchingItemList&) = delete;

    // Its listeners run in registration order after every change of selection or window
    // and once at the end of each search.
    StraightVariable<std::monostate>& updatePublisher() const { return *m_updatePublisher; }

    const Items& matchingItems() const { return m_matchingItems; }
    const Items& allMatchingOptionsAsMatchingItems() const { return m_allMatchingOptionsAsMatchingItems; }
    void setAllMatchingOptionsAsMatchingItems(Items items) { m_allMatchingOptionsAsMatchingItems = std::move(items); }
    MatchingItemListDelegate* delegate() const { return m_delegate.get(); }
    void setDelegate(std::shared_ptr<MatchingItemListDelegate> delegate) { m_delegate = std::move(delegate); }
    const std::string& currentSearchString() const { return m_currentSearchString; }
    const std::vector<std::string>& currentlyActiveBreadCrumbs() const { return m_currentlyActiveBreadCrumbs; }
    ItemScoreEvaluator& itemScoreEvaluator() { return m_itemScoreEvaluator; }

    int selectedMatchedItemIndex() const { return m_selectedMatchedItemIndex; }
    void setSelectedMatchedItemIndex(int index);
    int indexOfFirstResultBeingShown() const { return m_indexOfFirstResultBeingShown; }
    void setIndexOfFirstResultBeingShown(int index);
    int numberOfDisplayedMatches() const { return m_numberOfDisplayedMatches; }
    void setNumberOfDisplayedMatches(int count);

    bool itemExists(int index) const;
    bool moreItemsAtTheTop() const { return m_indexOfFirstResultBeingShown > 0; }
    bool moreItemsAtTheBottom() const;

    void moveDisplayedRangeUp();
    void moveDisplayedRangeDown();
    void moveCursorUp();
    void moveCursorDown();

    std::shared_ptr<MatchingItem> currentMatch() const;

    void drillIntoCurrentGroup();
    void drillOutOfCurrentGroup();

    virtual void gatherAllPossibleMatchingItems() { }
    virtual void configureItemScoreEvaluator() { }
    virtual Items filterMatches(const Items& proposedMatchingItems) const;
    virtual MatchingCriteria prepareMatchingCriteria() const;

    void resetSearchTerm() { m_currentSearchString.clear(); }
    void startWithEmptySearchTerm();
    void addToSearchTerm(const std::string& text);
    void removeLastCharacterFromSearchTerm();

    bool hasMatches() const { return !m_matchingItems.empty(); }
    bool dismissDialogBeforeExecution() const;
    void executeCurrent(bool prepareForNext);

protected:
    // Closing the pop-up belongs to the application around the list.
    virtual void dismissCommandPopUp() { }
    void setCurrentlyActiveBreadCrumbs(std::vector<std::string> crumbs) { m_currentlyActiveBreadCrumbs = std::move(crumbs); }
    // Whether the path begins with the bread crumbs.
    bool isInsideBreadCrumbs(const std::vector<std::string>& path) const;

private:
    void findMatches();
    void publishUpdate();

    std::shared_ptr<StraightVariable<std::monostate>> m_updatePublisher { StraightVariable<std::monostate>::create({}) };
    Items m_matchingItems;
    Items m_allMatchingOptionsAsMatchingItems;
    std::shared_ptr<MatchingItemListDelegate> m_delegate;
    std::string m_currentSearchString;
    std::vector<std::string> m_currentlyActiveBreadCrumbs;
    ItemScoreEvaluator m_itemScoreEvaluator;
    int m_selectedMatchedItemIndex { 0 };
    int m_indexOfFirstResultBeingShown { 0 };
    int m_numberOfDisplayedMatches { 8 };
};

}
