#pragma once

namespace ostrel {

class MatchingItem;

// The pop-up's hooks into the list. The list never calls them: installing a delegate only
// means that executing an entry may close the pop-up first.
class MatchingItemListDelegate {
public:
    virtual ~MatchingItemListDelegate() = default;
    virtual void willExecute(MatchingItem&) { }
    virtual void didExecute(MatchingItem&) { }
    virtual void willDrillDownInto(MatchingItem&) { }
};

// The application's delegate: it adds nothing, and is installed only for the dismissal rule.
class OstrelMatchingItemListDelegate final : public MatchingItemListDelegate { };

}
