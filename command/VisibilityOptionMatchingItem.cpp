#include "command/VisibilityOptionMatchingItem.h"

namespace ostrel {

std::shared_ptr<VisibilityOptionMatchingItem> VisibilityOptionMatchingItem::create(CommandSettings& settings,
    std::string title, std::string defaultsStorageKey, std::vector<std::string> path)
{
    return std::shared_ptr<VisibilityOptionMatchingItem>(new VisibilityOptionMatchingItem(
        settings, std::move(title), std::move(defaultsStorageKey), std::move(path)));
}

}
