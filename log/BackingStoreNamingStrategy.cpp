#include "log/BackingStoreNamingStrategy.h"

#include "log/BackingStoreDescriptor.h"
#include "log/BackingStoreManager.h"
#include "platform/base/Calendar.h"
#include "platform/base/Diagnostics.h"

#include <cinttypes>
#include <cstdio>
#include <filesystem>

namespace ostrel {

namespace {

std::string datePart(const base::DateComponents& day)
{
    char text[32];
    std::snprintf(text, sizeof text, "%03d-%02d-%02d", day.year, day.month, day.day);
    return text;
}

}

std::string BackingStoreNamingStrategy::generateIDFor(double, std::int64_t) const
{
    base::fatal("backingstoredescriptor without naming strategy!");
}

std::string BackingStoreNamingStrategy::pathForName(const std::string& name) const
{
    return (std::filesystem::path(descriptor->folderPath()) / (name + ".rtfd")).string();
}

std::string DailyNamingStrategy::generateIDFor(double date, std::int64_t) const
{
    auto day = base::Calendar::current().components(date);
    return pathForName(descriptor->root() + " Day " + datePart(day) + " ("
        + BackingStoreManager::sharedManager().obtainMACAddress() + ")");
}

std::string WeeklyNamingStrategy::generateIDFor(double date, std::int64_t) const
{
    auto calendar = base::Calendar::current();
    double monday = calendar.startOfWeek(date);
    for (int i = 0; i < 7 && calendar.weekday(monday) != 2; ++i)
        monday = calendar.addingDays(1, monday);
    return pathForName(descriptor->root() + " Week starting " + datePart(calendar.components(monday)) + " ("
        + BackingStoreManager::sharedManager().obtainMACAddress() + ")");
}

std::string SequenceNumberNamingStrategy::generateIDFor(double, std::int64_t sequenceNumber) const
{
    char number[32];
    std::snprintf(number, sizeof number, " %06" PRId64, sequenceNumber);
    return pathForName(descriptor->root() + number);
}

}
