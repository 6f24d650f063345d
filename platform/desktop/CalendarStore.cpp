#include "platform/desktop/CalendarStore.h"

#include "platform/base/Diagnostics.h"
#include "platform/base/Files.h"
#include "platform/desktop/CalendarFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace desktop {

namespace fs = std::filesystem;

namespace {
// The window of occurrences kept: the strip asks every 15 seconds for the coming hour, so a
// day of them serves a day of queries.
constexpr double kWindowSeconds = 86400;

// libical's zone tables are shared by the whole process, so every store takes turns.
std::mutex& libicalLock()
{
    static std::mutex mutex;
    return mutex;
}

// The places of the store: calendars hold events (and sometimes to-dos), task lists to-dos.
struct Place {
    const char* folder;
    const char* fileName;
};
constexpr Place kPlaces[] = { { "calendar", "calendar.ics" }, { "tasks", "tasks.ics" } };

// Reads at most `limit` + 1 bytes, of a regular file only: a FIFO put there must not stall
// the main thread. The error text, when any, says why.
std::optional<std::string> readCalendarBytes(const fs::path& path, std::uintmax_t limit, std::string& error)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = std::strerror(errno);
        return std::nullopt;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        error = "not a regular file";
        return std::nullopt;
    }
    std::string bytes;
    char buffer[65536];
    while (bytes.size() <= limit) {
        ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            error = std::strerror(errno);
            ::close(fd);
            return std::nullopt;
        }
        if (count == 0)
            break;
        bytes.append(buffer, std::size_t(count));
    }
    ::close(fd);
    if (bytes.size() > limit) {
        error = "larger than " + std::to_string(limit >> 20) + " MB";
        return std::nullopt;
    }
    return bytes;
}
}

CalendarStore::CalendarStore(std::optional<fs::path> folder)
    : m_folder(std::move(folder))
{
    // Errors are values here: a damaged file must never stop the program.
    icalerror_set_errors_are_fatal(0);
}

CalendarStore::~CalendarStore()
{
    std::lock_guard lock(libicalLock());
    m_files.clear();
}

std::vector<CalendarEvent> CalendarStore::events(double from, double to)
{
    std::lock_guard lock(libicalLock());
    if (!(to > from))
        return {};
    refresh();
    if (!m_windowIsCurrent || from < m_windowFrom || to > m_windowTo) {
        m_windowFrom = from;
        m_windowTo = std::max(to, from + kWindowSeconds);
        m_window.clear();
        for (const auto& [path, entry] : m_files)
            entry.file->appendEvents(m_windowFrom, m_windowTo, m_window);
        sortByStart(m_window);
        m_windowIsCurrent = true;
    }
    std::vector<CalendarEvent> result;
    for (const auto& event : m_window) {
        if (overlaps(event, from, to))
            result.push_back(event);
    }
    return result;
}

std::vector<CalendarToDo> CalendarStore::incompleteToDos(double from, double to)
{
    std::lock_guard lock(libicalLock());
    refresh();
    std::vector<CalendarToDo> result;
    for (const auto& [path, entry] : m_files)
        entry.file->appendToDos(from, to, result);
    sortByDue(result);
    return result;
}

void CalendarStore::refresh()
{
    fs::path store = m_folder.value_or(defaultStoreFolder());
    std::map<fs::path, Entry> current;
    for (const auto& place : kPlaces) {
        // No folder, or nothing in it, is the store of someone who keeps no calendar here.
        auto names = base::files::list(store / place.folder);
        for (const auto& name : names.value_or(std::vector<std::string> {})) {
            if (name.starts_with('.'))
                continue;
            fs::path path = store / place.folder / name / place.fileName;
            struct stat status {};
            if (::stat(path.c_str(), &status) != 0)
                continue;
            Stamp stamp { std::uintmax_t(status.st_dev), std::uintmax_t(status.st_ino), std::intmax_t(status.st_size),
                std::int64_t(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec };
            auto known = m_files.find(path);
            if (known != m_files.end() && known->second.stamp == stamp) {
                current.emplace(path, std::move(known->second));
                continue;
            }
            m_windowIsCurrent = false;
            current.emplace(path, Entry { stamp, load(path, S_ISREG(status.st_mode), stamp.size) });
        }
    }
    // Every file kept moved over; fewer means one went away.
    if (current.size() != m_files.size())
        m_windowIsCurrent = false;
    m_files = std::move(current);
}

std::unique_ptr<CalendarFile> CalendarStore::load(const fs::path& path, bool isRegular, std::intmax_t size) const
{
    std::string error;
    std::optional<std::string> bytes;
    if (!isRegular)
        error = "not a regular file";
    else if (std::uintmax_t(size) > kMaxFileBytes)
        error = "larger than " + std::to_string(kMaxFileBytes >> 20) + " MB";
    else
        bytes = readCalendarBytes(path, kMaxFileBytes, error);
    if (!bytes) {
        base::diagnostic("calendar file \"" + path.string() + "\" skipped: " + error);
        return CalendarFile::parse({});
    }
    auto file = CalendarFile::parse(*bytes);
    if (file->problems() > 0) {
        base::diagnostic("calendar file \"" + path.string() + "\" is damaged: " + std::to_string(file->problems())
            + (file->problems() == 1 ? " part" : " parts") + " could not be read, " + std::to_string(file->eventCount())
            + (file->eventCount() == 1 ? " event" : " events") + " could");
    }
    return file;
}

}
