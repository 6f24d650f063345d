#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace ostrel {

class BackingStoreDescriptor;

// The files of one series as last listed, and the one the series' user is showing. IDs are
// full paths.
class BackingStoreIndex {
public:
    using ID = std::string;

    explicit BackingStoreIndex(BackingStoreDescriptor* descriptor)
        : m_descriptor(descriptor)
    {
    }

    // Re-lists the folder (creating it when missing), selects the last file when nothing
    // is selected and tells the index-change listeners. False when the folder could not be
    // created; the list then holds only the name of the current file.
    bool refreshIndexFromDisk();

    std::vector<ID> indexOfIDs() const;
    std::optional<ID> selectedID() const;
    void setSelectedID(std::optional<ID> id);
    void pointToFileWithID(const ID& id) { setSelectedID(id); }
    void pointToLastFile() { setSelectedID(lastID()); }
    void pointToFirstFile();
    std::optional<ID> lastID() const;

    // The neighbours of the selection, which stays where it is. None past either end, and
    // none while the selection is not a listed file (deleted behind our back, for instance).
    std::optional<ID> nextID() const;
    std::optional<ID> previousID() const;
    bool hasNextID() const { return nextID().has_value(); }
    bool hasPreviousID() const { return previousID().has_value(); }

    BackingStoreDescriptor* descriptor() const { return m_descriptor; }

    // Called before (false) and after (true) every change of the selection.
    using SelectionObserver = std::function<void(bool didChange)>;
    std::uint64_t addSelectionObserver(SelectionObserver observer);
    void removeSelectionObserver(std::uint64_t id);

    // Told after every re-listing of any series, with the index that was re-listed.
    using ChangeListener = std::function<void(BackingStoreIndex& index)>;
    static std::uint64_t addIndexChangedListener(ChangeListener listener);
    static void removeIndexChangedListener(std::uint64_t id);

private:
    std::optional<ID> neighbour(int step) const;
    void notifySelection(bool didChange);

    // Non-owning: the descriptor owns this index.
    BackingStoreDescriptor* m_descriptor { nullptr };
    mutable std::mutex m_mutex;
    std::vector<ID> m_ids;
    std::optional<ID> m_selectedID;
    std::vector<std::pair<std::uint64_t, SelectionObserver>> m_selectionObservers;
    std::uint64_t m_nextObserverId { 1 };
};

}
