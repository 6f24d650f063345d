#include "core/CommaSeparatedString.h"
#include "core/MacOSVersion.h"
#include "core/ValueTransformers.h"

#include "platform/base/MainQueue.h"
#include "platform/base/RunLoop.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace ostrel {
namespace {

TEST(CommaSeparatedString, JoinsWithCommaAndSpaceTrimmingLineBreaks)
{
    EXPECT_EQ(asCommaSeparatedString({ "work", "deep focus" }), "work, deep focus");
    EXPECT_EQ(asCommaSeparatedString({ "\r\nwork\n", "focus\u2028", " spaced " }), "work, focus,  spaced ");
    EXPECT_EQ(asCommaSeparatedString({ "\n" }), "");
    EXPECT_EQ(asCommaSeparatedString({}), "");
}

TEST(ValueTransformers, SecondsBecomeWholeMinutesAndBack)
{
    SecondsToMinutesIntegerValueTransformer integer;
    SecondsToMinutesStringToIntegerValueTransformer text;
    EXPECT_EQ(integer.transformedValue(899), base::Value(14));
    EXPECT_EQ(integer.transformedValue(-59), base::Value(0));
    EXPECT_EQ(integer.transformedValue(3600), base::Value(60));
    EXPECT_EQ(integer.transformedValue(base::Value()), base::Value(0));
    EXPECT_EQ(integer.transformedValue(899.0), base::Value(14));
    EXPECT_EQ(integer.transformedValue(899.5), base::Value(0));
    EXPECT_EQ(text.transformedValue(899), base::Value("14"));
    EXPECT_EQ(text.transformedValue(base::Value()), base::Value(""));
    EXPECT_EQ(text.transformedValue("899"), base::Value(""));
    for (const ValueTransformer* transformer : std::initializer_list<const ValueTransformer*> { &integer, &text }) {
        EXPECT_EQ(transformer->reverseTransformedValue(20), base::Value(1200));
        EXPECT_EQ(transformer->reverseTransformedValue("20"), base::Value(0));
        EXPECT_EQ(transformer->reverseTransformedValue(2.5), base::Value(0));
        // A slider's value arrives as a real; a whole number of minutes is still one.
        EXPECT_EQ(transformer->reverseTransformedValue(25.0), base::Value(1500));
        EXPECT_EQ(transformer->reverseTransformedValue(1e300), base::Value(0));
        EXPECT_EQ(transformer->reverseTransformedValue(int64_t(1) << 62), base::Value(0));
    }
}

TEST(MacOSVersion, ReleasesByMinorNumberAndTheLatestOtherwise)
{
    EXPECT_EQ(macOSVersionTypeForMinorVersion(14), MacOSVersionType::mojave);
    EXPECT_EQ(macOSVersionTypeForMinorVersion(3), MacOSVersionType::asYetUnknownLaterVersion);
    EXPECT_EQ(macOSVersionTypeFromRawValue(13), MacOSVersionType::highSierra);
    EXPECT_FALSE(macOSVersionTypeFromRawValue(8));
    EXPECT_FALSE(macOSVersionTypeFromRawValue(17));
    EXPECT_EQ(MacOSVersion::singleton().currentVersion(), MacOSVersionType::asYetUnknownLaterVersion);
    EXPECT_GT(MacOSVersion::singleton().currentVersion(), MacOSVersionType::highSierra);
    EXPECT_FALSE(MacOSXVersion::isCalvane());
}

TEST(MacOSVersion, DarkUntilTheApplicationAnswers)
{
    EXPECT_TRUE(MacOSVersion::singleton().isDarkMode());
    MacOSVersion::setAppearanceProvider([] { return false; });
    EXPECT_FALSE(MacOSXVersion::isInDarkMode());
    MacOSVersion::setAppearanceProvider(nullptr);
    EXPECT_TRUE(MacOSXVersion::isInDarkMode());
}

TEST(MacOSVersion, AnotherThreadGetsTheAnswerFromTheMainThread)
{
    auto mainThread = std::this_thread::get_id();
    std::thread::id askedOn;
    MacOSVersion::setAppearanceProvider([&] {
        askedOn = std::this_thread::get_id();
        return false;
    });
    bool dark = true;
    std::atomic<bool> finished { false };
    std::thread background([&] {
        dark = MacOSVersion::singleton().isDarkMode();
        finished = true;
        base::MainQueue::async([] { }); // wakes the main loop to see it
    });
    base::RunLoop::main().runUntil([&] { return finished.load(); });
    background.join();
    MacOSVersion::setAppearanceProvider(nullptr);
    EXPECT_FALSE(dark);
    EXPECT_EQ(askedOn, mainThread);
}

}
}
