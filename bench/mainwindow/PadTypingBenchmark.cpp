// A keystroke in a pad page of 100 KB of rich text: the key handled, the typing shortcuts
// and typing features asked, and the window drawn with the spelling of the paragraphs in
// sight (only what changed is drawn again). Target: at most 1 ms.
#include "BenchWindow.h"

#include "mainwindow/MainWindowController.h"
#include "mainwindow/NowAndLaterBoardTextView.h"
#include "mainwindow/PadViewController.h"

#include "platform/base/KeyCodes.h"
#include "platform/ui/Window.h"

#include <benchmark/benchmark.h>

namespace {

void KeystrokeInA100KBPadPage(benchmark::State& state)
{
    bench::BenchWindow bench("ostrel-bench-pad-typing");
    bench.open();
    auto& controller = *bench.mainWindow().controller();
    controller.showPad("nowPadHidden");
    auto& view = *controller.nowPadController()->textView();
    view.showPage({ bench::padPage(100'000), {}, true });
    bench.window().makeFirstResponder(&view);
    // The end of a paragraph in the middle of the page, where typing usually goes.
    std::size_t middle = view.textStorage().string().find(u'\n', view.textStorage().length() / 2);
    view.setSelectedRange({ middle, 0 });
    view.scrollCaretToVisible();
    bench.window().display();
    int i = 0;
    for (auto _ : state) {
        if (++i % 2)
            bench.backend().press(bench.window(), 0, "x");
        else
            bench.backend().press(bench.window(), static_cast<std::uint16_t>(base::KeyCode::Delete), "");
        bench.window().display();
    }
    state.SetLabel("page of " + std::to_string(view.textStorage().length()) + " characters");
}
BENCHMARK(KeystrokeInA100KBPadPage)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}
