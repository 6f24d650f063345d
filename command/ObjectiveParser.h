#pragma once

#include "core/DataModel.h"
#include "platform/base/Value.h"
#include "platform/text/AttributedString.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace base {
class Defaults;
}
namespace ui {
class Pasteboard;
}

namespace ostrel {

// What one parse took out of an objective.
struct ObjectiveParseResult {
    // Minutes of the first duration found; -1 when there is none.
    std::int64_t duration { -1 };
    // Every tag in the order found, without the "@".
    std::vector<std::string> tags;
    // The input with every tag and the duration taken out.
    std::u16string string;
    // The rich input with the same characters taken out; none when no rich text was given.
    std::optional<text::AttributedString> attributedString;

    // What was taken out, in order, each range in UTF-16 units of the text as it was at that
    // step: applying the same removals to a rich copy of the input leaves the same characters.
    struct Removal {
        std::size_t location { 0 };
        std::size_t length { 0 };
        bool operator==(const Removal&) const = default;
    };
    std::vector<Removal> removals;
};

// One item of the clipboard, in the forms it offers.
struct PasteboardItem {
    std::optional<std::string> rtfData;
    std::optional<std::string> rtfdData;
    std::optional<std::u16string> plainText;
};

// The items of a pasteboard in the forms the parser reads: ours holds one item at a time, so
// the list has that one, or none when it holds no text at all.
std::vector<PasteboardItem> pasteboardItems(const ui::Pasteboard& pasteboard);

// Takes tags ("@work") and the first duration ("45 min") out of an objective and stores them
// in the settings the data model reads: "durationInSeconds", "tags" and "objective".
class ObjectiveParser {
public:
    static ObjectiveParser& shared();

    // `attributedString`, when given, must hold `string` as its text; the same characters are
    // taken out of both, matched in UTF-16 units.
    ObjectiveParseResult parse(const std::u16string& string, const text::AttributedString* attributedString = nullptr) const;

    // The current objective, as the data model holds it, parsed and stored; unreadable data
    // is left alone.
    void parseObjectiveField() const;
    void parseObjectiveField(const base::Value::Data& objectiveData, base::Defaults& defaults) const;
    // The general pasteboard's items, parsed and stored in the standard user defaults.
    void parseClipboard() const;
    // Every item in order, each stored at once, so a later item overrides an earlier one.
    void parseClipboard(const std::vector<PasteboardItem>& items, base::Defaults& defaults) const;

    // Stores a result: the duration clamped to 2 minutes and the current time scale's longest,
    // the tags when there are any, and always the objective: as a rich-text package when rich
    // text was parsed, else as plain RTF.
    void internalSet(const ObjectiveParseResult& result, base::Defaults& defaults) const;

    // The longest duration in minutes a time scale offers.
    static int longestDuration(TimeScale timeScale);

private:
    ObjectiveParser() = default;
};

}
