#include "log/BackingStoreIndex.h"

#include "log/BackingStoreDescriptor.h"
#include "log/LogFormat.h"
#include "core/ZrLog.h"
#include "platform/base/AlertPresenter.h"
#include "platform/base/Files.h"
#include "platform/base/Time.h"

#include <algorithm>

namespace ostrel {

namespace {

struct ChangeListeners {
    std::mutex mutex;
    std::vector<std::pair<std::uint64_t, BackingStoreIndex::ChangeListener>> listeners;
    std::uint64_t nextId { 1 };
};

ChangeListeners& changeListeners()
{
    static ChangeListeners listeners;
    return listeners;
}

}

bool BackingStoreIndex::refreshIndexFromDisk()
{
    std::string folder = m_descriptor->folderPath();
    std::string root = m_descriptor->root();
    std::string error;
    // The log's folder gone from under the running program is not made anew: the write
    // that needs it says so.
    bool inPlace = m_descriptor->isLoadedFolderInPlace();
    bool folderReady = inPlace && base::files::createDirectories(folder, &error);
    if (!folderReady && inPlace) {
        // A log folder on a missing or read-only volume is the world's doing, not ours: say
        // so and carry on, so that the user can still fix the settings.
        std::string message = "Could not create folder path at: " + folder;
        zr_log("%s (%s)", message.c_str(), error.c_str());
        base::AlertRequest alert;
        alert.message = message;
        alert.informativeText = error;
        base::AlertPresenter::present(alert);
    }

    std::vector<ID> ids;
    if (auto names = base::files::list(folder)) {
        for (const auto& name : *names) {
            if (LogFormat::beginsWithRoot(name, root))
                ids.push_back((std::filesystem::path(folder) / name).string());
        }
    }
    if (ids.empty())
        ids.push_back(m_descriptor->namingStrategy().generateIDFor(base::Time::now(), 0));
    std::sort(ids.begin(), ids.end());

    bool selectLast = false;
    {
        std::lock_guard lock(m_mutex);
        m_ids = std::move(ids);
        selectLast = !m_selectedID;
    }
    if (selectLast)
        pointToLastFile();

    std::vector<ChangeListener> listeners;
    {
        auto& registry = changeListeners();
        std::lock_guard lock(registry.mutex);
        for (auto& [id, listener] : registry.listeners)
            listeners.push_back(listener);
    }
    for (auto& listener : listeners)
        listener(*this);
    return folderReady;
}

std::vector<BackingStoreIndex::ID> BackingStoreIndex::indexOfIDs() const
{
    std::lock_guard lock(m_mutex);
    return m_ids;
}

std::optional<BackingStoreIndex::ID> BackingStoreIndex::selectedID() const
{
    std::lock_guard lock(m_mutex);
    return m_selectedID;
}

void BackingStoreIndex::setSelectedID(std::optional<ID> id)
{
    notifySelection(false);
    {
        std::lock_guard lock(m_mutex);
        m_selectedID = std::move(id);
    }
    notifySelection(true);
}

void BackingStoreIndex::pointToFirstFile()
{
    std::optional<ID> first;
    {
        std::lock_guard lock(m_mutex);
        if (!m_ids.empty())
            first = m_ids.front();
    }
    setSelectedID(first);
}

std::optional<BackingStoreIndex::ID> BackingStoreIndex::lastID() const
{
    std::lock_guard lock(m_mutex);
    if (m_ids.empty())
        return std::nullopt;
    return m_ids.back();
}

std::optional<BackingStoreIndex::ID> BackingStoreIndex::nextID() const { return neighbour(1); }
std::optional<BackingStoreIndex::ID> BackingStoreIndex::previousID() const { return neighbour(-1); }

std::optional<BackingStoreIndex::ID> BackingStoreIndex::neighbour(int step) const
{
    std::lock_guard lock(m_mutex);
    if (!m_selectedID)
        return std::nullopt;
    auto at = std::find(m_ids.begin(), m_ids.end(), *m_selectedID);
    if (at == m_ids.end()) {
        zr_log("peekAtNextID was called with the selected ID (%s) not existing in the index for %s",
            m_selectedID->c_str(), m_descriptor->folderPath().c_str());
        return std::nullopt;
    }
    auto position = at - m_ids.begin() + step;
    if (position < 0 || position >= std::ptrdiff_t(m_ids.size()))
        return std::nullopt;
    return m_ids[size_t(position)];
}

std::uint64_t BackingStoreIndex::addSelectionObserver(SelectionObserver observer)
{
    std::lock_guard lock(m_mutex);
    m_selectionObservers.emplace_back(m_nextObserverId, std::move(observer));
    return m_nextObserverId++;
}

void BackingStoreIndex::removeSelectionObserver(std::uint64_t id)
{
    std::lock_guard lock(m_mutex);
    std::erase_if(m_selectionObservers, [id](const auto& entry) { return entry.first == id; });
}

void BackingStoreIndex::notifySelection(bool didChange)
{
    std::vector<SelectionObserver> observers;
    {
        std::lock_guard lock(m_mutex);
        for (auto& [id, observer] : m_selectionObservers)
            observers.push_back(observer);
    }
    for (auto& observer : observers)
        observer(didChange);
}

std::uint64_t BackingStoreIndex::addIndexChangedListener(ChangeListener listener)
{
    auto& registry = changeListeners();
    std::lock_guard lock(registry.mutex);
    registry.listeners.emplace_back(registry.nextId, std::move(listener));
    return registry.nextId++;
}

void BackingStoreIndex::removeIndexChangedListener(std::uint64_t id)
{
    auto& registry = changeListeners();
    std::lock_guard lock(registry.mutex);
    std::erase_if(registry.listeners, [id](const auto& entry) { return entry.first == id; });
}

}
