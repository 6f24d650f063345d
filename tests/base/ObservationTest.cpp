#include "platform/base/KeyedProperties.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {
// A screen-like object: transition targets readable by name, and a title of its own.
class Screen : public base::KeyedProperties {
public:
    explicit Screen(std::string name)
        : m_name(std::move(name))
    {
        exposeMember("next", m_next);
        exposeMember("durationInSeconds", m_duration);
        exposeProperty("name", [this] { return std::any(m_name); });
    }
    void setDuration(int seconds)
    {
        m_duration = seconds;
        didChange("durationInSeconds");
    }
    int duration() const { return m_duration; }

private:
    std::string m_name;
    std::shared_ptr<Screen> m_next;
    int m_duration { 1500 };
};
}

TEST(KeyedProperties, TransitionTargetIsReadAndWrittenByName)
{
    Screen define("define");
    auto running = std::make_shared<Screen>("running");
    EXPECT_EQ(define.valueAs<std::shared_ptr<Screen>>("next"), nullptr);
    define.setValue("next", running);
    EXPECT_EQ(define.valueAs<std::shared_ptr<Screen>>("next"), running);
    EXPECT_EQ(define.valueAs<std::string>("name"), "define");
    EXPECT_TRUE(define.hasProperty("next"));
    EXPECT_FALSE(define.hasProperty("elapsed"));
    EXPECT_EQ(define.propertyNames(), (std::vector<std::string> { "durationInSeconds", "name", "next" }));
}

TEST(KeyedProperties, ObserversHearEveryChangeInOrderUntilRemoved)
{
    Screen screen("running");
    std::vector<std::string> heard;
    auto first = screen.addObserver("durationInSeconds", [&](base::Observable& object, const std::string& key) {
        heard.push_back("first " + key + " " + std::to_string(static_cast<Screen&>(object).duration()));
    });
    screen.addObserver("durationInSeconds", [&](base::Observable&, const std::string&) { heard.push_back("second"); });
    screen.addObserver("next", [&](base::Observable&, const std::string&) { heard.push_back("next"); });

    screen.setDuration(600);
    screen.setValue("durationInSeconds", 600); // the same value is still a change reported
    EXPECT_EQ(heard, (std::vector<std::string> { "first durationInSeconds 600", "second",
                         "first durationInSeconds 600", "second" }));

    heard.clear();
    screen.removeObserver(first);
    screen.removeObserver(first);
    screen.setDuration(300);
    EXPECT_EQ(heard, (std::vector<std::string> { "second" }));
    EXPECT_EQ(screen.observerCount("durationInSeconds"), 1u);
}

TEST(KeyedProperties, ObserverMayRemoveAnotherWhileBeingTold)
{
    Screen screen("rate");
    std::vector<std::string> heard;
    base::ObservationToken second;
    screen.addObserver("durationInSeconds", [&](base::Observable& object, const std::string&) {
        heard.push_back("first");
        object.removeObserver(second);
        object.addObserver("durationInSeconds", [&](base::Observable&, const std::string&) { heard.push_back("late"); });
    });
    second = screen.addObserver("durationInSeconds", [&](base::Observable&, const std::string&) { heard.push_back("second"); });
    screen.setDuration(60);
    EXPECT_EQ(heard, (std::vector<std::string> { "first" }));
}

TEST(KeyedPropertiesDeathTest, UnknownNamesAndWrongTypesAreProgrammingErrors)
{
    Screen screen("pause");
    EXPECT_DEATH(screen.value("elapsed"), "no property named 'elapsed'");
    EXPECT_DEATH(screen.setValue("durationInSeconds", std::string("ten")), "'durationInSeconds' is a");
    EXPECT_DEATH(screen.valueAs<double>("durationInSeconds"), "'durationInSeconds' is a");
    EXPECT_DEATH(screen.setValue("name", std::string("other")), "'name' is read-only");
}
