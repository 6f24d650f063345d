#include "core/DynamicConfiguration.h"
#include "core/KeyCodeConverter.h"
#include "core/RTFHelper.h"

#include "platform/base/PropertyList.h"
#include "platform/text/Rtf.h"
#include "platform/text/Rtfd.h"
#include "tests/support/TemporaryHome.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace ostrel {
namespace {

const RTFHelper& helper()
{
    return RTFHelper::sharedInstance();
}

text::Attributes bold()
{
    text::Attributes attributes;
    attributes.font = gfx::Font::boldSystem(13);
    return attributes;
}

RTFHelper::Data bytes(const std::string& text)
{
    return { text.begin(), text.end() };
}

std::vector<std::u16string> strings(const std::vector<text::AttributedString>& lines)
{
    std::vector<std::u16string> result;
    for (const auto& line : lines)
        result.push_back(line.string());
    return result;
}

TEST(RTFHelper, PackageDataAndPlainRTFReadBackToTheSameText)
{
    text::AttributedString text(u"Write the report");
    text.setAttributes({ 0, 5 }, bold());
    auto data = helper().rtfdDataFromAttributedString(text);
    EXPECT_EQ(helper().attributedStringFromData(data), text);

    auto rtf = text::Rtf::write(text);
    EXPECT_EQ(helper().attributedStringFromRTFData(bytes(rtf)), text);
    // RTF data is never a package; package data also reads plain RTF, which is how an
    // objective parsed out of plain text is stored.
    EXPECT_EQ(helper().attributedStringFromRTFData(data), std::nullopt);
    EXPECT_EQ(helper().attributedStringFromData(bytes(rtf)), text);
}

TEST(RTFHelper, NoDataIsAnEmptyTextAndUnreadableDataIsNone)
{
    EXPECT_EQ(helper().attributedStringFromData(std::nullopt), text::AttributedString());
    EXPECT_EQ(helper().attributedStringFromRTFData(std::nullopt), text::AttributedString());
    EXPECT_EQ(helper().attributedStringFromData(bytes("not rich text")), std::nullopt);
    EXPECT_EQ(helper().attributedStringFromRTFData(RTFHelper::Data {}), std::nullopt);
    EXPECT_TRUE(helper().cutUpIntoAttributedStringLines(std::nullopt).empty());
    EXPECT_TRUE(helper().cutUpIntoAttributedStringLines(bytes("{\\rtf1 a}")).empty());
}

TEST(RTFHelper, ThePlainStringCarriesTheFontAndColourAsDocumentDefaults)
{
    auto font = gfx::Font::named("Helvetica", 14);
    auto colour = gfx::Color::rgb(0.2, 0.4, 0.6);
    auto data = helper().rtfdDataFrom("Pad", font, colour);
    auto document = text::Rtfd::fromData({ reinterpret_cast<const char*>(data.data()), data.size() });
    ASSERT_TRUE(document);
    EXPECT_EQ(document->text.string(), u"Pad");
    EXPECT_EQ(document->attributes.font, font);
    EXPECT_EQ(document->attributes.foreground, colour);
}

TEST(RTFHelper, FilesThatAreNoPackageGiveAnEmptyText)
{
    test::TemporaryHome home;
    auto package = home.path() / "Page 000001.rtfd";
    text::AttributedString text(u"Later");
    ASSERT_TRUE(text::Rtfd::writeFile(package, text));
    EXPECT_EQ(helper().rtfdTextObjectFromFile(package), text);
    EXPECT_EQ(helper().attributedStringFromData(helper().rtfdDataFromFile(package)), text);

    std::ofstream(home.path() / "plain.txt") << "Later";
    for (const auto& path : { home.path() / "missing.rtfd", home.path() / "plain.txt" }) {
        EXPECT_EQ(helper().rtfdTextObjectFromFile(path), text::AttributedString()) << path;
        EXPECT_EQ(helper().attributedStringFromData(helper().rtfdDataFromFile(path)), text::AttributedString());
    }
    EXPECT_EQ(helper().rtfdTextObjectFromFile(std::nullopt), text::AttributedString());
}

TEST(RTFHelper, LinesKeepTheirAttributesAndEveryNewlineEndsOne)
{
    text::AttributedString text(u"a\nbc");
    text.setAttributes({ 2, 2 }, bold());
    auto lines = helper().cutUpIntoAttributedStringLines(helper().rtfdDataFromAttributedString(text));
    ASSERT_EQ(strings(lines), (std::vector<std::u16string> { u"a", u"bc" }));
    EXPECT_EQ(lines[1].attributesAt(0), bold());
    EXPECT_EQ(lines[0].attributesAt(0), text::Attributes());

    auto crlf = helper().rtfdDataFromAttributedString(text::AttributedString(u"a\r\nb"));
    EXPECT_EQ(strings(helper().cutUpIntoAttributedStringLines(crlf)), (std::vector<std::u16string> { u"a", u"", u"b" }));
    auto trailing = helper().rtfdDataFromAttributedString(text::AttributedString(u"a\n"));
    EXPECT_EQ(strings(helper().cutUpIntoAttributedStringLines(trailing)), (std::vector<std::u16string> { u"a", u"" }));
}

TEST(KeyCodeConverter, UpperCaseNamesGiveTheirLayoutCodes)
{
    EXPECT_EQ(KeyCodeConverter::keyCodeOfString("R"), 15);
    EXPECT_EQ(KeyCodeConverter::keyCodeOfString("UP ARROW"), 126);
    EXPECT_EQ(KeyCodeConverter::keyCodeOfString("0"), 29);
    EXPECT_EQ(KeyCodeConverter::keyCodeOfString("F13"), 105);
    EXPECT_EQ(KeyCodeConverter::keyCodeOfString("DELETE"), 117);
    EXPECT_EQ(KeyCodeConverter::keyCodeOfString("INSERT"), KeyCodeConverter::keyCodeOfString("HELP"));
    for (const char* unknown : { "r", "F14", "F15", "RIGHT ARROW", "" })
        EXPECT_EQ(KeyCodeConverter::keyCodeOfString(unknown), std::nullopt) << unknown;

    EXPECT_EQ(KeyCodeConverter::usableWithoutModifiers("F5"), true);
    EXPECT_EQ(KeyCodeConverter::usableWithoutModifiers("ESCAPE"), false);
    EXPECT_EQ(KeyCodeConverter::usableWithoutModifiers("A"), false);
}

TEST(KeyCodeConverter, AnAddedNameReplacesTheEarlierEntry)
{
    KeyCodeConverter::addCharacter("PAGE UP", 116, true);
    EXPECT_EQ(KeyCodeConverter::keyCodeOfString("PAGE UP"), 116);
    KeyCodeConverter::addCharacter("PAGE UP", 121, false);
    EXPECT_EQ(KeyCodeConverter::keyCodeOfString("PAGE UP"), 121);
    EXPECT_EQ(KeyCodeConverter::usableWithoutModifiers("PAGE UP"), false);
}

struct Loader {
    virtual ~Loader() = default;
    virtual std::string kind() const = 0;
};
struct BuiltInLoader final : Loader {
    std::string kind() const override { return "built in"; }
};

// The resources of a test of its own, holding one property list.
class DynamicConfigurationTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (const char* value = std::getenv("OSTREL_RESOURCES"))
            previous = value;
        setenv("OSTREL_RESOURCES", home.path().c_str(), 1);
        base::Value::Dictionary plist { { "SoundLibraryLoader", base::Value("BuiltInLoader") },
            { "ContinuousSoundsLoader", base::Value("StreamingLoader") }, { "Number", base::Value(3) } };
        std::ofstream(home.path() / "SoundManager.plist") << base::toPropertyListXml(base::Value(plist));
        std::ofstream(home.path() / "Empty.plist") << base::toPropertyListXml(base::Value(base::Value::Dictionary {}));
        DynamicConfiguration::registerClass<Loader>("BuiltInLoader", [] { return std::make_unique<BuiltInLoader>(); });
    }
    void TearDown() override { setenv("OSTREL_RESOURCES", previous.c_str(), 1); }

    test::TemporaryHome home;
    std::string previous;
};

TEST_F(DynamicConfigurationTest, TheClassNamedUnderTheKeyIsMade)
{
    auto loader = DynamicConfiguration::newObjectForKey<Loader>("SoundLibraryLoader", "SoundManager");
    ASSERT_TRUE(loader);
    EXPECT_EQ(loader->kind(), "built in");
    EXPECT_NE(DynamicConfiguration::newObjectWithClassName<Loader>("BuiltInLoader"), loader);
}

TEST_F(DynamicConfigurationTest, AConfigurationTheProgramCannotFollowStopsIt)
{
    EXPECT_DEATH(DynamicConfiguration::newObjectForKey<Loader>("SoundLibraryLoader", "Missing"),
        "Could not find plist: Missing in bundle");
    EXPECT_DEATH(DynamicConfiguration::newObjectForKey<Loader>("SoundLibraryLoader", "Empty"), "No keys found at: .*Empty.plist");
    EXPECT_DEATH(DynamicConfiguration::newObjectForKey<Loader>("Other", "SoundManager"), "Key Other not found at: ");
    EXPECT_DEATH(DynamicConfiguration::newObjectForKey<Loader>("ContinuousSoundsLoader", "SoundManager"),
        "Could not find the class: StreamingLoader in the executable");
    // Registered for another kind of object only.
    EXPECT_DEATH(DynamicConfiguration::newObjectWithClassName<BuiltInLoader>("BuiltInLoader"),
        "Could not find the class: BuiltInLoader");
}

}
}
