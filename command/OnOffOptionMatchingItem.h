#pragma once

#include "command/MatchingItem.h"

#include <memory>

namespace ostrel {

class CommandSettings;

// Flips a Boolean setting. It keeps no copy: the state is read from the settings each time.
class OnOffOptionMatchingItem : public MatchingItem {
public:
    static std::shared_ptr<OnOffOptionMatchingItem> create(CommandSettings& settings, std::string title,
        std::string defaultsStorageKey, std::vector<std::string> path);

    const std::string& defaultsStorageKey() const { return m_defaultsStorageKey; }
    virtual std::string userReadableStateDescription() const;
    void execute() override;

protected:
    OnOffOptionMatchingItem(CommandSettings& settings, std::string title, std::string defaultsStorageKey,
        std::vector<std::string> path);
    bool storedValue() const;

private:
    // Non-owning: the settings outlive every gathering of entries.
    CommandSettings* m_settings { nullptr };
    std::string m_defaultsStorageKey;
};

}
