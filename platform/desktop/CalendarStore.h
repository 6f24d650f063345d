#pragma once

#include "platform/desktop/Calendar.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace desktop {

class CalendarFile;

// Calendar over the local calendar store's files (see Calendar.h for the layout and the
// rules). Keeps every file parsed until its stamp changes, and the event occurrences of a
// window of a day or more around the last query, so that the next queries in it only look
// at the stamps.
class CalendarStore final : public Calendar {
public:
    // Files larger than this are nothing a person's calendar grows to; they are skipped.
    static constexpr std::uintmax_t kMaxFileBytes = 64u << 20;

    // Over `folder`, or, without one, over defaultStoreFolder() as it is at each query.
    explicit CalendarStore(std::optional<std::filesystem::path> folder);
    ~CalendarStore() override;

    std::vector<CalendarEvent> events(double from, double to) override;
    std::vector<CalendarToDo> incompleteToDos(double from, double to) override;

private:
    // What tells a changed file from the one we parsed.
    struct Stamp {
        std::uintmax_t device { 0 };
        std::uintmax_t inode { 0 };
        std::intmax_t size { 0 };
        std::int64_t modified { 0 };
        bool operator==(const Stamp&) const = default;
    };
    struct Entry {
        Stamp stamp;
        std::unique_ptr<CalendarFile> file;
    };

    void refresh();
    std::unique_ptr<CalendarFile> load(const std::filesystem::path& path, bool isRegular, std::intmax_t size) const;

    std::optional<std::filesystem::path> m_folder;
    std::map<std::filesystem::path, Entry> m_files;
    bool m_windowIsCurrent { false };
    double m_windowFrom { 0 };
    double m_windowTo { 0 };
    std::vector<CalendarEvent> m_window;
};

}
