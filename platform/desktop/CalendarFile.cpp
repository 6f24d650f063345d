#include "platform/desktop/CalendarFile.h"

#include "platform/desktop/IcalTimes.h"

#include <algorithm>
#include <unordered_map>

namespace desktop {

namespace {
// Hands libical the text a line at a time, as fgets would. A NUL byte would end libical's
// line early and leave it reading the same chunk again: it becomes a space.
struct LineReader {
    std::string_view rest;

    static char* next(char* buffer, size_t size, void* data)
    {
        auto* reader = static_cast<LineReader*>(data);
        if (reader->rest.empty() || size < 2)
            return nullptr;
        size_t length = 0;
        while (length + 1 < size && length < reader->rest.size()) {
            char c = reader->rest[length];
            buffer[length++] = c == '\0' ? ' ' : c;
            if (c == '\n')
                break;
        }
        buffer[length] = '\0';
        reader->rest.remove_prefix(length);
        return buffer;
    }
};

bool isBlank(std::string_view text)
{
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

bool isCancelled(icalcomponent* component)
{
    return icalcomponent_get_status(component) == ICAL_STATUS_CANCELLED;
}

bool isDone(icalcomponent* toDo)
{
    icalproperty_status status = icalcomponent_get_status(toDo);
    if (status == ICAL_STATUS_COMPLETED || status == ICAL_STATUS_CANCELLED)
        return true;
    if (icalcomponent_get_first_property(toDo, ICAL_COMPLETED_PROPERTY))
        return true;
    icalproperty* percent = icalcomponent_get_first_property(toDo, ICAL_PERCENTCOMPLETE_PROPERTY);
    return percent && icalproperty_get_percentcomplete(percent) >= 100;
}

// Events and to-dos wherever they sit: in a calendar, in one of several calendars of the
// file, or bare.
template<typename Visit>
void visitItems(icalcomponent* component, icalcomponent* calendar, const Visit& visit)
{
    icalcomponent_kind kind = icalcomponent_isa(component);
    if (kind == ICAL_VCALENDAR_COMPONENT)
        calendar = component;
    if (kind == ICAL_VEVENT_COMPONENT || kind == ICAL_VTODO_COMPONENT) {
        visit(component, calendar);
        return;
    }
    for (icalcomponent* child = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT); child;
         child = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT))
        visitItems(child, calendar, visit);
}
}

std::unique_ptr<CalendarFile> CalendarFile::parse(std::string_view text)
{
    auto file = std::unique_ptr<CalendarFile>(new CalendarFile);
    file->read(text);
    return file;
}

CalendarFile::~CalendarFile()
{
    for (icalcomponent* root : m_roots)
        icalcomponent_free(root);
}

void CalendarFile::read(std::string_view text)
{
    icalparser* parser = icalparser_new();
    LineReader reader { text };
    icalparser_set_gen_data(parser, &reader);
    for (;;) {
        char* line = icalparser_get_line(parser, &LineReader::next);
        if (icalcomponent* done = icalparser_add_line(parser, line))
            m_roots.push_back(done);
        if (!line)
            break;
        icalmemory_free_buffer(line);
    }
    // A file cut short: libical closes what is open (noting the missing ends as errors) but
    // keeps the result, so we take a copy.
    if (icalcomponent* rest = icalparser_clean(parser))
        m_roots.push_back(icalcomponent_new_clone(rest));
    icalparser_free(parser);

    if (m_roots.empty() && !isBlank(text))
        ++m_problems;
    std::vector<std::pair<icalcomponent*, icalcomponent*>> events;
    for (icalcomponent* root : m_roots) {
        m_problems += icalcomponent_count_errors(root);
        visitItems(root, nullptr, [&](icalcomponent* item, icalcomponent* calendar) {
            if (icalcomponent_isa(item) == ICAL_VEVENT_COMPONENT)
                events.emplace_back(item, calendar);
            else
                readToDo(item, calendar);
        });
    }
    readEvents(events);
    dropReadItems();
}

void CalendarFile::dropReadItems()
{
    // What was read is kept as our own values; of libical's tree only the calendars stay,
    // for their time zones, and the events whose rules name a calendar scale of theirs.
    std::vector<icalcomponent*> items;
    for (icalcomponent* root : m_roots)
        visitItems(root, nullptr, [&](icalcomponent* item, icalcomponent*) { items.push_back(item); });
    for (icalcomponent* item : items) {
        if (std::find(m_neededItems.begin(), m_neededItems.end(), item) != m_neededItems.end())
            continue;
        if (icalcomponent* parent = icalcomponent_get_parent(item))
            icalcomponent_remove_component(parent, item);
        else
            std::erase(m_roots, item);
        icalcomponent_free(item);
    }
    m_neededItems.clear();
}

std::optional<CalendarSeries> CalendarFile::seriesOf(icalcomponent* event, icalcomponent* calendar)
{
    bool unknownZone = false;
    CalendarSeries series;
    series.title = ical::text(icalcomponent_get_summary(event));

    icalproperty* startProperty = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
    if (!startProperty) {
        ++m_problems;
        return std::nullopt;
    }
    series.start = ical::withZone(icalproperty_get_dtstart(startProperty), startProperty, calendar, unknownZone);
    auto start = ical::momentOf(series.start);
    if (!start) {
        ++m_problems;
        return std::nullopt;
    }
    series.allDay = series.start.is_date;

    if (icalproperty* endProperty = icalcomponent_get_first_property(event, ICAL_DTEND_PROPERTY)) {
        icaltimetype end = ical::withZone(icalproperty_get_dtend(endProperty), endProperty, calendar, unknownZone);
        auto moment = ical::momentOf(end);
        if (series.allDay)
            series.days = ical::daysBetween(series.start, end);
        else if (moment)
            series.length = *moment - *start;
        if (!moment || (series.allDay ? series.days < 0 : series.length < 0))
            ++m_problems;
    } else if (icalproperty* durationProperty = icalcomponent_get_first_property(event, ICAL_DURATION_PROPERTY)) {
        icaldurationtype duration = icalproperty_get_duration(durationProperty);
        if (duration.is_neg)
            ++m_problems;
        else if (series.allDay)
            series.days = int(duration.weeks * 7 + duration.days);
        else
            series.length = double(icaldurationtype_as_int(duration));
    }
    // An all-day event lasts its day at least; a timed one may have no length.
    series.days = std::max(series.days, 1);
    series.length = std::max(series.length, 0.0);

    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_RRULE_PROPERTY)) {
        bool broken = false;
        if (auto rule = CalendarSeries::prepared(icalproperty_get_rrule(p), series.start, broken)) {
            series.rules.push_back(*rule);
            if (rule->rscale)
                m_neededItems.push_back(event);
        }
        if (broken)
            ++m_problems;
    }
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_RDATE_PROPERTY)) {
        icaldatetimeperiodtype value = icalproperty_get_rdate(p);
        if (!icaltime_is_null_time(value.time)) {
            series.extraDates.push_back({ ical::withZone(value.time, p, calendar, unknownZone), std::nullopt });
        } else if (!icaltime_is_null_time(value.period.start)) {
            CalendarSeries::ExtraDate extra { ical::withZone(value.period.start, p, calendar, unknownZone), std::nullopt };
            if (!icaltime_is_null_time(value.period.end))
                extra.end = ical::momentOf(ical::withZone(value.period.end, p, calendar, unknownZone));
            else if (auto from = ical::momentOf(extra.start))
                extra.end = *from + double(icaldurationtype_as_int(value.period.duration));
            series.extraDates.push_back(extra);
        } else {
            ++m_problems;
        }
    }
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY)) {
        icaltimetype excluded = ical::withZone(icalproperty_get_exdate(p), p, calendar, unknownZone);
        if (excluded.is_date)
            series.excludedDays.push_back(ical::dayKey(excluded));
        else if (auto moment = ical::momentOf(excluded))
            series.excludedMoments.push_back(*moment);
        else
            ++m_problems;
    }
    if (unknownZone)
        ++m_problems;
    return series;
}

void CalendarFile::readEvents(const std::vector<std::pair<icalcomponent*, icalcomponent*>>& events)
{
    std::vector<CalendarSeries> masters;
    std::unordered_map<std::string, std::size_t> masterByUid;
    std::vector<std::pair<icalcomponent*, icalcomponent*>> moved;
    for (auto [event, calendar] : events) {
        if (icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY)) {
            moved.emplace_back(event, calendar);
            continue;
        }
        auto series = seriesOf(event, calendar);
        if (!series || isCancelled(event))
            continue;
        if (const char* uid = icalcomponent_get_uid(event))
            masterByUid.emplace(uid, masters.size());
        masters.push_back(std::move(*series));
    }

    // A RECURRENCE-ID names the repetition that this event replaces (moved, renamed or
    // cancelled): the repetition goes, the event itself is a single one.
    for (auto [event, calendar] : moved) {
        const char* uid = icalcomponent_get_uid(event);
        auto master = uid ? masterByUid.find(uid) : masterByUid.end();
        if (master != masterByUid.end()) {
            icalproperty* property = icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY);
            bool unknownZone = false;
            icaltimetype replaced
                = ical::withZone(icalproperty_get_recurrenceid(property), property, calendar, unknownZone);
            CalendarSeries& series = masters[master->second];
            if (replaced.is_date)
                series.excludedDays.push_back(ical::dayKey(replaced));
            else if (auto moment = ical::momentOf(replaced))
                series.excludedMoments.push_back(*moment);
        }
        if (isCancelled(event))
            continue;
        if (auto series = seriesOf(event, calendar))
            m_singles.push_back(series->occurrence(*ical::momentOf(series->start)));
    }

    for (auto& series : masters) {
        if (series.repeats()) {
            m_series.push_back(std::move(series));
            continue;
        }
        double moment = *ical::momentOf(series.start);
        if (!series.isExcluded(series.start, moment))
            m_singles.push_back(series.occurrence(moment));
    }
}

void CalendarFile::readToDo(icalcomponent* toDo, icalcomponent* calendar)
{
    icalproperty* dueProperty = icalcomponent_get_first_property(toDo, ICAL_DUE_PROPERTY);
    if (!dueProperty || isDone(toDo))
        return;
    bool unknownZone = false;
    auto due = ical::momentOf(ical::withZone(icalproperty_get_due(dueProperty), dueProperty, calendar, unknownZone));
    if (!due || unknownZone)
        ++m_problems;
    if (due)
        m_toDos.push_back({ ical::text(icalcomponent_get_summary(toDo)), *due });
}

void CalendarFile::appendEvents(double from, double to, std::vector<CalendarEvent>& into) const
{
    for (const auto& event : m_singles) {
        if (Calendar::overlaps(event, from, to))
            into.push_back(event);
    }
    for (const auto& series : m_series)
        series.expand(from, to, into);
}

void CalendarFile::appendToDos(double from, double to, std::vector<CalendarToDo>& into) const
{
    for (const auto& toDo : m_toDos) {
        if (Calendar::isDue(toDo, from, to))
            into.push_back(toDo);
    }
}

}
