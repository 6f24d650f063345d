#pragma once

#include "command/MatchingItem.h"
#include "core/DataModel.h"

#include <functional>
#include <memory>

namespace base {
class Defaults;
}

namespace ostrel {

// Cycles the main window's compression mode (never, always, with closed sidebar) and has the
// window apply it at once.
class WindowCompactnessMatchingItem final : public MatchingItem {
public:
    static std::shared_ptr<WindowCompactnessMatchingItem> create(base::Defaults& defaults, std::string title,
        std::vector<std::string> path, std::function<void()> compressWindow,
        std::string storageKey = "windowCompressionMode");

    // A missing or unknown value reads as the registered default, "with closed sidebar".
    WindowCompressionMode currentMode() const;
    void execute() override;

private:
    WindowCompactnessMatchingItem(base::Defaults& defaults, std::string title, std::vector<std::string> path,
        std::function<void()> compressWindow, std::string storageKey);

    // Non-owning: the defaults outlive every gathering of entries.
    base::Defaults* m_defaults { nullptr };
    std::function<void()> m_compressWindow;
    std::string m_storageKey;
};

}
