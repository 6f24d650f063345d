#include "tools/loggen/LogGenerator.h"

#include "log/LogEntry.h"
#include "log/LogFormat.h"
#include "platform/base/Calendar.h"
#include "platform/text/Rtf.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace ostrel::loggen {

namespace {

namespace fs = std::filesystem;

constexpr std::array kVerbs { "Write", "Review", "Plan", "Fix", "Sketch", "Read", "Refactor", "Answer", "Outline", "Test" };
constexpr std::array kThings { "the quarterly report", "chapter 3", "the login bug", "Müller's proposal", "the budget",
    "日本語の資料", "the release notes", "inbox zero", "the onboarding guide", "café menu ideas" };
constexpr std::array kTags { "writing", "email", "deep", "Ostrel", "review", "admin", "reading", "code", "design", "call" };
constexpr std::array kComputers { "1ec2a3f5", "a4b1c2d3e4f", "default" };

struct Random {
    std::mt19937 engine;
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine); }
    bool chance(int percent) { return between(1, 100) <= percent; }
    template<class Array>
    const char* pick(const Array& array)
    {
        return array[size_t(between(0, int(array.size()) - 1))];
    }
};

text::AttributedString objective(Random& random)
{
    text::AttributedString result = text::AttributedString::fromUtf8(std::string(random.pick(kVerbs)) + " ");
    text::Attributes emphasis;
    if (random.chance(40))
        emphasis.font = gfx::Font::named(random.chance(50) ? "Helvetica-Bold" : "Helvetica-Oblique", 13);
    if (random.chance(15))
        emphasis.foreground = gfx::Color::rgb(0.8, 0.1, 0.1);
    result.append(text::AttributedString::fromUtf8(random.pick(kThings), emphasis));
    if (random.chance(20)) {
        text::Attributes link;
        link.link = random.chance(50) ? "ostrel2things://" + std::to_string(random.between(1000, 9999))
                                      : "https://example.org/notes/" + std::to_string(random.between(1, 500));
        result.append(text::AttributedString::fromUtf8(" — "));
        result.append(text::AttributedString::fromUtf8("linked task", link));
    }
    if (random.chance(15)) {
        result.append(text::AttributedString::fromUtf8(random.chance(30) ? "\n\n" : "\n"));
        result.append(text::AttributedString::fromUtf8("• then " + std::string(random.pick(kThings))));
    }
    return result;
}

std::string tags(Random& random)
{
    std::string joined;
    int count = random.between(0, 3);
    for (int i = 0; i < count; ++i) {
        std::string tag = random.pick(kTags);
        if (joined.find(tag) != std::string::npos)
            continue;
        joined += (joined.empty() ? "" : ",") + tag;
    }
    return joined;
}

std::string dayName(const base::DateComponents& day)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", day.year, day.month, day.day);
    return text;
}

std::size_t writeFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    return bytes.size();
}

std::size_t writePackage(const fs::path& path, const text::AttributedString& content)
{
    fs::create_directories(path);
    return writeFile(path / "TXT.rtf", text::Rtf::write(content));
}

// The older plain-text layout: no identifier lines, CR LF line ends, now and then a field
// left out, as the first versions wrote it.
std::string plainTextEntry(Random& random, const LogEntryValues& values)
{
    std::string entry = "#TimeSlice\r\n";
    auto field = [&](const char* marker, const std::string& value) {
        if (random.chance(90))
            entry += std::string(marker) + "\r\n" + value + "\r\n";
    };
    field("#objective", values.objective ? values.objective->utf8() : "");
    field("#success", values.completed ? "YES" : "NO");
    field("#duration", LogFormat::formatSeconds(values.duration));
    field("#actualDuration", LogFormat::formatSeconds(values.actualDuration));
    field("#tags", values.tags);
    field("#startDate", LogFormat::formatDate(values.startDate));
    field("#endDate", LogFormat::formatDate(values.startDate + values.actualDuration));
    field("#focusRating", values.focusRating);
    return entry;
}

}

Summary generate(const fs::path& folder, const Options& options)
{
    fs::create_directories(folder);
    Random random { std::mt19937(options.seed) };
    auto calendar = base::Calendar::current();
    double lastDay = options.lastDay;
    if (lastDay == 0)
        lastDay = calendar.moment({ .year = 2026, .month = 12, .day = 31 });
    int days = options.years * 365;
    int computers = std::clamp(options.computers, 1, int(kComputers.size()));
    Summary summary;

    for (int index = 0; index < days; ++index) {
        double dayStart = calendar.startOfDay(calendar.addingDays(index - days + 1, lastDay));
        auto parts = calendar.components(dayStart);
        bool plainText = index < options.plainTextDays;
        bool unnamed = !plainText && index < options.plainTextDays + options.unnamedDays;

        std::vector<text::AttributedString> files(static_cast<size_t>(computers));
        std::vector<std::string> plainFiles(static_cast<size_t>(computers));
        std::vector<bool> used(static_cast<size_t>(computers), false);
        int slices = random.between(options.minSlicesPerDay, options.maxSlicesPerDay);
        double start = dayStart + 7 * 3600 + random.between(0, 3600);
        for (int slice = 0; slice < slices; ++slice) {
            LogEntryValues values;
            char uuid[40];
            std::snprintf(uuid, sizeof uuid, "%08X-%04X-4%03X-8%03X-%012llX", unsigned(random.engine()),
                unsigned(random.between(0, 0xffff)), unsigned(random.between(0, 0xfff)), unsigned(random.between(0, 0xfff)),
                (unsigned long long)random.engine() * 65536ull + unsigned(random.between(0, 0xffff)));
            values.uuid = uuid;
            values.objective = objective(random);
            values.completed = random.chance(60);
            values.duration = 60.0 * (random.chance(70) ? 25 : random.between(10, 60));
            values.actualDuration = std::max(60.0, values.duration - random.between(0, 300));
            values.tags = tags(random);
            values.startDate = start;
            values.focusRating = LogFormat::concentrationLevelStringForTag(random.between(0, 3));
            // Slices run through the day, the last ones late enough to cross into the night.
            start += values.actualDuration + 60.0 * random.between(3, 20);

            // Before names carried the computer, one computer kept the log.
            size_t computer = unnamed ? 0 : size_t(random.between(0, computers - 1));
            used[computer] = true;
            if (plainText)
                plainFiles[computer] += plainTextEntry(random, values);
            else
                files[computer].append(makeLogEntry(values, LogEntryKind::New));
            ++summary.slices;
        }

        for (size_t computer = 0; computer < size_t(computers); ++computer) {
            if (!used[computer])
                continue;
            std::string root(LogFormat::kRoot);
            if (plainText) {
                std::string name = root + " " + dayName(parts) + " (" + std::to_string(7000 + computer) + "-A1B2-C3D4-"
                    + std::to_string(index) + ").txt";
                summary.bytes += writeFile(folder / name, plainFiles[computer]);
            } else {
                std::string name = root + " Day " + dayName(parts)
                    + (unnamed ? std::string() : " (" + std::string(kComputers[computer]) + ")") + ".rtfd";
                summary.bytes += writePackage(folder / name, files[computer]);
            }
            ++summary.files;
        }
    }
    return summary;
}

}
