#include "UiFixture.h"

#include "platform/base/KeyCodes.h"

using namespace ui;

namespace {

std::shared_ptr<Swatch> flippedSwatch(Rect frame)
{
    auto s = Swatch::create(gfx::colors::blue, frame);
    s->m_flipped = true;
    return s;
}

}

using Views = UiTest;

TEST_F(Views, ConversionsInUnflippedViewsCountFromTheBottom)
{
    auto w = window(200, 100);
    auto a = Swatch::create(gfx::colors::red, Rect(10, 20, 100, 50));
    w->contentView()->addSubview(a);
    auto b = Swatch::create(gfx::colors::green, Rect(5, 5, 10, 10));
    a->addSubview(b);

    EXPECT_EQ(b->convertPointTo({ 0, 0 }, nullptr), (Point { 15, 25 }));
    EXPECT_EQ(b->convertPointFrom({ 15, 25 }, nullptr), (Point { 0, 0 }));
    EXPECT_EQ(a->convertPointFrom({ 1, 1 }, b.get()), (Point { 6, 6 }));
    // The window sits at 100, 100 on the screen.
    EXPECT_EQ(b->convertPointToScreen({ 0, 0 }), (Point { 115, 125 }));
    EXPECT_EQ(b->convertPointFromScreen({ 115, 125 }), (Point { 0, 0 }));
}

TEST_F(Views, ConversionsThroughFlippedViewsTurnYAround)
{
    auto w = window(200, 100);
    auto f = flippedSwatch(Rect(10, 20, 100, 50));
    w->contentView()->addSubview(f);
    // A flipped view's origin is its top left: 20 + 50 up from the window's bottom.
    EXPECT_EQ(f->convertPointTo({ 0, 0 }, nullptr), (Point { 10, 70 }));
    EXPECT_EQ(f->convertPointTo({ 0, 10 }, nullptr), (Point { 10, 60 }));

    // An unflipped child of a flipped view: its frame counts down from the parent's top.
    auto u = Swatch::create(gfx::colors::red, Rect(5, 10, 20, 20));
    f->addSubview(u);
    EXPECT_EQ(u->convertPointTo({ 0, 0 }, f.get()), (Point { 5, 30 }));
    EXPECT_EQ(u->convertPointTo({ 0, 0 }, nullptr), (Point { 15, 40 }));
    Rect inWindow = u->convertRectTo(u->bounds(), nullptr);
    EXPECT_EQ(inWindow, Rect(15, 40, 20, 20));

    // Scrolling the flipped view moves what it shows, not its frame.
    f->setBoundsOrigin({ 0, 10 });
    EXPECT_EQ(u->convertPointTo({ 0, 0 }, nullptr), (Point { 15, 50 }));
}

TEST_F(Views, HitTestingFindsTheDeepestShownViewInFront)
{
    auto w = window(200, 100);
    auto back = Swatch::create(gfx::colors::red, Rect(0, 0, 100, 100));
    auto front = flippedSwatch(Rect(50, 0, 100, 50));
    w->contentView()->addSubview(back);
    w->contentView()->addSubview(front);
    auto inner = Swatch::create(gfx::colors::green, Rect(0, 0, 10, 10));
    front->addSubview(inner);

    EXPECT_EQ(w->contentView()->hitTest({ 20, 20 }), back.get());
    EXPECT_EQ(w->contentView()->hitTest({ 60, 20 }), front.get());
    // inner is at the top left of the flipped front view: window y from 40 to 50.
    EXPECT_EQ(w->contentView()->hitTest({ 55, 45 }), inner.get());
    EXPECT_EQ(w->contentView()->hitTest({ 55, 35 }), front.get());
    front->setHidden(true);
    EXPECT_EQ(w->contentView()->hitTest({ 60, 20 }), back.get());
    EXPECT_EQ(w->contentView()->hitTest({ 500, 20 }), nullptr);
}

TEST_F(Views, ClicksReachTheViewUnderThePointerInItsOwnCoordinates)
{
    auto w = window(200, 100);
    auto target = flippedSwatch(Rect(50, 0, 100, 50));
    w->contentView()->addSubview(target);
    // 60 from the top of the picture is 40 from the bottom: inside the view, 10 below its top.
    backend().click(*w, { 70, 60 });
    EXPECT_EQ(target->clicks, 1);
    EXPECT_EQ(target->lastClick, (Point { 20, 10 }));
    w->setIgnoresMouseEvents(true);
    backend().click(*w, { 70, 60 });
    EXPECT_EQ(target->clicks, 1);
}

TEST_F(Views, DrawingLandsWhereTheFramesSay)
{
    auto w = window(200, 100);
    w->setBackgroundColor(gfx::colors::black);
    w->contentView()->addSubview(Swatch::create(gfx::colors::red, Rect(0, 0, 100, 50)));
    auto half = Swatch::create(gfx::colors::blue, Rect(100, 50, 100, 50));
    half->setAlphaValue(0.5);
    w->contentView()->addSubview(half);

    // Pixel rows count from the top: the red view fills the bottom left quarter.
    EXPECT_EQ(w->pixelAt(10, 90), gfx::colors::red);
    EXPECT_EQ(w->pixelAt(10, 10), gfx::colors::black);
    gfx::Color blended = w->pixelAt(150, 10);
    EXPECT_NEAR(blended.blue, 0.5, 0.01);
    EXPECT_EQ(blended.red, 0);

    half->setHidden(true);
    EXPECT_EQ(w->pixelAt(150, 10), gfx::colors::black);
    auto png = std::filesystem::path(std::getenv("HOME")) / "window.png";
    EXPECT_TRUE(w->writePng(png));
    EXPECT_GT(std::filesystem::file_size(png), 0u);
}

TEST_F(Views, DrawingIsCoalescedIntoOnePassPerTurn)
{
    auto w = window(200, 100);
    w->display();
    int before = backend().presentedFrames();
    auto s = Swatch::create(gfx::colors::red, Rect(0, 0, 10, 10));
    w->contentView()->addSubview(s);
    s->setNeedsDisplay();
    s->setNeedsDisplayInRect(Rect(0, 0, 5, 5));
    loop().runOnce();
    EXPECT_EQ(backend().presentedFrames(), before + 1);
    EXPECT_FALSE(loop().runOnce());
}

TEST_F(Views, KeysAViewDoesNotTakeGoUpToItsSuperview)
{
    struct Panel : View {
        Panel() : View(Rect(0, 0, 100, 100)) { }
        void keyDown(const Event& e) override { keys += e.characters(); }
        std::string keys;
    };
    auto w = window();
    auto panel = std::shared_ptr<Panel>(new Panel);
    w->contentView()->addSubview(panel);
    auto field = Swatch::create(gfx::colors::white, Rect(0, 0, 10, 10));
    panel->addSubview(field);
    // A view must accept first responder to get the keyboard.
    EXPECT_FALSE(w->makeFirstResponder(field.get()));
    field->m_acceptsFirstResponder = true;
    // Clicking a view that accepts makes it first responder.
    backend().click(*w, { 5, 95 });
    EXPECT_EQ(w->firstResponder(), field.get());
    backend().press(*w, static_cast<std::uint16_t>(base::KeyCode::Q), "q");
    EXPECT_EQ(panel->keys, "q");
    // Leaving the window hands the keyboard back to the window itself.
    field->removeFromSuperview();
    EXPECT_EQ(w->firstResponder(), w.get());

    // A view that leaves the tree in its own key handler, as an editor ends itself on
    // Escape, lasts until the handler returns.
    struct Editor : Panel {
        bool acceptsFirstResponder() const override { return true; }
        void keyDown(const Event& e) override
        {
            removeFromSuperview();
            keys += e.characters();
        }
    };
    auto editor = std::shared_ptr<Editor>(new Editor);
    panel->addSubview(editor);
    EXPECT_TRUE(w->makeFirstResponder(editor.get()));
    std::weak_ptr<Editor> watched = editor;
    editor.reset();
    backend().press(*w, static_cast<std::uint16_t>(base::KeyCode::Escape), "\x1b");
    EXPECT_TRUE(watched.expired());
    EXPECT_EQ(w->firstResponder(), w.get());

    // A view outside the window cannot hold its keyboard: its going would go unheard.
    auto stray = std::shared_ptr<Editor>(new Editor);
    EXPECT_FALSE(w->makeFirstResponder(stray.get()));
    EXPECT_EQ(w->firstResponder(), w.get());
}

TEST_F(Views, EachViewDrawsInItsOwnOrientationWithTheContextCurrent)
{
    struct Probe : View {
        explicit Probe(bool flipped) : View(Rect(0, 0, 40, 40)), m_flipped(flipped) { }
        bool isFlipped() const override { return m_flipped; }
        void draw(gfx::GraphicsContext& context, const Rect&) override
        {
            sawFlipped = context.isFlipped();
            sawCurrent = gfx::GraphicsContext::current() == &context;
            // A bar along the view's own y = 0 edge.
            context.setFillColor(gfx::colors::red);
            context.fillRect(Rect(0, 0, 40, 5));
        }
        bool m_flipped;
        bool sawFlipped { false };
        bool sawCurrent { false };
    };
    auto w = window(100, 100);
    auto flipped = std::shared_ptr<Probe>(new Probe(true));
    auto unflipped = std::shared_ptr<Probe>(new Probe(false));
    unflipped->setFrameOrigin({ 50, 0 });
    w->contentView()->addSubview(flipped);
    flipped->addSubview(std::shared_ptr<View>(View::create()));
    w->contentView()->addSubview(unflipped);
    w->display();
    EXPECT_TRUE(flipped->sawFlipped);
    EXPECT_FALSE(unflipped->sawFlipped);
    EXPECT_TRUE(flipped->sawCurrent);
    // Both views sit at the window's bottom (picture rows 60 to 99): the flipped one has its
    // bar at its top, the unflipped one at its bottom.
    EXPECT_EQ(w->pixelAt(10, 62), gfx::colors::red);
    EXPECT_EQ(w->pixelAt(10, 97), gfx::colors::clear);
    EXPECT_EQ(w->pixelAt(60, 97), gfx::colors::red);
    EXPECT_EQ(w->pixelAt(60, 62), gfx::colors::clear);
    EXPECT_EQ(gfx::GraphicsContext::current(), nullptr);
}
