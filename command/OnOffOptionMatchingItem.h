#pragma once

#include "command/MatchingItem.h"

#include <memory>

namespace base {
class Defaults;
}

namespace ostrel {

// Flips a Boolean setting. It keeps no copy: the state is read from the settings each time.
class OnOffOptionMatchingItem : public MatchingItem {
public:
    static std::shared_ptr<OnOffOptionMatchingItem> create(base::Defaults& defaults, std::string title,
        std::string defaultsStorageKey, std::vector<std::string> path);

    const std::string& defaultsStorageKey() const { return m_defaultsStorageKey; }
    virtual std::string userReadableStateDescription() const;
    void execute() override;

protected:
    OnOffOptionMatchingItem(base::Defaults& defaults, std::string title, std::string defaultsStorageKey,
        std::vector<std::string> path);
    bool storedValue() const;

private:
    // Non-owning: the defaults outlive every gathering of entries.
    base::Defaults* m_defaults { nullptr };
    std::string m_defaultsStorageKey;
};

}
