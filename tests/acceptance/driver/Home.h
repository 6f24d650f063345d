#pragma once

#include "platform/text/AttributedString.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace ostrel {
class FullTimeSlice;
}

namespace ostrel::acceptance {

// One slice as a log entry records it.
struct LoggedSlice {
    std::string uuid;
    std::string objective;
    std::string tags; // comma-separated
    double startDate { 0 }; // seconds since the reference date
    double seconds { 0 };
    bool completed { true };
    int focus { 1 }; // 0 distracted … 3 flow
};

// One file of the log folder as a reader sees it afterwards.
struct DayFile {
    std::filesystem::path path;
    // The package opened and its text read as rich text.
    bool readsWhole { false };
    std::vector<std::shared_ptr<FullTimeSlice>> entries;
};

// A user's home for the program: a fresh folder with the XDG folders beneath it and a time
// zone, kept across runs of the program and removed at the end. It says where the program
// keeps its settings and logs, and reads them back.
class Home {
public:
    explicit Home(std::string timeZone = "UTC");
    ~Home();
    Home(const Home&) = delete;
    Home& operator=(const Home&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path configHome() const { return m_path / ".config"; }
    std::filesystem::path dataHome() const { return m_path / ".local/share"; }
    std::filesystem::path settingsFile() const { return configHome() / "Ostrel/defaults.json"; }
    std::filesystem::path applicationSupport() const { return dataHome() / "Ostrel"; }
    std::filesystem::path logFolder() const { return applicationSupport() / "System Logs"; }
    // HOME, XDG_* and TZ for a program living here.
    std::vector<std::pair<std::string, std::string>> environment() const;

    // Settings as a user who has run the program a few times before has them: no first-run
    // wizard, no prompts that count launches.
    static nlohmann::json returningUser();
    void writeSettings(const nlohmann::json& settings) const;
    // Any bytes at all, damaged ones too.
    void writeSettingsText(const std::string& text) const;
    // None while the file is missing or holds no settings dictionary.
    std::optional<nlohmann::json> settings() const;
    std::optional<nlohmann::json> setting(const std::string& key) const;
    // The objective as the program keeps it in the settings, as plain text; none while it
    // keeps none.
    std::optional<std::string> objective() const;
    // The copies of damaged settings files the program kept aside.
    std::vector<std::filesystem::path> damagedSettingsCopies() const;

    // Every day file of the log folder, in name order.
    std::vector<DayFile> dayFiles() const;
    // A day file as another computer sharing the log folder writes it: `computer` is its
    // identifier in the file's name (hexadecimal digits, as every computer's), `day` its date ("2026-12-07"). Written whole at once,
    // as a sync service moves a finished file in.
    std::filesystem::path writeDayFileOfAnotherComputer(
        const std::string& computer, const std::string& day, const std::vector<LoggedSlice>& slices) const;

    // The folder of a pad's pages ("Now Pad", "Later Pad", "Scratch Pad") and its pages'
    // texts, in page order; a page that does not read gives none.
    std::filesystem::path padFolder(const std::string& pad) const { return applicationSupport() / "Pads" / pad; }
    std::vector<std::optional<text::AttributedString>> padPages(const std::string& pad) const;

    // The user's desktop folder, where the CSV export goes by default.
    std::filesystem::path desktopFolder() const { return m_path / "Desktop"; }
    // Files left in the home whose names begin with a dot and end with a temporary's suffix:
    // what an interrupted atomic write leaves behind.
    std::vector<std::filesystem::path> halfWrittenFiles() const;

private:
    std::filesystem::path m_path;
    std::string m_timeZone;
};

}
