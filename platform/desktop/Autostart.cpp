#include "platform/desktop/Autostart.h"

#include "platform/base/Diagnostics.h"
#include "platform/base/Files.h"
#include "platform/base/Paths.h"
#include "platform/desktop/DesktopEntry.h"

namespace desktop {

std::filesystem::path Autostart::entryPath()
{
    return base::paths::configuration().parent_path() / "autostart" / "ostrel.desktop";
}

bool Autostart::isOn()
{
    auto text = base::files::readText(entryPath(), DesktopEntry::kFileLimit);
    if (!text)
        return false;
    // Desktops turn an entry off by these keys rather than by removing it.
    if (DesktopEntry::value(*text, "Hidden") == "true"
        || DesktopEntry::value(*text, "X-GNOME-Autostart-enabled") == "false")
        return false;
    return DesktopEntry::value(*text, "Exec") == DesktopEntry::execLine({ DesktopEntry::executable().string() });
}

bool Autostart::setOn(bool on)
{
    std::filesystem::path path = entryPath();
    std::string error;
    if (!on) {
        if (!base::files::exists(path) || base::files::remove(path, &error))
            return true;
        base::diagnostic("could not remove the autostart entry \"" + path.string() + "\": " + error);
        return false;
    }
    std::string entry = "[Desktop Entry]\n"
                        "Type=Application\n"
                        "Name=Ostrel\n"
                        "Exec="
        + DesktopEntry::execLine({ DesktopEntry::executable().string() })
        + "\n"
          "Terminal=false\n"
          "X-GNOME-Autostart-enabled=true\n";
    if (base::files::createDirectories(path.parent_path(), &error) && base::files::writeAtomically(path, entry, &error))
        return true;
    base::diagnostic("could not write the autostart entry \"" + path.string() + "\": " + error);
    return false;
}

}
