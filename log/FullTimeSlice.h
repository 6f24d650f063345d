#pragma once

#include "log/KeptRichText.h"
#include "log/RawTimeSlice.h"
#include "platform/text/AttributedString.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace ostrel {

// A logged time slice as the log book needs it: identifier, the objective as plain and rich
// text, end date, where it was read from. The rich objective is kept as rich text and turned
// into package data only when asked, which keeps loading ten years of log cheap; its runs
// share their attributes with the other records of the same file, and its characters are
// the plain objective's where the two are the same text.
class FullTimeSlice : public RawTimeSlice {
public:
    FullTimeSlice();

    bool isRTFD() const { return m_isRTFD; }
    void setIsRTFD(bool isRTFD) { m_isRTFD = isRTFD; }
    const std::string& uuid() const { return m_uuid; }
    void setUuid(std::string uuid) { m_uuid = std::move(uuid); }
    const std::string& objective() const { return m_objective; }
    void setObjective(std::string objective);

    text::AttributedString objectiveText() const;
    // Readers pass the file's shared attributes.
    void setObjectiveText(const text::AttributedString& objective, SharedAttributes* shared = nullptr);
    // The rich objective as package data; setting data that cannot be read gives an empty
    // objective.
    std::string objectiveAsRTFD() const;
    void setObjectiveAsRTFD(std::string_view data);

    double endDate() const { return m_endDate; }
    void setEndDate(double endDate) { m_endDate = endDate; }
    const std::optional<std::string>& fullPathOfLogFile() const;
    void setFullPathOfLogFile(std::optional<std::string> path);
    // For readers: one path held once for all the records of a file.
    using SharedPath = std::shared_ptr<const std::optional<std::string>>;
    void setFullPathOfLogFile(SharedPath path) { m_fullPathOfLogFile = std::move(path); }
    // Which entry of its file this is, counting from 0 in file order: with the file, what
    // addresses one record even when identifiers repeat.
    std::optional<size_t> positionInFile() const;
    void setPositionInFile(std::optional<size_t> position);
    double lastHeight() const { return m_lastHeight.load(); }
    void setLastHeight(double height) { m_lastHeight.store(height); }

    // The links of the rich objective, each once, in order of first appearance.
    std::vector<std::string> extractedLinks() const;

private:
    std::string m_uuid { "dummy" };
    std::string m_objective { "dummy" };
    KeptRichText m_objectiveText;
    double m_endDate;
    SharedPath m_fullPathOfLogFile;
    // Beside the flag, in room the record has anyway; kNoPosition for none.
    static constexpr std::uint32_t kNoPosition = UINT32_MAX;
    std::uint32_t m_positionInFile { kNoPosition };
    bool m_isRTFD { false };
    std::atomic<double> m_lastHeight { -1.0 };
};

// Every distinct link of a rich text, in order of first appearance.
std::vector<std::string> linksIn(const text::AttributedString& text);

}
