#include "log/FullDataSet.h"

#include "core/ZrLog.h"
#include "log/TimeSliceReaders.h"
#include "platform/base/Files.h"
#include "platform/text/Rtfd.h"

#include <algorithm>
#include <exception>

namespace ostrel {

void FullDataSet::loadFromFolder(const std::string& folder, const std::string& root)
{
    RawDataSet::loadFromFolder(folder, root);
    sortNewestFirst();
    generateUUIDMap();
}

RawDataSet::Records FullDataSet::loadRTFDFile(const std::string& path)
{
    auto document = text::Rtfd::readFile(path);
    if (!document) {
        zr_log("data file: %s did not contain any legal data and was skipped.", path.c_str());
        return {};
    }
    try {
        auto records = createTimeSlicesFromData(document->text);
        for (auto& record : records) {
            auto& full = static_cast<FullTimeSlice&>(*record);
            full.setFullPathOfLogFile(path);
            full.setIsRTFD(true);
        }
        return records;
    } catch (const std::exception& exception) {
        zr_log("createTimeSlicesFromData: exception caught: %s", exception.what());
        return {};
    }
}

RawDataSet::Records FullDataSet::loadPlainTextFile(const std::string& path)
{
    auto content = base::files::readText(path);
    if (!content)
        return {};
    // Older logs are plain text; their records stay read-only (no path, not a package).
    try {
        return createTimeSlicesFromData(text::AttributedString::fromUtf8(*content, m_plainTextAttributes));
    } catch (const std::exception& exception) {
        zr_log("createTimeSlicesFromData: exception caught: %s", exception.what());
        return {};
    }
}

RawDataSet::Records FullDataSet::createTimeSlicesFromData(const text::AttributedString& content) const
{
    auto full = readFullTimeSlices(content);
    return Records(full.begin(), full.end());
}

std::vector<std::shared_ptr<FullTimeSlice>> FullDataSet::fullTimeSlices() const
{
    std::vector<std::shared_ptr<FullTimeSlice>> records;
    records.reserve(timeSlices().size());
    for (const auto& record : timeSlices())
        records.push_back(std::static_pointer_cast<FullTimeSlice>(record));
    return records;
}

void FullDataSet::sortNewestFirst()
{
    auto records = timeSlices();
    std::stable_sort(records.begin(), records.end(),
        [](const auto& a, const auto& b) { return b->startDate() < a->startDate(); });
    setTimeSlices(std::move(records));
}

void FullDataSet::generateUUIDMap()
{
    m_uuidToFullTimeSliceMap.clear();
    m_uuidToFullTimeSliceMap.reserve(timeSlices().size());
    for (const auto& record : timeSlices()) {
        auto full = std::static_pointer_cast<FullTimeSlice>(record);
        m_uuidToFullTimeSliceMap[full->uuid()] = full;
    }
}

std::shared_ptr<FullTimeSlice> FullDataSet::fullTimeSliceFor(const std::string& uuid) const
{
    auto found = m_uuidToFullTimeSliceMap.find(uuid);
    return found == m_uuidToFullTimeSliceMap.end() ? nullptr : found->second;
}

void FullDataSet::deleteWithUUID(const std::string& uuid)
{
    auto records = timeSlices();
    std::erase_if(records, [&](const auto& record) { return static_cast<FullTimeSlice&>(*record).uuid() == uuid; });
    setTimeSlices(std::move(records));
    generateUUIDMap();
}

}
