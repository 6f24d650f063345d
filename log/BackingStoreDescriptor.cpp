#include "log/BackingStoreDescriptor.h"

#include "log/BackingStoreManager.h"
#include "platform/base/Diagnostics.h"
#include "platform/base/Files.h"
#include "platform/base/Time.h"

#include <filesystem>

namespace ostrel {

std::shared_ptr<BackingStoreDescriptor> BackingStoreDescriptor::create()
{
    return std::shared_ptr<BackingStoreDescriptor>(new BackingStoreDescriptor);
}

BackingStoreDescriptor::BackingStoreDescriptor()
    : m_index(std::make_unique<BackingStoreIndex>(this))
{
}

bool BackingStoreDescriptor::finishInitialization()
{
    bool ready = m_index->refreshIndexFromDisk();
    if (m_staysWithLoadedFolder) {
        auto loaded = base::files::identity(folderPath());
        std::lock_guard lock(m_mutex);
        m_loadedFolder = loaded;
    }
    return ready;
}

bool BackingStoreDescriptor::isLoadedFolderInPlace() const
{
    std::string folder;
    std::optional<base::files::Identity> loaded;
    {
        std::lock_guard lock(m_mutex);
        if (!m_staysWithLoadedFolder)
            return true;
        folder = m_folderPath;
        loaded = m_loadedFolder;
    }
    // A folder that could not be made at the start has nothing to stay with: it may come.
    return !loaded || base::files::identity(folder) == loaded;
}

std::string BackingStoreDescriptor::root() const
{
    std::lock_guard lock(m_mutex);
    return m_root;
}

void BackingStoreDescriptor::setRoot(std::string root)
{
    std::lock_guard lock(m_mutex);
    m_root = std::move(root);
}

std::string BackingStoreDescriptor::folderPath() const
{
    std::lock_guard lock(m_mutex);
    return m_folderPath;
}

void BackingStoreDescriptor::setFolderPath(std::string folderPath)
{
    std::lock_guard lock(m_mutex);
    m_folderPath = std::move(folderPath);
}

std::optional<std::string> BackingStoreDescriptor::templateName() const
{
    std::lock_guard lock(m_mutex);
    return m_templateName;
}

void BackingStoreDescriptor::setTemplateName(std::optional<std::string> templateName)
{
    std::lock_guard lock(m_mutex);
    m_templateName = std::move(templateName);
}

void BackingStoreDescriptor::setNamingStrategy(std::unique_ptr<BackingStoreNamingStrategy> strategy)
{
    if (strategy)
        strategy->descriptor = this;
    m_namingStrategy = std::move(strategy);
}

const BackingStoreNamingStrategy& BackingStoreDescriptor::namingStrategy() const
{
    if (!m_namingStrategy)
        base::fatal("backingstoredescriptor without naming strategy!");
    return *m_namingStrategy;
}

std::string BackingStoreDescriptor::getPathToCurrentFile() const
{
    return namingStrategy().generateIDFor(base::Time::now(), 0);
}

std::string BackingStoreDescriptor::getPathToFileForDate(double date) const
{
    return namingStrategy().generateIDFor(date, 0);
}

std::string BackingStoreDescriptor::getPathToNewFile() const
{
    auto last = m_index->lastID();
    if (!last || last->size() < 7)
        base::fatal("trying to extract the sequence number of a pad file that does not have a valid index number");
    std::string stem = std::filesystem::path(*last).replace_extension().string();
    std::string digits = stem.size() >= 7 ? stem.substr(stem.size() - 7) : stem;
    long long number = 0;
    size_t at = 0;
    while (at < digits.size() && (digits[at] == ' ' || digits[at] == '\t'))
        ++at;
    bool negative = at < digits.size() && digits[at] == '-';
    if (at < digits.size() && (digits[at] == '-' || digits[at] == '+'))
        ++at;
    for (; at < digits.size() && digits[at] >= '0' && digits[at] <= '9'; ++at)
        number = number * 10 + (digits[at] - '0');
    if (negative)
        number = -number;
    return namingStrategy().generateIDFor(base::Time::now(), number + 1);
}

std::optional<std::string> BackingStoreDescriptor::getPathToSelectedFile()
{
    auto selected = m_index->selectedID();
    if (!selected)
        return std::nullopt;
    // The error-reporting check: the throwing one would end the program over a folder it
    // may not look into.
    // A page whose replacement was cut short gets its last version back rather than a
    // fresh template.
    if (!base::files::exists(*selected))
        base::files::recoverInterruptedReplacement(*selected);
    if (!base::files::exists(*selected)) {
        if (auto name = templateName())
            BackingStoreManager::sharedManager().createFromTemplate(*selected, *name);
    }
    return selected;
}

}
