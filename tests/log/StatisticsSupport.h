#pragma once

#include "log/FullDataSet.h"
#include "core/DateHelper.h"
#include "log/FullFeaturedStatisticsManager.h"
#include "platform/base/Resources.h"
#include "platform/base/RunLoop.h"
#include "platform/base/Time.h"
#include "tests/log/LogTestSupport.h"

#include <memory>
#include <string>

namespace ostrel::test {

// Statistics tests: the statistics settings registered as the program registers them, and
// data sets put together in memory.
class StatisticsTest : public LogTest {
protected:
    void SetUp() override
    {
        LogTest::SetUp();
        FullFeaturedStatisticsManager::resetSharedInstance();
        base::Defaults::standard()->registerDefaults({ { "currentlyDisplayedStatistic", 0 }, { "filtering", false },
            { "tagFilter", "" }, { "statsRadioButtonChoice", 0 }, { "statsDateMode", 0 },
            { "statsFromDate", "2000-01-01" }, { "statsToDate", "2020-01-01" } });
    }

    void TearDown() override
    {
        FullFeaturedStatisticsManager::resetSharedInstance();
        LogTest::TearDown();
    }

    static void set(const std::string& key, base::Value value) { base::Defaults::standard()->set(key, std::move(value)); }

    // Adds a record; the newest must come first, as after loading.
    FullTimeSlice& add(double start, double seconds, const std::string& focus, const std::string& tags = "")
    {
        auto record = std::make_shared<FullTimeSlice>();
        record->setUuid("U" + std::to_string(m_records.size()));
        record->setStartDate(start);
        record->setActualDuration(seconds);
        record->setFocusRating(focus);
        record->setTagString(tags);
        m_records.push_back(record);
        m_set.setTimeSlices(m_records);
        return *record;
    }

    const FullDataSet& dataSet() const { return m_set; }

    // A computation asked for is counted on the reload queue: its page is shown once the
    // main loop has taken the result.
    static void awaitPage() { base::RunLoop::main().runUntil(base::Time::now() + 0.01); }

    // Publishes the records as the log reader's current set.
    void publish()
    {
        auto set = std::make_shared<FullDataSet>();
        set->setTimeSlices(m_records);
        LogFileManager::sharedInstance().setCurrentFullDataSet(set);
    }

private:
    RawDataSet::Records m_records;
    FullDataSet m_set;
};

}
