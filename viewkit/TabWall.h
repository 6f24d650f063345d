#pragma once

#include "platform/ui/TabView.h"

#include <map>
#include <memory>

namespace ostrel {

class Wall;

// Pages that are walls, shown one at a time without tabs or border; the owner switches
// pages in code.
class TabWall : public ui::TabView {
public:
    static std::shared_ptr<TabWall> create();

    // A new page: its item's identifier is its index (0 for the first), its wall fills it.
    std::shared_ptr<Wall> createNewWall();
    const std::map<const Wall*, std::shared_ptr<ui::TabViewItem>>& contentWallToTabViewItemDict() const
    {
        return m_contentWallToTabViewItemDict;
    }

protected:
    TabWall();

private:
    // Keys are the page walls, owned by their items' views.
    std::map<const Wall*, std::shared_ptr<ui::TabViewItem>> m_contentWallToTabViewItemDict;
};

}
