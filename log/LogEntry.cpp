#include "log/LogEntry.h"

#include "log/BackingStoreManager.h"
#include "log/LogFormat.h"
#include "log/TemplateTextHelper.h"
#include "platform/text/Unicode.h"

#include <mutex>

namespace ostrel {

namespace {

// The template parsed once per process; each entry starts from a copy.
const TemplateTextHelper& entryTemplate()
{
    static const TemplateTextHelper parsed = [] {
        TemplateTextHelper helper;
        helper.setData(BackingStoreManager::sharedManager().loadTemplateDataFromBundle(std::string(LogFormat::kEntryTemplate)));
        return helper;
    }();
    return parsed;
}

// A one-line value as its line in the entry: line breaks become spaces, and a value that is
// a marker word (a tag typed as "#TimeSlice") is indented like an objective's line, so that
// it cannot end the entry early.
std::string oneLine(std::string value)
{
    std::u16string wide = text::toUtf16(value);
    bool changed = false;
    for (auto& c : wide) {
        if (text::isNewline(c)) {
            c = u' ';
            changed = true;
        }
    }
    if (LogFormat::isMarkerLine(wide))
        return " " + value;
    return changed ? text::toUtf8(wide) : value;
}

// The log stores a new entry as its RTF would hold it, and RTF holds no pictures or files.
text::AttributedString withoutAttachments(const text::AttributedString& objective)
{
    text::AttributedString result;
    for (size_t at = 0; at < objective.length();) {
        text::Range run;
        const auto& attributes = objective.attributesAt(at, &run);
        size_t end = run.end();
        if (!attributes.attachment) {
            result.append(objective.substring({ at, end - at }));
        } else {
            std::u16string kept;
            for (size_t i = at; i < end; ++i) {
                if (objective.string()[i] != text::attachmentCharacter)
                    kept += objective.string()[i];
            }
            auto plain = attributes;
            plain.attachment.reset();
            result.append(kept, plain);
        }
        at = end;
    }
    return result;
}

}

text::AttributedString protectMarkerLines(const text::AttributedString& objective)
{
    text::AttributedString result = objective;
    const std::u16string& string = objective.string();
    // From the end, so that the insertions do not move the lines still to be checked.
    size_t end = string.size();
    while (true) {
        size_t start = end;
        while (start > 0 && !text::isNewline(string[start - 1]))
            --start;
        std::u16string_view line(string.data() + start, end - start);
        if (LogFormat::isMarkerLine(line))
            result.replace(text::Range { start, 0 }, text::AttributedString(u" ", objective.attributesAt(start)));
        if (start == 0)
            break;
        end = start - 1;
    }
    return result;
}

text::AttributedString makeLogEntry(const LogEntryValues& values, LogEntryKind kind)
{
    TemplateTextHelper helper = entryTemplate();
    auto fillObjective = [&] {
        if (!values.objective)
            return;
        // Attachments go first: a line that held a picture and a marker word is a marker
        // line once the picture is gone.
        auto objective = kind == LogEntryKind::New ? withoutAttachments(*values.objective) : *values.objective;
        helper.substitute(protectMarkerLines(objective), "objective");
    };
    auto fillDurations = [&] {
        helper.substitute(LogFormat::formatSeconds(values.duration), "duration");
        if (kind == LogEntryKind::Rewritten)
            helper.substitute(LogFormat::formatSeconds(values.actualDuration), "actualDuration");
    };
    if (kind == LogEntryKind::Rewritten)
        fillObjective();
    helper.substitute(oneLine(values.uuid), "uuid");
    if (kind == LogEntryKind::New)
        fillObjective();
    helper.substitute(values.completed ? "YES" : "NO", "completed");
    fillDurations();
    helper.substitute(oneLine(values.tags), "tags");
    if (kind == LogEntryKind::New)
        helper.substitute(LogFormat::formatSeconds(values.actualDuration), "actualDuration");
    helper.substitute(LogFormat::formatDate(values.startDate), "startDate");
    helper.substitute(oneLine(values.focusRating), "focusRating");
    return helper.text();
}

}
