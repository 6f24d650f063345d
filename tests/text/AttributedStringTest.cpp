#include "platform/text/AttributedString.h"
#include "platform/text/FontTraits.h"
#include "platform/text/ListLabel.h"
#include "platform/text/TextList.h"
#include "platform/text/Unicode.h"
#include "tests/text/TextPrinting.h"

#include <gtest/gtest.h>
#include <tuple>

using text::AttributedString;
using text::Attributes;
using text::Range;

namespace {

Attributes bold()
{
    Attributes a;
    a.font = gfx::Font { "Helvetica-Bold", 12 };
    return a;
}

Attributes red()
{
    Attributes a;
    a.foreground = gfx::Color::rgb(1, 0, 0);
    return a;
}

AttributedString sample()
{
    AttributedString s = AttributedString::fromUtf8("plain ");
    s.append(u"bold", bold());
    s.append(u" red", red());
    return s;
}

std::vector<std::string> utf8Lines(const AttributedString& s)
{
    std::vector<std::string> lines;
    for (const auto& line : s.splitLines())
        lines.push_back(line.utf8());
    return lines;
}

}

TEST(AttributedString, AttributesAtGiveTheWholeRun)
{
    AttributedString s = sample();
    Range range;
    EXPECT_EQ(s.attributesAt(7, &range), bold());
    EXPECT_EQ(range, (Range { 6, 4 }));
    EXPECT_EQ(s.attributesAt(13, &range), red());
    EXPECT_EQ(range, (Range { 10, 4 }));
}

TEST(AttributedString, EqualNeighboursMergeIntoOneRun)
{
    AttributedString s = sample();
    s.setAttributes({ 6, 8 }, bold());
    EXPECT_EQ(s.runs().size(), 2u);
    s.setAttributes({ 0, s.length() }, {});
    EXPECT_EQ(s.runs().size(), 1u);
    s.erase({ 0, s.length() });
    EXPECT_TRUE(s.runs().empty());
}

TEST(AttributedString, SubstringKeepsRunsInsideTheRange)
{
    AttributedString part = sample().substring({ 8, 4 });
    EXPECT_EQ(part.utf8(), "ld r");
    ASSERT_EQ(part.runs().size(), 2u);
    EXPECT_EQ(part.runs()[0], (AttributedString::Run { 2, bold() }));
    EXPECT_EQ(part.runs()[1], (AttributedString::Run { 2, red() }));
    EXPECT_EQ(sample().substring({ 10, 100 }).utf8(), " red");
}

TEST(AttributedString, ReplaceWithRichTextKeepsItsFormatting)
{
    AttributedString s = sample();
    s.replace({ 6, 4 }, AttributedString(u"RED", red()));
    EXPECT_EQ(s.utf8(), "plain RED red");
    EXPECT_EQ(s.runs().size(), 2u);
    s.insert(0, AttributedString(u">", bold()));
    EXPECT_EQ(s.utf8(), ">plain RED red");
    EXPECT_EQ(s.attributesAt(0), bold());
}

TEST(AttributedString, PlainReplacementTakesTheFormattingOfWhatItReplaces)
{
    AttributedString s = sample();
    size_t at = s.find(u"bold");
    s.replace({ at, 4 }, u"strong");
    EXPECT_EQ(s.utf8(), "plain strong red");
    EXPECT_EQ(s.attributesAt(at + 5), bold());
    s.replace({ s.length(), 0 }, u"!");
    EXPECT_EQ(s.attributesAt(s.length() - 1), red());
    // Text put in between takes on what comes before it, as typing does.
    size_t boundary = s.find(u" red");
    s.replace({ boundary, 0 }, u"er");
    EXPECT_EQ(s.utf8(), "plain stronger red!");
    EXPECT_EQ(s.attributesAt(boundary + 1), bold());
    s.replace({ 0, 6 }, u"");
    EXPECT_EQ(s.utf8(), "stronger red!");
}

TEST(AttributedString, RangesPastTheEndAreClamped)
{
    AttributedString s = sample();
    s.replace({ 100, 5 }, u"x");
    EXPECT_EQ(s.utf8(), "plain bold redx");
    s.updateAttributes({ 12, 100 }, [](Attributes& a) { a.underline = 1; });
    EXPECT_EQ(s.attributesAt(14).underline, 1);
    EXPECT_EQ(s.attributesAt(11).underline, 0);
}

TEST(AttributedString, LinesSplitAtEveryNewlineCharacter)
{
    EXPECT_EQ(utf8Lines(AttributedString(u"a\r\nb")), (std::vector<std::string> { "a", "", "b" }));
    EXPECT_EQ(utf8Lines(AttributedString(u"a\n")), (std::vector<std::string> { "a", "" }));
    EXPECT_EQ(utf8Lines(AttributedString(u"1\u000B2\u000C3\u00854\u20285\u20296")),
        (std::vector<std::string> { "1", "2", "3", "4", "5", "6" }));
    EXPECT_EQ(utf8Lines(AttributedString()), (std::vector<std::string> { "" }));
}

TEST(AttributedString, LinesKeepTheirFormatting)
{
    AttributedString s = AttributedString::fromUtf8("#objective\n");
    s.append(u"Write", bold());
    s.append(u" tests\n#tags", red());
    auto lines = s.splitLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].utf8(), "Write tests");
    EXPECT_EQ(lines[1].attributesAt(0), bold());
    EXPECT_EQ(lines[1].attributesAt(6), red());
    EXPECT_EQ(lines[2].attributesAt(0), red());
}

TEST(Unicode, Utf8RoundTripsAstralCharacters)
{
    std::string utf8 = "caf\xC3\xA9 \xE2\x80\x94 \xF0\x9F\x98\x80";
    std::u16string utf16 = text::toUtf16(utf8);
    EXPECT_EQ(utf16, u"café — 😀");
    EXPECT_EQ(utf16.size(), 9u);
    EXPECT_EQ(text::toUtf8(utf16), utf8);
}

TEST(Unicode, MalformedInputBecomesReplacementCharacters)
{
    EXPECT_EQ(text::toUtf16("a\xFF" "b"), u"a\uFFFDb");
    EXPECT_EQ(text::toUtf16("\xE2\x80"), u"\uFFFD");
    EXPECT_EQ(text::toUtf16("\xC0\xAF"), u"\uFFFD");
    EXPECT_EQ(text::toUtf16("\xED\xA0\x80"), u"\uFFFD");
    EXPECT_EQ(text::toUtf8(u"x\xD800y"), "x\xEF\xBF\xBDy");
}

TEST(FontTraits, BoldAndItalicFollowTheFamilysNaming)
{
    using text::FontTraits;
    EXPECT_EQ(FontTraits::withTraits("Helvetica", true, false), "Helvetica-Bold");
    EXPECT_EQ(FontTraits::withTraits("Helvetica", true, true), "Helvetica-BoldOblique");
    EXPECT_EQ(FontTraits::withTraits("Helvetica-BoldOblique", false, true), "Helvetica-Oblique");
    EXPECT_EQ(FontTraits::withTraits("Times-Roman", false, true), "Times-Italic");
    EXPECT_EQ(FontTraits::withTraits("Times-Bold", false, false), "Times-Roman");
    EXPECT_EQ(FontTraits::withTraits("Futura-Medium", true, false), "Futura-Bold");
    EXPECT_EQ(FontTraits::withTraits("Menlo-Regular", false, true), "Menlo-Italic");
    EXPECT_EQ(FontTraits::withTraits("Arial-BoldMT", true, false), "Arial-BoldMT");
    EXPECT_TRUE(FontTraits::isItalic("Courier-Oblique"));
    EXPECT_FALSE(FontTraits::isBold("Futura-Medium"));
}

TEST(FontTraits, TheSystemFontIsBoldByWeight)
{
    using text::FontTraits;
    gfx::Font system = gfx::Font::system(13);
    gfx::Font bold = FontTraits::withTraits(system, true, true);
    EXPECT_EQ(bold, gfx::Font::boldSystem(13));
    EXPECT_TRUE(FontTraits::isBold(bold));
    EXPECT_FALSE(FontTraits::isItalic(bold));
    EXPECT_EQ(FontTraits::withTraits(bold, false, false), system);
    gfx::Font medium = gfx::Font::system(13, gfx::FontWeight::medium);
    EXPECT_EQ(FontTraits::withTraits(medium, false, false), medium);
}

TEST(TextList, MarkersFollowTheFormat)
{
    using text::TextList;
    EXPECT_EQ(TextList::marker("{disc}", 1), u"\u2022");
    EXPECT_EQ(TextList::marker("({decimal})", 1), u"(1)");
    EXPECT_EQ(TextList::marker("({decimal})", 12), u"(12)");
    EXPECT_EQ(TextList::marker("\u27A4", 4), u"\u27A4");
    EXPECT_EQ(TextList::marker("{upper-roman}.", 14), u"XIV.");
    EXPECT_EQ(TextList::marker("{lower-alpha})", 28), u"ab)");
    EXPECT_EQ(TextList::marker("{unknown}{decimal", 0), u"{decimal");
}

TEST(TextList, EveryMarkerReadsBackAsItsItemAndNothingElseDoes)
{
    using text::TextList;
    for (const char* format : { "({decimal})", "{upper-roman}.", "{lower-roman}", "{lower-alpha})", "{upper-latin}", "{decimal}.{decimal}" }) {
        for (int n = 1; n <= 3999; ++n)
            ASSERT_EQ(TextList::itemNumber(format, TextList::marker(format, n)), n) << format;
    }
    // A bullet is every item's marker.
    EXPECT_EQ(TextList::itemNumber("{disc}", u"\u2022"), 1);
    EXPECT_EQ(TextList::itemNumber("\u27A4", u"\u27A4"), 1);
    for (auto [format, text] : std::initializer_list<std::pair<const char*, std::u16string_view>> {
             { "({decimal})", u"(01)" }, { "({decimal})", u"(1" }, { "({decimal})", u"1)" }, { "({decimal})", u"(4000)" },
             { "{lower-roman}", u"iiii" }, { "{lower-roman}", u"I" }, { "{lower-alpha})", u"zzzz)" }, { "{disc}", u"-" },
             { "{decimal}", u"" }, { "{decimal}.{decimal}", u"1.2" } })
        EXPECT_FALSE(TextList::itemNumber(format, text)) << format << ' ' << text::toUtf8(text);
    EXPECT_EQ(TextList::pieces("({decimal}) {disc}"),
        (std::vector<TextList::Piece> { { u"(", "" }, { u"", "decimal" }, { u") \u2022", "" } }));
}

TEST(ListLabel, LabelsInEveryFormAreFoundAndTextThatIsNoMarkerIsNot)
{
    using text::ListLabel;
    const std::tuple<const char*, std::u16string_view, size_t> cases[] = {
        { "{disc}", u"\t\u2022\tx", 3 },
        { "{disc}", u" \u2022\tx", 3 },
        { "{decimal}.", u"12.\tx", 4 },
        { "{decimal}", u" 1. \tx", 5 },
        { "{decimal}.", u"\t04000.\tx", 8 },
        { "({lower-alpha})", u"\u00A0(b)\tx", 5 },
        { "{lower-roman})", u"\t2.iv)\tx", 7 },
        { "{disc}", u"\u00B7\tx", 2 },
        { "{disc}", u"\uF0B7\tx", 2 },
        { "{square}", u"\U0001F539\tx", 3 },
        { "o", u"o\tx", 2 },
        { "Step {decimal}:", u"\tStep 3:\tx", 9 },
        { "({decimal})", u"\tfoo\tbar", 0 },
        { "({decimal})", u"\t(x)\tbaz", 0 },
        { "{disc}", u"1.\tx", 0 },
        { "{disc}", u"a\tx", 0 },
        { "{decimal}", u"e.g.\tx", 0 },
        { "{decimal}", u"1..2\tx", 0 },
        { "{disc}", u"\u2022 x", 0 },
        { "{disc}", u"\u2022\n\tx", 0 },
        { "{disc}", u"\t\t", 0 },
        { "{decimal}", u"\t123456789012345678901234567890123\tx", 0 },
    };
    for (const auto& [format, paragraph, length] : cases)
        EXPECT_EQ(ListLabel::length(paragraph, format), length) << format << " in " << text::toUtf8(paragraph);
    EXPECT_EQ(ListLabel::marker(u" \t1.\u00A0\t"), u"1.");
    EXPECT_EQ(ListLabel::marker(u" \t "), u"");
}
