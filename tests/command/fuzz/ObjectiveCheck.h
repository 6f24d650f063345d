#pragma once

#include "command/ObjectiveParser.h"
#include "command/StoredEnumeration.h"
#include "core/RTFHelper.h"
#include "platform/base/Defaults.h"
#include "platform/text/AttributedString.h"
#include "platform/text/Unicode.h"

#include <optional>
#include <string>
#include <string_view>

namespace ostrel::test {

// Any bytes as an objective, in the three forms one arrives in: the first byte picks the
// form (text typed or pasted as UTF-8, rich text of any UTF-16 units, RTF from the clipboard)
// and the longest duration allowed. The tags and the duration taken out are exactly the
// removals reported, in the rich copy as in the plain text; what is stored stays in range and
// reads back as the objective parsed. Answers what went wrong, if anything.
inline std::optional<std::string> objectiveProblem(std::string_view bytes)
{
    if (bytes.empty())
        return std::nullopt;
    auto defaults = base::Defaults::create({});
    defaults->set("timeSliceTimeScale", (bytes[0] >> 2) & 7);
    int form = bytes[0] & 3;
    bytes.remove_prefix(1);

    std::u16string input;
    std::optional<text::AttributedString> rich;
    if (form == 0) {
        input = text::toUtf16(bytes);
    } else if (form == 1) {
        for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
            input.push_back(char16_t((static_cast<unsigned char>(bytes[i]) << 8) | static_cast<unsigned char>(bytes[i + 1])));
        rich = text::AttributedString(input);
        text::Attributes underlined;
        underlined.underline = 1;
        for (std::size_t i = 0; i < input.size(); i += 3)
            rich->setAttributes({ i, 1 }, underlined);
    } else {
        rich = RTFHelper::sharedInstance().attributedStringFromRTFData(RTFHelper::Data(bytes.begin(), bytes.end()));
        if (!rich)
            return std::nullopt;
        input = rich->string();
    }

    const ObjectiveParser& parser = ObjectiveParser::shared();
    auto result = parser.parse(input, rich ? &*rich : nullptr);
    std::u16string replayed = input;
    for (const auto& removal : result.removals) {
        if (removal.location + removal.length > replayed.size())
            return "a removal lies outside the text";
        replayed.erase(removal.location, removal.length);
    }
    if (replayed != result.string)
        return "the removals reported do not give the objective parsed";
    if (rich && (!result.attributedString || result.attributedString->string() != result.string))
        return "the rich objective lost other characters than the plain one";
    if (result.duration < -1)
        return "a negative duration";
    for (const auto& tag : result.tags) {
        if (tag.empty() || tag.find('@') != std::string::npos)
            return "a tag is empty or holds its @";
    }

    parser.internalSet(result, *defaults);
    if (result.duration != -1) {
        auto longest = ObjectiveParser::longestDuration(storedCase(*defaults, "timeSliceTimeScale", TimeScale::oneHour));
        auto seconds = defaults->integer("durationInSeconds");
        if (seconds < 120 || seconds > longest * 60)
            return "the duration stored is out of range: " + std::to_string(seconds);
    }
    auto stored = RTFHelper::sharedInstance().attributedStringFromData(defaults->data("objective"));
    if (!stored || stored->string() != result.string)
        return "the objective stored does not read back as parsed";
    return std::nullopt;
}

}
