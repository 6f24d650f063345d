#pragma once

#include "platform/text/AttributedString.h"

#include <optional>
#include <string>

namespace ostrel {

// The values of one log entry, as the writer and the re-writer fill them in.
struct LogEntryValues {
    std::string uuid;
    // None leaves the template's objective place empty.
    std::optional<text::AttributedString> objective;
    bool completed { false };
    double duration { 0 };
    double actualDuration { 0 };
    std::string tags;
    double startDate { 0 };
    std::string focusRating;
};

// Which writer fills the template: a new entry carries no attachments of the objective (the
// log has always stored new entries as plain RTF); a re-written one keeps them.
enum class LogEntryKind { New, Rewritten };

// The entry template filled with the values. The objective's lines that would read as
// marker lines get a leading space, and the one-line values lose their line breaks, so that
// reading the entry back gives the same fields.
text::AttributedString makeLogEntry(const LogEntryValues& values, LogEntryKind kind);

// An objective as the writers store it: every line equal to a marker word is indented by
// one space.
text::AttributedString protectMarkerLines(const text::AttributedString& objective);

}
