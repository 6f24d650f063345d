#include "tests/acceptance/driver/Home.h"

#include "log/FullTimeSlice.h"
#include "log/LogEntry.h"
#include "log/LogFormat.h"
#include "log/TimeSliceReaders.h"
#include "platform/base/Base64.h"
#include "platform/base/Time.h"
#include "platform/text/Rtfd.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>

namespace ostrel::acceptance {

namespace fs = std::filesystem;

namespace {

fs::path makeUniqueFolder()
{
    std::string pattern = (fs::temp_directory_path() / "ostrel-road-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a home for the program");
    return pattern;
}

std::string contentsOf(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}

Home::Home(std::string timeZone)
    : m_path(makeUniqueFolder())
    , m_timeZone(std::move(timeZone))
{
    fs::create_directories(configHome());
    fs::create_directories(dataHome());
    fs::create_directories(m_path / ".cache");
    fs::create_directories(m_path / ".runtime");
    fs::permissions(m_path / ".runtime", fs::perms::owner_all);
}

Home::~Home()
{
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

std::vector<std::pair<std::string, std::string>> Home::environment() const
{
    return { { "HOME", m_path.string() }, { "XDG_CONFIG_HOME", configHome().string() },
        { "XDG_DATA_HOME", dataHome().string() }, { "XDG_CACHE_HOME", (m_path / ".cache").string() },
        { "XDG_RUNTIME_DIR", (m_path / ".runtime").string() }, { "TZ", m_timeZone } };
}

nlohmann::json Home::returningUser()
{
    return {
        { "firstLaunch", false },
        { "launchManagerLaunchCounter", 3 },
        // A first launch two days ago: no request that waits for a later day falls on this one.
        { "launchManagerFirstLaunch", base::Time::fromUnix(double(std::time(nullptr))) - 2 * 86400 },
        { "mailing_list_launchCounter", 1 },
    };
}

void Home::writeSettings(const nlohmann::json& settings) const { writeSettingsText(settings.dump(2) + "\n"); }

void Home::writeSettingsText(const std::string& text) const
{
    fs::create_directories(settingsFile().parent_path());
    std::ofstream(settingsFile(), std::ios::binary | std::ios::trunc) << text;
}

std::optional<nlohmann::json> Home::settings() const
{
    if (!fs::exists(settingsFile()))
        return std::nullopt;
    auto json = nlohmann::json::parse(contentsOf(settingsFile()), nullptr, false);
    if (json.is_discarded() || !json.is_object())
        return std::nullopt;
    return json;
}

std::optional<nlohmann::json> Home::setting(const std::string& key) const
{
    auto all = settings();
    if (!all || !all->contains(key))
        return std::nullopt;
    return (*all)[key];
}

std::optional<std::string> Home::objective() const
{
    auto stored = setting("objective");
    if (!stored || !stored->is_object() || !stored->contains("$data") || !(*stored)["$data"].is_string())
        return std::nullopt;
    auto bytes = base::decodeBase64((*stored)["$data"].get<std::string>());
    if (!bytes)
        return std::nullopt;
    auto document = text::Rtfd::fromData(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    if (!document)
        return std::nullopt;
    return document->text.utf8();
}

std::vector<fs::path> Home::damagedSettingsCopies() const
{
    std::vector<fs::path> copies;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(settingsFile().parent_path(), error)) {
        if (entry.path().filename().string().starts_with("defaults (damaged "))
            copies.push_back(entry.path());
    }
    std::sort(copies.begin(), copies.end());
    return copies;
}

std::vector<DayFile> Home::dayFiles() const
{
    std::vector<DayFile> files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(logFolder(), error)) {
        std::string name = entry.path().filename().string();
        // Half-written replacements start with a dot and are no day files yet.
        if (name.starts_with(".") || !LogFormat::beginsWithRoot(name, LogFormat::kRoot))
            continue;
        DayFile file;
        file.path = entry.path();
        if (LogFormat::isCurrentLogFileName(name)) {
            if (auto document = text::Rtfd::readFile(entry.path())) {
                file.readsWhole = true;
                file.entries = readFullTimeSlices(document->text);
            }
        } else if (entry.is_regular_file()) {
            file.readsWhole = true;
            file.entries = readFullTimeSlices(text::AttributedString::fromUtf8(contentsOf(entry.path())));
        }
        files.push_back(std::move(file));
    }
    std::sort(files.begin(), files.end(), [](const DayFile& a, const DayFile& b) { return a.path < b.path; });
    return files;
}

fs::path Home::writeDayFileOfAnotherComputer(
    const std::string& computer, const std::string& day, const std::vector<LoggedSlice>& slices) const
{
    text::AttributedString content;
    for (const auto& slice : slices) {
        LogEntryValues values;
        values.uuid = slice.uuid;
        values.objective = text::AttributedString::fromUtf8(slice.objective);
        values.completed = slice.completed;
        values.duration = slice.seconds;
        values.actualDuration = slice.seconds;
        values.tags = slice.tags;
        values.startDate = slice.startDate;
        values.focusRating = LogFormat::concentrationLevelStringForTag(slice.focus);
        content.append(makeLogEntry(values, LogEntryKind::New));
    }
    auto name = std::string(LogFormat::kRoot) + " Day " + day + " (" + computer + ").rtfd";
    // Put together beside the folder, then moved in whole: the watcher never sees half of it.
    fs::path aside = m_path / ("." + name);
    fs::create_directories(logFolder());
    if (!text::Rtfd::writeFile(aside, content))
        throw std::runtime_error("cannot write the day file " + aside.string());
    fs::rename(aside, logFolder() / name);
    return logFolder() / name;
}

std::vector<std::optional<text::AttributedString>> Home::padPages(const std::string& pad) const
{
    std::vector<fs::path> pages;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(padFolder(pad), error)) {
        if (!entry.path().filename().string().starts_with("."))
            pages.push_back(entry.path());
    }
    std::sort(pages.begin(), pages.end());
    std::vector<std::optional<text::AttributedString>> texts;
    for (const auto& page : pages) {
        auto document = text::Rtfd::readFile(page);
        texts.push_back(document ? std::optional(document->text) : std::nullopt);
    }
    return texts;
}

std::vector<fs::path> Home::halfWrittenFiles() const
{
    std::vector<fs::path> found;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(m_path, error); !error && it != fs::recursive_directory_iterator();
         it.increment(error)) {
        std::string name = it->path().filename().string();
        if (name.starts_with(".") && name.find(".tmp") != std::string::npos)
            found.push_back(it->path());
    }
    return found;
}

}
