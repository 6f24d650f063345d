#include "shell/PreferencesPaneIcons.h"

#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Image.h"
#include "platform/gfx/Path.h"

#include <cmath>
#include <functional>
#include <map>

namespace ostrel {

namespace {

using Rect = gfx::Rect;
using Point = gfx::Point;

gfx::Path stroked(gfx::Path path, double width = 1.6)
{
    path.setLineWidth(width);
    path.setLineCap(gfx::LineCap::round);
    path.setLineJoin(gfx::LineJoin::round);
    return path;
}

// A cog: a ring with eight teeth.
void general(const Rect& r)
{
    Point c { r.midX(), r.midY() };
    for (int tooth = 0; tooth < 8; ++tooth) {
        double angle = tooth * M_PI / 4;
        gfx::Path line;
        line.moveTo({ c.x + std::cos(angle) * 6.5, c.y + std::sin(angle) * 6.5 });
        line.lineTo({ c.x + std::cos(angle) * 10.5, c.y + std::sin(angle) * 10.5 });
        stroked(line, 3).stroke();
    }
    stroked(gfx::Path::oval(Rect(c.x - 7, c.y - 7, 14, 14)), 2.6).stroke();
}

// A bell (y up).
void notifications(const Rect& r)
{
    gfx::Path bell;
    bell.moveTo({ r.minX() + 4, r.minY() + 7 });
    bell.lineTo({ r.maxX() - 4, r.minY() + 7 });
    bell.curveTo({ r.maxX() - 7, r.minY() + 11 }, { r.maxX() - 7, r.minY() + 8 }, { r.maxX() - 7, r.minY() + 9 });
    bell.curveTo({ r.midX(), r.maxY() - 3 }, { r.maxX() - 7, r.maxY() - 6 }, { r.midX() + 4, r.maxY() - 3 });
    bell.curveTo({ r.minX() + 7, r.minY() + 11 }, { r.midX() - 4, r.maxY() - 3 }, { r.minX() + 7, r.maxY() - 6 });
    bell.curveTo({ r.minX() + 4, r.minY() + 7 }, { r.minX() + 7, r.minY() + 9 }, { r.minX() + 7, r.minY() + 8 });
    bell.closePath();
    bell.fill();
    gfx::Path::oval(Rect(r.midX() - 2.5, r.minY() + 2, 5, 5)).fill();
}

// A no-entry sign.
void distractions(const Rect& r)
{
    stroked(gfx::Path::oval(r.insetBy(3, 3)), 2.4).stroke();
    gfx::Path bar;
    bar.moveTo({ r.minX() + 8, r.midY() });
    bar.lineTo({ r.maxX() - 8, r.midY() });
    stroked(bar, 3).stroke();
}

// A keyboard.
void shortcuts(const Rect& r)
{
    Rect body(r.minX() + 1, r.minY() + 5, r.width() - 2, r.height() - 10);
    stroked(gfx::Path::roundedRect(body, 2.5, 2.5)).stroke();
    for (int row = 0; row < 2; ++row)
        for (int key = 0; key < 5; ++key)
            gfx::Path::rect(Rect(body.minX() + 3 + key * 3.8, body.maxY() - 5 - row * 3.8, 2.2, 2.2)).fill();
    gfx::Path::rect(Rect(body.minX() + 6, body.minY() + 2.5, body.width() - 12, 2)).fill();
}

// A page with lines of text.
void pads(const Rect& r)
{
    stroked(gfx::Path::roundedRect(Rect(r.minX() + 4, r.minY() + 1.5, r.width() - 8, r.height() - 3), 2, 2)).stroke();
    for (int line = 0; line < 4; ++line) {
        gfx::Path text;
        double y = r.maxY() - 7 - line * 4;
        text.moveTo({ r.minX() + 8, y });
        text.lineTo({ r.maxX() - (line == 3 ? 12 : 8), y });
        stroked(text, 1.4).stroke();
    }
}

// An arrow down into a tray.
void softwareUpdate(const Rect& r)
{
    gfx::Path arrow;
    arrow.moveTo({ r.midX(), r.maxY() - 2 });
    arrow.lineTo({ r.midX(), r.minY() + 8 });
    arrow.moveTo({ r.midX() - 5, r.minY() + 13 });
    arrow.lineTo({ r.midX(), r.minY() + 8 });
    arrow.lineTo({ r.midX() + 5, r.minY() + 13 });
    stroked(arrow, 2.2).stroke();
    gfx::Path tray;
    tray.moveTo({ r.minX() + 3, r.minY() + 9 });
    tray.lineTo({ r.minX() + 3, r.minY() + 3 });
    tray.lineTo({ r.maxX() - 3, r.minY() + 3 });
    tray.lineTo({ r.maxX() - 3, r.minY() + 9 });
    stroked(tray, 2).stroke();
}

// Two links of a chain.
void integrations(const Rect& r)
{
    stroked(gfx::Path::roundedRect(Rect(r.minX() + 1.5, r.midY() - 4, 12.5, 8), 4, 4), 2.2).stroke();
    stroked(gfx::Path::roundedRect(Rect(r.maxX() - 14, r.midY() - 4, 12.5, 8), 4, 4), 2.2).stroke();
}

}

std::shared_ptr<gfx::Image> preferencesPaneIcon(const std::string& paneIdentifier)
{
    static const std::map<std::string, void (*)(const Rect&)> shapes { { "General", general },
        { "Notifications", notifications }, { "Distractions", distractions }, { "Shortcuts", shortcuts },
        { "Pads", pads }, { "SoftwareUpdate", softwareUpdate }, { "Integrations", integrations } };
    auto found = shapes.find(paneIdentifier);
    if (found == shapes.end())
        return nullptr;
    auto shape = found->second;
    auto image = gfx::Image::create({ 24, 24 }, false, [shape](const Rect& bounds) {
        gfx::GraphicsContext::requireCurrent().setColor(gfx::colors::black);
        shape(bounds);
        return true;
    });
    image->setTemplate(true);
    return image;
}

}
