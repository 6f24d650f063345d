#include "states/HelpHook.h"

#include "platform/base/Diagnostics.h"

namespace ostrel::HelpHook {

namespace {

ShowPage& hook()
{
    static auto* showPage = new ShowPage; // for the whole run
    return *showPage;
}

}

void setShowPage(ShowPage showPage) { hook() = std::move(showPage); }

void showPage(const std::string& lastPathComponent, bool inBrowser)
{
    if (auto& show = hook()) {
        show(lastPathComponent, inBrowser);
        return;
    }
    base::diagnostic("help page " + lastPathComponent + " asked for before the help pages are there");
}

}
