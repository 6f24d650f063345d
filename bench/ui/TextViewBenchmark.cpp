// Typing in a long pad: one keystroke (insert or delete a character and update the layout,
// then, with the first argument, draw the window) in a text view holding about 100 KB of
// rich text, at its start or (second argument) in its middle. Target: at most 1 ms.
#include "platform/ui/Application.h"
#include "platform/ui/OffscreenBackend.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TextView.h"
#include "platform/ui/Window.h"

#include <benchmark/benchmark.h>

using namespace ui;

namespace {

text::AttributedString longPad()
{
    text::Attributes plain;
    plain.font = gfx::Font { "Helvetica", 13 };
    text::Attributes bold = plain;
    bold.font->postScriptName = "Helvetica-Bold";
    text::Attributes link = plain;
    link.link = "https://example.org/task";
    text::AttributedString pad;
    while (pad.length() < 100'000) {
        pad.append(u"Write the ", plain);
        pad.append(u"quarterly report", bold);
        pad.append(u" and send it to the team before Friday; check ", plain);
        pad.append(u"the task", link);
        pad.append(u" for the figures that are still missing from the draft.\n", plain);
    }
    return pad;
}

void KeystrokeInLongPad(benchmark::State& state)
{
    auto app = Application::create(std::make_unique<OffscreenBackend>());
    auto window = Window::create(Rect(0, 0, 420, 600));
    auto scroll = ScrollView::create();
    scroll->setContentView(ClipView::create(true));
    scroll->setFrame(Rect(0, 0, 420, 600));
    auto view = TextView::create();
    scroll->setDocumentView(view);
    window->contentView()->addSubview(scroll);
    window->orderFront();
    view->setAttributedString(longPad());
    window->display();
    // In the middle of the pad, where a paragraph has neighbours on both sides.
    view->setSelectedRange({ state.range(1) ? view->textStorage().length() / 2 : 10, 0 });
    window->makeFirstResponder(view.get());
    view->scrollCaretToVisible();
    int i = 0;
    for (auto _ : state) {
        if (++i % 2)
            view->insertText(u"x");
        else
            view->deleteBackward();
        if (state.range(0))
            window->display();
    }
    state.SetLabel("pad of " + std::to_string(view->textStorage().length()) + " characters");
}
BENCHMARK(KeystrokeInLongPad)->Args({0, 1})->Args({1, 0})->Args({1, 1})->Unit(benchmark::kMillisecond);

}

BENCHMARK_MAIN();
