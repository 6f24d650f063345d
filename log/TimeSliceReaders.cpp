#include "log/TimeSliceReaders.h"

#include "log/LogFormat.h"
#include "log/TagManager.h"
#include "platform/text/Unicode.h"

#include <algorithm>
#include <cmath>

namespace ostrel {

using LogFormat::Field;

namespace {

// Lines as a platform line enumeration gives them: CR LF ends one line.
template<class Visit>
void forEachPlainLine(std::u16string_view content, Visit visit)
{
    size_t start = 0;
    while (start < content.size()) {
        size_t end = start;
        while (end < content.size() && !text::isNewline(content[end]))
            ++end;
        visit(content.substr(start, end - start));
        if (end < content.size() && content[end] == '\r' && end + 1 < content.size() && content[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
}

// Lines of rich text as start and end offsets: every character of the newline set ends a
// line, so CR LF leaves an empty line between, and a final line end leaves an empty last line.
template<class Visit>
void forEachRichLine(std::u16string_view string, Visit visit)
{
    size_t start = 0;
    while (start <= string.size()) {
        size_t end = start;
        while (end < string.size() && !text::isNewline(string[end]))
            ++end;
        visit(start, end);
        if (end >= string.size())
            break;
        start = end + 1;
    }
}

// The fields both readers store alike. Tags are gathered and handed to the tag manager once
// per file, so that readers of many files do not queue on its lock.
template<class Record>
void storeCommonValue(Record& record, Field field, std::u16string_view line, std::vector<std::string>& tags)
{
    switch (field) {
    case Field::Completed:
        record.setCompleted(LogFormat::parseBoolean(line));
        break;
    case Field::Duration:
        record.setDuration(LogFormat::parseSeconds(line));
        break;
    case Field::Tags:
        record.setTagString(text::toUtf8(line));
        tags.push_back(record.tagString());
        break;
    case Field::StartDate: {
        LogFormat::WrittenDay day;
        double date = LogFormat::parseDate(line, &day);
        if (day.day.empty())
            record.setStartDate(date);
        else
            record.setStartDate(date, std::move(day.day), day.hour, day.weekday);
        break;
    }
    case Field::FocusRating:
        record.setFocusRating(text::toUtf8(line));
        break;
    default:
        break;
    }
}

// Reads a file's attributes front to back. The objectives come in file order, so the run
// that holds the next one is at or after the last one found: looking each up from the start
// of the text would make a file of many entries read in the square of its size.
class RunCursor {
public:
    explicit RunCursor(const text::AttributedString& content)
        : m_content(content)
    {
    }

    const text::Attributes& attributesAt(size_t index)
    {
        seek(index);
        return m_content.runs()[m_run].attributes;
    }

    text::AttributedString substring(text::Range range)
    {
        text::AttributedString piece;
        if (range.length == 0)
            return piece;
        seek(range.location);
        const auto& runs = m_content.runs();
        std::u16string_view string = m_content.string();
        size_t run = m_run;
        size_t runStart = m_runStart;
        for (size_t at = range.location; at < range.end() && run < runs.size(); ++run) {
            size_t runEnd = runStart + runs[run].length;
            size_t to = std::min(runEnd, range.end());
            piece.append(string.substr(at, to - at), runs[run].attributes);
            at = to;
            runStart = runEnd;
        }
        return piece;
    }

private:
    void seek(size_t index)
    {
        const auto& runs = m_content.runs();
        if (index < m_runStart) {
            m_run = 0;
            m_runStart = 0;
        }
        while (m_run + 1 < runs.size() && m_runStart + runs[m_run].length <= index)
            m_runStart += runs[m_run++].length;
    }

    const text::AttributedString& m_content;
    size_t m_run { 0 };
    size_t m_runStart { 0 };
};

// The objective of one entry as runs of adjacent lines of the file: most objectives are one
// run and come out as one piece of the file's text.
class ObjectiveBuilder {
public:
    bool empty() const { return m_segments.empty(); }

    void addLine(size_t start, size_t end)
    {
        // Blank lines before the first text are not part of the objective.
        if (m_segments.empty() && start == end)
            return;
        if (!m_segments.empty() && m_segments.back().end() + 1 == start)
            m_segments.back().length = end - m_segments.back().location;
        else
            m_segments.push_back({ start, end - start });
    }

    void store(FullTimeSlice& record, RunCursor& content)
    {
        text::AttributedString rich;
        for (size_t i = 0; i < m_segments.size(); ++i) {
            if (i > 0)
                rich.append(u"\n", content.attributesAt(m_segments[i].location - 1));
            rich.append(content.substring(m_segments[i]));
        }
        // Every line end inside the objective is one "\n", whichever character ended it.
        const std::u16string& string = rich.string();
        for (size_t at = 0; at < string.size(); ++at) {
            if (text::isNewline(string[at]) && string[at] != u'\n')
                rich.replace({ at, 1 }, std::u16string_view(u"\n"));
        }
        record.setObjective(rich.utf8());
        record.setObjectiveText(rich, &m_shared);
        m_segments.clear();
    }

private:
    std::vector<text::Range> m_segments;
    SharedAttributes m_shared;
};

}

std::vector<std::shared_ptr<RawTimeSlice>> readRawTimeSlices(std::u16string_view content)
{
    std::vector<std::shared_ptr<RawTimeSlice>> records;
    std::vector<std::string> tags;
    auto current = std::make_shared<RawTimeSlice>();
    Field state = Field::None;
    forEachPlainLine(content, [&](std::u16string_view line) {
        Field marker = LogFormat::fieldForMarker(line);
        // The plain reader knows neither the objective nor the end date.
        if (marker == Field::Objective || marker == Field::EndDate)
            marker = Field::None;
        if (marker == Field::Identifier) {
            current = std::make_shared<RawTimeSlice>();
            records.push_back(current);
            return;
        }
        if (marker != Field::None) {
            state = marker;
            return;
        }
        if (state == Field::ActualDuration)
            current->setActualDuration(LogFormat::parseSeconds(line));
        else
            storeCommonValue(*current, state, line, tags);
        state = Field::None;
    });
    TagManager::sharedInstance().addTagsFromStrings(tags);
    return records;
}

std::vector<std::shared_ptr<FullTimeSlice>> readFullTimeSlices(const text::AttributedString& content)
{
    const std::u16string& string = content.string();
    // The records of a file are made in one block, counted first: ten years of records each
    // made on its own would each carry the allocator's and the owners' count's room.
    std::size_t entries = 0;
    forEachRichLine(string, [&](std::size_t start, std::size_t end) {
        if (LogFormat::fieldForMarker(std::u16string_view(string.data() + start, end - start)) == Field::Identifier)
            ++entries;
    });
    std::shared_ptr<FullTimeSlice[]> block(new FullTimeSlice[entries]);
    std::vector<std::shared_ptr<FullTimeSlice>> records;
    records.reserve(entries);
    std::vector<std::string> tags;
    // What comes before the first entry is read into a record of its own and dropped.
    FullTimeSlice beforeTheFirst;
    FullTimeSlice* current = &beforeTheFirst;
    ObjectiveBuilder objective;
    RunCursor runs(content);
    Field state = Field::None;

    auto finishRecord = [&] {
        if (!objective.empty())
            objective.store(*current, runs);
    };

    forEachRichLine(string, [&](std::size_t start, std::size_t end) {
        std::u16string_view line(string.data() + start, end - start);
        Field marker = LogFormat::fieldForMarker(line);
        if (marker == Field::Identifier) {
            finishRecord();
            current = &block[records.size()];
            current->setObjective({});
            current->setPositionInFile(records.size());
            records.emplace_back(block, current);
            state = Field::Identifier;
        } else if (marker != Field::None) {
            state = marker;
        } else if (state == Field::Objective) {
            // The objective runs on to the next marker line, blank lines included.
            objective.addLine(start, end);
        } else if (!line.empty()) {
            // Empty lines outside the objective (the gap CR LF leaves, a blank after a value)
            // carry no value and leave the awaited field awaited.
            switch (state) {
            case Field::Identifier:
                current->setUuid(text::toUtf8(line));
                break;
            case Field::ActualDuration:
                current->setActualDuration(std::fabs(LogFormat::parseSeconds(line)));
                break;
            case Field::EndDate:
                current->setEndDate(LogFormat::parseDate(line));
                break;
            case Field::Success:
                current->setSuccess(LogFormat::parseBoolean(line));
                break;
            default:
                storeCommonValue(*current, state, line, tags);
                break;
            }
            state = Field::None;
        }
    });
    finishRecord();
    TagManager::sharedInstance().addTagsFromStrings(tags);
    return records;
}

}
