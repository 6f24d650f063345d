#include "command/VisibilityOptionMatchingItem.h"

namespace ostrel {

std::shared_ptr<VisibilityOptionMatchingItem> VisibilityOptionMatchingItem::create(base::Defaults& defaults,
    std::string title, std::string defaultsStorageKey, std::vector<std::string> path)
{
    return std::shared_ptr<VisibilityOptionMatchingItem>(new VisibilityOptionMatchingItem(
        defaults, std::move(title), std::move(defaultsStorageKey), std::move(path)));
}

}
