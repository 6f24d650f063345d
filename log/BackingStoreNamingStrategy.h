#pragma once

#include <cstdint>
#include <string>

namespace ostrel {

class BackingStoreDescriptor;

// How the files of one series are named. Each strategy reads its descriptor's folder and
// root at the moment of the call, so a descriptor can be re-pointed without new strategies.
class BackingStoreNamingStrategy {
public:
    virtual ~BackingStoreNamingStrategy() = default;

    // The full path of the file for a date (seconds since the reference date) and a
    // sequence number. The base has no naming of its own.
    virtual std::string generateIDFor(double date, std::int64_t sequenceNumber) const;

    // Non-owning: the descriptor owns its strategy and sets this when given it.
    BackingStoreDescriptor* descriptor { nullptr };

protected:
    // folderPath joined with `name` + ".rtfd".
    std::string pathForName(const std::string& name) const;
};

// "<root> Day 2026-12-05 (<computer>).rtfd"
class DailyNamingStrategy : public BackingStoreNamingStrategy {
public:
    std::string generateIDFor(double date, std::int64_t sequenceNumber) const override;
};

// "<root> Week starting 2026-11-30 (<computer>).rtfd": the Monday of the date's week.
class WeeklyNamingStrategy : public BackingStoreNamingStrategy {
public:
    std::string generateIDFor(double date, std::int64_t sequenceNumber) const override;
};

// "<root> 000042.rtfd"
class SequenceNumberNamingStrategy : public BackingStoreNamingStrategy {
public:
    std::string generateIDFor(double date, std::int64_t sequenceNumber) const override;
};

}
