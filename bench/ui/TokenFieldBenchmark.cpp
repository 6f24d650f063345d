// A tag field showing one very long tag (a damaged or hostile setting or day file): drawing
// the field once, with the tag's length in characters as the argument. The pill shows only
// what fits, whatever the tag's length: the time must not grow with it.
#include "platform/ui/Application.h"
#include "platform/ui/OffscreenBackend.h"
#include "platform/ui/TokenField.h"
#include "platform/ui/Window.h"

#include <benchmark/benchmark.h>

using namespace ui;

namespace {

void DrawFieldWithLongTag(benchmark::State& state)
{
    auto app = Application::create(std::make_unique<OffscreenBackend>());
    auto window = Window::create(Rect(0, 0, 300, 60));
    auto field = TokenField::create();
    field->setStringValue("work, " + std::string(static_cast<std::size_t>(state.range(0)), 'x'));
    field->setFrame(Rect(10, 20, 280, 24));
    window->contentView()->addSubview(field);
    window->orderFront();
    for (auto _ : state) {
        field->setNeedsDisplay();
        window->display();
    }
}

}

BENCHMARK(DrawFieldWithLongTag)->Arg(10)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
