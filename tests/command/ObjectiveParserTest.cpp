#include "command/ObjectiveParser.h"
#include "platform/base/Defaults.h"
#include "platform/text/Rtf.h"
#include "platform/text/Rtfd.h"
#include "platform/ui/Pasteboard.h"

#include <gtest/gtest.h>

#include <span>

namespace ostrel {
namespace {

struct ParseCase {
    std::u16string input;
    std::vector<std::string> tags;
    std::int64_t duration;
    std::u16string remaining;
};

std::string printable(const std::u16string& text)
{
    return std::string(text.begin(), text.end());
}

void expectParses(std::span<const ParseCase> cases)
{
    for (auto& c : cases) {
        SCOPED_TRACE(printable(c.input));
        auto result = ObjectiveParser::shared().parse(c.input);
        EXPECT_EQ(result.tags, c.tags);
        EXPECT_EQ(result.duration, c.duration);
        EXPECT_EQ(result.string, c.remaining);
    }
}

TEST(ObjectiveParser, TakesOutTagsAndTheFirstDuration)
{
    const ParseCase cases[] = {
        { u"Write the report @work @writing 45 min", { "work", "writing" }, 45, u"Write the report" },
        { u"Plan trip @travel, @family 90 minutes", { "travel", "family" }, 90, u"Plan trip" },
        { u"@a@b", { "a", "b" }, -1, u"" },
        { u"Sprint @alpha,@beta", { "alpha", "beta" }, -1, u"Sprint" },
        { u"Read 3 chapters 20m", {}, 20, u"Read 3 chapters" },
        { u"Two 10 min and 20 min", {}, 10, u"Two and 20 min" },
        { u"Line\n@home\nnext", { "home" }, -1, u"Line\nnext" },
        { u"@o'brien-x stuff", { "o'brien-x" }, -1, u" stuff" },
        { u"Caf\u00e9 @\u00fcber 5 min", { "\u00fcber" }, 5, u"Caf\u00e9" },
        { u"30 MIN", {}, -1, u"30 MIN" },
        { u"", {}, -1, u"" },
    };
    expectParses(cases);
}

TEST(ObjectiveParser, AUnitMustEndAtAWordBoundary)
{
    auto result = ObjectiveParser::shared().parse(u"Answer 25 mails");
    EXPECT_EQ(result.duration, -1);
    EXPECT_EQ(result.string, u"Answer 25 mails");

    result = ObjectiveParser::shared().parse(u"Answer 25 mails in 30 mins.");
    EXPECT_EQ(result.duration, 30);
    EXPECT_EQ(result.string, u"Answer 25 mails in.");
}

TEST(ObjectiveParser, AnAtSignInsideAWordIsNoTag)
{
    auto result = ObjectiveParser::shared().parse(u"Mail bob@example.com about @budget");
    EXPECT_EQ(result.tags, std::vector<std::string> { "budget" });
    EXPECT_EQ(result.string, u"Mail bob@example.com about");

    result = ObjectiveParser::shared().parse(u"x@y@z");
    EXPECT_TRUE(result.tags.empty()) << "the second @ follows an address, not a tag";
    EXPECT_EQ(result.string, u"x@y@z");

    // After removals the "@" of "beta" sits right after "Sprint"; it is judged where it stood.
    result = ObjectiveParser::shared().parse(u"Sprint\t@alpha @beta@gamma");
    EXPECT_EQ(result.tags, (std::vector<std::string> { "alpha", "beta", "gamma" }));
}

TEST(ObjectiveParser, ATagAfterARejectedAtIsTakenOutWhole)
{
    const ParseCase cases[] = {
        { u"Email bob, @work", { "work" }, -1, u"Email bob" },
        { u"Email bob@home, @work", { "work" }, -1, u"Email bob@home" },
        { u"Email bob@home,@work now 20 min", { "work" }, 20, u"Email bob@home now" },
        { u"a@b,\n@c, @d", { "c", "d" }, -1, u"a@b" },
    };
    expectParses(cases);
}

TEST(ObjectiveParser, TooManyDigitsAreNoDuration)
{
    auto result = ObjectiveParser::shared().parse(u"Count 99999999999999999999 min");
    EXPECT_EQ(result.duration, -1);
    EXPECT_EQ(result.string, u"Count 99999999999999999999 min");
}

TEST(ObjectiveParser, RemovalsReplayOnTheInputGiveTheSameText)
{
    std::u16string input = u"\U0001F600 Fix @bug, @ui 15 minutes today";
    auto result = ObjectiveParser::shared().parse(input);
    ASSERT_EQ(result.removals.size(), 3u);
    auto replayed = input;
    for (auto& removal : result.removals)
        replayed.erase(removal.location, removal.length);
    EXPECT_EQ(replayed, result.string);
    EXPECT_EQ(result.string, u"\U0001F600 Fix today");
    // UTF-16 units: the emoji before the first tag counts two.
    EXPECT_EQ(result.removals.front(), (ObjectiveParseResult::Removal { 6, 6 }));
}

TEST(ObjectiveParser, TakesTheSameCharactersOutOfTheRichCopy)
{
    std::u16string plain = u"\U0001F600 Fix @bug now 15 min";
    text::AttributedString rich(plain);
    text::Attributes linked;
    linked.link = "https://example.org";
    rich.setAttributes({ 3, 3 }, linked); // "Fix"
    rich.setAttributes({ 12, 3 }, linked); // "now"

    auto result = ObjectiveParser::shared().parse(plain, &rich);
    ASSERT_TRUE(result.attributedString);
    EXPECT_EQ(result.attributedString->string(), result.string);
    EXPECT_EQ(result.string, u"\U0001F600 Fix now");
    EXPECT_EQ(result.attributedString->attributesAt(3).link, "https://example.org");
    EXPECT_EQ(result.attributedString->attributesAt(7).link, "https://example.org");
    EXPECT_EQ(result.attributedString->attributesAt(6).link, "");
}

TEST(ObjectiveParser, RichTextOfAnotherTextIsLeftOut)
{
    text::AttributedString rich(u"something else entirely");
    auto result = ObjectiveParser::shared().parse(u"Fix @bug", &rich);
    EXPECT_FALSE(result.attributedString);
    EXPECT_EQ(result.string, u"Fix");
}

class ObjectiveStoring : public testing::Test {
protected:
    void parseAndStore(const std::u16string& text)
    {
        ObjectiveParser::shared().internalSet(ObjectiveParser::shared().parse(text), *defaults);
    }
    std::string storedData() const
    {
        auto data = defaults->data("objective");
        return data ? std::string(data->begin(), data->end()) : "";
    }
    // The stored objective's text, read as a package or as plain RTF.
    std::string storedObjective() const
    {
        if (auto document = text::Rtfd::fromData(storedData()))
            return document->text.utf8();
        if (auto document = text::Rtf::read(storedData()))
            return document->text.utf8();
        return "<unreadable>";
    }
    static std::string rtf(const std::u16string& text) { return text::Rtf::write(text::AttributedString(text)); }

    std::shared_ptr<base::Defaults> defaults { base::Defaults::create("") };
};

TEST_F(ObjectiveStoring, ClampsTheDurationToTheTimeScale)
{
    parseAndStore(u"Plan trip @travel, @family 90 minutes");
    EXPECT_EQ(defaults->integer("durationInSeconds"), 3600);
    EXPECT_EQ(defaults->string("tags"), "travel, family");
    EXPECT_EQ(storedObjective(), "Plan trip");

    parseAndStore(u"0 min");
    EXPECT_EQ(defaults->integer("durationInSeconds"), 120);

    defaults->set("timeSliceTimeScale", 3);
    parseAndStore(u"500 minutes");
    EXPECT_EQ(defaults->integer("durationInSeconds"), 2700);
    defaults->set("timeSliceTimeScale", 2);
    parseAndStore(u"500 minutes");
    EXPECT_EQ(defaults->integer("durationInSeconds"), 7200);
}

TEST_F(ObjectiveStoring, LeavesWhatWasNotFoundButAlwaysRewritesTheObjective)
{
    defaults->set("durationInSeconds", 600);
    defaults->set("tags", "kept");
    defaults->set("objective", base::Value::Data { 1, 2, 3 });
    parseAndStore(u"Nothing to take 30 MIN");
    EXPECT_EQ(defaults->integer("durationInSeconds"), 600);
    EXPECT_EQ(defaults->string("tags"), "kept");
    EXPECT_EQ(storedObjective(), "Nothing to take 30 MIN");
}

TEST_F(ObjectiveStoring, TheObjectiveFieldIsParsedFromItsPackage)
{
    auto package = text::Rtfd::data(text::AttributedString(u"Review @team 25 min"));
    ObjectiveParser::shared().parseObjectiveField(base::Value::Data(package.begin(), package.end()), *defaults);
    EXPECT_EQ(defaults->integer("durationInSeconds"), 1500);
    EXPECT_EQ(defaults->string("tags"), "team");
    EXPECT_TRUE(text::Rtfd::fromData(storedData())) << "rich text is stored as a package";
    EXPECT_EQ(storedObjective(), "Review");

    defaults->set("tags", "untouched");
    ObjectiveParser::shared().parseObjectiveField(base::Value::Data { 'x', 'y' }, *defaults);
    EXPECT_EQ(defaults->string("tags"), "untouched");
    EXPECT_EQ(storedObjective(), "Review");
}

TEST_F(ObjectiveStoring, AnObjectiveLeftAsPlainRtfIsParsedAgain)
{
    // A parse of plain text (the clipboard) leaves RTF, not a package, in the objective.
    ObjectiveParser::shared().parseClipboard({ PasteboardItem { std::nullopt, std::nullopt, u"Draft @one" } }, *defaults);
    ASSERT_TRUE(storedData().starts_with("{\\rtf"));
    auto left = defaults->data("objective");
    ObjectiveParser::shared().parseObjectiveField(*left, *defaults);
    EXPECT_EQ(storedObjective(), "Draft");
    EXPECT_EQ(defaults->string("tags"), "one");

    auto plain = rtf(u"Draft 40 min");
    ObjectiveParser::shared().parseObjectiveField(base::Value::Data(plain.begin(), plain.end()), *defaults);
    EXPECT_EQ(defaults->integer("durationInSeconds"), 2400);
    EXPECT_EQ(storedObjective(), "Draft");
}

TEST_F(ObjectiveStoring, ClipboardItemsAreStoredInTurn)
{
    ObjectiveParser::shared().parseClipboard({ PasteboardItem { std::nullopt, std::nullopt, u"Plain @one 10 min" } }, *defaults);
    EXPECT_FALSE(text::Rtfd::fromData(storedData())) << "plain text is stored as RTF, not as a package";
    EXPECT_TRUE(storedData().starts_with("{\\rtf"));
    EXPECT_EQ(storedObjective(), "Plain");

    ObjectiveParser::shared().parseClipboard({
        PasteboardItem { rtf(u"First @a 5 min"), std::nullopt, u"ignored when RTF is there" },
        PasteboardItem { "not rtf at all", std::nullopt, u"Skipped @b" },
        PasteboardItem { std::nullopt, text::Rtfd::data(text::AttributedString(u"Second")), std::nullopt },
    }, *defaults);
    EXPECT_EQ(defaults->string("tags"), "a") << "the unreadable RTF item is skipped, not read as its plain text";
    EXPECT_EQ(defaults->integer("durationInSeconds"), 300);
    EXPECT_EQ(storedObjective(), "Second");
}

class ClipboardReading : public ObjectiveStoring {
protected:
    ui::Pasteboard pasteboard;
};

TEST_F(ClipboardReading, AnItemOffersItsRtfRtfdAndPlainTextForms)
{
    pasteboard.setData(ui::PasteboardType::Rtfd, text::Rtfd::data(text::AttributedString(u"Package @pkg")));
    pasteboard.setData(ui::PasteboardType::Rtf, rtf(u"Rich @rich 20 min"));
    pasteboard.setString("Plain @plain");
    auto items = pasteboardItems(pasteboard);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].rtfData, rtf(u"Rich @rich 20 min"));
    EXPECT_TRUE(items[0].rtfdData);
    EXPECT_EQ(items[0].plainText, u"Plain @plain");

    ObjectiveParser::shared().parseClipboard(items, *defaults);
    EXPECT_EQ(defaults->string("tags"), "rich") << "RTF comes before the package and the plain text";
    EXPECT_EQ(defaults->integer("durationInSeconds"), 1200);
    EXPECT_TRUE(text::Rtfd::fromData(storedData()));
    EXPECT_EQ(storedObjective(), "Rich");
}

TEST_F(ClipboardReading, APackageComesBeforePlainText)
{
    pasteboard.setString("Plain @plain");
    pasteboard.setData(ui::PasteboardType::Rtfd, text::Rtfd::data(text::AttributedString(u"Package @pkg 5 min")));
    ObjectiveParser::shared().parseClipboard(pasteboardItems(pasteboard), *defaults);
    EXPECT_EQ(defaults->string("tags"), "pkg");
    EXPECT_EQ(defaults->integer("durationInSeconds"), 300);
    EXPECT_EQ(storedObjective(), "Package");
}

TEST_F(ClipboardReading, PlainTextAnotherProgramCopiedIsRead)
{
    std::string other = "Copied @else 15 min";
    pasteboard.setSystemClipboard({ [](const std::string&) {}, [&other] { return std::optional(other); } });
    auto items = pasteboardItems(pasteboard);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_FALSE(items[0].rtfData);
    EXPECT_FALSE(items[0].rtfdData);

    ObjectiveParser::shared().parseClipboard(items, *defaults);
    EXPECT_EQ(defaults->string("tags"), "else");
    EXPECT_EQ(defaults->integer("durationInSeconds"), 900);
    EXPECT_TRUE(storedData().starts_with("{\\rtf"));
    EXPECT_EQ(storedObjective(), "Copied");
}

TEST_F(ClipboardReading, MalformedPlainTextKeepsItsPlaceAsAReplacementCharacter)
{
    pasteboard.setData(ui::PasteboardType::String, "Bad \xff\xfe byte @x");
    auto items = pasteboardItems(pasteboard);
    ASSERT_EQ(items.size(), 1u);
    ObjectiveParser::shared().parseClipboard(items, *defaults);
    EXPECT_EQ(defaults->string("tags"), "x");
    EXPECT_EQ(storedObjective(), "Bad \uFFFD\uFFFD byte");
}

TEST_F(ClipboardReading, AClipboardWithoutTextChangesNothing)
{
    pasteboard.setFiles({ "/tmp/notes.txt" });
    EXPECT_TRUE(pasteboardItems(pasteboard).empty());
    defaults->set("tags", "kept");
    ObjectiveParser::shared().parseClipboard(pasteboardItems(pasteboard), *defaults);
    EXPECT_EQ(defaults->string("tags"), "kept");
    EXPECT_FALSE(defaults->data("objective"));
}

}
}
