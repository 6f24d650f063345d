#pragma once

#include <filesystem>
#include <string>

namespace ostrel::test {

// A fresh folder set as HOME, with XDG_CONFIG_HOME, XDG_DATA_HOME, XDG_CACHE_HOME and
// XDG_RUNTIME_DIR beneath it, and TZ as asked. Everything is put back and removed on
// destruction, so no test sees the developer's files, time zone or another test's leftovers.
class TemporaryHome {
public:
    explicit TemporaryHome(const std::string& timeZone = "UTC");
    ~TemporaryHome();
    TemporaryHome(const TemporaryHome&) = delete;
    TemporaryHome& operator=(const TemporaryHome&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path configHome() const { return m_path / ".config"; }
    std::filesystem::path dataHome() const { return m_path / ".local/share"; }

    // Sets TZ for the rest of this home's life and makes the C library see it.
    void setTimeZone(const std::string& timeZone);

private:
    std::filesystem::path m_path;
    struct Saved;
    Saved* m_saved { nullptr };
};

}
