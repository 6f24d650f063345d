#include "mainwindow/PadViewControllerBuilder.h"

#include "mainwindow/PadViewController.h"

namespace ostrel {

std::shared_ptr<PadViewController> PadViewControllerBuilder::build(std::optional<std::string> backgroundColorStorageKey,
    std::shared_ptr<BackingStoreDescriptor> backingStoreDescriptor)
{
    auto controller = NiblessViewController::create<PadViewController>(true);
    controller->setBackgroundColorStorageKey(std::move(backgroundColorStorageKey));
    controller->setBackingStoreDescriptor(std::move(backingStoreDescriptor));
    controller->build();
    PadViewController::addToAll(controller);
    return controller;
}

}
