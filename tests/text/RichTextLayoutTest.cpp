#include "platform/text/RichTextLayout.h"
#include "tests/support/gfx/Canvas.h"
#include "tests/text/TextPrinting.h"

#include "platform/gfx/Fonts.h"

#include <pango/pangocairo.h>

#include <gtest/gtest.h>
#include <map>
#include <random>

using text::AttributedString;
using text::Attributes;
using text::RichTextLayout;

namespace {

class RichTextLayoutTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(gfx::test::pinShippedFonts()); }
};

Attributes font(std::string name, double size = 14)
{
    Attributes a;
    a.font = gfx::Font::named(std::move(name), size);
    return a;
}

Attributes aligned(text::Alignment alignment)
{
    Attributes a = font("Helvetica");
    a.paragraph.alignment = alignment;
    return a;
}

std::vector<text::Range> lineRanges(const RichTextLayout& layout)
{
    std::vector<text::Range> ranges;
    for (const auto& line : layout.lines())
        ranges.push_back(line.range);
    return ranges;
}

}

TEST_F(RichTextLayoutTest, ParagraphsEndAtEveryLineEndButCrLfIsOne)
{
    RichTextLayout layout(AttributedString(u"one\ntwo\r\nthree\n", font("Helvetica")));
    EXPECT_EQ(lineRanges(layout), (std::vector<text::Range> { { 0, 3 }, { 4, 3 }, { 9, 5 }, { 15, 0 } }));
    const auto& lines = layout.lines();
    for (size_t i = 1; i < lines.size(); ++i) {
        EXPECT_NEAR(lines[i].rect.origin.y, lines[i - 1].rect.maxY(), 0.01);
        EXPECT_NEAR(lines[i].rect.height(), lines[0].rect.height(), 0.01) << "a blank line is as tall as the text";
    }
    EXPECT_NEAR(layout.boundingRect().height(), lines.back().rect.maxY(), 0.01);
}

TEST_F(RichTextLayoutTest, AWidthWrapsAtWords)
{
    AttributedString s(u"Call the bank about the transfer, then finish the numbers", font("Helvetica"));
    RichTextLayout wide(s);
    RichTextLayout narrow(s, 120);
    EXPECT_EQ(wide.lines().size(), 1u);
    ASSERT_GT(narrow.lines().size(), 2u);
    EXPECT_LE(narrow.boundingRect().width(), 120);
    EXPECT_GT(narrow.boundingRect().height(), 2 * wide.boundingRect().height());
    size_t covered = 0;
    for (const auto& line : narrow.lines()) {
        EXPECT_EQ(line.range.location, covered);
        covered = line.range.end();
    }
    EXPECT_EQ(covered, s.length());
}

TEST_F(RichTextLayoutTest, RunsKeepTheirOwnFontsAndParagraphsTheirAlignment)
{
    RichTextLayout regular(AttributedString(u"Focus", font("Helvetica")));
    RichTextLayout bold(AttributedString(u"Focus", font("Helvetica-Bold")));
    RichTextLayout large(AttributedString(u"Focus", font("Helvetica", 28)));
    EXPECT_GT(bold.boundingRect().width(), regular.boundingRect().width());
    EXPECT_GT(large.boundingRect().height(), 1.8 * regular.boundingRect().height());

    AttributedString s(u"left\n", aligned(text::Alignment::Left));
    s.append(u"centre\n", aligned(text::Alignment::Center));
    s.append(u"right", aligned(text::Alignment::Right));
    RichTextLayout layout(s, 300);
    const auto& lines = layout.lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_NEAR(lines[0].rect.minX(), 0, 0.01);
    EXPECT_NEAR(lines[1].rect.midX(), 150, 1);
    EXPECT_NEAR(lines[2].rect.maxX(), 300, 1);
}

TEST_F(RichTextLayoutTest, CaretPositionsAndHitsAgreeInUtf16Units)
{
    AttributedString s(u"a\U0001F600b caf\u00E9\nnext", font("Helvetica"));
    RichTextLayout layout(s);
    EXPECT_EQ(layout.caretRect(1), layout.caretRect(2)) << "inside a surrogate pair the caret stays before it";
    double previous = -1;
    for (size_t i : { 0, 1, 3, 4, 5, 6, 7, 8, 9 }) {
        gfx::Rect caret = layout.caretRect(i);
        EXPECT_GT(caret.origin.x, previous) << i;
        EXPECT_GT(caret.height(), 10);
        previous = caret.origin.x;
        EXPECT_EQ(layout.indexAt({ caret.origin.x + 0.2, caret.midY() }), i) << i;
    }
    gfx::Rect nextLine = layout.caretRect(10);
    EXPECT_NEAR(nextLine.origin.x, 0, 0.01);
    EXPECT_GT(nextLine.origin.y, layout.caretRect(9).origin.y);
    EXPECT_EQ(layout.indexAt({ 1000, nextLine.midY() }), s.length());
    EXPECT_EQ(layout.indexAt({ -50, -50 }), 0u);
    EXPECT_EQ(layout.indexAt({ 1000, 1000 }), s.length());
    EXPECT_EQ(layout.caretRect(500), layout.caretRect(s.length()));
}

TEST_F(RichTextLayoutTest, SelectionsCoverEachLineTheyTouch)
{
    AttributedString s(u"first line\nsecond line", font("Helvetica"));
    RichTextLayout layout(s);
    auto rects = layout.selectionRects({ 6, 9 });
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_NEAR(rects[0].minX(), layout.caretRect(6).origin.x, 0.01);
    EXPECT_NEAR(rects[0].maxX(), layout.caretRect(10).origin.x, 0.01);
    EXPECT_NEAR(rects[1].minX(), 0, 0.01);
    EXPECT_NEAR(rects[1].maxX(), layout.caretRect(15).origin.x, 0.01);
    EXPECT_TRUE(layout.selectionRects({ 3, 0 }).empty());
}

TEST_F(RichTextLayoutTest, DrawsColoursUnderlinesAndTheDefaultsInTheRect)
{
    Attributes red = font("Helvetica-Bold", 30);
    red.foreground = gfx::Color::rgb(1, 0, 0);
    Attributes struck = font("Helvetica", 30);
    struck.strikethrough = 1;
    AttributedString s(u"\u2588\u2588", red);
    s.append(u"\n\u2588\u2588", {});
    s.append(u"\n____", struck);
    text::LayoutDefaults defaults { gfx::Font::named("Helvetica", 30), gfx::Color::rgb(0, 0, 1) };
    RichTextLayout layout(s, 0, defaults);

    gfx::test::Canvas canvas(200, 150, 1, true);
    canvas.context().setFillColor(gfx::Color::white(1));
    canvas.context().fillRect({ 0, 0, 200, 150 });
    layout.draw({ 10, 10, 180, 130 });
    auto firstLine = layout.lines()[0].rect;
    auto secondLine = layout.lines()[1].rect;
    gfx::test::expectColorNear(canvas.at(10 + firstLine.midX(), 10 + firstLine.midY()), gfx::Color::rgb(1, 0, 0));
    gfx::test::expectColorNear(canvas.at(10 + secondLine.midX(), 10 + secondLine.midY()), gfx::Color::rgb(0, 0, 1));
    gfx::test::expectColorNear(canvas.at(5, 5), gfx::Color::white(1));
    if (const char* out = std::getenv("OSTREL_TEXT_PNG"))
        canvas.bitmap().savePng(out);
}

TEST_F(RichTextLayoutTest, AClippedDrawPaintsTheParagraphsInTheClipInBothSpaces)
{
    // Forty paragraphs of solid blocks; only the ones a clip meets get painted, and those
    // must all be painted, whichever way up the context is.
    AttributedString s;
    for (int i = 0; i < 40; ++i)
        s.append(i ? u"\n\u2588\u2588\u2588" : u"\u2588\u2588\u2588", font("Helvetica", 20));
    text::LayoutDefaults defaults { gfx::Font::named("Helvetica", 20), gfx::Color::rgb(0, 0, 0) };
    RichTextLayout layout(s, 0, defaults);
    ASSERT_EQ(layout.lines().size(), 40u);
    double height = layout.lines().back().rect.maxY();
    for (bool flipped : { true, false }) {
        gfx::test::Canvas canvas(100, int(height) + 1, 1, flipped);
        const auto& middle = layout.lines()[25].rect;
        // A clip around line 25 only, in the canvas's own coordinates.
        double clipY = flipped ? middle.minY() : height - middle.maxY();
        canvas.context().clipToRect({ 0, clipY, 100, middle.height() });
        layout.draw({ 0, 0, 100, height });
        double probeY = flipped ? middle.midY() : height - middle.midY();
        EXPECT_GT(canvas.alphaAt(middle.midX(), probeY), 0.9) << (flipped ? "flipped" : "unflipped");
        double outsideY = flipped ? layout.lines()[5].rect.midY() : height - layout.lines()[5].rect.midY();
        EXPECT_LT(canvas.alphaAt(middle.midX(), outsideY), 0.1);
    }
}

TEST_F(RichTextLayoutTest, UpdatingAfterEditsMatchesAFreshLayout)
{
    Attributes bold = font("Helvetica-Bold");
    Attributes centred = aligned(text::Alignment::Center);
    AttributedString s(u"First paragraph of the page\nsecond one, with more words to wrap\n", font("Helvetica"));
    s.append(u"centred\r\nlast", centred);
    RichTextLayout layout(s, 160);
    struct Edit {
        text::Range range;
        AttributedString replacement;
    };
    const Edit edits[] = {
        { { 5, 0 }, AttributedString(u"x", bold) },
        { { 28, 0 }, AttributedString(u"\n", {}) },
        { { 27, 2 }, AttributedString(u"", {}) },
        { { 0, 0 }, AttributedString(u"\n\n", {}) },
        { { 73, 1 }, AttributedString(u"", {}) },
        { { 72, 0 }, AttributedString(u"\n", centred) },
        { { 10, 30 }, AttributedString(u"joined \U0001F600", bold) },
        { { 0, 200 }, AttributedString(u"", {}) },
        { { 0, 0 }, AttributedString(u"again\r", {}) },
        { { 6, 0 }, AttributedString(u"\nend", {}) },
    };
    for (const auto& edit : edits) {
        text::Range range { std::min(edit.range.location, s.length()), 0 };
        range.length = std::min(edit.range.length, s.length() - range.location);
        s.replace(range, edit.replacement);
        layout.update(s, range, edit.replacement.length());
        RichTextLayout fresh(s, 160);
        ASSERT_EQ(layout.lines(), fresh.lines()) << s.utf8();
        EXPECT_EQ(layout.boundingRect(), fresh.boundingRect());
        EXPECT_EQ(layout.caretRect(s.length()), fresh.caretRect(s.length()));
    }
}

TEST_F(RichTextLayoutTest, TypingBeforeTheLastLineEndsKeepsOneEmptyLastParagraph)
{
    AttributedString s(u"ab\n\n", font("Helvetica"));
    RichTextLayout layout(s, 160);
    s.insert(2, AttributedString(u"x", font("Helvetica")));
    layout.update(s, { 2, 0 }, 1);
    EXPECT_EQ(lineRanges(layout), lineRanges(RichTextLayout(s, 160)));
}

TEST_F(RichTextLayoutTest, RandomEditsOfEveryLineEndKindMatchAFreshLayout)
{
    std::mt19937 random(7);
    const std::u16string pieces[] = { u"a", u"word ", u"\n", u"\r", u"\r\n", u"\U0001F600", u"\u2028", u"\u2029", u"\x85",
        u"\f", u"\xD800", std::u16string(1, u'\0'), u"long words that wrap around the width " };
    const Attributes attributes[] = { {}, font("Helvetica-Bold"), aligned(text::Alignment::Center) };
    for (int round = 0; round < 10; ++round) {
        AttributedString s;
        RichTextLayout layout(s, 120);
        for (int edit = 0; edit < 40; ++edit) {
            size_t location = random() % (s.length() + 1);
            size_t length = random() % 3 == 0 ? random() % (s.length() - location + 1) : 0;
            AttributedString replacement(pieces[random() % std::size(pieces)], attributes[random() % 3]);
            replacement.append(pieces[random() % std::size(pieces)], attributes[random() % 3]);
            s.replace({ location, length }, replacement);
            layout.update(s, { location, length }, replacement.length());
            RichTextLayout fresh(s, 120);
            ASSERT_EQ(lineRanges(layout), lineRanges(fresh)) << round << ", " << edit;
            ASSERT_EQ(layout.lines(), fresh.lines());
            ASSERT_EQ(layout.caretRect(s.length()), fresh.caretRect(s.length()));
        }
    }
}

namespace {

// A page of `paragraphs` paragraphs of a few lines each at a width of 300.
AttributedString longPage(int paragraphs)
{
    AttributedString page;
    for (int i = 0; i < paragraphs; ++i)
        page.append(u"Write the report and send it to the team before Friday; check the figures that are still missing.\n",
            i % 3 ? font("Helvetica") : font("Helvetica-Bold"));
    return page;
}

}

TEST_F(RichTextLayoutTest, ALongPageIsLaidOutAsItIsLookedAtAndEndsUpAsAFreshLayout)
{
    AttributedString page = longPage(3000);
    text::LayoutDefaults defaults { gfx::Font::named("Helvetica", 14) };
    RichTextLayout lazy(page, 300, defaults, RichTextLayout::Laziness::asNeeded);
    EXPECT_FALSE(lazy.isComplete());
    EXPECT_EQ(lazy.paragraphsHoldingLayouts(), 0u) << "nothing shaped before anybody looks";
    EXPECT_GT(lazy.boundingRect().height(), 3000 * 10) << "an estimate of the whole";

    // Looking at the top and at a place far down shapes what is there, and only that.
    gfx::test::Canvas canvas(300, 200);
    lazy.draw({ 0, 0, 300, 200 });
    EXPECT_GT(lazy.paragraphsHoldingLayouts(), 0u);
    EXPECT_LT(lazy.paragraphsHoldingLayouts(), 20u);
    std::size_t middle = page.length() / 2;
    gfx::Rect caret = lazy.caretRect(middle);
    EXPECT_EQ(lazy.indexAt({ caret.minX(), caret.midY() }), middle);
    auto line = lazy.lineAt(middle);
    EXPECT_LE(line.range.location, middle);
    EXPECT_GE(line.range.end(), middle);

    // Pointing everywhere keeps only a bounded number of paragraphs shaped.
    for (std::size_t at = 0; at < page.length(); at += 97)
        lazy.caretRect(at);
    EXPECT_LE(lazy.paragraphsHoldingLayouts(), 400u);

    while (!lazy.layOutMore(0.01)) { }
    EXPECT_TRUE(lazy.isComplete());
    RichTextLayout eager(page, 300, defaults);
    EXPECT_EQ(lazy.boundingRect(), eager.boundingRect());
    ASSERT_EQ(lazy.lines(), eager.lines());
    auto band = lazy.linesIn(5000, 5100);
    ASSERT_FALSE(band.empty());
    for (const auto& shown : band) {
        EXPECT_LE(shown.rect.minY(), 5100);
        EXPECT_GE(shown.rect.maxY(), 5000);
    }
    EXPECT_EQ(lazy.lineAt(middle), eager.lineAt(middle));
}

TEST_F(RichTextLayoutTest, LazyEditsMatchAFreshLayout)
{
    std::mt19937 random(11);
    AttributedString s = longPage(60);
    RichTextLayout layout(s, 200, {}, RichTextLayout::Laziness::asNeeded);
    const std::u16string pieces[] = { u"a", u"word ", u"\n", u"\r\n", u"\U0001F600", u"long words that wrap around " };
    for (int edit = 0; edit < 60; ++edit) {
        size_t location = random() % (s.length() + 1);
        size_t length = random() % 4 == 0 ? std::min<size_t>(random() % 300, s.length() - location) : 0;
        AttributedString replacement(pieces[random() % std::size(pieces)], edit % 2 ? font("Helvetica") : font("Helvetica-Bold"));
        s.replace({ location, length }, replacement);
        layout.update(s, { location, length }, replacement.length());
        // Drawn here and there between edits, as a text view does.
        layout.caretRect(random() % (s.length() + 1));
    }
    RichTextLayout fresh(s, 200);
    ASSERT_EQ(layout.lines(), fresh.lines());
    EXPECT_EQ(layout.boundingRect(), fresh.boundingRect());
}

TEST_F(RichTextLayoutTest, AVeryLongParagraphBreaksAsOnePangoLayoutWould)
{
    // Shaped a piece at a time, yet broken into the very lines pango breaks it into whole.
    std::u16string words;
    while (words.size() < 9000)
        words += u"lorem ipsum dolor sit amet consectetur adipiscing ";
    AttributedString paragraph(words, font("Helvetica"));
    RichTextLayout layout(paragraph, 250);

    PangoContext* context = gfx::newPangoContext();
    PangoLayout* whole = pango_layout_new(context);
    std::string utf8 = paragraph.utf8();
    pango_layout_set_text(whole, utf8.c_str(), int(utf8.size()));
    pango_layout_set_font_description(whole, gfx::pangoFontDescription(gfx::Font::named("Helvetica", 14)).get());
    pango_layout_set_width(whole, 250 * PANGO_SCALE);
    pango_layout_set_wrap(whole, PANGO_WRAP_WORD_CHAR);
    std::vector<size_t> starts;
    PangoLayoutIter* iter = pango_layout_get_iter(whole);
    do
        starts.push_back(size_t(pango_layout_iter_get_line_readonly(iter)->start_index));
    while (pango_layout_iter_next_line(iter));
    pango_layout_iter_free(iter);
    PangoRectangle logical;
    pango_layout_get_extents(whole, nullptr, &logical);
    g_object_unref(whole);
    g_object_unref(context);

    std::vector<size_t> ours;
    for (const auto& line : layout.lines())
        ours.push_back(line.range.location);
    EXPECT_EQ(ours, starts);
    EXPECT_NEAR(layout.boundingRect().height(), double(logical.height) / PANGO_SCALE, 0.5);
    // Every line can be pointed into and comes back.
    for (const auto& line : layout.lines()) {
        gfx::Rect caret = layout.caretRect(line.range.location + 1);
        EXPECT_EQ(layout.indexAt({ caret.minX(), caret.midY() }), line.range.location + 1);
    }
    // Selecting it all covers every line once, none twice where two pieces meet.
    std::map<double, int> rowsCovered;
    for (const auto& rect : layout.selectionRects({ 0, paragraph.length() }))
        rowsCovered[rect.minY()] = 1;
    EXPECT_EQ(rowsCovered.size(), layout.lines().size());
}

TEST_F(RichTextLayoutTest, LinksShowAsLinks)
{
    // Underlined and blue where the text has no colour of its own.
    Attributes link = font("Helvetica", 20);
    link.link = "https://example.org";
    AttributedString s(u"plain ", font("Helvetica", 20));
    s.append(u"\u2588\u2588\u2588", link);
    RichTextLayout layout(s, 0, { gfx::Font::named("Helvetica", 20), gfx::Color::rgb(0, 0, 0) });
    gfx::test::Canvas canvas(300, 40, 1, true);
    layout.draw({ 0, 0, 300, 40 });
    gfx::Rect block = layout.selectionRects({ 6, 3 }).front();
    gfx::Color drawn = canvas.at(block.midX(), block.midY());
    EXPECT_GT(drawn.blue, 0.6);
    EXPECT_LT(drawn.red, 0.2);
}

TEST_F(RichTextLayoutTest, APastedPageWalksItsRunsOnceAndIsLaidOutAsItIsLookedAt)
{
    // Every paragraph its own run, so a walk from the start of the text for each one would
    // visit runs in the square of the page.
    const int paragraphs = 2000;
    AttributedString pasted = longPage(paragraphs);
    text::LayoutDefaults defaults { gfx::Font::named("Helvetica", 14) };
    for (auto laziness : { RichTextLayout::Laziness::none, RichTextLayout::Laziness::asNeeded }) {
        SCOPED_TRACE(laziness == RichTextLayout::Laziness::none ? "eager" : "lazy");
        AttributedString s(u"Notes\n", font("Helvetica"));
        RichTextLayout layout(s, 300, defaults, laziness);
        layout.caretRect(s.length());
        text::Range at { s.length(), 0 };
        s.replace(at, pasted);
        layout.update(s, at, pasted.length());
        if (laziness == RichTextLayout::Laziness::asNeeded) {
            EXPECT_FALSE(layout.isComplete()) << "what nobody looks at yet is only estimated";
            EXPECT_LE(layout.paragraphsHoldingLayouts(), 3u);
        }
        RichTextLayout fresh(s, 300, defaults);
        // The top of the page looks as it would opened afresh.
        gfx::test::Canvas pastedCanvas(300, 200, 1, true);
        layout.draw({ 0, 0, 300, 200 });
        gfx::test::Canvas freshCanvas(300, 200, 1, true);
        fresh.draw({ 0, 0, 300, 200 });
        int differing = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 300; ++x)
                differing += pastedCanvas.at(x, y) == freshCanvas.at(x, y) ? 0 : 1;
        EXPECT_EQ(differing, 0);

        layout.caretRect(s.length());
        layout.lines();
        EXPECT_LT(layout.runsVisited(), 10u * paragraphs);

        ASSERT_EQ(layout.lines(), fresh.lines());
        EXPECT_EQ(layout.boundingRect(), fresh.boundingRect());
        EXPECT_EQ(layout.caretRect(s.length()), fresh.caretRect(s.length()));
        EXPECT_EQ(layout.caretRect(at.location), fresh.caretRect(at.location));
    }
}
