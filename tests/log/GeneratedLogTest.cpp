#include "log/FullDataSet.h"
#include "log/UpgradeManager.h"
#include "tests/log/LogTestSupport.h"
#include "tools/loggen/LogGenerator.h"

#include <limits>
#include <set>

namespace ostrel::test {
namespace {

namespace fs = std::filesystem;

// A year of a generated log with three computers and both older formats reads back whole
// once the start-up renaming has run.
TEST_F(LogTest, GeneratedYearReadsBackWhole)
{
    loggen::Options options;
    options.years = 1;
    options.computers = 3;
    options.plainTextDays = 20;
    options.unnamedDays = 20;
    options.seed = 7;
    options.minSlicesPerDay = 3;
    options.maxSlicesPerDay = 5;
    auto summary = loggen::generate(logFolder(), options);
    ASSERT_GE(summary.slices, 365u * 3);

    UpgradeManager::sharedInstance().upgradeEverything();
    FullDataSet set;
    set.loadFromDisk();
    ASSERT_EQ(set.timeSlices().size(), summary.slices);

    std::set<std::string> computers;
    size_t plain = 0;
    double previous = std::numeric_limits<double>::infinity();
    for (const auto& record : set.fullTimeSlices()) {
        EXPECT_LE(record->startDate(), previous);
        previous = record->startDate();
        if (!record->isRTFD()) {
            ++plain;
            continue;
        }
        EXPECT_FALSE(record->objective().empty());
        std::string name = fs::path(*record->fullPathOfLogFile()).filename().string();
        computers.insert(name.substr(name.find('(')));
    }
    EXPECT_GT(plain, 0u);
    EXPECT_EQ(computers.size(), 3u);
    EXPECT_FALSE(TagManager::sharedInstance().allTags().empty());
}

}
}
