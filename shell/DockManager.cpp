#include "shell/DockManager.h"

#include "core/ZrLog.h"
#include "shell/MainBundle.h"

#include "platform/base/AlertPresenter.h"
#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"
#include "platform/ui/Application.h"
#include "platform/ui/MenuItem.h"

namespace ostrel {

namespace {
constexpr const char* kDocklessKey = "dockless";
std::shared_ptr<DockManager> s_sharedManager;

bool storedDockless()
{
    return base::Defaults::standard()->boolean(kDocklessKey);
}
}

std::shared_ptr<DockManager> DockManager::create()
{
    std::shared_ptr<DockManager> manager(new DockManager);
    manager->m_actuallyRunningDockless = storedDockless();
    return manager;
}

std::shared_ptr<DockManager> DockManager::sharedManager()
{
    return s_sharedManager;
}

void DockManager::awakeFromNib()
{
    s_sharedManager = shared_from_this();
    std::string title = menuLabelForValue(storedDockless());
    for (auto* item : { m_mainMenuDockSwitchingMenuItem.get(), m_gearMenuDockSwitchingMenuItem.get() }) {
        if (item)
            item->setTitle(title);
    }
}

void DockManager::attach(ui::MenuItem& item)
{
    item.onAction = [weakManager = weak_from_this()](ui::MenuItem&) {
        if (auto manager = weakManager.lock())
            manager->toggleDockMode();
    };
}

void DockManager::setMainMenuDockSwitchingMenuItem(std::shared_ptr<ui::MenuItem> item)
{
    m_mainMenuDockSwitchingMenuItem = std::move(item);
    if (m_mainMenuDockSwitchingMenuItem)
        attach(*m_mainMenuDockSwitchingMenuItem);
}

void DockManager::setGearMenuDockSwitchingMenuItem(std::shared_ptr<ui::MenuItem> item)
{
    m_gearMenuDockSwitchingMenuItem = std::move(item);
    if (m_gearMenuDockSwitchingMenuItem)
        attach(*m_gearMenuDockSwitchingMenuItem);
}

std::string DockManager::menuLabelForValue(bool dockless)
{
    return dockless ? "Run As Full Application\u2026" : "Run As Dockless Application\u2026";
}

void DockManager::toggleDockMode()
{
    zr_log("toggleDockMode");
    bool dockless = storedDockless();
    base::AlertRequest alert;
    alert.style = base::AlertRequest::Style::Informational;
    alert.buttons = { "OK", "Cancel" };
    if (dockless) {
        alert.message = "Run Ostrel as a full application with a main menu and a dock tile?";
    } else {
        alert.message = "Run Ostrel as a dockless application with no main menu and no dock tile?";
        alert.informativeText = "You can still access Ostrel via its (O) icon on the top right of the menu bar or by "
                                "pressing the Super+R keyboard shortcut.";
    }
    if (base::AlertPresenter::present(alert).button != 0)
        return;
    if (dockless)
        runAsNormalApplication();
    else
        runAsDocklessApplication();
    base::Defaults::standard()->synchronize();
    relaunch();
}

void DockManager::relaunch()
{
    base::AlertRequest alert;
    alert.style = base::AlertRequest::Style::Warning;
    alert.message = "Setting changed.";
    alert.informativeText = "Ostrel will now quit. The new setting will come into effect after you re-launch the program.";
    alert.buttons = { "Quit" };
    base::AlertPresenter::present(alert);
    // The quit asks the usual question on a running slice; "Cancel" there keeps us running
    // with the new setting stored for the next launch.
    if (auto* application = ui::Application::shared())
        application->terminate();
    else
        base::diagnostic("the setting changed, but there is no application to quit");
}

void DockManager::runAsNormalApplication()
{
    base::Defaults::standard()->set(kDocklessKey, false);
}

void DockManager::runAsDocklessApplication()
{
    base::Defaults::standard()->set(kDocklessKey, true);
}

void DockManager::applyPresentation()
{
    if (m_actuallyRunningDockless)
        return;
    auto* application = ui::Application::shared();
    if (!application)
        return;
    application->setActivationPolicy(ui::ActivationPolicy::Regular);
    application->activate(true);
    if (on_becameRegularApplication)
        on_becameRegularApplication();
}

void DockManager::storeBundleVersion()
{
    base::Defaults::standard()->set("version", MainBundle::buildNumber());
}

}
