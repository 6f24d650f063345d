#include "DemoScreen.h"

#include "mainwindow/BorderedBackgroundView.h"
#include "mainwindow/ObjectiveTextView.h"
#include "mainwindow/TextScrollView.h"

#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/PushButtonBrick.h"
#include "viewkit/Wall.h"

#include "platform/ui/ScrollView.h"
#include "platform/ui/TextField.h"

#include <cstdio>

using namespace ostrel;
using A = ui::LayoutAttribute;

DemoScreen::DemoScreen()
{
    m_infoWall = Wall::create();
    auto& factory = m_infoWall->factory();
    auto title = factory.label("What will you do in the next time slice?", [](LayoutConstraintMaker& maker) {
        maker.container().place(A::Left, A::Left).place(A::Top, A::Top);
    });
    title->setTextColor(gfx::Color::white(0.9));

    auto background = BorderedBackgroundView::create();
    background->awakeFromNib();
    factory.internalAddBrick(background, [title](LayoutConstraintMaker& maker) {
        maker.container().place(A::Left, A::Left).place(A::Right, A::Right).place(A::Bottom, A::Bottom);
        maker.and_(*title).place(A::Top, A::Bottom);
        maker.height(120.0);
    });
    m_objective = ObjectiveTextView::create();
    m_objective->setDrawsBackground(false);
    m_objective->awakeFromNib();
    m_objective->setTextContainerInset({ 4.0, 4.0 });
    auto scroll = makeTextScrollView(m_objective);
    scroll->setTranslatesAutoresizingMaskIntoConstraints(false);
    background->addSubview(scroll);
    LayoutConstraintMaker fill(*scroll);
    fill.container().pin(A::Top, A::Top, 1).pin(A::Left, A::Left, 1).pin(A::Right, A::Right, -1).pin(A::Bottom, A::Bottom, -1);
    background->addConstraints(fill.constraints());

    m_buttonWall = Wall::create();
    m_buttonWall->factory().pushButton("Start", [] { std::fprintf(stderr, "demo: Start pressed\n"); },
        [](LayoutConstraintMaker& maker) { maker.container().pin(A::Top, A::Top, 0).pin(A::Bottom, A::Bottom, 0).pin(A::Left, A::Left, 0).pin(A::Right, A::Right, 0); });
}

std::shared_ptr<ui::View> DemoScreen::firstResponder() { return m_objective; }
