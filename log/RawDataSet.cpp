#include "log/RawDataSet.h"

#include "log/BackingStoreDescriptor.h"
#include "core/ZrLog.h"
#include "log/LogFile.h"
#include "log/LogFormat.h"
#include "log/LogFileManager.h"
#include "log/Logger.h"
#include "log/TimeSliceReaders.h"
#include "platform/base/Files.h"
#include "platform/text/Rtfd.h"
#include "platform/text/Unicode.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <filesystem>

namespace ostrel {

StatisticsFacts StatisticsFacts::of(const RawTimeSlice& record)
{
    StatisticsFacts facts;
    facts.startDate = record.startDate();
    facts.actualDuration = record.actualDuration();
    facts.record = &record;
    facts.day = record.dayNumber();
    auto level = record.focusLevel();
    facts.focusLevel = level ? std::int8_t(*level) : std::int8_t(-1);
    facts.hour = std::int8_t(record.localHour());
    facts.weekday = std::int8_t(record.localWeekday());
    facts.hasTags = !record.tagString().empty();
    return facts;
}

void RawDataSet::setTimeSlices(Records timeSlices)
{
    m_timeSlices = std::move(timeSlices);
    m_facts.clear();
    m_factsMade = std::make_unique<std::once_flag>();
}

void RawDataSet::setStatisticsFacts(std::vector<StatisticsFacts> facts)
{
    m_facts = std::move(facts);
    // Made: the first reader takes them as they are.
    m_factsMade = std::make_unique<std::once_flag>();
    std::call_once(*m_factsMade, [] { });
}

const std::vector<StatisticsFacts>& RawDataSet::statisticsFacts() const
{
    std::call_once(*m_factsMade, [this] {
        m_facts.reserve(m_timeSlices.size());
        for (const auto& record : m_timeSlices)
            m_facts.push_back(StatisticsFacts::of(*record));
    });
    return m_facts;
}

void RawDataSet::loadFromDisk()
{
    auto descriptor = Logger::sharedLogger().systemLogBackingStoreDesc();
    loadFromFolder(descriptor->folderPath(), descriptor->root());
}

void RawDataSet::loadFromFolder(const std::string& folder, const std::string& root)
{
    auto started = std::chrono::steady_clock::now();
    setTimeSlices({});
    auto read = readFolder(folder, root, {});
    setTimeSlices(joined(read.records));
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    zr_log("loading %zu time slices took: %f (time per million: %f)", m_timeSlices.size(), seconds,
        m_timeSlices.empty() ? 0.0 : seconds * 1000000.0 / double(m_timeSlices.size()));
}

RawDataSet::FolderFiles RawDataSet::readFolder(const std::string& folder, const std::string& root, const RecordsWanted& wanted)
{
    FolderFiles result;
    if (auto names = base::files::list(folder)) {
        for (const auto& name : *names) {
            if (LogFormat::beginsWithRoot(name, root))
                result.files.push_back(LogFileManager::sharedInstance().createOrRetrieveLogFile(
                    (std::filesystem::path(folder) / name).string()));
        }
    }
    readFiles(result, wanted);
    return result;
}

void RawDataSet::readFiles(FolderFiles& result, const RecordsWanted& wanted, const std::vector<char>* lookAt)
{
    const auto& files = result.files;
    result.generations.assign(files.size(), 0);
    result.records.assign(files.size(), {});
    result.taken.assign(files.size(), 0);
    std::size_t looked = lookAt ? std::size_t(std::count(lookAt->begin(), lookAt->end(), 1)) : files.size();
    // Ten years are thousands of files, each parsed on its own: the parsing is spread over
    // the processor's cores, and the records still come out in folder order.
    std::atomic<size_t> read { 0 };
    // Files not looked at cost next to nothing: the threads are counted by those that are.
    std::size_t perThread = looked ? std::max<std::size_t>(1, files.size() * 16 / looked) : files.size() + 1;
    onEveryCore(files.size(), perThread, [&](std::size_t i) {
        if ((!lookAt || (*lookAt)[i]) && files[i]->refresh(*this))
            ++read;
        // Records not wanted are not even copied: each copy would visit a record.
        result.generations[i] = files[i]->generation();
        if (!wanted || wanted(*files[i], result.generations[i])) {
            result.records[i] = files[i]->timeSlicesInFile(&result.generations[i]);
            result.taken[i] = 1;
        }
    });
    m_filesRead = read;
}

void RawDataSet::onEveryCore(std::size_t count, std::size_t perThread, const std::function<void(std::size_t)>& work)
{
    std::atomic<size_t> next { 0 };
    auto take = [&] {
        for (size_t i = next++; i < count; i = next++)
            work(i);
    };
    size_t workers = std::min<size_t>({ std::max(1u, std::thread::hardware_concurrency()), 8, count / std::max<std::size_t>(perThread, 1) + 1 });
    std::vector<std::thread> helpers;
    for (size_t i = 1; i < workers; ++i)
        helpers.emplace_back(take);
    take();
    for (auto& helper : helpers)
        helper.join();
}

RawDataSet::Records RawDataSet::joined(std::vector<Records>& perFile)
{
    size_t total = 0;
    for (const auto& records : perFile)
        total += records.size();
    Records all;
    all.reserve(total);
    for (auto& records : perFile)
        all.insert(all.end(), std::make_move_iterator(records.begin()), std::make_move_iterator(records.end()));
    return all;
}

RawDataSet::Records RawDataSet::loadRTFDFile(const std::string& path)
{
    auto document = text::Rtfd::readFile(path);
    if (!document)
        return {};
    return createTimeSlicesFromContentString(document->text.string());
}

RawDataSet::Records RawDataSet::loadPlainTextFile(const std::string& path)
{
    std::string error;
    auto content = base::files::readText(path, LogFormat::kPlainTextFileLimit, &error);
    if (!content) {
        zr_log("%s", error.c_str());
        return {};
    }
    return createTimeSlicesFromContentString(text::toUtf16(*content));
}

RawDataSet::Records RawDataSet::createTimeSlicesFromContentString(std::u16string_view content) const
{
    zr_log("RawDataSet createTimeSlicesFromContentString - start");
    auto records = readRawTimeSlices(content);
    zr_log("RawDataSet createTimeSlicesFromContentString - end");
    return records;
}

}
