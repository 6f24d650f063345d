#pragma once

#include "platform/base/Value.h"
#include "platform/gfx/Color.h"
#include "platform/gfx/Font.h"
#include "platform/text/AttributedString.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ostrel {

// Rich text to and from its stored forms: package data (the objective, log lines), plain RTF
// and package folders on disk (log and pad files). Nothing here fails: what cannot be read
// gives an empty text or list, except where a caller has to tell "unreadable" from "empty".
// "No data" is an absent optional, as distinct from data that is present but empty.
class RTFHelper {
public:
    using Data = base::Value::Data;

    static RTFHelper& sharedInstance();

    Data rtfdDataFromAttributedString(const text::AttributedString& text) const;
    // No data: an empty text. Data that does not read: none.
    std::optional<text::AttributedString> attributedStringFromRTFData(const std::optional<Data>& data) const;
    // Package data or plain RTF.
    std::optional<text::AttributedString> attributedStringFromData(const std::optional<Data>& data) const;
    // The plain string with the font and colour as the document's defaults, as new pads and
    // the empty objective start.
    Data rtfdDataFrom(const std::string& string, const gfx::Font& font, const gfx::Color& textColor) const;

    text::AttributedString rtfdTextObjectFromFile(const std::optional<std::filesystem::path>& path) const;
    Data rtfdDataFromFile(const std::optional<std::filesystem::path>& path) const;

    // One text per line, each with its own attributes; every newline character ends a line,
    // so "\r\n" leaves an empty line between and a final newline a last empty line.
    std::vector<text::AttributedString> cutUpIntoAttributedStringLines(const std::optional<Data>& data) const;

private:
    RTFHelper() = default;
};

}
