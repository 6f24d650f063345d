#pragma once

#include "platform/ui/TableView.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace base {
class Defaults;
}

namespace ostrel {

class PreferencesBorderedScrollView;

// The list of excluded applications ("excludeApplicationsList": one-key dictionaries whose
// "path" names an application), shown by name and kept in step with the setting. Entries of
// another shape (a damaged setting) are kept as they are but not shown.
class ExclusionListTable final : public ui::TableViewDataSource, public std::enable_shared_from_this<ExclusionListTable> {
public:
    static constexpr const char* kKey = "excludeApplicationsList";

    static std::shared_ptr<ExclusionListTable> create(std::shared_ptr<base::Defaults> store);
    ~ExclusionListTable() override;

    // The table in its framed scroll view.
    const std::shared_ptr<PreferencesBorderedScrollView>& scrollView() const { return m_scrollView; }
    const std::shared_ptr<ui::TableView>& tableView() const { return m_tableView; }

    // The paths shown, in the stored order.
    const std::vector<std::string>& paths() const { return m_paths; }
    // Appends each path not on the list yet (exact comparison, those added in the same call
    // included) and stores the list.
    void add(const std::vector<std::filesystem::path>& chosen);
    // Removes the selected rows' entries and stores the list.
    void removeSelected();

    int numberOfRows(ui::TableView& table) override;
    std::shared_ptr<ui::View> viewForRow(ui::TableView& table, int row) override;

private:
    explicit ExclusionListTable(std::shared_ptr<base::Defaults> store);
    void reload();

    std::shared_ptr<base::Defaults> m_store;
    std::shared_ptr<PreferencesBorderedScrollView> m_scrollView;
    std::shared_ptr<ui::TableView> m_tableView;
    std::vector<std::string> m_paths;
    std::uint64_t m_observer { 0 };
};

}
