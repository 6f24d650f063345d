#include "drawing/KitSelectors.h"

#include "platform/base/Diagnostics.h"

#include <algorithm>

namespace ostrel {

namespace {

bool fits(const KitArgument& argument, KitArgumentKind kind) { return argument.index() == size_t(kind); }

}

void KitSelectorTable::insert(Entry entry)
{
    auto colons = size_t(std::count(entry.selector.begin(), entry.selector.end(), ':'));
    if (colons != entry.parameters.size())
        base::fatal("kit selector " + entry.selector + " does not match its member's parameters");
    if (m_index.contains(entry.selector))
        base::fatal("kit selector " + entry.selector + " published twice");
    m_index.emplace(entry.selector, m_entries.size());
    m_entries.push_back(std::move(entry));
}

const KitSelectorTable::Entry* KitSelectorTable::find(std::string_view selector) const
{
    auto found = m_index.find(std::string(selector));
    return found == m_index.end() ? nullptr : &m_entries[found->second];
}

std::optional<KitResult> KitSelectorTable::perform(std::string_view selector, std::span<const KitArgument> arguments) const
{
    const Entry* entry = find(selector);
    if (!entry) {
        base::diagnostic("drawing: no kit member answers " + std::string(selector));
        return std::nullopt;
    }
    bool matches = arguments.size() == entry->parameters.size();
    for (size_t i = 0; matches && i < arguments.size(); ++i)
        matches = fits(arguments[i], entry->parameters[i]);
    if (!matches) {
        base::diagnostic("drawing: arguments do not fit " + entry->selector);
        return std::nullopt;
    }
    auto result = entry->body(arguments);
    if (!result)
        base::diagnostic("drawing: " + entry->selector + " given a resizing that is not 0 to 3, nothing drawn");
    return result;
}

}
