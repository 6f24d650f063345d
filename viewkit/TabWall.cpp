#include "viewkit/TabWall.h"

#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/Wall.h"

namespace ostrel {

std::shared_ptr<TabWall> TabWall::create() { return std::shared_ptr<TabWall>(new TabWall); }

TabWall::TabWall() { setTranslatesAutoresizingMaskIntoConstraints(false); }

std::shared_ptr<Wall> TabWall::createNewWall()
{
    auto item = ui::TabViewItem::create(static_cast<int>(numberOfItems()));
    auto wall = Wall::create();
    if (auto* page = item->view()) {
        page->addSubview(wall);
        LayoutConstraintMaker maker(*wall);
        maker.fillContainer();
        page->addConstraints(maker.constraints());
        m_contentWallToTabViewItemDict[wall.get()] = item;
    }
    addItem(item);
    return wall;
}

}
