#include "platform/ui/TemplateImages.h"

#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Image.h"
#include "platform/gfx/Path.h"

namespace ui::TemplateImages {

namespace {

// An image drawn in black by `shape` into its bounds (y up), marked as a template.
std::shared_ptr<gfx::Image> templateImage(gfx::Size size, void (*shape)(const gfx::Rect&))
{
    auto image = gfx::Image::create(size, false, [shape](const gfx::Rect& bounds) {
        gfx::GraphicsContext::requireCurrent().setColor(gfx::colors::black);
        shape(bounds);
        return true;
    });
    image->setTemplate(true);
    return image;
}

void tick(const gfx::Rect& r)
{
    gfx::Path path;
    path.moveTo({ r.minX() + 1.5, r.minY() + r.height() * 0.5 });
    path.lineTo({ r.minX() + r.width() * 0.4, r.minY() + 2 });
    path.lineTo({ r.maxX() - 1, r.maxY() - 1.5 });
    path.setLineWidth(2);
    path.setLineCap(gfx::LineCap::round);
    path.setLineJoin(gfx::LineJoin::round);
    path.stroke();
}

void plus(const gfx::Rect& r)
{
    gfx::Path path;
    path.moveTo({ r.midX(), r.minY() + 1 });
    path.lineTo({ r.midX(), r.maxY() - 1 });
    path.moveTo({ r.minX() + 1, r.midY() });
    path.lineTo({ r.maxX() - 1, r.midY() });
    path.setLineWidth(2);
    path.stroke();
}

void triangle(const gfx::Rect& r, bool pointsLeft)
{
    gfx::Path path;
    double tip = pointsLeft ? r.minX() + 1 : r.maxX() - 1;
    double back = pointsLeft ? r.maxX() - 1 : r.minX() + 1;
    path.moveTo({ back, r.minY() + 1 });
    path.lineTo({ tip, r.midY() });
    path.lineTo({ back, r.maxY() - 1 });
    path.closePath();
    path.fill();
}

void stopSign(const gfx::Rect& r)
{
    // The cross is cut out of the disc, so the sign reads on any background; in a layer of
    // its own, so that the cut never reaches what the image is drawn over.
    auto& context = gfx::GraphicsContext::requireCurrent();
    context.beginTransparencyLayer(r);
    gfx::Path disc = gfx::Path::oval(r.insetBy(0.5, 0.5));
    disc.fill();
    context.save();
    context.setOperation(gfx::Operation::clear);
    gfx::Path cross;
    double inset = r.width() * 0.3;
    cross.moveTo({ r.minX() + inset, r.minY() + inset });
    cross.lineTo({ r.maxX() - inset, r.maxY() - inset });
    cross.moveTo({ r.minX() + inset, r.maxY() - inset });
    cross.lineTo({ r.maxX() - inset, r.minY() + inset });
    cross.setLineWidth(1.8);
    cross.setLineCap(gfx::LineCap::round);
    cross.stroke();
    context.restore();
    context.endTransparencyLayer();
}

void outwardArrow(const gfx::Rect& r)
{
    gfx::Path ring = gfx::Path::oval(r.insetBy(1, 1));
    ring.setLineWidth(1.2);
    ring.stroke();
    // From the middle up to the right (y up), with its head.
    gfx::Path arrow;
    arrow.moveTo({ r.midX() - 2, r.midY() - 2 });
    arrow.lineTo({ r.maxX() - 3.2, r.maxY() - 3.2 });
    arrow.moveTo({ r.maxX() - 6.5, r.maxY() - 3.2 });
    arrow.lineTo({ r.maxX() - 3.2, r.maxY() - 3.2 });
    arrow.lineTo({ r.maxX() - 3.2, r.minY() + 5.5 });
    arrow.setLineWidth(1.6);
    arrow.setLineCap(gfx::LineCap::round);
    arrow.setLineJoin(gfx::LineJoin::round);
    arrow.stroke();
}

void minus(const gfx::Rect& r)
{
    gfx::Path path;
    path.moveTo({ r.minX() + 1, r.midY() });
    path.lineTo({ r.maxX() - 1, r.midY() });
    path.setLineWidth(2);
    path.stroke();
}

}

std::shared_ptr<gfx::Image> checkMark() { return templateImage({ 12, 12 }, tick); }

std::shared_ptr<gfx::Image> add() { return templateImage({ 12, 12 }, plus); }

std::shared_ptr<gfx::Image> leftTriangle()
{
    return templateImage({ 9, 12 }, [](const gfx::Rect& r) { triangle(r, true); });
}

std::shared_ptr<gfx::Image> rightTriangle()
{
    return templateImage({ 9, 12 }, [](const gfx::Rect& r) { triangle(r, false); });
}

std::shared_ptr<gfx::Image> stop() { return templateImage({ 14, 14 }, stopSign); }

std::shared_ptr<gfx::Image> followLink() { return templateImage({ 12, 12 }, outwardArrow); }

std::shared_ptr<gfx::Image> remove() { return templateImage({ 12, 12 }, minus); }

}
