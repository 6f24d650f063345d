// Renders every member of every drawing kit, reached by its selector, onto one PNG contact
// sheet: kit-sheet <output.png> [fonts.conf] [only members whose selector holds this]

#include "drawing/BreakTimeStyleKit.h"
#include "drawing/BricksDrawing.h"
#include "drawing/CountDownStyleKit.h"
#include "drawing/DurationViewStyleKit.h"
#include "drawing/KeyboardShortcutsStyleKit.h"
#include "drawing/OstrelStyleKit.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Fonts.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Image.h"
#include "platform/gfx/Path.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

using namespace ostrel;

namespace {

constexpr int kColumns = 5;
constexpr double kCellWidth = 330, kCellHeight = 230, kArtWidth = 310, kArtHeight = 170;
const gfx::Color kArtBackground = gfx::Color::white(0.72);

struct Kit {
    const char* name;
    const KitSelectorTable& table;
};

// The labels of a selector: "drawBoxWithFrame:title:" has "frame" and "title".
std::vector<std::string> labels(const std::string& selector)
{
    std::vector<std::string> result;
    size_t colon = selector.find(':');
    if (colon == std::string::npos)
        return result;
    size_t with = selector.rfind("With", colon);
    std::string first = selector.substr(with + 4, colon - with - 4);
    first[0] = char(std::tolower(first[0]));
    result.push_back(first);
    for (size_t start = colon + 1; start < selector.size();) {
        size_t next = selector.find(':', start);
        result.push_back(selector.substr(start, next - start));
        start = next + 1;
    }
    return result;
}

// A value that shows the member off, by the parameter's kind and label, at the size its
// callers use it.
KitArgument sampleArgument(KitArgumentKind kind, const std::string& label, const std::string& selector)
{
    bool small = selector.find("Small") != std::string::npos;
    if (selector.starts_with("drawDuration") || selector.starts_with("drawSmallDuration")) {
        if (label == "digitSize")
            return small ? 30.0 : 60.0;
        if (label == "labelSize")
            return small ? 9.0 : 14.0;
    }
    // The recorder's box is as high as its title band.
    if (kind == KitArgumentKind::rect && (selector.starts_with("drawBox") || selector.starts_with("drawSmallBox")))
        return gfx::Rect { 0, 0, kArtWidth, small ? 20.0 : 22.0 };
    static const std::map<std::string, double> numbers { { "startAngle", 90 }, { "endAngle", 225 }, { "textFieldWidth", kArtWidth },
        { "digitSize", 56 }, { "labelBottomInset", 12 }, { "labelSize", 14 }, { "resizing", 0 }, { "horizontalCenter", kArtWidth / 2 } };
    static const std::map<std::string, std::string> texts { { "text", "05:03" }, { "title", "Title" }, { "firstLabel", "h" },
        { "secondLabel", "m" }, { "firstDigits", "01" }, { "secondDigits", "25" }, { "char1", "⌘" }, { "char2", "K" },
        { "label", "Team meeting" } };
    switch (kind) {
    case KitArgumentKind::rect: return gfx::Rect { 0, 0, kArtWidth, kArtHeight };
    case KitArgumentKind::size: return gfx::Size { kArtWidth, kArtHeight };
    case KitArgumentKind::number: return numbers.contains(label) ? numbers.at(label) : 1.0;
    case KitArgumentKind::boolean: return label == "isEnabled";
    case KitArgumentKind::text: return texts.contains(label) ? texts.at(label) : std::string("Text");
    case KitArgumentKind::color:
        if (label == "genericFillColor")
            return gfx::Color::white(0.95);
        if (label.find("Border") != std::string::npos)
            return gfx::colors::red;
        return gfx::Color::white(0.1);
    case KitArgumentKind::gradient: return BricksDrawing::standardHighlightGradient();
    case KitArgumentKind::shadow: return BricksDrawing::lightShadow();
    }
    return 0.0;
}

void show(const KitResult& result)
{
    gfx::GraphicsContext& context = gfx::GraphicsContext::requireCurrent();
    gfx::Rect swatch { 20, 20, kArtWidth - 40, kArtHeight - 40 };
    if (auto color = std::get_if<const gfx::Color*>(&result)) {
        context.setFillColor(**color);
        context.fillRect(swatch);
    } else if (auto gradient = std::get_if<const gfx::Gradient*>(&result)) {
        (*gradient)->drawInRect(swatch, 90);
    } else if (auto shadow = std::get_if<const gfx::Shadow*>(&result)) {
        context.save();
        context.setShadow(scaledShadow(**shadow, 4));
        context.setFillColor(gfx::colors::white);
        context.fillRect(swatch);
        context.restore();
    } else if (auto image = std::get_if<std::shared_ptr<gfx::Image>>(&result)) {
        gfx::Size size = (*image)->size();
        double scale = std::min({ kArtWidth / size.width, kArtHeight / size.height, 4.0 });
        (*image)->draw({ 0, 0, size.width * scale, size.height * scale });
    }
}

void drawCell(const Kit& kit, const KitSelectorTable::Entry& entry, gfx::Point origin)
{
    gfx::GraphicsContext& context = gfx::GraphicsContext::requireCurrent();
    gfx::drawText(std::string(kit.name) + "\n" + entry.selector, { origin.x, origin.y + kArtHeight + 4, kArtWidth, kCellHeight - kArtHeight - 14 },
        gfx::TextStyle(gfx::Font::system(9), gfx::colors::black));

    context.save();
    context.setFillColor(kArtBackground);
    context.fillRect({ origin.x, origin.y, kArtWidth, kArtHeight });
    context.clipToRect({ origin.x, origin.y, kArtWidth, kArtHeight });
    context.translate(origin.x, origin.y);
    std::vector<KitArgument> arguments;
    auto names = labels(entry.selector);
    for (size_t i = 0; i < entry.parameters.size(); ++i)
        arguments.push_back(sampleArgument(entry.parameters[i], names[i], entry.selector));
    if (auto result = kit.table.perform(entry.selector, arguments))
        show(*result);
    context.restore();
}

}

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <output.png> [fonts.conf] [selector part]\n", argv[0]);
        return 2;
    }
    if (argc > 2 && !gfx::pinFonts(argv[2]))
        std::fprintf(stderr, "%s: could not read %s, using the desktop's fonts\n", argv[0], argv[2]);

    const std::vector<Kit> kits { { "OstrelStyleKit", OstrelStyleKit::selectors() }, { "CountDownStyleKit", CountDownStyleKit::selectors() },
        { "BreakTimeStyleKit", BreakTimeStyleKit::selectors() }, { "KeyboardShortcutsStyleKit", KeyboardShortcutsStyleKit::selectors() },
        { "DurationViewStyleKit", DurationViewStyleKit::selectors() }, { "BricksDrawing", BricksDrawing::selectors() } };
    std::string part = argc > 3 ? argv[3] : "";
    auto shown = [&](const KitSelectorTable::Entry& entry) { return entry.selector.find(part) != std::string::npos; };
    size_t count = 0;
    for (const Kit& kit : kits)
        count += std::count_if(kit.table.entries().begin(), kit.table.entries().end(), shown);
    if (count == 0) {
        std::fprintf(stderr, "%s: no member's selector holds \"%s\"\n", argv[0], part.c_str());
        return 1;
    }
    int rows = int((count + kColumns - 1) / kColumns);

    auto bitmap = gfx::Bitmap::create(int(kColumns * kCellWidth), int(rows * kCellHeight));
    if (!bitmap) {
        std::fprintf(stderr, "%s: sheet too large\n", argv[0]);
        return 1;
    }
    // Rows are counted from the top of the sheet, in a y-up context.
    auto context = bitmap->makeContext(1, false);
    gfx::GraphicsContext::MakeCurrent current(*context);
    context->setFillColor(gfx::colors::white);
    context->fillRect({ 0, 0, kColumns * kCellWidth, rows * kCellHeight });
    size_t index = 0;
    for (const Kit& kit : kits) {
        for (const auto& entry : kit.table.entries()) {
            if (!shown(entry))
                continue;
            int row = int(index / kColumns), column = int(index % kColumns);
            drawCell(kit, entry, { column * kCellWidth + 10, (rows - 1 - row) * kCellHeight + 10 });
            ++index;
        }
    }
    if (!bitmap->savePng(argv[1])) {
        std::fprintf(stderr, "%s: could not write %s\n", argv[0], argv[1]);
        return 1;
    }
    std::printf("%zu members drawn into %s\n", count, argv[1]);
    return 0;
}

