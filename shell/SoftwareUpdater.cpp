#include "shell/SoftwareUpdater.h"

#include "core/ZrLog.h"

#include <algorithm>
#include <cstdio>
#include <sys/utsname.h>
#include <tuple>

namespace ostrel {

namespace {

int sign(int value)
{
    return (value > 0) - (value < 0);
}

bool isDigit(char character)
{
    return character >= '0' && character <= '9';
}

// Two runs of digits by their value, however long they are.
int compareDigitRuns(std::string_view first, std::string_view second)
{
    auto significant = [](std::string_view digits) {
        std::size_t start = digits.find_first_not_of('0');
        return start == std::string_view::npos ? std::string_view() : digits.substr(start);
    };
    first = significant(first);
    second = significant(second);
    if (first.size() != second.size())
        return first.size() < second.size() ? -1 : 1;
    return sign(first.compare(second));
}

// Texts compared character by character, except that runs of digits compare by their value
// ("4.10" is after "4.9").
int numericCompare(std::string_view first, std::string_view second)
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < first.size() && j < second.size()) {
        if (isDigit(first[i]) && isDigit(second[j])) {
            std::size_t endI = i;
            std::size_t endJ = j;
            while (endI < first.size() && isDigit(first[endI]))
                ++endI;
            while (endJ < second.size() && isDigit(second[endJ]))
                ++endJ;
            if (int result = compareDigitRuns(first.substr(i, endI - i), second.substr(j, endJ - j)))
                return result;
            i = endI;
            j = endJ;
            continue;
        }
        if (first[i] != second[j])
            return static_cast<unsigned char>(first[i]) < static_cast<unsigned char>(second[j]) ? -1 : 1;
        ++i;
        ++j;
    }
    if (i == first.size() && j == second.size())
        return 0;
    return i == first.size() ? -1 : 1;
}

std::vector<std::string_view> versionComponents(std::string_view version)
{
    std::vector<std::string_view> components;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= version.size(); ++i) {
        if (i == version.size() || version[i] == '.' || version[i] == '_' || version[i] == 'a' || version[i] == 'b') {
            components.push_back(version.substr(start, i - start));
            start = i + 1;
        }
    }
    return components;
}

bool isPreRelease(std::string_view version)
{
    return version.find_first_of("ab") != std::string_view::npos;
}

}

std::shared_ptr<SoftwareUpdater> SoftwareUpdater::create(UserAgentProvider userAgentString)
{
    std::shared_ptr<SoftwareUpdater> updater(new SoftwareUpdater);
    updater->m_userAgentString = std::move(userAgentString);
    updater->m_sparkleUpdater = PackagedUpdater::create();
    updater->handOverUserAgentString();
    updater->m_sparkleUpdater->setDelegate(updater);
    return updater;
}

void SoftwareUpdater::handOverUserAgentString()
{
    m_sparkleUpdater->setUserAgentString(m_userAgentString ? m_userAgentString() : std::string());
}

void SoftwareUpdater::checkForUpdates(const base::Sender& sender)
{
    handOverUserAgentString();
    m_sparkleUpdater->checkForUpdates(sender);
}

void SoftwareUpdater::setUpdateCheckInterval(double seconds)
{
    m_sparkleUpdater->setUpdateCheckInterval(seconds);
}

std::vector<base::Value::Dictionary> SoftwareUpdater::feedParametersForUpdater(PackagedUpdater&, bool)
{
    handOverUserAgentString();
    return {};
}

const VersionComparator* SoftwareUpdater::versionComparatorForUpdater(PackagedUpdater&)
{
    return this;
}

std::optional<AppcastItem> SoftwareUpdater::bestValidUpdateInAppcast(const Appcast& appcast, PackagedUpdater&)
{
    std::optional<AppcastItem> candidate;
    for (const auto& item : appcast.items) {
        zr_log("version %s minimum %s", item.versionString.c_str(),
            item.minimumSystemVersion ? item.minimumSystemVersion->c_str() : "(null)");
        if (!hostSupportsItem(item))
            continue;
        if (!candidate || compareVersion(item.versionString, candidate->versionString) == 1)
            candidate = item;
    }
    return candidate;
}

int SoftwareUpdater::compareVersion(const std::string& first, const std::string& second) const
{
    auto firstComponents = versionComponents(first);
    auto secondComponents = versionComponents(second);
    for (std::size_t index : { 0u, 1u }) {
        std::string_view a = index < firstComponents.size() ? firstComponents[index] : std::string_view();
        std::string_view b = index < secondComponents.size() ? secondComponents[index] : std::string_view();
        if (int result = numericCompare(a, b))
            return result;
    }
    if (!isPreRelease(first))
        return 1;
    if (!isPreRelease(second))
        return -1;
    return numericCompare(first, second);
}

bool SoftwareUpdater::hostSupportsItem(const AppcastItem& item) const
{
    if (!item.minimumSystemVersion || item.minimumSystemVersion->empty())
        return true;
    return standardCompareVersion(*item.minimumSystemVersion, systemVersionString()) != 1;
}

SoftwareUpdater::CharacterType SoftwareUpdater::typeOfCharacter(char character)
{
    if (character == '.')
        return CharacterType::separator;
    return isDigit(character) ? CharacterType::number : CharacterType::string;
}

std::vector<std::string> SoftwareUpdater::splitVersionString(std::string_view version)
{
    std::vector<std::string> parts;
    for (std::size_t i = 0; i < version.size();) {
        CharacterType type = typeOfCharacter(version[i]);
        std::size_t end = i + 1;
        if (type != CharacterType::separator) {
            while (end < version.size() && typeOfCharacter(version[end]) == type)
                ++end;
        }
        parts.emplace_back(version.substr(i, end - i));
        i = end;
    }
    return parts;
}

int SoftwareUpdater::standardCompareVersion(std::string_view first, std::string_view second)
{
    auto firstParts = splitVersionString(first);
    auto secondParts = splitVersionString(second);
    std::size_t shorter = std::min(firstParts.size(), secondParts.size());
    for (std::size_t i = 0; i < shorter; ++i) {
        CharacterType a = typeOfCharacter(firstParts[i][0]);
        CharacterType b = typeOfCharacter(secondParts[i][0]);
        if (a == b) {
            int result = 0;
            if (a == CharacterType::string)
                result = sign(firstParts[i].compare(secondParts[i]));
            else if (a == CharacterType::number)
                result = compareDigitRuns(firstParts[i], secondParts[i]);
            if (result)
                return result;
            continue;
        }
        if (a != CharacterType::string && b == CharacterType::string)
            return 1;
        if (a == CharacterType::string)
            return -1;
        return a == CharacterType::number ? 1 : -1;
    }
    if (firstParts.size() == secondParts.size())
        return 0;
    // A further text part ("b1") marks a pre-release, older; a further number, newer.
    bool firstIsLonger = firstParts.size() > secondParts.size();
    const std::string& extra = firstIsLonger ? firstParts[shorter] : secondParts[shorter];
    int longerIsNewer = typeOfCharacter(extra[0]) == CharacterType::string ? -1 : 1;
    return firstIsLonger ? longerIsNewer : -longerIsNewer;
}

OperatingSystemVersion SoftwareUpdater::operatingSystemVersion()
{
    utsname system {};
    OperatingSystemVersion version;
    if (uname(&system) == 0)
        std::sscanf(system.release, "%ld.%ld.%ld", &version.majorVersion, &version.minorVersion, &version.patchVersion);
    return version;
}

bool SoftwareUpdater::isOperatingSystemAtLeastVersion(const OperatingSystemVersion& version)
{
    auto running = operatingSystemVersion();
    return std::tie(running.majorVersion, running.minorVersion, running.patchVersion)
        >= std::tie(version.majorVersion, version.minorVersion, version.patchVersion);
}

std::string SoftwareUpdater::systemVersionString()
{
    auto version = operatingSystemVersion();
    char text[80];
    std::snprintf(text, sizeof text, "%ld.%ld.%ld", version.majorVersion, version.minorVersion, version.patchVersion);
    return text;
}

}
