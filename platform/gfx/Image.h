#pragma once

#include "platform/gfx/Geometry.h"
#include "platform/gfx/GraphicsContext.h"

#include <filesystem>
#include <functional>
#include <memory>

namespace gfx {

class Bitmap;

// A picture of a size in points. Made from a drawing handler it stays vector drawing: the
// handler is replayed whenever the image is drawn or rasterised, in the image's own
// coordinates (0, 0, width, height), y up unless the image is flipped. Drawn upright into
// any rectangle, flipped context or not.
class Image {
public:
    // Receives the image's bounds; returns false when it drew nothing worth keeping.
    using DrawingHandler = std::function<bool(const Rect&)>;

    static std::shared_ptr<Image> create(Size, bool flipped, DrawingHandler);
    // The bitmap's pixels at `scale` pixels per point.
    static std::shared_ptr<Image> fromBitmap(std::shared_ptr<Bitmap>, double scale = 1);
    // Nothing for a missing or damaged file.
    static std::shared_ptr<Image> loadPng(const std::filesystem::path&);

    Size size() const { return m_size; }
    bool isFlipped() const { return m_flipped; }
    // A template image is a shape: only its alpha counts, and it is drawn tinted.
    bool isTemplate() const { return m_template; }
    void setTemplate(bool isTemplate) { m_template = isTemplate; }

    // Pixels of the image at `scale` pixels per point; none for an empty image.
    std::shared_ptr<Bitmap> rasterize(double scale = 1) const;
    bool savePng(const std::filesystem::path&, double scale = 1) const;

    // Into `destination` in the current context, with the operation and at `fraction` of
    // the context's alpha; one picture, so it casts one shadow.
    void draw(const Rect& destination, Operation = Operation::sourceOver, double fraction = 1) const;
    // The drawing itself into `destination`, shape by shape, with no picture of its own in
    // between: for drawings of plain shapes laid over what is there, where that picture
    // would cost a copy of the whole rectangle each time (a large dial drawn many times a
    // second).
    void drawDirectly(const Rect& destination) const;
    // The image's alpha filled with `tint`: how template images appear.
    void drawTinted(const Rect& destination, const Color& tint, double fraction = 1) const;

private:
    Image(Size size, bool flipped, DrawingHandler handler)
        : m_size(size)
        , m_flipped(flipped)
        , m_handler(std::move(handler))
    {
    }
    void replay(const Rect& destination) const;

    Size m_size;
    bool m_flipped { false };
    bool m_template { false };
    DrawingHandler m_handler;
};

}
