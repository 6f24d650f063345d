#include "drawing/BreakTimeStyleKit.h"
#include "drawing/BricksDrawing.h"
#include "drawing/CountDownStyleKit.h"
#include "drawing/DurationViewStyleKit.h"
#include "drawing/KeyboardShortcutsStyleKit.h"
#include "drawing/OstrelStyleKit.h"
#include "platform/base/Diagnostics.h"
#include "tests/drawing/KitCanvas.h"

#include <gtest/gtest.h>
#include <limits>

using namespace ostrel;

namespace {

// Arguments of the right kinds with values no caller should send.
std::vector<KitArgument> hostileArguments(const KitSelectorTable::Entry& entry, double number, const gfx::Rect& rect)
{
    std::vector<KitArgument> arguments;
    for (KitArgumentKind kind : entry.parameters) {
        switch (kind) {
        case KitArgumentKind::rect: arguments.push_back(rect); break;
        case KitArgumentKind::size: arguments.push_back(gfx::Size { rect.size.width, rect.size.height }); break;
        case KitArgumentKind::number: arguments.push_back(number); break;
        case KitArgumentKind::boolean: arguments.push_back(true); break;
        case KitArgumentKind::text: arguments.push_back(std::string("\xff\xfe broken \xc3 utf-8 \n\n\n")); break;
        case KitArgumentKind::color: arguments.push_back(gfx::Color { number, number, number, number }); break;
        case KitArgumentKind::gradient: arguments.push_back(gfx::Gradient(std::vector<gfx::Gradient::Stop> {})); break;
        case KitArgumentKind::shadow: arguments.push_back(gfx::Shadow { gfx::colors::black, { number, number }, number }); break;
        }
    }
    return arguments;
}

}

TEST(HostileInput, NonsenseArgumentsNeitherCrashNorSpoilTheContext)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<const KitSelectorTable*> kits { &OstrelStyleKit::selectors(), &CountDownStyleKit::selectors(),
        &BreakTimeStyleKit::selectors(), &KeyboardShortcutsStyleKit::selectors(), &DurationViewStyleKit::selectors(),
        &BricksDrawing::selectors() };
    const std::vector<std::pair<double, gfx::Rect>> cases { { nan, { nan, nan, nan, nan } }, { inf, { -inf, 0, inf, 1 } },
        { 1e12, { -1e12, -1e12, 2e12, 2e12 } }, { -1e6, { 5, 5, -1e-9, 1e-9 } }, { 0, { 0, 0, 0.3, 0.3 } } };
    auto previous = base::setDiagnosticSink([](std::string_view) { });
    for (const auto* table : kits) {
        for (const auto& entry : table->entries()) {
            for (const auto& [number, rect] : cases) {
                SCOPED_TRACE(entry.selector + " with " + std::to_string(number));
                test::Canvas canvas(40, 40);
                auto result = table->perform(entry.selector, hostileArguments(entry, number, rect));
                if (result) {
                    if (auto image = std::get_if<std::shared_ptr<gfx::Image>>(&*result))
                        (*image)->draw({ 0, 0, 40, 40 });
                }
                // Whatever happened, the context still draws.
                canvas.context().setAlpha(1);
                canvas.context().setFillColor(gfx::colors::blue);
                canvas.context().fillRect({ 0, 0, 40, 40 });
                EXPECT_EQ(canvas.at(20, 20), gfx::colors::blue);
            }
        }
    }
    base::setDiagnosticSink(previous);
}
