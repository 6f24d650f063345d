#pragma once

#include <string>
#include <string_view>

namespace ostrel {

class FullDataSet;

// The log as comma-separated text: the header line, then one line per record in list order.
namespace CsvExport {

constexpr const char* kHeader = "uuid,start,actualDuration,focus,completed,tags,objective";

// The whole file; the header alone for no set.
std::string text(const FullDataSet* dataSet);
// Bare, unless it holds a comma, a double quote, a carriage return or a line feed: then in
// double quotes with inner ones doubled.
std::string field(std::string_view value);
// Always in double quotes, inner ones doubled.
std::string quoted(std::string_view value);

}

}
