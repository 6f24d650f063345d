#include "core/KeyCombo.h"
#include "core/Variables.h"

#include "platform/gfx/Archive.h"
#include "tests/support/TemporaryHome.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace ostrel {
namespace {

std::shared_ptr<base::Defaults> freshStore()
{
    return base::Defaults::create({});
}

template<typename T>
struct Heard {
    std::vector<std::string> calls;
    typename ReadOnlyVariableType<T>::Listener as(std::string name)
    {
        return [this, name](const T& value) {
            std::ostringstream text;
            text << name << "=" << value;
            calls.push_back(text.str());
        };
    }
};

TEST(StraightVariable, HotHearsAtOnceColdOnlyLaterAndEqualWritesNotify)
{
    auto variable = StraightVariable<int64_t>::create(4);
    Heard<int64_t> heard;
    auto hot = variable->addHotListener(heard.as("hot"));
    auto cold = variable->addColdListener(heard.as("cold"));
    EXPECT_EQ(heard.calls, std::vector<std::string> { "hot=4" });
    variable->setValue(4);
    variable->setValue(5);
    EXPECT_EQ(heard.calls, (std::vector<std::string> { "hot=4", "hot=4", "cold=4", "hot=5", "cold=5" }));
}

TEST(StraightVariable, DroppedTokenOrBagEndsTheListener)
{
    auto variable = StraightVariable<int64_t>::create(0);
    Heard<int64_t> heard;
    auto kept = variable->addColdListener(heard.as("kept"));
    {
        EndOfLifeBag ownerBag;
        ownerBag.add(variable->addColdListener(heard.as("owned")));
        variable->setValue(1);
    }
    auto token = variable->addColdListener(heard.as("token"));
    token.reset();
    variable->setValue(2);
    EXPECT_EQ(heard.calls, (std::vector<std::string> { "kept=1", "owned=1", "kept=2" }));
}

TEST(StraightVariable, ListenerDroppingAnotherDuringNotificationIsSafe)
{
    auto variable = StraightVariable<int64_t>::create(0);
    Heard<int64_t> heard;
    ListenerToken second;
    auto first = variable->addColdListener([&](const int64_t&) { second.reset(); });
    second = variable->addColdListener(heard.as("second"));
    variable->setValue(1);
    EXPECT_TRUE(heard.calls.empty());
}

TEST(UserDefaultsVariable, RegistersItsDefaultAndKeepsNoCopy)
{
    auto store = freshStore();
    auto variable = UserDefaultsVariable<int64_t>::create(store, "focusRating", 1);
    auto twin = UserDefaultsVariable<int64_t>::create(store, "focusRating", 1);
    EXPECT_TRUE(store->isRegistered("focusRating"));
    EXPECT_FALSE(store->hasStoredValue("focusRating"));
    EXPECT_EQ(variable->value(), 1);
    twin->setValue(3);
    EXPECT_EQ(variable->value(), 3);
    EXPECT_EQ(store->integer("focusRating"), 3);
}

TEST(UserDefaultsVariable, HearsEveryWriteOfItsKeyWhoeverMadeIt)
{
    auto store = freshStore();
    auto variable = UserDefaultsVariable<bool>::create(store, "completed", false);
    Heard<bool> heard;
    auto hot = variable->addHotListener(heard.as("first"));
    AnyReadWriteVariable<bool> erased(variable);
    auto cold = erased.addColdListener(heard.as("second"));
    store->set("completed", true); // a binding or older code writing the key
    variable->setValue(true);      // an equal value still counts as a write
    erased.setValue(false);
    EXPECT_EQ(heard.calls,
        (std::vector<std::string> { "first=0", "first=1", "second=1", "first=1", "second=1", "first=0", "second=0" }));
}

TEST(UserDefaultsVariable, StoredValueOfTheWrongKindReadsAsTheDefault)
{
    auto store = freshStore();
    auto variable = UserDefaultsVariable<int64_t>::create(store, "durationInSeconds", 900);
    store->set("durationInSeconds", base::Value::Array {});
    EXPECT_EQ(variable->value(), 900);
    // Numeric text is no number either: as it is read, so the program counts it.
    store->set("durationInSeconds", "1200");
    EXPECT_EQ(variable->value(), 900);
    store->set("durationInSeconds", 1200);
    EXPECT_EQ(variable->value(), 1200);
}

enum class Shade { light = 0, dark = 1 };
}

template<>
struct RawValueTraits<Shade> {
    static int64_t rawValue(Shade shade) { return static_cast<int64_t>(shade); }
    static std::optional<Shade> fromRawValue(int64_t raw)
    {
        if (raw == 0 || raw == 1)
            return static_cast<Shade>(raw);
        return std::nullopt;
    }
};

namespace {

TEST(RawRepresentableUserDefaultsVariable, StoresRawValuesAndReadsUnknownOnesAsTheDefault)
{
    auto store = freshStore();
    auto variable = RawRepresentableUserDefaultsVariable<Shade>::create(store, "shade", Shade::dark);
    EXPECT_EQ(store->integer("shade"), 1);
    variable->setValue(Shade::light);
    EXPECT_EQ(store->object("shade"), base::Value(0));
    store->set("shade", 7);
    EXPECT_EQ(variable->value(), Shade::dark);
}

TEST(RawRepresentableStraightVariable, RawValuesNamingACaseAreWrittenOthersChangeNothing)
{
    auto variable = RawRepresentableStraightVariable<Shade>::create(Shade::dark);
    std::vector<Shade> heard;
    auto token = variable->addColdListener([&](const Shade& shade) { heard.push_back(shade); });
    EXPECT_EQ(variable->rawValue(), 1);
    variable->setRawValue(0);
    EXPECT_EQ(variable->value(), Shade::light);
    variable->setRawValue(7);
    variable->setRawValue(-1);
    EXPECT_EQ(variable->rawValue(), 0);
    EXPECT_EQ(heard, std::vector<Shade> { Shade::light }) << "a raw value of no case told the listeners";
}

TEST(UserDefaultsVariable, AGivenConverterReadsWhatIsStored)
{
    auto store = freshStore();
    // A stored number of minutes read as seconds; what is no count of minutes reads as the
    // nil value.
    auto variable = UserDefaultsVariable<int64_t>::create(store, "minutes", 0, -1, [](const base::Value& stored) {
        auto minutes = stored.toInteger();
        return minutes && *minutes >= 0 ? std::optional<int64_t>(*minutes * 60) : std::nullopt;
    });
    EXPECT_EQ(variable->value(), 0);
    store->set("minutes", 3);
    EXPECT_EQ(variable->value(), 180);
    store->set("minutes", -5);
    EXPECT_EQ(variable->value(), -1);
}

TEST(UserDefaultsVariable, PlainWritesReachTheFileAtOnceRawAndJSONWritesWait)
{
    test::TemporaryHome home;
    auto file = home.configHome() / "Ostrel" / "defaults.json";
    auto store = base::Defaults::create(file);
    std::vector<std::function<void()>> laterWrites; // the run loop's coalesced writes, never run here
    store->setWriteScheduler([&](std::function<void()> write) { laterWrites.push_back(std::move(write)); });
    auto onFile = [&](const std::string& key) {
        std::ifstream written(file);
        std::stringstream text;
        text << written.rdbuf();
        return text.str().find(key) != std::string::npos;
    };
    auto shade = RawRepresentableUserDefaultsVariable<Shade>::create(store, "shade", Shade::dark);
    shade->setValue(Shade::light);
    auto combo = CodableUserDefaultsVariable<std::optional<KeyCombo>>::create(
        store, "startTimeSlice", std::nullopt, std::optional<KeyCombo> {});
    combo->setValue(KeyCombo(1, 2304));
    EXPECT_FALSE(onFile("shade"));
    EXPECT_FALSE(onFile("startTimeSlice"));
    auto completed = UserDefaultsVariable<bool>::create(store, "completed", false);
    completed->setValue(true);
    EXPECT_TRUE(onFile("completed"));
}

TEST(CodableUserDefaultsVariable, KeyCombosAsJSONTextWithBadTextReadingAsNone)
{
    auto store = freshStore();
    using Combo = std::optional<KeyCombo>;
    auto variable = CodableUserDefaultsVariable<Combo>::create(store, "showCommandPopOver", KeyCombo(15, 4096), Combo {});
    EXPECT_EQ(store->string("showCommandPopOver"), R"({"carbonKeyCode":15,"carbonModifiers":4096})");
    EXPECT_EQ(variable->value(), KeyCombo(15, 4096));

    std::vector<Combo> heard;
    auto token = variable->addColdListener([&](const Combo& combo) { heard.push_back(combo); });
    store->set("showCommandPopOver", "{not json");
    EXPECT_EQ(variable->value(), Combo {});
    store->set("showCommandPopOver", 42);
    EXPECT_EQ(variable->value(), Combo {});
    variable->setValue(Combo {});
    EXPECT_EQ(store->string("showCommandPopOver"), "null");
    EXPECT_EQ(heard, (std::vector<Combo>(3, Combo {})));
}

TEST(NillableCodableUserDefaultsVariable, WhatIsNoCombinationReadsAsNoneNotAsTheDefault)
{
    auto store = freshStore();
    using Combo = std::optional<KeyCombo>;
    auto none = NillableCodableUserDefaultsVariable<KeyCombo>::create(store, "startTimeSlice", std::nullopt);
    EXPECT_EQ(store->string("startTimeSlice"), "null");
    EXPECT_EQ(none->value(), Combo {});

    auto variable = NillableCodableUserDefaultsVariable<KeyCombo>::create(store, "focusNowPadKeyCombo", KeyCombo(45, 2304));
    EXPECT_EQ(variable->value(), KeyCombo(45, 2304));
    std::vector<Combo> heard;
    auto token = variable->addColdListener([&](const Combo& combo) { heard.push_back(combo); });
    for (auto stored : { base::Value("{not json"), base::Value(42), base::Value(R"({"carbonKeyCode":-1})") }) {
        store->set("focusNowPadKeyCombo", stored);
        EXPECT_EQ(variable->value(), Combo {}) << "read as the registered combination";
    }
    variable->setValue(KeyCombo(37, 2304));
    EXPECT_EQ(store->string("focusNowPadKeyCombo"), R"({"carbonKeyCode":37,"carbonModifiers":2304})");
    variable->setValue(std::nullopt);
    EXPECT_EQ(store->string("focusNowPadKeyCombo"), "null");
    EXPECT_EQ(heard, (std::vector<Combo> { Combo {}, Combo {}, Combo {}, KeyCombo(37, 2304), Combo {} }));
}

TEST(ColorReadWriteDefaultVariable, KeepsTheArchiveUnderItsKeyAndFollowsEveryWriter)
{
    auto store = freshStore();
    auto red = gfx::Color::rgb(1, 0, 0);
    auto variable = ColorReadWriteDefaultVariable::create(store, "notificationColor", red);
    EXPECT_EQ(store->registeredObject("notificationColor"), base::Value(gfx::archiveColor(red)));
    std::vector<gfx::Color> heard;
    auto hot = variable->addHotListener([&](const gfx::Color& color) { heard.push_back(color); });

    auto blue = gfx::Color::rgb(0, 0, 1);
    variable->setValue(blue);
    EXPECT_EQ(store->string("notificationColor"), gfx::archiveColor(blue));
    auto grey = gfx::Color::white(0.5);
    store->set("notificationColor", gfx::archiveColor(grey)); // a colour well bound to the key
    EXPECT_EQ(variable->value(), grey);
    // Damaged by hand: the initial colour, never a failure.
    store->set("notificationColor", "{\"color\":\"red\"}");
    EXPECT_EQ(variable->value(), red);
    EXPECT_EQ(heard, (std::vector<gfx::Color> { red, blue, grey, red }));
}

TEST(CombinedVariable, WorksItsValueOutAgainWhenEitherPartChanges)
{
    auto duration = StraightVariable<int64_t>::create(1500);
    auto extension = StraightVariable<int64_t>::create(0);
    auto planned = CombinedVariable<int64_t, decltype(duration), decltype(extension)>::create(
        duration, extension, [](const auto& first, const auto& second) { return first->value() + second->value(); });
    Heard<int64_t> heard;
    auto hot = planned->addHotListener(heard.as("hot"));
    auto cold = planned->addColdListener(heard.as("cold"));
    extension->setValue(300);
    duration->setValue(600);
    EXPECT_EQ(planned->value(), 900);
    EXPECT_EQ(heard.calls, (std::vector<std::string> { "hot=1500", "hot=1800", "cold=1800", "hot=900", "cold=900" }));

    // Gone, it hears its parts no more, and they go on without it.
    planned.reset();
    duration->setValue(60);
    EXPECT_EQ(heard.calls.size(), 5u);
}

}
}
