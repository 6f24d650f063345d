#include "log/TaskLinks.h"

#include "core/ZrLog.h"

namespace ostrel {

namespace TaskLinks {

std::vector<std::string> identifiersWithPrefix(const text::AttributedString& objective, std::string_view prefix)
{
    std::vector<std::string> identifiers;
    const std::string* previous = nullptr;
    for (const auto& run : objective.runs()) {
        const std::string& link = run.attributes.link;
        // A link whose text changes style part-way is several runs but one link.
        bool continues = previous && *previous == link;
        previous = &link;
        if (link.empty() || continues)
            continue;
        zr_log("absoluteString:%s", link.c_str());
        if (link.compare(0, prefix.size(), prefix) == 0) {
            zr_log("link detected: %s", link.c_str());
            identifiers.push_back(link.substr(prefix.size()));
        }
    }
    return identifiers;
}

bool isSafeIdentifier(std::string_view identifier)
{
    if (identifier.empty())
        return false;
    for (char c : identifier) {
        bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        bool digit = c >= '0' && c <= '9';
        if (!letter && !digit && c != '.' && c != '_' && c != '-')
            return false;
    }
    return true;
}

std::string omniFocusScript(std::string_view identifier)
{
    std::string script;
    script += "tell application \"OmniFocus\"\n";
    script += "tell default document\n";
    script += "set t_ask to task id \"" + std::string(identifier) + "\"\n";
    script += "mark complete t_ask\n";
    script += "end tell\n";
    script += "end tell\n";
    return script;
}

}

}
