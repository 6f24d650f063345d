#include "core/SettingsArchive.h"

#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"
#include "platform/gfx/Archive.h"

namespace ostrel {

namespace {

template<typename T, typename Unarchive>
T readArchived(const base::Defaults& store, const std::string& key, const T& registered, Unarchive unarchive,
    const char* kind)
{
    auto text = store.string(key);
    if (text) {
        if (auto value = unarchive(*text))
            return *value;
    }
    base::diagnostic("The " + std::string(kind) + " setting \"" + key + "\" could not be read; using its default");
    return registered;
}

}

gfx::Color readColorSetting(const base::Defaults& store, const std::string& key, const gfx::Color& registered)
{
    return readArchived(store, key, registered, gfx::unarchiveColor, "colour");
}

gfx::Font readFontSetting(const base::Defaults& store, const std::string& key, const gfx::Font& registered)
{
    return readArchived(store, key, registered, gfx::unarchiveFont, "font");
}

gfx::Color padTextColor(const base::Defaults& store)
{
    return readColorSetting(store, "textColor", padTextColorDefault);
}

gfx::Font padDefaultFont(const base::Defaults& store)
{
    return readFontSetting(store, "defaultFont", padFontDefault);
}

}
