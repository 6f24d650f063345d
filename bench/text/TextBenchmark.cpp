#include "platform/gfx/Fonts.h"
#include "platform/text/RichTextLayout.h"
#include "platform/text/Rtf.h"
#include "platform/text/Rtfd.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <unistd.h>

using text::AttributedString;
using text::Attributes;

namespace {

Attributes plain()
{
    Attributes a;
    a.font = gfx::Font { "Helvetica", 12 };
    return a;
}

// A day file as the log writer leaves it: 40 entries of marker lines with a formatted objective.
AttributedString dayLog()
{
    AttributedString log;
    Attributes bold = plain();
    bold.font->postScriptName = "Helvetica-Bold";
    Attributes link = plain();
    link.link = "ostrel2things://3F2504E0-4F89-11D3-9A0C-0305E82C3301";
    link.underline = 1;
    for (int i = 0; i < 40; ++i) {
        log.append(u"#TimeSlice\n3F2504E0-4F89-11D3-9A0C-0305E82C33" + std::u16string(1, u'0' + i % 10) + u"\n#completed\nYES\n"
                   u"#duration\n1500\n#actualDuration\n1497\n#tags\nwriting,review\n#startDate\n2026-12-06 09:00:00\n"
                   u"#focusRating\nhighly focused\n#objective\n",
            plain());
        log.append(u"Draft the ", plain());
        log.append(u"caf\u00E9 chapter", bold);
        log.append(u" \u2014 see ", plain());
        log.append(u"the task", link);
        log.append(u"\n#endDate\n2026-12-06 09:25:00\n", plain());
    }
    return log;
}

// A long pad page: about a megabyte of paragraphs with a change of style every few words.
AttributedString padPage()
{
    AttributedString page;
    Attributes styles[3] = { plain(), plain(), plain() };
    styles[1].font->postScriptName = "Helvetica-Oblique";
    styles[2].strikethrough = 1;
    std::u16string words = u"Call the bank about the transfer, then finish the quarterly numbers \u2714 ";
    for (int i = 0; page.length() < 1'000'000; ++i) {
        page.append(words, styles[i % 3]);
        if (i % 8 == 7)
            page.append(u"\n", plain());
    }
    return page;
}

std::filesystem::path scratchFolder()
{
    auto folder = std::filesystem::temp_directory_path() / ("ostrel-bench-text-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    return folder;
}

void writeRtf(benchmark::State& state, const AttributedString& text)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(text::Rtf::write(text));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text::Rtf::write(text).size()));
}

void readRtf(benchmark::State& state, const AttributedString& text)
{
    std::string rtf = text::Rtf::write(text);
    for (auto _ : state)
        benchmark::DoNotOptimize(text::Rtf::read(rtf));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(rtf.size()));
}

void packageRoundTrip(benchmark::State& state, const AttributedString& text)
{
    auto path = scratchFolder() / "page.rtfd";
    for (auto _ : state) {
        text::Rtfd::writeFile(path, text);
        benchmark::DoNotOptimize(text::Rtfd::readFile(path));
    }
    std::filesystem::remove_all(path.parent_path());
}

void BM_DayLogWrite(benchmark::State& state) { writeRtf(state, dayLog()); }
void BM_DayLogRead(benchmark::State& state) { readRtf(state, dayLog()); }
void BM_DayLogReadAndCutIntoLines(benchmark::State& state)
{
    std::string data = text::Rtfd::data(dayLog());
    for (auto _ : state)
        benchmark::DoNotOptimize(text::Rtfd::fromData(data)->text.splitLines());
}
void BM_DayLogPackageWriteAndRead(benchmark::State& state) { packageRoundTrip(state, dayLog()); }
void BM_PadPageWrite(benchmark::State& state) { writeRtf(state, padPage()); }
void BM_PadPageRead(benchmark::State& state) { readRtf(state, padPage()); }
void BM_PadPagePackageWriteAndRead(benchmark::State& state) { packageRoundTrip(state, padPage()); }

// What a pad's text view does on each keystroke when it lays out the whole page again.
void BM_PadLayout100KB(benchmark::State& state)
{
    gfx::pinFonts(std::filesystem::path(OSTREL_SOURCE_DIR) / "resources/fonts/fonts.conf");
    AttributedString page = padPage().substring({ 0, 100'000 });
    for (auto _ : state) {
        text::RichTextLayout layout(page, 400, { gfx::Font::named("Helvetica", 12) });
        benchmark::DoNotOptimize(layout.boundingRect());
    }
}

// One typed character in the middle of the page, and the layout brought up to date.
void BM_PadTypingIntoA100KBLayout(benchmark::State& state)
{
    gfx::pinFonts(std::filesystem::path(OSTREL_SOURCE_DIR) / "resources/fonts/fonts.conf");
    AttributedString page = padPage().substring({ 0, 100'000 });
    text::RichTextLayout layout(page, 400, { gfx::Font::named("Helvetica", 12) });
    size_t at = 50'000;
    for (auto _ : state) {
        page.replace({ at, 0 }, u"x");
        layout.update(page, { at, 0 }, 1);
        benchmark::DoNotOptimize(layout.caretRect(++at));
    }
}


// A megabyte page pasted at the end of a short pad, as a pad's text view holds it, and the
// caret where the paste leaves it.
void BM_PadPastingA1MBPage(benchmark::State& state)
{
    gfx::pinFonts(std::filesystem::path(OSTREL_SOURCE_DIR) / "resources/fonts/fonts.conf");
    const AttributedString pasted = padPage();
    const AttributedString before(u"Notes for the week\n", plain());
    for (auto _ : state) {
        state.PauseTiming();
        AttributedString page = before;
        text::RichTextLayout layout(page, 400, { gfx::Font::named("Helvetica", 12) }, text::RichTextLayout::Laziness::asNeeded);
        layout.caretRect(page.length());
        state.ResumeTiming();
        text::Range at { page.length(), 0 };
        page.replace(at, pasted);
        layout.update(page, at, pasted.length());
        benchmark::DoNotOptimize(layout.caretRect(page.length()));
        benchmark::DoNotOptimize(layout.boundingRect());
    }
}

}

BENCHMARK(BM_DayLogWrite);
BENCHMARK(BM_DayLogRead);
BENCHMARK(BM_DayLogReadAndCutIntoLines);
BENCHMARK(BM_DayLogPackageWriteAndRead);
BENCHMARK(BM_PadPageWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PadPageRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PadPagePackageWriteAndRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PadLayout100KB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PadTypingIntoA100KBLayout)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PadPastingA1MBPage)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
