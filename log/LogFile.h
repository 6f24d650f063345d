#pragma once

#include "log/FullTimeSlice.h"
#include "log/RawDataSet.h"
#include "platform/text/AttributedString.h"

#include <mutex>
#include <optional>
#include <string>

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
    RawDataSet::Records timeSlicesInFile() const;
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
    bool rewrite(const std::string& uuid, std::optional<size_t> position, const FullTimeSlice* replacement);

    const std::string m_fullPath;
    mutable std::mutex m_mutex;
    double m_lastRead;
    bool m_lastReadWasFull { false };
    RawDataSet::Records m_timeSlicesInFile;
};

}
