#pragma once

#include "log/FullTimeSlice.h"
#include "log/RawDataSet.h"
#include "platform/text/AttributedString.h"

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

namespace ostrel {

class FullDataSet;

// One file of the log folder with its records from the last read. A file is parsed again
// only when its modification date says it may have changed. The re-writers let the log book
// edit, add and delete entries of current daily files; older plain-text files are read-only.
class LogFile {
public:
    explicit LogFile(std::string fullPath);

    const std::string& fullPath() const { return m_fullPath; }

    // Refreshes the records with the data set's reader and returns them. Skipped (keeping the
    // last records) when the file has not changed since its last read, has been untouched
    // for more than a day, and was last read by the same kind of reader.
    // `parsed`, when given, says whether the file was read this time.
    RawDataSet::Records read(RawDataSet& dataSet, bool* parsed = nullptr);
    // The same refresh, answering whether the file was read this time.
    bool refresh(RawDataSet& dataSet);
    // Whether a refresh at `now` could read the file again though nothing was seen to change
    // it since the last refresh: it was written lately, was never looked at, has been asked
    // to be read again, or was read by the other kind of reader.
    bool mayBeReadAgain(double now, bool full) const;
    // Each read that replaces the records gets a new number: a set that took the records of
    // one read knows by it whether they are still the file's latest.
    std::uint64_t generation() const;
    RawDataSet::Records timeSlicesInFile(std::uint64_t* generation = nullptr) const;
    double lastRead() const;
    void setLastRead(double lastRead);

    // The entry to change is the one at `position` among the file's entries when a position
    // is given (it must still carry `uuid`), else the one entry with that identifier. The
    // placeholder identifier "dummy" alone addresses nothing, a file that exists but cannot
    // be read is never rewritten, and a plain-text file is never touched. Each answers
    // whether the file was rewritten.
    bool deleteAndSave(const std::string& uuid, std::optional<size_t> position = std::nullopt);
    // Copies objective, focus, tags, completed, durations and start into the entry, or adds
    // the record as a new last entry when no entry has the identifier.
    bool addOrReplaceThenSaveAndUpdate(const FullTimeSlice& timeSlice, const std::string& uuid,
        std::optional<size_t> position = std::nullopt);

    // One entry filled from the entry template, and all entries of a set in list order.
    static text::AttributedString entryText(const FullTimeSlice& timeSlice);
    static text::AttributedString entriesText(const FullDataSet& dataSet);
    static std::string rtfdData(const FullTimeSlice& timeSlice);
    static std::string rtfdData(const FullDataSet& dataSet);

private:
    bool mayBeReadAgainLocked(double now, bool full) const;
    bool rewrite(const std::string& uuid, std::optional<size_t> position, const FullTimeSlice* replacement);

    const std::string m_fullPath;
    mutable std::mutex m_mutex;
    double m_lastRead;
    bool m_lastReadWasFull { false };
    std::uint64_t m_generation { 0 };
    // The file's times as the last refresh found them; none when it could not.
    std::optional<std::pair<double, double>> m_seenTimes;
    // Never null.
    std::shared_ptr<const RawDataSet::Records> m_timeSlicesInFile { std::make_shared<const RawDataSet::Records>() };
};

}
