#include "platform/gfx/Image.h"

#include "platform/gfx/Bitmap.h"

#include <cairo.h>
#include <cmath>

namespace gfx {

namespace {
bool usable(Size size) { return std::isfinite(size.width) && std::isfinite(size.height) && size.width > 0 && size.height > 0; }
}

std::shared_ptr<Image> Image::create(Size size, bool flipped, DrawingHandler handler)
{
    return std::shared_ptr<Image>(new Image(size, flipped, std::move(handler)));
}

std::shared_ptr<Image> Image::fromBitmap(std::shared_ptr<Bitmap> bitmap, double scale)
{
    if (!bitmap || !(scale > 0))
        return nullptr;
    Size size { bitmap->width() / scale, bitmap->height() / scale };
    return create(size, false, [bitmap, size](const Rect&) {
        GraphicsContext::requireCurrent().paint([&](cairo_t* cr) {
            // Bitmap rows run top down; the image's y runs up.
            cairo_translate(cr, 0, size.height);
            cairo_scale(cr, size.width / bitmap->width(), -size.height / bitmap->height());
            cairo_set_source_surface(cr, bitmap->cairoSurface(), 0, 0);
            cairo_rectangle(cr, 0, 0, bitmap->width(), bitmap->height());
            cairo_fill(cr);
        });
        return true;
    });
}

std::shared_ptr<Image> Image::loadPng(const std::filesystem::path& path) { return fromBitmap(Bitmap::loadPng(path)); }

std::shared_ptr<Bitmap> Image::rasterize(double scale) const
{
    if (!usable(m_size) || !(scale > 0))
        return nullptr;
    auto bitmap = Bitmap::create(int(std::ceil(m_size.width * scale)), int(std::ceil(m_size.height * scale)));
    if (!bitmap)
        return nullptr;
    auto context = bitmap->makeContext(scale, m_flipped);
    GraphicsContext::MakeCurrent current(*context);
    if (m_handler)
        m_handler({ 0, 0, m_size.width, m_size.height });
    return bitmap;
}

bool Image::savePng(const std::filesystem::path& path, double scale) const
{
    auto bitmap = rasterize(scale);
    return bitmap && bitmap->savePng(path);
}

void Image::replay(const Rect& destination) const
{
    GraphicsContext& context = GraphicsContext::requireCurrent();
    Rect d = destination.standardized();
    context.clipToRect(d);
    // Upright on the screen: the image's own y direction must agree with the screen's.
    bool yDown = context.isFlipped();
    bool turn = yDown != m_flipped;
    context.translate(d.minX(), turn ? d.maxY() : d.minY());
    context.scale(d.width() / m_size.width, (turn ? -1 : 1) * d.height() / m_size.height);
    if (m_handler)
        m_handler({ 0, 0, m_size.width, m_size.height });
}

void Image::draw(const Rect& destination, Operation operation, double fraction) const
{
    if (!usable(m_size) || destination.isEmpty())
        return;
    GraphicsContext& context = GraphicsContext::requireCurrent();
    context.save();
    context.setAlpha(context.alpha() * fraction);
    context.setOperation(operation);
    // Other operations reach no further than the image's rectangle; source-over leaves the
    // clip alone so that a shadow can fall outside it.
    if (operation != Operation::sourceOver)
        context.clipToRect(destination);
    context.beginTransparencyLayer(destination);
    replay(destination);
    context.endTransparencyLayer();
    context.restore();
}

void Image::drawDirectly(const Rect& destination) const
{
    if (!usable(m_size) || destination.isEmpty())
        return;
    GraphicsContext& context = GraphicsContext::requireCurrent();
    context.save();
    replay(destination);
    context.restore();
}

void Image::drawTinted(const Rect& destination, const Color& tint, double fraction) const
{
    if (!usable(m_size) || destination.isEmpty())
        return;
    GraphicsContext& context = GraphicsContext::requireCurrent();
    context.save();
    context.setAlpha(context.alpha() * fraction);
    context.beginTransparencyLayer(destination);
    context.save();
    replay(destination);
    context.restore();
    context.setOperation(Operation::sourceIn);
    context.setFillColor(tint);
    context.fillRect(destination);
    context.endTransparencyLayer();
    context.restore();
}

}
