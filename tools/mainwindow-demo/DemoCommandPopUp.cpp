#include "DemoCommandPopUp.h"

#include "DemoEnvironment.h"

#include "command/CommandPopUpWindow.h"
#include "command/KeyComboRecorderView.h"
#include "command/KeyComboRecorderViewBinding.h"
#include "command/MatchingItemList.h"
#include "command/PopUpWindowContentViewController.h"
#include "core/DataModel.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/MainWindowHooks.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/StandardLabel.h"
#include "viewkit/Wall.h"

#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"

#include <algorithm>

using namespace ostrel;
using A = ui::LayoutAttribute;

DemoCommandPopUp::DemoCommandPopUp(DemoEnvironment& environment, MainWindow&)
{
    m_popUpWindow = CommandPopUpWindow::makeApplicationPopUpWindow(environment);
    std::weak_ptr<PopUpWindowContentViewController> controller = m_popUpWindow->popUpContentViewController();
    environment.dismissPopUp = [controller] {
        if (auto shown = controller.lock())
            shown->dismissDialog();
    };
    MainWindowHooks::shared().runCommandPopUp = [controller](ui::Button& button) {
        if (auto shown = controller.lock())
            shown->run(true, &button, true);
    };

    m_recorderWindow = ui::Window::create(ui::Rect(0, 0, 320, 64), ui::WindowStyle::Titled | ui::WindowStyle::Closable);
    m_recorderWindow->setTitle("Shortcuts");
    auto content = Wall::create();
    m_recorderWindow->setContentView(content);
    auto label = standardLabel("Show Command Pop-Up");
    content->factory().internalAddBrick(label, [](LayoutConstraintMaker& maker) {
        maker.container().place(A::Left, A::Left).place(A::Top, A::Top);
    });
    m_recorder = KeyComboRecorderView::create({}, ui::ControlSize::Regular);
    content->factory().internalAddBrick(m_recorder, [label](LayoutConstraintMaker& maker) {
        maker.container().place(A::Left, A::Left);
        maker.and_(*label).place(A::Top, A::Bottom);
    });
    m_binding = KeyComboRecorderViewBinding::create(m_recorder, DataModel::shared().showCommandPopOverCombo);
    m_binding->activate();
}

DemoCommandPopUp::~DemoCommandPopUp()
{
    MainWindowHooks::shared().runCommandPopUp = {};
    if (m_binding)
        m_binding->unbind();
}

void DemoCommandPopUp::showRecorderWindow()
{
    auto* main = ui::Application::shared() ? ui::Application::shared()->mainWindow() : nullptr;
    // To the left: the main window grows to the right when a pad opens.
    if (main)
        m_recorderWindow->setFrameTopLeftPoint(ui::Point(std::max(0.0, main->frame().minX() - 24 - m_recorderWindow->frame().width()), main->frame().maxY()));
    m_recorderWindow->orderFront();
}

std::string DemoCommandPopUp::state() const
{
    auto& controller = *m_popUpWindow->popUpContentViewController();
    if (!controller.isRunning())
        return "popUp closed";
    auto& search = controller.matchingItemList().currentSearchString();
    return search.empty() ? "popUp open" : "popUp open " + search;
}
