#include "platform/base/Paths.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace base::paths {

namespace {
Path fromEnvironment(const char* name, const Path& fallback)
{
    const char* value = std::getenv(name);
    // The base-directory rules ignore relative paths.
    if (value && *value && value[0] == '/')
        return value;
    return fallback;
}
}

Path home()
{
    if (const char* value = std::getenv("HOME"); value && *value)
        return value;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return "/";
}

Path expandTilde(const std::string& path)
{
    if (path == "~")
        return home();
    if (path.rfind("~/", 0) == 0)
        return home() / path.substr(2);
    return path;
}

std::string abbreviateWithTilde(const Path& path)
{
    std::string text = path.string();
    std::string prefix = home().string();
    if (!prefix.empty() && prefix != "/" && text.rfind(prefix, 0) == 0
        && (text.size() == prefix.size() || text[prefix.size()] == '/'))
        return "~" + text.substr(prefix.size());
    return text;
}

Path applicationSupport()
{
    return fromEnvironment("XDG_DATA_HOME", home() / ".local/share") / "Ostrel";
}

Path configuration()
{
    return fromEnvironment("XDG_CONFIG_HOME", home() / ".config") / "Ostrel";
}

Path cache()
{
    return fromEnvironment("XDG_CACHE_HOME", home() / ".cache") / "Ostrel";
}

Path temporary()
{
    return fromEnvironment("TMPDIR", "/tmp");
}

Path desktop()
{
    return fromEnvironment("XDG_DESKTOP_DIR", home() / "Desktop");
}

}
