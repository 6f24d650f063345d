// A window of the window system's own views, for a developer to look at: shown on the
// display, or drawn to a PNG with --png <file> (no display needed).
#include "platform/ui/Application.h"
#include "platform/ui/OffscreenBackend.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/StackView.h"
#include "platform/ui/TabView.h"
#include "platform/ui/Window.h"

#include <cstdio>
#include <string>

using namespace ui;
using A = LayoutAttribute;

namespace {

class Tile : public View {
public:
    static std::shared_ptr<Tile> create(gfx::Color color, Size size)
    {
        auto tile = std::shared_ptr<Tile>(new Tile(color));
        tile->setIntrinsicContentSize(size);
        return tile;
    }
    void draw(gfx::GraphicsContext& context, const Rect&) override
    {
        context.setFillColor(m_color);
        context.fillRect(bounds());
        context.setFillColor(gfx::Color::white(1, 0.6));
        context.fillRect(Rect(0, 0, bounds().width(), 1));
    }
    void mouseDown(const Event&) override
    {
        m_color = m_color.blended(0.5, gfx::colors::white);
        setNeedsDisplay();
    }

private:
    explicit Tile(gfx::Color color)
        : View({})
        , m_color(color)
    {
    }
    gfx::Color m_color;
};

class Flipped : public View {
public:
    static std::shared_ptr<Flipped> create() { return std::shared_ptr<Flipped>(new Flipped); }
    bool isFlipped() const override { return true; }

private:
    Flipped()
        : View({})
    {
    }
};

void pin(View* view, View* to, A attribute, double constant)
{
    to->addConstraint(Constraint::create(view, attribute, LayoutRelation::Equal, to, attribute, 1, constant));
}

struct Quit : WindowDelegate {
    bool windowShouldClose(Window&) override
    {
        if (auto* app = Application::shared())
            app->terminate();
        return true;
    }
};

}

int main(int argc, char** argv)
{
    std::string png;
    if (argc == 3 && std::string(argv[1]) == "--png")
        png = argv[2];
    auto app = Application::create(png.empty() ? WindowBackend::make() : std::make_unique<OffscreenBackend>());
    app->setDarkAppearance(true);

    auto window = Window::create(Rect(200, 200, 480, 320), WindowStyle::Titled | WindowStyle::Closable);
    window->setTitle("Window system");
    window->setBackgroundColor(gfx::Color::rgb(0.2, 0.3, 0.45));
    Quit quit;
    window->setDelegate(&quit);
    View* content = window->contentView();

    auto effect = EffectView::create();
    effect->setMaterial(EffectView::Material::Dark);
    effect->setTranslatesAutoresizingMaskIntoConstraints(false);
    content->addSubview(effect);
    pin(effect.get(), content, A::Left, 12);
    pin(effect.get(), content, A::Top, 12);
    pin(effect.get(), content, A::Bottom, -12);
    effect->addConstraint(Constraint::create(effect.get(), A::Width, LayoutRelation::Equal, 200));

    auto column = StackView::create(Orientation::Vertical);
    column->setSpacing(6);
    column->setEdgeInsets({ 10, 10, 10, 10 });
    column->setTranslatesAutoresizingMaskIntoConstraints(false);
    effect->addSubview(column);
    for (A a : { A::Left, A::Top, A::Right, A::Bottom })
        pin(column.get(), effect.get(), a, 0);
    column->setAlignment(A::Width);
    column->addArrangedSubview(Tile::create(gfx::colors::orange, { 100, 40 }));
    auto hidden = Tile::create(gfx::colors::green, { 100, 40 });
    column->addArrangedSubview(hidden);
    column->setVisibilityPriority(hidden.get(), 0);
    column->addArrangedSubview(Tile::create(gfx::colors::red, { 100, 60 }));
    column->addArrangedSubview(Tile::create(gfx::Color::rgb(0.5, 0.3, 0.8), { 100, 30 }));

    auto scroll = ScrollView::create();
    scroll->setContentView(ClipView::create(true));
    scroll->setHasVerticalScroller(true);
    scroll->setAutohidesScrollers(true);
    scroll->setBackgroundColor(gfx::Color::white(0.15));
    scroll->setTranslatesAutoresizingMaskIntoConstraints(false);
    content->addSubview(scroll);
    content->addConstraint(
        Constraint::create(scroll.get(), A::Left, LayoutRelation::Equal, effect.get(), A::Right, 1, 12));
    pin(scroll.get(), content, A::Right, -12);
    pin(scroll.get(), content, A::Top, 12);
    pin(scroll.get(), content, A::Bottom, -12);

    auto document = Flipped::create();
    document->setTranslatesAutoresizingMaskIntoConstraints(false);
    scroll->setDocumentView(document);
    auto* clip = scroll->contentView();
    for (A a : { A::Left, A::Right, A::Top })
        pin(document.get(), clip, a, 0);
    auto rows = StackView::create(Orientation::Vertical);
    rows->setAlignment(A::Width);
    rows->setEdgeInsets({ 8, 8, 8, 8 });
    rows->setTranslatesAutoresizingMaskIntoConstraints(false);
    document->addSubview(rows);
    for (A a : { A::Left, A::Top, A::Right, A::Bottom })
        pin(rows.get(), document.get(), a, 0);
    for (int i = 0; i < 12; ++i)
        rows->addArrangedSubview(Tile::create(gfx::Color::hsb(i / 12.0, 0.6, 0.9), { 100, 28 }));

    window->makeKeyAndOrderFront();
    if (!png.empty()) {
        bool written = window->writePng(png);
        std::printf("%s %s\n", written ? "wrote" : "could not write", png.c_str());
        return written ? 0 : 1;
    }
    app->run();
    return 0;
}
