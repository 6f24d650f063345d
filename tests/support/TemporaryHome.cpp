#include "tests/support/TemporaryHome.h"

#include <cstdlib>
#include <ctime>
#include <map>
#include <optional>
#include <stdexcept>
#include <system_error>

namespace ostrel::test {

namespace {
const char* const kVariables[] = { "HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME",
    "XDG_RUNTIME_DIR", "TZ" };

std::filesystem::path makeUniqueFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "ostrel-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary home");
    return pattern;
}
}

struct TemporaryHome::Saved {
    std::map<std::string, std::optional<std::string>> values;
};

TemporaryHome::TemporaryHome(const std::string& timeZone)
    : m_path(makeUniqueFolder())
    , m_saved(new Saved)
{
    for (const char* name : kVariables) {
        const char* value = std::getenv(name);
        m_saved->values[name] = value ? std::optional<std::string>(value) : std::nullopt;
    }
    std::filesystem::create_directories(configHome());
    std::filesystem::create_directories(dataHome());
    std::filesystem::create_directories(m_path / ".cache");
    std::filesystem::create_directories(m_path / ".runtime");
    std::filesystem::permissions(m_path / ".runtime", std::filesystem::perms::owner_all);
    setenv("HOME", m_path.c_str(), 1);
    setenv("XDG_CONFIG_HOME", configHome().c_str(), 1);
    setenv("XDG_DATA_HOME", dataHome().c_str(), 1);
    setenv("XDG_CACHE_HOME", (m_path / ".cache").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (m_path / ".runtime").c_str(), 1);
    setTimeZone(timeZone);
}

TemporaryHome::~TemporaryHome()
{
    for (const auto& [name, value] : m_saved->values) {
        if (value)
            setenv(name.c_str(), value->c_str(), 1);
        else
            unsetenv(name.c_str());
    }
    tzset();
    delete m_saved;
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

void TemporaryHome::setTimeZone(const std::string& timeZone)
{
    setenv("TZ", timeZone.c_str(), 1);
    tzset();
}

}
