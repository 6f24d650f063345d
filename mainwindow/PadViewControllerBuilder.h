#pragma once

#include <memory>
#include <optional>
#include <string>

namespace ostrel {

class BackingStoreDescriptor;
class PadViewController;

// Makes a text pad's controller as the main window wants it: the colour key and page series
// given before the build, and the controller entered in PadViewController::all().
struct PadViewControllerBuilder {
    static std::shared_ptr<PadViewController> build(std::optional<std::string> backgroundColorStorageKey,
        std::shared_ptr<BackingStoreDescriptor> backingStoreDescriptor);
};

}
