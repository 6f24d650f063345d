#pragma once

#include <memory>

namespace ostrel {

// Where the launch manager takes "now" from, so that tests can set the day they want.
// Seconds since 1 January 2001.
class DateProviderAPI {
public:
    virtual ~DateProviderAPI() = default;
    virtual double currentTimeIntervalFromReferenceDate() const = 0;
};

// The running program's: the system clock (a test's virtual clock when one is installed).
class DateProvider final : public DateProviderAPI {
public:
    double currentTimeIntervalFromReferenceDate() const override;
};

// The twin for tests: answers whatever was stored.
class TestDateProvider final : public DateProviderAPI {
public:
    static std::shared_ptr<TestDateProvider> create(double now = 0) { return std::make_shared<TestDateProvider>(now); }
    explicit TestDateProvider(double now)
        : m_testCurrentTimeIntervalFromReferenceDate(now)
    {
    }

    double currentTimeIntervalFromReferenceDate() const override { return m_testCurrentTimeIntervalFromReferenceDate; }
    void setTestCurrentTimeIntervalFromReferenceDate(double now) { m_testCurrentTimeIntervalFromReferenceDate = now; }

private:
    double m_testCurrentTimeIntervalFromReferenceDate { 0 };
};

}
