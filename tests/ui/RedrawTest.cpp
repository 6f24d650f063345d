#include "UiFixture.h"

#include "platform/ui/Constraint.h"
#include "platform/ui/TextField.h"

#include <cairo.h>
#include <string>

using namespace ui;

namespace {

// A view that counts the layouts solved with it in the tree.
class LayoutCounter : public View {
public:
    static std::shared_ptr<LayoutCounter> create(Rect frame) { return std::shared_ptr<LayoutCounter>(new LayoutCounter(frame)); }
    void layout() override { ++layouts; }
    int layouts { 0 };

private:
    explicit LayoutCounter(Rect frame)
        : View(frame)
    {
    }
};

// Read-outs that change once a second: a label over a background, as the count-down shows
// its remaining time.
class Redraws : public UiTest {
protected:
    Redraws()
    {
        w = window(300, 200);
        background = Swatch::create(gfx::Color::rgb(0.2, 0.4, 0.6), Rect(0, 0, 300, 200));
        w->contentView()->addSubview(background);
        counter = LayoutCounter::create(Rect(0, 0, 300, 200));
        background->addSubview(counter);
        label = TextField::createLabel("10:00");
        label->setTextColor(gfx::colors::white);
        label->setTranslatesAutoresizingMaskIntoConstraints(false);
        counter->addSubview(label);
        counter->addConstraint(Constraint::create(label.get(), LayoutAttribute::Left, LayoutRelation::Equal, counter.get(),
            LayoutAttribute::Left, 1, 20));
        counter->addConstraint(Constraint::create(label.get(), LayoutAttribute::Top, LayoutRelation::Equal, counter.get(),
            LayoutAttribute::Top, 1, 20));
        w->display();
    }

    // A mark drawn straight into the picture, far from the label: only a whole drawing of the
    // window covers it again.
    void markFarCorner()
    {
        cairo_t* cr = cairo_create(w->surface());
        cairo_set_source_rgb(cr, 1, 0, 1);
        cairo_rectangle(cr, 280, 180, 4, 4);
        cairo_fill(cr);
        cairo_destroy(cr);
    }
    bool markStays() { return w->pixelAt(281, 181) == gfx::Color::rgb(1, 0, 1); }
    std::string picture()
    {
        cairo_surface_t* surface = w->surface();
        return std::string(reinterpret_cast<const char*>(cairo_image_surface_get_data(surface)),
            std::size_t(cairo_image_surface_get_stride(surface)) * std::size_t(cairo_image_surface_get_height(surface)));
    }
    std::string wholeDrawing()
    {
        w->redrawAll();
        w->display();
        return picture();
    }

    std::shared_ptr<Window> w;
    std::shared_ptr<Swatch> background;
    std::shared_ptr<LayoutCounter> counter;
    std::shared_ptr<TextField> label;
};

TEST_F(Redraws, ALabelsNewTextIsDrawnAloneAndAsAWholeDrawingWouldDrawIt)
{
    markFarCorner();
    label->setStringValue("09:59");
    loop().runOnce();
    EXPECT_TRUE(markStays()) << "the whole window was drawn for one label";
    std::string partial = picture();
    wholeDrawing();
    markFarCorner();
    EXPECT_EQ(partial, picture()) << "the label's part differs from a whole drawing";

    // A shorter text leaves nothing of the longer one behind.
    label->setStringValue("9");
    loop().runOnce();
    EXPECT_TRUE(markStays());
    partial = picture();
    EXPECT_EQ(partial, (wholeDrawing(), markFarCorner(), picture()));
}

TEST_F(Redraws, TheSameTextAsksForNeitherLayoutNorDrawing)
{
    int layouts = counter->layouts;
    label->setStringValue("10:00");
    EXPECT_FALSE(w->needsDisplay());
    loop().runOnce();
    EXPECT_EQ(counter->layouts, layouts);
}

TEST_F(Redraws, ANewTextOfTheSameSizeSolvesNoLayoutAndAWiderOneDoes)
{
    int layouts = counter->layouts;
    label->setStringValue("10:01");
    loop().runOnce();
    EXPECT_EQ(counter->layouts, layouts) << "digits of one width: the constraints give what they gave";
    label->setStringValue("10:01 and a few more words");
    loop().runOnce();
    EXPECT_GT(counter->layouts, layouts);
    EXPECT_GT(label->frame().width(), 150);
}

TEST_F(Redraws, AnEditableFieldIsDrawnWhole)
{
    // It draws the keyboard's focus and caret from the window's state as well as its text.
    label->setEditable(true);
    w->display();
    markFarCorner();
    label->setStringValue("09:59");
    loop().runOnce();
    EXPECT_FALSE(markStays());
}

TEST_F(Redraws, AViewMovedAlongARulerAsksForNoLayoutAndShowsOnlyWhereItIsNow)
{
    auto marker = Swatch::create(gfx::colors::red, Rect(100, 100, 10, 10));
    background->addSubview(marker);
    w->display();
    int layouts = counter->layouts;
    marker->setFrameWithoutLayout(Rect(150, 100, 10, 10));
    loop().runOnce();
    EXPECT_EQ(counter->layouts, layouts);
    // Pixel rows count from the top: the marker's bottom is 100 points up.
    EXPECT_EQ(w->pixelAt(155, 95), gfx::colors::red);
    EXPECT_EQ(w->pixelAt(105, 95), gfx::Color::rgb(0.2, 0.4, 0.6));
    // A later layout keeps it where it was moved.
    label->setStringValue("a text wide enough to need a new layout");
    w->display();
    EXPECT_GT(counter->layouts, layouts);
    EXPECT_EQ(marker->frame(), Rect(150, 100, 10, 10));
}

}
