#include "shell/MainMenuBar.h"

#include "platform/ui/Constraint.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MenuBarView.h"
#include "platform/ui/Window.h"

namespace ostrel {

std::shared_ptr<ui::MenuBarView> MainMenuBar::install(ui::Window& window, const std::shared_ptr<ui::Menu>& mainMenu)
{
    auto* content = window.contentView();
    if (!content || !mainMenu)
        return nullptr;
    // The window has no room for every menu's title: one title holds them all.
    auto bar = ui::Menu::create();
    auto all = ui::MenuItem::create(kTitle);
    all->setSubmenu(mainMenu);
    bar->addItem(all);
    auto view = ui::MenuBarView::create(bar);
    view->setIdentifier("main menu bar");
    view->setFont(gfx::Font::system(15));
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
    content->addSubview(view);
    using A = ui::LayoutAttribute;
    using R = ui::LayoutRelation;
    content->addConstraints({ ui::Constraint::create(view.get(), A::Top, R::Equal, content, A::Top, 1, 3),
        ui::Constraint::create(view.get(), A::Left, R::Equal, content, A::Left, 1, 6) });
    return view;
}

}
