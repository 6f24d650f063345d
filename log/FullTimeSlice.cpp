#include "log/FullTimeSlice.h"

#include "platform/base/Time.h"
#include "platform/text/Rtfd.h"
#include "platform/text/Unicode.h"

#include <algorithm>

namespace ostrel {

FullTimeSlice::FullTimeSlice()
    : m_endDate(base::Time::distantPast())
{
    setStartDate(base::Time::distantPast());
}

void FullTimeSlice::setObjective(std::string objective)
{
    if (!m_objectiveText.keepsCharacters())
        m_objectiveText.keepCharacters(text::toUtf16(m_objective));
    m_objective = std::move(objective);
    m_lastHeight.store(-1.0);
}

void FullTimeSlice::setObjectiveText(const text::AttributedString& objective, SharedAttributes* shared)
{
    m_objectiveText = KeptRichText(objective, shared, text::toUtf16(m_objective) != objective.string());
    // A row kept for the old text would be cut or left with a gap.
    m_lastHeight.store(-1.0);
}

text::AttributedString FullTimeSlice::objectiveText() const
{
    if (m_objectiveText.keepsCharacters())
        return m_objectiveText.attributedString();
    return m_objectiveText.attributedString(text::toUtf16(m_objective));
}

std::string FullTimeSlice::objectiveAsRTFD() const { return text::Rtfd::data(objectiveText()); }

void FullTimeSlice::setObjectiveAsRTFD(std::string_view data)
{
    auto document = text::Rtfd::fromData(data);
    m_objectiveText = document ? KeptRichText(document->text) : KeptRichText {};
}

std::optional<size_t> FullTimeSlice::positionInFile() const
{
    if (m_positionInFile == kNoPosition)
        return std::nullopt;
    return m_positionInFile;
}

void FullTimeSlice::setPositionInFile(std::optional<size_t> position)
{
    // A file of four thousand million entries is past every limit of the readers.
    m_positionInFile = position && *position < kNoPosition ? std::uint32_t(*position) : kNoPosition;
}

const std::optional<std::string>& FullTimeSlice::fullPathOfLogFile() const
{
    static const std::optional<std::string> none;
    return m_fullPathOfLogFile ? *m_fullPathOfLogFile : none;
}

void FullTimeSlice::setFullPathOfLogFile(std::optional<std::string> path)
{
    m_fullPathOfLogFile = path ? std::make_shared<const std::optional<std::string>>(std::move(path)) : nullptr;
}

std::vector<std::string> FullTimeSlice::extractedLinks() const
{
    // Worked out at each request: the log book asks for one record's links at a time, and
    // a kept list would cost every record of ten years its room.
    return linksIn(objectiveText());
}

std::vector<std::string> linksIn(const text::AttributedString& text)
{
    std::vector<std::string> links;
    for (const auto& run : text.runs()) {
        const auto& link = run.attributes.link;
        if (!link.empty() && std::find(links.begin(), links.end(), link) == links.end())
            links.push_back(link);
    }
    return links;
}

}
