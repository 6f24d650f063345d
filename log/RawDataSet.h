#pragma once

#include "log/RawTimeSlice.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel {

class LogFile;

// What a statistic reads of one record, kept for a whole set side by side: a statistic over
// ten years reads this array rather than tens of thousands of records spread over memory.
struct StatisticsFacts {
    double startDate { 0 };
    double actualDuration { 0 };
    // Of the set's records, in the same order.
    const RawTimeSlice* record { nullptr };
    std::int32_t day { 0 }; // RawTimeSlice::dayNumber()
    std::int8_t focusLevel { -1 }; // a ConcentrationLevel, or -1 for no level
    std::int8_t hour { 0 };
    std::int8_t weekday { 0 };
    bool hasTags { false };

    static StatisticsFacts of(const RawTimeSlice& record);
};

// Every record of the log folder in one list, as the statistics read it. Which reader runs
// is the set's own choice: the log files call back loadRTFDFile or loadPlainTextFile.
class RawDataSet {
public:
    using Records = std::vector<std::shared_ptr<RawTimeSlice>>;

    virtual ~RawDataSet() = default;

    const Records& timeSlices() const { return m_timeSlices; }
    virtual void setTimeSlices(Records timeSlices);
    // The records' facts in list order, made on first use (from any thread: a published set
    // is not changed) unless the set made them as it sorted its records.
    const std::vector<StatisticsFacts>& statisticsFacts() const;

    // Reads the log writer's folder.
    virtual void loadFromDisk();
    // Reads every file of `folder` whose name begins with `root`, through the shared log
    // file cache. A folder that cannot be listed gives an empty set.
    virtual void loadFromFolder(const std::string& folder, const std::string& root);

    // Called for many files at once from several threads: readers keep no state in the set.
    virtual Records loadRTFDFile(const std::string& path);
    virtual Records loadPlainTextFile(const std::string& path);
    Records createTimeSlicesFromContentString(std::u16string_view content) const;

    // Whether the records this set's readers make are FullTimeSlice.
    virtual bool readsFullRecords() const { return false; }
    // How many files the last load read anew rather than took from the cache.
    std::size_t filesRead() const { return m_filesRead; }

protected:
    // For a set that has the facts at hand already, in list order.
    void setStatisticsFacts(std::vector<StatisticsFacts> facts);

    // The files of a folder in folder order, each brought up to date through the shared log
    // file cache, with the number of the read whose records were taken (see LogFile).
    struct FolderFiles {
        std::vector<std::shared_ptr<LogFile>> files;
        std::vector<std::uint64_t> generations;
        // Empty for a file whose records were not wanted.
        std::vector<Records> records;
        std::vector<char> taken;
    };
    // Whether the records of a file, at the read numbered so, are wanted. Asked from the
    // reading threads.
    using RecordsWanted = std::function<bool(const LogFile& file, std::uint64_t generation)>;
    // Reads a folder as loadFromFolder does, without changing the set's list. A folder that
    // cannot be listed has no files.
    FolderFiles readFolder(const std::string& folder, const std::string& root, const RecordsWanted& wanted);
    // Brings the files listed in `read` up to date, only those marked in `lookAt` when given,
    // and takes the records wanted.
    void readFiles(FolderFiles& read, const RecordsWanted& wanted, const std::vector<char>* lookAt = nullptr);
    // The records of every file in folder order, as one list.
    static Records joined(std::vector<Records>& perFile);
    // work(i) for every i below count, spread over the processor's cores (at most eight
    // threads, one for every `perThread` items at least), in no particular order.
    static void onEveryCore(std::size_t count, std::size_t perThread, const std::function<void(std::size_t)>& work);

private:
    Records m_timeSlices;
    std::size_t m_filesRead { 0 };
    mutable std::vector<StatisticsFacts> m_facts;
    mutable std::unique_ptr<std::once_flag> m_factsMade { std::make_unique<std::once_flag>() };
};

}
