#include "viewkit/SmartMenuItem.h"

namespace ostrel {

std::shared_ptr<SmartMenuItem> SmartMenuItem::create(std::string title, std::function<void()> action,
    std::function<void(ui::MenuItem&)> updateAction)
{
    std::shared_ptr<SmartMenuItem> item(new SmartMenuItem);
    item->setTitle(std::move(title));
    if (action)
        item->actionFunc = std::move(action);
    item->updateBeforeDisplayFunc = std::move(updateAction);
    item->setKeyEquivalent("");
    return item;
}

std::shared_ptr<SmartMenuItem> SmartMenuItem::create(std::string title, std::string keyEquivalent)
{
    std::shared_ptr<SmartMenuItem> item(new SmartMenuItem);
    item->setTitle(std::move(title));
    item->setKeyEquivalent(std::move(keyEquivalent));
    return item;
}

SmartMenuItem::SmartMenuItem()
{
    // The item owns these closures; they reach it through the item they are called with.
    onAction = [](ui::MenuItem& item) { static_cast<SmartMenuItem&>(item).buttonPressed(); };
    validate = [](ui::MenuItem& item) { return static_cast<SmartMenuItem&>(item).validateMenuItem(item); };
}

void SmartMenuItem::buttonPressed()
{
    if (auto action = actionFunc)
        action();
}

void SmartMenuItem::updateBeforeDisplay()
{
    if (auto update = updateBeforeDisplayFunc)
        update(*this);
}

bool SmartMenuItem::validateMenuItem(ui::MenuItem& item) const
{
    return traditionalValidateFunc ? traditionalValidateFunc(item) : true;
}

}
