#pragma once

#include "command/OnOffOptionMatchingItem.h"

namespace ostrel {

// An on/off option over a "hidden" key: it names what executing it will do.
class VisibilityOptionMatchingItem final : public OnOffOptionMatchingItem {
public:
    static std::shared_ptr<VisibilityOptionMatchingItem> create(base::Defaults& defaults, std::string title,
        std::string defaultsStorageKey, std::vector<std::string> path);

    std::string userReadableStateDescription() const override { return storedValue() ? "Hide" : "Show"; }

private:
    using OnOffOptionMatchingItem::OnOffOptionMatchingItem;
};

}
