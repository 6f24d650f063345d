#pragma once

#include "log/FullDataSet.h"
#include "log/FullTimeSlice.h"
#include "log/RawDataSet.h"
#include "log/TagManager.h"
#include "platform/base/Utf8.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

namespace ostrel::test {

// Any bytes as an older plain-text day file at `file`, read by both readers: the statistics'
// and the log book's. Both find the same entries, each entry knows its place in the file,
// and what the log book shows is valid text. Answers what went wrong, if anything.
inline std::optional<std::string> plainDayFileProblem(std::string_view bytes, const std::filesystem::path& file)
{
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(bytes.data(), std::streamsize(bytes.size()));
    RawDataSet statistics;
    FullDataSet logBook;
    auto raw = statistics.loadPlainTextFile(file.string());
    auto full = logBook.loadPlainTextFile(file.string());
    // The readers gather every tag they meet; a fuzzer's stream of made-up ones would only
    // slow the next inputs down.
    TagManager::sharedInstance().removeAllTags();
    if (raw.size() != full.size())
        return "the statistics find " + std::to_string(raw.size()) + " entries, the log book "
            + std::to_string(full.size());
    for (std::size_t i = 0; i < full.size(); ++i) {
        const auto& record = static_cast<const FullTimeSlice&>(*full[i]);
        if (record.positionInFile() != i)
            return "entry " + std::to_string(i) + " has the wrong place in its file";
        if (!base::isValidUtf8(record.objective()) || !base::isValidUtf8(record.tagString()))
            return "entry " + std::to_string(i) + " holds text that is no valid UTF-8";
    }
    return std::nullopt;
}

}
