#pragma once

#include "log/RawTimeSlice.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel {

// Every record of the log folder in one list, as the statistics read it. Which reader runs
// is the set's own choice: the log files call back loadRTFDFile or loadPlainTextFile.
class RawDataSet {
public:
    using Records = std::vector<std::shared_ptr<RawTimeSlice>>;

    virtual ~RawDataSet() = default;

    const Records& timeSlices() const { return m_timeSlices; }
    void setTimeSlices(Records timeSlices) { m_timeSlices = std::move(timeSlices); }

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

private:
    Records m_timeSlices;
};

}
