#include "log/FullDataSet.h"

#include "core/ZrLog.h"
#include "log/LogFile.h"
#include "log/LogFileManager.h"
#include "log/LogFormat.h"
#include "log/TimeSliceReaders.h"
#include "platform/base/Files.h"
#include "platform/base/Time.h"
#include "platform/text/Rtfd.h"

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <exception>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

namespace ostrel {

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

std::uint64_t uuidHashOf(const RawTimeSlice& record) { return uuidHash(static_cast<const FullTimeSlice&>(record).uuid()); }

// A set's files by their cache object, for looking one up in a set of thousands.
using FilesByObject = std::vector<std::pair<const LogFile*, std::uint32_t>>;

FilesByObject byObject(const std::vector<std::shared_ptr<LogFile>>& files)
{
    FilesByObject found(files.size());
    for (std::size_t i = 0; i < files.size(); ++i)
        found[i] = { files[i].get(), std::uint32_t(i) };
    std::sort(found.begin(), found.end());
    return found;
}

std::optional<std::uint32_t> indexOf(const FilesByObject& files, const LogFile* file)
{
    auto at = std::lower_bound(files.begin(), files.end(), std::make_pair(file, std::uint32_t(0)));
    if (at == files.end() || at->first != file)
        return std::nullopt;
    return at->second;
}
}

void FullDataSet::loadFromFolder(const std::string& folder, const std::string& root) { loadFromFolder(folder, root, nullptr); }

void FullDataSet::loadFromFolder(const std::string& folder, const std::string& root, const FullDataSet* previous,
    const std::vector<std::string>* changedNames)
{
    auto started = std::chrono::steady_clock::now();
    setTimeSlices({});
    if (previous == this)
        previous = nullptr;
    if (previous && (previous->m_origins.folder != folder || previous->m_origins.root != root
            || previous->m_origins.fileOfRecord.size() != previous->timeSlices().size()
            || previous->m_uuidHashes.size() != previous->timeSlices().size()))
        previous = nullptr;
    FilesByObject before = previous ? byObject(previous->m_origins.files) : FilesByObject {};
    auto unchangedSincePrevious = [&](const LogFile& file, std::uint64_t generation) {
        auto index = indexOf(before, &file);
        return index && previous->m_origins.generations[*index] == generation;
    };
    auto wanted = [&](const LogFile& file, std::uint64_t generation) {
        return !previous || !unchangedSincePrevious(file, generation);
    };
    FolderFiles read;
    if (previous && changedNames) {
        std::vector<char> lookAt;
        read = filesChangedSince(*previous, *changedNames, lookAt);
        readFiles(read, wanted, &lookAt);
    } else {
        read = readFolder(folder, root, wanted);
    }
    bool merged = previous && mergeWithUnchangedOf(*previous, read);
    if (!merged) {
        for (std::size_t i = 0; i < read.files.size(); ++i) {
            if (!read.taken[i])
                read.records[i] = read.files[i]->timeSlicesInFile(&read.generations[i]);
        }
        takeNewestFirst(read.records);
    }
    m_origins.folder = folder;
    m_origins.root = root;
    m_origins.files = std::move(read.files);
    m_origins.generations = std::move(read.generations);
    generateUUIDMap();
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    zr_log("loading %zu time slices took: %f (%s)", timeSlices().size(), seconds, merged ? "changed files merged" : "all sorted");
}

RawDataSet::FolderFiles FullDataSet::filesChangedSince(const FullDataSet& previous,
    const std::vector<std::string>& changedNames, std::vector<char>& lookAt) const
{
    const auto& earlier = previous.m_origins;
    FolderFiles read;
    read.files = earlier.files;
    // Folder order is name order, and every path is the folder's joined with a name.
    auto byPath = [](const std::shared_ptr<LogFile>& file, const std::string& path) { return file->fullPath() < path; };
    std::vector<std::string> changedPaths;
    for (const auto& name : changedNames) {
        if (!LogFormat::beginsWithRoot(name, earlier.root))
            continue;
        std::string path = (std::filesystem::path(earlier.folder) / name).string();
        struct stat info {};
        bool present = ::lstat(path.c_str(), &info) == 0;
        auto at = std::lower_bound(read.files.begin(), read.files.end(), path, byPath);
        bool listed = at != read.files.end() && (*at)->fullPath() == path;
        if (present && !listed)
            read.files.insert(at, LogFileManager::sharedInstance().createOrRetrieveLogFile(path));
        else if (!present && listed)
            read.files.erase(at);
        changedPaths.push_back(std::move(path));
    }
    bool full = readsFullRecords();
    double now = base::Time::now();
    lookAt.assign(read.files.size(), 0);
    for (std::size_t i = 0; i < read.files.size(); ++i)
        lookAt[i] = read.files[i]->mayBeReadAgain(now, full) ? 1 : 0;
    for (const auto& path : changedPaths) {
        auto at = std::lower_bound(read.files.begin(), read.files.end(), path, byPath);
        if (at != read.files.end() && (*at)->fullPath() == path)
            lookAt[std::size_t(at - read.files.begin())] = 1;
    }
    return read;
}

bool FullDataSet::mergeWithUnchangedOf(const FullDataSet& previous, FolderFiles& read)
{
    const auto& earlier = previous.m_origins;
    // Where each of the previous set's files stands in this listing, when its records are
    // the ones it lent; -1 when it is gone or was read anew.
    FilesByObject now = byObject(read.files);
    std::vector<std::int64_t> placeOf(earlier.files.size(), -1);
    std::vector<char> lent(read.files.size(), 0);
    std::int64_t last = -1;
    for (std::size_t p = 0; p < earlier.files.size(); ++p) {
        auto index = indexOf(now, earlier.files[p].get());
        if (!index || read.taken[*index])
            continue;
        // Ties between records are broken by the files' order: it must not have changed.
        if (std::int64_t(*index) <= last)
            return false;
        placeOf[p] = last = *index;
        lent[*index] = 1;
    }
    for (std::size_t i = 0; i < read.files.size(); ++i) {
        if (!read.taken[i] && !lent[i])
            return false;
    }

    // The records read anew, in the order a full load gives them among themselves.
    struct Added {
        StatisticsFacts facts;
        std::uint64_t uuidHash;
        std::uint32_t file;
        const std::shared_ptr<RawTimeSlice>* record;
    };
    std::vector<Added> added;
    for (std::size_t i = 0; i < read.files.size(); ++i) {
        for (const auto& record : read.records[i])
            added.push_back({ StatisticsFacts::of(*record), uuidHashOf(*record), std::uint32_t(i), &record });
    }
    std::stable_sort(added.begin(), added.end(), [](const Added& a, const Added& b) { return b.facts.startDate < a.facts.startDate; });

    const auto& earlierRecords = previous.timeSlices();
    const auto& earlierFacts = previous.statisticsFacts();
    const auto& earlierHashes = previous.m_uuidHashes;
    std::size_t total = added.size();
    for (std::uint32_t file : earlier.fileOfRecord)
        total += placeOf[file] >= 0 ? 1 : 0;
    Records records;
    std::vector<StatisticsFacts> facts;
    std::vector<std::uint32_t> fileOfRecord;
    std::vector<std::uint64_t> hashes;
    records.reserve(total);
    facts.reserve(total);
    fileOfRecord.reserve(total);
    hashes.reserve(total);
    std::size_t next = 0;
    auto takeAdded = [&] {
        records.push_back(*added[next].record);
        facts.push_back(added[next].facts);
        fileOfRecord.push_back(added[next].file);
        hashes.push_back(added[next].uuidHash);
        ++next;
    };
    for (std::size_t r = 0; r < earlierRecords.size(); ++r) {
        std::int64_t place = placeOf[earlier.fileOfRecord[r]];
        if (place < 0)
            continue;
        double date = earlierFacts[r].startDate;
        // Newest first; at the same moment, the file listed first.
        while (next < added.size()
            && (date < added[next].facts.startDate || (date == added[next].facts.startDate && added[next].file < place)))
            takeAdded();
        records.push_back(earlierRecords[r]);
        facts.push_back(earlierFacts[r]);
        fileOfRecord.push_back(std::uint32_t(place));
        hashes.push_back(earlierHashes[r]);
    }
    while (next < added.size())
        takeAdded();
    setTimeSlices(std::move(records));
    setStatisticsFacts(std::move(facts));
    m_uuidHashes = std::move(hashes);
    m_origins.fileOfRecord = std::move(fileOfRecord);
    return true;
}

void FullDataSet::setTimeSlices(Records timeSlices)
{
    m_origins = {};
    m_uuidHashes.clear();
    RawDataSet::setTimeSlices(std::move(timeSlices));
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
    std::vector<Records> all { timeSlices() };
    takeNewestFirst(all);
    // A list sorted in place comes from no folder's files.
    m_origins.fileOfRecord.clear();
}

void FullDataSet::takeNewestFirst(std::vector<Records>& perFile)
{
    // As sortNewestFirst, for records still in their files: the facts and identifiers of
    // each file are taken on the cores the files were read on, and the records are moved
    // into their places rather than copied (each copy and each drop of a copy would touch
    // a count shared between threads).
    struct Key {
        StatisticsFacts facts;
        std::uint64_t uuidHash;
        std::uint32_t file;
        std::uint32_t index;
    };
    std::vector<std::size_t> firstKey(perFile.size() + 1, 0);
    for (std::size_t i = 0; i < perFile.size(); ++i)
        firstKey[i + 1] = firstKey[i] + perFile[i].size();
    std::vector<Key> keys(firstKey.back());
    onEveryCore(perFile.size(), 64, [&](std::size_t file) {
        const auto& records = perFile[file];
        for (std::size_t j = 0; j < records.size(); ++j)
            keys[firstKey[file] + j] = { StatisticsFacts::of(*records[j]), uuidHashOf(*records[j]), std::uint32_t(file), std::uint32_t(j) };
    });
    // Newest first; at the same moment, in folder order.
    std::stable_sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) { return b.facts.startDate < a.facts.startDate; });
    Records sorted;
    std::vector<StatisticsFacts> facts;
    std::vector<std::uint32_t> files;
    std::vector<std::uint64_t> hashes;
    sorted.reserve(keys.size());
    facts.reserve(keys.size());
    files.reserve(keys.size());
    hashes.reserve(keys.size());
    for (const auto& key : keys) {
        sorted.push_back(std::move(perFile[key.file][key.index]));
        facts.push_back(key.facts);
        files.push_back(key.file);
        hashes.push_back(key.uuidHash);
    }
    setTimeSlices(std::move(sorted));
    setStatisticsFacts(std::move(facts));
    m_uuidHashes = std::move(hashes);
    m_origins.fileOfRecord = std::move(files);
}

void FullDataSet::generateUUIDMap()
{
    // Open addressing over positions in the list: no allocation per record, which keeps the
    // reload of a large log (and dropping the previous set) cheap. The identifiers' hashes
    // are kept beside the list, so that making the index visits no record: only records
    // whose hashes match are compared.
    const auto& records = timeSlices();
    if (m_uuidHashes.size() != records.size()) {
        m_uuidHashes.clear();
        m_uuidHashes.reserve(records.size());
        for (const auto& record : records)
            m_uuidHashes.push_back(uuidHashOf(*record));
    }
    size_t size = 16;
    while (size < records.size() * 2)
        size *= 2;
    m_uuidToFullTimeSliceMap.assign(size, 0);
    for (size_t i = 0; i < records.size(); ++i) {
        std::uint64_t hash = m_uuidHashes[i];
        for (size_t slot = hash & (size - 1);; slot = (slot + 1) & (size - 1)) {
            uint32_t& entry = m_uuidToFullTimeSliceMap[slot];
            // A repeated identifier takes the later record, as the list order says.
            if (entry == 0
                || (m_uuidHashes[entry - 1] == hash
                    && static_cast<const FullTimeSlice&>(*records[entry - 1]).uuid()
                        == static_cast<const FullTimeSlice&>(*records[i]).uuid())) {
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
    std::uint64_t hash = uuidHash(uuid);
    for (size_t slot = hash & (size - 1);; slot = (slot + 1) & (size - 1)) {
        uint32_t entry = m_uuidToFullTimeSliceMap[slot];
        // A list changed since the index was made only misses; it never answers wrongly.
        if (entry == 0 || entry > records.size() || entry > m_uuidHashes.size())
            return nullptr;
        if (m_uuidHashes[entry - 1] != hash)
            continue;
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
