#include "platform/text/Rtf.h"
#include "platform/text/RtfNumbering.h"
#include "platform/text/Unicode.h"
#include "tests/text/RtfTesting.h"
#include "tests/text/TextPrinting.h"

#include <gtest/gtest.h>

using text::AttributedString;
using text::Attributes;
using text::Rtf;

using text::test::font;
using text::test::read;
using text::test::roundTrip;
using text::test::with;

namespace {

Attributes listed(Attributes a, std::vector<std::string> lists, text::Alignment alignment = text::Alignment::Natural)
{
    a.paragraph.textLists = std::move(lists);
    a.paragraph.alignment = alignment;
    return a;
}

Attributes paragraph(std::vector<std::string> lists, text::Alignment alignment = text::Alignment::Natural)
{
    return listed({}, std::move(lists), alignment);
}

AttributedString pieces(std::initializer_list<std::pair<std::u16string, Attributes>> runs)
{
    AttributedString s;
    for (const auto& [characters, attributes] : runs)
        s.append(characters, attributes);
    return s;
}

// The text of what this program writes as list-aware programs show it: they pass over
// \listtext, which holds the label for others, and draw the list's own.
AttributedString shownByListAwarePrograms(std::string rtf)
{
    for (size_t at; (at = rtf.find("{\\listtext")) != std::string::npos;)
        rtf.erase(at, rtf.find('}', at) + 1 - at);
    return read(rtf);
}

// Each line of a text, with the marker formats of its paragraph.
std::vector<std::pair<std::u16string, std::vector<std::string>>> listLines(const AttributedString& s)
{
    std::vector<std::pair<std::u16string, std::vector<std::string>>> lines;
    for (const auto& line : s.splitLines()) {
        if (!line.empty())
            lines.emplace_back(line.string(), line.attributesAt(0).paragraph.textLists);
    }
    return lines;
}

// What other programs need to see in what this program writes, and what must not be there.
struct Written {
    const char* construct;
    AttributedString text;
    std::vector<std::string> present;
    std::vector<std::string> absent;
};

// What other programs write, and what it must read as: the text, and the attributes found
// at the first character of each piece named.
struct Foreign {
    const char* shape;
    const char* rtf;
    std::u16string text;
    std::vector<std::pair<std::u16string, Attributes>> attributes;
};

}

TEST(RtfInterchange, ConstructsAreWrittenAsOtherProgramsReadThemAndReadBackExactly)
{
    const Attributes helvetica = font("Helvetica");
    const Attributes link = with(helvetica, [](Attributes& a) { a.link = "https://example.org/"; a.underline = 1; });
    const Written cases[] = {
        { "a bulleted list: a well-formed level text, and the marker as the item's label",
            AttributedString(u"\t\u2022\tOne\n\t\u2022\tTwo\n", listed(helvetica, { "{disc}" })),
            { "\\levelnfc23", "{\\leveltext\\'01\\u8226;}{\\levelnumbers;}", "{\\listtext\\tab\\u8226\\tab}One\\par",
                "{\\listtext\\tab\\u8226\\tab}Two\\par" },
            { "{\\leveltext;}", "\\tab\\u8226\\tab One" } },
        { "a numbered list nested in a bulleted one: the number's place is marked for its level",
            pieces({ { u"\t\u2022\tTop\n", listed(helvetica, { "{disc}" }) }, { u"\t(1)\tSub\n", listed(helvetica, { "{disc}", "({decimal})" }) } }),
            { "\\levelnfc0", "{\\leveltext\\'03(\\'01);}{\\levelnumbers\\'02;}", "\\ls2\\ilvl1{\\listtext\\tab (1)\\tab}Sub" },
            {} },
        { "a roman list", AttributedString(u"\tIV.\tFour", listed(helvetica, { "{upper-roman}." })),
            { "\\levelnfc1", "{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}", "{\\listtext\\tab IV.\\tab}Four" }, {} },
        { "a semicolon in a marker does not end the level text early",
            AttributedString(u"\t1;\tx", listed(helvetica, { "{decimal};" })), { "{\\leveltext\\'02\\'00\\u59;}" }, {} },
        { "a marker after a line break within a list item is text, not a second label",
            AttributedString(u"\t\u2022\tFirst\u2028&\tSecond\u2028\t\u2022\tThird\n", listed(helvetica, { "{disc}" })),
            { "{\\listtext\\tab\\u8226\\tab}First\\line &\\tab Second\\line\\tab\\u8226\\tab Third\\par" },
            { "\\line{\\listtext" } },
        { "text in a list that its format could not have made is no label",
            AttributedString(u"\tfoo\tbar\n\t(x)\tbaz", listed(helvetica, { "({decimal})" })), {}, { "listtext" } },
        { "bold Hebrew: the associated properties beside the ordinary ones",
            pieces({ { u"Hebrew ", helvetica }, { u"\u05E9\u05DC\u05D5\u05DD", font("Helvetica-Bold", 16) } }),
            { "\\rtlch\\ab\\afs32\\ltrch\\f1\\fs32\\b\\u1513" }, {} },
        { "italic Arabic", AttributedString(u"\u0627\u0644", font("Times-Italic")), { "\\rtlch\\ai\\afs24\\ltrch" }, {} },
        { "bold italic Devanagari, then Latin text in step again",
            pieces({ { u"\u0915\u093F", font("Helvetica-BoldOblique", 14) }, { u" plain", helvetica } }),
            { "\\rtlch\\ab\\ai\\afs28\\ltrch", "\\rtlch\\ab0\\ai0\\afs24\\ltrch" }, {} },
        { "Latin and East Asian text: the associated words beside every change of the ordinary ones",
            pieces({ { u"bold ", font("Helvetica-Bold") }, { u"\u4E2D\u6587", font("Helvetica-Oblique", 14) } }),
            { "\\rtlch\\ab\\afs24\\ltrch\\f1\\fs24\\b bold ", "\\rtlch\\ab0\\ai\\afs28\\ltrch\\f2\\fs28\\b0\\i\\u20013" },
            { "\\dbch" } },
        { "a neutral character after right-to-left text without a font of its own",
            pieces({ { u"\u05E9\u05DC", {} }, { u"\u2013", font("Helvetica-Bold") } }), { "\\rtlch\\ab\\afs24\\ltrch\\f1\\fs24\\b\\u8211" },
            {} },
        { "a paragraph that starts with a link has its properties before the field",
            pieces({ { u"first\n", helvetica }, { u"A link", with(link, [](Attributes& a) { a.paragraph.alignment = text::Alignment::Center; }) },
                { u" centred\n", with(helvetica, [](Attributes& a) { a.paragraph.alignment = text::Alignment::Center; }) } }),
            { "\\pard\\qc{\\field" }, { "\\fldrslt\\pard" } },
        { "a list item that starts with a link",
            pieces({ { u"\t\u2022\t", listed(helvetica, { "{disc}" }) }, { u"linked", listed(link, { "{disc}" }) } }),
            { "\\pard\\ls1\\ilvl0", "{\\listtext\\tab\\u8226\\tab}{\\field" }, { "\\fldrslt\\pard" } },
        { "every newline breaks the line as it means",
            AttributedString(u"a\rb\vc\fd\x85" u"e\u2028f\u2029g\nh"),
            { "a\\ostrelbreak13\\par", "b\\ostrelbreak11\\line c", "c\\page", "d\\ostrelbreak133\\par", "e\\line f",
                "f\\ostrelbreak8233\\par", "g\\par" },
            { "\\u13", "\\u11", "\\u12", "\\u133", "\\u8232", "\\u8233" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.construct);
        std::string rtf = Rtf::write(c.text);
        for (const auto& words : c.present)
            EXPECT_NE(rtf.find(words), std::string::npos) << words << " in\n" << rtf;
        for (const auto& words : c.absent)
            EXPECT_EQ(rtf.find(words), std::string::npos) << words << " in\n" << rtf;
        EXPECT_EQ(roundTrip(c.text), c.text) << rtf;
    }
}

TEST(RtfInterchange, TheDefaultFontIsThePlainFaceOfTheDocumentsFont)
{
    const std::pair<std::optional<gfx::Font>, std::string> cases[] = {
        { std::nullopt, "Helvetica" },
        { gfx::Font { "Times-BoldItalic", 14 }, "Times-Roman" },
        { gfx::Font { "Futura-MediumItalic", 14 }, "Futura-Medium" },
        { gfx::Font { "Helvetica", 14 }, "Helvetica" },
    };
    // The first font met is a slanted one.
    AttributedString s = pieces({ { u"slanted ", font("Helvetica-Oblique") }, { u"bold", font("Helvetica-Bold") } });
    for (const auto& [documentFont, plain] : cases) {
        text::DocumentAttributes attributes;
        attributes.font = documentFont;
        std::string rtf = Rtf::write(s, attributes);
        EXPECT_NE(rtf.find("\\deff0{\\fonttbl\\f0\\fnil\\fcharset0 " + plain + ";"), std::string::npos) << rtf;
        auto document = Rtf::read(rtf);
        ASSERT_TRUE(document);
        EXPECT_EQ(document->text, s);
        EXPECT_EQ(document->attributes, attributes);
    }
    EXPECT_EQ(Rtf::write(AttributedString(u"no fonts at all")).find("fonttbl"), std::string::npos);
}

TEST(RtfInterchange, ShapesOtherProgramsWriteReadAsTheyMeantThem)
{
    const Attributes none;
    const Foreign cases[] = {
        { "bold Hebrew in a right-to-left run: the associated properties, spaces included",
            R"({\rtf1\ansi\deff0{\fonttbl{\f0\froman\fcharset0 DejaVu Serif;}{\f1\fswiss\fcharset0 Helvetica;}}
\pard\plain \rtlch\af0\afs24 \ltrch\hich\af0\loch\f0\fs24\dbch\af0 {\loch\f1 Bold Hebrew: }{\ltrch \rtlch\afs32\ab \u1513\'3f\u1500\'3f \u1493\'3f}\par})",
            u"Bold Hebrew: \u05E9\u05DC \u05D5\n",
            { { u"Bold", font("Helvetica") }, { u"\u05E9", font("DejaVu Serif-Bold", 16) }, { u" \u05D5", font("DejaVu Serif-Bold", 16) },
                { u"\n", font("DejaVu Serif") } } },
        { "zero-width characters inside bold Arabic: joiners and the no-break mark stay with their run",
            R"({\rtf1\ansi\deff0{\fonttbl{\f0\froman DejaVu Serif;}}\uc1
\pard\plain \f0\fs24 {\ltrch \rtlch\ab \u1576?\u65279?\u1587?\u8204?\u1605?\u8205?\u1604?}\par})",
            u"\u0628\uFEFF\u0633\u200C\u0645\u200D\u0644\n",
            { { u"\u0628\uFEFF\u0633\u200C\u0645\u200D\u0644", font("DejaVu Serif-Bold") } } },
        { "Hebrew and Latin in one left-to-right run: each takes its own",
            R"({\rtf1\ansi\deff0{\fonttbl{\f0\froman Times New Roman;}{\f1\fswiss Arial;}}
\pard\plain\ltrpar {\rtlch\fcs1 \ab\ai\af1\afs28 \ltrch\fcs0 \f1\fs22 abc \u1488?\u1489?}\par})",
            u"abc \u05D0\u05D1\n", { { u"abc ", font("Arial", 11) }, { u"\u05D0\u05D1", font("Arial-BoldItalic", 14) } } },
        { "a right-to-left run: the ordinary words after \\rtlch, the associated ones after \\ltrch",
            R"({\rtf1{\fonttbl\f0 Arial;}\f0\ltrch\ab0\afs20\rtlch\b\fs28 ab \u1488?})",
            u"ab \u05D0", { { u"ab", font("Arial", 10) }, { u" \u05D0", font("Arial-Bold", 14) } } },
        { "italic Chinese as the East Asian run of a word processor",
            R"({\rtf1\ansi\deff0{\fonttbl{\f0\froman DejaVu Serif;}}\uc1
\pard\plain \f0\fs24 {\loch Italic Chinese: }{\dbch\afs28\i\ab0\dbch \u20013\'3f\u25991\'3f}\par})",
            u"Italic Chinese: \u4E2D\u6587\n", { { u"Italic", font("DejaVu Serif") }, { u"\u4E2D", font("DejaVu Serif-Italic", 14) } } },
        { "a \\dbch run: its associated properties for all of its text, Latin text too",
            R"({\rtf1{\fonttbl\f0 Helvetica;}\f0\fs24\loch\b\dbch\ab0\afs20 Mixed \u26085?\u26412?})",
            u"Mixed \u65E5\u672C", { { u"Mixed \u65E5\u672C", font("Helvetica", 10) } } },
        { "neutral characters of a \\dbch run",
            R"({\rtf1\uc0 {\dbch\ab\afs40 \u26085 !} plain})", u"\u65E5! plain", { { u"\u65E5!", font("Helvetica-Bold", 20) }, { u" plain", none } } },
        { "neutral characters of a right-to-left run that names \\loch or \\hich after \\rtlch; its Latin letters stay ordinary",
            R"({\rtf1\uc0 {\rtlch\ai\afs20\loch \u1633 +}{\rtlch\ai\afs20\hich \u1633 + xy}})", u"\u0661+\u0661+ xy",
            { { u"\u0661+\u0661+ ", font("Helvetica-Oblique", 10) }, { u"xy", none } } },
        { "\\plain ends the associated properties too",
            R"({\rtf1{\fonttbl\f0 Arial;}\f0\rtlch\ab\afs30\ltrch \u1488?\plain\f0 \u1489?})",
            u"\u05D0\u05D1", { { u"\u05D0", font("Arial-Bold", 15) }, { u"\u05D1", font("Arial") } } },
        { "list labels written before the paragraph's properties, which they clear",
            R"({\rtf1\ansi\deff0{\fonttbl{\f0 DejaVu Serif;}{\f1\fcharset2 OpenSymbol;}}
{\*\listtable{\list\listtemplateid1{\listlevel\levelnfc23\levelstartat1{\leveltext \'01\u8226 ?;}{\levelnumbers;}}\listid1}
{\list\listtemplateid2{\listlevel\levelnfc0\levelstartat1{\leveltext \'02\'00.;}{\levelnumbers\'01;}}\listid2}}
{\listoverridetable{\listoverride\listid1\listoverridecount0\ls1}{\listoverride\listid2\listoverridecount0\ls2}}
\pard\plain {\listtext\pard\plain \f1 \u8226\'95\tab}\ilvl0\ls1\qc{\loch First}\par
\pard\plain {\listtext\pard\plain  1.\tab}\ilvl0\ls2 {\loch One}\par
\pard\plain {\listtext\pard\plain  2.\tab}\ilvl0\ls2 {\loch Two}\par
\pard\plain Plain\par})",
            u"\t\u2022\tFirst\n\t1.\tOne\n\t2.\tTwo\nPlain\n",
            { { u"\t\u2022\t", listed(font("OpenSymbol"), { "{disc}" }, text::Alignment::Center) },
                { u"First\n", paragraph({ "{disc}" }, text::Alignment::Center) }, { u"\t1.\tOne\n\t2.\tTwo\n", paragraph({ "{decimal}." }) },
                { u"Plain", none } } },
        { "a list label in a symbol font, from a program that writes old code pages",
            R"({\rtf1\ansi\deff0{\fonttbl{\f0 Times New Roman;}{\f3\fcharset2 Symbol;}}
{\*\listtable{\list{\listlevel\levelnfc23{\leveltext\'01\u-3913 ?;}}\listid7}}{\*\listoverridetable{\listoverride\listid7\ls1}}
{\listtext\pard\plain\ltrpar \rtlch\fcs1 \af0 \ltrch\fcs0 \f3\insrsid1 \'b7\tab}\pard\plain \ltrpar\ql \fi-360\li720\ls1\ilvl0 Item\par})",
            u"\t\u00B7\tItem\n", { { u"\t\u00B7\t", listed(font("Symbol"), { "{disc}" }, text::Alignment::Left) },
                                   { u"Item", paragraph({ "{disc}" }, text::Alignment::Left) } } },
        { "a centred paragraph that starts with a link, properties before the field or in its result",
            R"({\rtf1 \pard\qc{\field{\*\fldinst{HYPERLINK "https://example.org/"}}{\fldrslt link}} after\par
\pard{\field{\*\fldinst{HYPERLINK "x"}}{\fldrslt\pard\qr old}}\pard\qr  shape\par})",
            u"link after\nold shape\n",
            { { u"link", with(paragraph({}, text::Alignment::Center), [](Attributes& a) { a.link = "https://example.org/"; }) },
                { u" after", paragraph({}, text::Alignment::Center) },
                { u"old", with(paragraph({}, text::Alignment::Right), [](Attributes& a) { a.link = "x"; }) },
                { u" shape", paragraph({}, text::Alignment::Right) } } },
        { "paragraph, line and page breaks, and this program's names for the newlines that share them",
            R"({\rtf1 a\par b\line c\page d\ostrelbreak13\par e\ostrelbreak8233\par f\ostrelbreak11\line g\ostrelbreak65\par h\ostrelbreak13 i\par})",
            u"a\nb\u2028c\fd\re\u2029f\vg\nhi\n", {} },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shape);
        AttributedString s = read(c.rtf);
        EXPECT_EQ(s.string(), c.text);
        for (const auto& [piece, attributes] : c.attributes) {
            size_t at = s.find(piece);
            ASSERT_NE(at, std::u16string::npos) << text::toUtf8(piece);
            text::Range range;
            EXPECT_EQ(s.attributesAt(at, &range), attributes) << text::toUtf8(piece);
            EXPECT_LE(at + piece.size(), range.end()) << text::toUtf8(piece) << " is one run";
        }
        // Whatever is read, this program writes back as it was read.
        EXPECT_EQ(roundTrip(s), s);
    }
}

TEST(RtfInterchange, ListLabelsOfOtherProgramsAreItemMarkersAndAreWrittenBackAsLabelsOnly)
{
    // Lists of every marker form, as word processors write them: the label before the
    // paragraph's properties, which it clears, the marker's form in the level's text.
    const char* rtf = R"({\rtf1\ansi\deff0{\fonttbl{\f0 Liberation Serif;}{\f1\fcharset2 OpenSymbol;}{\f2\fcharset2 Symbol;}{\f3 Courier New;}}
{\*\listtable
{\list\listtemplateid1{\listlevel\levelnfc23{\leveltext \'01\u8226 ?;}{\levelnumbers;}}{\listlevel\levelnfc23{\leveltext \'01\u57353 ?;}{\levelnumbers;}}\listid1}
{\list\listtemplateid2{\listlevel\levelnfc0{\leveltext \'02\'00.;}{\levelnumbers\'01;}}{\listlevel\levelnfc4{\leveltext \'03(\'01);}{\levelnumbers\'02;}}\listid2}
{\list\listtemplateid3{\listlevel\levelnfc1{\leveltext\'02\'00.;}}{\listlevel\levelnfc2{\leveltext\'02\'01);}}\listid3}
{\list\listtemplateid4{\listlevel\levelnfc23{\leveltext\leveltemplateid67698689\'01\u-3913 ?;}}{\listlevel\levelnfc23{\leveltext\'01o;}}\listid4}
{\list\listtemplateid5{\listlevel\levelnfc0{\leveltext\'07Step \'00:;}}{\listlevel\levelnfc0{\leveltext\'04\'00.\'01.;}}\listid5}
{\list\listtemplateid6{\listlevel\levelnfc3{\leveltext\'02\'00);}}{\listlevel\levelnfc23{\leveltext\'01\u10148 ?;}}\listid6}}
{\*\listoverridetable{\listoverride\listid1\ls1}{\listoverride\listid2\ls2}{\listoverride\listid3\ls3}{\listoverride\listid4\ls4}{\listoverride\listid5\ls5}{\listoverride\listid6\ls6}}
\pard\plain Before\par
{\listtext\pard\plain \rtlch\af1 \ltrch\hich\af1\loch\f1\dbch\af1 \u8226\'3f\tab}\pard\plain \ilvl0\ls1 {\loch Bullet}\par
{\listtext\pard\plain \f1 \u57353\'3f\tab}\pard\plain \ilvl1\ls1 Circle\par
{\listtext\pard\plain  1.\tab}\pard\plain \ilvl0\ls2 One\par
{\listtext\pard\plain  (a)\tab}\pard\plain \ilvl1\ls2 Sub a\par
{\listtext\pard\plain  (b)\tab}\pard\plain \ilvl1\ls2 Sub b\par
{\listtext\pard\plain  2.\tab}\pard\plain \ilvl0\ls2 Two\par
{\listtext\pard\plain  1st\tab}\pard\plain \ilvl0\ls2 Third, labelled as no list draws\par
{\listtext\pard\plain I.\tab}\pard\plain \ls3\ilvl0 Roman\par
{\listtext\pard\plain i)\tab}\pard\plain \ls3\ilvl1 Small roman\par
{\listtext\pard\plain\ltrpar \f2\insrsid1 \'b7\tab}\pard\plain \ltrpar\ql \fi-360\li720\ls4\ilvl0 Symbol font\par
{\listtext\pard\plain\ltrpar \f3 o\tab}\pard\plain \ltrpar\ql \fi-360\li1440\ls4\ilvl1 Courier\par
{\listtext\pard\plain Step 1:\tab}\pard\plain \ls5\ilvl0 Worded\par
{\listtext\pard\plain 1.1.\tab}\pard\plain \ls5\ilvl1 Of two levels\par
{\listtext\pard\plain A)\tab}\pard\plain \ls6\ilvl0 Letter\par
{\listtext\pard\plain \u10148\'3f\tab}\pard\plain \ls6\ilvl1 Arrow\par
\pard\plain After\par})";
    using Formats = std::vector<std::string>;
    const std::vector<std::pair<std::u16string, Formats>> expected {
        { u"Before", {} },
        { u"\t\u2022\tBullet", { "{disc}" } },
        { u"\t\u25E6\tCircle", { "{disc}", "{circle}" } },
        { u"\t1.\tOne", { "{decimal}." } },
        { u"\t(a)\tSub a", { "{decimal}.", "({lower-alpha})" } },
        { u"\t(b)\tSub b", { "{decimal}.", "({lower-alpha})" } },
        { u"\t2.\tTwo", { "{decimal}." } },
        { u"\t3.\tThird, labelled as no list draws", { "{decimal}." } },
        { u"\tI.\tRoman", { "{upper-roman}." } },
        { u"\ti)\tSmall roman", { "{upper-roman}.", "{lower-roman})" } },
        { u"\t\u00B7\tSymbol font", { "{disc}" } },
        { u"\to\tCourier", { "{disc}", "o" } },
        { u"\tStep 1:\tWorded", { "Step {decimal}:" } },
        { u"\t1.1.\tOf two levels", { "Step {decimal}:", "{decimal}." } },
        { u"\tA)\tLetter", { "{upper-alpha})" } },
        { u"\t\u27A4\tArrow", { "{upper-alpha})", "\u27A4" } },
        { u"After", {} },
    };
    AttributedString first = read(rtf);
    EXPECT_EQ(listLines(first), expected);

    std::string written = Rtf::write(first);
    for (const char* levelText : { "{\\leveltext\\'02\\'00.;}", "{\\leveltext\\'03(\\'01);}", "{\\leveltext\\'07Step \\'00:;}",
             "{\\leveltext\\'01o;}", "{\\leveltext\\'01\\u9702;}" })
        EXPECT_NE(written.find(levelText), std::string::npos) << levelText << " in\n" << written;
    auto shown = listLines(shownByListAwarePrograms(written));
    ASSERT_EQ(shown.size(), expected.size()) << written;
    for (size_t i = 0; i < expected.size(); ++i) {
        std::u16string body = expected[i].first.substr(expected[i].second.empty() ? 0 : expected[i].first.find(u'\t', 1) + 1);
        EXPECT_EQ(shown[i].first, body) << "no label is left in the text beside the list's own\n" << written;
    }
    EXPECT_EQ(read(written), first) << written;
}

TEST(RtfInterchange, LabelsKeptInOtherFormsAreWrittenAsLabelsAndReadBackAsTheyWere)
{
    // Texts read before labels were made markers keep them with other white space, or under
    // a format that says less than they do.
    const Attributes helvetica = font("Helvetica");
    AttributedString s = pieces({ { u" \u2022\tspace first\n\u2022\tno tab first\n", listed(helvetica, { "{disc}" }) },
        { u" 1.\tnumber\n2.\tnext\n", listed(helvetica, { "{decimal}" }) }, { u"\tfoo\tno marker\n", listed(helvetica, { "({decimal})" }) },
        { u"\t\u2022\tour own\n", listed(helvetica, { "{disc}" }) } });
    std::string written = Rtf::write(s);
    for (const char* label : { "{\\listtext  \\u8226\\tab}space first", "{\\listtext\\u8226\\tab}no tab first", "{\\listtext  1.\\tab}number",
             "{\\listtext 2.\\tab}next", "{\\listtext\\tab\\u8226\\tab}our own" })
        EXPECT_NE(written.find(label), std::string::npos) << label << " in\n" << written;
    EXPECT_EQ(shownByListAwarePrograms(written).string(), u"space first\nno tab first\nnumber\nnext\n\tfoo\tno marker\nour own\n");
    EXPECT_EQ(roundTrip(s), s) << written;
}

TEST(RtfInterchange, TheSmallestCasesOfOtherProgramsReadAndWriteAsTheyShow)
{
    // A numbered item: "1. One" as the list draws it.
    AttributedString item = read(R"({\rtf1\ansi{\*\listtable{\list\listtemplateid1{\listlevel\levelnfc0\levelstartat1{\leveltext\'02\'00.;}{\levelnumbers\'01;}}\listid1}}{\*\listoverridetable{\listoverride\listid1\listoverridecount0\ls1}}{\listtext 1.\tab}\pard\ls1\ilvl0 One\par})");
    EXPECT_EQ(item, AttributedString(u"\t1.\tOne\n", paragraph({ "{decimal}." })));
    std::string written = Rtf::write(item);
    EXPECT_NE(written.find("{\\leveltext\\'02\\'00.;}"), std::string::npos) << written;
    EXPECT_NE(written.find("{\\listtext\\tab 1.\\tab}One\\par"), std::string::npos) << written;
    EXPECT_EQ(shownByListAwarePrograms(written).string(), u"One\n");

    // A label of nothing but white space is no marker; a level that draws none has none.
    const char* noMarker = R"({\rtf1{\*\listtable{\list{\listlevel\levelnfc255{\leveltext\'00;}}\listid1}}{\*\listoverridetable{\listoverride\listid1\ls1}}{\listtext\pard\plain \tab}\pard\ls1 Bare\par})";
    EXPECT_EQ(read(noMarker), AttributedString(u"Bare\n", paragraph({ "" })));

    // Neutral characters of an East Asian run, and of a right-to-left one that names the
    // ordinary scripts after; written with the associated properties beside the ordinary.
    const std::tuple<const char*, AttributedString, const char*> runs[] = {
        { R"({\rtf1\uc0 {\dbch\ab\afs40 \u26085 !}})", AttributedString(u"\u65E5!", font("Helvetica-Bold", 20)),
            "\\rtlch\\ab\\afs40\\ltrch\\f1\\fs40\\b\\u26085 !" },
        { R"({\rtf1\uc0 {\rtlch\ai\afs20\loch \u1633 +}})", AttributedString(u"\u0661+", font("Helvetica-Oblique", 10)),
            "\\rtlch\\ai\\afs20\\ltrch\\f1\\fs20\\i\\u1633 +" },
    };
    for (const auto& [rtf, text, words] : runs) {
        EXPECT_EQ(read(rtf), text) << rtf;
        EXPECT_NE(Rtf::write(text).find(words), std::string::npos) << words << " in\n" << Rtf::write(text);
    }
}

TEST(RtfInterchange, LevelTextsGiveTheMarkerFormatsTheyDraw)
{
    using namespace std::literals;
    const std::tuple<std::optional<int>, std::optional<std::u16string_view>, int, std::string> cases[] = {
        { 0, u"\x02\x00."sv, 0, "{decimal}." },
        { 4, u"\x03(\x01)"sv, 1, "({lower-alpha})" },
        { 0, u"\x04\x00.\x01."sv, 1, "{decimal}." },
        { 0, u"\x09" u"Chapter \x00"sv, 0, "Chapter {decimal}" },
        { 0, u"\x05\x00."sv, 0, "{decimal}." },
        { 22, u"\x02\x00."sv, 0, "{decimal}." },
        { 23, u"\x01\u2022"sv, 0, "{disc}" },
        { 23, u"\x01\uF0A7"sv, 0, "{square}" },
        { 23, u"\x01\uE123"sv, 0, "{disc}" },
        { 23, u"\x02{x"sv, 0, "x" },
        { 255, u"\x00"sv, 0, "" },
        { 0, u";"sv, 0, "{decimal}" },
        { 0, std::nullopt, 0, "{decimal}" },
        { 23, std::nullopt, 0, "{disc}" },
        { 255, std::nullopt, 0, "" },
        { std::nullopt, std::nullopt, 0, "{disc}" },
    };
    for (const auto& [numberFormat, levelText, level, format] : cases)
        EXPECT_EQ(text::rtf::markerFormat(numberFormat, levelText, level), format) << (levelText ? text::toUtf8(*levelText) : "no text");
}
