#include "core/SettingsArchive.h"

#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"
#include "platform/gfx/Archive.h"

namespace ostrel {

namespace {

std::string unreadableLine(const char* kind, const std::string& key)
{
    return "The " + std::string(kind) + " setting \"" + key + "\" could not be read; using its default";
}

template<typename T, typename Unarchive>
T readArchived(const base::Defaults& store, const std::string& key, const T& registered, Unarchive unarchive,
    const std::string& unreadable)
{
    auto text = store.string(key);
    if (text) {
        if (auto value = unarchive(*text))
            return *value;
    }
    base::diagnostic(unreadable);
    return registered;
}

}

gfx::Color readColorSetting(const base::Defaults& store, const std::string& key, const gfx::Color& registered)
{
    return readArchived(store, key, registered, gfx::unarchiveColor, unreadableLine("colour", key));
}

gfx::Color readColorSetting(const base::Defaults& store, const std::string& key, const gfx::Color& registered,
    const std::string& unreadableLine)
{
    return readArchived(store, key, registered, gfx::unarchiveColor, unreadableLine);
}

gfx::Font readFontSetting(const base::Defaults& store, const std::string& key, const gfx::Font& registered)
{
    return readArchived(store, key, registered, gfx::unarchiveFont, unreadableLine("font", key));
}

gfx::Color padTextColor(const base::Defaults& store)
{
    // The pads' own words for it, so the line reads the same wherever the colour is read.
    return readArchived(store, "textColor", padTextColorDefault, gfx::unarchiveColor,
        "text color could not be deserialized");
}

gfx::Font padDefaultFont(const base::Defaults& store)
{
    return readFontSetting(store, "defaultFont", padFontDefault);
}

}
