#pragma once

#include "log/BackingStoreDescriptor.h"
#include "platform/base/DateFormat.h"
#include "platform/text/AttributedString.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace ostrel {

// The log writer: the seconds worked in the current slice with its start and end, the entry
// filled from the template, and the append to today's log file.
class Logger {
public:
    static Logger& sharedLogger();

    // The current work that an entry records; the shared data model's unless a source is set.
    struct CurrentWork {
        text::AttributedString objective;
        bool completed { false };
        std::int64_t durationInMinutes { 0 };
        std::string tags;
        std::int64_t focusRating { 1 };
    };
    using CurrentWorkSource = std::function<CurrentWork()>;
    void setCurrentWorkSource(CurrentWorkSource source) { m_currentWork = std::move(source); }
    // Run by resetActualSecondsWorked in place of clearing the shared data model's extension.
    void setExtensionReset(std::function<void()> reset) { m_extensionReset = std::move(reset); }

    std::shared_ptr<BackingStoreDescriptor> systemLogBackingStoreDesc() const { return m_systemLogBackingStoreDesc; }
    // Rebuilds the descriptor from the settings, after the log folder moved.
    void updateLogFileDescriptors();
    // "System Logs" in the Dropbox folder while "dropboxSync" is on, else in the
    // application support folder. A Dropbox folder that is no full path (a relative one,
    // a number) is refused, logged and told once: the local folder serves.
    static std::string systemLogFolderPath();
    // The Dropbox folder of "dropboxLocation", home folder expanded; none, with the reason,
    // when the setting holds no full path.
    static std::optional<std::string> dropboxLocation(std::string* refusal = nullptr);

    void incrementActualSecondsWorked();
    void resetActualSecondsWorked();
    std::int64_t actualSecondsWorked() const { return m_actualSecondsWorked; }
    double startDate() const { return m_startDate; }
    void setStartDate(double date) { m_startDate = date; }
    double endDate() const { return m_endDate; }
    void setEndDate(double date) { m_endDate = date; }

    // The entry for the current work and counter. A completed slice also has its linked
    // tasks marked done in their task managers.
    text::AttributedString prepareTimeSliceSystemLogEntryTextWithUUID(const std::string& uuid);
    // Appends to today's file; false when the entry did not reach the disk (the user has
    // been told).
    bool writeToSystemLog(const text::AttributedString& entry);
    // The whole logging step of a rated slice: nothing when no second was worked; otherwise
    // the slices kept from before are written first, then a new entry to today's file, and
    // only when that succeeded the counter is reset, so that a failed write can be tried
    // again with nothing lost. The entry is kept aside (UnloggedTimeSlices) until the log
    // holds it, so a quit or a stop after a failure loses nothing either; tried again, the
    // slice keeps its identifier and day, and goes into the log once.
    bool logCurrentTimeSlice();
    // The current slice dropped unlogged, at the user's word: the counter reset, and the
    // copy an earlier failed Log kept of it forgotten.
    void dropCurrentTimeSlice();

    static std::string formatDateForSystemLog(double date);
    static double dateFromSystemLogString(const std::string& text);
    static std::string concentrationLevelStringForTag(long long level);
    static int concentrationLevelTagForString(const std::string& word);
    static std::string localizedStringFromDate(double date, base::DateFormat::Style dateStyle, base::DateFormat::Style timeStyle);
    // "1 hour 1 second", "2 hours 5 minutes", "0 seconds".
    static std::string durationStringForTimeInterval(double seconds);

    // Shows the log folder in the file manager.
    void revealLogFolder() const;

    // Linked tasks of a completed objective, marked done in this order by the entry filling.
    void performOmniFocusMarking(const text::AttributedString& objective) const;
    void performTheHitListMarking(const text::AttributedString& objective) const;
    void performThingsMarking(const text::AttributedString& objective) const;

private:
    Logger();

    std::shared_ptr<BackingStoreDescriptor> m_systemLogBackingStoreDesc;
    std::int64_t m_actualSecondsWorked { 0 };
    double m_endDate;
    double m_startDate;
    CurrentWorkSource m_currentWork;
    std::function<void()> m_extensionReset;
    // The current slice's identifier and day once a Log of it failed.
    struct Unlogged {
        std::string uuid;
        double date { 0 };
    };
    std::optional<Unlogged> m_unlogged;
};

}
