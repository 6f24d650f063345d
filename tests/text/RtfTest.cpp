#include "platform/text/Rtf.h"
#include "tests/text/DiagnosticLines.h"
#include "tests/text/RtfTesting.h"
#include "tests/text/TextPrinting.h"

#include <gtest/gtest.h>
#include <random>

using text::AttributedString;
using text::Attributes;
using text::Rtf;

using text::test::font;
using text::test::read;
using text::test::roundTrip;
using text::test::with;

TEST(Rtf, EveryRunAttributeRoundTrips)
{
    Attributes base = font("Helvetica", 13);
    AttributedString s;
    s.append(u"plain ", base);
    s.append(u"bold ", font("Helvetica-Bold", 13));
    s.append(u"italic ", font("Times-Italic", 18.5));
    s.append(u"red ", with(base, [](Attributes& a) { a.foreground = gfx::Color::rgb(1, 0, 0); }));
    s.append(u"teal ", with(base, [](Attributes& a) { a.foreground = gfx::Color::rgb(0, 128 / 255.0, 128 / 255.0); }));
    s.append(u"under ", with(base, [](Attributes& a) { a.underline = 1; }));
    s.append(u"struck ", with(base, [](Attributes& a) { a.strikethrough = 1; }));
    s.append(u"centred\n", with(base, [](Attributes& a) { a.paragraph.alignment = text::Alignment::Center; }));
    s.append(u"right\n", with(base, [](Attributes& a) { a.paragraph.alignment = text::Alignment::Right; }));
    s.append(u"\t\u2022\titem\n", with(base, [](Attributes& a) { a.paragraph.textLists = { "{disc}" }; }));
    s.append(u"\t(1)\tnested\n", with(base, [](Attributes& a) { a.paragraph.textLists = { "{disc}", "({decimal})" }; }));
    s.append(u"\t\u27A4\tarrow\n", with(base, [](Attributes& a) { a.paragraph.textLists = { "\u27A4" }; }));
    s.append(u"system ", with(base, [](Attributes& a) { a.font = gfx::Font::system(13); }));
    s.append(u"bold system ", with(base, [](Attributes& a) { a.font = gfx::Font::boldSystem(11); }));
    s.append(u"no font at all", {});
    EXPECT_EQ(roundTrip(s), s);
}

TEST(Rtf, UnicodeAndEscapesRoundTrip)
{
    AttributedString s(u"braces {} and \\ backslash, caf\u00E9, \u2014 dash, \u4E2D\u6587, astral \U0001F600\U0001D11E, nbsp\u00A0end");
    EXPECT_EQ(roundTrip(s), s);
    std::string rtf = Rtf::write(s);
    EXPECT_NE(rtf.find("\\u-10179"), std::string::npos) << "surrogates are written as signed 16-bit numbers";
    EXPECT_EQ(rtf.find_first_of("\x80\xFF"), std::string::npos) << "the output is pure ASCII";
}

TEST(Rtf, EveryNewlineAndCrLfRoundTrip)
{
    AttributedString s(u"a\nb\r\nc\rd\u2028e\u2029f\u0085g\u000Bh\u000Ci\n");
    AttributedString back = roundTrip(s);
    EXPECT_EQ(back, s);
    EXPECT_EQ(back.splitLines().size(), 11u);
    EXPECT_EQ(roundTrip(AttributedString(u"trailing\n\n")).utf8(), "trailing\n\n");
}

TEST(Rtf, LinkRunsRoundTripWithTheirOwnFormatting)
{
    Attributes base = font("Helvetica");
    Attributes link = with(base, [](Attributes& a) { a.link = "ostrel2things://ABC-123"; a.underline = 1; });
    AttributedString s;
    s.append(u"see ", base);
    s.append(u"the ", link);
    s.append(u"task", with(link, [](Attributes& a) { a.font = gfx::Font { "Helvetica-Bold", 12 }; }));
    s.append(u" now, ", base);
    s.append(u"quoted", with(base, [](Attributes& a) { a.link = "https://example.org/a\"b\\c?q=\u00E9"; }));
    EXPECT_EQ(roundTrip(s), s);
    EXPECT_NE(Rtf::write(s).find("HYPERLINK \"ostrel2things://ABC-123\""), std::string::npos);
}

TEST(Rtf, WritingIsDeterministicAndAttachmentsKeepTheirNames)
{
    AttributedString s(u"x");
    s.append(std::u16string(1, text::attachmentCharacter),
        with(font("Helvetica"), [](Attributes& a) { a.attachment = text::Attachment { "Pasted Graphic {1}.png", nullptr }; }));
    s.append(u"y", {});
    std::string first = Rtf::write(s, {}, Rtf::Attachments::asFileReferences);
    EXPECT_EQ(first, Rtf::write(s, {}, Rtf::Attachments::asFileReferences));
    EXPECT_EQ(read(Rtf::write(s)).utf8(), "xy") << "plain RTF has no files to refer to";
    AttributedString back = read(first);
    EXPECT_EQ(back.utf8(), "x\xEF\xBF\xBCy");
    ASSERT_TRUE(back.attributesAt(1).attachment.has_value());
    EXPECT_EQ(back.attributesAt(1).attachment->fileName, "Pasted Graphic {1}.png");
}

TEST(Rtf, DocumentAttributesAreKept)
{
    text::DocumentAttributes attributes;
    attributes.font = gfx::Font { "Futura-Medium", 14 };
    attributes.foreground = gfx::Color::rgb(0.2, 0.4, 0.6);
    attributes.paperWidth = 11900;
    attributes.paperHeight = 16840;
    attributes.marginLeft = 1440;
    attributes.viewKind = 0;
    auto document = Rtf::read(Rtf::write(AttributedString(u"body"), attributes));
    ASSERT_TRUE(document);
    EXPECT_EQ(document->text, AttributedString(u"body"));
    EXPECT_EQ(document->attributes, attributes);

    // The system font's weight is not in its name.
    for (auto font : { gfx::Font::boldSystem(13), gfx::Font::system(13), gfx::Font { "Times-BoldItalic", 12 } }) {
        attributes.font = font;
        EXPECT_EQ(Rtf::read(Rtf::write(AttributedString(u"body"), attributes))->attributes.font, font) << font.postScriptName;
    }
}

TEST(Rtf, ReadsWhatAnotherWordProcessorWrites)
{
    const char* rtf = R"({\rtf1\ansi\ansicpg1252\deff0\nouicompat\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Helvetica;}{\f1\froman\fprq2\fcharset0 Times New Roman{\*\falt Times};}{\f2\fnil\fcharset238 Calibri;}}
{\colortbl ;\red0\green0\blue255;\red255\green0\blue0;}
{\*\generator Riched20 10.0.19041}{\info{\title Day}{\author Someone}}\viewkind4\uc1
\pard\sa200\sl276\slmult1\f0\fs24\lang9 #TimeSlice\par
Caf\'e9 \b bold\b0  \i italic\i0\par
\uc1\u8212?dash\uc2\u8364??euro\par
{\field{\*\fldinst{HYPERLINK "https://example.org/" }}{\fldrslt{\ul\cf1 a link}}}\f0\fs24  after\par
\f2 \'e8esk\'fd\f1\fs28\cf2 ~times\cf0\par
{\*\unknown destination {with nested} text}\unknownword42 kept\line next\tab tab\~nb\emdash\par
}
)";
    text::test::DiagnosticLines diagnostics;
    AttributedString s = read(rtf);
    EXPECT_EQ(s.utf8(), "#TimeSlice\nCafé bold italic\n—dash€euro\na link after\nčeský~times\nkept\u2028next\ttab\u00A0nb—\n");
    Attributes helvetica = font("Helvetica");
    EXPECT_EQ(s.attributesAt(s.find(u"Caf")), helvetica);
    EXPECT_EQ(s.attributesAt(s.find(u"bold")).font->postScriptName, "Helvetica-Bold");
    EXPECT_EQ(s.attributesAt(s.find(u"italic")).font->postScriptName, "Helvetica-Oblique");
    Attributes link = s.attributesAt(s.find(u"a link"));
    EXPECT_EQ(link.link, "https://example.org/");
    EXPECT_EQ(link.underline, 1);
    EXPECT_EQ(link.foreground, gfx::Color::rgb(0, 0, 1));
    EXPECT_EQ(s.attributesAt(s.find(u"after")).link, "");
    Attributes times = s.attributesAt(s.find(u"~times"));
    EXPECT_EQ(times.font, (gfx::Font { "Times New Roman", 14 }));
    EXPECT_EQ(times.foreground, gfx::Color::rgb(1, 0, 0));
    EXPECT_FALSE(s.attributesAt(s.find(u"kept")).foreground);
    EXPECT_TRUE(diagnostics.lines.empty());
}

TEST(Rtf, ReadsPackageAttachmentsAndListsAsACocoaStyleWriterWritesThem)
{
    const char* rtf = "{\\rtf1\\ansi\\ansicpg1252\\cocoartf2639\n"
                      "\\cocoatextscaling0\\cocoaplatform0{\\fonttbl\\f0\\fswiss\\fcharset0 Helvetica;\\f1\\fswiss\\fcharset0 Helvetica-Bold;}\n"
                      "{\\colortbl;\\red255\\green255\\blue255;}\n"
                      "{\\*\\expandedcolortbl;;}\n"
                      "{\\*\\listtable{\\list\\listtemplateid1\\listhybrid{\\listlevel\\levelnfc23\\levelnfcn23\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat1\\levelspace360\\levelindent0{\\*\\levelmarker \\{disc\\}}{\\leveltext\\leveltemplateid1\\'01\\uc0\\u8226 ;}{\\levelnumbers;}\\fi-360\\li720\\lin720 }{\\listname ;}\\listid1}}\n"
                      "{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}}\n"
                      "\\paperw11900\\paperh16840\\margl1440\\margr1440\\vieww11520\\viewh8400\\viewkind0\n"
                      "\\pard\\tx220\\tx720\\pardirnatural\\partightenfactor0\\ls1\\ilvl0\n"
                      "\\f0\\fs24 \\cf0 \t\\'95\titem\\\n"
                      "\\pard\\pardirnatural\\partightenfactor0\n"
                      "\\f1\\b \\cf0 {{\\NeXTGraphic Pasted Graphic.tiff \\width2560 \\height2560 \\noorient\n"
                      "}\\'ac}\\\n"
                      "}";
    AttributedString s = read(rtf);
    EXPECT_EQ(s.string(), u"\t\u2022\titem\n\uFFFC\n");
    EXPECT_EQ(s.attributesAt(0).paragraph.textLists, (std::vector<std::string> { "{disc}" }));
    EXPECT_TRUE(s.attributesAt(8).paragraph.textLists.empty());
    ASSERT_TRUE(s.attributesAt(8).attachment);
    EXPECT_EQ(s.attributesAt(8).attachment->fileName, "Pasted Graphic.tiff");
    EXPECT_EQ(s.attributesAt(8).font->postScriptName, "Helvetica-Bold");
}

TEST(Rtf, PlainResetsCharacterFormattingAndGroupsRestoreIt)
{
    AttributedString s = read(R"({\rtf1{\fonttbl\f0 Courier;}\f0\fs30\b\ul one {\i\strike two} three\plain  four})");
    EXPECT_EQ(s.attributesAt(0), with(font("Courier-Bold", 15), [](Attributes& a) { a.underline = 1; }));
    EXPECT_EQ(s.attributesAt(s.find(u"two")), with(font("Courier-BoldOblique", 15), [](Attributes& a) { a.underline = 1; a.strikethrough = 1; }));
    EXPECT_EQ(s.attributesAt(s.find(u"three")), s.attributesAt(0));
    EXPECT_EQ(s.attributesAt(s.find(u"four")), Attributes {});
}

TEST(Rtf, DataThatIsNotRtfReadsAsNone)
{
    EXPECT_FALSE(Rtf::read(""));
    EXPECT_FALSE(Rtf::read("plain text"));
    EXPECT_FALSE(Rtf::read("{\\rt"));
    EXPECT_TRUE(Rtf::read("  \n{\\rtf1 ok}"));
}

TEST(Rtf, RandomTextsMixingEveryAttributeRoundTrip)
{
    std::mt19937 random(3);
    auto pick = [&random](const auto& choices) { return choices[random() % std::size(choices)]; };
    const std::u16string pieces[] = { u"a", u"word ", u"\n", u"\r", u"\r\n", u"\U0001F600", u"\u2028", u"\u2029", u"\x85", u"\v",
        u"\f", u"\xD800", std::u16string(1, u'\0'), u"{", u"}", u"\\", u"\u00E9", u"\t", u" ", u"1", u";", u"\xFFFC", u"\x7F",
        u"\u05E9\u05DC", u"\u0627", u"\u0915\u093F", u"\u4E2D", u"\U00020000", u"\u0301", u"\t\u2022\t", u"\t(1)\t", u"\t\u27A4\t" };
    const std::optional<gfx::Font> fonts[] = { std::nullopt, gfx::Font { "Helvetica", 12 }, gfx::Font { "Helvetica-Bold", 13.5 },
        gfx::Font { "Times-Italic", 9 }, gfx::Font { "Courier-BoldOblique", 12 }, gfx::Font::system(13), gfx::Font::boldSystem(11) };
    const std::optional<gfx::Color> colors[] = { std::nullopt, gfx::Color::rgb(1, 0, 0), gfx::Color::rgb(0, 0, 0), gfx::Color::rgb(0, 128 / 255.0, 1) };
    const std::string links[] = { "", "https://example.org/a?b=c", "say \"hi\" \\ there", "\u00E9 \u00FC", "#anchor" };
    const std::vector<std::string> lists[] = { {}, { "{disc}" }, { "{disc}", "({decimal})" }, { "\u27A4" } };
    for (int round = 0; round < 500; ++round) {
        AttributedString s;
        for (int run = 0, runs = 1 + static_cast<int>(random() % 8); run < runs; ++run) {
            Attributes a;
            a.font = pick(fonts);
            a.foreground = pick(colors);
            a.underline = static_cast<int>(random() % 2);
            a.strikethrough = static_cast<int>(random() % 2);
            a.link = pick(links);
            a.paragraph.alignment = static_cast<text::Alignment>(random() % 5);
            a.paragraph.textLists = pick(lists);
            s.append(pick(pieces) + pick(pieces), a);
        }
        std::string rtf = Rtf::write(s);
        auto document = Rtf::read(rtf);
        ASSERT_TRUE(document);
        ASSERT_EQ(document->text, s) << rtf;
        ASSERT_TRUE(document->complete);
    }
}
