#include "shell/ExclusionListTable.h"

#include "shell/PreferencesValueTransformers.h"
#include "shell/PreferencesViews.h"

#include "platform/base/Defaults.h"

#include <algorithm>

namespace ostrel {

namespace {

const std::string* pathOf(const base::Value& entry)
{
    auto* dictionary = entry.asDictionary();
    if (!dictionary)
        return nullptr;
    auto found = dictionary->find("path");
    return found == dictionary->end() ? nullptr : found->second.asString();
}

}

std::shared_ptr<ExclusionListTable> ExclusionListTable::create(std::shared_ptr<base::Defaults> store)
{
    std::shared_ptr<ExclusionListTable> table(new ExclusionListTable(std::move(store)));
    std::weak_ptr<ExclusionListTable> weak = table;
    table->m_observer = table->m_store->addObserver(kKey, [weak](const std::string&) {
        if (auto self = weak.lock())
            self->reload();
    });
    table->reload();
    return table;
}

ExclusionListTable::ExclusionListTable(std::shared_ptr<base::Defaults> store)
    : m_store(std::move(store))
    , m_scrollView(PreferencesBorderedScrollView::create())
    , m_tableView(ui::TableView::create())
{
    m_tableView->setAllowsMultipleSelection(true);
    m_tableView->setRowHeight(20);
    m_tableView->setDataSource(this);
    m_scrollView->setContentView(ui::ClipView::create(true));
    m_scrollView->setHasVerticalScroller(true);
    m_scrollView->setAutohidesScrollers(true);
    m_scrollView->setDocumentView(m_tableView);
}

ExclusionListTable::~ExclusionListTable()
{
    m_tableView->setDataSource(nullptr);
    if (m_observer)
        m_store->removeObserver(m_observer);
}

void ExclusionListTable::reload()
{
    m_paths.clear();
    for (const auto& entry : m_store->array(kKey).value_or(base::Value::Array {})) {
        if (auto* path = pathOf(entry))
            m_paths.push_back(*path);
    }
    m_tableView->reloadData();
}

void ExclusionListTable::add(const std::vector<std::filesystem::path>& chosen)
{
    auto list = m_store->array(kKey).value_or(base::Value::Array {});
    for (const auto& file : chosen) {
        std::string path = file.string();
        bool listed = std::any_of(list.begin(), list.end(), [&](const base::Value& entry) {
            auto* existing = pathOf(entry);
            return existing && *existing == path;
        });
        if (!listed)
            list.push_back(base::Value::Dictionary { { "path", path } });
    }
    m_store->set(kKey, std::move(list));
}

void ExclusionListTable::removeSelected()
{
    const auto& selection = m_tableView->selectedRowIndexes();
    if (selection.empty())
        return;
    std::vector<std::string> going;
    for (int row : selection) {
        if (row >= 0 && row < static_cast<int>(m_paths.size()))
            going.push_back(m_paths[static_cast<std::size_t>(row)]);
    }
    auto list = m_store->array(kKey).value_or(base::Value::Array {});
    std::erase_if(list, [&](const base::Value& entry) {
        auto* path = pathOf(entry);
        return path && std::find(going.begin(), going.end(), *path) != going.end();
    });
    m_tableView->deselectAll();
    m_store->set(kKey, std::move(list));
}

int ExclusionListTable::numberOfRows(ui::TableView&) { return static_cast<int>(m_paths.size()); }

std::shared_ptr<ui::View> ExclusionListTable::viewForRow(ui::TableView& table, int row)
{
    const std::string& path = m_paths[static_cast<std::size_t>(row)];
    auto name = PathToAppNameTransformer().transformedValue(path);
    auto cell = PreferencesTableCell::create(ui::Rect(0, 0, table.bounds().width(), table.rowHeight()),
        name.asString() ? *name.asString() : path, gfx::Font::system(gfx::Font::systemFontSize), 6);
    cell->setToolTip(path);
    return cell;
}

}
