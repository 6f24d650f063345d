#include "platform/text/Rtf.h"
#include "tests/text/DiagnosticLines.h"
#include "tests/text/TextPrinting.h"

#include <gtest/gtest.h>
#include <random>

using text::AttributedString;
using text::Rtf;

namespace {

const char* const samples[] = {
    R"({\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\fswiss\fcharset0 Helvetica;}{\f1\fcharset238 Calibri;}}{\colortbl;\red0\green0\blue255;}
\pard\qc\f0\fs24 #TimeSlice\par Caf\'e9 \b bold\b0 \uc1\u8212?\par
{\field{\*\fldinst{HYPERLINK "https://example.org/"}}{\fldrslt{\ul\cf1 link}}}\f1 \'e8\line\tab x\par})",
    "{\\rtf1\\ansi{\\fonttbl\\f0\\fswiss Helvetica;}{\\*\\listtable{\\list{\\listlevel\\levelnfc23{\\*\\levelmarker \\{disc\\}}}\\listid1}}"
    "{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}\\pard\\ls1\\ilvl0\\f0 \\'95\\titem\\\n"
    "{{\\NeXTGraphic a b.png \\width20}\\'ac}{\\*\\ostreldocumentdefaults\\f0\\fs30\\cf1}\\paperw11900 end}",
    R"({\rtf1\ansi\deff0{\fonttbl{\f0 Liberation Serif;}{\f1\fcharset2 OpenSymbol;}}
{\*\listtable{\list\listtemplateid1{\listlevel\levelnfc23{\leveltext \'01\u8226 ?;}}{\listlevel\levelnfc4{\leveltext \'03(\'01);}}\listid1}}
{\listoverridetable{\listoverride\listid1\listoverridecount0\ls1}}
{\listtext\pard\plain \rtlch\af1 \ltrch\loch\f1\dbch\af1 \u8226\'3f\tab}\pard\plain \ilvl0\ls1 {\rtlch\ai\afs20\loch \u1633 + xy}\par
{\listtext\pard\plain  (a)\tab}\pard\plain \ilvl1\ls1 {\dbch\ab\afs40 \u26085 ! z}\par
{\listtext\pard\plain  1st\tab}\pard\plain \ilvl1\ls1 x\par})",
};

// Reading a damaged file must give none or some text, and that text must survive a write
// and a read unchanged: the writer can express everything the reader can produce.
void expectStable(std::string_view data)
{
    auto document = Rtf::read(data);
    if (!document)
        return;
    auto again = Rtf::read(Rtf::write(document->text, document->attributes, text::Rtf::Attachments::asFileReferences));
    ASSERT_TRUE(again) << data;
    EXPECT_EQ(again->text, document->text) << data;
    EXPECT_EQ(again->attributes, document->attributes) << data;
}

}

TEST(RtfDamage, EveryTruncationReadsAsTheTextBeforeTheCut)
{
    text::test::DiagnosticLines diagnostics;
    std::string whole = samples[0];
    std::u16string full = Rtf::read(whole)->text.string();
    for (size_t cut = 5; cut < whole.size(); ++cut) {
        auto document = Rtf::read(whole.substr(0, cut));
        ASSERT_TRUE(document) << cut;
        EXPECT_FALSE(document->complete) << cut;
        // A cut between two words keeps exactly what came before it.
        if (whole[cut] == ' ') {
            const std::u16string& partial = document->text.string();
            EXPECT_EQ(full.substr(0, partial.size()), partial) << cut;
        }
    }
    EXPECT_EQ(Rtf::read(whole.substr(0, whole.size() - 1))->text.string(), full);
    EXPECT_TRUE(Rtf::read(whole)->complete);
    EXPECT_TRUE(Rtf::read(whole + "\r\n")->complete);
    // What follows the closing brace is never read, so such a text is not whole either.
    EXPECT_FALSE(Rtf::read(whole + "}\n trailing")->complete);
    EXPECT_FALSE(diagnostics.lines.empty());
    EXPECT_NE(diagnostics.lines.back().find("ended before its last group closed"), std::string::npos);
}

TEST(RtfDamage, DeepNestingStopsAtTheLimitWithTheTextSoFar)
{
    text::test::DiagnosticLines diagnostics;
    std::string deep = "{\\rtf1 before" + std::string(100000, '{') + "inside";
    auto document = Rtf::read(deep);
    ASSERT_TRUE(document);
    EXPECT_EQ(document->text.utf8(), "before");
    EXPECT_FALSE(document->complete);
    ASSERT_EQ(diagnostics.lines.size(), 1u);
    EXPECT_NE(diagnostics.lines[0].find("nested deeper"), std::string::npos);

    // Inside a skipped destination depth costs nothing, so it is not limited.
    std::string skipped = "{\\rtf1 a{\\*\\junk" + std::string(100000, '{') + std::string(100000, '}') + "}b}";
    EXPECT_EQ(Rtf::read(skipped)->text.utf8(), "ab");
}

TEST(RtfDamage, HugeNumbersAndCountsAreBounded)
{
    text::test::DiagnosticLines diagnostics;
    auto s = Rtf::read(R"({\rtf1\fs999999999999999999999 a\f-99999999999 b\cf4294967297 c\uc99999 \u99999999 d\u-99999999 e\bin99999999999 f})");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->text.attributesAt(0).font->pointSize, 1638);
    EXPECT_FALSE(s->text.attributesAt(s->text.find(u"c")).foreground);

    std::string manyColors = "{\\rtf1{\\colortbl" + std::string(100000, ';') + "}x}";
    EXPECT_EQ(Rtf::read(manyColors)->text.utf8(), "x");
    std::string manyFonts = "{\\rtf1{\\fonttbl";
    for (int i = 0; i < 20000; ++i)
        manyFonts += "\\f" + std::to_string(i) + " F" + std::to_string(i) + ";";
    manyFonts += "}\\f19999 x}";
    EXPECT_EQ(Rtf::read(manyFonts)->text.attributesAt(0).font->postScriptName, "Helvetica");
    std::string longWord = "{\\rtf1\\" + std::string(100000, 'a') + " x}";
    EXPECT_EQ(Rtf::read(longWord)->text.utf8(), "x");
}

TEST(RtfDamage, FormattingCopiedIntoEveryRunIsBoundedByTheFileSize)
{
    text::test::DiagnosticLines diagnostics;
    // Each run carries its own copy of the link: a few bytes per run must not cost 8 KB each.
    std::string hostile = "{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"" + std::string(8000, 'A') + "\"}{\\fldrslt ";
    for (int i = 0; i < 100000; ++i)
        hostile += i % 2 ? "\\b0 a" : "\\b a";
    hostile += "}}}";
    auto document = Rtf::read(hostile);
    ASSERT_TRUE(document);
    EXPECT_FALSE(document->complete);
    size_t linkBytes = document->text.runs().size() * 8000;
    EXPECT_GT(linkBytes, Rtf::maximumFormattingBytes);
    EXPECT_LE(linkBytes, Rtf::maximumFormattingBytes + Rtf::formattingBytesPerByte * hostile.size() + 8000);
    EXPECT_EQ(document->text.attributesAt(0).link, std::string(8000, 'A'));
    ASSERT_EQ(diagnostics.lines.size(), 1u);
    EXPECT_NE(diagnostics.lines[0].find("more memory"), std::string::npos);

    // A long page of ordinary formatting is far below the bound.
    std::string page = "{\\rtf1{\\fonttbl\\f0 Helvetica;\\f1 Helvetica-Bold;}{\\colortbl;\\red255\\green0\\blue0;}";
    for (int i = 0; i < 5000; ++i)
        page += "\\f0 a {\\field{\\*\\fldinst{HYPERLINK \"https://example.org/some/page\"}}{\\fldrslt\\f1\\cf1 x}}\\par\n";
    page += "}";
    EXPECT_TRUE(Rtf::read(page)->complete);
}

TEST(RtfDamage, ListLabelsPlacedInTheirParagraphsCostNoMoreThanTheText)
{
    // Every label read before its paragraph's properties is moved into that paragraph, at
    // the end of a text of ever more runs.
    const int items = 20000;
    std::string many = "{\\rtf1{\\fonttbl\\f0 A;\\f1 B;}{\\*\\listtable{\\list{\\listlevel\\levelnfc23}\\listid1}}"
                       "{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}";
    for (int i = 0; i < items; ++i)
        many += "{\\listtext\\pard\\plain\\f1 \\'95\\tab}\\pard\\ls1\\f0 x\\par\n";
    auto document = Rtf::read(many + "}");
    ASSERT_TRUE(document);
    EXPECT_EQ(document->text.length(), 5u * items);
    EXPECT_EQ(document->text.runs().size(), 2u * items);
    EXPECT_EQ(document->text.runs().back().attributes.paragraph.textLists, std::vector<std::string> { "{disc}" });
    EXPECT_EQ(document->text.runs()[0].attributes.paragraph.textLists, std::vector<std::string> { "{disc}" });
}

TEST(RtfDamage, BrokenEscapesAndStrayBytesAreSkipped)
{
    text::test::DiagnosticLines diagnostics;
    EXPECT_EQ(Rtf::read("{\\rtf1 a\\'zz\\'4 b\\")->text.utf8(), "azz\x04 b");
    EXPECT_EQ(Rtf::read("{\\rtf1 a}}}}trailing")->text.utf8(), "a");
    EXPECT_EQ(Rtf::read(std::string("{\\rtf1 a\0b}", 11))->text.string(), std::u16string(u"a\0b", 3));
    EXPECT_EQ(Rtf::read("{\\rtf1{\\field{\\*\\fldinst HYPERLINK}{\\fldrslt x}}{\\fldinst y}z}")->text.utf8(), "xz");
    expectStable("{\\rtf1{\\fonttbl\\f0 Semi\\'3bcolon;}\\f0 x}");
    // Newlines in names and links are characters of theirs, not breaks.
    expectStable("{\\rtf1{\\fonttbl\\f0 Two\\u8233 lines\\u133;}\\f0 x{\\field{\\*\\fldinst HYPERLINK \"a\\u8232\\u13 b\"}{\\fldrslt y}}}");
}

TEST(RtfDamage, RandomMutationsOfValidFilesNeverCrashAndStayStable)
{
    text::test::DiagnosticLines diagnostics;
    std::mt19937 random(20261206);
    const std::string_view tokens[] = { "{", "}", "\\", "\\'", "\\u", "\\uc9", "\\*", "\\par", "\\f", "\\b", "\\cf3",
        "\\fldrslt", "\\NeXTGraphic", "\\ls1", ";", "\\bin3", "-", "99999", "\xFF", "{\\listtext ", "{\\leveltext ",
        "{\\*\\levelmarker ", "\\pard", "\\tab", "\t", " ", "1.", "\\ilvl1", "\\'00", "\\u65532", "\\u57353", "\\rtlch",
        "\\ltrch", "\\dbch", "\\loch" };
    for (int round = 0; round < 2000; ++round) {
        std::string data = samples[round % std::size(samples)];
        int edits = 1 + static_cast<int>(random() % 6);
        for (int e = 0; e < edits && !data.empty(); ++e) {
            size_t at = random() % data.size();
            switch (random() % 4) {
            case 0:
                data.erase(at, 1 + random() % 8);
                break;
            case 1:
                data.insert(at, tokens[random() % std::size(tokens)]);
                break;
            case 2:
                data[at] = static_cast<char>(random());
                break;
            default:
                data.insert(at, data.substr(random() % data.size(), random() % 40));
            }
        }
        expectStable(data);
        if (HasFailure())
            return;
    }
}
