// Opening a pad page: the package read from disk, shown in the Now pad and the window drawn.
// Pages of 250 KB, 1 MB and 4 MB of rich text (short paragraphs, bold words, links, a list)
// show the time grows linearly; then one paragraph of 100 and 200 KB without a line break,
// and 1 MB of short plain lines. Target: a 1 MB page in at most 100 ms whatever its
// paragraphs, with at most 30 MB of memory beyond the text itself (the growth of the
// resident set over the first opening, in the label; it counts only for the first page of a
// run, as memory is not given back). Last, a 1 MB page pasted over a page: its time and what
// the resident set grew by.
#include "BenchWindow.h"

#include "mainwindow/MainWindowController.h"
#include "mainwindow/NowAndLaterBoardManager.h"
#include "mainwindow/NowAndLaterBoardTextView.h"
#include "mainwindow/PadViewController.h"

#include "log/BackingStoreDescriptor.h"

#include "platform/base/RestingMemory.h"
#include "platform/text/Rtfd.h"
#include "platform/ui/Pasteboard.h"
#include "platform/ui/Window.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

// A page as people keep them (shape 0); one long paragraph (1); plain short lines (2).
text::AttributedString pageOf(std::size_t characters, int shape)
{
    if (shape == 0)
        return bench::padPage(characters, true);
    std::u16string words;
    const char16_t* piece = shape == 1 ? u"lorem ipsum dolor sit amet consectetur " : u"lorem ipsum dolor sit amet consectetur\n";
    while (words.size() < characters)
        words += piece;
    return text::AttributedString(words, text::Attributes {});
}

double residentMegabytes() { return double(base::resting::residentKilobytes()) / 1024; }

// The window opened on the Now pad.
ostrel::PadViewController& nowPad(bench::BenchWindow& bench)
{
    bench.open();
    auto& controller = *bench.mainWindow().controller();
    controller.showPad("nowPadHidden");
    return *controller.nowPadController();
}

// The page's length, and how much the resident set grew by over the first run.
void labelPage(benchmark::State& state, ostrel::PadViewController& pad, double grown)
{
    char label[120];
    std::snprintf(label, sizeof label, "%zu characters, %.1f MB more resident", pad.textView()->textStorage().length(), grown);
    state.SetLabel(label);
}

void OpenPadPage(benchmark::State& state)
{
    bench::BenchWindow bench("ostrel-bench-page-open");
    auto& pad = nowPad(bench);
    auto page = pad.backingStoreDescriptor()->getPathToSelectedFile();
    if (!page) {
        state.SkipWithError("the Now pad has no page");
        return;
    }
    auto text = pageOf(std::size_t(state.range(0)), int(state.range(1)));
    if (!text::Rtfd::writeFile(*page, text)) {
        state.SkipWithError("the page could not be written");
        return;
    }
    bench.window().display();
    double before = residentMegabytes();
    double grown = -1;
    for (auto _ : state) {
        pad.updateTextView();
        bench.window().display();
        if (grown < 0)
            grown = residentMegabytes() - before;
    }
    labelPage(state, pad, grown);
    // The next run starts from an empty page again.
    text::Rtfd::writeFile(*page, text::AttributedString {});
}
BENCHMARK(OpenPadPage)->Args({250'000, 0})->Args({1'000'000, 0})->Args({4'000'000, 0})->Args({100'000, 1})->Args({200'000, 1})->Args({1'000'000, 1})->Args({1'000'000, 2})->Unit(benchmark::kMillisecond)->Iterations(3);

void PastePadPage(benchmark::State& state)
{
    bench::BenchWindow bench("ostrel-bench-page-paste");
    auto& pad = nowPad(bench);
    ui::Pasteboard::general().clearContents();
    ui::Pasteboard::general().setRichText(pageOf(1'000'000, 0));
    bench.window().display();
    double before = residentMegabytes();
    double grown = -1;
    for (auto _ : state) {
        state.PauseTiming();
        pad.textView()->selectAll();
        state.ResumeTiming();
        pad.textView()->paste();
        bench.window().display();
        if (grown < 0)
            grown = residentMegabytes() - before;
    }
    labelPage(state, pad, grown);
    ui::Pasteboard::general().clearContents();
}
BENCHMARK(PastePadPage)->Unit(benchmark::kMillisecond)->Iterations(3);

}
