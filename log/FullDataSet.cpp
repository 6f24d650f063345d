#include "log/FullDataSet.h"

#include "core/ZrLog.h"
#include "log/LogFormat.h"
#include "log/TimeSliceReaders.h"
#include "platform/base/Files.h"
#include "platform/text/Rtfd.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <functional>
#include <string_view>

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
        auto shared = std::make_shared<const std::optional<std::string>>(path);
        for (auto& record : records) {
            auto& full = static_cast<FullTimeSlice&>(*record);
            full.setFullPathOfLogFile(shared);
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
    std::string error;
    auto content = base::files::readText(path, LogFormat::kPlainTextFileLimit, &error);
    if (!content) {
        zr_log("%s", error.c_str());
        return {};
    }
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
    // Sorted by the statistics' facts, taken out once: comparing through the pointers would
    // visit every record over and over, and ten years hold tens of thousands. The facts come
    // out in the new order as they are.
    const auto& records = timeSlices();
    std::vector<std::pair<StatisticsFacts, uint32_t>> keys(records.size());
    for (size_t i = 0; i < records.size(); ++i)
        keys[i] = { StatisticsFacts::of(*records[i]), uint32_t(i) };
    std::stable_sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return b.first.startDate < a.first.startDate; });
    Records sorted;
    std::vector<StatisticsFacts> facts;
    sorted.reserve(records.size());
    facts.reserve(records.size());
    for (const auto& key : keys) {
        sorted.push_back(records[key.second]);
        facts.push_back(key.first);
    }
    setTimeSlices(std::move(sorted));
    setStatisticsFacts(std::move(facts));
}

namespace {
// Identifiers are mostly random hex: their first and last bytes spread well enough, and
// hashing all 36 costs more than the rest of the index.
size_t uuidHash(std::string_view uuid)
{
    if (uuid.size() < 16)
        return std::hash<std::string_view> {}(uuid);
    uint64_t a, b, c;
    std::memcpy(&a, uuid.data(), 8);
    std::memcpy(&b, uuid.data() + 8, 8);
    std::memcpy(&c, uuid.data() + uuid.size() - 8, 8);
    uint64_t h = (a ^ (b * 0x9e3779b97f4a7c15ull) ^ (c * 0xc2b2ae3d27d4eb4full) ^ uuid.size()) * 0xff51afd7ed558ccdull;
    return size_t(h ^ (h >> 32));
}
}

void FullDataSet::generateUUIDMap()
{
    // Open addressing over positions in the list: no allocation per record, which keeps the
    // reload of a large log (and dropping the previous set) cheap.
    const auto& records = timeSlices();
    size_t size = 16;
    while (size < records.size() * 2)
        size *= 2;
    m_uuidToFullTimeSliceMap.assign(size, 0);
    for (size_t i = 0; i < records.size(); ++i) {
        const auto& uuid = static_cast<const FullTimeSlice&>(*records[i]).uuid();
        for (size_t slot = uuidHash(uuid) & (size - 1);; slot = (slot + 1) & (size - 1)) {
            uint32_t& entry = m_uuidToFullTimeSliceMap[slot];
            // A repeated identifier takes the later record, as the list order says.
            if (entry == 0 || static_cast<const FullTimeSlice&>(*records[entry - 1]).uuid() == uuid) {
                entry = uint32_t(i + 1);
                break;
            }
        }
    }
}

std::shared_ptr<FullTimeSlice> FullDataSet::fullTimeSliceFor(const std::string& uuid) const
{
    const auto& records = timeSlices();
    size_t size = m_uuidToFullTimeSliceMap.size();
    if (size == 0)
        return nullptr;
    for (size_t slot = uuidHash(uuid) & (size - 1);; slot = (slot + 1) & (size - 1)) {
        uint32_t entry = m_uuidToFullTimeSliceMap[slot];
        // A list changed since the index was made only misses; it never answers wrongly.
        if (entry == 0 || entry > records.size())
            return nullptr;
        auto record = std::static_pointer_cast<FullTimeSlice>(records[entry - 1]);
        if (record->uuid() == uuid)
            return record;
    }
}

void FullDataSet::deleteWithUUID(const std::string& uuid)
{
    auto records = timeSlices();
    std::erase_if(records, [&](const auto& record) { return static_cast<FullTimeSlice&>(*record).uuid() == uuid; });
    setTimeSlices(std::move(records));
    generateUUIDMap();
}

}
