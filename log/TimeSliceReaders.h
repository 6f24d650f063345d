#pragma once

#include "log/FullTimeSlice.h"
#include "log/RawTimeSlice.h"
#include "platform/text/AttributedString.h"

#include <memory>
#include <string_view>
#include <vector>

namespace ostrel {

// The two readers of the log's marker lines. Nothing they meet is an error: values that do
// not parse read as 0, false or the distant past, and lines before the first entry are
// skipped.

// The statistics' reader over plain text: no identifier, objective or end date.
std::vector<std::shared_ptr<RawTimeSlice>> readRawTimeSlices(std::u16string_view content);

// The full reader over rich text: every field, the objective with its formatting. Each
// record knows its position among the file's entries.
std::vector<std::shared_ptr<FullTimeSlice>> readFullTimeSlices(const text::AttributedString& content);

}
