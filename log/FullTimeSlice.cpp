#include "log/FullTimeSlice.h"

#include "platform/base/Time.h"
#include "platform/text/Rtfd.h"

#include <algorithm>

namespace ostrel {

FullTimeSlice::FullTimeSlice()
    : m_endDate(base::Time::distantPast())
{
    setStartDate(base::Time::distantPast());
}

void FullTimeSlice::setObjectiveText(text::AttributedString objective) { m_objectiveText = std::move(objective); }

std::string FullTimeSlice::objectiveAsRTFD() const { return text::Rtfd::data(m_objectiveText); }

void FullTimeSlice::setObjectiveAsRTFD(std::string_view data)
{
    auto document = text::Rtfd::fromData(data);
    m_objectiveText = document ? std::move(document->text) : text::AttributedString {};
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
    std::call_once(m_linksWorkedOut, [this] { m_cachedLinks = linksIn(m_objectiveText); });
    return m_cachedLinks;
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
