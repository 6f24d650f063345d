#pragma once

#include "platform/text/AttributedString.h"

#include <string>
#include <string_view>
#include <vector>

namespace ostrel {

// Finding the task-manager links of an objective.
namespace TaskLinks {

inline constexpr std::string_view kThingsPrefix = "ostrel2things://";
inline constexpr std::string_view kOmniFocusPrefix = "omnifocus:///task/";
inline constexpr std::string_view kTheHitListPrefix = "thehitlist:///";

// The identifiers (the text after the prefix) of the objective's links that begin with the
// prefix, in text order. Every link seen is written to the diagnostic log.
std::vector<std::string> identifiersWithPrefix(const text::AttributedString& objective, std::string_view prefix);

// Only letters, digits, ".", "_" and "-": an identifier goes into a script's text, and a
// pasted link must never be able to add script of its own.
bool isSafeIdentifier(std::string_view identifier);

// The six-line script that completes one OmniFocus task; the identifier must be safe.
std::string omniFocusScript(std::string_view identifier);

}

}
