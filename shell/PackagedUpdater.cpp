#include "shell/PackagedUpdater.h"

#include "platform/base/AlertPresenter.h"

namespace ostrel {

std::shared_ptr<PackagedUpdater> PackagedUpdater::create()
{
    return std::shared_ptr<PackagedUpdater>(new PackagedUpdater);
}

void PackagedUpdater::checkForUpdates(const base::Sender&)
{
    base::AlertRequest alert;
    alert.style = base::AlertRequest::Style::Informational;
    alert.message = "Updates come with the installed package.";
    alert.informativeText = "Ostrel is updated by the package manager it was installed with. Update your system's "
                            "packages to get the latest version.";
    alert.buttons = { "OK" };
    base::AlertPresenter::present(alert);
}

}
