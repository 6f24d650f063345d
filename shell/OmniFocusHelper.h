#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel {

// Reads the XML of an OmniFocus task dropped on a pad: its identifier, its estimated
// minutes ("/omnifocus/task/estimated-minutes") and its context names
// ("/omnifocus/context/name"). The XML comes from another program, so it is read with no
// document type and no entity declarations (either ends the reading, as malformed XML
// does) and only up to 1 MB; whatever was found before an error is kept.
class OmniFocusHelper {
public:
    static constexpr std::size_t kMaximumXmlBytes = 1024 * 1024;

    // None for text that is not UTF-8 or longer than the limit.
    static std::shared_ptr<OmniFocusHelper> parseTaskInfo(std::string_view xml);

    const std::optional<std::string>& taskID() const { return m_taskID; }
    const std::vector<std::string>& elementStack() const { return m_elementStack; }
    const std::optional<std::string>& currentCharacters() const { return m_currentCharacters; }
    const std::optional<int64_t>& estimatedMinutes() const { return m_estimatedMinutes; }
    // 0 without an estimate, which the pads take as none.
    int64_t estimatedMinutesAsInt() const { return m_estimatedMinutes.value_or(0); }
    const std::vector<std::string>& contextNames() const { return m_contextNames; }
    void setContextNames(std::vector<std::string> names) { m_contextNames = std::move(names); }
    // The open elements as "/a/b/c"; empty when none is open.
    std::string elementPath() const;

    // The parser's reports.
    void didStartElement(std::string_view name, const char** attributes);
    void didEndElement();
    void foundCharacters(std::string_view characters);

private:
    OmniFocusHelper() = default;
    bool isAtPath(std::initializer_list<std::string_view> path) const;

    std::optional<std::string> m_taskID;
    std::vector<std::string> m_elementStack;
    std::optional<std::string> m_currentCharacters;
    std::optional<int64_t> m_estimatedMinutes;
    std::vector<std::string> m_contextNames;
};

}
